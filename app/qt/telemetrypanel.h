#pragma once
// The G-sensor panel (control 1034): shows the strip that the display tick
// drew off screen. The copy keeps the design's one-pixel frame: the surface's
// top-left (width − 2) × (height − 2) part lands at (1, 1).
#include <QImage>
#include <QWidget>

class TelemetryPanel : public QWidget {
    Q_OBJECT
public:
    TelemetryPanel(QWidget* parent, int controlId);
    void SetSurface(const QImage& surface);
    const QImage& Surface() const { return m_surface; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_surface;
};
