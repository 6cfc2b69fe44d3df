// Events of a folder's recordings: the limits from its settings file, the
// Event cell's text and the background count for the record list.

#include "recordeventcounter.h"
#include "recordingevents.h"
#include "telemetryrecordformat.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

// A log of `records` quiet samples with X set to `x` at the given samples.
std::string logWith(int records, const std::vector<std::pair<int, double>>& xs)
{
    std::vector<TelemetrySample> samples(static_cast<std::size_t>(records));
    for (TelemetrySample& s : samples) {
        s.accelX = 0.02;
        s.accelY = 0.03;
        s.accelZ = 0.97;
    }
    for (const auto& [i, x] : xs)
        samples[static_cast<std::size_t>(i)].accelX = x;
    std::string text;
    for (std::size_t i = 0; i < samples.size(); ++i)
        text += FormatTelemetryRecord(samples[i], static_cast<int>(i)) + "\r\n";
    return text;
}

void writeFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

class RecordingEventsTest : public testing::Test {
protected:
    void SetUp() override { m_folder = m_dir.path() + QLatin1Char('/'); }

    // REC0001: two events over 1 g, one of 0.7 g; REC0002: quiet; REC0003: no log.
    void writeCard()
    {
        writeFile(m_folder + QStringLiteral("REC0001.asf"), "");
        writeFile(m_folder + QStringLiteral("REC0001.LOG"), logWith(80, {{10, 1.3}, {40, -1.6}, {60, 0.7}}));
        writeFile(m_folder + QStringLiteral("REC0002.asf"), "");
        writeFile(m_folder + QStringLiteral("REC0002.LOG"), logWith(80, {}));
        writeFile(m_folder + QStringLiteral("REC0003.asf"), "");
    }

    QTemporaryDir m_dir;
    QString m_folder;
};

TEST_F(RecordingEventsTest, LimitsComeFromTheFoldersSettingsFile)
{
    const GSensorLimits defaults = EventLimitsForFolder(m_folder);
    EXPECT_EQ(defaults.x, 1.0);
    EXPECT_EQ(defaults.y, 1.0);
    EXPECT_EQ(defaults.z, 2.0);

    writeFile(m_folder + QStringLiteral("setup.bak"), "[G_LIMITX=0.50]\r\n[G_LIMITZ=9.5]\r\n");
    GSensorLimits limits = EventLimitsForFolder(m_folder);
    EXPECT_FLOAT_EQ(limits.x, 0.5);
    EXPECT_FLOAT_EQ(limits.y, 1.0);
    EXPECT_FLOAT_EQ(limits.z, 8.0);  // the reader's bounds

    // setup.ini wins over setup.bak.
    writeFile(m_folder + QStringLiteral("setup.ini"), "[G_LIMITY=0.25]\r\n");
    limits = EventLimitsForFolder(m_folder);
    EXPECT_FLOAT_EQ(limits.x, 1.0);
    EXPECT_FLOAT_EQ(limits.y, 0.25);
}

TEST_F(RecordingEventsTest, RecordingEventsFollowTheLimits)
{
    writeCard();
    const QString video = m_folder + QStringLiteral("REC0001.asf");
    ASSERT_TRUE(RecordingEvents(video, {}));
    EXPECT_EQ(RecordingEvents(video, {})->size(), 2u);
    EXPECT_EQ(RecordingEvents(video, {0.5, 1.0, 2.0})->size(), 3u);
    EXPECT_FALSE(RecordingEvents(m_folder + QStringLiteral("REC0003.asf"), {}));
}

TEST(EventCountText, BlankWhileUnknownAndForNone)
{
    EXPECT_EQ(EventCountText(-1), QString());
    EXPECT_EQ(EventCountText(0), QString());
    EXPECT_EQ(EventCountText(1), QStringLiteral("1"));
    EXPECT_EQ(EventCountText(12), QStringLiteral("12"));
}

class RecordEventCounterTest : public RecordingEventsTest {
protected:
    // Runs the event loop until the counter reports its job done.
    static bool waitFor(RecordEventCounter& counter)
    {
        QDeadlineTimer deadline(20000);
        while (counter.IsCounting() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return !counter.IsCounting();
    }

    int m_argc = 1;
    char m_name[16] = "library_tests";
    char* m_argv[2] = {m_name, nullptr};
    QCoreApplication m_app{m_argc, m_argv};
};

TEST_F(RecordEventCounterTest, CountsEveryRowInTheBackground)
{
    writeCard();
    writeFile(m_folder + QStringLiteral("setup.ini"), "[G_LIMITX=0.50]\r\n");
    RecordEventCounter counter;
    QList<RecordEventCount> got;
    int finished = 0;
    QObject::connect(&counter, &RecordEventCounter::countsReady, [&](const QList<RecordEventCount>& c) { got += c; });
    QObject::connect(&counter, &RecordEventCounter::finished, [&] { ++finished; });
    counter.Start(m_folder, {QStringLiteral("REC0001.asf"), QStringLiteral("REC0002.asf"), QStringLiteral("REC0003.asf")});
    ASSERT_TRUE(waitFor(counter));
    EXPECT_EQ(finished, 1);
    ASSERT_EQ(got.size(), 3);
    const int expected[] = {3, 0, -1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(got[i].row, i);
        EXPECT_EQ(got[i].count, expected[i]) << got[i].fileName.toStdString();
    }
    EXPECT_EQ(got[2].fileName, QStringLiteral("REC0003.asf"));
}

TEST_F(RecordEventCounterTest, StartingAgainOrCancellingDropsTheOldJob)
{
    writeCard();
    RecordEventCounter counter;
    QList<RecordEventCount> got;
    QObject::connect(&counter, &RecordEventCounter::countsReady, [&](const QList<RecordEventCount>& c) { got += c; });
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << QStringLiteral("REC0001.asf");
    counter.Start(m_folder, many);
    counter.Start(m_folder, {QStringLiteral("REC0002.asf")});
    ASSERT_TRUE(waitFor(counter));
    // Whatever the first job had counted is never reported.
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].fileName, QStringLiteral("REC0002.asf"));

    got.clear();
    counter.Start(m_folder, many);
    counter.Cancel();
    EXPECT_FALSE(counter.IsCounting());
    QCoreApplication::processEvents();
    for (const RecordEventCount& c : got)
        ADD_FAILURE() << "reported after cancel: row " << c.row;
    // An empty list finishes at once; destroying a counter mid-job waits for its worker.
    counter.Start(m_folder, {});
    ASSERT_TRUE(waitFor(counter));
    auto busy = std::make_unique<RecordEventCounter>();
    busy->Start(m_folder, many);
    busy.reset();
}

}  // namespace
