#pragma once
// Skin bitmaps of kestrelview, looked up by the resource numbers of the
// design (202 is the main window's background, 168 the play button, ...).
// The pictures are PNG files compiled into the program through Qt's resource
// system (":/skin/<id>.png"); they are produced by resources/artwork.
// User-interface thread only.
#include <QImage>
#include <QPixmap>
#include <QSize>

// Pixel size the design gives the bitmap, or an empty size for an unknown id.
QSize SkinSize(int id);
// The bitmap; a neutral placeholder of the right size if the file is missing.
QImage SkinImage(int id);
QPixmap SkinPixmap(int id);
// Window icon 128 of kestrelview.
QIcon SkinIcon();
