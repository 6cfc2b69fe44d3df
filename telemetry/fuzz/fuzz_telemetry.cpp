// Feeds arbitrary bytes to the log reader, from memory and as a stream, and
// checks both against a plain reader that lets glibc's fscanf do the work.

#include "referencelogreader.h"
#include "telemetrylogparser.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

// Tracks start from the same non-zero pattern, so "stores nothing" shows. A
// read writes only below its count, so only that much is restored per input.
void fill(TelemetryTrack& track, int count)
{
    for (double* values : {track.accelX, track.accelY, track.accelZ, track.latitude, track.longitude, track.speed})
        for (int i = 0; i < count; ++i)
            values[i] = 0.5 * i;
    track.sampleCount = -1;
}

std::unique_ptr<TelemetryTrack> makeTrack()
{
    auto track = std::make_unique<TelemetryTrack>();
    fill(*track, kTelemetryCapacity);
    return track;
}

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "telemetry reader disagrees: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto fromBuffer = makeTrack();
    static const auto fromStream = makeTrack();
    static const auto fromFscanf = makeTrack();

    const char* bytes = reinterpret_cast<const char*>(data);
    TelemetryParseReport bufferReport;
    const int count = ParseTelemetryLog(bytes, size, *fromBuffer, &bufferReport);
    check(count >= 1 && count <= kTelemetryCapacity && count == fromBuffer->sampleCount, "count out of range");

    std::FILE* stream = fmemopen(const_cast<char*>(bytes), size, "r");
    if (stream) {
        TelemetryParseReport streamReport;
        check(ParseTelemetryLog(stream, *fromStream, &streamReport) == count, "stream count");
        std::fclose(stream);
        check(streamReport.whole == bufferReport.whole, "stream whole records");
        check(fromStream->holdsTelemetry == fromBuffer->holdsTelemetry, "stream telemetry found");
        check(reference::FirstDifference(*fromBuffer, *fromStream, count) == -1, "stream values");
    }

    TelemetryParseReport fscanfReport;
    check(reference::ReadLog(std::string_view(bytes, size), *fromFscanf, fscanfReport) == count, "fscanf count");
    check(fscanfReport.whole == bufferReport.whole, "fscanf whole records");
    check(fscanfReport.stoppedAtCapacity == bufferReport.stoppedAtCapacity, "fscanf capacity");
    check(reference::FirstDifference(*fromBuffer, *fromFscanf, count) == -1, "fscanf values");
    check(fromFscanf->holdsTelemetry == fromBuffer->holdsTelemetry, "fscanf telemetry found");

    for (TelemetryTrack* track : {fromBuffer.get(), fromStream.get(), fromFscanf.get()})
        fill(*track, count);
    return 0;
}
