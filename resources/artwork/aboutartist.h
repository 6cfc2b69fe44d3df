#pragma once
// Paints the about box's face (bitmap 203): a road running into a lit horizon
// across the top, the wordmark beside the place where the window draws its
// icon, and a calm field below for the product line.
#include <QImage>

class AboutArtist
{
public:
    QImage paint() const;
};
