#include "skinpreview.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QtMath>

#include "instrumentartist.h"
#include "palette.h"
#include "paintkit.h"
#include "windowplaces.h"

using namespace paintkit;

namespace {
const QColor kDesktop(0x5a, 0x66, 0x74);

QImage fakeVideo(QSize size)
{
    QImage image = canvas(size);
    QPainter p;
    begin(p, &image);
    const qreal h = size.height();
    const qreal w = size.width();
    p.fillRect(QRectF(0, 0, w, h * 0.45), vertical(QRectF(0, 0, w, h * 0.45), QColor(120, 165, 210), QColor(210, 220, 225)));
    p.fillRect(QRectF(0, h * 0.45, w, h * 0.55), vertical(QRectF(0, h * 0.45, w, h * 0.55), QColor(90, 95, 90), QColor(50, 52, 50)));
    QPainterPath road;
    road.moveTo(w * 0.48, h * 0.45);
    road.lineTo(w * 0.52, h * 0.45);
    road.lineTo(w * 0.95, h);
    road.lineTo(w * 0.05, h);
    road.closeSubpath();
    p.fillPath(road, QColor(60, 62, 66));
    p.setPen(QPen(QColor(240, 240, 230), 3));
    p.drawLine(QPointF(w * 0.5, h * 0.5), QPointF(w * 0.5, h * 0.58));
    p.drawLine(QPointF(w * 0.5, h * 0.66), QPointF(w * 0.5, h * 0.8));
    p.setPen(QColor(255, 255, 255));
    p.setFont(font(QStringLiteral("DejaVu Sans Mono"), 13));
    p.drawText(QPointF(10, h - 10), QStringLiteral("2024/05/12 08:15:30  62km/h"));
    return image;
}

void fakeTelemetry(QPainter& p, const QRect& strip)
{
    p.fillRect(strip, Qt::black);
    const QColor colours[3] = {QColor(255, 80, 80), QColor(80, 255, 80), QColor(80, 160, 255)};
    for (int axis = 0; axis < 3; ++axis) {
        QPainterPath path;
        for (int x = 0; x < strip.width(); ++x) {
            const qreal y = strip.center().y() + (axis - 1) * 18 + 9 * qSin(x * (0.03 + axis * 0.011) + axis);
            if (x == 0)
                path.moveTo(strip.left() + x, y);
            else
                path.lineTo(strip.left() + x, y);
        }
        p.setPen(QPen(colours[axis], 1));
        p.drawPath(path);
    }
    p.setPen(QPen(Qt::yellow, 1));
    p.drawLine(strip.left() + 210, strip.top(), strip.left() + 210, strip.bottom());
}

void textWithBackground(QPainter& p, const QRect& box, const QString& text, const QFont& f,
                        Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    p.save();
    p.setFont(f);
    const QRect used = p.fontMetrics().boundingRect(box, int(align), text);
    p.fillRect(used, Qt::black);
    p.setPen(Qt::white);
    p.drawText(box, int(align), text);
    p.restore();
}

void radio(QPainter& p, const QRect& box, const QString& text, bool checked)
{
    p.save();
    const QPointF c(box.left() + 6.5, box.center().y() + 0.5);
    p.setPen(QPen(QColor(190, 198, 208), 1));
    p.setBrush(QColor(20, 24, 28));
    p.drawEllipse(c, 5.5, 5.5);
    if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(palette::kAccent);
        p.drawEllipse(c, 2.5, 2.5);
    }
    p.setFont(font(palette::kFont, 11));
    p.setPen(QColor(210, 216, 224));
    p.drawText(box.adjusted(15, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    p.restore();
}
}  // namespace

SkinPreview::SkinPreview(const QHash<int, QImage>& images) : m_images(images) {}

QImage SkinPreview::image(int id) const
{
    // As the program sees it: opaque RGB.
    return m_images.value(id).convertToFormat(QImage::Format_RGB32);
}

QImage SkinPreview::maskedFace(int face, QPoint place) const
{
    // The skinned button's masked pass: background piece, then (NOT mask) OR
    // destination, then face AND destination.
    QImage out = image(202).copy(QRect(place, QSize(places::kSmallRound, places::kSmallRound)));
    const QImage mask = image(197);
    const QImage faceImage = image(face);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            QRgb d = out.pixel(x, y) & 0xffffff;
            d = (~mask.pixel(x, y) & 0xffffff) | d;
            d = (faceImage.pixel(x, y) & 0xffffff) & d;
            out.setPixel(x, y, 0xff000000 | d);
        }
    return out;
}

