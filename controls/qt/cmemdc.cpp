#include "cmemdc.h"

#include <QPaintDevice>

CMemDC::CMemDC(QPainter* target, const QRect& rect)
    : m_target(target), m_rect(rect)
{
    if (!m_target || !m_target->isActive() || rect.isEmpty())
        return;

    // The area in the target's device-independent pixels, after its world
    // transform; the image covers it at the device's pixel ratio.
    m_deviceRect = m_target->transform().mapRect(rect);
    const qreal ratio = m_target->device() ? m_target->device()->devicePixelRatioF() : 1.0;
    m_image = QImage(m_deviceRect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    if (m_image.isNull())
        return;
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(m_target->background().color());

    // Same mapping as the target, with the origin moved so that a point drawn
    // at target (x, y) lands where the final copy puts it.
    m_painter.begin(&m_image);
    m_painter.setTransform(m_target->transform()
                           * QTransform::fromTranslate(-m_deviceRect.x(), -m_deviceRect.y()));
    m_painter.setPen(m_target->pen());
    m_painter.setBrush(m_target->brush());
    m_painter.setFont(m_target->font());
    m_painter.setBackground(m_target->background());
    m_painter.setBackgroundMode(m_target->backgroundMode());
}

CMemDC::~CMemDC()
{
    if (!m_painter.isActive())
        return;
    m_painter.end();
    // One plain copy of the rectangle, like a source-copy block transfer.
    m_target->save();
    m_target->resetTransform();
    m_target->setCompositionMode(QPainter::CompositionMode_Source);
    m_target->drawImage(m_deviceRect.topLeft(), m_image);
    m_target->restore();
}
