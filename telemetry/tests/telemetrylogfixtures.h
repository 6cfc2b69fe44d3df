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

// A plausible drive, written with the camera's precision (G in hundredths
// and thousandths, minutes in ten-thousandths, speed in tenths). Values change
// from sample to sample, so that a shifted or misplaced field shows.
inline TelemetrySample SampleFor(int i)
{
    TelemetrySample s;
    s.accelX = ((i % 37) - 18) / 100.0;
    s.accelY = (20 - 2 * (i % 23)) / 100.0;
    s.accelZ = (980 + (i % 11)) / 1000.0;
    s.latitude = 22 + (30 + (i * 61 % 100000) / 10000.0) / 60;
    s.longitude = 114 + (6 + (i * 37 % 100000) / 10000.0) / 60;
    s.speed = (300 + (i % 50) * 5) / 10.0;
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
