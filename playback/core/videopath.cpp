#include "videopath.h"

#include <QStringList>

bool IsSoftwareRenderer(const QString& renderer)
{
    static const QStringList kSoftware = {QStringLiteral("llvmpipe"), QStringLiteral("softpipe"),
                                          QStringLiteral("swrast"), QStringLiteral("software rasterizer"),
                                          QStringLiteral("swiftshader"), QStringLiteral("gdi generic")};
    for (const QString& name : kSoftware)
        if (renderer.contains(name, Qt::CaseInsensitive))
            return true;
    // An empty name tells nothing good about the renderer.
    return renderer.trimmed().isEmpty();
}

bool VideoPathForcedSoftware(const QString& override)
{
    return override.trimmed().compare(QStringLiteral("software"), Qt::CaseInsensitive) == 0;
}

VideoPath ChooseVideoPath(const QString& override, bool contextMade, const QString& renderer)
{
    if (!contextMade || VideoPathForcedSoftware(override))
        return VideoPath::Software;
    if (override.trimmed().compare(QStringLiteral("gl"), Qt::CaseInsensitive) == 0)
        return VideoPath::Gl;
    return IsSoftwareRenderer(renderer) ? VideoPath::Software : VideoPath::Gl;
}
