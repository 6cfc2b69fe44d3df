#pragma once
// Playback speed as the player's keys step it: ] doubles and [ halves the rate
// between a quarter and four times normal speed, Backspace returns to normal.
// Pure functions; the main window keeps the rate and hands it to each engine.
#include <QString>

inline constexpr double kNormalPlaybackRate = 1.0;
inline constexpr double kSlowestPlaybackRate = 0.25;
inline constexpr double kFastestPlaybackRate = 4.0;

// Twice rate, held to kFastestPlaybackRate. A rate that is not a number, or
// not positive, counts as normal speed.
double FasterPlaybackRate(double rate);
// Half rate, held to kSlowestPlaybackRate; the same rule for odd input.
double SlowerPlaybackRate(double rate);
// The rate as the note on the video shows it: "2×", "0.5×", "0.25×".
QString PlaybackRateText(double rate);
