#pragma once
// Dialog templates give some places in dialog units of their font (Tahoma 8).
// One fixed conversion serves every window: that font's base units are 6 × 13
// pixels at 96 dpi, so a horizontal unit is 6/4 and a vertical unit 13/8 pixel.
#include <cmath>

constexpr double kDialogUnitXPixels = 6.0 / 4.0;
constexpr double kDialogUnitYPixels = 13.0 / 8.0;

constexpr int DialogUnitsToPixelsX(int units) { return static_cast<int>(units * kDialogUnitXPixels); }
constexpr int DialogUnitsToPixelsY(int units) { return static_cast<int>(units * kDialogUnitYPixels); }
