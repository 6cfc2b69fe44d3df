#pragma once
// CControlButton: a push button whose whole look comes from skin bitmaps
// (normal, hover and pressed faces), optionally clipped to an ellipse and
// optionally drawn over a piece of its parent's background picture through a
// mask, so a round face sits seamlessly on the skin. No caption, no focus
// rectangle, no disabled look. Owned by its window; user-interface thread only.
#include <QAbstractButton>
#include <QImage>
#include <QRect>

class CControlButton : public QAbstractButton {
    Q_OBJECT
public:
    CControlButton(QWidget* parent, int controlId);
    ~CControlButton() override;

    // Load failures are not checked; a missing face draws nothing.
    void SetFaceBitmaps(int hoverId, int normalId, int pressedId);
    void SetFaceImages(const QImage& hover, const QImage& normal, const QImage& pressed);
    // Black where the face shows, white where the background shows; turns masking on.
    void SetMaskBitmap(int maskId);
    void SetMaskImage(const QImage& mask);
    // rectInParent is the button's rectangle in the parent's client coordinates;
    // its top-left is where the button's piece of the background starts.
    void SetBackgroundBitmap(int backgroundId, const QRect& rectInParent);
    void SetBackgroundImage(const QImage& background, const QRect& rectInParent);
    // Clips the button to the ellipse inscribed in (0, 0)-(width, height) of the bitmap.
    void SetEllipticRegion(int bitmapId);
    void SetEllipticRegion(const QSize& size);

    bool IsHovering() const { return m_hover; }
    bool IsMasking() const { return m_masking; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum Look { NormalLook, HoverLook, PressedOverNormal, PressedOverHover, LookCount };

    void invalidateLooks();
    QImage facePass(const QImage& face, const QImage& start) const;
    const QImage& look(Look which);

    QImage m_normalFace;
    QImage m_hoverFace;
    QImage m_pressedFace;
    QImage m_mask;
    QImage m_background;
    QRect m_backgroundRect;
    bool m_masking = false;
    bool m_hasBackground = false;
    bool m_hover = false;
    // Composed faces, built on first paint and kept until a bitmap or the size changes.
    QImage m_looks[LookCount];
};
