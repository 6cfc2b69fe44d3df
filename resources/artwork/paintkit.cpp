#include "paintkit.h"

#include <QFont>
#include <QLinearGradient>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "palette.h"

namespace paintkit {

QImage canvas(QSize size, const QColor& fill)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void begin(QPainter& painter, QImage* image)
{
    painter.begin(image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

QPainterPath roundRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath ellipse(const QPointF& centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QRectF halfPixel(const QRect& rect)
{
    return QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
}

namespace {
// One horizontal and one vertical running-sum pass over all four channels.
void boxPass(QImage& image, int radius, bool horizontal)
{
    const int w = image.width();
    const int h = image.height();
    const int lines = horizontal ? h : w;
    const int length = horizontal ? w : h;
    const int window = 2 * radius + 1;
    std::vector<quint32> line(length);
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> quint32& {
            return horizontal ? reinterpret_cast<quint32*>(image.scanLine(l))[i]
                              : reinterpret_cast<quint32*>(image.scanLine(i))[l];
        };
        for (int i = 0; i < length; ++i)
            line[i] = at(i);
        for (int c = 0; c < 4; ++c) {
            const int shift = c * 8;
            auto value = [&](int i) -> int {
                if (i < 0 || i >= length)
                    return 0;
                return int((line[i] >> shift) & 0xff);
            };
            int sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += value(i);
            for (int i = 0; i < length; ++i) {
                const quint32 v = quint32(std::clamp((sum + window / 2) / window, 0, 255));
                at(i) = (at(i) & ~(0xffu << shift)) | (v << shift);
                sum += value(i + radius + 1) - value(i - radius);
            }
        }
    }
}
}  // namespace

QImage blurred(const QImage& image, int radius)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius <= 0)
        return out;
    const int r = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(out, r, true);
        boxPass(out, r, false);
    }
    return out;
}

void drawInside(QPainter& painter, const QImage& layer, QPoint origin, const QPainterPath& shape)
{
    QImage clipped = layer.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage cover = canvas(clipped.size());
    {
        QPainter p;
        begin(p, &cover);
        p.translate(-origin);
        p.fillPath(shape, Qt::black);
    }
    {
        QPainter p(&clipped);
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        p.drawImage(0, 0, cover);
    }
    painter.drawImage(origin, clipped);
}

void dropShadow(QPainter& painter, const QPainterPath& shape, const QColor& color, int radius,
                QPointF offset)
{
    const QRect box = shape.boundingRect().toAlignedRect().adjusted(-3 * radius, -3 * radius,
                                                                    3 * radius, 3 * radius)
                          .translated(offset.toPoint());
    QImage layer = canvas(box.size());
    {
        QPainter p;
        begin(p, &layer);
        p.translate(-box.topLeft() + offset);
        p.fillPath(shape, color);
    }
    painter.drawImage(box.topLeft(), blurred(layer, radius));
}

void innerShadow(QPainter& painter, const QPainterPath& shape, const QColor& color, int radius,
                 QPointF offset)
{
    const QRect box = shape.boundingRect().toAlignedRect().adjusted(-2, -2, 2, 2);
    const int pad = 3 * radius + 4;
    QImage layer = canvas(box.size() + QSize(2 * pad, 2 * pad), color);
    {
        QPainter p;
        begin(p, &layer);
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.translate(-box.topLeft() + QPoint(pad, pad) + offset);
        p.fillPath(shape, Qt::black);
    }
    drawInside(painter, blurred(layer, radius), box.topLeft() - QPoint(pad, pad), shape);
}

void outerGlow(QPainter& painter, const QPainterPath& shape, const QColor& color, int radius)
{
    const QRect box = shape.boundingRect().toAlignedRect().adjusted(-3 * radius, -3 * radius,
                                                                    3 * radius, 3 * radius);
    QImage layer = canvas(box.size());
    {
        QPainter p;
        begin(p, &layer);
        p.translate(-box.topLeft());
        p.fillPath(shape, color);
        p.setPen(QPen(color, 2));
        p.drawPath(shape);
    }
    layer = blurred(layer, radius);
    {
        QPainter p;
        begin(p, &layer);
        p.translate(-box.topLeft());
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.fillPath(shape, Qt::black);
    }
    painter.drawImage(box.topLeft(), layer);
}

