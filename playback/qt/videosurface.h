#pragma once
// VideoSurface: the widget a CDXGraph draws its frames into. Normally a child of
// the target widget, filling it and transparent for the mouse so clicks reach the
// target; in full screen a frameless window of the target's own window, above
// it, that passes mouse presses, double-clicks and keys on to the target. The
// picture keeps its proportions, centred between black bars. On the GL path a
// GlVideoView child draws the picture; otherwise the surface paints it itself.
// Owned by its CDXGraph; UI thread only.
#include "videoframe.h"

#include <QImage>
#include <QPointer>
#include <QElapsedTimer>
#include <QWidget>

class GlVideoView;

class VideoSurface : public QWidget {
    Q_OBJECT
public:
    // gpu: draw through OpenGL (frames are then I420 at their native size).
    explicit VideoSurface(QWidget* target, bool gpu = false);

    // The frame to show; it may wrap decoder memory that it releases when the
    // last copy goes. A null frame paints black. An image of the picture's size
    // (pictureRect) is copied as it is; another is scaled smoothly.
    void setFrame(const VideoFrame& frame);
    // The video's native size and pixel aspect, which give the picture's place.
    void setVideoGeometry(QSize native, int parNumerator, int parDenominator);
    // Where the picture goes on the surface; the rest is black.
    QRect pictureRect() const;
    const VideoFrame& frame() const { return m_frame; }
    bool drawsThroughGl() const { return m_gl != nullptr; }
    // Number of paint events that drew a frame, and of different frames drawn
    // (for tests and the benchmark).
    quint64 framesPainted() const { return m_framesPainted; }
    quint64 framesShown() const { return m_framesShown; }

    QWidget* target() const { return m_target; }
    void enterFullScreen();
    void leaveFullScreen();
    bool isFullScreenSurface() const { return m_fullScreen; }

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
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
    void countPaint();

    QPointer<QWidget> m_target;
    GlVideoView* m_gl = nullptr; // child, GL path only
    VideoFrame m_frame;
    QSize m_nativeSize;
    int m_parNumerator = 1;
    int m_parDenominator = 1;
    quint64 m_framesPainted = 0;
    quint64 m_framesShown = 0;
    quint64 m_frameSerial = 0;
    quint64 m_paintedSerial = 0;
    bool m_fullScreen = false;
    // The last press while full screen, to tell a double click ourselves.
    QElapsedTimer m_lastPress;
    QPointF m_lastPressAt;
    bool m_madeDoubleClick = false;
};
