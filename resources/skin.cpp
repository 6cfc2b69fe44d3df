#include "skin.h"

#include <QFile>
#include <QHash>
#include <QIcon>
#include <QPainter>

namespace {
struct SkinEntry { int first; int last; int width; int height; };

// Sizes in pixels, as the windows' layouts expect them.
constexpr SkinEntry kSkinTable[] = {
    {128, 128, 256, 256},   // application icon
    {136, 139, 147, 26},    // information and record tabs
    {140, 150, 55, 55},     // round command buttons (open, snapshot, print, settings)
    {154, 154, 316, 521},   // record list panel background
    {155, 159, 50, 20},     // LOAD / OPEN faces
    {160, 160, 316, 521},   // information panel background
    {163, 164, 157, 18},    // volume channel, active channel
    {165, 182, 34, 28},     // transport buttons
    {183, 183, 30, 18},     // next, hover
    {184, 185, 31, 18},     // previous, normal / hover
    {186, 186, 30, 18},     // next, normal
    {188, 188, 597, 37},    // position channel
    {189, 189, 29, 16},     // position thumb
    {191, 196, 24, 24},     // small round buttons (help, minimise, close)
    {197, 197, 26, 26},     // mask of the small round buttons
    {202, 202, 1024, 724},  // main window background
    {203, 203, 595, 285},   // about box picture
    {204, 205, 25, 24},     // about box close faces
    {206, 207, 24, 24},     // language button
    {208, 209, 96, 81},     // speed gauges km/h, mph
};
}  // namespace

QSize SkinSize(int id)
{
    for (const SkinEntry& e : kSkinTable) {
        if (id >= e.first && id <= e.last)
            return QSize(e.width, e.height);
    }
    return QSize();
}

QImage SkinImage(int id)
{
    static QHash<int, QImage> cache;
    auto it = cache.constFind(id);
    if (it != cache.constEnd())
        return *it;
    QImage image(QStringLiteral(":/skin/%1.png").arg(id));
    const QSize size = SkinSize(id);
    if (image.isNull()) {
        image = QImage(size.isValid() ? size : QSize(16, 16), QImage::Format_RGB32);
        image.fill(QColor(0x30, 0x34, 0x3a));
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    cache.insert(id, image);
    return image;
}

QPixmap SkinPixmap(int id)
{
    return QPixmap::fromImage(SkinImage(id));
}

QIcon SkinIcon()
{
    QImage image(QStringLiteral(":/skin/128.png"));
    if (image.isNull())
        return QIcon(SkinPixmap(128));
    return QIcon(QPixmap::fromImage(image));
}
