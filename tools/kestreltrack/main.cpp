// kestreltrack: writes the telemetry of a dash-camera ".LOG" as CSV, GPX or
// GeoJSON on standard output, read exactly as the player reads it, or the
// G-sensor events the player marks on its slider.

#include "devicesettings.h"
#include "gsensorevents.h"
#include "telemetrylogparser.h"
#include "telemetrylogtext.h"
#include "trackexport.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

constexpr int kExitNoRecord = 1;
constexpr int kExitUsageOrFile = 2;

const char kUsage[] =
    "usage: kestreltrack [--format csv|gpx|geojson] FILE.LOG\n"
    "       kestreltrack --events FILE.LOG [--setup SETUP.INI]\n"
    "Writes the records of a telemetry log to standard output (default: csv).\n"
    "--events writes its G-sensor events instead (start_sample,peak_sample,axis,peak_g),\n"
    "with the limits of SETUP.INI, else of the setup.ini or setup.bak beside the log,\n"
    "else the camera's defaults (X 1.0, Y 1.0, Z 2.0 g).\n";

// The limits the player uses for this log: the given settings file, else the
// one in the log's folder, else the camera's defaults. False, with the file's
// name in settingsFile, when a settings file cannot be read.
bool eventLimits(const char* logPath, const char* setupPath, GSensorLimits& limits, QString& settingsFile)
{
    if (setupPath) {
        settingsFile = QFile::decodeName(setupPath);
    } else {
        settingsFile = FindDeviceSettingsFile(QFileInfo(QFile::decodeName(logPath)).absolutePath());
        if (settingsFile.isEmpty())
            return true;
    }
    DeviceSettings settings;
    if (!ReadDeviceSettings(settingsFile, settings))
        return false;
    limits = {settings.G_LIMITX, settings.G_LIMITY, settings.G_LIMITZ};
    return true;
}

int usageError(const char* why)
{
    if (why)
        std::fprintf(stderr, "kestreltrack: %s\n", why);
    std::fputs(kUsage, stderr);
    return kExitUsageOrFile;
}

}  // namespace

int main(int argc, char** argv)
{
    TrackFormat format = TrackFormat::Csv;
    bool formatGiven = false;
    bool events = false;
    const char* setupPath = nullptr;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--events") {
            events = true;
            continue;
        }
        if (arg == "--setup") {
            if (++i == argc)
                return usageError("--setup needs a file");
            setupPath = argv[i];
            continue;
        }
        if (arg.substr(0, 8) == "--setup=") {
            setupPath = argv[i] + 8;
            continue;
        }
        std::string_view formatName;
        if (arg == "--format" || arg == "-f") {
            if (++i == argc)
                return usageError("--format needs a value");
            formatName = argv[i];
        } else if (arg.substr(0, 9) == "--format=") {
            formatName = arg.substr(9);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option");
        } else {
            if (path)
                return usageError("one log at a time");
            path = argv[i];
            continue;
        }
        const auto parsed = ParseTrackFormat(formatName);
        if (!parsed)
            return usageError("format must be csv, gpx or geojson");
        format = *parsed;
        formatGiven = true;
    }
    if (!path)
        return usageError(nullptr);
    if (events && formatGiven)
        return usageError("--events takes no --format");
    if (setupPath && !events)
        return usageError("--setup goes with --events");
    GSensorLimits limits;
    QString settingsFile;
    errno = 0;
    if (events && !eventLimits(path, setupPath, limits, settingsFile)) {
        const int why = errno;
        std::fprintf(stderr, "kestreltrack: cannot open %s: %s\n", QFile::encodeName(settingsFile).constData(),
                     why != 0 ? std::strerror(why) : "not a regular file");
        return kExitUsageOrFile;
    }

    auto track = std::make_unique<TelemetryTrack>();
    TelemetryParseReport report;
    TelemetryLogText text;
    if (!ReadTelemetryLogText(path, text, *track, &report)) {
        std::fprintf(stderr, "kestreltrack: cannot open %s: %s\n", path, std::strerror(errno));
        return kExitUsageOrFile;
    }
    if (report.wholeRecords == 0) {
        std::fprintf(stderr, "kestreltrack: %s holds no complete record\n", path);
        return kExitNoRecord;
    }

    TrackExport out;
    if (events)
        out.text = FormatGSensorEventsCsv(DetectGSensorEvents(*track, track->sampleCount, limits, &report.whole));
    else if (format == TrackFormat::Gpx) {
        // GPX points carry the camera's clock where its records hold one.
        std::vector<std::string> times(static_cast<std::size_t>(track->sampleCount));
        for (int i = 0; i < track->sampleCount; ++i)
            times[static_cast<std::size_t>(i)] = RecordDateTime(text.pass(i)).value_or(std::string());
        out = ExportTrack(*track, report, format, &times);
    } else
        out = ExportTrack(*track, report, format);
    if (std::fwrite(out.text.data(), 1, out.text.size(), stdout) != out.text.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "kestreltrack: cannot write the output: %s\n", std::strerror(errno));
        return kExitUsageOrFile;
    }

    // Passes before the last one that were not whole are malformed records;
    // the last pass may just be the empty one after a final line break.
    int malformed = 0;
    for (int i = 0; i + 1 < track->sampleCount; ++i)
        malformed += report.whole[static_cast<std::size_t>(i)] ? 0 : 1;
    if (malformed > 0)
        std::fprintf(stderr, "kestreltrack: %s: left out %d malformed records\n", path, malformed);
    if (out.skippedPoints > 0)
        std::fprintf(stderr, "kestreltrack: %s: left out %d records without a valid position\n", path, out.skippedPoints);
    if (report.stoppedAtCapacity)
        std::fprintf(stderr, "kestreltrack: %s: read only the first %d samples\n", path, kTelemetryCapacity);
    return 0;
}
