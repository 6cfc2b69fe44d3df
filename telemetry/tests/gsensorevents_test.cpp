// Events from the G-sensor on tables of small tracks and logs.

#include "gsensorevents.h"
#include "telemetrylogfixtures.h"
#include "telemetrylogpath.h"
#include "telemetryrecordformat.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Quiet samples: X and Y near 0, Z near 1 g, all under the default limits.
struct Axes {
    std::vector<double> x, y, z;
};

Axes quiet(int count)
{
    return {std::vector<double>(count, 0.05), std::vector<double>(count, -0.1), std::vector<double>(count, 0.98)};
}

std::unique_ptr<TelemetryTrack> trackOf(const Axes& axes)
{
    auto track = fixtures::MakeTrack(0.0);
    track->sampleCount = static_cast<int>(axes.x.size());
    for (std::size_t i = 0; i < axes.x.size(); ++i) {
        track->accelX[i] = axes.x[i];
        track->accelY[i] = axes.y[i];
        track->accelZ[i] = axes.z[i];
    }
    return track;
}

// Shorthand for an expected event: start, peak, axis, peak value.
struct Expected {
    int start;
    int peak;
    GSensorAxis axis;
    double peakG;
};

struct DetectCase {
    const char* name;
    int samples;
    // (axis, sample, value) overrides on a quiet track.
    std::vector<std::tuple<GSensorAxis, int, double>> values;
    GSensorLimits limits;
    std::vector<Expected> events;
};

const DetectCase kDetectCases[] = {
    {"QuietDriveHasNone", 50, {}, {}, {}},
    {"OneRunWithItsPeak", 50, {{GSensorAxis::X, 10, 1.2}, {GSensorAxis::X, 11, 1.5}, {GSensorAxis::X, 12, 1.1}}, {},
     {{10, 11, GSensorAxis::X, 1.5}}},
    {"NegativePeakKeepsItsSign", 50, {{GSensorAxis::X, 20, -1.3}, {GSensorAxis::X, 21, -1.62}}, {},
     {{20, 21, GSensorAxis::X, -1.62}}},
    {"ValueEqualToTheLimitIsNotOver", 50, {{GSensorAxis::Y, 5, 1.0}, {GSensorAxis::Y, 6, -1.0}}, {}, {}},
    {"RunsCloserThanASecondMerge", 60, {{GSensorAxis::X, 10, 1.4}, {GSensorAxis::X, 19, -1.8}}, {},
     {{10, 19, GSensorAxis::X, -1.8}}},
    {"RunsASecondApartStayTwo", 60, {{GSensorAxis::X, 10, 1.4}, {GSensorAxis::X, 20, -1.8}}, {},
     {{10, 10, GSensorAxis::X, 1.4}, {20, 20, GSensorAxis::X, -1.8}}},
    {"OtherAxesDoNotMerge", 60, {{GSensorAxis::X, 10, 1.4}, {GSensorAxis::Y, 12, 1.2}}, {},
     {{10, 10, GSensorAxis::X, 1.4}, {12, 12, GSensorAxis::Y, 1.2}}},
    {"SameSampleListsXThenYThenZ", 30,
     {{GSensorAxis::Z, 7, 2.5}, {GSensorAxis::Y, 7, -1.1}, {GSensorAxis::X, 7, 1.1}}, {},
     {{7, 7, GSensorAxis::X, 1.1}, {7, 7, GSensorAxis::Y, -1.1}, {7, 7, GSensorAxis::Z, 2.5}}},
    {"GravityStaysUnderTheZDefault", 30, {{GSensorAxis::Z, 3, 1.9}, {GSensorAxis::Z, 4, -1.95}}, {}, {}},
    {"OwnLimitsFromTheCamera", 30, {{GSensorAxis::X, 3, 0.6}, {GSensorAxis::Z, 9, 1.9}}, {0.5, 1.0, 1.5},
     {{3, 3, GSensorAxis::X, 0.6}, {9, 9, GSensorAxis::Z, 1.9}}},
    {"EqualPeaksKeepTheFirst", 30, {{GSensorAxis::Y, 3, 1.5}, {GSensorAxis::Y, 4, -1.5}}, {},
     {{3, 3, GSensorAxis::Y, 1.5}}},
    {"NotANumberOrInfinityIsNoForce", 30,
     {{GSensorAxis::X, 3, kNaN}, {GSensorAxis::X, 4, kInf}, {GSensorAxis::Y, 5, -kInf}}, {}, {}},
    {"ZeroOrNegativeLimitSwitchesTheAxisOff", 30, {{GSensorAxis::X, 3, 0.5}, {GSensorAxis::Y, 4, 3.0}},
     {0.0, -1.0, 2.0}, {}},
    {"RunAtTheVeryEnd", 20, {{GSensorAxis::X, 18, 1.2}, {GSensorAxis::X, 19, 1.3}}, {},
     {{18, 19, GSensorAxis::X, 1.3}}},
};

void PrintTo(const DetectCase& c, std::ostream* out)
{
    *out << c.name;
}

class GSensorEventDetection : public testing::TestWithParam<DetectCase> {};

