#include "telemetrystrip.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPositions = 1000;
constexpr int kStripLeft = 2;
constexpr int kStripMargin = 4;
constexpr int kCursorMargin = 5;
constexpr double kPixelsPerUnit = 5.0;
constexpr int kMapLead = 40;
constexpr double kPixelLimit = 1e6;
constexpr double kKmPerMile = 1.609344;
constexpr double kMilesPerKm = 0.62137;

// Truncates toward zero as the drawing code always has, within a range where
// the conversion to int is defined.
int toPixel(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}

int lowerToLastShown(long long index, int sampleCount)
{
    return static_cast<int>(std::min<long long>(index, static_cast<long long>(sampleCount) - 2));
}

}  // namespace

bool HasDrawableTrack(int sampleCount)
{
    return sampleCount >= 2;
}

int SampleIndex(int k, int sampleCount)
{
    long long index = static_cast<long long>(k) * sampleCount / kPositions - 1;
    if (index < 0)
        index = 0;
    return lowerToLastShown(index, sampleCount);
}

int FirstPositionShowing(int sample, int sampleCount)
{
    if (sampleCount < 1 || sample <= 0)
        return 0;
    const long long k = ((static_cast<long long>(sample) + 1) * kPositions + sampleCount - 1) / sampleCount;
    return k > kPositions ? kPositions : static_cast<int>(k);
}

int StripX(int k, int width)
{
    const double step = (static_cast<double>(width) - kStripMargin) / kPositions;
    return toPixel(kStripLeft + k * step);
}

int StripPositionAt(int x, int width)
{
    const double step = (static_cast<double>(width) - kStripMargin) / kPositions;
    if (!(step > 0.0))
        return 0;
    const double k = std::round((x - kStripLeft) / step);
    return static_cast<int>(std::clamp(k, 0.0, static_cast<double>(kPositions)));
}

int CursorX(int p, int width)
{
    const int x = StripX(p, width);
    return x >= width - kStripMargin ? width - kCursorMargin : x;
}

int CurveY(int baseline, double value)
{
    if (std::isnan(value))
        return baseline;
    return toPixel(baseline + kPixelsPerUnit * std::clamp(value, -kPixelLimit, kPixelLimit));
}

double DisplayedSpeed(double speed, int recordAsMile, int showKmh)
{
    if (recordAsMile != 0)
        return showKmh != 0 ? speed * kKmPerMile : speed;
    return showKmh != 0 ? speed : speed * kMilesPerKm;
}

int MapSampleIndex(int b, int sampleCount)
{
    return lowerToLastShown(static_cast<long long>(b) + kMapLead, sampleCount);
}
