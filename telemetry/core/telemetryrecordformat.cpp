#include "telemetryrecordformat.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kSecondsPerDay = 24 * 60 * 60;
constexpr int kNoon = 12 * 60 * 60;

void appendShortest(std::string& out, double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

void appendSigned(std::string& out, double value)
{
    if (!std::signbit(value))
        out.push_back('+');
    appendShortest(out, value);
}

struct DegreesMinutes {
    double degrees;
    double minutes;
};

bool givesBack(double degrees, double minutes, double angle)
{
    return minutes >= 0 && degrees + minutes / 60.0 == angle;
}

// Splits a non-negative angle into whole degrees and minutes such that the
// reader's degrees + minutes / 60 gives it back exactly, with the minutes in
// as few decimals as that allows (22 + 30.1234 / 60 is written "22 30.1234").
// Many minute values give the same angle, and the exact minutes lie in the
// middle of them, so the exact value rounded to the fewest decimals that
// still give the angle back is the shortest text. When none does, the whole
// angle goes into the degrees and the minutes are 0.
DegreesMinutes splitAngle(double angle)
{
    if (!std::isfinite(angle))
        return {angle, 0.0};
    const double degrees = std::trunc(angle);
    const double exact = (angle - degrees) * 60.0;
    constexpr int kMostDecimals = 20;
    for (int decimals = 0; decimals <= kMostDecimals; ++decimals) {
        char text[64];
        const auto written = std::to_chars(text, text + sizeof text, exact, std::chars_format::fixed, decimals);
        double minutes = 0;
        std::from_chars(text, written.ptr, minutes);
        if (givesBack(degrees, minutes, angle))
            return {degrees, minutes};
    }
    // Next to the exact value, in case rounding put it just outside.
    double below = exact;
    double above = exact;
    for (int step = 0; step < 64; ++step) {
        if (givesBack(degrees, below, angle))
            return {degrees, below};
        if (givesBack(degrees, above, angle))
            return {degrees, above};
        below = std::nextafter(below, -1.0);
        above = std::nextafter(above, 120.0);
    }
    return {angle, 0.0};
}

void appendCoordinate(std::string& out, double value)
{
    const DegreesMinutes parts = splitAngle(std::fabs(value));
    appendShortest(out, parts.degrees);
    out.push_back(' ');
    appendShortest(out, parts.minutes);
}

}  // namespace

std::string FormatTelemetryRecord(const TelemetrySample& sample, int secondsFromNoon)
{
    const int clock = ((kNoon + secondsFromNoon % kSecondsPerDay) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d.000", clock / 3600, clock / 60 % 60, clock % 60);

    std::string out;
    out.reserve(128);
    out += "A 2024-05-01 ";
    out += time;
    out += " GSENSOR=";
    appendSigned(out, sample.accelX);
    out.push_back(',');
    appendSigned(out, sample.accelY);
    out.push_back(',');
    appendSigned(out, sample.accelZ);
    out += " GPS LAT:";
    out.push_back(std::signbit(sample.latitude) ? 'S' : 'N');
    out.push_back(' ');
    appendCoordinate(out, sample.latitude);
    out.push_back(' ');
    out.push_back(std::signbit(sample.longitude) ? 'W' : 'E');
    out.push_back(' ');
    appendCoordinate(out, sample.longitude);
    out.push_back(' ');
    appendShortest(out, sample.speed);
    out += " OK";
    return out;
}
