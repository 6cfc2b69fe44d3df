// The background reader of routes: what it delivers, in which batches, what a
// newer request does to an older one, and what it keeps between requests.
#include "routeloader.h"

#include "telemetryrecordformat.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace {

// Collects what the loader delivers, from its thread.
struct Deliveries {
    std::mutex mutex;
    std::condition_variable changed;
    struct Batch {
        std::uint64_t generation;
        std::vector<LoadedRoute> routes;
        bool last;
    };
    std::vector<Batch> batches;

    void add(std::uint64_t generation, std::vector<LoadedRoute> routes, bool last)
    {
        std::lock_guard<std::mutex> lock(mutex);
        batches.push_back({generation, std::move(routes), last});
        changed.notify_all();
    }

    // Waits until the request of this generation is done; false after 30 s.
    bool waitFor(std::uint64_t generation)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(30), [&] {
            for (const Batch& b : batches)
                if (b.generation == generation && b.last)
                    return true;
            return false;
        });
    }

    std::vector<LoadedRoute> routesOf(std::uint64_t generation)
    {
        std::lock_guard<std::mutex> lock(mutex);
        std::vector<LoadedRoute> all;
        for (const Batch& b : batches)
            if (b.generation == generation)
                all.insert(all.end(), b.routes.begin(), b.routes.end());
        return all;
    }
};

// A log of `records` lines along a street, with `withoutFix` of them at 0/0 first.
std::string driveLog(int records, double startLatitude, int withoutFix = 0)
{
    std::string log;
    for (int i = 0; i < records; ++i) {
        TelemetrySample s;
        if (i >= withoutFix) {
            s.latitude = startLatitude + i * 1e-4;
            s.longitude = 2.3 + i * 1e-4;
        }
        s.speed = 20 + i % 30;
        log += FormatTelemetryRecord(s, i);
        log += "\r\n";
    }
    return log;
}

class RouteLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString recording(const QString& name, const std::string& log)
    {
        const QString video = m_dir.filePath(name + QStringLiteral(".asf"));
        QFile f(m_dir.filePath(name + QStringLiteral(".LOG")));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(log.data(), qint64(log.size()));
        return video;
    }

    QTemporaryDir m_dir;
    Deliveries m_out;
    RouteLoader m_loader{[this](std::uint64_t g, std::vector<LoadedRoute> r, bool last) {
        m_out.add(g, std::move(r), last);
    }};
};

TEST_F(RouteLoaderTest, ReadsTheFirstAloneThenTheOthersThinned)
{
    std::vector<RouteRequest> requests;
    requests.push_back({recording(QStringLiteral("REC0002"), driveLog(250, 48.86, 10)), 0, 0});
    for (int i = 1; i <= 20; ++i)
        requests.push_back({recording(QStringLiteral("N%1").arg(i), driveLog(250, 48.0 + i)), i, 50});
    requests.push_back({m_dir.filePath(QStringLiteral("NOLOG.asf")), 21, 50});

    const std::uint64_t generation = m_loader.Load(requests);
    ASSERT_TRUE(m_out.waitFor(generation));

    std::lock_guard<std::mutex> lock(m_out.mutex);
    ASSERT_GE(m_out.batches.size(), 3u);
    // The playing recording comes alone and first, in full.
    const auto& first = m_out.batches.front();
    ASSERT_EQ(first.routes.size(), 1u);
    const LoadedRoute& current = first.routes.front();
    EXPECT_EQ(current.routeId, 0);
    EXPECT_TRUE(current.logRead);
    EXPECT_EQ(current.sampleCount, 251);  // the pass after the final line break counts
    ASSERT_EQ(current.points.size(), 240u);
    EXPECT_EQ(current.points.front().sampleIndex, 10);
    EXPECT_EQ(current.points.back().sampleIndex, 249);
    EXPECT_NEAR(current.points.front().latitude, 48.861, 1e-9);

    std::vector<int> ids;
    for (const auto& batch : m_out.batches) {
        EXPECT_LE(int(batch.routes.size()), RouteLoader::kBatchSize);
        for (const LoadedRoute& r : batch.routes)
            ids.push_back(r.routeId);
        const LoadedRoute& last = batch.routes.back();
        if (batch.last) {
            EXPECT_EQ(last.routeId, 21);
            EXPECT_FALSE(last.logRead);
            EXPECT_TRUE(last.points.empty());
        }
    }
    std::vector<int> expected;
    for (int i = 0; i <= 21; ++i)
        expected.push_back(i);
    EXPECT_EQ(ids, expected);
    const LoadedRoute& neighbour = m_out.batches[1].routes.front();
    EXPECT_EQ(neighbour.points.size(), 50u);
    EXPECT_EQ(neighbour.points.back().sampleIndex, 249);
}

