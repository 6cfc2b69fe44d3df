#pragma once
// Time text of the transport: whole seconds as hours, minutes and seconds.
#include <QString>

// "%02d:%02d:%02d" of s / 3600, (s / 60) % 60 and s % 60: 3725 gives "01:02:05".
// Hours are not wrapped (360000 gives "100:00:00"). A negative count cannot come
// from a position and is shown as 00:00:00.
QString FormatClock(long long wholeSeconds);
