#pragma once
// Paints the two panels that take turns in the main window's right-hand frame:
// the record list (bitmap 154) and the information panel (bitmap 160). Both
// are the same card, cut to the panels' rounded window region; the main
// background carries the card's shadow so the panels sit in it seamlessly.
#include <QImage>
#include <QPainter>

#include "glyphs.h"

class PanelArtist
{
public:
    QImage recordPanel() const;
    QImage infoPanel() const;

    // The card with its shadow, at origin of the main window's background.
    static void paintFrame(QPainter& painter, const QPointF& origin);

private:
    static void paintCard(QPainter& painter);
    static void paintHeader(QPainter& painter, Glyph glyph);
    static void paintWell(QPainter& painter, const QRect& inner, const QColor& fill, qreal radius = 3);
};
