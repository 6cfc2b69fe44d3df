#include "telemetrypanel.h"

#include "controlid.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
// The surface is copied to the panel one pixel in from its top-left corner.
constexpr int kSurfaceOffset = 1;
}  // namespace

TelemetryPanel::TelemetryPanel(QWidget* parent, int controlId) : QWidget(parent)
{
    SetControlId(this, controlId);
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
        painter.drawImage(QPoint(kSurfaceOffset, kSurfaceOffset), m_surface, QRect(0, 0, w, h));
}

void TelemetryPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_clickPending = true;
    m_dragger.Press(event->globalPosition().toPoint());
}

void TelemetryPanel::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragger.Move(window(), event->globalPosition().toPoint(), event->buttons())) {
        m_clickPending = false;
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TelemetryPanel::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragger.Cancel();
    if (event->button() == Qt::LeftButton && m_clickPending) {
        m_clickPending = false;
        emit surfacePicked(qRound(event->position().x()) - kSurfaceOffset);
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
