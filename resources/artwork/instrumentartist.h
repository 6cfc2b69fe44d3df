#pragma once
// Paints the instruments of the main window: the speed gauges (208 km/h,
// 209 mph), the position slider's channel (188) and thumb (189), and the
// volume slider's plain and lit channels (163, 164). Each is composed over
// the piece of background it covers.
#include <QImage>
#include <QPainter>

class InstrumentArtist
{
public:
    explicit InstrumentArtist(const QImage& background);

    QImage gauge(bool kmh) const;
    QImage positionChannel() const;
    QImage positionThumb() const;
    QImage volumeChannel(bool lit) const;

    // Parts the background shares, so a hidden slider leaves its bed in place.
    static void paintPositionGroove(QPainter& painter, const QPointF& origin);
    static void paintVolumeBed(QPainter& painter, const QPointF& origin);

    // Colour the thumb's transparent pixels carry (its pixel (0, 0)).
    static constexpr QRgb kThumbKey = 0xffff00ff;

private:
    QImage m_background;
};
