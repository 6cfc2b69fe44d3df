#pragma once
// Pixel arithmetic of the bitmap slider: how a value in [minimum, maximum]
// maps to the x of the thumb centre in the control's client coordinates, and
// back. Plain value code without a display; CBitmapSlider only paints what
// these functions say. All results are clamped into int range, so no input
// (degenerate range, huge margins) can trigger undefined behaviour.
#include <optional>

struct SliderGeometry {
    int minimum = 0;
    int maximum = 100;
    int channelWidth = 0;
    int thumbWidth = 0;   // 0 while the slider has no thumb
    int leftMargin = 0;
    int rightMargin = 0;

    // Integer halving toward zero, as the drawing places the thumb.
    int halfThumb() const { return thumbWidth / 2; }
    // L: the pixels over which the thumb centre travels.
    int trackLength() const;
    // The thumb centre stays within [thumbCentreMin, thumbCentreMax].
    int thumbCentreMin() const;
    int thumbCentreMax() const;
};

// Page Up / Page Down step; nothing changes it.
inline constexpr int kSliderPageStep = 20;

// The keys the slider answers, with their virtual-key numbers.
enum class SliderKey {
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
};

// left + trunc((v - min) / (max - min) * L) + thumbWidth / 2, in double
// precision. A range with max <= min maps every value to the track start.
int PosToPixel(const SliderGeometry& g, int value);

// trunc((p - thumbWidth / 2 - left) / L * (max - min) + min), in exactly that
// order (divide, multiply, add, truncate), so it is not an exact inverse of
// PosToPixel. A track without length (L <= 0) gives the minimum.
int PixelToPos(const SliderGeometry& g, int pixel);

// Raises the pixel to thumbCentreMin, then lowers it to thumbCentreMax (in that
// order, so a degenerate track ends at the maximum side).
int ClampThumbCentre(const SliderGeometry& g, int pixel);

// Distance from the thumb centre kept while dragging: a press on the thumb
// keeps its hold, a press elsewhere (or on a slider without a thumb) gives 0.
int GrabOffset(const SliderGeometry& g, int pointerX, int position);

// The slider's value limit: first to at most maximum, then to at least minimum.
int ClampSliderPos(long long value, int minimum, int maximum);

// New position for a key, before clamping (the caller hands it to SetPos).
long long SliderKeyTarget(SliderKey key, int position, int minimum, int maximum);

// The key for a virtual-key number, or nothing for keys the slider ignores.
std::optional<SliderKey> SliderKeyFromVirtualKey(int virtualKey);

// Fixed boundary between the active and the plain channel: trunc(width * ratio).
int FixedSplitPixel(int channelWidth, double ratio);
