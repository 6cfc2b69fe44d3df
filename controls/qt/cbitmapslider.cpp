#include "cbitmapslider.h"

#include "cmemdc.h"
#include "controlid.h"
#include "skinbitmap.h"
#include "slidernotifyevent.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtGlobal>

#include <cstring>
#include <optional>

namespace {

// Every picture is kept in the surface's format, so paints are plain copies.
constexpr QImage::Format kPaintFormat = QImage::Format_ARGB32_Premultiplied;

std::optional<SliderKey> sliderKeyFor(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_PageUp: return SliderKey::PageUp;
    case Qt::Key_PageDown: return SliderKey::PageDown;
    case Qt::Key_End: return SliderKey::End;
    case Qt::Key_Home: return SliderKey::Home;
    case Qt::Key_Left: return SliderKey::Left;
    case Qt::Key_Up: return SliderKey::Up;
    case Qt::Key_Right: return SliderKey::Right;
    case Qt::Key_Down: return SliderKey::Down;
    default: return std::nullopt;
    }
}

QRgb rgbFromColorRef(quint32 colorRef)
{
    return qRgb(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

}  // namespace

CBitmapSlider::CBitmapSlider(QWidget* parent, int controlId)
    : QWidget(parent), m_controlId(controlId)
{
    static const bool typesReserved = [] {
        QEvent::registerEventType(WM_SLIDER_TRACKING);
        QEvent::registerEventType(WM_SLIDER_SETTLED);
        return true;
    }();
    Q_UNUSED(typesReserved);

    SetControlId(this, controlId);
    // Every paint covers the whole client rectangle: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Not a tab stop; a press takes the focus.
    setFocusPolicy(Qt::ClickFocus);
}

CBitmapSlider::~CBitmapSlider() = default;

void CBitmapSlider::clearChannel()
{
    m_channel = QImage();
    m_activeChannel = QImage();
    m_composite = QImage();
    m_compositeSplit = -1;
}

bool CBitmapSlider::SetChannelBitmaps(int channelId, int activeChannelId)
{
    const std::optional<QImage> channel = LoadSkinBitmap(channelId);
    if (!channel) {
        clearChannel();
        return false;
    }
    std::optional<QImage> active;
    if (activeChannelId != 0) {
        active = LoadSkinBitmap(activeChannelId);
        if (!active) {
            clearChannel();
            return false;
        }
    }
    return SetChannelImages(*channel, active.value_or(QImage()));
}

bool CBitmapSlider::SetChannelImages(const QImage& channel, const QImage& activeChannel)
{
    clearChannel();
    if (channel.isNull())
        return false;
    m_channel = channel.convertToFormat(kPaintFormat);
    if (!activeChannel.isNull())
        m_activeChannel = activeChannel.convertToFormat(kPaintFormat);
    m_geometry.channelWidth = m_channel.width();
    resize(m_channel.size());
    m_clientRect = QRect(QPoint(0, 0), m_channel.size());
    update();
    return true;
}

bool CBitmapSlider::SetThumbBitmap(int thumbId, quint32 keyColour, int sampleX, int sampleY)
{
    const std::optional<QImage> thumb = LoadSkinBitmap(thumbId);
    return SetThumbImage(thumb.value_or(QImage()), keyColour, sampleX, sampleY);
}

bool CBitmapSlider::SetThumbImage(const QImage& thumb, quint32 keyColour, int sampleX, int sampleY)
{
    m_thumb = QImage();
    m_geometry.thumbWidth = 0;
    if (thumb.isNull()) {
        update();
        return false;
    }

    QImage prepared = thumb.convertToFormat(QImage::Format_ARGB32);
    // Only the colour counts; a sample point outside the thumb matches nothing.
    std::optional<QRgb> key;
    if (keyColour == kKeyColourFromPixel) {
        if (prepared.rect().contains(sampleX, sampleY))
            key = prepared.pixel(sampleX, sampleY) & RGB_MASK;
    } else {
        key = rgbFromColorRef(keyColour) & RGB_MASK;
    }
    // Built once here, not per paint: key-coloured pixels become transparent,
    // which shows the channel exactly where the design's mask would.
    if (key) {
        for (int y = 0; y < prepared.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(prepared.scanLine(y));
            for (int x = 0; x < prepared.width(); ++x) {
                if ((line[x] & RGB_MASK) == *key)
                    line[x] = 0;
            }
        }
    }
    m_thumb = prepared.convertToFormat(kPaintFormat);
    m_geometry.thumbWidth = m_thumb.width();
    update();
    return true;
}

void CBitmapSlider::SetRange(int minimum, int maximum, bool redraw)
{
    m_geometry.minimum = minimum;
    m_geometry.maximum = maximum;
    if (redraw)
        update();
}

void CBitmapSlider::SetPos(int value)
{
    m_position = ClampSliderPos(value, m_geometry.minimum, m_geometry.maximum);
    update();
}

void CBitmapSlider::SetMargins(int left, int top, int right)
{
    m_geometry.leftMargin = left;
    m_topMargin = top;
    m_geometry.rightMargin = right;
}

void CBitmapSlider::SetFixedSplit(double ratio, bool on)
{
    m_splitPixel = FixedSplitPixel(m_geometry.channelWidth, ratio);
    m_fixedSplit = on;
}

void CBitmapSlider::SetFocusRectEnabled(bool on, bool redraw)
{
    m_focusRectEnabled = on;
    if (redraw)
        update();
}

void CBitmapSlider::SetMarks(const QVector<int>& values)
{
    m_marks = values;
    update();
}

void CBitmapSlider::SetMarkRow(int markTop, int markHeight)
{
    m_markTop = markTop;
    m_markHeight = qMax(0, markHeight);
    update();
}

QVector<int> CBitmapSlider::MarkPixels() const
{
    QVector<int> pixels;
    pixels.reserve(m_marks.size());
    for (const int value : m_marks)
        pixels.append(PosToPixel(m_geometry, ClampSliderPos(value, m_geometry.minimum, m_geometry.maximum)));
    return pixels;
}

void CBitmapSlider::SetSpanMarks(int inValue, int outValue)
{
    m_spanIn = inValue < 0 ? -1 : inValue;
    m_spanOut = outValue < 0 ? -1 : outValue;
    update();
}

int CBitmapSlider::valuePixel(int value) const
{
    return value < 0 ? -1 : PosToPixel(m_geometry, ClampSliderPos(value, m_geometry.minimum, m_geometry.maximum));
}

int CBitmapSlider::SpanInPixel() const
{
    return valuePixel(m_spanIn);
}

int CBitmapSlider::SpanOutPixel() const
{
    return valuePixel(m_spanOut);
}

int CBitmapSlider::ThumbCentre() const
{
    return PosToPixel(m_geometry, m_position);
}

int CBitmapSlider::SplitPixel() const
{
    return m_fixedSplit ? m_splitPixel : ThumbCentre();
}

QSize CBitmapSlider::sizeHint() const
{
    return m_channel.isNull() ? QWidget::sizeHint() : m_channel.size();
}

QRect CBitmapSlider::clientRect() const
{
    return m_clientRect.isValid() ? m_clientRect : rect();
}

void CBitmapSlider::notifyParent(int type)
{
    if (QWidget* owner = parentWidget())
        QCoreApplication::postEvent(owner, new SliderNotifyEvent(QEvent::Type(type), m_controlId, m_position));
}

// One step of following the pointer: the thumb centre goes to the pointer
// minus the grab offset, within the track; a new pixel means a new position.
void CBitmapSlider::trackTo(int pointerX)
{
    const int p = ClampThumbCentre(m_geometry, pointerX - m_grabOffset);
    if (p != PosToPixel(m_geometry, m_position)) {
        SetPos(PixelToPos(m_geometry, p));
        notifyParent(WM_SLIDER_TRACKING);
    }
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event)
{
    // Every press is taken here, so a drag on the slider never reaches the window.
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    m_dragging = true;
    const int x = event->position().toPoint().x();
    m_grabOffset = GrabOffset(m_geometry, x, m_position);
    trackTo(x);
    update();
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_dragging)
        return;
    trackTo(event->position().toPoint().x());
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    update();
    notifyParent(WM_SLIDER_SETTLED);
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event)
{
    // Tab and Backtab never get here: QWidget moves the focus first.
    const std::optional<SliderKey> key = sliderKeyFor(event->key());
    if (!key) {
        // The slider wants all keys: Enter and Escape do not reach the dialog.
        if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            event->accept();
        else
            QWidget::keyPressEvent(event);
        return;
    }
    // Each auto-repeat is one more step.
    SetPos(ClampSliderPos(SliderKeyTarget(*key, m_position, m_geometry.minimum, m_geometry.maximum),
                          m_geometry.minimum, m_geometry.maximum));
    notifyParent(WM_SLIDER_SETTLED);
    event->accept();
}

