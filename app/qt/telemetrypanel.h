#pragma once
// The G-sensor panel (control 1034): shows the strip that the display tick
// drew off screen. The copy keeps the design's one-pixel frame: the surface's
// top-left (width − 2) × (height − 2) part lands at (1, 1). A click on the
// strip names the place under the pointer in the surface's coordinates (the
// main window seeks there as the slider does); a drag from it moves the
// window, as a drag on any other part of the window's surface does.
#include "windowdragger.h"

#include <QImage>
#include <QWidget>

class TelemetryPanel : public QWidget {
    Q_OBJECT
public:
    TelemetryPanel(QWidget* parent, int controlId);
    void SetSurface(const QImage& surface);
    const QImage& Surface() const { return m_surface; }

signals:
    // x in the surface drawn by the display tick (the panel's x less its frame).
    void surfacePicked(int surfaceX);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_surface;
    WindowDragger m_dragger;
    bool m_clickPending = false;
};
