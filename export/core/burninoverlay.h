#pragma once
// The readouts the burned-in MP4 carries on every frame: a dark translucent panel in the
// upper left with the speed, the X/Y/Z forces (each with a small bar) and the position, in
// the player's readout colours and font. Pure QPainter on a QImage, so the encoder's thread
// may use it; it needs a QGuiApplication for its fonts.

#include "burnedinmp4.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

class BurnInOverlay {
public:
    // Drawn at this scale on a frame of 480 lines; larger frames get larger text.
    static constexpr int kReferenceHeight = 480;
    // The bars run from -kBarRangeG to +kBarRangeG, centred on zero.
    static constexpr double kBarRangeG = 2.0;

    BurnInOverlay(QSize frameSize, bool miles);

    // Where the panel lies on a frame; nothing outside it is touched.
    QRect PanelRect() const { return m_panel; }

    // Draws the readouts of sample (nullptr: no telemetry for this moment) onto frame,
    // which must have the size given at construction. recordingSeconds is the frame's
    // time in the source, shown so a viewer can find the moment in the original.
    void Draw(QImage& frame, const BurnInSample* sample, double recordingSeconds) const;

    // The texts the panel shows, apart so tests can check figures without reading pixels.
    QString SpeedText(const BurnInSample* sample) const;
    static QString ForceText(char axis, double g);
    static QString PositionText(const BurnInSample* sample);
    static QString TimeText(double recordingSeconds);

private:
    QSize m_size;
    bool m_miles;
    double m_scale;
    QRect m_panel;
};

// The sample shown at seconds: the last one at or before it, else the first; nullptr when
// there are none. samples must be ordered by time.
const BurnInSample* BurnInSampleAt(const std::vector<BurnInSample>& samples, double seconds);
