#include "trackexport.h"

#include <charconv>
#include <cmath>

namespace {

// Shortest text that reads back as the same double, independent of locale.
void appendNumber(std::string& out, double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

// GPX and GeoJSON both need a real position on the globe.
bool isPosition(double latitude, double longitude)
{
    return std::isfinite(latitude) && std::isfinite(longitude) && std::fabs(latitude) <= 90
        && std::fabs(longitude) <= 180;
}

template <typename Row>
void forEachWholeRecord(const TelemetryTrack& track, const TelemetryParseReport& report, Row row)
{
    for (int i = 0; i < track.sampleCount && i < kTelemetryCapacity; ++i) {
        if (report.whole[static_cast<std::size_t>(i)])
            row(i);
    }
}

void writeCsv(const TelemetryTrack& track, const TelemetryParseReport& report, TrackExport& out)
{
    out.text += "index,accel_x,accel_y,accel_z,latitude,longitude,speed\n";
    forEachWholeRecord(track, report, [&](int i) {
        out.text += std::to_string(i);
        for (const double value : {track.accelX[i], track.accelY[i], track.accelZ[i], track.latitude[i],
                                   track.longitude[i], track.speed[i]}) {
            out.text.push_back(',');
            appendNumber(out.text, value);
        }
        out.text.push_back('\n');
        ++out.records;
    });
}

void writeGpx(const TelemetryTrack& track, const TelemetryParseReport& report, const std::vector<std::string>* times,
              TrackExport& out)
{
    out.text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<gpx version=\"1.1\" creator=\"kestreltrack\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
                "  <trk>\n"
                "    <trkseg>\n";
    forEachWholeRecord(track, report, [&](int i) {
        ++out.records;
        if (!isPosition(track.latitude[i], track.longitude[i])) {
            ++out.skippedPoints;
            return;
        }
        out.text += "      <trkpt lat=\"";
        appendNumber(out.text, track.latitude[i]);
        out.text += "\" lon=\"";
        appendNumber(out.text, track.longitude[i]);
        const std::size_t at = static_cast<std::size_t>(i);
        if (times && at < times->size() && !(*times)[at].empty())
            out.text += "\"><time>" + (*times)[at] + "</time></trkpt>\n";
        else
            out.text += "\"/>\n";
    });
    out.text += "    </trkseg>\n"
                "  </trk>\n"
                "</gpx>\n";
}

void writeGeoJson(const TelemetryTrack& track, const TelemetryParseReport& report, TrackExport& out)
{
    std::string coordinates;
    int points = 0;
    forEachWholeRecord(track, report, [&](int i) {
        ++out.records;
        if (!isPosition(track.latitude[i], track.longitude[i])) {
            ++out.skippedPoints;
            return;
        }
        if (points++ > 0)
            coordinates.push_back(',');
        coordinates.push_back('[');
        appendNumber(coordinates, track.longitude[i]);
        coordinates.push_back(',');
        appendNumber(coordinates, track.latitude[i]);
        coordinates.push_back(']');
    });
    // A LineString needs two positions; one is a Point, none no geometry.
    out.text += "{\"type\":\"Feature\",\"properties\":{\"creator\":\"kestreltrack\",\"points\":";
    out.text += std::to_string(points);
    out.text += "},\"geometry\":";
    if (points >= 2)
        out.text += "{\"type\":\"LineString\",\"coordinates\":[" + coordinates + "]}";
    else if (points == 1)
        out.text += "{\"type\":\"Point\",\"coordinates\":" + coordinates + "}";
    else
        out.text += "null";
    out.text += "}\n";
}

}  // namespace

std::optional<TrackFormat> ParseTrackFormat(std::string_view name)
{
    if (name == "csv")
        return TrackFormat::Csv;
    if (name == "gpx")
        return TrackFormat::Gpx;
    if (name == "geojson")
        return TrackFormat::GeoJson;
    return std::nullopt;
}

TrackExport ExportTrack(const TelemetryTrack& track, const TelemetryParseReport& report, TrackFormat format,
                        const std::vector<std::string>* times)
{
    TrackExport out;
    switch (format) {
    case TrackFormat::Csv:
        writeCsv(track, report, out);
        break;
    case TrackFormat::Gpx:
        writeGpx(track, report, times, out);
        break;
    case TrackFormat::GeoJson:
        writeGeoJson(track, report, out);
        break;
    }
    return out;
}
