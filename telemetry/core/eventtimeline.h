#pragma once
// The G-sensor events of the playing recording on its time line: where each
// one lies on the position slider (0..1000, where the strip first shows its
// first sample), where a jump to it lands (a lead of 2 s before, not before 0),
// and which one Page Down / Page Up reach from the playing position. Plain
// arithmetic; the main window owns one and drives it on the UI thread.

#include "gsensorevents.h"

#include <QString>

#include <vector>

struct TimedEvent {
    GSensorEvent event;
    int position = 0;  // slider value of its first sample
};

class EventTimeline {
public:
    // Seconds shown before an event's first sample when jumping to it.
    static constexpr double kLeadSeconds = 2.0;

    // events as detected in a log of sampleCount counted passes.
    void Reset(const std::vector<GSensorEvent>& events, int sampleCount);
    void Clear() { Reset({}, 0); }

    const std::vector<TimedEvent>& Events() const { return m_events; }
    bool IsEmpty() const { return m_events.empty(); }

    // The slider values of the events, for the slider's marks.
    std::vector<int> Positions() const;

    double StartSeconds(int index, double durationSeconds) const;
    // StartSeconds less the lead, clamped at 0.
    double TargetSeconds(int index, double durationSeconds) const;

    // The event Page Down (Next) or Page Up (Previous) goes to from the
    // playing position, or -1 for none. Right after a jump (while the position
    // is still in that event's lead) they step from the event jumped to, so a
    // landing a little early or several events sharing a clamped target still
    // move on. Otherwise Next is the first event whose target lies ahead, and
    // Previous the last whose target lies more than a second behind, so a
    // press just after a jump or a start goes one further back.
    int Next(double positionSeconds, double durationSeconds) const;
    int Previous(double positionSeconds, double durationSeconds) const;

    // Remembers a jump to index and where it landed (the engine's position
    // after the seek).
    void Jumped(int index, double landedSeconds);

private:
    int anchored(double positionSeconds, double durationSeconds) const;

    std::vector<TimedEvent> m_events;
    int m_anchor = -1;
    double m_anchorLanding = 0.0;
};

// The note on the picture for the event at index of count: "Event 2/3 · X −1.62 g",
// with eventWord in the user's language, the axis and the signed peak (a true
// minus sign, "+" above zero, two decimals with ".").
QString EventNoteText(const QString& eventWord, int index, int count, const GSensorEvent& event);