void CBitmapSlider::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_hasFocus = true;
    update();
}

void CBitmapSlider::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_hasFocus = false;
    update();
}

// The channel with the active picture left of the split, rebuilt only when the
// split moves (never, with a fixed split).
const QImage& CBitmapSlider::channelComposite(int split)
{
    split = qBound(0, split, m_channel.width());
    if (split == m_compositeSplit && !m_composite.isNull())
        return m_composite;
    m_composite = m_channel.copy();
    const int columns = qMin(split, m_activeChannel.width());
    const int rows = qMin(m_composite.height(), m_activeChannel.height());
    for (int y = 0; y < rows; ++y)
        std::memcpy(m_composite.scanLine(y), m_activeChannel.constScanLine(y), size_t(columns) * 4);
    m_compositeSplit = split;
    return m_composite;
}

void CBitmapSlider::paintSlider(QPainter& painter)
{
    if (!m_channel.isNull()) {
        if (!m_activeChannel.isNull())
            painter.drawImage(QPoint(0, 0), channelComposite(SplitPixel()));
        else
            painter.drawImage(QPoint(0, 0), m_channel);
    }
    paintMarks(painter);
    paintSpanMarks(painter);
    if (!m_thumb.isNull())
        painter.drawImage(QPoint(ThumbCentre() - m_geometry.halfThumb(), m_topMargin), m_thumb);
    if (m_focusRectEnabled && m_hasFocus) {
        // The dotted focus frame inverts every other pixel of the border.
        const QRect r = clientRect();
        if (r != m_focusDotsRect) {
            m_focusDots.clear();
            // Each border pixel once: inverting one twice would undo it.
            const auto addDot = [this](int x, int y) {
                if (((x + y) & 1) == 0)
                    m_focusDots.append(QPoint(x, y));
            };
            for (int x = r.left(); x <= r.right(); ++x) {
                addDot(x, r.top());
                if (r.bottom() != r.top())
                    addDot(x, r.bottom());
            }
            for (int y = r.top() + 1; y < r.bottom(); ++y) {
                addDot(r.left(), y);
                if (r.right() != r.left())
                    addDot(r.right(), y);
            }
            m_focusDotsRect = r;
        }
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.setPen(QPen(Qt::white, 0));
        painter.drawPoints(m_focusDots.constData(), int(m_focusDots.size()));
        painter.restore();
    }
}

