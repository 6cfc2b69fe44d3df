#include "formatclock.h"
#include "positionmath.h"

#include <gtest/gtest.h>

TEST(PositionMath, ShowsClockAndSliderForAPositionInALongRecording)
{
    const double current = 75.9;
    const double duration = 3725.2;
    EXPECT_EQ(FormatClock(static_cast<long long>(current)) + "/" + FormatClock(static_cast<long long>(duration)),
              "00:01:15/01:02:05");
    EXPECT_EQ(SliderPositionFor(current, duration), 20);
}

TEST(PositionMath, EmptyDurationGivesSliderZero)
{
    EXPECT_EQ(SliderPositionFor(0.0, 0.0), 0);
    EXPECT_EQ(SliderPositionFor(12.0, 0.0), 0);
}

TEST(PositionMath, SavedPositionSeeksToItsShareOfTheNewDuration)
{
    EXPECT_NEAR(SecondsForSliderPosition(537, 60.0), 32.22, 1e-9);
    EXPECT_DOUBLE_EQ(SecondsForSliderPosition(1000, 60.0), 60.0);
}
