#include "panelartist.h"

#include <QPainterPath>
#include <QRadialGradient>

#include "palette.h"
#include "paintkit.h"
#include "windowplaces.h"

using namespace paintkit;

namespace {
constexpr int kHeaderHeight = 27;

void faintGrid(QPainter& p, const QRectF& area, int step, const QColor& color)
{
    p.save();
    p.setClipRect(area);
    p.setPen(QPen(color, 1));
    for (qreal x = area.left() + step / 2; x < area.right(); x += step)
        p.drawLine(QPointF(std::floor(x) + 0.5, area.top()), QPointF(std::floor(x) + 0.5, area.bottom()));
    for (qreal y = area.top() + step / 2; y < area.bottom(); y += step)
        p.drawLine(QPointF(area.left(), std::floor(y) + 0.5), QPointF(area.right(), std::floor(y) + 0.5));
    p.restore();
}

void cornerMarks(QPainter& p, const QRectF& r, const QColor& color, qreal len)
{
    p.save();
    p.setPen(QPen(color, 1, Qt::SolidLine, Qt::SquareCap));
    auto bracket = [&](QPointF at, qreal dx, qreal dy) {
        p.drawLine(at, at + QPointF(dx * len, 0));
        p.drawLine(at, at + QPointF(0, dy * len));
    };
    bracket(r.topLeft(), 1, 1);
    bracket(r.topRight(), -1, 1);
    bracket(r.bottomLeft(), 1, -1);
    bracket(r.bottomRight(), -1, -1);
    p.restore();
}
}  // namespace

void PanelArtist::paintCard(QPainter& p)
{
    const QPainterPath outline = places::panelOutline();
    const QRectF box = outline.boundingRect();
    p.fillPath(outline, vertical(box, palette::kPanelTop, palette::kPanelBottom));
    // Header band, a shade lighter, closed by a groove.
    QPainterPath header;
    header.addRect(QRectF(0, 0, box.width(), kHeaderHeight));
    header = header.intersected(outline);
    p.fillPath(header, vertical(header.boundingRect(), QColor(255, 255, 255, 20), QColor(255, 255, 255, 6)));
    p.fillRect(QRectF(1, kHeaderHeight, box.width() - 2, 1), QColor(0, 0, 0, 110));
    p.fillRect(QRectF(1, kHeaderHeight + 1, box.width() - 2, 1), QColor(255, 255, 255, 14));
    // Rim: an even band along the edge hides the steps of the window region.
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x4a, 0x57, 0x68), 2));
    p.drawPath(outline);
    QLinearGradient shine(box.topLeft(), box.bottomLeft());
    shine.setColorAt(0, QColor(255, 255, 255, 70));
    shine.setColorAt(0.3, QColor(255, 255, 255, 14));
    shine.setColorAt(1, QColor(255, 255, 255, 4));
    QPainterPathStroker inner;
    inner.setWidth(3);
    const QPainterPath band = inner.createStroke(outline).intersected(outline);
    QPainterPath innerEdge = outline.subtracted(band);
    p.setPen(QPen(QBrush(shine), 1));
    p.drawPath(innerEdge);
    p.restore();
}

void PanelArtist::paintFrame(QPainter& p, const QPointF& origin)
{
    p.save();
    p.translate(origin);
    const QPainterPath outline = places::panelOutline();
    dropShadow(p, outline, QColor(0, 0, 0, 200), 14, QPointF(0, 5));
    QColor halo = palette::kAccent;
    halo.setAlpha(26);
    outerGlow(p, outline, halo, 6);
    paintCard(p);
    p.restore();
}

void PanelArtist::paintHeader(QPainter& p, Glyph glyph)
{
    QColor icon = palette::kAccent;
    icon.setAlpha(200);
    drawGlyph(p, glyph, QRectF(14, 5, 16, 16).translated(0, 1), QColor(0, 0, 0, 140));
    drawGlyph(p, glyph, QRectF(14, 5, 16, 16), icon);
}

