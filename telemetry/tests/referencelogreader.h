#pragma once
// An independent reader of telemetry logs for tests and the fuzzer: the record
// loop written the plain way, with glibc's own fscanf doing every conversion
// on an in-memory stream. The production reader must agree with it on every
// input, byte for byte.

#include "telemetrylogparser.h"
#include "telemetrytrack.h"

#include <bitset>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace reference {

// Text mode as the camera's platform reads files: CR before LF is dropped.
inline std::string DropCarriageReturnsBeforeLineFeeds(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        text.push_back(bytes[i]);
    }
    return text;
}

class Reader {
public:
    explicit Reader(std::FILE* file) : m_file(file) {}

    bool token()
    {
        char buffer[100];
        return std::fscanf(m_file, "%99s", buffer) == 1;
    }

    // Characters taken by "%Nc"; *last gets the last of them.
    int characters(int count, int* last = nullptr)
    {
        char buffer[32];
        char format[8];
        std::snprintf(format, sizeof format, "%%%dc", count);
        const long before = std::ftell(m_file);
        std::fscanf(m_file, format, buffer);
        const int taken = static_cast<int>(std::ftell(m_file) - before);
        if (taken > 0 && last)
            *last = static_cast<unsigned char>(buffer[taken - 1]);
        return taken;
    }

    bool number(double& slot)
    {
        double value;
        if (std::fscanf(m_file, "%lf", &value) != 1)
            return false;
        slot = value;
        m_converted = true;
        return true;
    }

    // Whether any number converted so far.
    bool converted() const { return m_converted; }

    bool coordinate(char negativeLetter, int letter, double& slot)
    {
        double degrees = 0;
        double minutes = 0;
        const bool gotDegrees = number(degrees);
        const bool gotMinutes = number(minutes);
        if (!gotDegrees || !gotMinutes)
            return false;
        const double value = degrees + minutes / 60.0;
        slot = letter == negativeLetter ? -value : value;
        return true;
    }

    bool record(TelemetryTrack& t, int i)
    {
        bool whole = token();
        whole &= token();
        whole &= characters(22) == 22;
        whole &= number(t.accelX[i]);
        whole &= characters(1) == 1;
        whole &= number(t.accelY[i]);
        whole &= characters(1) == 1;
        whole &= number(t.accelZ[i]);
        whole &= token();
        int latitudeLetter = 0;
        if (characters(6, &latitudeLetter) != 6) {
            latitudeLetter = 0;
            whole = false;
        }
        whole &= coordinate('S', latitudeLetter, t.latitude[i]);
        int longitudeLetter = 0;
        if (characters(2, &longitudeLetter) != 2) {
            longitudeLetter = 0;
            whole = false;
        }
        whole &= coordinate('W', longitudeLetter, t.longitude[i]);
        whole &= number(t.speed[i]);
        whole &= token();
        return whole;
    }

private:
    std::FILE* m_file;
    bool m_converted = false;
};

// Reads bytes as a log into track; fills report like ParseTelemetryLog.
inline int ReadLog(std::string_view bytes, TelemetryTrack& track, TelemetryParseReport& report)
{
    std::string text = DropCarriageReturnsBeforeLineFeeds(bytes);
    std::FILE* file = fmemopen(text.data(), text.size(), "r");
    if (!file)
        return -1;
    Reader reader(file);
    report = TelemetryParseReport{};
    int count = 0;
    do {
        if (reader.record(track, count)) {
            report.whole.set(static_cast<std::size_t>(count));
            ++report.wholeRecords;
        }
        ++count;
    } while (!std::feof(file) && count < kTelemetryCapacity);
    report.stoppedAtCapacity = !std::feof(file);
    track.sampleCount = count;
    track.holdsTelemetry = reader.converted();
    std::fclose(file);
    return count;
}

// Bit-for-bit equality of two track values. Any two NaNs count as equal:
// which operand's NaN a sum passes on (and so its sign) is up to the
// compiler's choice of operand order.
inline bool SameValue(double a, double b)
{
    if (std::isnan(a) && std::isnan(b))
        return true;
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// First index (below limit) where two tracks differ in any array, or -1.
inline int FirstDifference(const TelemetryTrack& a, const TelemetryTrack& b, int limit = kTelemetryCapacity)
{
    for (int i = 0; i < limit; ++i) {
        if (!SameValue(a.accelX[i], b.accelX[i]) || !SameValue(a.accelY[i], b.accelY[i])
            || !SameValue(a.accelZ[i], b.accelZ[i]) || !SameValue(a.latitude[i], b.latitude[i])
            || !SameValue(a.longitude[i], b.longitude[i]) || !SameValue(a.speed[i], b.speed[i]))
            return i;
    }
    return -1;
}

}  // namespace reference
