#pragma once
// CMemDC: an off-screen surface that stands in for a target painter during one
// paint. Everything is drawn into an image of the covered rectangle, in the
// target's own coordinates, and the finished picture reaches the target in one
// copy when the surface is destroyed, so nobody sees a half-drawn control.
// Lives on the stack of one paint handler (user-interface thread); the target
// painter is borrowed and must outlive the surface.
#include <QImage>
#include <QPainter>
#include <QRect>

class CMemDC {
public:
    // rect is in the target's logical coordinates. The surface starts filled
    // with the target's background colour (QPainter::background()).
    CMemDC(QPainter* target, const QRect& rect);
    ~CMemDC();

    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // Draws in the target's logical coordinates; clipped to the rectangle.
    QPainter* painter() { return &m_painter; }
    QPainter* operator->() { return &m_painter; }

    QRect rect() const { return m_rect; }

private:
    QPainter* m_target;   // borrowed
    QRect m_rect;         // logical, target coordinates
    QRect m_deviceRect;   // the same area after the target's world transform
    QImage m_image;
    QPainter m_painter;
};
