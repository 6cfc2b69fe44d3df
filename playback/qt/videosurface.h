#pragma once
// VideoSurface: the widget a CDXGraph draws its frames into. Normally a child of
// the target widget, filling it and transparent for the mouse so clicks reach the
// target; in full screen a frameless top-level window that passes mouse presses,
// double-clicks and keys on to the target. Owned by its CDXGraph; UI thread only.
#include <QImage>
#include <QPointer>
#include <QWidget>

class VideoSurface : public QWidget {
    Q_OBJECT
public:
    explicit VideoSurface(QWidget* target);

    // The frame to show; the image may wrap decoder memory that it releases when
    // the last copy goes. A null image paints black.
    void setFrame(const QImage& frame);
    const QImage& frame() const { return m_frame; }
    // Number of paint events that drew a frame (for tests and the benchmark).
    quint64 framesPainted() const { return m_framesPainted; }

    QWidget* target() const { return m_target; }
    void enterFullScreen();
    void leaveFullScreen();
    bool isFullScreenSurface() const { return m_fullScreen; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillTarget();
    void forwardMouse(QMouseEvent* event);
    void forwardKey(QKeyEvent* event);

    QPointer<QWidget> m_target;
    QImage m_frame;
    quint64 m_framesPainted = 0;
    bool m_fullScreen = false;
};
