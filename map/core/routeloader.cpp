#include "routeloader.h"

#include "telemetrylogpath.h"
#include "telemetrytrack.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cstring>

#include <sys/resource.h>
#include <unistd.h>

// A log read before, kept while the requests name it and it has not changed
// on disk (same size, same modification time).
struct RouteLoader::CacheEntry {
    QString recordPath;
    int maxPoints = 0;
    qint64 size = -1;
    qint64 modified = 0;
    LoadedRoute route;
    bool used = false;
};

namespace {

constexpr std::size_t kCacheBound = 512;

// A folder of logs is background work: the worker yields to the player.
void lowerThisThreadsPriority()
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
}

}  // namespace

RouteLoader::RouteLoader(Delivery deliver) : m_deliver(std::move(deliver))
{
    m_worker = std::thread([this] { run(); });
}

RouteLoader::~RouteLoader()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

std::uint64_t RouteLoader::Load(std::vector<RouteRequest> requests)
{
    std::uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending = std::move(requests);
        generation = ++m_generation;
        m_hasWork = true;
    }
    m_wake.notify_all();
    return generation;
}

LoadedRoute RouteLoader::read(const RouteRequest& request)
{
    const QString logPath = TelemetryLogPath(request.recordPath);
    const QFileInfo info(logPath);
    const qint64 size = info.isFile() ? info.size() : -1;
    const qint64 modified = info.isFile() ? info.lastModified().toMSecsSinceEpoch() : 0;
    for (const auto& entry : m_cache) {
        if (entry->recordPath == request.recordPath && entry->maxPoints == request.maxPoints && entry->size == size
            && entry->modified == modified) {
            entry->used = true;
            LoadedRoute route = entry->route;
            route.routeId = request.routeId;
            return route;
        }
    }

    LoadedRoute route;
    route.routeId = request.routeId;
    route.recordPath = request.recordPath;
    // A fresh, zeroed track: a value that does not convert reads as 0 (no
    // fix), never as a value of another log.
    auto track = std::make_unique<TelemetryTrack>();
    std::memset(static_cast<void*>(track.get()), 0, sizeof(TelemetryTrack));
    route.logRead = ReadTelemetryLogFile(logPath, *track);
    if (route.logRead) {
        route.sampleCount = track->sampleCount;
        route.points = ExtractRoute(*track);
        if (request.maxPoints > 0)
            route.points = ThinRoute(route.points, request.maxPoints);
    }

    auto entry = std::make_unique<CacheEntry>();
    entry->recordPath = request.recordPath;
    entry->maxPoints = request.maxPoints;
    entry->size = size;
    entry->modified = modified;
    entry->route = route;
    entry->used = true;
    m_cache.push_back(std::move(entry));
    return route;
}

void RouteLoader::run()
{
    lowerThisThreadsPriority();
    using Clock = std::chrono::steady_clock;
    for (;;) {
        std::vector<RouteRequest> requests;
        std::uint64_t generation = 0;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_hasWork; });
            if (m_stop)
                return;
            requests = std::move(m_pending);
            m_pending.clear();
            generation = m_generation;
            m_hasWork = false;
        }
        for (const auto& entry : m_cache)
            entry->used = false;

        const auto abandoned = [&] {
            std::lock_guard<std::mutex> lock(m_mutex);
            return m_stop || m_generation != generation;
        };
        std::vector<LoadedRoute> batch;
        auto lastDelivery = Clock::now();
        bool finished = true;
        for (std::size_t i = 0; i < requests.size(); ++i) {
            if (abandoned()) {
                finished = false;
                break;
            }
            batch.push_back(read(requests[i]));
            const bool last = i + 1 == requests.size();
            // The first route (the playing recording's) goes out on its own
            // and at once; the others in small batches, or after a moment.
            if (i == 0 || last || int(batch.size()) >= kBatchSize
                || Clock::now() - lastDelivery > std::chrono::milliseconds(200)) {
                m_deliver(generation, std::move(batch), last);
                batch.clear();
                lastDelivery = Clock::now();
            }
        }
        if (requests.empty())
            m_deliver(generation, {}, true);
        // Keep only what this request named; a new folder drops the old one's.
        // Requests abandoned one after another keep theirs up to a bound.
        if (finished || m_cache.size() > kCacheBound)
            m_cache.erase(std::remove_if(m_cache.begin(), m_cache.end(), [](const auto& e) { return !e->used; }),
                          m_cache.end());
    }
}
