#pragma once
// Paints the application icon (bitmap 128, 256 x 256 with alpha): a camera
// lens whose glass holds a kestrel's amber-ringed eye, under a swept brow,
// on a graphite tile.
#include <QImage>

class IconArtist
{
public:
    QImage paint() const;
};
