#pragma once
// Small painting helpers shared by the artists: canvases, soft shadows made by
// blurring, antialiased clipping through layers, recessed wells and raised
// keys, and the fine horizontal grain of brushed metal.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace paintkit {

enum class KeyState { Normal, Hover, Pressed };

// Transparent (or filled) premultiplied canvas.
QImage canvas(QSize size, const QColor& fill = Qt::transparent);
// A painter with antialiasing and smooth transforms on.
void begin(QPainter& painter, QImage* image);

QPainterPath roundRect(const QRectF& rect, qreal radius);
QPainterPath ellipse(const QPointF& centre, qreal radius);
// Rectangle whose edges sit on pixel centres, for crisp 1-px strokes.
QRectF halfPixel(const QRect& rect);

// Box blur (three passes approximate a Gaussian) of a premultiplied image.
QImage blurred(const QImage& image, int radius);

// Draws a layer (placed at origin) only inside shape, with an antialiased edge.
void drawInside(QPainter& painter, const QImage& layer, QPoint origin, const QPainterPath& shape);

// Soft shadow of shape drawn under it: the shape filled with color, moved by
// offset and blurred.
void dropShadow(QPainter& painter, const QPainterPath& shape, const QColor& color, int radius,
                QPointF offset);
// Shadow falling inside shape from its edge, as in a hole (offset downwards
// makes the top edge cast it).
void innerShadow(QPainter& painter, const QPainterPath& shape, const QColor& color, int radius,
                 QPointF offset);
// Glow around shape (outside only).
void outerGlow(QPainter& painter, const QPainterPath& shape, const QColor& color, int radius);

// A recess cut into the surface: dark rim above, light lip below, filled with
// fill and shaded from the top.
void recess(QPainter& painter, const QPainterPath& shape, const QColor& fill, int depth = 4);
// Raised key: gradient face, top highlight, dark base line, state colours.
void raisedKey(QPainter& painter, const QRectF& rect, qreal radius, KeyState state);
// Vertical gradient from top to bottom colour over rect.
QLinearGradient vertical(const QRectF& rect, const QColor& top, const QColor& bottom);

// Adds a faint horizontal grain (brushed metal) inside area; amplitude in
// 8-bit levels. Deterministic for a given seed.
void brushedGrain(QImage& image, const QPainterPath& area, quint32 seed, int amplitude);

// A copy of the piece of source at rect (the background a face sits on).
QImage piece(const QImage& source, const QRect& rect);

QFont font(const QString& family, qreal pixelSize, int weight = QFont::Normal,
           qreal letterSpacingPercent = 100);

}  // namespace paintkit
