#pragma once
// The picture the video area keeps when no engine draws into it: the last
// frame of a recording, dimmed once the recording has ended, or undimmed for
// the moment a continuous drive hands over to the next recording. A child of
// the video area that fills it, below the engine's surface and the note, and
// transparent for the mouse so double clicks and drags reach the video area.
// Owned by its parent; UI thread only.
#include <QImage>
#include <QWidget>

class FrameStill : public QWidget {
    Q_OBJECT
public:
    // How much of the picture shows through when dimmed (0..255 of black laid over it).
    static constexpr int kDimAlpha = 150;

    explicit FrameStill(QWidget* videoArea);

    // Shows frame under everything else in the video area; a null frame clears.
    void ShowFrame(const QImage& frame, bool dimmed);
    void Clear();

    bool HasFrame() const { return !m_frame.isNull(); }
    bool IsDimmed() const { return m_dimmed; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QImage m_frame;
    bool m_dimmed = false;
};
