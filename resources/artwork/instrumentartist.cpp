#include "instrumentartist.h"

#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include "glyphs.h"
#include "palette.h"
#include "paintkit.h"
#include "windowplaces.h"

using namespace paintkit;

namespace {
// Position slider: the thumb (29 px) travels with its centre from 14 to 582
// and is drawn from y 10 (top margin), so the groove is centred on y 18.
constexpr int kThumbWidth = 29;
constexpr int kThumbHeight = 16;
constexpr int kThumbTop = 10;
constexpr int kTrack = 597 - kThumbWidth;
const QRectF kGroove(7, 15.5, 583, 5);

// Volume slider: the lit part runs from x 0 to the position's pixel, 28..134.
constexpr int kVolumeFirst = 28;
constexpr int kVolumeLast = 134;
constexpr int kBars = 26;

QRectF volumeBar(int i)
{
    const qreal x = kVolumeFirst + 1 + i * 4;
    const qreal h = 3 + std::round(i * 10.0 / (kBars - 1));
    return QRectF(x, 14 - h, 2, h);
}
}  // namespace

InstrumentArtist::InstrumentArtist(const QImage& background) : m_background(background) {}

void InstrumentArtist::paintPositionGroove(QPainter& p, const QPointF& origin)
{
    p.save();
    p.translate(origin);
    const QPainterPath groove = roundRect(kGroove, 2.5);
    recess(p, groove, QColor(0x03, 0x04, 0x06), 2);
    QColor line = palette::kAccent;
    line.setAlpha(40);
    p.fillRect(QRectF(kGroove.left() + 3, 18, kGroove.width() - 6, 1), line);
    // Scale: tenths of the recording under the groove.
    for (int k = 0; k <= 10; ++k) {
        const int x = kThumbWidth / 2 + int(std::lround(kTrack * k / 10.0));
        const bool major = k % 5 == 0;
        p.fillRect(QRectF(x, 28, 1, major ? 5 : 3), QColor(255, 255, 255, major ? 70 : 38));
    }
    p.restore();
}

QImage InstrumentArtist::positionChannel() const
{
    // The background already carries the groove; the channel is that piece.
    return piece(m_background, places::kPositionSlider);
}

QImage InstrumentArtist::positionThumb() const
{
    // Painted over the groove it slides on; pixels less than half covered by
    // the thumb become the key colour, the rest keep their blended edge.
    const QImage channel = positionChannel();
    QImage image = piece(channel, QRect(280, kThumbTop, kThumbWidth, kThumbHeight));
    const QRectF body(0.5, 0.5, kThumbWidth - 1, kThumbHeight - 1);
    const QPainterPath shape = roundRect(body, 7.5);
    QImage cover = canvas(image.size());
    {
        QPainter p;
        begin(p, &cover);
        p.fillPath(shape, Qt::black);
    }
    {
        QPainter p;
        begin(p, &image);
        QLinearGradient metal(body.topLeft(), body.bottomLeft());
        metal.setColorAt(0, QColor(0xf2, 0xf5, 0xf8));
        metal.setColorAt(0.45, QColor(0xb8, 0xc1, 0xcb));
        metal.setColorAt(0.55, QColor(0x9a, 0xa4, 0xb0));
        metal.setColorAt(1, QColor(0x5c, 0x66, 0x72));
        p.fillPath(shape, metal);
        p.setPen(QPen(QColor(0x1a, 0x1e, 0x24), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);
        // Grip and a lit index line in the middle.
        p.setPen(QPen(QColor(0, 0, 0, 70), 1));
        for (qreal x : {9.5, 19.5})
            p.drawLine(QPointF(x, 4.5), QPointF(x, 11.5));
        p.setPen(QPen(QColor(255, 255, 255, 160), 1));
        for (qreal x : {10.5, 20.5})
            p.drawLine(QPointF(x, 4.5), QPointF(x, 11.5));
        p.fillRect(QRectF(13, 3, 3, 10), palette::kAccentDeep);
        p.fillRect(QRectF(14, 3, 1, 10), palette::kAccent.lighter(120));
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* coverLine = reinterpret_cast<const QRgb*>(cover.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(coverLine[x]) < 128)
                line[x] = kThumbKey;
        }
    }
    return image;
}

void InstrumentArtist::paintVolumeBed(QPainter& p, const QPointF& origin)
{
    p.save();
    p.translate(origin);
    recess(p, roundRect(QRectF(kVolumeFirst - 2, 0.5, kVolumeLast - kVolumeFirst + 4, 16), 3),
           QColor(0x0a, 0x0c, 0x0f), 2);
    p.restore();
}

