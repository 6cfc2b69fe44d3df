#pragma once
// Cuts a span out of a recording without re-encoding: demuxer to muxer, the same container
// (ASF, MP4, MOV, Matroska or MPEG-TS), starting at the key frame at or before the span's
// start so the clip decodes from its first frame. Runs GStreamer on its own streaming
// threads and waits for them on the caller's thread; one instance per job.

#include <functional>
#include <optional>
#include <string>

struct CutScan {
    double durationSeconds = 0;  // of the whole source
    double keyFrameSeconds = 0;  // presentation time of the key frame at or before the span's start
    bool hasVideo = false;
};

class ClipCutter {
public:
    // progress(fraction of this step) returning false cancels the step.
    using Progress = std::function<bool(double)>;

    // Whether the source's container is one the cutter can write again.
    static bool SupportsContainer(const std::string& path);

    // The source's duration and the key frame at or before fromSeconds. Reads the source from
    // its start up to that key frame's successor. Nothing, with one sentence in *error, when
    // the source cannot be demuxed.
    static std::optional<CutScan> Scan(const std::string& source, double fromSeconds, const Progress& progress,
                                       std::string* error);

    // Writes [scan.keyFrameSeconds, toSeconds] of source into outPath, timestamps moved so the
    // clip starts at 0. False, with one sentence in *error (or cancelled set), on failure.
    static bool Cut(const std::string& source, const CutScan& scan, double toSeconds, const std::string& outPath,
                    const Progress& progress, std::string* error, bool* cancelled = nullptr);
};
