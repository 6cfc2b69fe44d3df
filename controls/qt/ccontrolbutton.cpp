#include "ccontrolbutton.h"

#include "controlid.h"
#include "skinbitmap.h"

#include <QEnterEvent>
#include <QPainter>
#include <QRegion>

namespace {

constexpr quint32 kRgb = 0x00FFFFFFu;
constexpr quint32 kOpaque = 0xFF000000u;

QImage skinOrNull(int id)
{
    return LoadSkinBitmap(id).value_or(QImage());
}

// Opaque 32-bit pixels for the per-pixel raster logic.
QImage asRgb32(const QImage& image)
{
    return image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

CControlButton::CControlButton(QWidget* parent, int controlId)
    : QAbstractButton(parent)
{
    SetControlId(this, controlId);
}

CControlButton::~CControlButton() = default;

void CControlButton::invalidateLooks()
{
    for (QImage& image : m_looks)
        image = QImage();
    update();
}

void CControlButton::SetFaceBitmaps(int hoverId, int normalId, int pressedId)
{
    SetFaceImages(skinOrNull(hoverId), skinOrNull(normalId), skinOrNull(pressedId));
}

void CControlButton::SetFaceImages(const QImage& hover, const QImage& normal, const QImage& pressed)
{
    m_hoverFace = asRgb32(hover);
    m_normalFace = asRgb32(normal);
    m_pressedFace = asRgb32(pressed);
    updateGeometry();
    invalidateLooks();
}

void CControlButton::SetMaskBitmap(int maskId)
{
    SetMaskImage(skinOrNull(maskId));
}

void CControlButton::SetMaskImage(const QImage& mask)
{
    m_mask = asRgb32(mask);
    m_masking = true;
    invalidateLooks();
}

void CControlButton::SetBackgroundBitmap(int backgroundId, const QRect& rectInParent)
{
    SetBackgroundImage(skinOrNull(backgroundId), rectInParent);
}

void CControlButton::SetBackgroundImage(const QImage& background, const QRect& rectInParent)
{
    m_backgroundRect = rectInParent;
    m_hasBackground = true;
    m_background = background;
    invalidateLooks();
}

void CControlButton::SetEllipticRegion(int bitmapId)
{
    // The bitmap is only measured.
    if (const std::optional<QImage> image = LoadSkinBitmap(bitmapId))
        SetEllipticRegion(image->size());
}

void CControlButton::SetEllipticRegion(const QSize& size)
{
    if (size.isEmpty())
        return;
    setMask(QRegion(0, 0, size.width(), size.height(), QRegion::Ellipse));
}

QSize CControlButton::sizeHint() const
{
    return m_normalFace.isNull() ? size() : m_normalFace.size();
}

// One face pass over `start`, at the button's size:
//  - masked: begin with the button's piece of the background (when there is
//    one), turn the face area white with (NOT mask) OR dest, then AND the face
//    in. The face is white outside its shape, so the background stays there.
//    Pixels beyond the mask or face count as white.
//  - not masked: the face's top-left piece is copied opaque.
QImage CControlButton::facePass(const QImage& face, const QImage& start) const
{
    QImage dest = start.copy();
    if (!m_masking) {
        if (!face.isNull()) {
            QPainter p(&dest);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(QPoint(0, 0), face);
        }
        return dest;
    }

    if (m_hasBackground) {
        dest.fill(Qt::transparent);
        if (!m_background.isNull()) {
            QPainter p(&dest);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(QPoint(0, 0), m_background, QRect(m_backgroundRect.topLeft(), dest.size()));
        }
    }
    for (int y = 0; y < dest.height(); ++y) {
        auto* d = reinterpret_cast<quint32*>(dest.scanLine(y));
        const bool maskRow = y < m_mask.height();
        const bool faceRow = y < face.height();
        const auto* m = maskRow ? reinterpret_cast<const quint32*>(m_mask.constScanLine(y)) : nullptr;
        const auto* f = faceRow ? reinterpret_cast<const quint32*>(face.constScanLine(y)) : nullptr;
        for (int x = 0; x < dest.width(); ++x) {
            const quint32 maskPixel = (m && x < m_mask.width()) ? (m[x] & kRgb) : kRgb;
            const quint32 facePixel = (f && x < face.width()) ? (f[x] & kRgb) : kRgb;
            const quint32 notMask = ~maskPixel & kRgb;
            if (notMask == 0)
                d[x] &= facePixel | kOpaque;  // background area: dest AND face, alpha kept
            else
                d[x] = kOpaque | ((notMask | d[x]) & facePixel);
        }
    }
    return dest;
}

const QImage& CControlButton::look(Look which)
{
    QImage& cached = m_looks[which];
    if (!cached.isNull() && cached.size() == size())
        return cached;
    QImage base(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    base.fill(Qt::transparent);
    switch (which) {
    case NormalLook: cached = facePass(m_normalFace, base); break;
    case HoverLook: cached = facePass(m_hoverFace, base); break;
    case PressedOverNormal: cached = facePass(m_pressedFace, look(NormalLook)); break;
    case PressedOverHover: cached = facePass(m_pressedFace, look(HoverLook)); break;
    case LookCount: break;
    }
    return cached;
}

void CControlButton::paintEvent(QPaintEvent*)
{
    // A disabled button gets no mouse input, so it keeps the normal face.
    const bool hover = m_hover && isEnabled();
    Look which = hover ? HoverLook : NormalLook;
    if (isDown())
        which = hover ? PressedOverHover : PressedOverNormal;
    QPainter p(this);
    p.drawImage(QPoint(0, 0), look(which));
}

void CControlButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    if (!isEnabled())
        return;
    m_hover = true;
    update();
}

void CControlButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    m_hover = false;
    update();
}

void CControlButton::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    invalidateLooks();
}
