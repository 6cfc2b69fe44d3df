// Reading whole logs: counting passes, values, hemispheres, malformed
// records, limits, and agreement with a plain fscanf reader on odd input.

#include "referencelogreader.h"
#include "telemetrylogfixtures.h"
#include "telemetrylogparser.h"
#include "telemetryrecordformat.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <sys/stat.h>

namespace {

using fixtures::kUntouched;
using fixtures::MakeLog;
using fixtures::MakeTrack;
using fixtures::SampleFor;

int parse(const std::string& log, TelemetryTrack& track, TelemetryParseReport* report = nullptr)
{
    return ParseTelemetryLog(log.data(), log.size(), track, report);
}

// The production reader and the fscanf reader, each from the same starting
// track, must agree on the count, the report and every value.
void expectSameAsReference(const std::string& log, double fill = kUntouched)
{
    auto ours = MakeTrack(fill);
    auto theirs = MakeTrack(fill);
    TelemetryParseReport ourReport;
    TelemetryParseReport theirReport;
    const int count = parse(log, *ours, &ourReport);
    ASSERT_EQ(count, reference::ReadLog(log, *theirs, theirReport));
    EXPECT_EQ(ours->sampleCount, theirs->sampleCount);
    EXPECT_EQ(ourReport.wholeRecords, theirReport.wholeRecords);
    EXPECT_EQ(ourReport.whole, theirReport.whole);
    EXPECT_EQ(ourReport.stoppedAtCapacity, theirReport.stoppedAtCapacity);
    EXPECT_EQ(ours->holdsTelemetry, theirs->holdsTelemetry);
    EXPECT_EQ(reference::FirstDifference(*ours, *theirs), -1);
}

struct CountCase {
    const char* name;
    std::string log;
    int sampleCount;
    int wholeRecords;
};

const CountCase kCountCases[] = {
    {"EmptyLogCountsOnePass", "", 1, 0},
    {"WhitespaceOnlyCountsOnePass", " \r\n\r\n", 1, 0},
    {"OneRecordWithoutLineBreak", MakeLog(1, "\r\n", false), 1, 1},
    {"OneRecordWithLineBreak", MakeLog(1, "\r\n", true), 2, 1},
    {"CrLfRecordsCountTrailingPass", MakeLog(5, "\r\n", true), 6, 5},
    {"CrLfRecordsWithoutFinalBreak", MakeLog(5, "\r\n", false), 5, 5},
    {"LfRecordsCountTrailingPass", MakeLog(5, "\n", true), 6, 5},
    {"LfRecordsWithoutFinalBreak", MakeLog(5, "\n", false), 5, 5},
    {"RecordsNeedNoLineBreaks", MakeLog(3, " ", false), 3, 3},
    {"TrailingSpacesCountLikeALineBreak", MakeLog(3, "\n", false) + "   ", 4, 3},
    {"BlankLinesBetweenRecordsAreWhitespace", MakeLog(3, "\r\n\r\n\r\n", true), 4, 3},
    {"RecordCutShortStillCounts", MakeLog(2, "\n", true) + "A 2024-05-01 12:00", 3, 2},
};

class TelemetryLogCount : public testing::TestWithParam<CountCase> {};

TEST_P(TelemetryLogCount, CountsPassesUntilEndOfFileIndicator)
{
    const CountCase& c = GetParam();
    auto track = MakeTrack();
    TelemetryParseReport report;
    EXPECT_EQ(parse(c.log, *track, &report), c.sampleCount);
    EXPECT_EQ(track->sampleCount, c.sampleCount);
    EXPECT_EQ(report.wholeRecords, c.wholeRecords);
    EXPECT_FALSE(report.stoppedAtCapacity);
    expectSameAsReference(c.log);
}

INSTANTIATE_TEST_SUITE_P(Table, TelemetryLogCount, testing::ValuesIn(kCountCases),
                         [](const testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

TEST(TelemetryLog, ReadsEveryFieldOfEveryRecord)
{
    constexpr int kRecords = 40;
    for (const char* lineEnd : {"\r\n", "\n"}) {
        auto track = MakeTrack();
        ASSERT_EQ(parse(MakeLog(kRecords, lineEnd), *track), kRecords + 1);
        for (int i = 0; i < kRecords; ++i) {
            const TelemetrySample s = SampleFor(i);
            EXPECT_EQ(track->accelX[i], s.accelX) << i;
            EXPECT_EQ(track->accelY[i], s.accelY) << i;
            EXPECT_EQ(track->accelZ[i], s.accelZ) << i;
            EXPECT_EQ(track->latitude[i], s.latitude) << i;
            EXPECT_EQ(track->longitude[i], s.longitude) << i;
            EXPECT_EQ(track->speed[i], s.speed) << i;
        }
        // The trailing pass reads nothing: its sample keeps what it held.
        EXPECT_EQ(track->accelX[kRecords], kUntouched);
        EXPECT_EQ(track->speed[kRecords], kUntouched);
    }
}

struct HemisphereCase {
    char latitudeLetter;
    char longitudeLetter;
    double latitude;
    double longitude;
};

const HemisphereCase kHemisphereCases[] = {
    {'N', 'E', 22.5, 114.25},
    {'S', 'E', -22.5, 114.25},
    {'N', 'W', 22.5, -114.25},
    {'S', 'W', -22.5, -114.25},
    {'s', 'w', 22.5, 114.25},  // only the capitals negate
    {'X', '?', 22.5, 114.25},
};

class TelemetryLogHemisphere : public testing::TestWithParam<HemisphereCase> {};

TEST_P(TelemetryLogHemisphere, OnlyCapitalSAndWNegate)
{
    const HemisphereCase& c = GetParam();
    std::string log = "A 2024-05-01 12:00:00.000 GSENSOR=+0.1,+0.2,+0.3 GPS LAT:";
    log += c.latitudeLetter;
    log += " 22 30 ";
    log += c.longitudeLetter;
    log += " 114 15 35.5 OK\r\n";
    auto track = MakeTrack();
    TelemetryParseReport report;
    ASSERT_EQ(parse(log, *track, &report), 2);
    EXPECT_TRUE(report.whole[0]);
    EXPECT_EQ(track->latitude[0], c.latitude);
    EXPECT_EQ(track->longitude[0], c.longitude);
    EXPECT_EQ(track->speed[0], 35.5);
}

INSTANTIATE_TEST_SUITE_P(Table, TelemetryLogHemisphere, testing::ValuesIn(kHemisphereCases));

TEST(TelemetryLog, MalformedNumberStoresNothingAndShiftsWhatFollows)
{
    // In record 1, X does not convert and leaves the '?' for the separator
    // slot: X's digits land in Y, Y's in Z, and the rest of the layout slides.
    const std::string log = FormatTelemetryRecord(SampleFor(0)) + "\r\n"
        + "A 2024-05-01 12:00:01.000 GSENSOR=?0.75,+0.5,+0.25 GPS LAT:N 22 30 E 114 15 35.5 OK\r\n"
        + FormatTelemetryRecord(SampleFor(2)) + "\r\n";
    auto track = MakeTrack();
    TelemetryParseReport report;
    parse(log, *track, &report);
    EXPECT_TRUE(report.whole[0]);
    EXPECT_EQ(track->accelX[0], SampleFor(0).accelX);
    EXPECT_EQ(track->accelX[1], kUntouched);
    EXPECT_EQ(track->accelY[1], 0.75);
    EXPECT_EQ(track->accelZ[1], 0.5);
    EXPECT_EQ(track->latitude[1], kUntouched);
    EXPECT_FALSE(report.whole[1]);
    EXPECT_NE(track->accelX[2], SampleFor(2).accelX);
    expectSameAsReference(log);
}

TEST(TelemetryLog, CoordinateNeedsBothDegreesAndMinutes)
{
    const std::string log = "A 2024-05-01 12:00:00.000 GSENSOR=+0.1,+0.2,+0.3 GPS LAT:N 22 x E 114 15 35.5 OK";
    auto track = MakeTrack();
    parse(log, *track);
    EXPECT_EQ(track->latitude[0], kUntouched);
    expectSameAsReference(log);
}

struct MutationCase {
    const char* name;
    std::string log;
};

std::string replaced(std::string log, const std::string& from, const std::string& to)
{
    const std::size_t at = log.find(from);
    if (at != std::string::npos)
        log.replace(at, from.size(), to);
    return log;
}

const MutationCase kMutationCases[] = {
    {"SpeedIsText", replaced(MakeLog(3), " 30 OK", " fast OK")},
    {"MissingSeparator", replaced(MakeLog(3), ",", "")},
    {"ExtraTokenBeforeGps", replaced(MakeLog(3), " GPS ", " GPS FIX ")},
    {"MinutesGlued", replaced(MakeLog(3), "22 30", "2230")},
    {"DanglingExponent", replaced(MakeLog(3), "+0.98 ", "+0.98e ")},
    {"NanAndInfinity", replaced(replaced(MakeLog(3), "+0.98", "nan"), "+0.2", "-Infinity")},
    {"HexNumbers", replaced(MakeLog(3), " 30 OK", " 0x1.Fp4 OK")},
    {"LongToken", replaced(MakeLog(3), "A ", std::string(300, 'A') + " ")},
    {"ExactlyNinetyNineCharacterToken", replaced(MakeLog(3), "A ", std::string(99, 'A') + " ")},
    {"HundredCharacterToken", replaced(MakeLog(3), "A ", std::string(100, 'A') + " ")},
    {"LoneCarriageReturns", replaced(MakeLog(3), "\r\n", "\r")},
    {"DoubledCarriageReturn", replaced(MakeLog(3), "\r\n", "\r\r\n")},
    {"TabsAndFormFeeds", replaced(MakeLog(3), " GPS", "\t\f\vGPS")},
    {"CutInsideANumber", MakeLog(2).substr(0, MakeLog(2).size() - 12)},
    {"CutInsideTheCountedCharacters", MakeLog(1).substr(0, 20)},
    {"NulBytes", replaced(MakeLog(3), "GPS", std::string("G\0S", 3))},
};

class TelemetryLogMalformed : public testing::TestWithParam<MutationCase> {};

TEST_P(TelemetryLogMalformed, AgreesWithPlainFscanfReader)
{
    ASSERT_NE(GetParam().log, MakeLog(3));
    expectSameAsReference(GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(Table, TelemetryLogMalformed, testing::ValuesIn(kMutationCases),
                         [](const testing::TestParamInfo<MutationCase>& info) { return std::string(info.param.name); });

TEST(TelemetryLog, LongTokenIsReadInPiecesOfNinetyNine)
{
    // 300 characters: three whole pieces of 99 and a remainder of 3. The
    // first two fill tokens 1 and 2; the layout is thrown off from there.
    const std::string log = replaced(MakeLog(2), "A ", std::string(300, 'A') + " ");
    auto track = MakeTrack();
    TelemetryParseReport report;
    parse(log, *track, &report);
    EXPECT_FALSE(report.whole[0]);
    EXPECT_EQ(track->accelX[0], kUntouched);
    // Exactly 99 is still one token: the record reads whole.
    const std::string fits = replaced(MakeLog(2), "A ", std::string(99, 'A') + " ");
    parse(fits, *track, &report);
    EXPECT_TRUE(report.whole[0]);
    EXPECT_EQ(track->accelX[0], SampleFor(0).accelX);
}

struct CapacityCase {
    int records;
    bool finalBreak;
    int sampleCount;
    bool stoppedAtCapacity;
};

const CapacityCase kCapacityCases[] = {
    {9999, true, 10000, false},   // the trailing pass fills the last slot
    {10000, false, 10000, false},
    {10000, true, 10000, true},   // the trailing pass would be the 10,001st
    {10050, true, 10000, true},
};

class TelemetryLogCapacity : public testing::TestWithParam<CapacityCase> {};

TEST_P(TelemetryLogCapacity, StopsAtTenThousandPasses)
{
    const CapacityCase& c = GetParam();
    const std::string log = MakeLog(c.records, "\r\n", c.finalBreak);
    auto track = MakeTrack();
    TelemetryParseReport report;
    EXPECT_EQ(parse(log, *track, &report), c.sampleCount);
    EXPECT_EQ(report.stoppedAtCapacity, c.stoppedAtCapacity);
    EXPECT_EQ(track->speed[kTelemetryCapacity - 1], c.records >= kTelemetryCapacity ? SampleFor(9999).speed : kUntouched);
}

INSTANTIATE_TEST_SUITE_P(Table, TelemetryLogCapacity, testing::ValuesIn(kCapacityCases));

TEST(TelemetryLog, ManyShortPassesStopAtCapacity)
{
    // Every token is its own pass's first field: far more passes than slots.
    std::string log;
    for (int i = 0; i < 3 * kTelemetryCapacity * 17; ++i)
        log += "1 ";
    auto track = MakeTrack();
    TelemetryParseReport report;
    EXPECT_EQ(parse(log, *track, &report), kTelemetryCapacity);
    EXPECT_TRUE(report.stoppedAtCapacity);
}

TEST(TelemetryLog, SecondShorterReadKeepsTheLongerTail)
{
    auto track = MakeTrack();
    parse(MakeLog(10), *track);
    ASSERT_EQ(parse(MakeLog(3), *track), 4);
    EXPECT_EQ(track->speed[2], SampleFor(2).speed);
    EXPECT_EQ(track->speed[3], SampleFor(3).speed);  // trailing pass left it
    EXPECT_EQ(track->speed[9], SampleFor(9).speed);
}

struct TelemetryFoundCase {
    const char* name;
    std::string log;
    int sampleCount;  // as counted, whether or not telemetry was found
    bool holdsTelemetry;
};

const TelemetryFoundCase kTelemetryFoundCases[] = {
    {"EmptyLog", "", 1, false},
    {"WhitespaceOnly", " \r\n\r\n", 1, false},
    // A power loss leaves the log's blocks as NUL bytes: one run without
    // whitespace, taken in pieces of 99 characters, four pieces and 31 counted
    // characters a pass.
    {"AllNulBytes", std::string(4096, '\0'), 10, false},
    {"OneRunWithoutWhitespace", std::string(990, 'Q'), 3, false},
    {"BinaryGarbageWithoutDigits", "\xff\xfe GSENSOR= \x80\x81\x82 GPS ,,, \x01\x02 OK\n", 1, false},
    {"TextWithoutNumbers", "no telemetry here at all, just words\n", 1, false},
    {"OneWholeRecord", MakeLog(1), 2, true},
    {"OnlyTheSpeedConverts", "A B 12345678901234567890123x,x,x T N.....x x E x x 42.5 OK", 2, true},
};

class TelemetryLogFound : public testing::TestWithParam<TelemetryFoundCase> {};

TEST_P(TelemetryLogFound, NoConvertedNumberMeansNoTelemetryWithTheSameCount)
{
    const TelemetryFoundCase& c = GetParam();
    auto track = MakeTrack();
    track->holdsTelemetry = !c.holdsTelemetry;
    EXPECT_EQ(parse(c.log, *track), c.sampleCount);
    EXPECT_EQ(track->holdsTelemetry, c.holdsTelemetry);
    expectSameAsReference(c.log);
}

INSTANTIATE_TEST_SUITE_P(Table, TelemetryLogFound, testing::ValuesIn(kTelemetryFoundCases),
                         [](const testing::TestParamInfo<TelemetryFoundCase>& info) { return std::string(info.param.name); });

TEST(TelemetryLog, RandomBytesAgreeWithPlainFscanfReader)
{
    std::mt19937 random(20240501);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 600, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random());
        SCOPED_TRACE(round);
        expectSameAsReference(bytes);
    }
}

TEST(TelemetryLog, MutatedLogsAgreeWithPlainFscanfReader)
{
    // Logs with characters that matter to the conversions sprinkled in.
    static const char kAlphabet[] = "0123456789.+-eEpPxXnaNAifIFtyY \t\r\n,:SWsw";
    std::mt19937 random(7);
    const std::string base = MakeLog(4);
    for (int round = 0; round < 1500; ++round) {
        std::string log = base;
        const int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % (log.size() + 1);
            const char c = kAlphabet[random() % (sizeof kAlphabet - 1)];
            switch (random() % 3) {
            case 0: log.insert(at, 1, c); break;
            case 1: if (at < log.size()) log.erase(at, 1); break;
            default: if (at < log.size()) log[at] = c; break;
            }
        }
        SCOPED_TRACE(log);
        expectSameAsReference(log);
    }
}

// A temporary file holding bytes, removed at the end of the test.
class TempFile {
public:
    explicit TempFile(const std::string& bytes)
    {
        char name[] = "/tmp/kestrel-telemetry-XXXXXX";
        const int fd = mkstemp(name);
        m_path = name;
        std::FILE* file = fdopen(fd, "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

TEST(TelemetryLogFile, StreamReadingAgreesWithBufferAcrossChunks)
{
    // Chunks are 64 KiB: put a CR LF and numbers across the boundaries.
    std::string log;
    for (int shift = 0; log.size() < 300 * 1024; ++shift)
        log += MakeLog(1, "\r\n") + std::string(shift % 7, ' ');
    for (const std::size_t boundary : {std::size_t{65536}, std::size_t{131072}}) {
        log[boundary - 1] = '\r';
        log[boundary] = '\n';
    }
    auto fromBuffer = MakeTrack();
    auto fromFile = MakeTrack();
    TelemetryParseReport bufferReport;
    TelemetryParseReport fileReport;
    const int count = parse(log, *fromBuffer, &bufferReport);
    TempFile file(log);
    ASSERT_TRUE(ReadTelemetryLogFile(file.path().c_str(), *fromFile, &fileReport));
    EXPECT_EQ(fromFile->sampleCount, count);
    EXPECT_EQ(fileReport.whole, bufferReport.whole);
    EXPECT_EQ(reference::FirstDifference(*fromBuffer, *fromFile), -1);
}

TEST(TelemetryLogFile, ReadsAFileFromItsStartToItsEnd)
{
    TempFile file(MakeLog(7, "\r\n"));
    auto track = MakeTrack();
    ASSERT_TRUE(ReadTelemetryLogFile(file.path().c_str(), *track));
    EXPECT_EQ(track->sampleCount, 8);
    EXPECT_EQ(track->latitude[6], SampleFor(6).latitude);
}

TEST(TelemetryLogFile, WhatIsNotARegularFileCannotBeOpened)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kestrel-telemetry-notafile";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string fifo = (dir / "fifo.LOG").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    struct Case {
        std::string path;
        int error;
    };
    const Case cases[] = {
        {(dir / "missing.LOG").string(), ENOENT},
        {dir.string(), EISDIR},
        {fifo, EINVAL},  // a FIFO must not block the reader
    };
    for (const Case& c : cases) {
        auto track = MakeTrack();
        errno = 0;
        EXPECT_FALSE(ReadTelemetryLogFile(c.path.c_str(), *track)) << c.path;
        EXPECT_EQ(errno, c.error) << c.path;
        EXPECT_EQ(track->sampleCount, -1) << "track untouched";
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
