#include "glyphs.h"

#include <QFont>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

#include "palette.h"

namespace {

QPainterPath triangle(QPointF a, QPointF b, QPointF c)
{
    QPainterPath path;
    path.addPolygon(QPolygonF({a, b, c, a}));
    path.closeSubpath();
    return path;
}

QPainterPath rect(qreal x, qreal y, qreal w, qreal h, qreal radius = 0)
{
    QPainterPath path;
    if (radius > 0)
        path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    else
        path.addRect(QRectF(x, y, w, h));
    return path;
}

QPainterPath mirrored(const QPainterPath& path)
{
    QTransform flip(-1, 0, 0, 1, 16, 0);
    return flip.map(path);
}

QPainterPath stroked(const QPainterPath& path, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

// Circular arrow turning back (counter-clockwise): the arc runs from the top
// clockwise round to the upper left; the head at the top points left.
QPainterPath circularArrow()
{
    const QPointF centre(8, 8.5);
    const qreal r = 6.3;
    QPainterPath arc;
    arc.arcMoveTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 88);
    arc.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 88, -298);
    QPainterPath path = stroked(arc, 1.6);
    const QPointF tip(centre.x() - 3.6, centre.y() - r);
    path = path.united(triangle(tip, QPointF(centre.x() + 0.4, centre.y() - r - 3.2),
                                QPointF(centre.x() + 0.4, centre.y() - r + 3.2)));
    return path;
}

QPainterPath digitThree()
{
    QFont f(palette::kFont);
    f.setPixelSize(8);
    f.setWeight(QFont::Bold);
    QPainterPath text;
    text.addText(0, 0, f, QStringLiteral("3"));
    const QRectF b = text.boundingRect();
    return text.translated(8.2 - b.center().x(), 9.2 - b.center().y());
}

QPainterPath gear()
{
    const QPointF c(8, 8);
    const int teeth = 8;
    QPolygonF outline;
    for (int i = 0; i < teeth; ++i) {
        const qreal a = 2 * M_PI * i / teeth;
        const qreal half = M_PI / teeth;
        // Each tooth: flat top on the outer circle, flanks down to the root.
        const qreal angles[] = {a - half * 0.95, a - half * 0.42, a + half * 0.42, a + half * 0.95};
        const qreal radii[] = {5.3, 7.4, 7.4, 5.3};
        for (int k = 0; k < 4; ++k)
            outline << c + QPointF(radii[k] * qCos(angles[k]), radii[k] * qSin(angles[k]));
    }
    outline << outline.first();
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 2.4, 2.4);
    return path.subtracted(hole);
}

QPainterPath questionMark()
{
    QFont f(palette::kFont);
    f.setPixelSize(15);
    f.setWeight(QFont::Bold);
    QPainterPath text;
    text.addText(0, 0, f, QStringLiteral("?"));
    const QRectF b = text.boundingRect();
    const qreal s = 12.5 / b.height();
    QTransform t;
    t.translate(8, 8);
    t.scale(s, s);
    t.translate(-b.center().x(), -b.center().y());
    return t.map(text);
}

