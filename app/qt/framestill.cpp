#include "framestill.h"

#include <QEvent>
#include <QPainter>

FrameStill::FrameStill(QWidget* videoArea) : QWidget(videoArea)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    if (videoArea) {
        videoArea->installEventFilter(this);
        setGeometry(videoArea->rect());
    }
    hide();
}

void FrameStill::ShowFrame(const QImage& frame, bool dimmed)
{
    if (frame.isNull()) {
        Clear();
        return;
    }
    // A deep copy: the engine's frame may wrap decoder memory of a pipeline
    // that is about to go.
    m_frame = frame.copy();
    m_dimmed = dimmed;
    if (parentWidget())
        setGeometry(parentWidget()->rect());
    lower();
    show();
    update();
}

void FrameStill::Clear()
{
    m_frame = QImage();
    m_dimmed = false;
    hide();
}

bool FrameStill::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void FrameStill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_frame.isNull())
        return;
    // Whole and undistorted, centred with black bars, as the picture plays.
    QSize fitted = m_frame.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_frame);
    if (m_dimmed)
        painter.fillRect(target, QColor(0, 0, 0, kDimAlpha));
}
