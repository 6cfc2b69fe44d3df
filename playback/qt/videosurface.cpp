#include "videosurface.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

VideoSurface::VideoSurface(QWidget* target)
    : QWidget(target)
    , m_target(target)
{
    // Every pixel is painted by the frame (or black), so nothing needs erasing.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // As a child the surface is only a picture: clicks belong to the target.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    if (m_target) {
        m_target->installEventFilter(this);
        fillTarget();
    }
}

void VideoSurface::setFrame(const QImage& frame)
{
    m_frame = frame;
    update();
}

void VideoSurface::fillTarget()
{
    if (m_target)
        setGeometry(0, 0, m_target->width(), m_target->height());
}

void VideoSurface::enterFullScreen()
{
    if (m_fullScreen)
        return;
    m_fullScreen = true;
    setParent(nullptr, Qt::Window | Qt::FramelessWindowHint);
    // Now the surface must see the input itself to pass it on.
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    setFocusPolicy(Qt::StrongFocus);
    showFullScreen();
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void VideoSurface::leaveFullScreen()
{
    if (!m_fullScreen)
        return;
    m_fullScreen = false;
    setParent(m_target, Qt::Widget);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    fillTarget();
    if (m_target)
        show();
    if (m_target && m_target->window())
        m_target->window()->activateWindow();
}

bool VideoSurface::eventFilter(QObject* watched, QEvent* event)
{
    // The design places the surface once; following the target's size as well
    // costs nothing and keeps the picture whole if a layout ever moves it.
    if (watched == m_target && event->type() == QEvent::Resize && !m_fullScreen)
        fillTarget();
    return QWidget::eventFilter(watched, event);
}

void VideoSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_frame.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // Stretched to the whole surface without smoothing: a plain blit when the
    // sizes match and a cheap nearest-pixel scale otherwise.
    if (m_frame.size() == size())
        painter.drawImage(QPoint(0, 0), m_frame);
    else
        painter.drawImage(rect(), m_frame);
    ++m_framesPainted;
}

void VideoSurface::forwardMouse(QMouseEvent* event)
{
    if (!m_target || width() <= 0 || height() <= 0)
        return;
    // The same place of the picture, in the target's coordinates.
    const QPointF local(event->position().x() * m_target->width() / width(),
                        event->position().y() * m_target->height() / height());
    QMouseEvent forwarded(event->type(), local, m_target->mapToGlobal(local), event->button(), event->buttons(),
                          event->modifiers(), event->pointingDevice());
    QCoreApplication::sendEvent(m_target, &forwarded);
    event->setAccepted(forwarded.isAccepted());
}

void VideoSurface::forwardKey(QKeyEvent* event)
{
    if (!m_target)
        return;
    QKeyEvent forwarded(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                        event->nativeVirtualKey(), event->nativeModifiers(), event->text(), event->isAutoRepeat(),
                        event->count());
    // Sent through the application so an unhandled key climbs to the target's
    // window (Escape reaching the dialog), as it would from the target itself.
    QCoreApplication::sendEvent(m_target, &forwarded);
    event->setAccepted(forwarded.isAccepted());
}

void VideoSurface::mousePressEvent(QMouseEvent* event)
{
    forwardMouse(event);
}

void VideoSurface::mouseReleaseEvent(QMouseEvent* event)
{
    forwardMouse(event);
}

void VideoSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    forwardMouse(event);
}

void VideoSurface::keyPressEvent(QKeyEvent* event)
{
    forwardKey(event);
}

void VideoSurface::keyReleaseEvent(QKeyEvent* event)
{
    forwardKey(event);
}
