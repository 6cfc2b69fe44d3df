#pragma once
// Turns a telemetry track into CSV, GPX 1.1 or GeoJSON text, for kestreltrack and the clip
// exporter. Only the records that were read whole are exported.

#include "telemetrylogparser.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TrackFormat { Csv, Gpx, GeoJson };

// "csv", "gpx" or "geojson"; anything else is not a format.
std::optional<TrackFormat> ParseTrackFormat(std::string_view name);

struct TrackExport {
    std::string text;
    int records = 0;        // whole records exported
    int skippedPoints = 0;  // GPX/GeoJSON: records whose position is not a valid one
};

// times, when given, holds per sample the camera's clock as RecordDateTime gives it (empty where
// a record has none); GPX points then carry it as <time>.
TrackExport ExportTrack(const TelemetryTrack& track, const TelemetryParseReport& report, TrackFormat format,
                        const std::vector<std::string>* times = nullptr);
