#pragma once
// Composes the skin the way the windows will show it (faces at their places,
// clipped by their regions, masked buttons drawn with the same raster
// operations) so the artwork can be judged before the program is built.
#include <QHash>
#include <QImage>

class SkinPreview
{
public:
    explicit SkinPreview(const QHash<int, QImage>& images);

    // The main window at start-up (record list) or while playing (information panel).
    QImage mainWindow(bool playing) const;
    QImage aboutBox() const;
    // Every face at zoom, nearest-neighbour, with its number.
    QImage contactSheet(int zoom) const;

private:
    QImage image(int id) const;
    QImage maskedFace(int face, QPoint place) const;
    QImage thumbOver(const QImage& channel, int x) const;

    QHash<int, QImage> m_images;
};
