// Runs the built kestreltrack on small hand-made logs and checks its output
// and exit status.

#include "telemetryrecordformat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class KestreltrackRun : public testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("kestreltrack-test-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string writeLog(const std::string& bytes)
    {
        const fs::path path = m_dir / "CLIP.LOG";
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    ToolRun run(std::vector<std::string> args)
    {
        args.insert(args.begin(), KESTRELTRACK_PATH);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const std::string outPath = (m_dir / "stdout").string();
        const std::string errPath = (m_dir / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = 0;
        ToolRun result;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        result.out = readAll(outPath);
        result.err = readAll(errPath);
        return result;
    }

    fs::path m_dir;
};

TelemetrySample sample(double x, double latitude, double longitude, double speed)
{
    TelemetrySample s;
    s.accelX = x;
    s.accelY = -0.25;
    s.accelZ = 1;
    s.latitude = latitude;
    s.longitude = longitude;
    s.speed = speed;
    return s;
}

std::string log(const std::vector<TelemetrySample>& samples, const std::string& lineEnd, bool finalBreak)
{
    std::string text;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        text += FormatTelemetryRecord(samples[i], static_cast<int>(i));
        if (i + 1 < samples.size() || finalBreak)
            text += lineEnd;
    }
    return text;
}

const std::vector<TelemetrySample> kNorthEast = {sample(0.5, 22.5, 114.25, 35.5), sample(0.75, 22.5001, 114.2502, 36)};
const std::vector<TelemetrySample> kSouthWest = {sample(0.5, -33.875, -70.5, 10), sample(-1, -33.87, -70.51, 12.5)};

const char kNorthEastCsv[] =
    "index,accel_x,accel_y,accel_z,latitude,longitude,speed\n"
    "0,0.5,-0.25,1,22.5,114.25,35.5\n"
    "1,0.75,-0.25,1,22.5001,114.2502,36\n";

struct OutputCase {
    const char* name;
    std::string log;
    std::vector<std::string> options;
    std::string out;
};

const OutputCase kOutputCases[] = {
    {"CsvFromCrLfLog", log(kNorthEast, "\r\n", true), {}, kNorthEastCsv},
    {"CsvWithoutFinalLineBreak", log(kNorthEast, "\r\n", false), {"--format", "csv"}, kNorthEastCsv},
    {"CsvFromLfLog", log(kNorthEast, "\n", true), {"--format=csv"}, kNorthEastCsv},
    {"GpxSouthWest", log(kSouthWest, "\r\n", true), {"--format", "gpx"},
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
     "<gpx version=\"1.1\" creator=\"kestreltrack\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
     "  <trk>\n"
     "    <trkseg>\n"
     "      <trkpt lat=\"-33.875\" lon=\"-70.5\"><time>2024-05-01T12:00:00.000</time></trkpt>\n"
     "      <trkpt lat=\"-33.87\" lon=\"-70.51\"><time>2024-05-01T12:00:01.000</time></trkpt>\n"
     "    </trkseg>\n"
     "  </trk>\n"
     "</gpx>\n"},
    {"GpxTakesACompactCameraClock",
     "A 20260314 08:15:09 GSENSOR_XYZ=+0.1,+0.2,+0.3 GPS LAT:N 48 52.2 E 2 18.6 40 OK\r\n"
     "A NODATE 99:99:99.000 GSENSOR=+0.1,+0.2,+0.3 GPS LAT:N 48 52.3 E 2 18.6 40 OK\r\n",
     {"--format", "gpx"},
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
     "<gpx version=\"1.1\" creator=\"kestreltrack\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
     "  <trk>\n"
     "    <trkseg>\n"
     "      <trkpt lat=\"48.87\" lon=\"2.31\"><time>2026-03-14T08:15:09</time></trkpt>\n"
     "      <trkpt lat=\"48.87166666666667\" lon=\"2.31\"/>\n"
     "    </trkseg>\n"
     "  </trk>\n"
     "</gpx>\n"},
    {"GeoJsonPutsLongitudeFirst", log(kSouthWest, "\r\n", false), {"--format", "geojson"},
     "{\"type\":\"Feature\",\"properties\":{\"creator\":\"kestreltrack\",\"points\":2},"
     "\"geometry\":{\"type\":\"LineString\",\"coordinates\":[[-70.5,-33.875],[-70.51,-33.87]]}}\n"},
    {"GeoJsonSinglePointIsAPoint", log({kNorthEast[0]}, "\r\n", true), {"-f", "geojson"},
     "{\"type\":\"Feature\",\"properties\":{\"creator\":\"kestreltrack\",\"points\":1},"
     "\"geometry\":{\"type\":\"Point\",\"coordinates\":[114.25,22.5]}}\n"},
    {"MalformedRecordIsLeftOut",
     log({kNorthEast[0]}, "\r\n", true) + "A 2024-05-01 12:00:01.000 GSENSOR=+0.1,+0.2,+0.3 GPS LAT:N 22 x\r\n", {},
     "index,accel_x,accel_y,accel_z,latitude,longitude,speed\n"
     "0,0.5,-0.25,1,22.5,114.25,35.5\n"},
};