QImage SkinPreview::thumbOver(const QImage& channel, int x) const
{
    // The slider's transparent thumb: AND with the key mask, then OR the thumb
    // whose key pixels were turned black.
    QImage out = channel.convertToFormat(QImage::Format_RGB32);
    const QImage thumb = image(189);
    const QRgb key = thumb.pixel(0, 0);
    for (int ty = 0; ty < thumb.height(); ++ty)
        for (int tx = 0; tx < thumb.width(); ++tx) {
            const int dx = x + tx;
            const int dy = 10 + ty;
            if (dx < 0 || dx >= out.width() || dy >= out.height())
                continue;
            const bool transparent = thumb.pixel(tx, ty) == key;
            QRgb d = out.pixel(dx, dy) & (transparent ? 0xffffff : 0);
            d |= transparent ? 0 : (thumb.pixel(tx, ty) & 0xffffff);
            out.setPixel(dx, dy, 0xff000000 | d);
        }
    return out;
}

QImage SkinPreview::mainWindow(bool playing) const
{
    QImage out = image(202).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p;
    begin(p, &out);
    p.drawImage(places::kGauge, image(208));

    if (playing) {
        p.drawImage(places::kVideo.topLeft(), fakeVideo(places::kVideo.size()));
        fakeTelemetry(p, places::kGSensor);
        const int thumbCentre = 14 + int(0.35 * 568);
        p.drawImage(places::kPositionSlider.topLeft(), thumbOver(image(188), thumbCentre - 14));
    }

    const int normal[9] = {174, 170, 178, 182, 166, 168, 180, 172, 176};
    const int pushed[9] = {175, 171, 179, 181, 167, 169, 177, 165, 173};
    for (int i = 0; i < 9; ++i) {
        const bool down = playing && i == 5;
        p.drawImage(places::transportPlace(i), image(down ? pushed[i] : normal[i]));
    }

    struct Round { QPoint place; int face; };
    const Round rounds[] = {{places::kOpenButton, playing ? 148 : 150}, {places::kSnapshotButton, 145},
                            {places::kPrintButton, 141}, {places::kSettingsButton, playing ? 140 : 149}};
    for (const Round& r : rounds) {
        const QRegion region = QRegion(QRect(r.place, QSize(55, 55)), QRegion::Ellipse) &
                               QRegion(QRect(r.place, QSize(places::kRoundWindow, places::kRoundWindow)));
        p.save();
        p.setClipRegion(region);
        p.drawImage(r.place, image(r.face));
        p.restore();
    }

    const Round smalls[] = {{places::kHelpButton, 196}, {places::kLanguageButton, playing ? 207 : 206},
                            {places::kMinimiseButton, 192}, {places::kCloseButton, playing ? 195 : 194}};
    for (const Round& r : smalls) {
        p.save();
        p.setClipRegion(QRegion(QRect(r.place, QSize(24, 24)), QRegion::Ellipse));
        p.drawImage(r.place, maskedFace(r.face, r.place));
        p.restore();
    }

    p.drawImage(places::kRecordTab.topLeft(), image(playing ? 138 : 139));
    p.drawImage(places::kInfoTab.topLeft(), image(playing ? 137 : 136));

    // Volume at 500: the lit channel up to pixel 81.
    const int split = 28 + int(0.5 * (157 - 28 - 23));
    p.drawImage(places::kVolume.topLeft() + QPoint(split, 0), image(163), QRect(split, 0, 157 - split, 18));
    p.drawImage(places::kVolume.topLeft(), image(164), QRect(0, 0, split, 18));

    // Panel in the frame, cut to its region.
    QImage panel = image(playing ? 160 : 154).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter q;
        begin(q, &panel);
        const QFont small = font(palette::kFont, 12);
        q.setFont(small);
        if (!playing) {
            q.drawImage(places::kLoadButton, image(156));
            q.drawImage(places::kOpenRecordButton, image(158));
            q.setPen(Qt::white);
            q.drawText(QPointF(10, places::kLabelTop + 12), QStringLiteral("No."));
            q.drawText(QPointF(70, places::kLabelTop + 12), QStringLiteral("File Name"));
            q.drawText(QPointF(200, places::kLabelTop + 12), QStringLiteral("Event"));
            q.fillRect(places::kRecordList, palette::kListFill);
            for (int row = 0; row < 9; ++row) {
                const QRect line(places::kRecordList.left(), places::kRecordList.top() + row * 18,
                                 places::kRecordList.width(), 18);
                if (row == 0)
                    q.fillRect(line, QColor(0x30, 0x78, 0xd0));
                q.setPen(QColor(211, 211, 211));
                q.drawText(line.adjusted(4, 0, 0, 0), Qt::AlignVCenter, QStringLiteral("%1").arg(row + 1, 3, 10, QLatin1Char('0')));
                q.drawText(line.adjusted(62, 0, 0, 0), Qt::AlignVCenter,
                           QStringLiteral("2024_0512_08%1.asf").arg(15 + row));
                q.drawText(line.adjusted(207, 0, 0, 0), Qt::AlignVCenter, row == 3 ? QStringLiteral("Event") : QStringLiteral("Normal"));
            }
            q.drawImage(places::kPreview.topLeft(), fakeVideo(places::kPreview.size()));
        } else {
            q.drawImage(places::kPreviousButton, image(185), QRect(0, 0, 30, 18));
            q.drawImage(places::kNextButton, image(186));
            q.fillRect(places::kRecordText, palette::kEditFill);
            q.setPen(Qt::white);
            q.setFont(font(QStringLiteral("Liberation Sans"), 14, QFont::Light));
            q.drawText(places::kRecordText, Qt::AlignHCenter | Qt::TextWordWrap,
                       QStringLiteral("No.004 Record: /media/card/DCIM/2024_0512_0818.asf"));
            q.setFont(small);
            q.drawText(places::kResolutionLabel, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Resolution"));
            q.fillRect(places::kResolutionText, palette::kEditFill);
            q.drawText(places::kResolutionText.adjusted(3, 0, 0, 0), Qt::AlignVCenter, QStringLiteral("1280*720"));
            // A light street map, to judge the frame against it.
            const QRect map(places::kMap);
            q.fillRect(map, QColor(0xf2, 0xef, 0xe9));
            q.setPen(QPen(QColor(0xff, 0xff, 0xff), 6));
            q.drawLine(map.left(), map.top() + 120, map.right(), map.top() + 180);
            q.drawLine(map.left() + 140, map.top(), map.left() + 100, map.bottom());
            q.setPen(QPen(QColor(0xf7, 0xc8, 0x6e), 8));
            q.drawLine(map.left(), map.top() + 260, map.right(), map.top() + 240);
            q.setPen(Qt::NoPen);
            q.setBrush(QColor(0x2a, 0x81, 0xcb));
            q.drawEllipse(QPointF(map.left() + 122, map.top() + 150), 8, 8);
        }
    }
    const QRegion panelRegion(places::panelOutline().toFillPolygon().toPolygon());
    p.save();
    p.setClipRegion(panelRegion.translated(places::kPanelFrame.topLeft()));
    p.drawImage(places::kPanelFrame.topLeft(), panel);
    p.restore();

    const QFont readout = font(QStringLiteral("Liberation Sans"), 16);
    QFont italic = readout;
    italic.setItalic(true);
    textWithBackground(p, places::kTimeText, playing ? QStringLiteral("00:01:03 / 00:03:00") : QStringLiteral("00:00:00 / 00:00:00"),
                       font(QStringLiteral("Liberation Sans"), 13));
    textWithBackground(p, places::kSpeedReadout, playing ? QStringLiteral("62") : QStringLiteral("0"), italic,
                       Qt::AlignLeft | Qt::AlignVCenter);
    radio(p, places::kKmhRadio, QStringLiteral("Km/h"), true);
    radio(p, places::kMphRadio, QStringLiteral("M/H"), false);
    p.end();

    // The window's rounded outline over a desktop.
    QImage screen = canvas(out.size(), kDesktop);
    QPainter s(&screen);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, out.width(), out.height()), places::kWindowCorner, places::kWindowCorner);
    s.setClipRegion(QRegion(outline.toFillPolygon().toPolygon()));
    s.drawImage(0, 0, out);
    return screen;
}

