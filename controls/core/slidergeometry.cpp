#include "slidergeometry.h"

#include <climits>
#include <cmath>

namespace {
// Truncation toward zero that cannot overflow: NaN gives 0, out-of-range
// values stick to the int limits.
int truncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(std::trunc(v));
}

int clampToInt(long long v)
{
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}
}  // namespace

int SliderGeometry::trackLength() const
{
    return clampToInt(static_cast<long long>(channelWidth) - leftMargin - rightMargin - thumbWidth);
}

int SliderGeometry::thumbCentreMin() const
{
    return clampToInt(static_cast<long long>(leftMargin) + halfThumb());
}

int SliderGeometry::thumbCentreMax() const
{
    return clampToInt(static_cast<long long>(channelWidth) - rightMargin - halfThumb());
}

int PosToPixel(const SliderGeometry& g, int value)
{
    long long offset = 0;
    if (g.maximum > g.minimum) {
        const double span = static_cast<double>(g.maximum) - g.minimum;
        const double fraction = (static_cast<double>(value) - g.minimum) / span;
        offset = truncToInt(fraction * g.trackLength());
    }
    return clampToInt(static_cast<long long>(g.leftMargin) + offset + g.halfThumb());
}

int PixelToPos(const SliderGeometry& g, int pixel)
{
    const int length = g.trackLength();
    if (length <= 0)
        return g.minimum;
    double v = (static_cast<double>(pixel) - g.halfThumb() - g.leftMargin) / length;
    v = v * (static_cast<double>(g.maximum) - g.minimum);
    v = v + g.minimum;
    return truncToInt(v);
}

int ClampThumbCentre(const SliderGeometry& g, int pixel)
{
    if (pixel < g.thumbCentreMin())
        pixel = g.thumbCentreMin();
    if (pixel > g.thumbCentreMax())
        pixel = g.thumbCentreMax();
    return pixel;
}

int GrabOffset(const SliderGeometry& g, int pointerX, int position)
{
    const long long d = static_cast<long long>(pointerX) - PosToPixel(g, position);
    return (d >= -g.halfThumb() && d <= g.halfThumb()) ? static_cast<int>(d) : 0;
}

int ClampSliderPos(long long value, int minimum, int maximum)
{
    if (value > maximum)
        value = maximum;
    if (value < minimum)
        value = minimum;
    return static_cast<int>(value);
}

long long SliderKeyTarget(SliderKey key, int position, int minimum, int maximum)
{
    switch (key) {
    case SliderKey::PageUp:
        return static_cast<long long>(position) - kSliderPageStep;
    case SliderKey::PageDown:
        return static_cast<long long>(position) + kSliderPageStep;
    case SliderKey::End:
        return maximum;
    case SliderKey::Home:
        return minimum;
    case SliderKey::Left:
    case SliderKey::Up:
        return static_cast<long long>(position) - 1;
    case SliderKey::Right:
    case SliderKey::Down:
        return static_cast<long long>(position) + 1;
    }
    return position;
}

std::optional<SliderKey> SliderKeyFromVirtualKey(int virtualKey)
{
    if (virtualKey >= static_cast<int>(SliderKey::PageUp) && virtualKey <= static_cast<int>(SliderKey::Down))
        return static_cast<SliderKey>(virtualKey);
    return std::nullopt;
}

int FixedSplitPixel(int channelWidth, double ratio)
{
    return truncToInt(static_cast<double>(channelWidth) * ratio);
}
