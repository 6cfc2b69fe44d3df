#include "buttonartist.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <functional>

#include "glyphs.h"
#include "palette.h"
#include "paintkit.h"
#include "windowplaces.h"

using namespace paintkit;

namespace {

// A glyph pressed into the key face: dark copy below, then the glyph; lit
// glyphs get a soft glow instead.
void engravedGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& colour, bool lit)
{
    if (lit) {
        QImage glow = canvas(QSize(int(box.width()) + 16, int(box.height()) + 16));
        {
            QPainter g;
            begin(g, &glow);
            QColor halo = colour;
            halo.setAlpha(150);
            drawGlyph(g, glyph, QRectF(8, 8, box.width(), box.height()), halo);
        }
        p.drawImage(box.topLeft() - QPointF(8, 8), blurred(glow, 4));
    } else {
        drawGlyph(p, glyph, box.translated(0, 1), QColor(0, 0, 0, 150));
    }
    drawGlyph(p, glyph, box, colour);
}

QImage withImage(const QImage& base, const std::function<void(QPainter&)>& paint)
{
    QImage image = base;
    QPainter p;
    begin(p, &image);
    paint(p);
    return image;
}

void centredLabel(QPainter& p, const QRectF& box, Glyph glyph, qreal glyphSize, const QString& text,
                  const QFont& f, const QColor& colour, bool lit)
{
    const QFontMetricsF metrics(f);
    const qreal gap = text.isEmpty() ? 0 : 6;
    const qreal width = glyphSize + gap + metrics.horizontalAdvance(text);
    const qreal left = std::round(box.center().x() - width / 2);
    const QRectF glyphBox(left, std::round(box.center().y() - glyphSize / 2), glyphSize, glyphSize);
    engravedGlyph(p, glyph, glyphBox, colour, lit);
    QPainterPath label;
    const qreal baseline = std::round(box.center().y() + metrics.capHeight() / 2);
    label.addText(QPointF(left + glyphSize + gap, baseline), f, text);
    if (!lit)
        p.fillPath(label.translated(0, 1), QColor(0, 0, 0, 150));
    p.fillPath(label, colour);
}

}  // namespace

ButtonArtist::ButtonArtist(const QImage& background, const QImage& recordPanel,
                           const QImage& infoPanel, const QImage& about)
    : m_background(background), m_recordPanel(recordPanel), m_infoPanel(infoPanel), m_about(about)
{
}

QHash<int, QImage> ButtonArtist::paintAll() const
{
    QHash<int, QImage> out;
    transport(out);
    commands(out);
    windowButtons(out);
    tabs(out);
    panelButtons(out);
    aboutClose(out);
    return out;
}

void ButtonArtist::transport(QHash<int, QImage>& out) const
{
    struct Key { Glyph glyph; int normal; int pushed; };
    // Row 1002..1010, left to right.
    const Key row[9] = {
        {Glyph::ToStart, 174, 175},      {Glyph::FrameBack, 170, 171}, {Glyph::Back3, 178, 179},
        {Glyph::Stop, 182, 181},         {Glyph::Pause, 166, 167},     {Glyph::Play, 168, 169},
        {Glyph::Forward3, 180, 177},     {Glyph::FrameForward, 172, 165}, {Glyph::ToEnd, 176, 173},
    };
    const QRectF key(1, 1, 32, 24);
    const QRectF glyphBox(9, 5, 16, 16);
    for (int i = 0; i < 9; ++i) {
        const QImage base = piece(m_background, QRect(places::transportPlace(i), places::kTransportSize));
        out.insert(row[i].normal, withImage(base, [&](QPainter& p) {
                       raisedKey(p, key, 5, KeyState::Normal);
                       engravedGlyph(p, row[i].glyph, glyphBox, palette::kGlyph, false);
                   }));
        out.insert(row[i].pushed, withImage(base, [&](QPainter& p) {
                       raisedKey(p, key, 5, KeyState::Pressed);
                       engravedGlyph(p, row[i].glyph, glyphBox.translated(0, 1), palette::kAccent, true);
                       // A lit diode under the glyph tells the state at a glance.
                       QColor led = palette::kAccent;
                       p.fillRect(QRectF(13, 22, 8, 1), led);
                       led.setAlpha(90);
                       p.fillRect(QRectF(12, 22, 10, 1), led);
                   }));
    }
}

