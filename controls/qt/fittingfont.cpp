#include "fittingfont.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>

namespace {
// Below this stretch digits start to run into each other; below this size
// they cannot be told apart.
constexpr int kNarrowestStretch = 62;
constexpr int kStretchStep = 2;
constexpr int kSmallestPixelSize = 7;

int stretchOf(const QFont& font)
{
    const int stretch = font.stretch();
    return stretch == QFont::AnyStretch ? QFont::Unstretched : stretch;
}
}  // namespace

int TextExtent(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1);
}

QFont FontFittingWidth(const QFont& base, const QString& text, int widthPixels)
{
    if (text.isEmpty() || TextExtent(base, text) <= widthPixels)
        return base;

    QFont font = base;
    for (int stretch = stretchOf(base) - kStretchStep; stretch >= kNarrowestStretch; stretch -= kStretchStep) {
        font.setStretch(stretch);
        if (TextExtent(font, text) <= widthPixels)
            return font;
    }
    font.setStretch(std::min(stretchOf(base), kNarrowestStretch));
    const int startSize = base.pixelSize() > 0 ? base.pixelSize() : QFontInfo(base).pixelSize();
    for (int size = startSize - 1; size >= kSmallestPixelSize; --size) {
        font.setPixelSize(size);
        if (TextExtent(font, text) <= widthPixels)
            return font;
    }
    return font;
}