// Each mark is a small upward wedge, its tip at the top of the row, under the
// value's pixel, with a dark rim so it reads on any channel picture.
void CBitmapSlider::paintMarks(QPainter& painter)
{
    if (m_marks.isEmpty() || m_markHeight <= 0 || m_geometry.channelWidth <= 0)
        return;
    const int halfWidth = qMax(1, m_markHeight / 2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0, 0, 0, 170), 1));
    painter.setBrush(QColor::fromRgba(kMarkColour));
    for (const int x : MarkPixels()) {
        const QPoint wedge[3] = {QPoint(x, m_markTop), QPoint(x + halfWidth, m_markTop + m_markHeight - 1),
                                 QPoint(x - halfWidth, m_markTop + m_markHeight - 1)};
        painter.drawPolygon(wedge, 3);
    }
    painter.restore();
}

// Brackets two pixels wide over the whole row, their feet pointing into the span, so
// they read apart from the event wedges; a dark rim keeps them visible on any channel.
void CBitmapSlider::paintSpanMarks(QPainter& painter)
{
    if ((m_spanIn < 0 && m_spanOut < 0) || m_markHeight <= 0 || m_geometry.channelWidth <= 0)
        return;
    const int top = m_markTop;
    const int bottom = m_markTop + m_markHeight - 1;
    const int foot = qMax(2, m_markHeight / 2);
    const QColor accent = QColor::fromRgba(kSpanMarkColour);
    const QColor rim(0, 0, 0, 170);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const auto bracket = [&](int x, int direction) {
        // direction +1 opens to the right ("["), -1 to the left ("]").
        const int left = direction > 0 ? x : x - foot + 1;
        painter.fillRect(QRect(left - 1, top - 1, foot + 2, m_markHeight + 2), rim);
        painter.fillRect(QRect(direction > 0 ? x : x - 1, top, 2, m_markHeight), accent);
        painter.fillRect(QRect(left, top, foot, 2), accent);
        painter.fillRect(QRect(left, bottom - 1, foot, 2), accent);
    };
    const int inPixel = SpanInPixel();
    const int outPixel = SpanOutPixel();
    if (inPixel >= 0 && outPixel > inPixel + 2 * foot) {
        painter.fillRect(QRect(inPixel + foot, bottom, outPixel - inPixel - 2 * foot + 1, 1), rim);
        painter.fillRect(QRect(inPixel + foot, bottom - 1, outPixel - inPixel - 2 * foot + 1, 1), accent);
    }
    if (inPixel >= 0)
        bracket(inPixel, +1);
    if (outPixel >= 0)
        bracket(outPixel, -1);
    painter.restore();
}

void CBitmapSlider::paintEvent(QPaintEvent*)
{
    QPainter target(this);
    CMemDC surface(&target, clientRect());
    paintSlider(*surface.painter());
}