void ButtonArtist::commands(QHash<int, QImage>& out) const
{
    struct Command { QPoint place; Glyph glyph; int normal; int hover; };
    const Command buttons[] = {
        {places::kOpenButton, Glyph::Folder, 150, 148},
        {places::kSnapshotButton, Glyph::Camera, 145, 146},
        {places::kPrintButton, Glyph::Printer, 141, 142},
        {places::kSettingsButton, Glyph::Gear, 149, 140},
    };
    const QPointF c(25, 25);
    auto face = [&](const QImage& base, Glyph glyph, bool hover) {
        return withImage(base, [&](QPainter& p) {
            dropShadow(p, ellipse(c, 22.5), QColor(0, 0, 0, 190), 3, QPointF(0, 1.5));
            QLinearGradient chrome(c.x(), c.y() - 23, c.x(), c.y() + 23);
            chrome.setColorAt(0, QColor(0xa9, 0xb3, 0xbe));
            chrome.setColorAt(0.3, QColor(0x55, 0x5e, 0x69));
            chrome.setColorAt(0.75, QColor(0x24, 0x28, 0x2e));
            chrome.setColorAt(1, QColor(0x44, 0x4b, 0x54));
            p.fillPath(ellipse(c, 22.5), chrome);
            QRadialGradient dome(c - QPointF(0, 10), 30);
            dome.setColorAt(0, hover ? QColor(0x48, 0x52, 0x5e) : QColor(0x3c, 0x44, 0x4e));
            dome.setColorAt(1, hover ? QColor(0x1b, 0x20, 0x27) : QColor(0x17, 0x1a, 0x1f));
            p.fillPath(ellipse(c, 20), dome);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(255, 255, 255, 40), 1));
            p.drawArc(QRectF(c.x() - 19.5, c.y() - 19.5, 39, 39), 30 * 16, 120 * 16);
            if (hover) {
                QColor ring = palette::kAccent;
                p.setPen(QPen(ring, 1.5));
                p.drawEllipse(c, 20.25, 20.25);
                ring.setAlpha(70);
                outerGlow(p, ellipse(c, 22.5), ring, 3);
            }
            engravedGlyph(p, glyph, QRectF(13, 13, 24, 24),
                          hover ? palette::kAccent.lighter(120) : palette::kGlyph, hover);
        });
    };
    for (const Command& b : buttons) {
        const QImage base = piece(m_background, QRect(b.place, QSize(55, 55)));
        out.insert(b.normal, face(base, b.glyph, false));
        out.insert(b.hover, face(base, b.glyph, true));
    }
    // Two spare faces of the set, at the snapshot button's place.
    const QImage spare = piece(m_background, QRect(places::kSnapshotButton, QSize(55, 55)));
    out.insert(143, face(spare, Glyph::Info, false));
    out.insert(144, face(spare, Glyph::Info, true));
}