QLinearGradient vertical(const QRectF& rect, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void recess(QPainter& painter, const QPainterPath& shape, const QColor& fill, int depth)
{
    // The lip: a light line just below the hole, a dark one just above.
    painter.save();
    painter.setPen(QPen(QColor(255, 255, 255, 26), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape.translated(0, 1));
    painter.setPen(QPen(QColor(0, 0, 0, 110), 1));
    painter.drawPath(shape.translated(0, -0.5));
    painter.restore();
    painter.fillPath(shape, fill);
    innerShadow(painter, shape, QColor(0, 0, 0, 200), depth, QPointF(0, depth / 2.0 + 1));
}

void raisedKey(QPainter& painter, const QRectF& rect, qreal radius, KeyState state)
{
    const QPainterPath body = roundRect(rect, radius);
    painter.save();
    if (state == KeyState::Pressed) {
        painter.fillPath(body, vertical(rect, palette::kKeyPressedTop, palette::kKeyPressedBottom));
        innerShadow(painter, body, QColor(0, 0, 0, 220), 4, QPointF(0, 2));
        painter.setPen(QPen(QColor(0, 0, 0, 160), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(roundRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5));
        // Light lip under the pressed key: it sits below the surface.
        painter.setPen(QPen(QColor(255, 255, 255, 30), 1));
        painter.drawLine(QPointF(rect.left() + radius, rect.bottom() + 0.5),
                         QPointF(rect.right() - radius, rect.bottom() + 0.5));
    } else {
        const bool hover = state == KeyState::Hover;
        // Contact shadow under the key.
        painter.fillPath(roundRect(rect.translated(0, 1), radius), QColor(0, 0, 0, 120));
        painter.fillPath(body, vertical(rect, hover ? palette::kKeyHoverTop : palette::kKeyTop,
                                        hover ? palette::kKeyHoverBottom : palette::kKeyBottom));
        // Rim: bright on top, fading out towards the bottom.
        QLinearGradient rim(rect.topLeft(), rect.bottomLeft());
        rim.setColorAt(0, QColor(255, 255, 255, hover ? 90 : 64));
        rim.setColorAt(0.45, QColor(255, 255, 255, 10));
        rim.setColorAt(1, QColor(0, 0, 0, 90));
        painter.setPen(QPen(QBrush(rim), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(roundRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5));
        if (hover) {
            QColor glow = palette::kAccent;
            glow.setAlpha(120);
            painter.setPen(QPen(glow, 1));
            painter.drawPath(roundRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5));
        }
    }
    painter.restore();
}

void brushedGrain(QImage& image, const QPainterPath& area, quint32 seed, int amplitude)
{
    QImage cover = canvas(image.size());
    {
        QPainter p;
        begin(p, &cover);
        p.fillPath(area, Qt::black);
    }
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const int w = image.width();
    std::vector<double> noise(w);
    std::vector<double> smooth(w);
    for (int y = 0; y < image.height(); ++y) {
        // Long streaks: noise smoothed along the row, plus an offset per row.
        for (double& n : noise)
            n = unit(random);
        const int r = 18;
        for (int pass = 0; pass < 2; ++pass) {
            double sum = 0;
            for (int i = -r; i <= r; ++i)
                sum += noise[std::clamp(i, 0, w - 1)];
            for (int x = 0; x < w; ++x) {
                smooth[x] = sum / (2 * r + 1);
                sum += noise[std::clamp(x + r + 1, 0, w - 1)] - noise[std::clamp(x - r, 0, w - 1)];
            }
            noise = smooth;
        }
        const double rowOffset = unit(random) * 0.6;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* coverLine = reinterpret_cast<const QRgb*>(cover.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = qAlpha(coverLine[x]);
            if (a == 0)
                continue;
            const double v = std::clamp(noise[x] * 3.2 + rowOffset, -1.0, 1.0);
            const int delta = int(std::lround(v * amplitude * a / 255.0));
            if (delta == 0)
                continue;
            const QRgb c = line[x];
            const int alpha = qAlpha(c);
            auto ch = [&](int value) { return std::clamp(value + delta, 0, alpha); };
            line[x] = qRgba(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)), alpha);
        }
    }
}

QImage piece(const QImage& source, const QRect& rect)
{
    return source.copy(rect).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QFont font(const QString& family, qreal pixelSize, int weight, qreal letterSpacingPercent)
{
    QFont f(family);
    f.setPixelSize(int(std::lround(pixelSize)));
    f.setWeight(QFont::Weight(weight));
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    if (letterSpacingPercent != 100)
        f.setLetterSpacing(QFont::PercentageSpacing, letterSpacingPercent);
    return f;
}

}  // namespace paintkit
