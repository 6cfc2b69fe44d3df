#pragma once
// CBitmapButton: the framework's bitmap button (tabs and transport buttons of
// the main window). It shows its normal image, the pushed image while the
// program has set its pushed state or while it is held down, the focused image
// while it has the focus and the disabled image while disabled (each when
// given). No caption, no focus rectangle. User-interface thread only.
#include <QAbstractButton>
#include <QImage>

class CBitmapButton : public QAbstractButton {
    Q_OBJECT
public:
    CBitmapButton(QWidget* parent, int controlId);
    ~CBitmapButton() override;

    // Ids of 0 mean "none". Sizes the button to the normal image. False when the
    // normal image or any image asked for cannot be loaded.
    bool LoadBitmaps(int normalId, int pushedId, int focusedId = 0, int disabledId = 0);
    bool LoadImages(const QImage& normal, const QImage& pushed, const QImage& focused = QImage(),
                    const QImage& disabled = QImage());

    // The program-set pushed look (the platform's button state message).
    void SetPushedState(bool pushed);
    bool PushedState() const { return m_pushedState; }

    // The image the next paint shows.
    const QImage& CurrentImage() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QImage m_normal;
    QImage m_pushed;
    QImage m_focused;
    QImage m_disabled;
    bool m_pushedState = false;
};