TEST_P(GSensorEventDetection, FindsTheRunsOverTheLimits)
{
    const DetectCase& c = GetParam();
    Axes axes = quiet(c.samples);
    for (const auto& [axis, sample, value] : c.values) {
        std::vector<double>& column = axis == GSensorAxis::X ? axes.x : axis == GSensorAxis::Y ? axes.y : axes.z;
        column[static_cast<std::size_t>(sample)] = value;
    }
    const auto track = trackOf(axes);
    const std::vector<GSensorEvent> events = DetectGSensorEvents(*track, track->sampleCount, c.limits);
    ASSERT_EQ(events.size(), c.events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].startSample, c.events[i].start) << "event " << i;
        EXPECT_EQ(events[i].peakSample, c.events[i].peak) << "event " << i;
        EXPECT_EQ(events[i].axis, c.events[i].axis) << "event " << i;
        EXPECT_DOUBLE_EQ(events[i].peakG, c.events[i].peakG) << "event " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, GSensorEventDetection, testing::ValuesIn(kDetectCases),
                         [](const testing::TestParamInfo<DetectCase>& info) { return std::string(info.param.name); });

TEST(GSensorEvents, LooksOnlyAtTheCountedAndConsideredSamples)
{
    Axes axes = quiet(40);
    axes.x[5] = 1.5;
    axes.x[30] = -2.0;
    const auto track = trackOf(axes);
    EXPECT_EQ(DetectGSensorEvents(*track, 20, {}).size(), 1u);
    std::bitset<kTelemetryCapacity> considered;
    considered.set();
    considered.reset(5);
    const auto events = DetectGSensorEvents(*track, 40, {}, &considered);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].startSample, 30);
    EXPECT_TRUE(DetectGSensorEvents(*track, -4, {}).empty());
    EXPECT_EQ(DetectGSensorEvents(*track, kTelemetryCapacity + 50, {}).size(), 2u);
}

TEST(GSensorEvents, MergeGapIsCountedInSamples)
{
    Axes axes = quiet(60);
    axes.y[10] = 1.4;
    axes.y[30] = 1.6;
    const auto track = trackOf(axes);
    EXPECT_EQ(DetectGSensorEvents(*track, 60, {}, nullptr, 10).size(), 2u);
    EXPECT_EQ(DetectGSensorEvents(*track, 60, {}, nullptr, 25).size(), 1u);
}

// ---------------------------------------------------------------- logs

class GSensorLogEvents : public testing::Test {
protected:
    QString writeLog(const std::string& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("REC0001.LOG"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    static std::string logOf(const std::vector<TelemetrySample>& samples, bool finalBreak = true)
    {
        std::string text;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            text += FormatTelemetryRecord(samples[i], static_cast<int>(i));
            if (i + 1 < samples.size() || finalBreak)
                text += "\r\n";
        }
        return text;
    }

    static std::vector<TelemetrySample> drive(int count, double latitude = 48.87, double longitude = 2.3)
    {
        std::vector<TelemetrySample> samples(static_cast<std::size_t>(count));
        for (TelemetrySample& s : samples) {
            s.accelX = 0.02;
            s.accelY = -0.04;
            s.accelZ = 0.99;
            s.latitude = latitude;
            s.longitude = longitude;
            s.speed = 30;
        }
        return samples;
    }

    QTemporaryDir m_dir;
};

TEST_F(GSensorLogEvents, HardBrakeInALogWithoutAFix)
{
    // No fix: every position is 0/0. The forces still count.
    std::vector<TelemetrySample> samples = drive(80, 0, 0);
    for (int i = 40; i < 46; ++i)
        samples[static_cast<std::size_t>(i)].accelX = -0.9 - 0.15 * (i - 40);
    const auto events = DetectLogEvents(writeLog(logOf(samples)), {});
    ASSERT_TRUE(events);
    ASSERT_EQ(events->size(), 1u);
    EXPECT_EQ((*events)[0].startSample, 41);
    EXPECT_EQ((*events)[0].peakSample, 45);
    EXPECT_EQ(FormatGSensorEventsCsv(*events), "start_sample,peak_sample,axis,peak_g\n41,45,X,-1.65\n");
}

TEST_F(GSensorLogEvents, MalformedRecordAndTrailingPassAreLeftOut)
{
    std::vector<TelemetrySample> samples = drive(20);
    samples[12].accelY = 1.7;
    // A record cut short in the middle: its pass is not whole, and its values do not count.
    std::string log = logOf({samples.begin(), samples.begin() + 5});
    log += "A 2024-05-01 12:00:05.000 GSENSOR=+3.000,+3.000,+3.000 GPS LAT:N 48 x\r\n";
    const auto events = DetectLogEvents(writeLog(log + logOf({samples.begin() + 5, samples.end()})), {});
    ASSERT_TRUE(events);
    EXPECT_EQ(events->size(), 1u);
    if (!events->empty()) {
        EXPECT_EQ((*events)[0].axis, GSensorAxis::Y);
    }
}

TEST_F(GSensorLogEvents, MissingOrEmptyLogHasNoEventsToTell)
{
    EXPECT_FALSE(DetectLogEvents(m_dir.filePath(QStringLiteral("none.LOG")), {}));
    EXPECT_FALSE(DetectLogEvents(writeLog(""), {}));
    EXPECT_FALSE(DetectLogEvents(m_dir.path(), {}));
}

TEST(GSensorEventsCsv, TwoSignedDecimalsInOrder)
{
    std::vector<GSensorEvent> events(3);
    events[0] = {3, 4, 6, GSensorAxis::Y, 1.005};
    events[1] = {10, 12, 12, GSensorAxis::Z, 2.5};
    events[2] = {40, 41, 45, GSensorAxis::X, -0.999};
    EXPECT_EQ(FormatGSensorEventsCsv(events),
              "start_sample,peak_sample,axis,peak_g\n3,4,Y,1.00\n10,12,Z,2.50\n40,41,X,-1.00\n");
    EXPECT_EQ(FormatGSensorEventsCsv({}), "start_sample,peak_sample,axis,peak_g\n");
}

}  // namespace
