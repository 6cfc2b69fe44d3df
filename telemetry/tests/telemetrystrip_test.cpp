// The strip's arithmetic: positions to samples, pixels and the speed box.

#include "telemetrystrip.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

struct IndexCase {
    int k;
    int n;
    int index;
};

const IndexCase kIndexCases[] = {
    {0, 101, 0},        // -1 raised to 0
    {1000, 101, 99},    // N - 2: the trailing pass never shows
    {500, 3001, 1499},
    {1, 3001, 2},       // 3001 / 1000 - 1
    {999, 3001, 2996},
    {1000, 3001, 2999},
    {1000, 3000, 2998}, // 2999 lowered to N - 2
    {1000, 2, 0},
    {500, 2, 0},
    {1000, 10000, 9998},
    {1000, 1, -1},      // not drawable: N - 2
    {0, 0, -2},
};

class StripSampleIndex : public testing::TestWithParam<IndexCase> {};

TEST_P(StripSampleIndex, MapsPositionToSample)
{
    const IndexCase& c = GetParam();
    EXPECT_EQ(SampleIndex(c.k, c.n), c.index);
    if (HasDrawableTrack(c.n)) {
        EXPECT_GE(SampleIndex(c.k, c.n), 0);
        EXPECT_LE(SampleIndex(c.k, c.n), c.n - 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StripSampleIndex, testing::ValuesIn(kIndexCases));

TEST(StripSampleIndex, StaysInsideTheShownSamplesForEveryPosition)
{
    for (const int n : {2, 3, 7, 999, 1000, 1001, 3001, 10000}) {
        for (int k = 0; k <= 1000; ++k) {
            const int b = SampleIndex(k, n);
            ASSERT_GE(b, 0) << k << " " << n;
            ASSERT_LE(b, n - 2) << k << " " << n;
            const int m = MapSampleIndex(b, n);
            ASSERT_GE(m, b);
            ASSERT_LE(m, n - 2);
        }
    }
}

TEST(StripSampleIndex, OnlyTracksOfTwoOrMoreSamplesAreDrawn)
{
    EXPECT_FALSE(HasDrawableTrack(0));
    EXPECT_FALSE(HasDrawableTrack(1));  // the empty log's single pass
    EXPECT_TRUE(HasDrawableTrack(2));
}

struct PixelCase {
    int position;
    int width;
    int stripX;
    int cursorX;
};

const PixelCase kPixelCases[] = {
    {0, 600, 2, 2},
    {1000, 600, 598, 595},  // W - 2 would be on the edge: W - 5
    {999, 600, 597, 595},   // 597.404 truncates to 597 >= W - 4
    {998, 600, 596, 595},
    {997, 600, 596, 595},
    {996, 600, 595, 595},
    {500, 600, 300, 300},
    {1, 600, 2, 2},         // 2.596 truncates
    {500, 100, 50, 50},
    {1000, 4, 2, -1},
};

class StripPixels : public testing::TestWithParam<PixelCase> {};

TEST_P(StripPixels, PlacesPositionsAndTheCursor)
{
    const PixelCase& c = GetParam();
    EXPECT_EQ(StripX(c.position, c.width), c.stripX);
    EXPECT_EQ(CursorX(c.position, c.width), c.cursorX);
}

INSTANTIATE_TEST_SUITE_P(Table, StripPixels, testing::ValuesIn(kPixelCases));

struct CurveCase {
    int baseline;
    double value;
    int y;
};

const CurveCase kCurveCases[] = {
    {50, 2.0, 60},
    {50, -2.0, 40},
    {50, 0.0, 50},
    {50, 0.19, 50},    // 50.95 truncates
    {50, -0.19, 49},   // 49.05 truncates toward zero
    {60, -13.0, -5},   // above the strip
    {50, -10.19, -0}, // -0.95 truncates toward zero
    {50, std::nan(""), 50},
    {50, std::numeric_limits<double>::infinity(), 1000000},
    {50, -1e300, -1000000},
};

class StripCurve : public testing::TestWithParam<CurveCase> {};

TEST_P(StripCurve, ScalesFivePixelsPerUnitBelowTheBaseline)
{
    EXPECT_EQ(CurveY(GetParam().baseline, GetParam().value), GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(Table, StripCurve, testing::ValuesIn(kCurveCases));

struct SpeedCase {
    double speed;
    int recordAsMile;
    int showKmh;
    const char* shown;
};

const SpeedCase kSpeedCases[] = {
    {10, 1, 1, "16.1"},
    {100, 0, 0, "62.1"},
    {10, 1, 0, "10.0"},
    {57.25, 0, 1, "57.2"},     // shown as logged (57.25 rounds to even)
    {100, 2, 5, "160.9"},      // any nonzero value counts as set
    {100, -1, 0, "100.0"},
    {1000, 0, 0, "621.4"},     // 0.62137, not 1 / 1.609344 (621.371...)
};

class StripSpeed : public testing::TestWithParam<SpeedCase> {};

TEST_P(StripSpeed, ConvertsBetweenTheLogUnitAndTheShownUnit)
{
    const SpeedCase& c = GetParam();
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", DisplayedSpeed(c.speed, c.recordAsMile, c.showKmh));
    EXPECT_EQ(std::string(text), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Table, StripSpeed, testing::ValuesIn(kSpeedCases));

TEST(StripSpeed, UsesTheFactorsAsWritten)
{
    EXPECT_EQ(DisplayedSpeed(1, 1, 1), 1.609344);
    EXPECT_EQ(DisplayedSpeed(1, 0, 0), 0.62137);
}

struct MapCase {
    int b;
    int n;
    int m;
};

const MapCase kMapCases[] = {
    {0, 3001, 40},
    {2958, 3001, 2998},
    {2959, 3001, 2999},  // lowered to N - 2
    {2999, 3001, 2999},
    {0, 2, 0},
};

class StripMap : public testing::TestWithParam<MapCase> {};

TEST_P(StripMap, FeedsTheSampleFortyAhead)
{
    EXPECT_EQ(MapSampleIndex(GetParam().b, GetParam().n), GetParam().m);
}

INSTANTIATE_TEST_SUITE_P(Table, StripMap, testing::ValuesIn(kMapCases));

}  // namespace

struct StripClickCase {
    int x;
    int width;
    int position;
};

const StripClickCase kStripClickCases[] = {
    {2, 600, 0},
    {0, 600, 0},       // the frame left of the first position
    {-40, 600, 0},
    {300, 600, 500},   // 298 / 0.596
    {598, 600, 1000},
    {599, 600, 1000},  // right of the last position
    {5000, 600, 1000},
    {3, 100, 10},      // one pixel is ten positions on a narrow strip
    {50, 4, 0},        // no room for positions
    {50, 0, 0},
};

class StripClicks : public testing::TestWithParam<StripClickCase> {};

TEST_P(StripClicks, NamePositionUnderThePointer)
{
    const StripClickCase& c = GetParam();
    EXPECT_EQ(StripPositionAt(c.x, c.width), c.position);
}

INSTANTIATE_TEST_SUITE_P(Table, StripClicks, testing::ValuesIn(kStripClickCases));

TEST(StripClicks, LandOnTheClickedPixelAcrossTheWholeStrip)
{
    for (int width : {600, 100, 1500}) {
        for (int x = 2; x <= width - 2; ++x)
            ASSERT_NEAR(StripX(StripPositionAt(x, width), width), x, 1) << "width " << width << " x " << x;
    }
}

TEST(StripFirstPosition, IsTheFirstPositionThatShowsTheSample)
{
    for (const int n : {2, 3, 7, 101, 251, 1000, 3001, 10000}) {
        for (int sample = 0; sample <= n - 2; ++sample) {
            const int k = FirstPositionShowing(sample, n);
            ASSERT_GE(k, 0);
            ASSERT_LE(k, 1000);
            EXPECT_GE(SampleIndex(k, n), sample) << "n " << n << " sample " << sample;
            if (k > 0) {
                EXPECT_LT(SampleIndex(k - 1, n), sample) << "n " << n << " sample " << sample;
            }
        }
    }
    EXPECT_EQ(FirstPositionShowing(249, 251), 997);  // ceil(250000 / 251)
    EXPECT_EQ(FirstPositionShowing(250, 251), 1000); // the trailing pass: never shown, the end
    EXPECT_EQ(FirstPositionShowing(-3, 251), 0);
    EXPECT_EQ(FirstPositionShowing(5, 0), 0);
}

TEST(StripFirstPosition, ShowsTheClickedSampleOrTheFirstOneAfterIt)
{
    for (int count : {2, 3, 250, 999, 1000, 1001, 2500, 10000}) {
        for (int sample = 0; sample <= count - 2; ++sample) {
            const int k = FirstPositionShowing(sample, count);
            ASSERT_GE(k, 0);
            ASSERT_LE(k, 1000);
            // The slider shows the sample, or the first one it can reach after it...
            ASSERT_GE(SampleIndex(k, count), sample) << count << " " << sample;
            // ...and no smaller position already reaches it.
            if (k > 0) {
                ASSERT_LT(SampleIndex(k - 1, count), sample) << count << " " << sample;
            }
        }
    }
    // Where the slider can show every sample, it shows exactly the one asked for.
    for (int sample = 0; sample <= 248; ++sample)
        EXPECT_EQ(SampleIndex(FirstPositionShowing(sample, 250), 250), sample);
    EXPECT_EQ(FirstPositionShowing(0, 250), 0);
    EXPECT_EQ(FirstPositionShowing(5, 0), 0);
    EXPECT_EQ(FirstPositionShowing(-3, 250), 0);
    EXPECT_EQ(FirstPositionShowing(9999, 250), 1000);
}
