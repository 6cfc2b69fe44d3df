#include "playbackrate.h"

#include <algorithm>
#include <cmath>

namespace {

double usable(double rate)
{
    return std::isfinite(rate) && rate > 0.0 ? rate : kNormalPlaybackRate;
}

double held(double rate)
{
    return std::clamp(rate, kSlowestPlaybackRate, kFastestPlaybackRate);
}

}  // namespace

double FasterPlaybackRate(double rate)
{
    return held(usable(rate) * 2.0);
}

double SlowerPlaybackRate(double rate)
{
    return held(usable(rate) / 2.0);
}

QString PlaybackRateText(double rate)
{
    // The steps are powers of two, so three significant digits show them exactly.
    return QString::number(usable(rate), 'g', 3) + QChar(0x00D7);
}
