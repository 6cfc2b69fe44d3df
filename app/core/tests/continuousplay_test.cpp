#include "continuousplay.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct NextRowCase {
    bool on;
    int current;
    int rows;
    int next;
};

const NextRowCase kNextRows[] = {
    {true, 0, 3, 1},
    {true, 1, 3, 2},
    {true, 2, 3, -1},   // the last row ends as designed
    {true, -1, 3, -1},  // a file opened on its own
    {true, 0, 1, -1},
    {true, 0, 0, -1},
    {true, 5, 3, -1},   // a list reloaded under the playing recording
    {false, 0, 3, -1},
};

class DriveNextRow : public testing::TestWithParam<NextRowCase> {};

TEST_P(DriveNextRow, FollowsOnlyInsideTheListAndOnlyWhenOn)
{
    const NextRowCase& c = GetParam();
    EXPECT_EQ(ContinuousPlay(c.on).NextRow(c.current, c.rows), c.next);
}

INSTANTIATE_TEST_SUITE_P(Table, DriveNextRow, testing::ValuesIn(kNextRows));

struct PrepareCase {
    int current;
    int rows;
    double position;
    double duration;
    double rate;
    bool prepare;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const PrepareCase kPrepares[] = {
    {0, 3, 10.0, 25.0, 1.0, false},
    {0, 3, 21.9, 25.0, 1.0, false},
    {0, 3, 22.0, 25.0, 1.0, true},   // three seconds left
    {0, 3, 25.0, 25.0, 1.0, true},
    {0, 3, 14.0, 25.0, 4.0, true},   // eleven seconds at four times are under three
    {0, 3, 12.0, 25.0, 4.0, false},
    {0, 3, 23.0, 25.0, 0.5, false},  // two seconds at half speed are four
    {0, 3, 0.0, 2.0, 1.0, true},     // a recording shorter than the lead
    {2, 3, 24.0, 25.0, 1.0, false},  // no next row
    {0, 3, 24.0, 0.0, 1.0, false},   // duration unknown
    {0, 3, kNaN, 25.0, 1.0, false},
    {0, 3, 24.0, 25.0, kNaN, true},  // an odd rate counts as normal speed
};

class DrivePrepare : public testing::TestWithParam<PrepareCase> {};

TEST_P(DrivePrepare, OpensTheNextRecordingWithinTheLeadOfTheEnd)
{
    const PrepareCase& c = GetParam();
    EXPECT_EQ(ContinuousPlay(true).ShouldPrepare(c.current, c.rows, c.position, c.duration, c.rate), c.prepare);
    EXPECT_FALSE(ContinuousPlay(false).ShouldPrepare(c.current, c.rows, c.position, c.duration, c.rate));
}

INSTANTIATE_TEST_SUITE_P(Table, DrivePrepare, testing::ValuesIn(kPrepares));

}  // namespace
