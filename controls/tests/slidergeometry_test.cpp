#include "slidergeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The two sliders of the main window.
SliderGeometry positionSlider()
{
    SliderGeometry g;
    g.minimum = 0;
    g.maximum = 1000;
    g.channelWidth = 597;
    g.thumbWidth = 29;
    return g;
}

SliderGeometry volumeSlider()
{
    SliderGeometry g;
    g.minimum = 0;
    g.maximum = 1000;
    g.channelWidth = 157;
    g.leftMargin = 28;
    g.rightMargin = 23;
    return g;
}

TEST(SliderGeometry, TrackAndThumbCentreRangeFollowMarginsAndThumb)
{
    const SliderGeometry p = positionSlider();
    EXPECT_EQ(p.trackLength(), 568);
    EXPECT_EQ(p.thumbCentreMin(), 14);
    EXPECT_EQ(p.thumbCentreMax(), 583);

    const SliderGeometry v = volumeSlider();
    EXPECT_EQ(v.trackLength(), 106);
    EXPECT_EQ(v.thumbCentreMin(), 28);
    EXPECT_EQ(v.thumbCentreMax(), 134);
}

struct PixelCase { int position; int centre; };

class PositionSliderPixels : public ::testing::TestWithParam<PixelCase> {};

TEST_P(PositionSliderPixels, PlacesThumbCentre)
{
    EXPECT_EQ(PosToPixel(positionSlider(), GetParam().position), GetParam().centre);
}

INSTANTIATE_TEST_SUITE_P(Table, PositionSliderPixels, ::testing::Values(
    PixelCase{0, 14}, PixelCase{500, 298}, PixelCase{1000, 582},
    PixelCase{327, 199},   // trunc(185.736) + 14
    PixelCase{1, 14},      // 0.568 truncates to 0
    PixelCase{2, 15}));

struct PressCase {
    const char* name;
    SliderGeometry geometry;
    int startPosition;
    int pressX;
    int grab;
    int newPosition;
};

class SliderPress : public ::testing::TestWithParam<PressCase> {};

// A press runs: grab offset, pointer minus offset, clamp, pixel to position,
// then the position limit of SetPos.
TEST_P(SliderPress, GrabsAndMapsThePointer)
{
    const PressCase& c = GetParam();
    const SliderGeometry& g = c.geometry;
    const int grab = GrabOffset(g, c.pressX, c.startPosition);
    EXPECT_EQ(grab, c.grab);
    const int p = ClampThumbCentre(g, c.pressX - grab);
    EXPECT_EQ(ClampSliderPos(PixelToPos(g, p), g.minimum, g.maximum), c.newPosition);
}

