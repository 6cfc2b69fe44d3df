#pragma once
// Cuts a span of a recording into a folder of its own: the video without re-encoding, the
// samples of that span as a camera log, the route as GPX and CSV, optionally a burned-in MP4,
// and a one-page PDF report. Called by kestrelexport and by the player; runs on the caller's
// thread and reports progress through the callback, which may cancel.

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ClipExportRequest {
    std::string recording;            // 8-bit path of the video (.asf, or .mp4/.mov/.mkv/.ts)
    std::optional<double> from, to;   // seconds into the recording
    std::optional<int> event;         // 1-based G-sensor event number (instead of from/to)
    double before = 10.0, after = 10.0;
    std::string outDir;               // empty: the default folder (never on the card)
    bool mp4 = false;                 // also write NAME_FROM-TO.mp4 with burned-in readouts
    bool report = true;               // write NAME_FROM-TO-report.pdf
    bool miles = false;               // unit of the MP4's burned-in speed
    std::string language;             // UI language code for the report's texts; empty: English
    std::string programVersion;
};

struct ClipExportResult {
    int exitCode = 0;                 // 0 ok, 1 bad span/event, 2 missing file, 3 write/cut failure, 4 cancelled
    std::string error;                // one sentence when exitCode != 0
    std::string folder;               // the folder the files were moved into
    std::vector<std::string> files;   // exported files, full paths
    double from = 0, to = 0;          // span asked for (resolved from the event when given)
    double cutStart = 0;              // where the cut really starts (key frame at or before from)
};

// stage is a short English word ("cut", "log", "track", "mp4", "report"); fraction 0..1 over
// the whole job. Returning false cancels: nothing is left behind.
using ClipExportProgress = std::function<bool(double fraction, const std::string& stage)>;

ClipExportResult RunClipExport(const ClipExportRequest& request, const ClipExportProgress& progress = {});