void ButtonArtist::windowButtons(QHash<int, QImage>& out) const
{
    struct Small { QPoint place; Glyph glyph; int normal; int hover; QColor light; };
    const Small buttons[] = {
        {places::kHelpButton, Glyph::Help, 196, 191, palette::kAccent},
        {places::kLanguageButton, Glyph::Globe, 206, 207, palette::kAccent},
        {places::kMinimiseButton, Glyph::Minimise, 192, 193, palette::kAccent},
        {places::kCloseButton, Glyph::Close, 194, 195, palette::kAlert},
    };
    const int size = places::kSmallRound;
    const QPointF c(12, 12);
    // Mask: black over the face's disc, white where the skin shows through.
    // Faces are white outside that disc, as the masked drawing requires.
    QImage mask(26, 26, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::white);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (QLineF(c, QPointF(x + 0.5, y + 0.5)).length() <= 11.9)
                mask.setPixel(x, y, qRgb(0, 0, 0));
    out.insert(197, mask);

    for (const Small& b : buttons) {
        const QImage base = piece(m_background, QRect(b.place, QSize(size, size)));
        for (bool hover : {false, true}) {
            QImage face = withImage(base, [&](QPainter& p) {
                QLinearGradient chrome(c.x(), 1, c.x(), 23);
                chrome.setColorAt(0, QColor(0x9c, 0xa6, 0xb2));
                chrome.setColorAt(0.35, QColor(0x4e, 0x57, 0x62));
                chrome.setColorAt(1, QColor(0x22, 0x26, 0x2c));
                p.fillPath(ellipse(c, 11), chrome);
                QRadialGradient dome(c - QPointF(0, 5), 14);
                dome.setColorAt(0, hover ? QColor(0x44, 0x4d, 0x58) : QColor(0x36, 0x3d, 0x46));
                dome.setColorAt(1, QColor(0x15, 0x18, 0x1d));
                p.fillPath(ellipse(c, 9.6), dome);
                if (hover) {
                    p.setPen(QPen(b.light, 1.2));
                    p.setBrush(Qt::NoBrush);
                    p.drawEllipse(c, 9.8, 9.8);
                }
                const QColor glyph = hover ? b.light.lighter(125) : palette::kGlyph;
                // The globe needs a little more room than the simple marks to stay legible.
                const QRectF box = b.glyph == Glyph::Globe ? QRectF(5, 5, 14, 14) : QRectF(6, 6, 12, 12);
                drawGlyph(p, b.glyph, box.translated(0, 0.5), QColor(0, 0, 0, 160));
                drawGlyph(p, b.glyph, box, glyph);
            });
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    if (qRed(mask.pixel(x, y)) != 0)
                        face.setPixel(x, y, qRgb(255, 255, 255));
            out.insert(hover ? b.hover : b.normal, face);
        }
    }
}

void ButtonArtist::tabs(QHash<int, QImage>& out) const
{
    struct Tab { QRect place; Glyph glyph; QString text; int normal; int pushed; };
    const Tab list[] = {
        {places::kInfoTab, Glyph::Info, QStringLiteral("INFO"), 136, 137},
        {places::kRecordTab, Glyph::List, QStringLiteral("RECORDS"), 138, 139},
    };
    const QFont f = font(palette::kFontCondensed, 11, QFont::Bold, 112);
    const QRectF key(1, 1, 145, 23);
    for (const Tab& t : list) {
        const QImage base = piece(m_background, t.place);
        out.insert(t.normal, withImage(base, [&](QPainter& p) {
                       raisedKey(p, key, 6, KeyState::Normal);
                       centredLabel(p, key, t.glyph, 14, t.text, f, QColor(0xb4, 0xbd, 0xc8), false);
                   }));
        out.insert(t.pushed, withImage(base, [&](QPainter& p) {
                       raisedKey(p, key, 6, KeyState::Pressed);
                       centredLabel(p, key.translated(0, 0.5), t.glyph, 14, t.text, f, palette::kAccent, true);
                       QLinearGradient bar(key.left() + 30, 0, key.right() - 30, 0);
                       QColor a = palette::kAccent;
                       bar.setColorAt(0, QColor(a.red(), a.green(), a.blue(), 0));
                       bar.setColorAt(0.5, a);
                       bar.setColorAt(1, QColor(a.red(), a.green(), a.blue(), 0));
                       p.fillRect(QRectF(key.left() + 30, key.bottom() - 2, key.width() - 60, 1), bar);
                   }));
    }
}

