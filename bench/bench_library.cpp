// Scanning a folder of 10,000 files, 5,000 of them ".asf" recordings (the rest
// their ".LOG" telemetry files), for the record list. Goal: under 50 ms per
// scan. `ls -f DIR | wc -l` through /bin/sh runs on the same folder in the same
// run, so the figures read as a ratio to a plain enumeration.
#include "memoryrecordrowstore.h"
#include "recordfolderscan.h"
#include "recordlistmodel.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kRecordings = 5000;

class CardFolder {
public:
    CardFolder()
    {
        char pattern[] = "/tmp/bench_library.XXXXXX";
        if (!::mkdtemp(pattern))
            std::abort();
        m_path = pattern;
        for (int i = 0; i < kRecordings; ++i) {
            char name[64];
            for (const char* extension : {".asf", ".LOG"}) {
                std::snprintf(name, sizeof name, "/2024_0101_%06d%s", i, extension);
                const int fd = ::open((m_path + name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
                if (fd < 0)
                    std::abort();
                ::close(fd);
            }
        }
    }
    ~CardFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& path() const { return m_path; }
    QString qpath() const { return QFile::decodeName(QByteArray::fromStdString(m_path)); }

private:
    std::string m_path;
};

const CardFolder& cardFolder()
{
    static const CardFolder folder;
    return folder;
}

void BM_ScanRecordFolder(benchmark::State& state)
{
    const QString folder = cardFolder().qpath();
    for (auto _ : state) {
        const QStringList names = ScanRecordFolder(folder, QStringLiteral(".asf"));
        if (names.size() != kRecordings)
            state.SkipWithError("wrong number of recordings");
        benchmark::DoNotOptimize(names.constData());
    }
    state.counters["entries"] = 2 * kRecordings;
}
BENCHMARK(BM_ScanRecordFolder)->Unit(benchmark::kMillisecond);

// The whole model load: clear, scan, 5,000 numbered rows in the in-memory store.
void BM_LoadRecordFolderModel(benchmark::State& state)
{
    const QString folder = cardFolder().qpath();
    MemoryRecordRowStore rows;
    SetRecordRowStore(&rows);
    for (auto _ : state) {
        if (LoadRecordFolderModel(folder, QStringLiteral(".asf")) != kRecordings)
            state.SkipWithError("wrong number of rows");
    }
    SetRecordRowStore(nullptr);
}
BENCHMARK(BM_LoadRecordFolderModel)->Unit(benchmark::kMillisecond);

// Reference: a plain enumeration of the same folder by the system's tools.
void BM_ShellLsCount(benchmark::State& state)
{
    const std::string command = "ls -f '" + cardFolder().path() + "' | wc -l";
    for (auto _ : state) {
        std::FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) {
            state.SkipWithError("popen failed");
            break;
        }
        char line[64] = {};
        const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
        ::pclose(pipe);
        if (!read || std::atoi(line) != 2 * kRecordings + 2)
            state.SkipWithError("unexpected ls output");
    }
}
BENCHMARK(BM_ShellLsCount)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
