#include "playbackrate.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct RateStep {
    double from;
    double faster;
    double slower;
};

const RateStep kSteps[] = {
    {1.0, 2.0, 0.5},
    {2.0, 4.0, 1.0},
    {4.0, 4.0, 2.0},     // fastest: ] stays
    {0.5, 1.0, 0.25},
    {0.25, 0.5, 0.25},   // slowest: [ stays
    {8.0, 4.0, 4.0},     // out of range comes back inside
    {0.1, 0.25, 0.25},
    {0.0, 2.0, 0.5},     // not a rate: normal speed first
    {-2.0, 2.0, 0.5},
    {std::numeric_limits<double>::quiet_NaN(), 2.0, 0.5},
    {std::numeric_limits<double>::infinity(), 2.0, 0.5},
};

class RateSteps : public testing::TestWithParam<RateStep> {};

TEST_P(RateSteps, DoubleAndHalveWithinAQuarterAndFourTimes)
{
    const RateStep& c = GetParam();
    EXPECT_EQ(FasterPlaybackRate(c.from), c.faster);
    EXPECT_EQ(SlowerPlaybackRate(c.from), c.slower);
}

INSTANTIATE_TEST_SUITE_P(Table, RateSteps, testing::ValuesIn(kSteps));

TEST(RateSteps, RepeatedKeysStopAtTheLimitsAndReturnExactly)
{
    double rate = kNormalPlaybackRate;
    for (int i = 0; i < 10; ++i)
        rate = FasterPlaybackRate(rate);
    EXPECT_EQ(rate, kFastestPlaybackRate);
    for (int i = 0; i < 10; ++i)
        rate = SlowerPlaybackRate(rate);
    EXPECT_EQ(rate, kSlowestPlaybackRate);
    rate = FasterPlaybackRate(FasterPlaybackRate(rate));
    EXPECT_EQ(rate, kNormalPlaybackRate);
}

TEST(RateText, ShowsEveryStepExactly)
{
    EXPECT_EQ(PlaybackRateText(0.25), QStringLiteral("0.25×"));
    EXPECT_EQ(PlaybackRateText(0.5), QStringLiteral("0.5×"));
    EXPECT_EQ(PlaybackRateText(1.0), QStringLiteral("1×"));
    EXPECT_EQ(PlaybackRateText(2.0), QStringLiteral("2×"));
    EXPECT_EQ(PlaybackRateText(4.0), QStringLiteral("4×"));
}

}  // namespace
