#pragma once
// The span of the playing recording that a clip export takes: the in and out marks set
// with I and O, or without them the G-sensor event around the playing position, or the
// position itself with a margin either side. Plain arithmetic in seconds; the main window
// owns one and drives it on the UI thread.

#include <optional>
#include <vector>

class ClipSpan {
public:
    static constexpr double kBeforeSeconds = 10.0;
    static constexpr double kAfterSeconds = 10.0;

    enum class Basis { Marks, Event, Position };
    struct Choice {
        Basis basis = Basis::Position;
        double fromSeconds = 0.0;
        double toSeconds = 0.0;
        int event = 0;  // 1-based event number when basis is Event
    };

    // A recording of durationSeconds (0 while unknown) takes over: its marks start empty.
    void Reset(double durationSeconds);
    void ClearMarks();

    // Marks at a position, clamped to the recording. An in mark at or after the out mark
    // drops the out mark, and an out mark at or before the in mark drops the in mark: the
    // newest mark starts a new span instead of turning the old one inside out.
    void SetIn(double seconds);
    void SetOut(double seconds);
    const std::optional<double>& In() const { return m_in; }
    const std::optional<double>& Out() const { return m_out; }
    bool HasMarks() const { return m_in || m_out; }

    // What an export at positionSeconds takes. With marks: from the in mark (or the
    // start) to the out mark (or the end). Without: the event whose moment lies within
    // kBefore/kAfter of the position (the nearest when several), kBefore before it to
    // kAfter after; else kBefore before the position to kAfter after. Always within the
    // recording. eventSeconds: each event's moment (its peak, where the export centres
    // it), in order.
    Choice Choose(double positionSeconds, const std::vector<double>& eventSeconds) const;

private:
    double clamped(double seconds) const;

    double m_duration = 0.0;
    std::optional<double> m_in;
    std::optional<double> m_out;
};
