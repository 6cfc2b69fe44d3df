#pragma once
// CBitmapSlider: a horizontal slider drawn entirely from skin bitmaps (channel,
// optional active channel left of the split, optional thumb with a transparent
// key colour). It follows the mouse while the left button is held, answers the
// navigation keys when focused, and posts SliderNotifyEvent to its parent.
// Owned by its parent window; user-interface thread only. Pixel arithmetic is
// in slidergeometry.h; this class paints its results.
#include "slidergeometry.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QVector>
#include <QWidget>

class QPainter;

class CBitmapSlider : public QWidget {
    Q_OBJECT
public:
    // Key colours are COLORREF values (0x00BBGGRR). This one stands for the
    // colour of the thumb's pixel at the sample point instead.
    static constexpr quint32 kKeyColourFromPixel = 0xFF000000u;
    static constexpr quint32 ColorRef(int r, int g, int b)
    {
        return quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16);
    }

    // Takes the place of the placeholder control controlId of the parent.
    CBitmapSlider(QWidget* parent, int controlId);
    ~CBitmapSlider() override;

    // Loads the channel (and, unless activeChannelId is 0, the active channel)
    // from the skin, sizes the control to the channel keeping its position and
    // captures the client rectangle. False, with no channel left, when either
    // bitmap cannot be loaded.
    bool SetChannelBitmaps(int channelId, int activeChannelId);
    // The same with pictures; a null activeChannel means none.
    bool SetChannelImages(const QImage& channel, const QImage& activeChannel = QImage());

    // Loads the thumb and prepares its transparency once: pixels of the key
    // colour show the channel. False when the bitmap cannot be loaded.
    bool SetThumbBitmap(int thumbId, quint32 keyColour, int sampleX, int sampleY);
    bool SetThumbImage(const QImage& thumb, quint32 keyColour, int sampleX, int sampleY);

    // Does not move the position; repaints only when redraw is true.
    void SetRange(int minimum, int maximum, bool redraw);
    // Limited to at most the maximum, then at least the minimum; always repaints.
    void SetPos(int value);
    int GetPos() const { return m_position; }
    int GetRangeMin() const { return m_geometry.minimum; }
    int GetRangeMax() const { return m_geometry.maximum; }
    // Stored only; the next paint uses them.
    void SetMargins(int left, int top, int right);
    // Split pixel = trunc(channel width * ratio) with the current channel width.
    void SetFixedSplit(double ratio, bool on);
    void SetFocusRectEnabled(bool on, bool redraw);

    // Small marks at these values (points of interest along the range), drawn
    // in the row from markTop, markHeight pixels high, over the channel and
    // under the thumb. No marks, or a row of height 0, draws nothing: the
    // slider looks exactly as its bitmaps. Repaints.
    void SetMarks(const QVector<int>& values);
    void SetMarkRow(int markTop, int markHeight);
    const QVector<int>& Marks() const { return m_marks; }
    // Centre pixel of each mark as the next paint draws it.
    QVector<int> MarkPixels() const;
    static constexpr QRgb kMarkColour = 0xFFFFB020u;  // amber, apart from the skin's blues and greys

    // A span of the range (a clip's in and out) shown in the same row as the marks:
    // an opening bracket at inValue and a closing one at outValue, in the skin's accent
    // colour, joined by a thin line when both are set. -1 leaves a side unmarked.
    // Repaints.
    void SetSpanMarks(int inValue, int outValue);
    int SpanIn() const { return m_spanIn; }
    int SpanOut() const { return m_spanOut; }
    // Pixel of each bracket's upright as the next paint draws it, -1 for none.
    int SpanInPixel() const;
    int SpanOutPixel() const;
    static constexpr QRgb kSpanMarkColour = 0xFF34CDF2u;  // the skin's accent cyan

    // Where the next paint puts the thumb centre and the channel boundary.
    int ThumbCentre() const;
    int SplitPixel() const;
    const SliderGeometry& Geometry() const { return m_geometry; }
    bool IsDragging() const { return m_dragging; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void clearChannel();
    void trackTo(int pointerX);
    void notifyParent(int type);
    void paintSlider(QPainter& painter);
    void paintMarks(QPainter& painter);
    void paintSpanMarks(QPainter& painter);
    int valuePixel(int value) const;
    const QImage& channelComposite(int split);
    QRect clientRect() const;

    int m_controlId;
    int m_position = 0;
    int m_topMargin = 0;
    int m_grabOffset = 0;
    int m_splitPixel = 0;
    bool m_fixedSplit = false;
    bool m_dragging = false;
    bool m_hasFocus = false;
    bool m_focusRectEnabled = true;
    SliderGeometry m_geometry;
    QRect m_clientRect;

    QImage m_channel;         // null while no channel is set
    QImage m_activeChannel;   // null while there is none
    QImage m_thumb;           // key colour turned transparent once, at set time
    QImage m_composite;       // channel with the active part left of m_compositeSplit
    int m_compositeSplit = -1;
    QVector<int> m_marks;
    int m_markTop = 0;
    int m_markHeight = 0;
    int m_spanIn = -1;
    int m_spanOut = -1;
    QVector<QPoint> m_focusDots;  // dotted frame of the client rectangle
    QRect m_focusDotsRect;
};