QImage InstrumentArtist::volumeChannel(bool lit) const
{
    QImage image = piece(m_background, places::kVolume);
    QPainter p;
    begin(p, &image);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < kBars; ++i) {
        const QRectF bar = volumeBar(i);
        if (lit) {
            const qreal t = qreal(i) / (kBars - 1);
            QColor c;
            c.setRgbF(0.07 + t * (0.20 - 0.07), 0.50 + t * (0.80 - 0.50), 0.65 + t * (0.95 - 0.65));
            p.fillRect(bar, c);
            p.fillRect(QRectF(bar.left(), bar.top(), 2, 1), c.lighter(135));
        } else {
            p.fillRect(bar, QColor(0x39, 0x41, 0x4b));
            p.fillRect(QRectF(bar.left(), bar.top(), 2, 1), QColor(0x4b, 0x54, 0x60));
        }
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor ends = lit ? palette::kAccent : palette::kGlyphDim;
    drawGlyph(p, Glyph::Minus, QRectF(8, 1, 16, 16), lit ? ends.darker(115) : ends);
    drawGlyph(p, Glyph::Plus, QRectF(137, 1, 16, 16), palette::kGlyphDim);
    return image;
}

QImage InstrumentArtist::gauge(bool kmh) const
{
    QImage image = piece(m_background, QRect(places::kGauge, QSize(96, 81)));
    QPainter p;
    begin(p, &image);
    const QPointF c(48, 41);
    const qreal outer = 38.5;

    // Bezel: dark chrome ring.
    dropShadow(p, ellipse(c, outer), QColor(0, 0, 0, 200), 4, QPointF(0, 2));
    QLinearGradient chrome(c.x(), c.y() - outer, c.x(), c.y() + outer);
    chrome.setColorAt(0, QColor(0x8d, 0x97, 0xa3));
    chrome.setColorAt(0.25, QColor(0x4a, 0x52, 0x5c));
    chrome.setColorAt(0.7, QColor(0x22, 0x26, 0x2c));
    chrome.setColorAt(1, QColor(0x3c, 0x43, 0x4c));
    p.fillPath(ellipse(c, outer), chrome);

    // Face.
    const qreal face = 35;
    QRadialGradient dial(c - QPointF(0, 8), face * 1.3);
    dial.setColorAt(0, QColor(0x1f, 0x25, 0x2d));
    dial.setColorAt(1, QColor(0x08, 0x0a, 0x0d));
    p.fillPath(ellipse(c, face), dial);
    innerShadow(p, ellipse(c, face), QColor(0, 0, 0, 230), 4, QPointF(0, 2));

    // Scale: 270 degrees from lower left to lower right, cyan into amber into red.
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        const qreal angle = qDegreesToRadians(225.0 - 270.0 * t);
        const bool major = i % 4 == 0;
        const qreal r0 = major ? 25.5 : 28;
        const qreal r1 = 31.5;
        QColor colour = t < 0.66 ? palette::kAccent : (t < 0.86 ? palette::kAmber : palette::kAlert);
        colour.setAlpha(major ? 255 : 170);
        p.setPen(QPen(colour, major ? 1.6 : 1.0, Qt::SolidLine, Qt::FlatCap));
        const QPointF dir(qCos(angle), -qSin(angle));
        p.drawLine(c + dir * r0, c + dir * r1);
    }
    QColor arc = palette::kAccent;
    arc.setAlpha(70);
    p.setPen(QPen(arc, 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 32.5, c.y() - 32.5, 65, 65), -45 * 16, 270 * 16);

    // Readout window: the speed edit (32 x 16 at 31, 33) shows through it.
    const QRect readout(31, 33, 32, 16);
    recess(p, roundRect(QRectF(readout).adjusted(-2, -2, 2, 2), 3), Qt::black, 2);
    p.fillRect(readout, Qt::black);
    QColor rim = palette::kAccent;
    rim.setAlpha(60);
    p.setPen(QPen(rim, 1));
    p.drawPath(roundRect(QRectF(readout).adjusted(-1.5, -1.5, 1.5, 1.5), 2.5));

    // Unit under the window.
    const QFont unit = font(palette::kFontCondensed, 9, QFont::Bold, 110);
    p.setFont(unit);
    p.setPen(QColor(0xa4, 0xae, 0xba));
    p.drawText(QRectF(24, 52, 48, 12), Qt::AlignHCenter | Qt::AlignVCenter,
               kmh ? QStringLiteral("km/h") : QStringLiteral("mph"));
    // Small hub mark above the window.
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kAccent);
    p.drawEllipse(QPointF(c.x(), 22), 1.6, 1.6);
    return image;
}
