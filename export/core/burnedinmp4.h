#pragma once
// Writes a span of a recording as an H.264 + AAC MP4 with the player's readouts drawn on every
// frame. Runs on the caller's thread; GStreamer stays inside the implementation file.

#include <functional>
#include <string>
#include <vector>

struct BurnInSample {
    double seconds;                   // media time of the sample in the source
    double x, y, z;                   // G values as the strip shows them
    double latitude, longitude;       // decimal degrees
    double speed;                     // km/h
    bool hasFix;
};

// Decodes [from, to] of source, draws the speed, the G values and the position on every frame as
// the player's readouts look, encodes H.264 + AAC into outPath (MP4). progress(fraction) returning
// false cancels. On failure returns false with one sentence in *error.
bool WriteBurnedInMp4(const std::string& source, double from, double to,
                      const std::vector<BurnInSample>& samples, bool miles, const std::string& outPath,
                      const std::function<bool(double)>& progress, std::string* error);
