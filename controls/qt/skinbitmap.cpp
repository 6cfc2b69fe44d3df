#include "skinbitmap.h"

#include "skin.h"

#include <QFile>

std::optional<QImage> LoadSkinBitmap(int id)
{
    if (id <= 0)
        return std::nullopt;
    // Known when the skin table gives it a size or its picture was compiled in.
    if (!SkinSize(id).isValid() && !QFile::exists(QStringLiteral(":/skin/%1.png").arg(id)))
        return std::nullopt;
    QImage image = SkinImage(id);
    if (image.isNull())
        return std::nullopt;
    return image;
}
