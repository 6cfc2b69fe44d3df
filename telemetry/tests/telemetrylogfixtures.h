#pragma once
// Logs for tests, in the camera's record shape (FormatTelemetryRecord).

#include "telemetryrecordformat.h"
#include "telemetrytrack.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace fixtures {

// A plausible drive: values that change from sample to sample, so that a
// shifted or misplaced field shows.
inline TelemetrySample SampleFor(int i)
{
    TelemetrySample s;
    s.accelX = 0.01 * (i % 37) - 0.18;
    s.accelY = -0.02 * (i % 23) + 0.2;
    s.accelZ = 0.98 + 0.001 * (i % 11);
    s.latitude = 22.5 + 0.0001 * i;
    s.longitude = 114.1 + 0.00013 * i;
    s.speed = 30 + (i % 50) * 0.5;
    return s;
}

// records lines, joined by lineEnd; the last one ends with lineEnd too when
// finalBreak is set.
inline std::string MakeLog(int records, std::string_view lineEnd = "\r\n", bool finalBreak = true)
{
    std::string log;
    for (int i = 0; i < records; ++i) {
        if (i > 0)
            log += lineEnd;
        log += FormatTelemetryRecord(SampleFor(i), i);
    }
    if (finalBreak && records > 0)
        log += lineEnd;
    return log;
}

// A heap track, so tests need not put 480 KB on the stack; every value starts
// as a sentinel so that "stores nothing" is visible.
constexpr double kUntouched = 777.0;

inline std::unique_ptr<TelemetryTrack> MakeTrack(double fill = kUntouched)
{
    auto track = std::make_unique<TelemetryTrack>();
    for (double* values : {track->accelX, track->accelY, track->accelZ, track->latitude, track->longitude, track->speed})
        std::fill(values, values + kTelemetryCapacity, fill);
    track->sampleCount = -1;
    return track;
}

}  // namespace fixtures