QImage SkinPreview::aboutBox() const
{
    QImage out = image(203).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p;
    begin(p, &out);
    p.save();
    p.setClipRegion(QRegion(QRect(places::kAboutClose, QSize(25, 24)), QRegion::Ellipse));
    p.drawImage(places::kAboutClose, image(205));
    p.restore();
    p.drawImage(places::kAboutIcon, m_images.value(128).scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    p.setPen(QColor(255, 0, 0));
    p.setFont(font(QStringLiteral("Liberation Sans"), 22));
    p.drawText(places::kAboutText, Qt::AlignHCenter | Qt::TextWordWrap,
               QStringLiteral("Vehicle DVR and GPS tracker version 3.2"));
    p.end();
    QImage screen = canvas(out.size() + QSize(40, 40), kDesktop);
    QPainter s(&screen);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, out.width(), out.height()), places::kAboutCorner, places::kAboutCorner);
    s.translate(20, 20);
    s.setClipRegion(QRegion(outline.toFillPolygon().toPolygon()));
    s.drawImage(0, 0, out);
    return screen;
}

QImage SkinPreview::contactSheet(int zoom) const
{
    struct Tile { QString label; QImage picture; };
    QList<QList<Tile>> rows;
    auto face = [&](int id) { return Tile{QString::number(id), image(id)}; };
    const int normal[9] = {174, 170, 178, 182, 166, 168, 180, 172, 176};
    const int pushed[9] = {175, 171, 179, 181, 167, 169, 177, 165, 173};
    QList<Tile> row;
    for (int i = 0; i < 9; ++i)
        row << face(normal[i]);
    rows << row;
    row.clear();
    for (int i = 0; i < 9; ++i)
        row << face(pushed[i]);
    rows << row;
    row.clear();
    for (int id : {150, 148, 145, 146, 141, 142, 149, 140, 143, 144})
        row << face(id);
    rows << row;
    row.clear();
    struct Small { int face; QPoint place; };
    const Small smalls[] = {{196, places::kHelpButton}, {191, places::kHelpButton}, {206, places::kLanguageButton},
                            {207, places::kLanguageButton}, {192, places::kMinimiseButton}, {193, places::kMinimiseButton},
                            {194, places::kCloseButton}, {195, places::kCloseButton}};
    for (const Small& s : smalls)
        row << Tile{QString::number(s.face), maskedFace(s.face, s.place)};
    row << face(197) << face(196);
    rows << row;
    row.clear();
    for (int id : {138, 139, 136, 137})
        row << face(id);
    rows << row;
    row.clear();
    for (int id : {156, 157, 158, 159, 155, 184, 185, 186, 183, 205, 204, 189})
        row << face(id);
    rows << row;
    row.clear();
    row << face(208) << face(209) << face(164) << face(163);
    QImage thumbDemo = thumbOver(image(188).copy(0, 0, 120, 37), 40);
    row << Tile{QStringLiteral("188+189"), thumbDemo};
    rows << row;
    row.clear();
    const QImage icon = m_images.value(128);
    row << Tile{QStringLiteral("128"), icon.scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation)};
    for (int s : {48, 32, 16})
        row << Tile{QStringLiteral("128@%1").arg(s), icon.scaled(s, s, Qt::KeepAspectRatio, Qt::SmoothTransformation)};
    rows << row;

    const int gap = 12;
    const int labelHeight = 16;
    int width = 0;
    int height = gap;
    for (const auto& r : rows) {
        int w = gap;
        int h = 0;
        for (const Tile& t : r) {
            w += t.picture.width() * zoom + gap;
            h = std::max(h, t.picture.height() * zoom + labelHeight);
        }
        width = std::max(width, w);
        height += h + gap;
    }
    QImage sheet = canvas(QSize(width, height), QColor(0x44, 0x48, 0x4e));
    QPainter p(&sheet);
    p.setFont(font(palette::kFont, 11));
    int y = gap;
    for (const auto& r : rows) {
        int x = gap;
        int h = 0;
        for (const Tile& t : r) {
            const QSize size = t.picture.size() * zoom;
            // Icons keep their alpha: show them over a checker.
            if (t.picture.hasAlphaChannel()) {
                for (int cy = 0; cy < size.height(); cy += 8)
                    for (int cx = 0; cx < size.width(); cx += 8)
                        p.fillRect(QRect(x + cx, y + cy, 8, 8), ((cx + cy) / 8) % 2 ? QColor(0xdd, 0xdd, 0xdd) : QColor(0xf8, 0xf8, 0xf8));
            }
            p.drawImage(QRect(QPoint(x, y), size), t.picture);
            p.setPen(Qt::white);
            p.drawText(QPoint(x, y + size.height() + 13), t.label);
            x += size.width() + gap;
            h = std::max(h, size.height() + labelHeight);
        }
        y += h + gap;
    }
    return sheet;
}
