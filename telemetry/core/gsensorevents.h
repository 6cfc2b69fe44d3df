#pragma once
// Events from the G-sensor: where a recording's forces go over the camera's
// own trigger limits (G_LIMITX/Y/Z of its settings file). One event is one run
// of samples over the limit on one axis; runs of the same axis closer than a
// second merge. A pure function of a track and the limits, so the player, the
// record list's background count and kestreltrack all find the same events.
// Touches no program-wide state; safe on any thread with its own track.

#include "telemetrylogparser.h"

#include <bitset>
#include <optional>
#include <string>
#include <vector>

class QString;

// Trigger limits in g, compared with the absolute value of each axis. The
// defaults are the camera's own when its settings file sets nothing. A limit
// that is not a positive number triggers nothing on its axis.
struct GSensorLimits {
    double x = 1.0;
    double y = 1.0;
    double z = 2.0;
};

enum class GSensorAxis { X, Y, Z };

struct GSensorEvent {
    int startSample = 0;  // first sample over the limit
    int peakSample = 0;   // sample of the largest absolute value (the first of equals)
    int endSample = 0;    // last sample over the limit
    GSensorAxis axis = GSensorAxis::X;
    double peakG = 0.0;   // signed value at peakSample
};

// The camera logs ten samples a second; runs closer than this many samples merge.
inline constexpr int kGSensorSamplesPerSecond = 10;
inline constexpr int kGSensorMergeGapSamples = kGSensorSamplesPerSecond;

// Events among samples [0, sampleCount) of track (sampleCount is capped at the
// capacity), or only among those marked in `considered` when given (the whole
// records of a parse report). A sample exceeds a limit when |value| > limit;
// values that are not finite never do. Runs on one axis whose over-limit
// samples are fewer than mergeGapSamples apart form one event. Events are in
// the order of their first sample, X before Y before Z on the same sample.
std::vector<GSensorEvent> DetectGSensorEvents(const TelemetryTrack& track, int sampleCount,
                                              const GSensorLimits& limits,
                                              const std::bitset<kTelemetryCapacity>* considered = nullptr,
                                              int mergeGapSamples = kGSensorMergeGapSamples);

// The events of the log at logPath, counting only its whole records. Nothing
// when the log cannot be opened or holds no whole record. sampleCount, when
// given, receives the log's counted passes (the track's sampleCount after
// reading it), which places the events on the position slider.
std::optional<std::vector<GSensorEvent>> DetectLogEvents(const QString& logPath, const GSensorLimits& limits,
                                                         int* sampleCount = nullptr);
// The same with a track of the caller's to read into (reused across many logs).
std::optional<std::vector<GSensorEvent>> DetectLogEvents(const QString& logPath, const GSensorLimits& limits,
                                                         TelemetryTrack& scratch, int* sampleCount = nullptr);

// "X", "Y" or "Z".
const char* GSensorAxisName(GSensorAxis axis);

// kestreltrack's CSV: "start_sample,peak_sample,axis,peak_g", then one line
// per event with the peak signed, two decimals, "." whatever the locale.
std::string FormatGSensorEventsCsv(const std::vector<GSensorEvent>& events);
