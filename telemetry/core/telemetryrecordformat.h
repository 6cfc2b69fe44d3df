#pragma once
// Writes telemetry records in the shape the camera writes them, so that test
// media, demo cards and tools produce logs the reader takes back exactly. One
// record, without its line break:
//
//   A 2024-05-01 12:00:07.000 GSENSOR=+0.012,-0.034,+0.981 GPS LAT:N 22 30.1234 E 114 5.6789 35.2 OK
//
// Tokens "A", the date, "GPS" and "OK" are filler the reader discards; the 22
// characters after the date are " HH:MM:SS.mmm GSENSOR=". Numbers are written
// in their shortest form that converts back to the same double, so a written
// sample reads back bit for bit (hemisphere letters carry the signs; minutes
// are chosen so that degrees + minutes / 60 gives the value back).
// Camera logs end every record with "\r\n"; the reader takes "\n" alike.

#include <string>

struct TelemetrySample {
    double accelX = 0;
    double accelY = 0;
    double accelZ = 0;
    double latitude = 0;   // decimal degrees, south negative
    double longitude = 0;  // decimal degrees, west negative
    double speed = 0;      // in the log's unit
};

// One record line, no line break. secondsFromNoon sets the clock text
// (12:00:00 plus that many seconds, within the day); the reader ignores it.
std::string FormatTelemetryRecord(const TelemetrySample& sample, int secondsFromNoon = 0);
