#include "formatclock.h"

QString FormatClock(long long wholeSeconds)
{
    const long long s = wholeSeconds < 0 ? 0 : wholeSeconds;
    return QString::asprintf("%02lld:%02lld:%02lld", s / 3600, (s / 60) % 60, s % 60);
}
