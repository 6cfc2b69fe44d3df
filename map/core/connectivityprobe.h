#pragma once
// The map's connectivity probe: one short-lived thread per map page that
// tries a single TCP connection to the tile host and records whether it got
// through. Map position updates are sent only while it did.
#include <atomic>
#include <functional>
#include <memory>
#include <string>

// Outcome of the probes. Written by probe threads, read by the information
// panel on the user-interface thread. The panel and every running probe hold
// it by shared_ptr, so a probe that ends after the panel is gone writes into
// this object, never into a destroyed panel.
struct MapReachability {
    // 1 when the probe that ended last connected, else 0 (also while pending).
    std::atomic<int> mapReachable{0};
};

struct ProbeTarget {
    // The host that serves the map tiles: reaching it is what the page needs.
    std::string host = "tile.openstreetmap.org";
    int port = 80;
    int timeoutMs = 20000;
};

// The probe's work, run on its own thread: connects once, sends nothing,
// stores 1 or 0 in state. An empty host means the loopback address. Returns 0.
int ConnectivityProbe(MapReachability& state, const ProbeTarget& target);

// Starts ConnectivityProbe on a detached thread and returns at once. Probes
// are never awaited: the program may end while one waits for its connect.
// `done`, when given, runs on the probe thread after the outcome is stored.
void LaunchConnectivityProbe(std::shared_ptr<MapReachability> state, ProbeTarget target,
                             std::function<void()> done = {});
