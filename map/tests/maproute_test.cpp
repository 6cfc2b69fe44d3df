// The route of a recording: which samples are fixes, thinning, the slider
// position of a sample, the rows nearest the playing one, and the script texts
// that carry routes into the page.
#include "maproute.h"
#include "mapscript.h"
#include "telemetrytrack.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Row {
    double latitude, longitude, speed;
};

std::unique_ptr<TelemetryTrack> trackOf(const std::vector<Row>& rows, int sampleCount = -1)
{
    auto track = std::make_unique<TelemetryTrack>();
    std::memset(static_cast<void*>(track.get()), 0, sizeof(TelemetryTrack));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        track->latitude[i] = rows[i].latitude;
        track->longitude[i] = rows[i].longitude;
        track->speed[i] = rows[i].speed;
    }
    track->sampleCount = sampleCount < 0 ? int(rows.size()) : sampleCount;
    return track;
}

std::vector<int> indicesOf(const std::vector<RoutePoint>& route)
{
    std::vector<int> indices;
    for (const RoutePoint& p : route)
        indices.push_back(p.sampleIndex);
    return indices;
}

TEST(RouteFix, TellsAFixFromNoFix)
{
    const struct {
        double latitude, longitude;
        bool fix;
    } cases[] = {
        {48.8672, 2.3146, true},   {0.0, 0.0, false},      {-0.0, 0.0, false},   {0.0, 12.5, true},
        {-33.9, 0.0, true},        {90.0, 180.0, true},    {90.01, 10.0, false}, {10.0, -180.5, false},
        {kNaN, 2.0, false},        {48.0, kInf, false},    {-kInf, 0.0, false},  {1e-9, 1e-9, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsRouteFix(c.latitude, c.longitude), c.fix) << c.latitude << ", " << c.longitude;
}

TEST(RouteExtraction, KeepsTheFixesInSampleOrderWithTheirIndexAndSpeed)
{
    // A receiver that starts without a fix, loses it in a tunnel and ends
    // with the empty pass after the log's final line break.
    const auto track = trackOf({{0, 0, 0},
                                {48.8660, 2.3125, 12.5},
                                {48.8661, 2.3127, 13.0},
                                {0, 0, 14.0},
                                {48.8664, 2.3131, 15.5},
                                {0, 0, 0}});
    const std::vector<RoutePoint> route = ExtractRoute(*track);
    EXPECT_EQ(indicesOf(route), (std::vector<int>{1, 2, 4}));
    ASSERT_EQ(route.size(), 3u);
    EXPECT_DOUBLE_EQ(route[0].latitude, 48.8660);
    EXPECT_DOUBLE_EQ(route[0].longitude, 2.3125);
    EXPECT_DOUBLE_EQ(route[0].speed, 12.5);
    EXPECT_DOUBLE_EQ(route[2].speed, 15.5);
}

TEST(RouteExtraction, ReadsOnlyTheCountedSamples)
{
    // Values beyond sampleCount belong to no sample of this log.
    const auto track = trackOf({{48.1, 2.1, 1}, {48.2, 2.2, 2}, {48.3, 2.3, 3}}, 2);
    EXPECT_EQ(indicesOf(ExtractRoute(*track)), (std::vector<int>{0, 1}));
    EXPECT_TRUE(ExtractRoute(*trackOf({{48.1, 2.1, 1}}, 0)).empty());
    auto negative = trackOf({{48.1, 2.1, 1}});
    negative->sampleCount = -5;
    EXPECT_TRUE(ExtractRoute(*negative).empty());
}

TEST(RouteExtraction, ALogWithoutAnyFixHasNoRoute)
{
    EXPECT_TRUE(ExtractRoute(*trackOf({{0, 0, 30}, {0, 0, 31}, {0, 0, 32}})).empty());
}

TEST(RouteExtraction, SpeedsThatCannotBeShownAreHeldInRange)
{
    const auto track = trackOf({{48.1, 2.1, kNaN}, {48.2, 2.2, -4}, {48.3, 2.3, 1e300}, {48.4, 2.4, -kInf}});
    const std::vector<RoutePoint> route = ExtractRoute(*track);
    ASSERT_EQ(route.size(), 4u);
    EXPECT_EQ(route[0].speed, 0.0);
    EXPECT_EQ(route[1].speed, 0.0);
    EXPECT_EQ(route[2].speed, kMaxRouteSpeed);
    EXPECT_EQ(route[3].speed, 0.0);
}

TEST(RouteThinning, KeepsBothEndsAndSpreadsTheRest)
{
    std::vector<RoutePoint> route(10);
    for (int i = 0; i < 10; ++i)
        route[std::size_t(i)].sampleIndex = i * 3;
    const struct {
        int maxPoints;
        std::vector<int> samples;
    } cases[] = {
        {20, {0, 3, 6, 9, 12, 15, 18, 21, 24, 27}},
        {10, {0, 3, 6, 9, 12, 15, 18, 21, 24, 27}},
        {4, {0, 9, 18, 27}},
        {2, {0, 27}},
        {1, {0, 27}},
        {0, {0, 27}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(indicesOf(ThinRoute(route, c.maxPoints)), c.samples) << c.maxPoints;
    EXPECT_TRUE(ThinRoute({}, 5).empty());
    EXPECT_EQ(ThinRoute(std::vector<RoutePoint>(1), 5).size(), 1u);
}

TEST(NearbyRows, NearestFirstWithoutThePlayingRow)
{
    const struct {
        int count, current, max;
        std::vector<int> rows;
    } cases[] = {
        {5, 2, 10, {3, 1, 4, 0}},
        {5, 0, 10, {1, 2, 3, 4}},
        {5, 4, 10, {3, 2, 1, 0}},
        {9, 4, 3, {5, 3, 6}},
        {1, 0, 10, {}},
        {0, -1, 10, {}},
        {4, -1, 10, {0, 1, 2, 3}},  // opened outside the list: every row is another recording
        {4, 7, 2, {0, 1}},          // a row index left past a shrunk list
        {5, 2, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearbyRows(c.count, c.current, c.max), c.rows) << c.count << " " << c.current << " " << c.max;
}

TEST(RouteScripts, CarryTheRouteWithFixedDecimalsInAnyLocale)
{
    // A locale with a decimal comma, when the machine has one.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8");

    std::vector<RoutePoint> route(2);
    route[0] = {7, 48.866, 2.3125, 12.26};
    route[1] = {12, -33.8675, -70.65, 0};
    EXPECT_EQ(SetRouteScript(0, route).toStdString(),
              "SetRoute(0,[[48.866000,2.312500,12.3,7],[-33.867500,-70.650000,0.0,12]])");
    EXPECT_EQ(SetRouteScript(3, {}).toStdString(), "SetRoute(3,[])");

    std::vector<RoutePoint> other(1);
    other[0] = {0, 1.5, 2.5, 100};
    EXPECT_EQ(AddNeighbourRoutesScript({{1, &route}, {2, nullptr}, {4, &other}}).toStdString(),
              "AddNeighbourRoutes([[1,[[48.866000,2.312500,12.3,7],[-33.867500,-70.650000,0.0,12]]],"
              "[4,[[1.500000,2.500000,100.0,0]]]])");
    EXPECT_EQ(AddNeighbourRoutesScript({}).toStdString(), "AddNeighbourRoutes([])");
    EXPECT_EQ(SetRouteSampleScript(42).toStdString(), "SetRouteSample(42)");
    EXPECT_EQ(SetRouteUnitScript("km/h", 1.609344).toStdString(), "SetRouteUnit(\"km/h\",1.609344)");
    // Nothing but a unit name gets into the string literal.
    EXPECT_EQ(SetRouteUnitScript("m\"ph\\", 1.0).toStdString(), "SetRouteUnit(\"mph\",1.000000)");
    EXPECT_EQ(SetLocationScript(22.501, 113.2497).toStdString(), "SetLocation(\"22.501000\",\"113.249700\")");

    std::setlocale(LC_ALL, saved.c_str());
}

TEST(RouteScripts, AFullTrackMakesOneScriptOfBoundedSize)
{
    std::vector<RoutePoint> route(kTelemetryCapacity);
    for (int i = 0; i < kTelemetryCapacity; ++i)
        route[std::size_t(i)] = {i, -89.123456 + i * 1e-4, -179.654321 + i * 1e-4, 999.9};
    const QString script = SetRouteScript(0, route);
    EXPECT_TRUE(script.startsWith(QStringLiteral("SetRoute(0,[[-89.123456,-179.654321,999.9,0],")));
    EXPECT_TRUE(script.endsWith(QStringLiteral(",999.9,9999]])")));
    EXPECT_LT(script.size(), 50 * kTelemetryCapacity);
}

}  // namespace