TEST_F(RouteLoaderTest, ANewRequestEndsTheOneBefore)
{
    std::vector<RouteRequest> many;
    for (int i = 0; i < 300; ++i)
        many.push_back({recording(QStringLiteral("M%1").arg(i), driveLog(400, 40.0 + i * 0.01)), i, 0});
    const QString other = recording(QStringLiteral("OTHER"), driveLog(30, 10.0));

    const std::uint64_t g1 = m_loader.Load(many);
    const std::uint64_t g2 = m_loader.Load({{other, 0, 0}});
    EXPECT_NE(g1, g2);
    ASSERT_TRUE(m_out.waitFor(g2));
    const std::vector<LoadedRoute> second = m_out.routesOf(g2);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].points.size(), 30u);
    // The first request never finished: it was given up for the second.
    std::lock_guard<std::mutex> lock(m_out.mutex);
    for (const auto& batch : m_out.batches)
        EXPECT_FALSE(batch.generation == g1 && batch.last);
}

TEST_F(RouteLoaderTest, AChangedLogIsReadAgain)
{
    const QString path = recording(QStringLiteral("REC"), driveLog(20, 48.0));
    const std::uint64_t g1 = m_loader.Load({{path, 0, 0}});
    ASSERT_TRUE(m_out.waitFor(g1));
    const std::uint64_t g2 = m_loader.Load({{path, 0, 0}});
    ASSERT_TRUE(m_out.waitFor(g2));
    EXPECT_EQ(m_out.routesOf(g2).at(0).points.size(), 20u);

    // The camera (or a copy) rewrote it: fewer records, another place.
    recording(QStringLiteral("REC"), driveLog(12, 51.0));
    QFile log(m_dir.filePath(QStringLiteral("REC.LOG")));
    ASSERT_TRUE(log.open(QIODevice::ReadWrite));
    ASSERT_TRUE(log.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    log.close();
    const std::uint64_t g3 = m_loader.Load({{path, 5, 0}});
    ASSERT_TRUE(m_out.waitFor(g3));
    const LoadedRoute route = m_out.routesOf(g3).at(0);
    EXPECT_EQ(route.routeId, 5);
    ASSERT_EQ(route.points.size(), 12u);
    EXPECT_NEAR(route.points[0].latitude, 51.0, 1e-9);
}

TEST_F(RouteLoaderTest, DamagedLogsGiveEmptyRoutesAndNoValueOfAnotherLog)
{
    const QString good = recording(QStringLiteral("GOOD"), driveLog(40, 48.0));
    const QString zeros = recording(QStringLiteral("ZEROS"), std::string(4096, '\0'));
    const QString garbage = recording(QStringLiteral("GARBAGE"), std::string(5000, 'x'));
    const QString empty = recording(QStringLiteral("EMPTY"), std::string());
    QDir(m_dir.path()).mkdir(QStringLiteral("FOLDER.LOG"));
    const QString folder = m_dir.filePath(QStringLiteral("FOLDER.asf"));

    const std::uint64_t g = m_loader.Load({{good, 0, 0}, {zeros, 1, 0}, {garbage, 2, 0}, {empty, 3, 0}, {folder, 4, 0}});
    ASSERT_TRUE(m_out.waitFor(g));
    const std::vector<LoadedRoute> routes = m_out.routesOf(g);
    ASSERT_EQ(routes.size(), 5u);
    EXPECT_EQ(routes[0].points.size(), 40u);
    for (std::size_t i = 1; i < routes.size(); ++i)
        EXPECT_TRUE(routes[i].points.empty()) << i;
    EXPECT_FALSE(routes[4].logRead);
}

TEST_F(RouteLoaderTest, AnEmptyRequestIsDoneAtOnce)
{
    const std::uint64_t g = m_loader.Load({});
    ASSERT_TRUE(m_out.waitFor(g));
    EXPECT_TRUE(m_out.routesOf(g).empty());
}

}  // namespace
