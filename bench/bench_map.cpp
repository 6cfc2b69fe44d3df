// What the map's route costs: a full 10,000-record log made into the page's
// route script (the playing recording), and 100 neighbour logs of 250 records
// (25 s at 10 Hz) read by the route loader, cold and from its cache, each
// beside reading the same logs alone, so the figures read as ratios.

#include "maproute.h"
#include "mapscript.h"
#include "routeloader.h"
#include "telemetrylogparser.h"
#include "telemetrylogpath.h"
#include "telemetryrecordformat.h"
#include "telemetrytrack.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr int kNeighbours = 100;
constexpr int kNeighbourRecords = 250;

std::string driveLog(int records, double latitude)
{
    std::string text;
    for (int i = 0; i < records; ++i) {
        TelemetrySample s;
        s.latitude = latitude + i * 1e-5;
        s.longitude = 2.3 + i * 1.3e-5;
        s.speed = (300 + (i % 50) * 5) / 10.0;
        text += FormatTelemetryRecord(s, i);
        text += "\r\n";
    }
    return text;
}

// The card, written once per run to a private temporary folder.
class Card {
public:
    Card()
    {
        char pattern[] = "/tmp/kestrel-bench-map-XXXXXX";
        m_dir = mkdtemp(pattern);
        m_full = write("FULL", driveLog(kTelemetryCapacity, 48.0));
        for (int i = 0; i < kNeighbours; ++i)
            m_neighbours.push_back(write("REC" + std::to_string(1000 + i), driveLog(kNeighbourRecords, 48.0 + i * 0.01)));
    }
    ~Card() { std::filesystem::remove_all(m_dir); }

    const QString& full() const { return m_full; }
    const std::vector<QString>& neighbours() const { return m_neighbours; }

private:
    QString write(const std::string& name, const std::string& log)
    {
        std::ofstream(m_dir + "/" + name + ".LOG", std::ios::binary) << log;
        return QString::fromStdString(m_dir + "/" + name + ".asf");
    }

    std::string m_dir;
    QString m_full;
    std::vector<QString> m_neighbours;
};

const Card& card()
{
    static const Card c;
    return c;
}

std::unique_ptr<TelemetryTrack> freshTrack()
{
    auto track = std::make_unique<TelemetryTrack>();
    std::memset(static_cast<void*>(track.get()), 0, sizeof(TelemetryTrack));
    return track;
}

void BM_FullLogReadAlone(benchmark::State& state)
{
    auto track = freshTrack();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadTelemetryLogFile(TelemetryLogPath(card().full()), *track));
}
BENCHMARK(BM_FullLogReadAlone)->Unit(benchmark::kMillisecond);

void BM_FullLogToRouteScript(benchmark::State& state)
{
    auto track = freshTrack();
    qsizetype bytes = 0;
    for (auto _ : state) {
        ReadTelemetryLogFile(TelemetryLogPath(card().full()), *track);
        const QString script = SetRouteScript(0, ExtractRoute(*track));
        bytes = script.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["script_bytes"] = double(bytes);
}
BENCHMARK(BM_FullLogToRouteScript)->Unit(benchmark::kMillisecond);

void BM_NeighbourLogsReadAlone(benchmark::State& state)
{
    auto track = freshTrack();
    for (auto _ : state)
        for (const QString& path : card().neighbours())
            benchmark::DoNotOptimize(ReadTelemetryLogFile(TelemetryLogPath(path), *track));
}
BENCHMARK(BM_NeighbourLogsReadAlone)->Unit(benchmark::kMillisecond);

// One request of the playing recording and its 100 neighbours, waited for.
struct Waiter {
    std::mutex mutex;
    std::condition_variable done;
    std::uint64_t finished = 0;
    void deliver(std::uint64_t generation, bool last)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (last)
            finished = generation;
        done.notify_all();
    }
    void wait(std::uint64_t generation)
    {
        std::unique_lock<std::mutex> lock(mutex);
        done.wait(lock, [&] { return finished == generation; });
    }
};

std::vector<RouteRequest> folderRequest()
{
    std::vector<RouteRequest> requests{{card().neighbours().front(), 0, 0}};
    for (int i = 1; i < kNeighbours; ++i)
        requests.push_back({card().neighbours()[std::size_t(i)], i, 200});
    return requests;
}

void BM_NeighbourRoutesCold(benchmark::State& state)
{
    for (auto _ : state) {
        Waiter waiter;
        RouteLoader loader([&](std::uint64_t g, std::vector<LoadedRoute>, bool last) { waiter.deliver(g, last); });
        waiter.wait(loader.Load(folderRequest()));
    }
}
BENCHMARK(BM_NeighbourRoutesCold)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NeighbourRoutesCached(benchmark::State& state)
{
    Waiter waiter;
    RouteLoader loader([&](std::uint64_t g, std::vector<LoadedRoute>, bool last) { waiter.deliver(g, last); });
    waiter.wait(loader.Load(folderRequest()));
    for (auto _ : state)
        waiter.wait(loader.Load(folderRequest()));
}
BENCHMARK(BM_NeighbourRoutesCached)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
