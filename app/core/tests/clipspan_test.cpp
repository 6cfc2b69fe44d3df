#include "clipspan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
using Basis = ClipSpan::Basis;

struct MarkCase {
    const char* name;
    double in, out;      // NaN: not pressed
    bool inFirst;        // I pressed before O
    std::optional<double> expectIn, expectOut;
};

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
}  // namespace

TEST(ClipSpan, SetsMarksClampedToTheRecordingAndNeverInsideOut)
{
    const MarkCase cases[] = {
        {"in then out", 12.0, 30.0, true, 12.0, 30.0},
        {"out then in", 12.0, 30.0, false, 12.0, 30.0},
        {"out before in drops the in", 20.0, 10.0, true, std::nullopt, 10.0},
        {"in after out drops the out", 20.0, 10.0, false, 20.0, std::nullopt},
        {"out at the in drops the in", 15.0, 15.0, true, std::nullopt, 15.0},
        {"before the start is the start", -3.0, kNone, true, 0.0, std::nullopt},
        {"after the end is the end", kNone, 99.0, true, std::nullopt, 60.0},
        {"nonsense is the start", std::numeric_limits<double>::infinity(), kNone, true, 0.0, std::nullopt},
    };
    for (const MarkCase& c : cases) {
        ClipSpan span;
        span.Reset(60.0);
        const auto setIn = [&] { if (!std::isnan(c.in)) span.SetIn(c.in); };
        const auto setOut = [&] { if (!std::isnan(c.out)) span.SetOut(c.out); };
        if (c.inFirst) { setIn(); setOut(); } else { setOut(); setIn(); }
        EXPECT_EQ(span.In(), c.expectIn) << c.name;
        EXPECT_EQ(span.Out(), c.expectOut) << c.name;
    }
}

TEST(ClipSpan, ChoosesMarksThenTheEventThenThePosition)
{
    const std::vector<double> events{5.0, 30.0, 36.0, 58.0};
    const struct {
        const char* name;
        std::optional<double> in, out;
        double position;
        Basis basis;
        double from, to;
        int event;
    } cases[] = {
        {"both marks", 12.0, 20.0, 40.0, Basis::Marks, 12.0, 20.0, 0},
        {"in only runs to the end", 12.0, std::nullopt, 40.0, Basis::Marks, 12.0, 60.0, 0},
        {"out only runs from the start", std::nullopt, 20.0, 40.0, Basis::Marks, 0.0, 20.0, 0},
        {"event ahead of the position", {}, {}, 28.0, Basis::Event, 20.0, 40.0, 2},
        {"nearest of two events", {}, {}, 34.0, Basis::Event, 26.0, 46.0, 3},
        {"event clamped at the start", {}, {}, 1.0, Basis::Event, 0.0, 15.0, 1},
        {"event clamped at the end", {}, {}, 59.0, Basis::Event, 48.0, 60.0, 4},
        {"no event near", {}, {}, 17.0, Basis::Position, 7.0, 27.0, 0},
    };
    for (const auto& c : cases) {
        ClipSpan span;
        span.Reset(60.0);
        if (c.in) span.SetIn(*c.in);
        if (c.out) span.SetOut(*c.out);
        const ClipSpan::Choice choice = span.Choose(c.position, events);
        EXPECT_EQ(choice.basis, c.basis) << c.name;
        EXPECT_DOUBLE_EQ(choice.fromSeconds, c.from) << c.name;
        EXPECT_DOUBLE_EQ(choice.toSeconds, c.to) << c.name;
        if (c.basis == Basis::Event) {
            EXPECT_EQ(choice.event, c.event) << c.name;
        }
    }
}

TEST(ClipSpan, PositionSpanStaysInsideAShortRecordingAndANewRecordingDropsTheMarks)
{
    ClipSpan span;
    span.Reset(8.0);
    const ClipSpan::Choice whole = span.Choose(4.0, {});
    EXPECT_DOUBLE_EQ(whole.fromSeconds, 0.0);
    EXPECT_DOUBLE_EQ(whole.toSeconds, 8.0);

    span.SetIn(2.0);
    span.SetOut(6.0);
    span.Reset(30.0);
    EXPECT_FALSE(span.HasMarks());
    EXPECT_EQ(span.Choose(15.0, {}).basis, Basis::Position);
}

TEST(ClipSpan, UnknownDurationBoundsOnlyTheStart)
{
    ClipSpan span;
    span.Reset(0.0);
    span.SetIn(-1.0);
    span.SetOut(500.0);
    EXPECT_EQ(span.In(), 0.0);
    EXPECT_EQ(span.Out(), 500.0);
    ClipSpan fresh;
    const ClipSpan::Choice choice = fresh.Choose(100.0, {});
    EXPECT_DOUBLE_EQ(choice.fromSeconds, 90.0);
    EXPECT_DOUBLE_EQ(choice.toSeconds, 110.0);
}
