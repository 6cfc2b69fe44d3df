#include "videosurface.h"

#include "glvideoview.h"
#include "videofit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <utility>

VideoSurface::VideoSurface(QWidget* target, bool gpu)
    : QWidget(target)
    , m_target(target)
{
    if (gpu) {
        // First child, so that notes laid over the surface stay above it.
        m_gl = new GlVideoView(this);
        connect(m_gl, &GlVideoView::framePainted, this, &VideoSurface::countPaint);
    }
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

void VideoSurface::setFrame(const VideoFrame& frame)
{
    const bool sameSize = frame.size() == m_frame.size();
    m_frame = frame;
    ++m_frameSerial;
    if (m_gl) {
        m_gl->setFrame(frame, pictureRect());
        return;
    }
    // Only the picture changes; the bars are drawn when the surface is exposed.
    if (sameSize && !frame.isNull())
        update(pictureRect());
    else
        update();
}

void VideoSurface::setVideoGeometry(QSize native, int parNumerator, int parDenominator)
{
    if (native == m_nativeSize && parNumerator == m_parNumerator && parDenominator == m_parDenominator)
        return;
    m_nativeSize = native;
    m_parNumerator = parNumerator;
    m_parDenominator = parDenominator;
    if (m_gl)
        m_gl->setPictureRect(pictureRect());
    update();
}

QRect VideoSurface::pictureRect() const
{
    if (!m_nativeSize.isEmpty())
        return FitVideo(size(), m_nativeSize, m_parNumerator, m_parDenominator);
    return FitVideo(size(), m_frame.size());
}

void VideoSurface::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_gl) {
        m_gl->setGeometry(rect());
        m_gl->setPictureRect(pictureRect());
    }
    emit resized();
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
    // Now the surface must see the input itself to pass it on; set before it
    // becomes a window, which would otherwise let all input through.
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    // A window of the target's own window: a window manager keeps it above
    // that window.
    setParent(m_target ? m_target->window() : nullptr, Qt::Window | Qt::FramelessWindowHint);
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowTransparentForInput, false);
    setFocusPolicy(Qt::StrongFocus);
    // Without a window manager nobody sizes a full-screen window: cover the
    // screen of the player's window ourselves.
    if (QScreen* screen = m_target ? m_target->screen() : QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
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
    // Leave the full-screen state behind with the window: a state still set
    // would make the next full screen a change to nothing.
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    setParent(m_target, Qt::Widget);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Being a window made the surface native; a native child takes the
    // pointer from the window system itself unless it is told not to.
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowTransparentForInput, true);
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

void VideoSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect picture = pictureRect();
    if (m_gl) {
        // Covered by the GL view but for the moment before it first draws.
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    const QImage& image = m_frame.image();
    if (image.isNull() || picture.isEmpty()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    const QRegion bars = event->region().subtracted(picture);
    for (const QRect& bar : bars)
        painter.fillRect(bar, Qt::black);
    // GStreamer delivers frames at the picture's size: a plain copy. A frame of
    // another size (the still of a paused engine after a resize) is smoothed.
    if (image.size() == picture.size()) {
        painter.drawImage(picture.topLeft(), image);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(picture, image);
    }
    countPaint();
}

void VideoSurface::countPaint()
{
    ++m_framesPainted;
    if (std::exchange(m_paintedSerial, m_frameSerial) != m_frameSerial)
        ++m_framesShown;
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
    // Full screen, the surface is the window under the pointer: a press it
    // left unaccepted would keep Qt from making the next one a double click,
    // and the double click is what leaves full screen.
    event->setAccepted(m_fullScreen || forwarded.isAccepted());
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
    // Full screen, the window system hands the surface presses that Qt does
    // not always pair into a double click (the window has just been made);
    // the second press of a pair is passed on as the double click itself.
    if (m_fullScreen && event->button() == Qt::LeftButton) {
        const bool pair = m_lastPress.isValid() && m_lastPress.elapsed() <= QApplication::doubleClickInterval()
                          && (event->position() - m_lastPressAt).manhattanLength() < QApplication::startDragDistance();
        if (pair) {
            m_lastPress.invalidate();
            m_madeDoubleClick = true;
            QMouseEvent doubleClick(QEvent::MouseButtonDblClick, event->position(), event->globalPosition(),
                                    event->button(), event->buttons(), event->modifiers(), event->pointingDevice());
            forwardMouse(&doubleClick);
            event->accept();
            return;
        }
        m_lastPress.start();
        m_lastPressAt = event->position();
        m_madeDoubleClick = false;
    }
    forwardMouse(event);
}

void VideoSurface::mouseReleaseEvent(QMouseEvent* event)
{
    forwardMouse(event);
}

void VideoSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Already passed on from its second press.
    if (m_fullScreen && std::exchange(m_madeDoubleClick, false)) {
        event->accept();
        return;
    }
    m_lastPress.invalidate();
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
