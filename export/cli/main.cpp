// kestrelexport: hands over a span of a dash-camera recording as a folder of files (the video cut
// without re-encoding, its telemetry log, GPX and CSV, optionally a burned-in MP4, and a PDF
// report), through export_core's RunClipExport. Links Qt Gui for the report's fonts, no widgets.

#include "clipexport.h"
#include "maplanguage.h"
#include "playersettings.h"
#include "programpaths.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int kExitUsage = 1;

const char kUsage[] =
    "usage: kestrelexport RECORDING --from SECONDS --to SECONDS [options]\n"
    "       kestrelexport RECORDING --event N [--before SECONDS] [--after SECONDS] [options]\n"
    "Writes NAME_FROM-TO.asf (the span, cut without re-encoding), .LOG, .gpx, .csv and\n"
    "NAME_FROM-TO-report.pdf into a new folder \"Kestrelview clips/NAME_FROM-TO\" beside your\n"
    "Pictures folder, or into DIR. FROM and TO are seconds with one decimal.\n"
    "Options:\n"
    "  --out DIR        write into DIR instead\n"
    "  --event N        the span around G-sensor event N (1 is the first), from its peak\n"
    "                   --before seconds before to --after seconds after (10 each)\n"
    "  --mp4            also write NAME_FROM-TO.mp4 with the speed, G and position burned in\n"
    "  --mph            speeds in the MP4 in mph (default km/h)\n"
    "  --no-report      leave out the PDF report\n"
    "  --language CODE  language of the report's texts (en, de, fr, ...; default: the player's)\n"
    "  --quiet          no progress line\n"
    "  --help, --version\n"
    "Exit status: 0 done, 1 bad span, event or option, 2 missing file, 3 write or cut failure.\n";

std::optional<double> parseNumber(const char* text)
{
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int usage(const std::string& why)
{
    std::fprintf(stderr, "kestrelexport: %s\n", why.c_str());
    std::fputs("Try 'kestrelexport --help'.\n", stderr);
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv)
{
    // The report is painted off screen; no display is needed or used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own notes (an unset XDG_RUNTIME_DIR, font fallbacks) are not the user's business here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "kestrelexport: %s\n", qPrintable(message));
    });
    QGuiApplication app(argc, argv);

    ClipExportRequest request;
    request.programVersion = KESTREL_VERSION;
    bool quiet = false;
    std::optional<std::string> language;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc)
                return nullptr;
            (void)what;
            return argv[++i];
        };
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("kestrelexport %s\n", KESTREL_VERSION);
            return 0;
        }
        if (arg == "--quiet" || arg == "-q") {
            quiet = true;
        } else if (arg == "--mp4") {
            request.mp4 = true;
        } else if (arg == "--mph") {
            request.miles = true;
        } else if (arg == "--no-report") {
            request.report = false;
        } else if (arg == "--from" || arg == "--to" || arg == "--before" || arg == "--after") {
            const char* text = value(argv[i]);
            const auto number = text ? parseNumber(text) : std::nullopt;
            if (!number)
                return usage(std::string(arg) + " needs a number of seconds");
            if (arg == "--from")
                request.from = *number;
            else if (arg == "--to")
                request.to = *number;
            else if (arg == "--before")
                request.before = *number;
            else
                request.after = *number;
        } else if (arg == "--event") {
            const char* text = value("--event");
            const auto number = text ? parseNumber(text) : std::nullopt;
            if (!number || *number != std::floor(*number) || std::fabs(*number) > 1e6)
                return usage("--event needs an event number (1 is the first)");
            request.event = int(*number);
        } else if (arg == "--out") {
            const char* text = value("--out");
            if (!text || !*text)
                return usage("--out needs a folder");
            request.outDir = text;
        } else if (arg == "--language") {
            const char* text = value("--language");
            if (!text)
                return usage("--language needs a language code");
            language = text;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage("unknown option " + std::string(arg));
        } else if (request.recording.empty()) {
            request.recording = argv[i];
        } else {
            return usage("one recording at a time");
        }
    }
    if (request.recording.empty())
        return usage("name the recording to export");
    if (request.event && (request.from || request.to))
        return usage("give either --from/--to or --event, not both");
    if (!request.event && (!request.from || !request.to))
        return usage("give the span with --from and --to, or an event with --event");

    // The player's settings beside the program: the log's speed unit, and the language in use
    // when the player has stored one.
    const QString moduleDirectory = ProgramDirectory();
    PlayerSettingsPath = SettingsPathFor(moduleDirectory);
    if (language)
        request.language = *language;
    else if (QFileInfo::exists(PlayerSettingsPath))
        request.language = MapLanguageCode(ReadDefaultLang());

    QElapsedTimer clock;
    clock.start();
    bool shown = false;
    const ClipExportResult result = RunClipExport(request, [&](double fraction, const std::string& stage) {
        // Only work that lasts gets a progress line.
        if (!quiet && clock.elapsed() >= 1000) {
            std::fprintf(stderr, "\rkestrelexport: %-6s %3d%%", stage.c_str(), int(std::lround(fraction * 100)));
            std::fflush(stderr);
            shown = true;
        }
        return true;
    });
    if (shown)
        std::fputc('\n', stderr);
    if (result.exitCode != 0) {
        std::fprintf(stderr, "kestrelexport: %s\n", result.error.c_str());
        return result.exitCode;
    }
    if (!quiet && result.cutStart < result.from - 0.0005)
        std::fprintf(stderr, "kestrelexport: the video starts %.2f s early, at the key frame at %.2f s\n",
                     result.from - result.cutStart, result.cutStart);
    for (const std::string& file : result.files)
        std::printf("%s\n", file.c_str());
    return 0;
}
