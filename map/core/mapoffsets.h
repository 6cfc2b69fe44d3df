#pragma once
// The small correction added to every GPS position before the map marker
// moves: built-in defaults, or the first two lines of "ManualFix.txt" beside
// the program. Read afresh for every update, so edits apply at the next tick.

#include <QString>

inline constexpr char kManualFixFileName[] = "ManualFix.txt";

// Decimal degrees.
struct MapOffsets {
    double latitude = 0.001;
    double longitude = -0.0003;
};

// Line 1 gives the latitude offset, line 2 the longitude offset, each read as
// C's atof reads it (a missing line or a line without a number gives 0). A value
// of magnitude 0.1 or more is ignored and that offset keeps its default. A file
// that cannot be opened gives the defaults.
MapOffsets ReadManualFix(const QString& path);
