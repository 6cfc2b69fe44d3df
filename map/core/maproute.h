#pragma once
// The route of a recording as the map page draws it: the samples of its
// telemetry track that carry a GPS fix, each with its sample index and speed.
// Pure functions on values; the route loader runs them on its worker thread,
// tests on small tables.
#include <vector>

struct TelemetryTrack;

struct RoutePoint {
    int sampleIndex = 0;   // index into the recording's track
    double latitude = 0;   // decimal degrees, south negative
    double longitude = 0;  // decimal degrees, west negative
    double speed = 0;      // as written in the log, never negative
};

// Whether a logged position is a fix: finite, within the globe, and not the
// 0/0 a receiver writes while it has none.
bool IsRouteFix(double latitude, double longitude);

// The points of the track's counted samples that are fixes, in sample order.
// A speed that is not a finite number, or below 0, counts as 0; speeds above
// kMaxRouteSpeed are held there, so no logged value can spoil the scale.
inline constexpr double kMaxRouteSpeed = 1000.0;
std::vector<RoutePoint> ExtractRoute(const TelemetryTrack& track);

// At most maxPoints of the route, evenly spread over it, the first and the
// last always kept (maxPoints below 2 keeps both ends all the same).
std::vector<RoutePoint> ThinRoute(const std::vector<RoutePoint>& route, int maxPoints);

// Rows of a list of rowCount rows nearest to currentRow, nearest first (the
// row after before the row before), currentRow itself left out, at most
// maxRows. A currentRow outside the list counts from the list's start.
std::vector<int> NearbyRows(int rowCount, int currentRow, int maxRows);
