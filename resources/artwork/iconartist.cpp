#include "iconartist.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include "palette.h"
#include "paintkit.h"

using namespace paintkit;

QImage IconArtist::paint() const
{
    QImage image = canvas(QSize(256, 256));
    QPainter p;
    begin(p, &image);

    // Tile.
    const QRectF tileRect(16, 14, 224, 224);
    const QPainterPath tile = roundRect(tileRect, 52);
    dropShadow(p, tile, QColor(0, 0, 0, 150), 8, QPointF(0, 5));
    p.fillPath(tile, vertical(tileRect, QColor(0x36, 0x3e, 0x49), QColor(0x10, 0x13, 0x18)));
    QRadialGradient sheen(QPointF(70, 40), 200);
    sheen.setColorAt(0, QColor(255, 255, 255, 34));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillPath(tile, sheen);
    QLinearGradient rim(tileRect.topLeft(), tileRect.bottomLeft());
    rim.setColorAt(0, QColor(255, 255, 255, 90));
    rim.setColorAt(0.25, QColor(255, 255, 255, 14));
    rim.setColorAt(1, QColor(0, 0, 0, 120));
    p.setPen(QPen(QBrush(rim), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundRect(tileRect.adjusted(1, 1, -1, -1), 51));

    const QPointF c(128, 132);

    // Brow: a swept crescent over the lens in kestrel rust, sharp at both
    // ends like a raptor's brow ridge.
    QPainterPath brow;
    brow.moveTo(26, 106);
    brow.cubicTo(42, 40, 150, 12, 234, 44);
    brow.cubicTo(168, 40, 86, 56, 26, 106);
    brow.closeSubpath();
    QLinearGradient rust(26, 0, 234, 0);
    rust.setColorAt(0, QColor(0xa8, 0x43, 0x16));
    rust.setColorAt(0.55, QColor(0xe3, 0x80, 0x2a));
    rust.setColorAt(1, QColor(0xff, 0xc4, 0x5e));
    dropShadow(p, brow, QColor(0, 0, 0, 170), 5, QPointF(0, 3));
    p.fillPath(brow, rust);
    QLinearGradient gloss(0, 20, 0, 90);
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 0));
    p.fillPath(brow, gloss);

    // Barrel: machined ring with a conical sheen and knurling.
    const qreal barrel = 82;
    dropShadow(p, ellipse(c, barrel), QColor(0, 0, 0, 200), 8, QPointF(0, 5));
    QConicalGradient machined(c, 90);
    machined.setColorAt(0, QColor(0xe8, 0xed, 0xf2));
    machined.setColorAt(0.18, QColor(0x6c, 0x76, 0x82));
    machined.setColorAt(0.35, QColor(0xc4, 0xcc, 0xd5));
    machined.setColorAt(0.5, QColor(0x4a, 0x52, 0x5c));
    machined.setColorAt(0.68, QColor(0xb0, 0xb9, 0xc3));
    machined.setColorAt(0.85, QColor(0x5a, 0x63, 0x6e));
    machined.setColorAt(1, QColor(0xe8, 0xed, 0xf2));
    p.fillPath(ellipse(c, barrel), machined);
    p.fillPath(ellipse(c, barrel - 9), QColor(0x1a, 0x1e, 0x24));
    p.setPen(QPen(QColor(0x0c, 0x0e, 0x11), 2));
    for (int i = 0; i < 72; ++i) {
        const qreal a = 2 * M_PI * i / 72;
        const QPointF d(qCos(a), qSin(a));
        p.drawLine(c + d * (barrel - 8), c + d * (barrel - 3.5));
    }
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, barrel - 0.5, barrel - 0.5);

    // Glass.
    const qreal glass = 64;
    QRadialGradient deep(c + QPointF(-14, -18), glass * 1.2);
    deep.setColorAt(0, QColor(0x1b, 0x4a, 0x62));
    deep.setColorAt(0.55, QColor(0x08, 0x18, 0x24));
    deep.setColorAt(1, QColor(0x01, 0x03, 0x05));
    p.fillPath(ellipse(c, glass), deep);
    p.setPen(QPen(QColor(0, 0, 0, 200), 3));
    p.drawEllipse(c, glass, glass);

    // The eye: yellow eye-ring, amber-brown iris, deep pupil.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xcf, 0x4a));
    p.drawEllipse(c, 41, 41);
    QRadialGradient iris(c, 37);
    iris.setColorAt(0, QColor(0xff, 0xb2, 0x3e));
    iris.setColorAt(0.7, QColor(0xc9, 0x64, 0x12));
    iris.setColorAt(1, QColor(0x5a, 0x26, 0x08));
    p.setBrush(iris);
    p.drawEllipse(c, 36.5, 36.5);
    QRadialGradient pupil(c, 23);
    pupil.setColorAt(0, QColor(0x00, 0x00, 0x00));
    pupil.setColorAt(0.85, QColor(0x03, 0x06, 0x09));
    pupil.setColorAt(1, QColor(0x10, 0x18, 0x20));
    p.setBrush(pupil);
    p.drawEllipse(c, 22, 22);

    // Reflections on the glass: a cyan arc and a soft violet one, catch light.
    QColor cyan = palette::kAccent;
    cyan.setAlpha(200);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(cyan, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - 53, c.y() - 53, 106, 106), 105 * 16, 55 * 16);
    p.setPen(QPen(QColor(170, 120, 255, 110), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - 53, c.y() - 53, 106, 106), -60 * 16, 30 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 240));
    p.drawEllipse(c + QPointF(-10, -10), 6.5, 6.5);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(c + QPointF(9, 9), 2.5, 2.5);

    // Tear stripe of the kestrel below the eye, in the slate of its head.
    QPainterPath stripe;
    stripe.moveTo(78, 196);
    stripe.cubicTo(70, 210, 68, 222, 74, 234);
    stripe.cubicTo(86, 226, 98, 214, 104, 204);
    stripe.closeSubpath();
    QPainterPath cheek = tile.subtracted(ellipse(c, barrel + 3));
    p.fillPath(stripe.intersected(cheek), vertical(QRectF(68, 196, 36, 38), QColor(0x6f, 0x8d, 0xb4), QColor(0x3b, 0x52, 0x70)));
    return image;
}
