#pragma once
// Where a video picture goes inside an area: as large as fits with the picture's
// own proportions, centred, the rest left to black bars. Pixels of the area.
#include <QRect>
#include <QSize>

// The place of a width x height picture whose pixels are parNumerator /
// parDenominator wide (1/1 for square pixels) inside area. Empty when the area
// or the picture is empty or the pixel aspect is not positive; never larger
// than the area.
QRect FitVideo(QSize area, QSize video, int parNumerator = 1, int parDenominator = 1);
