#include "mapcache.h"

#include <QDir>
#include <QFile>

QString MapCacheFolderFor(const QString& xdgCacheHome, const QString& home)
{
    QString base;
    if (QDir::isAbsolutePath(xdgCacheHome))
        base = xdgCacheHome;
    else if (QDir::isAbsolutePath(home))
        base = home + QStringLiteral("/.cache");
    else
        return QString();
    return QDir::cleanPath(base + QStringLiteral("/kestrelview"));
}

QString MapCacheFolder()
{
    return MapCacheFolderFor(QFile::decodeName(qgetenv("XDG_CACHE_HOME")), QFile::decodeName(qgetenv("HOME")));
}
