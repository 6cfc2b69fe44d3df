#include "connectivityprobe.h"

#include "connecttohost.h"

#include <system_error>
#include <thread>
#include <unistd.h>

int ConnectivityProbe(MapReachability& state, const ProbeTarget& target)
{
    const int fd = ConnectToHost(target.port, target.host.empty() ? nullptr : target.host.c_str(),
                                 target.timeoutMs);
    if (fd == -1) {
        state.mapReachable.store(0);
    } else {
        state.mapReachable.store(1);
        ::close(fd);
    }
    return 0;
}

void LaunchConnectivityProbe(std::shared_ptr<MapReachability> state, ProbeTarget target,
                             std::function<void()> done)
{
    if (!state)
        return;
    try {
        std::thread([state = std::move(state), target = std::move(target), done = std::move(done)] {
            ConnectivityProbe(*state, target);
            if (done)
                done();
        }).detach();
    } catch (const std::system_error&) {
        // No thread could be started: the map stays unreachable (0), which
        // only stops the marker from moving.
    }
}
