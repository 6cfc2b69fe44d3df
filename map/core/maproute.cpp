#include "maproute.h"

#include "telemetrytrack.h"

#include <algorithm>
#include <cmath>

bool IsRouteFix(double latitude, double longitude)
{
    if (!std::isfinite(latitude) || !std::isfinite(longitude))
        return false;
    if (std::fabs(latitude) > 90.0 || std::fabs(longitude) > 180.0)
        return false;
    return !(latitude == 0.0 && longitude == 0.0);
}

std::vector<RoutePoint> ExtractRoute(const TelemetryTrack& track)
{
    std::vector<RoutePoint> route;
    const int count = std::clamp(track.sampleCount, 0, kTelemetryCapacity);
    for (int i = 0; i < count; ++i) {
        if (!IsRouteFix(track.latitude[i], track.longitude[i]))
            continue;
        const double speed = track.speed[i];
        RoutePoint point;
        point.sampleIndex = i;
        point.latitude = track.latitude[i];
        point.longitude = track.longitude[i];
        point.speed = std::isfinite(speed) ? std::clamp(speed, 0.0, kMaxRouteSpeed) : 0.0;
        route.push_back(point);
    }
    return route;
}

std::vector<RoutePoint> ThinRoute(const std::vector<RoutePoint>& route, int maxPoints)
{
    const int keep = std::max(maxPoints, 2);
    const int size = static_cast<int>(route.size());
    if (size <= keep)
        return route;
    std::vector<RoutePoint> thinned;
    thinned.reserve(std::size_t(keep));
    // Point k of keep lies at k * (size - 1) / (keep - 1): both ends exactly.
    for (int k = 0; k < keep; ++k)
        thinned.push_back(route[std::size_t(static_cast<long long>(k) * (size - 1) / (keep - 1))]);
    return thinned;
}

std::vector<int> NearbyRows(int rowCount, int currentRow, int maxRows)
{
    std::vector<int> rows;
    if (rowCount <= 0 || maxRows <= 0)
        return rows;
    const bool inList = currentRow >= 0 && currentRow < rowCount;
    if (!inList) {
        for (int r = 0; r < rowCount && int(rows.size()) < maxRows; ++r)
            rows.push_back(r);
        return rows;
    }
    for (int step = 1; int(rows.size()) < maxRows; ++step) {
        const int after = currentRow + step;
        const int before = currentRow - step;
        if (after >= rowCount && before < 0)
            break;
        if (after < rowCount)
            rows.push_back(after);
        if (before >= 0 && int(rows.size()) < maxRows)
            rows.push_back(before);
    }
    return rows;
}
