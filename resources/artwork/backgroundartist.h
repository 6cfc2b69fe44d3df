#pragma once
// Paints the main window's background (bitmap 202): the rounded body, the
// header with the wordmark, and the recesses, trays and sockets in which the
// window's children sit.
#include <QImage>
#include <QPainter>

class BackgroundArtist
{
public:
    QImage paint() const;

    // The small round emblem of the wordmark (a lens with a raptor's eye),
    // also used on the idle video screen and in the about box.
    static void paintEmblem(QPainter& painter, const QPointF& centre, qreal radius, qreal opacity = 1.0);
    // "Kestrelview" with its baseline starting at origin.
    static void paintWordmark(QPainter& painter, const QPointF& origin, qreal pixelSize);

private:
    void paintHeader(QPainter& painter) const;
    void paintVideoBezel(QPainter& painter) const;
    void paintSensorWell(QPainter& painter) const;
    void paintConsole(QPainter& painter) const;
    void paintCommandSockets(QPainter& painter) const;
    void paintWindowButtonRail(QPainter& painter) const;
    void paintTabRail(QPainter& painter) const;
    void paintVolumeArea(QPainter& painter) const;
};
