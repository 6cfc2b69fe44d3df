#include "telemetrystrippainter.h"

#include "telemetrystrip.h"
#include "telemetrytrack.h"

#include <QPainter>
#include <QPoint>
#include <array>

namespace {
constexpr int kXBaseline = 50;
constexpr int kYBaseline = 60;
constexpr int kZBaseline = 65;
constexpr int kCursorTop = 30;
constexpr int kPositions = 1000;

void DrawCurve(QPainter& painter, const QPen& pen, const double* values, int sampleCount, int width, int baseline)
{
    // Point k joins segment k − 1 to k; one polyline of 1001 points.
    static thread_local std::array<QPoint, kPositions + 1> points;
    for (int k = 0; k <= kPositions; ++k) {
        const int x = StripX(k, width);
        const int y = CurveY(baseline, values[SampleIndex(k, sampleCount)]);
        points[k] = QPoint(x, y);
    }
    painter.setPen(pen);
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}
}  // namespace

TelemetryStripPainter::TelemetryStripPainter()
    : m_xPen(QColor(255, 255, 255), 1, Qt::SolidLine),
      m_yPen(QColor(0, 255, 0), 1, Qt::SolidLine),
      m_zPen(QColor(255, 0, 0), 1, Qt::SolidLine),
      m_cursorPen(QColor(160, 32, 240), 2, Qt::DotLine)
{
}

int TelemetryStripPainter::Paint(QImage& surface, const TelemetryTrack& track, int position, const QFont& font) const
{
    const int n = track.sampleCount;
    if (!HasDrawableTrack(n) || !track.holdsTelemetry)
        return -1;
    const int w = surface.width();
    const int h = surface.height();

    QPainter painter(&surface);
    painter.setRenderHint(QPainter::Antialiasing, false);

    DrawCurve(painter, m_xPen, track.accelX, n, w, kXBaseline);
    DrawCurve(painter, m_yPen, track.accelY, n, w, kYBaseline);
    DrawCurve(painter, m_zPen, track.accelZ, n, w, kZBaseline);

    const int cursorX = CursorX(position, w);
    painter.setPen(m_cursorPen);
    painter.drawLine(cursorX, kCursorTop, cursorX, h);

    const int b = SampleIndex(position, n);
    painter.setFont(font);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::black);
    const auto readout = [&](int x, const QColor& colour, const char* format, double value) {
        painter.setPen(colour);
        const QString text = QString::asprintf(format, value);
        painter.drawText(QRect(x, 0, w - x, h), Qt::AlignLeft | Qt::AlignTop, text);
    };
    readout(30, QColor(255, 255, 255), "X : %.2f", track.accelX[b]);
    readout(w / 2, QColor(0, 255, 0), "Y : %.2f", track.accelY[b]);
    readout(w - 80, QColor(255, 0, 0), "Z : %.2f", track.accelZ[b]);
    return b;
}
