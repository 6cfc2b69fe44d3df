#pragma once
// Reads the telemetry logs of recordings into routes on a worker thread of
// its own, so that the logs of a whole folder never hold up the user
// interface. Owned by the information panel. Load() and the destructor run on
// the owner's thread; the delivery callback runs on the worker thread and must
// hand its batch over to the owner's thread itself.
#include "maproute.h"

#include <QString>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct RouteRequest {
    QString recordPath;  // the recording (".asf"); its ".LOG" is read
    int routeId = 0;     // the caller's name for the route, handed back
    int maxPoints = 0;   // thin the route to this many points; 0 keeps all
};

struct LoadedRoute {
    int routeId = 0;
    QString recordPath;
    bool logRead = false;  // false: the log is missing or cannot be read
    int sampleCount = 0;   // counted samples of the log, as the display counts them
    std::vector<RoutePoint> points;
};

class RouteLoader {
public:
    // generation: what Load() returned for the request; last: the request is done.
    using Delivery = std::function<void(std::uint64_t generation, std::vector<LoadedRoute> batch, bool last)>;

    explicit RouteLoader(Delivery deliver);
    ~RouteLoader();  // abandons the request in hand and waits for the worker
    RouteLoader(const RouteLoader&) = delete;
    RouteLoader& operator=(const RouteLoader&) = delete;

    // Replaces whatever was still to be read by these logs, read in this
    // order: the first alone in the first batch, the rest in batches of a few.
    // Returns the request's generation (never 0).
    std::uint64_t Load(std::vector<RouteRequest> requests);

    // Routes a batch holds at most, after the first.
    static constexpr int kBatchSize = 16;

private:
    struct CacheEntry;
    void run();
    LoadedRoute read(const RouteRequest& request);

    Delivery m_deliver;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<RouteRequest> m_pending;  // guarded by m_mutex
    std::uint64_t m_generation = 0;       // guarded by m_mutex; written by Load
    bool m_hasWork = false;               // guarded by m_mutex
    bool m_stop = false;                  // guarded by m_mutex
    std::vector<std::unique_ptr<CacheEntry>> m_cache;  // worker thread only
    std::thread m_worker;
};