class KestreltrackOutput : public KestreltrackRun, public testing::WithParamInterface<OutputCase> {};

TEST_P(KestreltrackOutput, WritesOnlyWholeRecords)
{
    const OutputCase& c = GetParam();
    std::vector<std::string> args = c.options;
    args.push_back(writeLog(c.log));
    const ToolRun r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
}

INSTANTIATE_TEST_SUITE_P(Table, KestreltrackOutput, testing::ValuesIn(kOutputCases),
                         [](const testing::TestParamInfo<OutputCase>& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    const char* log;  // nullptr: no file written
    std::vector<std::string> args;  // "LOG" stands for the log's path
    int status;
    const char* err;
};

const FailureCase kFailureCases[] = {
    {"MissingFile", nullptr, {"LOG"}, 2, "cannot open"},
    {"FolderInsteadOfFile", nullptr, {"DIR"}, 2, "cannot open"},
    {"NoArguments", nullptr, {}, 2, "usage:"},
    {"UnknownFormat", "", {"--format", "kml", "LOG"}, 2, "usage:"},
    {"FormatWithoutValue", "", {"LOG", "--format"}, 2, "usage:"},
    {"UnknownOption", "", {"--verbose", "LOG"}, 2, "usage:"},
    {"TwoLogs", "", {"LOG", "LOG"}, 2, "usage:"},
    {"EmptyLog", "", {"LOG"}, 1, "no complete record"},
    {"WhitespaceOnlyLog", "\r\n\r\n", {"LOG"}, 1, "no complete record"},
    {"RecordCutShort", "A 2024-05-01 12:00:00.000 GSENSOR=+0.1,+0.2", {"LOG"}, 1, "no complete record"},
    {"EventsOfAnEmptyLog", "", {"--events", "LOG"}, 1, "no complete record"},
    {"EventsTakeNoFormat", "", {"--events", "--format", "gpx", "LOG"}, 2, "usage:"},
    {"SetupWithoutEvents", "", {"--setup", "LOG", "LOG"}, 2, "usage:"},
    {"SetupWithoutValue", "", {"--events", "LOG", "--setup"}, 2, "usage:"},
    {"SetupMissing", "", {"--events", "LOG", "--setup", "MISSING"}, 2, "cannot open"},
    {"SetupIsAFolder", "", {"--events", "LOG", "--setup", "DIR"}, 2, "cannot open"},
};

class KestreltrackFailure : public KestreltrackRun, public testing::WithParamInterface<FailureCase> {};

TEST_P(KestreltrackFailure, ExplainsOnStandardError)
{
    const FailureCase& c = GetParam();
    const std::string logPath = c.log ? writeLog(c.log) : (m_dir / "missing.LOG").string();
    std::vector<std::string> args;
    for (const std::string& a : c.args)
        args.push_back(a == "LOG" ? logPath : a == "DIR" ? m_dir.string() : a == "MISSING" ? (m_dir / "none.ini").string() : a);
    const ToolRun r = run(args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(Table, KestreltrackFailure, testing::ValuesIn(kFailureCases),
                         [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(KestreltrackRun, HelpGoesToStandardOutput)
{
    const ToolRun r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("usage: kestreltrack", 0), 0u);
}

TEST_F(KestreltrackRun, InvalidPositionsStayInCsvButNotOnTheMap)
{
    const std::string path = writeLog(log({sample(0, 95, 10, 1), sample(0, 22.5, 114.25, 2), sample(0, 22.5, 114.25, 3)}, "\n", true));
    const ToolRun csv = run({path});
    EXPECT_NE(csv.out.find("0,0,-0.25,1,95,10,1\n"), std::string::npos);
    const ToolRun gpx = run({"--format", "gpx", path});
    EXPECT_EQ(gpx.status, 0);
    EXPECT_EQ(gpx.out.find("lat=\"95\""), std::string::npos);
    EXPECT_NE(gpx.err.find("left out 1 records without a valid position"), std::string::npos) << gpx.err;
}

// ---------------------------------------------------------------- events

std::vector<TelemetrySample> driveWithForces(const std::vector<std::pair<int, double>>& xs,
                                             const std::vector<std::pair<int, double>>& ys = {})
{
    // No fix on purpose: events come from the forces alone.
    std::vector<TelemetrySample> samples(60, sample(0.05, 0, 0, 20));
    for (const auto& [i, x] : xs)
        samples[static_cast<std::size_t>(i)].accelX = x;
    for (const auto& [i, y] : ys)
        samples[static_cast<std::size_t>(i)].accelY = y;
    return samples;
}

const char kEventsHeader[] = "start_sample,peak_sample,axis,peak_g\n";

struct EventsCase {
    const char* name;
    std::vector<TelemetrySample> samples;
    const char* besideLog;   // setup.ini beside the log, or nullptr
    const char* setupFile;   // given with --setup, or nullptr
    std::string out;
};

const EventsCase kEventsCases[] = {
    {"NoneIsTheHeaderOnly", driveWithForces({{10, 0.9}}), nullptr, nullptr, kEventsHeader},
    {"DefaultLimitsWithoutASettingsFile", driveWithForces({{20, -1.2}, {21, -1.62}, {22, -0.4}, {40, 1.05}}),
     nullptr, nullptr, std::string(kEventsHeader) + "20,21,X,-1.62\n40,40,X,1.05\n"},
    {"RunsWithinASecondMerge", driveWithForces({{20, 1.3}, {29, -1.4}}), nullptr, nullptr,
     std::string(kEventsHeader) + "20,29,X,-1.40\n"},
    {"SettingsFileBesideTheLog", driveWithForces({{12, 0.6}}, {{30, -1.1}}), "[G_LIMITX=0.50]\r\n[G_LIMITY=1.50]\r\n",
     nullptr, std::string(kEventsHeader) + "12,12,X,0.60\n"},
    {"GivenSettingsFileWins", driveWithForces({{12, 0.6}}, {{30, -1.1}}), "[G_LIMITX=0.50]\r\n",
     "[G_LIMITY=1.05]\r\n", std::string(kEventsHeader) + "30,30,Y,-1.10\n"},
};

class KestreltrackEvents : public KestreltrackRun, public testing::WithParamInterface<EventsCase> {};

TEST_P(KestreltrackEvents, ListsTheEventsAsCsv)
{
    const EventsCase& c = GetParam();
    const std::string logPath = writeLog(log(c.samples, "\r\n", true));
    if (c.besideLog)
        std::ofstream(m_dir / "setup.ini", std::ios::binary) << c.besideLog;
    std::vector<std::string> args = {"--events", logPath};
    if (c.setupFile) {
        const fs::path setup = m_dir / "other" / "setup.bak";
        fs::create_directories(setup.parent_path());
        std::ofstream(setup, std::ios::binary) << c.setupFile;
        args.push_back("--setup");
        args.push_back(setup.string());
    }
    const ToolRun r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
}

INSTANTIATE_TEST_SUITE_P(Table, KestreltrackEvents, testing::ValuesIn(kEventsCases),
                         [](const testing::TestParamInfo<EventsCase>& info) { return std::string(info.param.name); });

}  // namespace
