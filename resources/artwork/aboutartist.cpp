#include "aboutartist.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include "backgroundartist.h"
#include "palette.h"
#include "paintkit.h"
#include "windowplaces.h"

using namespace paintkit;

QImage AboutArtist::paint() const
{
    const QSize size = places::kAbout;
    QImage image = canvas(size, palette::kOutside);
    const QPainterPath face = roundRect(QRectF(QPointF(0, 0), size), places::kAboutCorner);
    {
        QPainter p;
        begin(p, &image);
        p.fillPath(face, vertical(QRectF(QPointF(0, 0), size), QColor(0x1d, 0x22, 0x29), QColor(0x0f, 0x12, 0x16)));
    }
    brushedGrain(image, face, 203, 2);

    QPainter p;
    begin(p, &image);
    const qreal horizon = 62;
    const qreal heroBottom = 94;
    const QPointF vanish(420, horizon - 4);

    // Sky and the glow of the horizon.
    QPainterPath hero;
    hero.addRect(QRectF(0, 0, size.width(), heroBottom));
    hero = hero.intersected(face);
    QLinearGradient sky(0, 0, 0, heroBottom);
    sky.setColorAt(0, QColor(0x0c, 0x12, 0x1a));
    sky.setColorAt(horizon / heroBottom, QColor(0x13, 0x2a, 0x38));
    sky.setColorAt(1, QColor(0x0a, 0x0d, 0x11));
    p.fillPath(hero, sky);
    QRadialGradient glow(vanish, 260);
    glow.setColorAt(0, QColor(52, 205, 242, 90));
    glow.setColorAt(0.35, QColor(52, 205, 242, 26));
    glow.setColorAt(1, QColor(52, 205, 242, 0));
    p.save();
    p.setClipPath(hero);
    p.fillRect(QRectF(0, 0, size.width(), heroBottom), glow);
    // Horizon line.
    QLinearGradient line(0, 0, size.width(), 0);
    line.setColorAt(0, QColor(52, 205, 242, 0));
    line.setColorAt(0.5, QColor(52, 205, 242, 120));
    line.setColorAt(0.72, QColor(120, 230, 255, 200));
    line.setColorAt(1, QColor(52, 205, 242, 0));
    p.fillRect(QRectF(0, horizon, size.width(), 1), line);

    // Ground: a perspective grid, thinning into the distance.
    for (int k = 1; k < 9; ++k) {
        const qreal t = std::pow(k / 9.0, 2.2);
        const qreal y = horizon + t * (heroBottom - horizon);
        p.fillRect(QRectF(0, std::floor(y), size.width(), 1), QColor(52, 205, 242, int(10 + 30 * t)));
    }
    p.setPen(QPen(QColor(52, 205, 242, 26), 1));
    for (int k = -14; k <= 14; ++k) {
        if (k == 0)
            continue;
        p.drawLine(vanish, QPointF(vanish.x() + k * 70, heroBottom + 40));
    }
    // The road: two bright edges and amber centre dashes.
    QPainterPath road;
    road.moveTo(vanish + QPointF(-3, 0));
    road.lineTo(QPointF(vanish.x() - 200, heroBottom + 30));
    road.lineTo(QPointF(vanish.x() + 200, heroBottom + 30));
    road.lineTo(vanish + QPointF(3, 0));
    road.closeSubpath();
    p.fillPath(road, vertical(QRectF(0, horizon, 1, heroBottom - horizon), QColor(8, 12, 16, 120), QColor(8, 12, 16, 230)));
    p.setPen(QPen(QColor(150, 235, 255, 210), 1.4));
    p.drawLine(vanish + QPointF(-3, 0), QPointF(vanish.x() - 200, heroBottom + 30));
    p.drawLine(vanish + QPointF(3, 0), QPointF(vanish.x() + 200, heroBottom + 30));
    for (int k = 0; k < 5; ++k) {
        const qreal t0 = std::pow((k + 0.3) / 5.0, 1.8);
        const qreal t1 = std::pow((k + 0.75) / 5.0, 1.8);
        const qreal y0 = vanish.y() + t0 * (heroBottom + 30 - vanish.y());
        const qreal y1 = vanish.y() + t1 * (heroBottom + 30 - vanish.y());
        QPainterPath dash;
        dash.moveTo(vanish.x() - 0.4 - 2.2 * t0, y0);
        dash.lineTo(vanish.x() + 0.4 + 2.2 * t0, y0);
        dash.lineTo(vanish.x() + 0.4 + 2.2 * t1, y1);
        dash.lineTo(vanish.x() - 0.4 - 2.2 * t1, y1);
        dash.closeSubpath();
        p.fillPath(dash, palette::kAmber);
    }
    p.restore();

    // Hero edge: a groove and a fading accent line.
    p.fillRect(QRectF(0, heroBottom, size.width(), 1), QColor(0, 0, 0, 160));
    QLinearGradient accent(0, 0, size.width(), 0);
    accent.setColorAt(0, QColor(52, 205, 242, 0));
    accent.setColorAt(0.15, QColor(52, 205, 242, 150));
    accent.setColorAt(0.85, QColor(52, 205, 242, 150));
    accent.setColorAt(1, QColor(52, 205, 242, 0));
    p.fillRect(QRectF(0, heroBottom + 1, size.width(), 1), accent);

    // Badge under the icon the window draws at (50, 40).
    const QPointF badge = QRectF(places::kAboutIcon).center();
    dropShadow(p, ellipse(badge, 25), QColor(0, 0, 0, 200), 6, QPointF(0, 2));
    p.fillPath(ellipse(badge, 25), vertical(QRectF(badge.x() - 25, badge.y() - 25, 50, 50),
                                            QColor(0x3a, 0x42, 0x4c), QColor(0x15, 0x19, 0x1e)));
    p.fillPath(ellipse(badge, 22), QColor(0x0d, 0x10, 0x14));
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(badge, 24.5, 24.5);

    BackgroundArtist::paintWordmark(p, QPointF(102, 64), 26);

    // Socket of the close button.
    const QPointF close = QPointF(places::kAboutClose) + QPointF(12.5, 12);
    recess(p, ellipse(close, 13), QColor(0x0b, 0x0d, 0x10), 3);

    // A faint instrument arc low in the field: automotive, yet quiet enough
    // for the red product line that is written above it.
    {
        const QPointF hub(size.width() / 2.0, size.height() + 250);
        const qreal r = 300;
        p.save();
        p.setClipPath(face);
        for (int i = -30; i <= 30; ++i) {
            const qreal a = qDegreesToRadians(90.0 + i * 1.2);
            const QPointF d(qCos(a), -qSin(a));
            const bool major = i % 5 == 0;
            const qreal t = std::abs(i) / 30.0;
            QColor tick = i > 18 ? palette::kAmber : palette::kAccent;
            tick.setAlpha(int((major ? 90 : 48) * (1 - 0.7 * t)));
            p.setPen(QPen(tick, major ? 1.6 : 1, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(hub + d * (r - (major ? 12 : 7)), hub + d * r);
        }
        QColor arc = palette::kAccent;
        arc.setAlpha(26);
        p.setPen(QPen(arc, 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(hub, r + 4, r + 4);
        p.restore();
    }

    // Footer: a thin rule, the text field above it stays calm.
    QLinearGradient rule(0, 0, size.width(), 0);
    rule.setColorAt(0, QColor(255, 255, 255, 0));
    rule.setColorAt(0.5, QColor(255, 255, 255, 30));
    rule.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(60, size.height() - 22, size.width() - 120, 1), rule);

    // Rim.
    QLinearGradient rim(0, 0, 0, size.height());
    rim.setColorAt(0, QColor(255, 255, 255, 50));
    rim.setColorAt(0.3, QColor(255, 255, 255, 10));
    rim.setColorAt(1, QColor(0, 0, 0, 140));
    p.setPen(QPen(QBrush(rim), 1));
    p.drawPath(roundRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), places::kAboutCorner - 0.5));
    return image;
}
