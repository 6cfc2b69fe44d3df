#include "videofit.h"

#include <cmath>

QRect FitVideo(QSize area, QSize video, int parNumerator, int parDenominator)
{
    if (area.isEmpty() || video.isEmpty() || parNumerator <= 0 || parDenominator <= 0)
        return {};
    // Display width / height of the picture, in integers so that a picture that
    // matches the area exactly fits it to the pixel.
    const long long displayW = static_cast<long long>(video.width()) * parNumerator;
    const long long displayH = static_cast<long long>(video.height()) * parDenominator;
    int w = area.width();
    int h = area.height();
    if (displayW * area.height() > displayH * area.width())
        h = static_cast<int>(std::llround(double(area.width()) * displayH / displayW));
    else
        w = static_cast<int>(std::llround(double(area.height()) * displayW / displayH));
    w = qBound(1, w, area.width());
    h = qBound(1, h, area.height());
    return QRect((area.width() - w) / 2, (area.height() - h) / 2, w, h);
}
