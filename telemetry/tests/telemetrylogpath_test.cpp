// Where the log of a recording is, and the program-wide read of it.

#include "telemetrylogfixtures.h"
#include "telemetrylogpath.h"
#include "telemetrytrack.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <string>
#include <unistd.h>

namespace {

using fixtures::MakeLog;
using fixtures::SampleFor;

struct PathCase {
    const char* record;
    const char* log;
};

const PathCase kPathCases[] = {
    {"/media/card/DCIM/20240501_120000.asf", "/media/card/DCIM/20240501_120000.LOG"},
    {"/media/card/clip.ASF", "/media/card/clip.LOG"},
    {"/media/card/clip.v2.asf", "/media/card/clip.v2.LOG"},
    {"/media/card.1/CLIP0001", "/media/card.LOG"},  // the dot of the folder counts
    {"CLIP0001.asf", "CLIP0001.LOG"},
    {"CLIP0001", ".LOG"},
    {"", ".LOG"},
    {"clip.", "clip.LOG"},
    {".hidden", ".LOG"},
    {"/media/ka\u0308rte/fahrt.asf", "/media/ka\u0308rte/fahrt.LOG"},
};

class TelemetryLogPathCase : public testing::TestWithParam<PathCase> {};

TEST_P(TelemetryLogPathCase, CutsAtTheLastDotOfTheWholeText)
{
    EXPECT_EQ(TelemetryLogPath(QString::fromUtf8(GetParam().record)), QString::fromUtf8(GetParam().log));
}

INSTANTIATE_TEST_SUITE_P(Table, TelemetryLogPathCase, testing::ValuesIn(kPathCases));

void writeFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Runs the body with the current folder set to dir, as a bare record name
// resolves against it.
class CurrentFolder {
public:
    explicit CurrentFolder(const QString& dir) : m_previous(QDir::currentPath()) { QDir::setCurrent(dir); }
    ~CurrentFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

TEST(TelemetryReadLog, MissingLogLeavesNoSamplesAndKeepsTheReloadPending)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TelemetryReloadPending = true;
    TheTelemetryTrack().sampleCount = 12;
    // A missing log is retried at every refresh: the flag stays up each time.
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_FALSE(ReadTelemetryLog(dir.filePath("clip.asf")));
        EXPECT_EQ(TheTelemetryTrack().sampleCount, 0);
        EXPECT_TRUE(TelemetryReloadPending);
    }
    writeFile(dir.filePath("clip.LOG"), MakeLog(4));
    EXPECT_TRUE(ReadTelemetryLog(dir.filePath("clip.asf")));
    EXPECT_FALSE(TelemetryReloadPending);
    EXPECT_EQ(TheTelemetryTrack().sampleCount, 5);
}

TEST(TelemetryReadLog, SecondShorterLogLeavesNothingOfTheFirst)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir.filePath("long.LOG"), MakeLog(20));
    writeFile(dir.filePath("short.LOG"), MakeLog(5, "\r\n", false));
    ASSERT_TRUE(ReadTelemetryLog(dir.filePath("long.asf")));
    ASSERT_TRUE(ReadTelemetryLog(dir.filePath("short.asf")));
    const TelemetryTrack& track = TheTelemetryTrack();
    EXPECT_EQ(track.sampleCount, 5);
    EXPECT_TRUE(track.holdsTelemetry);
    EXPECT_EQ(track.longitude[4], SampleFor(4).longitude);
    EXPECT_EQ(track.longitude[5], 0.0);
    EXPECT_EQ(track.longitude[19], 0.0);
}

// A log in which nothing converts (a power loss leaves NUL bytes, or garbage)
// must not show the values of the recording played before it: each read starts
// from a cleared track, and such a log holds no telemetry, though its passes
// are counted as ever.
TEST(TelemetryReadLog, LogWithoutAnyNumberShowsNothingOfTheLogBefore)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir.filePath("good.LOG"), MakeLog(20));
    const std::pair<const char*, std::string> unreadable[] = {
        {"nul", std::string(4096, '\0')},
        {"garbage", std::string("\x01\xfe GSENSOR=\x80 ,,, GPS \xff OK\r\n")},
        {"run", std::string(990, 'Q')},
        {"empty", std::string()},
    };
    for (const auto& [name, bytes] : unreadable) {
        SCOPED_TRACE(name);
        writeFile(dir.filePath(QString::fromLatin1(name) + ".LOG"), bytes);
        ASSERT_TRUE(ReadTelemetryLog(dir.filePath("good.asf")));
        ASSERT_TRUE(TheTelemetryTrack().holdsTelemetry);
        ASSERT_TRUE(ReadTelemetryLog(dir.filePath(QString::fromLatin1(name) + ".asf")));
        const TelemetryTrack& track = TheTelemetryTrack();
        EXPECT_FALSE(track.holdsTelemetry);
        EXPECT_GE(track.sampleCount, 1);
        for (int i = 0; i < kTelemetryCapacity; ++i) {
            for (const double* values : {track.accelX, track.accelY, track.accelZ, track.latitude, track.longitude,
                                         track.speed})
                ASSERT_EQ(values[i], 0.0) << i;
        }
    }
}

TEST(TelemetryReadLog, BareNamesResolveAgainstTheCurrentFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir.filePath("CLIP.LOG"), MakeLog(2));
    writeFile(dir.filePath(".LOG"), MakeLog(6));
    CurrentFolder inDir(dir.path());
    ASSERT_TRUE(ReadTelemetryLog(QStringLiteral("CLIP.asf")));
    EXPECT_EQ(TheTelemetryTrack().sampleCount, 3);
    ASSERT_TRUE(ReadTelemetryLog(QStringLiteral("CLIP")));  // no dot: ".LOG"
    EXPECT_EQ(TheTelemetryTrack().sampleCount, 7);
}

TEST(TelemetryReadLog, LogThatIsAFolderCountsAsMissing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("clip.LOG")));
    EXPECT_FALSE(ReadTelemetryLog(dir.filePath("clip.asf")));
    EXPECT_TRUE(TelemetryReloadPending);
    EXPECT_EQ(TheTelemetryTrack().sampleCount, 0);
}

}  // namespace
