// Reading a telemetry log of the track's full 10,000 records (about 1 MB,
// CR LF lines), the way playback does it at each start, beside `wc -l` on the
// same file and beside a plain fscanf loop, so the figures read as ratios.

#include "referencelogreader.h"
#include "telemetrylogparser.h"
#include "telemetrylogpath.h"
#include "telemetryrecordformat.h"
#include "telemetrytrack.h"

#include <benchmark/benchmark.h>

#include <QString>

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

extern char** environ;

namespace {

constexpr int kRecords = kTelemetryCapacity;

// The log, written once per run to a private temporary folder.
class LogFile {
public:
    LogFile()
    {
        char pattern[] = "/tmp/kestrel-bench-telemetry-XXXXXX";
        m_dir = mkdtemp(pattern);
        m_video = m_dir + "/20240501_120000.asf";
        m_log = m_dir + "/20240501_120000.LOG";
        std::string text;
        for (int i = 0; i < kRecords; ++i) {
            // The camera's precision: G in hundredths and thousandths,
            // minutes in ten-thousandths, speed in tenths.
            TelemetrySample s;
            s.accelX = ((i % 37) - 18) / 100.0;
            s.accelY = (20 - 2 * (i % 23)) / 100.0;
            s.accelZ = (980 + (i % 11)) / 1000.0;
            s.latitude = 22 + (30 + (i * 61 % 100000) / 10000.0) / 60;
            s.longitude = -(114 + (6 + (i * 37 % 100000) / 10000.0) / 60);
            s.speed = (300 + (i % 50) * 5) / 10.0;
            text += FormatTelemetryRecord(s, i);
            text += "\r\n";
        }
        std::ofstream(m_log, std::ios::binary) << text;
        m_bytes = text;
    }
    ~LogFile() { std::filesystem::remove_all(m_dir); }

    const std::string& log() const { return m_log; }
    const std::string& video() const { return m_video; }
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_dir;
    std::string m_video;
    std::string m_log;
    std::string m_bytes;
};

const LogFile& logFile()
{
    static const LogFile file;
    return file;
}

void setCounters(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(logFile().bytes().size()));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kRecords);
}

// What the display does when the reload flag is up: path, open, read.
void BM_ReadTelemetryLog(benchmark::State& state)
{
    const QString video = QString::fromStdString(logFile().video());
    for (auto _ : state) {
        if (!ReadTelemetryLog(video))
            state.SkipWithError("log did not open");
        benchmark::DoNotOptimize(TheTelemetryTrack().sampleCount);
    }
    setCounters(state);
}
BENCHMARK(BM_ReadTelemetryLog)->Unit(benchmark::kMillisecond);

// The parser alone, on bytes already in memory.
void BM_ParseTelemetryLogInMemory(benchmark::State& state)
{
    auto track = std::make_unique<TelemetryTrack>();
    const std::string& bytes = logFile().bytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseTelemetryLog(bytes.data(), bytes.size(), *track));
    setCounters(state);
}
BENCHMARK(BM_ParseTelemetryLogInMemory)->Unit(benchmark::kMillisecond);

// The same records read with glibc's fscanf, one conversion at a time.
void BM_PlainFscanfReader(benchmark::State& state)
{
    auto track = std::make_unique<TelemetryTrack>();
    const std::string& bytes = logFile().bytes();
    TelemetryParseReport report;
    for (auto _ : state)
        benchmark::DoNotOptimize(reference::ReadLog(bytes, *track, report));
    setCounters(state);
}
BENCHMARK(BM_PlainFscanfReader)->Unit(benchmark::kMillisecond);

// `wc -l` on the same file, started and waited for like any command.
void BM_WcLines(benchmark::State& state)
{
    std::string program = "wc";
    std::string flag = "-l";
    std::string path = logFile().log();
    char* argv[] = {program.data(), flag.data(), path.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, "wc", &actions, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid
            || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("wc -l failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    setCounters(state);
}
BENCHMARK(BM_WcLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
