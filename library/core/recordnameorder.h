#pragma once
// The order of the record list: file names as a person reads them, so that a
// camera's numbered recordings follow each other in time (REC2 before REC10)
// whatever order the file system enumerates them in.

#include <QStringView>

// Negative, zero or positive as a sorts before, with or after b. Letters
// compare without regard to case and runs of ASCII digits by their value;
// names equal in that sense are ordered by their leading zeros (fewer first)
// and then by case, so that only identical names compare equal.
int CompareRecordNames(QStringView a, QStringView b);

inline bool RecordNameLess(QStringView a, QStringView b) { return CompareRecordNames(a, b) < 0; }