void PanelArtist::paintWell(QPainter& p, const QRect& inner, const QColor& fill, qreal radius)
{
    recess(p, roundRect(QRectF(inner).adjusted(-2, -2, 2, 2), radius), fill, 3);
    p.fillRect(inner, fill);
}

QImage PanelArtist::recordPanel() const
{
    QImage image = canvas(places::kPanelFrame.size(), Qt::black);
    QPainter p;
    begin(p, &image);
    paintCard(p);
    paintHeader(p, Glyph::List);

    // Column titles are painted by the panel itself at y 30 (x 10, 70, 200).
    const QRectF strip(5, 29, 306, 18);
    p.fillPath(roundRect(strip, 3), QColor(0x17, 0x1e, 0x28));
    QColor line = palette::kAccent;
    line.setAlpha(110);
    p.fillRect(QRectF(strip.left() + 2, strip.bottom() - 1, strip.width() - 4, 1), line);
    p.setPen(QPen(QColor(255, 255, 255, 34), 1));
    for (qreal x : {64.5, 194.5})
        p.drawLine(QPointF(x, strip.top() + 4), QPointF(x, strip.bottom() - 4));

    paintWell(p, places::kRecordList, palette::kListFill);

    // Divider between the list and the preview.
    const qreal y = 277.5;
    QColor rule(255, 255, 255, 30);
    p.setPen(QPen(rule, 1));
    p.drawLine(QPointF(16, y), QPointF(138, y));
    p.drawLine(QPointF(178, y), QPointF(300, y));
    drawGlyph(p, Glyph::VideoCamera, QRectF(150, 269, 16, 16), palette::kGlyphDim);

    paintWell(p, places::kPreview, QColor(0x04, 0x05, 0x07));
    const QRectF preview(places::kPreview);
    drawGlyph(p, Glyph::VideoCamera, QRectF(preview.center() - QPointF(20, 20), QSizeF(40, 40)),
              QColor(255, 255, 255, 22));
    QColor mark = palette::kAccent;
    mark.setAlpha(70);
    cornerMarks(p, preview.adjusted(8.5, 8.5, -9.5, -9.5), mark, 10);
    return image;
}

QImage PanelArtist::infoPanel() const
{
    QImage image = canvas(places::kPanelFrame.size(), Qt::black);
    QPainter p;
    begin(p, &image);
    paintCard(p);
    paintHeader(p, Glyph::Info);

    // Between Previous and Next: a slot with a pager of dots.
    const QRectF slot(46, 30, 198, 18);
    recess(p, roundRect(slot, 4), QColor(0x12, 0x17, 0x1e), 3);
    for (int i = -2; i <= 2; ++i) {
        const QPointF c = slot.center() + QPointF(i * 12, 0.5);
        if (i == 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(palette::kAccent);
            p.drawEllipse(c, 2.5, 2.5);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 60 - 18 * std::abs(i)));
            p.drawEllipse(c, 1.8, 1.8);
        }
    }

    paintWell(p, places::kRecordText, palette::kEditFill, 4);

    // Resolution: label and value in one bar.
    const QRect bar = places::kResolutionLabel.united(places::kResolutionText);
    recess(p, roundRect(QRectF(bar).adjusted(-2, -2, 2, 2), 3), palette::kListFill, 3);
    p.fillRect(places::kResolutionLabel, palette::kListFill);
    p.fillRect(places::kResolutionText.adjusted(-3, 0, 0, 0), palette::kEditFill);
    drawGlyph(p, Glyph::VideoCamera, QRectF(22, 132, 16, 16), palette::kGlyphDim);

    // The map fills the rest; until it loads, a dark chart with a pin.
    const QRectF map(places::kMap);
    recess(p, roundRect(map.adjusted(-1, -1, 12, 12), 3), QColor(0x0d, 0x12, 0x18), 3);
    faintGrid(p, map.adjusted(2, 2, 0, 0), 32, QColor(80, 150, 200, 18));
    drawGlyph(p, Glyph::MapPin, QRectF(map.center() - QPointF(18, 30), QSizeF(36, 36)),
              QColor(255, 255, 255, 26));
    return image;
}
