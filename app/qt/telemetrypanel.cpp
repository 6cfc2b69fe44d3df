#include "telemetrypanel.h"

#include "controlid.h"

#include <QPainter>

TelemetryPanel::TelemetryPanel(QWidget* parent, int controlId) : QWidget(parent)
{
    SetControlId(this, controlId);
    // A static control: presses fall through to the window, which drags itself.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TelemetryPanel::SetSurface(const QImage& surface)
{
    m_surface = surface;
    update();
}

void TelemetryPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_surface.isNull())
        return;
    const int w = width() - 2;
    const int h = height() - 2;
    if (w > 0 && h > 0)
        painter.drawImage(QPoint(1, 1), m_surface, QRect(0, 0, w, h));
}
