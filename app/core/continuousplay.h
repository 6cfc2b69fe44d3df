#pragma once
// One continuous drive through the record list: whether the end of a
// recording opens the next row, and when the next recording's engine is made
// ready so that it starts without a gap. Pure decisions on the record list
// model's numbers; the main window owns the switch, the engines and the
// "ContinuousPlay" setting. UI thread, like the model.

class ContinuousPlay {
public:
    // How long before the end, in seconds of the wall clock, the next
    // recording is opened and paused: enough to absorb its preroll on a busy
    // machine, short enough that a user who stops meanwhile wasted little.
    static constexpr double kLeadSeconds = 3.0;

    explicit ContinuousPlay(bool on = false) : m_on(on) {}

    bool IsOn() const { return m_on; }
    void SetOn(bool on) { m_on = on; }

    // The row after currentRow when continuous play is on and that row exists;
    // -1 otherwise (off, the last row, or no current row: a file opened on its
    // own is not part of the list's drive).
    int NextRow(int currentRow, int rowCount) const;

    // Whether the next row's engine should be made ready now: there is a next
    // row, the duration is known, and what is left of the recording lasts at
    // most kLeadSeconds at the playback rate.
    bool ShouldPrepare(int currentRow, int rowCount, double positionSeconds, double durationSeconds,
                       double rate) const;

private:
    bool m_on;
};
