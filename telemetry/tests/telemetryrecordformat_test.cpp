// The record writer: the documented line shape, and exact round trips
// through the reader.

#include "telemetrylogfixtures.h"
#include "telemetrylogparser.h"
#include "telemetryrecordformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(TelemetryRecordFormat, WritesTheCameraLineShape)
{
    TelemetrySample s;
    s.accelX = 0.012;
    s.accelY = -0.034;
    s.accelZ = 0.981;
    s.latitude = 22 + 30.1234 / 60;
    s.longitude = 114 + 5.6789 / 60;
    s.speed = 35.2;
    EXPECT_EQ(FormatTelemetryRecord(s, 7),
              "A 2024-05-01 12:00:07.000 GSENSOR=+0.012,-0.034,+0.981 GPS LAT:N 22 30.1234 E 114 5.6789 35.2 OK");
    s.latitude = -s.latitude;
    s.longitude = -s.longitude;
    EXPECT_EQ(FormatTelemetryRecord(s, -1),
              "A 2024-05-01 11:59:59.000 GSENSOR=+0.012,-0.034,+0.981 GPS LAT:S 22 30.1234 W 114 5.6789 35.2 OK");
}

TEST(TelemetryRecordFormat, EveryValueReadsBackBitForBit)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    std::vector<TelemetrySample> samples = {
        {0, -0.0, 1, -0.0, 0.0, 0},
        {1e300, -1e-300, 5e-324, 89.999999999, -179.99999999, 1e21},
        {kInf, -kInf, std::nan(""), -90, 180, -kInf},
        {0.1, 0.2, 0.3, 0.1, -0.2, 0.3},
        {2.5, -2.5, 9.81, 1e15 + 0.5, -(1e15 + 0.5), 123456.789},
    };
    std::mt19937_64 random(99);
    std::uniform_real_distribution<double> latitude(-90, 90);
    std::uniform_real_distribution<double> longitude(-180, 180);
    std::uniform_real_distribution<double> accel(-4, 4);
    std::uniform_real_distribution<double> speed(0, 250);
    for (int i = 0; i < 3000; ++i)
        samples.push_back({accel(random), accel(random), accel(random), latitude(random), longitude(random), speed(random)});

    std::string log;
    for (std::size_t i = 0; i < samples.size(); ++i)
        log += FormatTelemetryRecord(samples[i], static_cast<int>(i)) + "\r\n";
    auto track = fixtures::MakeTrack();
    TelemetryParseReport report;
    ASSERT_EQ(ParseTelemetryLog(log.data(), log.size(), *track, &report), static_cast<int>(samples.size()) + 1);
    EXPECT_EQ(report.wholeRecords, static_cast<int>(samples.size()));

    const auto same = [](double written, double read) {
        return std::isnan(written) ? std::isnan(read) : sameBits(written, read);
    };
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const TelemetrySample& s = samples[i];
        SCOPED_TRACE(FormatTelemetryRecord(s));
        EXPECT_TRUE(same(s.accelX, track->accelX[i]));
        EXPECT_TRUE(same(s.accelY, track->accelY[i]));
        EXPECT_TRUE(same(s.accelZ, track->accelZ[i]));
        EXPECT_TRUE(same(s.latitude, track->latitude[i]));
        EXPECT_TRUE(same(s.longitude, track->longitude[i]));
        EXPECT_TRUE(same(s.speed, track->speed[i]));
    }
}

}  // namespace
