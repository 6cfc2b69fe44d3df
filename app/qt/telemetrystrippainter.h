#pragma once
// Paints the telemetry strip: the G-sensor curves of the whole recording, the
// dotted cursor at the playing position and the X/Y/Z readouts of the sample
// under it. The pens are made once; a paint allocates nothing per sample.
#include <QFont>
#include <QImage>
#include <QPen>

struct TelemetryTrack;

class TelemetryStripPainter {
public:
    TelemetryStripPainter();

    // Draws curves, cursor and readouts for slider position `position`
    // (0..1000) over what the surface already holds. Returns the sample under
    // the cursor, or -1 when the track has fewer than two samples or holds no
    // telemetry (nothing is drawn then and no sample is read).
    int Paint(QImage& surface, const TelemetryTrack& track, int position, const QFont& font) const;

private:
    QPen m_xPen;
    QPen m_yPen;
    QPen m_zPen;
    QPen m_cursorPen;
};