void ButtonArtist::panelButtons(QHash<int, QImage>& out) const
{
    const QFont f = font(palette::kFontCondensed, 10, QFont::Bold, 115);
    auto textKey = [&](QPoint place, const QString& text, bool hover) {
        const QImage base = piece(m_recordPanel, QRect(place, QSize(50, 20)));
        return withImage(base, [&](QPainter& p) {
            const QRectF key(0.5, 0.5, 49, 18);
            raisedKey(p, key, 4, hover ? KeyState::Hover : KeyState::Normal);
            if (text.isEmpty())
                return;
            const QFontMetricsF m(f);
            QPainterPath label;
            const qreal x = std::round(key.center().x() - m.horizontalAdvance(text) / 2);
            const qreal baseline = std::round(key.center().y() + m.capHeight() / 2);
            label.addText(QPointF(x, baseline), f, text);
            p.fillPath(label.translated(0, 1), QColor(0, 0, 0, 150));
            p.fillPath(label, hover ? palette::kAccent.lighter(115) : palette::kGlyph);
        });
    };
    out.insert(156, textKey(places::kLoadButton, QStringLiteral("LOAD"), false));
    out.insert(157, textKey(places::kLoadButton, QStringLiteral("LOAD"), true));
    out.insert(158, textKey(places::kOpenRecordButton, QStringLiteral("OPEN"), false));
    out.insert(159, textKey(places::kOpenRecordButton, QStringLiteral("OPEN"), true));
    out.insert(155, textKey(places::kLoadButton, QString(), false));

    // Previous (31 x 18, shown 30 wide) and Next (30 x 18) on the information panel.
    auto chevron = [&](QPoint place, int width, Glyph glyph, bool hover) {
        const QImage base = piece(m_infoPanel, QRect(place, QSize(width, 18)));
        return withImage(base, [&](QPainter& p) {
            const QRectF key(0.5, 0.5, 29, 16);
            raisedKey(p, key, 4, hover ? KeyState::Hover : KeyState::Normal);
            engravedGlyph(p, glyph, QRectF(8, 1.5, 14, 14),
                          hover ? palette::kAccent.lighter(115) : palette::kGlyph, hover);
        });
    };
    out.insert(184, chevron(places::kPreviousButton, 31, Glyph::Previous, false));
    out.insert(185, chevron(places::kPreviousButton, 31, Glyph::Previous, true));
    out.insert(186, chevron(places::kNextButton, 30, Glyph::Next, false));
    out.insert(183, chevron(places::kNextButton, 30, Glyph::Next, true));
}

void ButtonArtist::aboutClose(QHash<int, QImage>& out) const
{
    const QImage base = piece(m_about, QRect(places::kAboutClose, QSize(25, 24)));
    const QPointF c(12.5, 12);
    for (bool hover : {false, true}) {
        out.insert(hover ? 204 : 205, withImage(base, [&](QPainter& p) {
                       QLinearGradient chrome(c.x(), 1, c.x(), 23);
                       chrome.setColorAt(0, QColor(0x9c, 0xa6, 0xb2));
                       chrome.setColorAt(0.35, QColor(0x4e, 0x57, 0x62));
                       chrome.setColorAt(1, QColor(0x22, 0x26, 0x2c));
                       p.fillPath(ellipse(c, 10.5), chrome);
                       QRadialGradient dome(c - QPointF(0, 5), 14);
                       dome.setColorAt(0, hover ? QColor(0x4a, 0x33, 0x33) : QColor(0x36, 0x3d, 0x46));
                       dome.setColorAt(1, QColor(0x15, 0x18, 0x1d));
                       p.fillPath(ellipse(c, 9.2), dome);
                       if (hover) {
                           p.setPen(QPen(palette::kAlert, 1.2));
                           p.setBrush(Qt::NoBrush);
                           p.drawEllipse(c, 9.4, 9.4);
                       }
                       const QRectF box(7, 6.5, 11, 11);
                       drawGlyph(p, Glyph::Close, box.translated(0, 0.5), QColor(0, 0, 0, 160));
                       drawGlyph(p, Glyph::Close, box, hover ? palette::kAlert.lighter(130) : palette::kGlyph);
                   }));
    }
}
