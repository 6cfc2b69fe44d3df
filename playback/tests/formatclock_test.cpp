#include "formatclock.h"

#include <gtest/gtest.h>

namespace {

struct ClockCase {
    long long seconds;
    const char* text;
};

class FormatClockText : public ::testing::TestWithParam<ClockCase> {};

TEST_P(FormatClockText, ShowsHoursMinutesSeconds)
{
    EXPECT_EQ(FormatClock(GetParam().seconds).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Seconds, FormatClockText,
    ::testing::Values(ClockCase{0, "00:00:00"}, ClockCase{59, "00:00:59"}, ClockCase{60, "00:01:00"},
                      ClockCase{75, "00:01:15"}, ClockCase{3599, "00:59:59"}, ClockCase{3600, "01:00:00"},
                      ClockCase{3725, "01:02:05"}, ClockCase{86399, "23:59:59"},
                      ClockCase{360000, "100:00:00"}, ClockCase{-5, "00:00:00"}));

} // namespace
