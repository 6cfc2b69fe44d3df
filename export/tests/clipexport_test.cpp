// Runs kestrelexport on recordings made at test time (the project's generator, and ffmpeg) and
// checks what it hands over: the cut's duration and that it decodes to the end in GStreamer and
// ffmpeg, the log read back by the player's reader, the GPX, the one-page report with the
// sources' SHA-256, the exit codes of bad input and that nothing is left behind.

#include "asfpacketlengths.h"
#include "clipexport.h"
#include "framegrabber.h"
#include "telemetrylogparser.h"
#include "telemetrystrip.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
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

bool onPath(const char* tool)
{
    const std::string command = std::string("command -v ") + tool + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Runs argv with the given extra environment; output captured in files under dir.
ToolRun spawn(std::vector<std::string> args, const fs::path& dir, const std::vector<std::string>& env = {})
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const std::string& own : env)
            replaced = replaced || entry.compare(0, own.find('=') + 1, own, 0, own.find('=') + 1) == 0;
        if (!replaced)
            envStrings.push_back(entry);
    }
    for (const std::string& e : env)
        envStrings.push_back(e);
    std::vector<char*> envp;
    for (std::string& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string outPath = (dir / "spawn.out").string();
    const std::string errPath = (dir / "spawn.err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    ToolRun result;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = readAll(outPath);
    result.err = readAll(errPath);
    fs::remove(outPath);
    fs::remove(errPath);
    return result;
}

std::string sha256sum(const fs::path& file, const fs::path& dir)
{
    const ToolRun run = spawn({"sha256sum", file.string()}, dir);
    return run.out.substr(0, 64);
}

double ffprobeDuration(const fs::path& file, const fs::path& dir)
{
    const ToolRun run = spawn({"ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", file.string()},
                          dir);
    return run.status == 0 ? std::atof(run.out.c_str()) : -1;
}

// Frames of the first video stream that ffmpeg decodes, and whether it complained.
int ffmpegDecodedFrames(const fs::path& file, const fs::path& dir, std::string* complaints)
{
    const ToolRun run = spawn({"ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                           "stream=nb_read_frames", "-of", "csv=p=0", file.string()},
                          dir);
    *complaints = run.err;
    return run.status == 0 ? std::atoi(run.out.c_str()) : -1;
}

std::unique_ptr<TelemetryTrack> readLog(const fs::path& path)
{
    auto track = std::make_unique<TelemetryTrack>();
    ClearTelemetryTrack(*track);
    if (!ReadTelemetryLogFile(path.string().c_str(), *track))
        track->sampleCount = -1;
    return track;
}

bool sameSample(const TelemetryTrack& a, int i, const TelemetryTrack& b, int j)
{
    return a.accelX[i] == b.accelX[j] && a.accelY[i] == b.accelY[j] && a.accelZ[i] == b.accelZ[j]
        && a.latitude[i] == b.latitude[j] && a.longitude[i] == b.longitude[j] && a.speed[i] == b.speed[j];
}

int count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

// Entries of a folder, hidden ones included (a staging folder left behind would show here).
std::vector<std::string> entries(const fs::path& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        names.push_back(entry.path().filename().string());
    return names;
}

class ClipExportRun : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = fs::temp_directory_path() / ("kestrelexport-test-" + std::to_string(::getpid()));
        fs::create_directories(s_dir / "card");
        // 20 s at 10 fps; key frames twice a second.
        s_made = spawn({KESTREL_MAKE_RECORDING, "--out", (s_dir / "card" / "REC0001.asf").string(), "--seconds", "20",
                        "--width", "320", "--height", "240", "--fps", "10"},
                       s_dir)
                     .status
            == 0;
        // Limits low enough that the generated drive has events.
        std::ofstream(s_dir / "card" / "setup.ini", std::ios::binary) << "[G_LIMITX=0.2]\r\n[G_LIMITY=0.25]\r\n[G_LIMITZ=2]\r\n";
    }
    static void TearDownTestSuite() { fs::remove_all(s_dir); }

    void SetUp() override
    {
        if (!s_made)
            GTEST_SKIP() << "make-recording could not write a recording (GStreamer plugins missing?)";
        m_out = s_dir / ("out-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_out);
    }

    ToolRun exportClip(std::vector<std::string> args, const std::vector<std::string>& env = {})
    {
        args.insert(args.begin(), KESTRELEXPORT_PATH);
        return spawn(args, s_dir, env);
    }

    static fs::path recording() { return s_dir / "card" / "REC0001.asf"; }

    static inline fs::path s_dir;
    static inline bool s_made = false;
    fs::path m_out;
};

TEST_F(ClipExportRun, CutsTheSpanWithoutReencodingAndHandsOverEveryFile)
{
    const ToolRun run = exportClip({recording().string(), "--from", "5.3", "--to", "12.4", "--out", m_out.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string name = "REC0001_5.3-12.4";
    for (const char* suffix : {".asf", ".LOG", ".gpx", ".csv", "-report.pdf"})
        EXPECT_TRUE(fs::is_regular_file(m_out / (name + suffix))) << suffix;
    EXPECT_EQ(entries(m_out).size(), 5u);
    EXPECT_NE(run.err.find("0.30 s early"), std::string::npos) << run.err;  // key frame at 5.0 s
    EXPECT_EQ(count(run.out, "\n"), 5);
}

TEST_F(ClipExportRun, TheCutLastsTheSpanAndDecodesToItsEndInGStreamerAndFfmpeg)
{
    if (!onPath("ffprobe"))
        GTEST_SKIP() << "ffprobe (Debian package ffmpeg) is not installed";
    const ToolRun run = exportClip({recording().string(), "--from", "5.3", "--to", "12.4", "--out", m_out.string(),
                                "--no-report"});
    ASSERT_EQ(run.status, 0) << run.err;
    const fs::path clip = m_out / "REC0001_5.3-12.4.asf";
    const double keyInterval = 0.5;
    const double duration = ffprobeDuration(clip, s_dir);
    EXPECT_GE(duration, 12.4 - 5.3 - 0.11);
    EXPECT_LE(duration, 12.4 - 5.3 + keyInterval + 0.11);
    // Every frame from the key frame at 5.0 s up to 12.4 s: 74 at 10 fps, none lost at the end.
    std::string complaints;
    EXPECT_EQ(ffmpegDecodedFrames(clip, s_dir, &complaints), 74);
    EXPECT_EQ(complaints, "");
    std::string why;
    const QImage last = FrameGrabber::Grab(clip.string(), duration - 0.15, 0, &why);
    EXPECT_FALSE(last.isNull()) << why;
    EXPECT_EQ(last.width(), 320);
}

TEST_F(ClipExportRun, TheLogHoldsExactlyTheSpansSamplesWhereThePlayerShowsThem)
{
    const ToolRun run = exportClip({recording().string(), "--from", "5.3", "--to", "12.4", "--out", m_out.string(),
                                "--no-report"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto whole = readLog(s_dir / "card" / "REC0001.LOG");
    const auto clip = readLog(m_out / "REC0001_5.3-12.4.LOG");
    ASSERT_EQ(whole->sampleCount, 201);
    ASSERT_GT(clip->sampleCount, 2);
    // The clip's samples are a run of the recording's, every value bit for bit.
    int first = -1;
    for (int i = 0; i + clip->sampleCount - 1 <= whole->sampleCount - 1 && first < 0; ++i) {
        bool all = true;
        for (int j = 0; j < clip->sampleCount - 1 && all; ++j)
            all = sameSample(*whole, i + j, *clip, j);
        if (all)
            first = i;
    }
    ASSERT_GE(first, 0) << "the clip's samples are not a run of the recording's";
    // The player spreads samples evenly over a video (about 10 per second here): the run starts
    // at the key frame (5.0 s) and spans the clip's own duration.
    const double rate = whole->sampleCount / 20.0;
    EXPECT_NEAR(first, 5.0 * rate, 1.0);
    EXPECT_NEAR(clip->sampleCount, (12.4 - 5.0) * rate, 1.5);
    // At each slider position the clip shows the sample the recording shows at that moment.
    const double clipSeconds = (clip->sampleCount) / rate;
    for (int k = 0; k <= 1000; k += 50) {
        const int inClip = SampleIndex(k, clip->sampleCount);
        const double t = 5.0 + k / 1000.0 * clipSeconds;
        const int inWhole = SampleIndex(int(std::lround(t / 20.0 * 1000)), whole->sampleCount);
        EXPECT_NEAR(first + inClip, inWhole, 1) << "k=" << k;
    }
}

TEST_F(ClipExportRun, TheGpxIsValidXmlWithAPointAndTheCamerasClockPerRecord)
{
    if (!onPath("xmllint"))
        GTEST_SKIP() << "xmllint (Debian package libxml2-utils) is not installed";
    const ToolRun run = exportClip({recording().string(), "--from", "2", "--to", "9", "--out", m_out.string(),
                                "--no-report"});
    ASSERT_EQ(run.status, 0) << run.err;
    const fs::path gpx = m_out / "REC0001_2.0-9.0.gpx";
    const ToolRun lint = spawn({"xmllint", "--noout", gpx.string()}, s_dir);
    EXPECT_EQ(lint.status, 0) << lint.err;
    const auto clip = readLog(m_out / "REC0001_2.0-9.0.LOG");
    const std::string text = readAll(gpx);
    EXPECT_EQ(count(text, "<trkpt "), clip->sampleCount - 1);
    EXPECT_EQ(count(text, "<time>2024-05-01T12:00:0"), clip->sampleCount - 1);
    const std::string csv = readAll(m_out / "REC0001_2.0-9.0.csv");
    EXPECT_EQ(count(csv, "\n"), clip->sampleCount);  // header and one line per record
}

TEST_F(ClipExportRun, TheReportIsOnePageWithTheSourcesAndExportsHashes)
{
    if (!onPath("pdftotext") || !onPath("pdfinfo"))
        GTEST_SKIP() << "pdftotext (Debian package poppler-utils) is not installed";
    const ToolRun run = exportClip({recording().string(), "--event", "3", "--before", "4", "--after", "3", "--out",
                                m_out.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string pdf;
    for (const std::string& name : entries(m_out))
        if (name.size() > 11 && name.substr(name.size() - 11) == "-report.pdf")
            pdf = (m_out / name).string();
    ASSERT_FALSE(pdf.empty());
    const ToolRun info = spawn({"pdfinfo", pdf}, s_dir);
    EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
    const ToolRun text = spawn({"pdftotext", "-layout", pdf, "-"}, s_dir);
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find(sha256sum(recording(), s_dir)), std::string::npos);
    EXPECT_NE(text.out.find(sha256sum(s_dir / "card" / "REC0001.LOG", s_dir)), std::string::npos);
    for (const std::string& name : entries(m_out)) {
        if (name.find("-report.pdf") == std::string::npos) {
            EXPECT_NE(text.out.find(sha256sum(m_out / name, s_dir)), std::string::npos) << name;
        }
    }
    EXPECT_NE(text.out.find("Event 3/3"), std::string::npos);
    EXPECT_NE(text.out.find("km/h"), std::string::npos);
    EXPECT_NE(text.out.find("mph"), std::string::npos);
}

TEST_F(ClipExportRun, AnEventSpanIsCentredOnItsPeakAndHeldToTheRecording)
{
    // Event 1 peaks at sample 29, about 3 s in: 10 s before is held to 0.
    const ToolRun run = exportClip({recording().string(), "--event", "1", "--out", m_out.string(), "--no-report"});
    ASSERT_EQ(run.status, 0) << run.err;
    const double peak = (29 + 1) / (201 / 20.016);
    char name[64];
    std::snprintf(name, sizeof name, "REC0001_0.0-%.1f.asf", peak + 10);
    EXPECT_TRUE(fs::is_regular_file(m_out / name)) << run.out;
}

TEST_F(ClipExportRun, TheDefaultFolderLiesBesideThePicturesNeverOnTheCard)
{
    const fs::path home = s_dir / "home";
    fs::create_directories(home / "Pictures");
    const ToolRun run = exportClip({recording().string(), "--from", "1", "--to", "3", "--no-report", "--quiet"},
                               {"HOME=" + home.string(), "XDG_PICTURES_DIR=" + (home / "Pictures").string(),
                                "XDG_CONFIG_HOME=" + (home / ".config").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");  // --quiet
    EXPECT_TRUE(fs::is_regular_file(home / "Kestrelview clips" / "REC0001_1.0-3.0" / "REC0001_1.0-3.0.asf"));
    // A second export of the same span gets a folder of its own.
    ASSERT_EQ(exportClip({recording().string(), "--from", "1", "--to", "3", "--no-report"}, {"HOME=" + home.string()}).status, 0);
    EXPECT_TRUE(fs::is_directory(home / "Kestrelview clips" / "REC0001_1.0-3.0 (2)"));
    EXPECT_EQ(entries(home / "Kestrelview clips").size(), 2u);
    EXPECT_EQ(entries(s_dir / "card").size(), 3u);  // REC0001.asf, REC0001.LOG, setup.ini
}

struct BadInput {
    const char* name;
    std::vector<std::string> args;  // after the recording; "@missing" replaces it
    int status;
    const char* says;
};

const BadInput kBadInputs[] = {
    {"MissingRecording", {"@missing", "--from", "1", "--to", "2"}, 2, "does not exist"},
    {"FromNotBeforeTo", {"--from", "8", "--to", "8"}, 1, "must lie before its end"},
    {"SpanPastTheEnd", {"--from", "15", "--to", "26"}, 1, "lies outside the recording"},
    {"SpanBeforeTheStart", {"--from", "-3", "--to", "2"}, 1, "lies outside the recording"},
    {"NoSuchEvent", {"--event", "9"}, 1, "there is no event 9"},
    {"EventZero", {"--event", "0"}, 1, "there is no event 0"},
    {"NoSpan", {"--from", "3"}, 1, "give the span"},
    {"NotANumber", {"--from", "abc", "--to", "4"}, 1, "needs a number"},
    {"UnknownOption", {"--from", "1", "--to", "2", "--fast"}, 1, "unknown option"},
};

class ClipExportBadInput : public ClipExportRun, public testing::WithParamInterface<BadInput> {};

TEST_P(ClipExportBadInput, SaysWhyInOneSentenceAndLeavesNothing)
{
    const BadInput& c = GetParam();
    std::vector<std::string> args;
    args.push_back(c.args.front() == "@missing" ? (s_dir / "card" / "REC9999.asf").string() : recording().string());
    for (std::size_t i = c.args.front() == "@missing" ? 1 : 0; i < c.args.size(); ++i)
        args.push_back(c.args[i]);
    fs::create_directories(m_out);
    args.insert(args.end(), {"--out", m_out.string()});
    const ToolRun run = exportClip(args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(entries(m_out).empty());
}

INSTANTIATE_TEST_SUITE_P(Table, ClipExportBadInput, testing::ValuesIn(kBadInputs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClipExportRun, AMissingLogIsAMissingFile)
{
    fs::create_directories(s_dir / "nolog");
    fs::copy_file(recording(), s_dir / "nolog" / "REC0002.asf", fs::copy_options::overwrite_existing);
    const ToolRun run = exportClip({(s_dir / "nolog" / "REC0002.asf").string(), "--from", "1", "--to", "2", "--out",
                                m_out.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("no telemetry log"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(m_out / "REC0002_1.0-2.0.asf"));
}

TEST_F(ClipExportRun, ExistingFilesInTheOutputFolderAreNeverReplaced)
{
    fs::create_directories(m_out);
    std::ofstream(m_out / "REC0001_1.0-2.0.LOG") << "mine";
    const ToolRun run = exportClip({recording().string(), "--from", "1", "--to", "2", "--out", m_out.string()});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(readAll(m_out / "REC0001_1.0-2.0.LOG"), "mine");
    EXPECT_EQ(entries(m_out).size(), 1u);
}

TEST_F(ClipExportRun, ACancelAtAnyStageLeavesNothingBehind)
{
    for (const double stopAt : {0.0, 0.3, 0.9}) {
        fs::remove_all(m_out);
        fs::create_directories(m_out);
        ClipExportRequest request;
        request.recording = recording().string();
        request.from = 4;
        request.to = 14;
        request.outDir = m_out.string();
        request.report = false;
        std::vector<std::string> stages;
        const ClipExportResult result = RunClipExport(request, [&](double fraction, const std::string& stage) {
            stages.push_back(stage);
            return fraction < stopAt;
        });
        EXPECT_EQ(result.exitCode, 4) << stopAt;
        EXPECT_TRUE(result.files.empty());
        EXPECT_TRUE(entries(m_out).empty()) << stopAt;
        EXPECT_FALSE(stages.empty());
    }
}

TEST_F(ClipExportRun, TheResultNamesTheSpanTheCutStartAndTheFiles)
{
    ClipExportRequest request;
    request.recording = recording().string();
    request.from = 6.7;
    request.to = 8.2;
    request.outDir = m_out.string();
    request.report = false;
    double last = -1;
    bool rising = true;
    const ClipExportResult result = RunClipExport(request, [&](double fraction, const std::string&) {
        rising = rising && fraction >= last;
        last = fraction;
        return true;
    });
    ASSERT_EQ(result.exitCode, 0) << result.error;
    EXPECT_DOUBLE_EQ(result.from, 6.7);
    EXPECT_DOUBLE_EQ(result.to, 8.2);
    EXPECT_NEAR(result.cutStart, 6.5, 1e-6);
    EXPECT_EQ(result.files.size(), 4u);
    EXPECT_EQ(fs::path(result.folder), m_out);
    EXPECT_TRUE(rising);
    EXPECT_DOUBLE_EQ(last, 1.0);
}

// Recordings written by ffmpeg: H.264 with B-frames and AAC in MP4, and WMV2/WMA2 in ASF.
struct ForeignCase {
    const char* name;
    const char* file;
    std::vector<std::string> encode;  // ffmpeg's output options
    double keyInterval;               // of the encoding, seconds
};

const ForeignCase kForeign[] = {
    {"Mp4H264Aac", "FF0001.mp4", {"-c:v", "libx264", "-g", "25", "-bf", "2", "-c:a", "aac"}, 1.0},
    {"AsfWmv2Wma2", "FF0002.asf", {"-c:v", "wmv2", "-g", "25", "-c:a", "wmav2"}, 1.0},
    {"MkvH264", "FF0003.mkv", {"-c:v", "libx264", "-g", "25", "-c:a", "aac"}, 1.0},
    {"TsH264", "FF0004.ts", {"-c:v", "libx264", "-g", "25", "-c:a", "aac"}, 1.0},
};

class ClipExportForeign : public ClipExportRun, public testing::WithParamInterface<ForeignCase> {};

TEST_P(ClipExportForeign, KeepsTheContainerAndCutsToTheSpan)
{
    if (!onPath("ffmpeg") || !onPath("ffprobe"))
        GTEST_SKIP() << "ffmpeg is not installed";
    const ForeignCase& c = GetParam();
    const fs::path folder = s_dir / "ffmpeg";
    fs::create_directories(folder);
    const fs::path video = folder / c.file;
    std::vector<std::string> args = {"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                                     "testsrc=size=320x240:rate=25", "-f", "lavfi", "-i", "sine=frequency=440",
                                     "-t", "12"};
    args.insert(args.end(), c.encode.begin(), c.encode.end());
    args.push_back(video.string());
    ASSERT_EQ(spawn(args, s_dir).status, 0);
    // The generator's log for the same twelve seconds.
    fs::path asfName = video;
    asfName.replace_extension(".asf");
    ASSERT_EQ(spawn({KESTREL_MAKE_RECORDING, "--out", asfName.string(), "--seconds", "12", "--log-only"}, s_dir).status, 0);

    const ToolRun run = exportClip({video.string(), "--from", "3.5", "--to", "9", "--out", m_out.string(), "--no-report"});
    ASSERT_EQ(run.status, 0) << run.err;
    fs::path clip = m_out / (video.stem().string() + "_3.5-9.0" + video.extension().string());
    ASSERT_TRUE(fs::is_regular_file(clip)) << run.out;
    const double duration = ffprobeDuration(clip, s_dir);
    EXPECT_GE(duration, 9 - 3.5 - 0.1);
    EXPECT_LE(duration, 9 - 3.5 + c.keyInterval + 0.1);
    std::string complaints;
    const int frames = ffmpegDecodedFrames(clip, s_dir, &complaints);
    // Decoded to the end: frames for all but at most 0.2 s of the container's duration (an
    // MPEG-TS counts its muxing delay in the duration).
    EXPECT_NEAR(frames, duration * 25, 5);
    std::string why;
    EXPECT_FALSE(FrameGrabber::Grab(clip.string(), duration - 0.1, 0, &why).isNull()) << why;
    EXPECT_GT(readLog(m_out / (video.stem().string() + "_3.5-9.0.LOG"))->sampleCount, 50);
}

INSTANTIATE_TEST_SUITE_P(Table, ClipExportForeign, testing::ValuesIn(kForeign),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AsfPacketLengths, LeavesAFileThatIsNoAsfAlone)
{
    const fs::path path = fs::temp_directory_path() / ("not-asf-" + std::to_string(::getpid()));
    const std::string bytes(4096, 'x');
    std::ofstream(path, std::ios::binary) << bytes;
    EXPECT_EQ(NormalizeAsfPacketLengths(path.string()), -1);
    EXPECT_EQ(readAll(path), bytes);
    fs::remove(path);
    EXPECT_EQ(NormalizeAsfPacketLengths(path.string()), -1);
}

}  // namespace
