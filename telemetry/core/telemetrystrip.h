#pragma once
// Arithmetic of the telemetry strip below the video: which sample a slider
// position shows, where positions and values land in pixels, and the speed in
// the unit the user chose. Pure functions; the strip widget paints their
// results. Positions k and P are thousandths of the recording, 0 to 1000; W is
// the strip's width in pixels; N is the track's sampleCount.

// Whether a track of n counted samples can be shown. The last counted sample
// may be the empty pass after a final line break and is never shown, so
// fewer than two samples leave nothing to draw, read out or send to the map.
bool HasDrawableTrack(int sampleCount);

// Sample for position k: k * N / 1000 - 1 (integer, truncated), raised to 0,
// then lowered to N - 2. Only an index when HasDrawableTrack(N); below that
// the result is N - 2, which is negative.
int SampleIndex(int k, int sampleCount);

// The first position k (0..1000) at which the strip shows `sample`, the
// inverse of SampleIndex: ceil((sample + 1) * 1000 / N), 0 for sample 0 and
// below, 1000 for samples the strip never reaches; 0 when N < 1.
int FirstPositionShowing(int sample, int sampleCount);

// x of position k: truncate(2 + k * ((W - 4) / 1000.0)).
int StripX(int k, int width);

// Position under pixel x of the strip: the k whose StripX lies nearest to x,
// held to 0..1000, so a click anywhere on the strip names a place of the
// recording as the slider does. 0 for a strip too narrow to hold positions.
int StripPositionAt(int x, int width);

// x of the cursor at position p: StripX, but never further right than W - 5.
int CursorX(int p, int width);

// y of a value on a curve: truncate(baseline + 5 * value), 5 pixels per unit,
// positive values below the baseline. A value that is not a number lies on the
// baseline and the result is held to +-1,000,000, so any content of a log
// converts to a pixel safely.
int CurveY(int baseline, double value);

// Speed for the speed box. recordAsMile nonzero: the log holds mph; showKmh
// nonzero: show km/h. The two factors are the ones the program has always
// shown (0.62137 is not the reciprocal of 1.609344).
double DisplayedSpeed(double speed, int recordAsMile, int showKmh);

// Sample sent to the map while playing: 40 ahead of b, lowered to N - 2.
int MapSampleIndex(int b, int sampleCount);
