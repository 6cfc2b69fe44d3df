#pragma once
// The G-sensor events of a recording: its telemetry log read by the player's
// own reader, measured against the limits of the camera's settings file in
// the recording's folder. Pure functions of the files; any thread.

#include "gsensorevents.h"

#include <QString>

#include <optional>
#include <vector>

// The trigger limits for the recordings of folder: G_LIMITX/Y/Z of its
// setup.ini, else its setup.bak, else the camera's defaults (1.0/1.0/2.0 g).
GSensorLimits EventLimitsForFolder(const QString& folder);

// The events in the log beside videoPath (its TelemetryLogPath), whole
// records only; nothing when there is no readable log.
// sampleCount, when given, receives the log's sampleCount.
std::optional<std::vector<GSensorEvent>> RecordingEvents(const QString& videoPath, const GSensorLimits& limits,
                                                         int* sampleCount = nullptr);

// The record list's Event cell: the count, blank while unknown (-1) and for 0.
QString EventCountText(int count);
