// The events of a recording on its time line, and where Page Down / Page Up go.

#include "eventtimeline.h"

#include <gtest/gtest.h>

namespace {

// A 25 s recording with 251 counted passes (250 records and the trailing one).
constexpr int kSamples = 251;
constexpr double kDuration = 25.0;

GSensorEvent startingAt(int sample)
{
    GSensorEvent e;
    e.startSample = e.peakSample = e.endSample = sample;
    return e;
}

// Events at samples 10 (clamped lead), 15 (same clamped target), 100 and 200.
EventTimeline timeline()
{
    EventTimeline t;
    t.Reset({startingAt(10), startingAt(15), startingAt(100), startingAt(200)}, kSamples);
    return t;
}

TEST(EventTimeline, PlacesEventsWhereTheStripFirstShowsThem)
{
    const EventTimeline t = timeline();
    // ceil((sample + 1) * 1000 / 251)
    EXPECT_EQ(t.Positions(), (std::vector<int>{44, 64, 403, 801}));
    EXPECT_DOUBLE_EQ(t.StartSeconds(2, kDuration), 403 * 25.0 / 1000);
    EXPECT_DOUBLE_EQ(t.TargetSeconds(2, kDuration), 403 * 25.0 / 1000 - 2);
    EXPECT_DOUBLE_EQ(t.TargetSeconds(0, kDuration), 0.0);  // 1.1 s in: clamped at 0
    EXPECT_DOUBLE_EQ(t.TargetSeconds(7, kDuration), 0.0);
}

struct StepCase {
    const char* name;
    double position;
    int next;
    int previous;
};

// Targets: 0, 0, 8.075 and 18.025 s; starts 1.1, 1.6, 10.075, 20.025 s.
const StepCase kStepCases[] = {
    {"AtTheStart", 0.0, 2, -1},
    {"BeforeTheThird", 5.0, 2, 1},
    {"JustBeforeATarget", 8.0, 2, 1},
    {"InTheLeadOfTheThird", 9.0, 3, 1},    // less than a second past its target
    {"JustPastTheThird", 10.5, 3, 2},
    {"AfterTheLast", 24.0, -1, 3},
};

class EventTimelineSteps : public testing::TestWithParam<StepCase> {};

TEST_P(EventTimelineSteps, FindsTheNextAndPreviousEvent)
{
    const StepCase& c = GetParam();
    const EventTimeline t = timeline();
    EXPECT_EQ(t.Next(c.position, kDuration), c.next);
    EXPECT_EQ(t.Previous(c.position, kDuration), c.previous);
}

INSTANTIATE_TEST_SUITE_P(Table, EventTimelineSteps, testing::ValuesIn(kStepCases),
                         [](const testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST(EventTimeline, StepsOnFromTheEventJumpedTo)
{
    EventTimeline t = timeline();
    // Two events share the target 0: the second press still moves on.
    t.Jumped(0, 0.0);
    EXPECT_EQ(t.Next(0.0, kDuration), 1);
    t.Jumped(1, 0.0);
    EXPECT_EQ(t.Next(0.3, kDuration), 2);
    EXPECT_EQ(t.Previous(0.3, kDuration), 0);
    // A key-frame landing half a second before the target counts as that event.
    t.Jumped(2, 7.6);
    EXPECT_EQ(t.Next(7.6, kDuration), 3);
    EXPECT_EQ(t.Previous(7.6, kDuration), 1);
    // Once the event itself plays, the position decides again.
    EXPECT_EQ(t.Next(11.0, kDuration), 3);
    EXPECT_EQ(t.Previous(11.0, kDuration), 2);
    // At the last event there is nothing further.
    t.Jumped(3, 18.025);
    EXPECT_EQ(t.Next(18.1, kDuration), -1);
    EXPECT_EQ(t.Previous(18.1, kDuration), 2);
}

TEST(EventTimeline, NoEventsGoNowhere)
{
    EventTimeline t;
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(t.Next(0, kDuration), -1);
    EXPECT_EQ(t.Previous(10, kDuration), -1);
    t = timeline();
    t.Jumped(2, 8.0);
    t.Clear();
    EXPECT_EQ(t.Next(8.0, kDuration), -1);
}

TEST(EventNoteText, NamesTheEventItsAxisAndSignedPeak)
{
    GSensorEvent brake = startingAt(100);
    brake.axis = GSensorAxis::X;
    brake.peakG = -1.617;
    EXPECT_EQ(EventNoteText(QStringLiteral("Event"), 1, 3, brake), QStringLiteral(u"Event 2/3 \u00B7 X \u22121.62 g"));
    GSensorEvent bump = startingAt(10);
    bump.axis = GSensorAxis::Z;
    bump.peakG = 2.5;
    EXPECT_EQ(EventNoteText(QStringLiteral(u"Ereignis"), 0, 1, bump), QStringLiteral(u"Ereignis 1/1 \u00B7 Z +2.50 g"));
}

}  // namespace