INSTANTIATE_TEST_SUITE_P(Table, SliderPress, ::testing::Values(
    PressCase{"OffThumbMovesCentreToPointer", positionSlider(), 0, 200, 0, 327},
    PressCase{"OnThumbRightEdgeKeepsHold", positionSlider(), 0, 28, 14, 0},
    PressCase{"OnThumbLeftOfCentreKeepsHold", positionSlider(), 500, 290, -8, 500},
    PressCase{"JustPastThumbEdgeJumps", positionSlider(), 0, 29, 0, 26},
    PressCase{"PositionPastEndClampsToMaximum", positionSlider(), 0, 596, 0, 1000},
    PressCase{"VolumeAtCentre", volumeSlider(), 0, 81, 0, 500},
    PressCase{"VolumeLeftOfTrack", volumeSlider(), 500, 5, 0, 0},
    PressCase{"VolumeRightOfTrack", volumeSlider(), 500, 150, 0, 1000},
    PressCase{"VolumeOnCurrentPixelHasNoHold", volumeSlider(), 500, 81, 0, 500}),
    [](const ::testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

TEST(SliderGeometry, PixelToPosIsNotAnExactInverse)
{
    const SliderGeometry g = positionSlider();
    // 327 -> 199 -> trunc(185 / 568 * 1000) = 325.
    EXPECT_EQ(PixelToPos(g, PosToPixel(g, 327)), 325);
    // With an odd thumb the clamp allows one pixel past the maximum's centre.
    EXPECT_EQ(PixelToPos(g, g.thumbCentreMax()), 1001);
}

TEST(SliderGeometry, NonZeroMinimumShiftsBothMappings)
{
    SliderGeometry g = positionSlider();
    g.minimum = -500;
    g.maximum = 500;
    EXPECT_EQ(PosToPixel(g, -500), 14);
    EXPECT_EQ(PosToPixel(g, 0), 298);
    EXPECT_EQ(PixelToPos(g, 298), 0);
    EXPECT_EQ(PixelToPos(g, 14), -500);
    // Truncation goes toward zero, not down: -498.24 gives -498.
    EXPECT_EQ(PixelToPos(g, 15), -498);
}

TEST(SliderGeometry, DegenerateGeometryGivesFiniteResults)
{
    SliderGeometry flat = positionSlider();
    flat.maximum = flat.minimum;            // no range
    EXPECT_EQ(PosToPixel(flat, 12345), 14);
    EXPECT_EQ(PixelToPos(flat, 300), 0);

    SliderGeometry noTrack = positionSlider();
    noTrack.channelWidth = 20;              // narrower than the thumb
    EXPECT_LE(noTrack.trackLength(), 0);
    EXPECT_EQ(PixelToPos(noTrack, 10), 0);
    // Clamping raises first, then lowers: the maximum side wins.
    EXPECT_EQ(ClampThumbCentre(noTrack, 0), noTrack.thumbCentreMax());

    SliderGeometry wide;
    wide.minimum = INT_MIN;
    wide.maximum = INT_MAX;
    wide.channelWidth = 597;
    wide.thumbWidth = 29;
    EXPECT_EQ(PosToPixel(wide, INT_MIN), 14);
    EXPECT_EQ(PosToPixel(wide, INT_MAX), 582);
    EXPECT_EQ(PixelToPos(wide, 14), INT_MIN);
    EXPECT_EQ(PixelToPos(wide, 100000), INT_MAX);  // far past the track end saturates
}

struct ClampCase { long long value; int expected; };

class SliderSetPos : public ::testing::TestWithParam<ClampCase> {};

TEST_P(SliderSetPos, LimitsToRange)
{
    EXPECT_EQ(ClampSliderPos(GetParam().value, 0, 1000), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, SliderSetPos, ::testing::Values(
    ClampCase{1500, 1000}, ClampCase{-3, 0}, ClampCase{0, 0}, ClampCase{1000, 1000},
    ClampCase{437, 437}, ClampCase{static_cast<long long>(INT_MAX) + 20, 1000}));

TEST(SliderGeometry, InvertedRangeSettlesOnTheMinimum)
{
    // Lowered to the maximum first, then raised to the minimum.
    EXPECT_EQ(ClampSliderPos(50, 100, 0), 100);
}

struct KeyCase { SliderKey key; int position; int expected; };

class SliderKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SliderKeys, StepsAndClamps)
{
    const KeyCase& c = GetParam();
    EXPECT_EQ(ClampSliderPos(SliderKeyTarget(c.key, c.position, 0, 1000), 0, 1000), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, SliderKeys, ::testing::Values(
    KeyCase{SliderKey::PageDown, 995, 1000}, KeyCase{SliderKey::PageDown, 500, 520},
    KeyCase{SliderKey::PageUp, 500, 480}, KeyCase{SliderKey::PageUp, 7, 0},
    KeyCase{SliderKey::End, 3, 1000}, KeyCase{SliderKey::Home, 0, 0},
    KeyCase{SliderKey::Home, 640, 0},
    KeyCase{SliderKey::Left, 10, 9}, KeyCase{SliderKey::Up, 10, 9},
    KeyCase{SliderKey::Right, 10, 11}, KeyCase{SliderKey::Down, 10, 11},
    KeyCase{SliderKey::Left, 0, 0}, KeyCase{SliderKey::Right, 1000, 1000}));

TEST(SliderGeometry, KeyStepsDoNotOverflowAtIntLimits)
{
    EXPECT_EQ(ClampSliderPos(SliderKeyTarget(SliderKey::PageDown, INT_MAX, INT_MIN, INT_MAX), INT_MIN, INT_MAX),
              INT_MAX);
    EXPECT_EQ(ClampSliderPos(SliderKeyTarget(SliderKey::Left, INT_MIN, INT_MIN, INT_MAX), INT_MIN, INT_MAX),
              INT_MIN);
}

TEST(SliderGeometry, OnlyNavigationVirtualKeysAreSliderKeys)
{
    EXPECT_FALSE(SliderKeyFromVirtualKey(32).has_value());   // space
    EXPECT_FALSE(SliderKeyFromVirtualKey(41).has_value());
    EXPECT_FALSE(SliderKeyFromVirtualKey(9).has_value());    // tab
    for (int vk = 33; vk <= 40; ++vk)
        EXPECT_EQ(static_cast<int>(*SliderKeyFromVirtualKey(vk)), vk);
}

struct SplitCase { int width; double ratio; int expected; };

class FixedSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(FixedSplit, TruncatesWidthTimesRatio)
{
    EXPECT_EQ(FixedSplitPixel(GetParam().width, GetParam().ratio), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FixedSplit, ::testing::Values(
    SplitCase{597, 0.99, 591}, SplitCase{597, 0.0, 0}, SplitCase{597, 1.0, 597},
    SplitCase{157, 0.5, 78}, SplitCase{100, -0.015, -1}, SplitCase{100, 1e300, INT_MAX}));

}  // namespace
