#pragma once
// Arithmetic of the position slider: 0..1000 are thousandths of the duration.

// Slider value for a position: truncated toward zero, 0 for an empty duration.
inline int SliderPositionFor(double currentSeconds, double durationSeconds)
{
    if (durationSeconds == 0.0)
        return 0;
    return static_cast<int>(currentSeconds * 1000.0 / durationSeconds);
}

// Seconds of a slider value (a saved position or a user seek).
inline double SecondsForSliderPosition(int thousandths, double durationSeconds)
{
    return thousandths * durationSeconds / 1000.0;
}