QPainterPath glyphPath(Glyph glyph)
{
    switch (glyph) {
    case Glyph::Play:
        return triangle({4.5, 2}, {4.5, 14}, {14, 8});
    case Glyph::Pause:
        return rect(4, 3, 3, 10, 0.6).united(rect(9, 3, 3, 10, 0.6));
    case Glyph::Stop:
        return rect(3.5, 3.5, 9, 9, 1.2);
    case Glyph::ToStart:
        return rect(1.5, 3, 2, 10)
            .united(triangle({4, 8}, {9.5, 3}, {9.5, 13}))
            .united(triangle({9.5, 8}, {15, 3}, {15, 13}));
    case Glyph::ToEnd:
        return mirrored(glyphPath(Glyph::ToStart));
    case Glyph::FrameBack:
        return rect(3.5, 3, 2, 10).united(triangle({6.5, 8}, {12.5, 3}, {12.5, 13}));
    case Glyph::FrameForward:
        return mirrored(glyphPath(Glyph::FrameBack));
    case Glyph::Back3:
        return circularArrow().united(digitThree());
    case Glyph::Forward3:
        return mirrored(circularArrow()).united(digitThree());
    case Glyph::Folder: {
        QPainterPath back;
        back.moveTo(1.5, 3);
        back.lineTo(6, 3);
        back.lineTo(7.5, 4.6);
        back.lineTo(13.5, 4.6);
        back.lineTo(13.5, 6.2);
        back.lineTo(3.2, 6.2);
        back.lineTo(1.5, 12);
        back.closeSubpath();
        QPainterPath front;
        front.moveTo(3.8, 7.4);
        front.lineTo(15.4, 7.4);
        front.lineTo(13.4, 13.2);
        front.lineTo(1.6, 13.2);
        front.closeSubpath();
        return stroked(back, 0.4).united(back).united(front);
    }
    case Glyph::Camera: {
        QPainterPath body = rect(1, 4.6, 14, 9.2, 2);
        body = body.united(rect(5, 2.8, 6, 3, 0.8));
        QPainterPath ring;
        ring.addEllipse(QPointF(8, 9.2), 3.5, 3.5);
        QPainterPath lens;
        lens.addEllipse(QPointF(8, 9.2), 2.1, 2.1);
        QPainterPath flash;
        flash.addEllipse(QPointF(12.6, 6.9), 0.8, 0.8);
        return body.subtracted(ring).united(lens).subtracted(flash);
    }
    case Glyph::Printer: {
        QPainterPath top = stroked(rect(4.5, 1.8, 7, 3.6), 1.1);
        QPainterPath body = rect(1.2, 5.2, 13.6, 6.6, 1.6).subtracted(rect(3.6, 8.6, 8.8, 6));
        QPainterPath paper = rect(4.6, 9.4, 6.8, 5, 0.3)
                                 .subtracted(rect(6, 10.9, 4, 0.8))
                                 .subtracted(rect(6, 12.5, 4, 0.8));
        QPainterPath led;
        led.addEllipse(QPointF(12.6, 6.9), 0.7, 0.7);
        return top.united(body).united(paper).subtracted(led);
    }
    case Glyph::Gear:
        return gear();
    case Glyph::Help:
        return questionMark();
    case Glyph::Minimise:
        return rect(3.5, 7, 9, 2, 1);
    case Glyph::Close: {
        QPainterPath cross;
        cross.moveTo(4, 4);
        cross.lineTo(12, 12);
        cross.moveTo(12, 4);
        cross.lineTo(4, 12);
        return stroked(cross, 2);
    }
    case Glyph::Globe: {
        // Outline, one meridian and the equator: stays a globe at 14 px.
        QPainterPath lines;
        lines.addEllipse(QPointF(8, 8), 6.3, 6.3);
        lines.addEllipse(QPointF(8, 8), 2.7, 6.3);
        lines.moveTo(1.7, 8);
        lines.lineTo(14.3, 8);
        return stroked(lines, 1.25);
    }
    case Glyph::List: {
        QPainterPath path;
        for (int row = 0; row < 3; ++row) {
            const qreal y = 3.5 + row * 4.5;
            path = path.united(rect(1.5, y - 1, 2.2, 2.2, 0.4)).united(rect(5.5, y - 0.8, 9, 1.6, 0.5));
        }
        return path;
    }
    case Glyph::Info: {
        QPainterPath ring;
        ring.addEllipse(QPointF(8, 8), 6.6, 6.6);
        QPainterPath path = stroked(ring, 1.4);
        QPainterPath dot;
        dot.addEllipse(QPointF(8, 4.9), 1.1, 1.1);
        return path.united(dot).united(rect(7.1, 6.9, 1.8, 5.2, 0.4));
    }
    case Glyph::Speaker: {
        QPainterPath cone;
        cone.addPolygon(QPolygonF({{1.5, 6}, {4.5, 6}, {8.5, 2.5}, {8.5, 13.5}, {4.5, 10}, {1.5, 10}}));
        cone.closeSubpath();
        QPainterPath waves;
        waves.arcMoveTo(QRectF(6.5, 5, 6, 6), -45);
        waves.arcTo(QRectF(6.5, 5, 6, 6), -45, 90);
        waves.arcMoveTo(QRectF(4.5, 2, 11, 12), -50);
        waves.arcTo(QRectF(4.5, 2, 11, 12), -50, 100);
        return cone.united(stroked(waves, 1.3));
    }
    case Glyph::Previous:
    case Glyph::Next: {
        QPainterPath chevron;
        chevron.moveTo(10, 3.5);
        chevron.lineTo(5.5, 8);
        chevron.lineTo(10, 12.5);
        QPainterPath path = stroked(chevron, 2.2);
        return glyph == Glyph::Next ? mirrored(path) : path;
    }
    case Glyph::VideoCamera:
        return rect(1, 4, 10, 8, 1.6).united(triangle({10.5, 8}, {15, 4.6}, {15, 11.4}));
    case Glyph::MapPin: {
        QPainterPath pin;
        pin.moveTo(8, 15);
        pin.cubicTo(4, 10.2, 2.6, 8.2, 2.6, 6.2);
        pin.arcTo(QRectF(2.6, 0.8, 10.8, 10.8), 180, -180);
        pin.cubicTo(13.4, 8.2, 12, 10.2, 8, 15);
        pin.closeSubpath();
        QPainterPath hole;
        hole.addEllipse(QPointF(8, 6.2), 2.2, 2.2);
        return pin.subtracted(hole);
    }
    case Glyph::Minus:
        return rect(4, 7.25, 8, 1.5, 0.5);
    case Glyph::Plus:
        return rect(4, 7.25, 8, 1.5, 0.5).united(rect(7.25, 4, 1.5, 8, 0.5));
    }
    return {};
}

}  // namespace

void drawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& color)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 16.0, box.height() / 16.0);
    painter.fillPath(glyphPath(glyph), color);
    painter.restore();
}
