#include "gsensorevents.h"

#include "telemetrylogpath.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

namespace {

bool over(double value, double limit)
{
    return std::isfinite(value) && std::fabs(value) > limit;
}

// Events of one axis, appended in sample order.
void detectAxis(const double* values, int count, double limit, GSensorAxis axis,
                const std::bitset<kTelemetryCapacity>* considered, int mergeGap,
                std::vector<GSensorEvent>& out)
{
    // NaN and limits of zero or below switch the axis off.
    if (!(limit > 0.0) || !std::isfinite(limit))
        return;
    std::optional<GSensorEvent> open;
    for (int i = 0; i < count; ++i) {
        if (considered && !(*considered)[static_cast<std::size_t>(i)])
            continue;
        if (!over(values[i], limit))
            continue;
        if (open && i - open->endSample >= mergeGap) {
            out.push_back(*open);
            open.reset();
        }
        if (!open) {
            GSensorEvent e;
            e.startSample = e.peakSample = e.endSample = i;
            e.axis = axis;
            e.peakG = values[i];
            open = e;
            continue;
        }
        open->endSample = i;
        if (std::fabs(values[i]) > std::fabs(open->peakG)) {
            open->peakSample = i;
            open->peakG = values[i];
        }
    }
    if (open)
        out.push_back(*open);
}

}  // namespace

std::vector<GSensorEvent> DetectGSensorEvents(const TelemetryTrack& track, int sampleCount,
                                              const GSensorLimits& limits,
                                              const std::bitset<kTelemetryCapacity>* considered,
                                              int mergeGapSamples)
{
    const int count = std::clamp(sampleCount, 0, kTelemetryCapacity);
    const int gap = std::max(1, mergeGapSamples);
    std::vector<GSensorEvent> events;
    detectAxis(track.accelX, count, limits.x, GSensorAxis::X, considered, gap, events);
    detectAxis(track.accelY, count, limits.y, GSensorAxis::Y, considered, gap, events);
    detectAxis(track.accelZ, count, limits.z, GSensorAxis::Z, considered, gap, events);
    // Each axis is already in order; stable keeps X, Y, Z on the same sample.
    std::stable_sort(events.begin(), events.end(),
                     [](const GSensorEvent& a, const GSensorEvent& b) { return a.startSample < b.startSample; });
    return events;
}

std::optional<std::vector<GSensorEvent>> DetectLogEvents(const QString& logPath, const GSensorLimits& limits,
                                                         TelemetryTrack& scratch, int* sampleCount)
{
    // Only whole records count, so what an earlier log left in the track is never read.
    TelemetryParseReport report;
    if (!ReadTelemetryLogFile(logPath, scratch, &report) || report.wholeRecords == 0)
        return std::nullopt;
    if (sampleCount)
        *sampleCount = scratch.sampleCount;
    return DetectGSensorEvents(scratch, scratch.sampleCount, limits, &report.whole);
}

std::optional<std::vector<GSensorEvent>> DetectLogEvents(const QString& logPath, const GSensorLimits& limits,
                                                         int* sampleCount)
{
    auto track = std::make_unique<TelemetryTrack>();
    return DetectLogEvents(logPath, limits, *track, sampleCount);
}

const char* GSensorAxisName(GSensorAxis axis)
{
    switch (axis) {
    case GSensorAxis::X: return "X";
    case GSensorAxis::Y: return "Y";
    case GSensorAxis::Z: return "Z";
    }
    return "?";
}

std::string FormatGSensorEventsCsv(const std::vector<GSensorEvent>& events)
{
    std::string text = "start_sample,peak_sample,axis,peak_g\n";
    for (const GSensorEvent& e : events) {
        text += std::to_string(e.startSample);
        text += ',';
        text += std::to_string(e.peakSample);
        text += ',';
        text += GSensorAxisName(e.axis);
        text += ',';
        // Rounded as printf's "%.2f" would, with "." whatever the locale.
        char number[64];
        const auto result = std::to_chars(number, number + sizeof number, e.peakG, std::chars_format::fixed, 2);
        text.append(number, result.ptr);
        text += '\n';
    }
    return text;
}
