#include "cbitmapbutton.h"

#include "controlid.h"
#include "skinbitmap.h"

#include <QEvent>
#include <QPainter>

CBitmapButton::CBitmapButton(QWidget* parent, int controlId)
    : QAbstractButton(parent)
{
    SetControlId(this, controlId);
}

CBitmapButton::~CBitmapButton() = default;

bool CBitmapButton::LoadBitmaps(int normalId, int pushedId, int focusedId, int disabledId)
{
    bool allLoaded = true;
    const auto load = [&allLoaded](int id) {
        if (id == 0)
            return QImage();
        const std::optional<QImage> image = LoadSkinBitmap(id);
        if (!image)
            allLoaded = false;
        return image.value_or(QImage());
    };
    const QImage normal = load(normalId);
    if (normal.isNull())
        allLoaded = false;
    const bool imagesOk = LoadImages(normal, load(pushedId), load(focusedId), load(disabledId));
    return allLoaded && imagesOk;
}

bool CBitmapButton::LoadImages(const QImage& normal, const QImage& pushed, const QImage& focused,
                               const QImage& disabled)
{
    m_normal = normal;
    m_pushed = pushed;
    m_focused = focused;
    m_disabled = disabled;
    if (!m_normal.isNull())
        resize(m_normal.size());
    updateGeometry();
    update();
    return !m_normal.isNull();
}

void CBitmapButton::SetPushedState(bool pushed)
{
    if (m_pushedState == pushed)
        return;
    m_pushedState = pushed;
    update();
}

// Pushed wins over focused, focused over disabled; a state without its own
// image shows the normal one.
const QImage& CBitmapButton::CurrentImage() const
{
    if ((m_pushedState || isDown()) && !m_pushed.isNull())
        return m_pushed;
    if (hasFocus() && !m_focused.isNull())
        return m_focused;
    if (!isEnabled() && !m_disabled.isNull())
        return m_disabled;
    return m_normal;
}

QSize CBitmapButton::sizeHint() const
{
    return m_normal.isNull() ? size() : m_normal.size();
}

void CBitmapButton::paintEvent(QPaintEvent*)
{
    const QImage& image = CurrentImage();
    if (image.isNull())
        return;
    QPainter p(this);
    p.drawImage(QPoint(0, 0), image);
}

void CBitmapButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    update();
}

void CBitmapButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    update();
}

void CBitmapButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}
