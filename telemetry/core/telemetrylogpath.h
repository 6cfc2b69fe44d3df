#pragma once
// Where a recording's telemetry log lives, and reading it by a Qt path.

#include "telemetrylogparser.h"

#include <QString>

// The log of a recording: its name up to, not including, the last "." of the
// whole text, followed by ".LOG" in capitals. The cut is made on the text, so
// a dot in a folder name counts when the file name has none
// ("/cards/day.1/CLIP" gives "/cards/day.LOG"), and a name without any dot
// gives ".LOG", relative to the current folder.
QString TelemetryLogPath(const QString& recordName);

// ReadTelemetryLogFile with a Qt path, encoded as the file system expects.
bool ReadTelemetryLogFile(const QString& logPath, TelemetryTrack& track, TelemetryParseReport* report = nullptr);
