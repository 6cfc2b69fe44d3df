// A log kept as bytes: where passes begin, a span of passes cut into a log of its own that the
// reader takes back sample for sample, and the camera's clock in the discarded fields.

#include "telemetrylogtext.h"
#include "telemetryrecordformat.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TelemetryLogText textOf(const std::string& bytes, TelemetryTrack& track)
{
    TelemetryLogText text;
    text.bytes = bytes;
    ParseTelemetryLog(text.bytes.data(), text.bytes.size(), track, nullptr, &text.passStarts);
    return text;
}

std::string drive(int records, const char* lineEnd)
{
    std::string log;
    for (int i = 0; i < records; ++i) {
        TelemetrySample s;
        s.accelX = 0.01 * i;
        s.accelY = -0.5 + 0.003 * i;
        s.accelZ = 1 + 0.001 * i;
        s.latitude = 48.8 + 0.0001 * i;
        s.longitude = -2.3 - 0.0001 * i;
        s.speed = 30 + 0.1 * i;
        log += FormatTelemetryRecord(s, i / 10) + lineEnd;
    }
    return log;
}

// Every value of samples [first, end) of `whole` equals the cut's sample i - first.
void expectSameSamples(const TelemetryTrack& whole, const TelemetryTrack& cut, int first, int end)
{
    ASSERT_EQ(cut.sampleCount, end - first + 1);
    for (int i = first; i < end; ++i) {
        const int j = i - first;
        EXPECT_EQ(cut.accelX[j], whole.accelX[i]) << i;
        EXPECT_EQ(cut.accelY[j], whole.accelY[i]) << i;
        EXPECT_EQ(cut.accelZ[j], whole.accelZ[i]) << i;
        EXPECT_EQ(cut.latitude[j], whole.latitude[i]) << i;
        EXPECT_EQ(cut.longitude[j], whole.longitude[i]) << i;
        EXPECT_EQ(cut.speed[j], whole.speed[i]) << i;
    }
}

struct CutCase {
    const char* name;
    std::string log;
    int first;
    int end;
};

// A record with a number that does not convert and one cut short shift what follows; a token
// longer than the reader's buffer is taken in pieces. Cutting at pass boundaries must still
// give each pass back as the whole log's reader saw it.
const std::string kOdd = drive(3, "\r\n") + "A 2024-05-01 12:00:09.000 GSENSOR=+x.1,+0.2,+0.3 GPS LAT:N 1 2 E 3 4 5 OK\n"
    + std::string(150, 'Q') + "\n" + drive(4, "\n") + "A 2024 short\r\n" + drive(2, "\r\n");

const CutCase kCutCases[] = {
    {"MiddleOfACrLfDrive", drive(60, "\r\n"), 12, 47},
    {"FromTheFirstRecord", drive(20, "\r\n"), 0, 5},
    {"ToTheLastRecordOfALogWithoutFinalBreak", drive(20, "\r\n").substr(0, drive(20, "\r\n").size() - 2), 15, 20},
    {"LineFeedsOnly", drive(30, "\n"), 3, 29},
    {"OddRecordsAndLongTokens", kOdd, 2, 11},
    {"OddRecordsToTheLastRecord", kOdd, 5, 11},
};

class TelemetryLogCut : public testing::TestWithParam<CutCase> {};

TEST_P(TelemetryLogCut, ReadsBackTheSpansSamples)
{
    const CutCase& c = GetParam();
    auto whole = std::make_unique<TelemetryTrack>();
    auto cut = std::make_unique<TelemetryTrack>();
    ClearTelemetryTrack(*whole);
    ClearTelemetryTrack(*cut);
    const TelemetryLogText text = textOf(c.log, *whole);
    ASSERT_EQ(text.passStarts.size(), std::size_t(whole->sampleCount) + 1);
    ASSERT_LE(c.end, whole->sampleCount);
    const std::string bytes = CutTelemetryLog(text, c.first, c.end);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_NE(bytes.front(), '\n');
    ParseTelemetryLog(bytes.data(), bytes.size(), *cut);
    expectSameSamples(*whole, *cut, c.first, c.end);
}

INSTANTIATE_TEST_SUITE_P(Table, TelemetryLogCut, testing::ValuesIn(kCutCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TelemetryLogText, PassStartsRiseAndEndAtTheInputsEnd)
{
    auto track = std::make_unique<TelemetryTrack>();
    const std::string log = drive(5, "\r\n");
    const TelemetryLogText text = textOf(log, *track);
    ASSERT_EQ(track->sampleCount, 6);
    for (std::size_t i = 1; i < text.passStarts.size(); ++i)
        EXPECT_LT(text.passStarts[i - 1], text.passStarts[i]);
    EXPECT_EQ(text.passStarts.back(), log.size());
    EXPECT_EQ(text.pass(0).substr(0, 2), "A ");
    EXPECT_TRUE(text.pass(7).empty());
}

TEST(TelemetryLogText, CutOutsideThePassesIsEmptyOrClamped)
{
    auto track = std::make_unique<TelemetryTrack>();
    const TelemetryLogText text = textOf(drive(5, "\r\n"), *track);
    EXPECT_EQ(CutTelemetryLog(text, 3, 3), "");
    EXPECT_EQ(CutTelemetryLog(text, 4, 2), "");
    EXPECT_EQ(CutTelemetryLog(text, -2, 99), CutTelemetryLog(text, 0, 6));
    EXPECT_EQ(CutTelemetryLog(TelemetryLogText{}, 0, 1), "");
}

struct ClockCase {
    const char* record;
    const char* expected;  // "" for none
};

const ClockCase kClockCases[] = {
    {"A 2024-05-01 12:00:07.000 GSENSOR=+0.1,+0.2,+0.3 GPS LAT:N 1 2 E 3 4 5 OK", "2024-05-01T12:00:07.000"},
    {"\r\nA 20260314 08:15:09 GSENSOR_XYZ=+0.1,+0.2,+0.3 GPS", "2026-03-14T08:15:09"},
    {"V 2025/12/31 23:59:59 G:+0.1,+0.2,+0.3 GPS", "2025-12-31T23:59:59"},
    {"A 2024-13-01 12:00:07.000 GSENSOR=", ""},   // no month 13
    {"A 2024-05-01 25:00:07.000 GSENSOR=", ""},   // no hour 25
    {"A NODATE 12:00:07.000 GSENSOR=", ""},
    {"A 2024-05-01 NOCLOCK.000 GSENSOR=+0.1,+0.2,+0.3 12:00:00", ""},  // a clock only after the discarded fields
    {"", ""},
};

TEST(TelemetryRecordClock, ReadsTheCamerasDateAndTime)
{
    for (const ClockCase& c : kClockCases) {
        const auto clock = RecordDateTime(c.record);
        EXPECT_EQ(clock.value_or(""), c.expected) << c.record;
    }
}

}  // namespace
