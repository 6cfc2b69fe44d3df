#include "missingplugin.h"

#include <QSet>

namespace {

// "decoder-video/x-h265, profile=(string)main" from the whole detail: its
// last '|' field, without the caps' fields.
QString partOf(const QString& installerDetail)
{
    QString part = installerDetail.section(u'|', -1).trimmed();
    const qsizetype comma = part.indexOf(u',');
    if (comma >= 0)
        part.truncate(comma);
    return part.trimmed().toLower();
}

struct Provider {
    const char* part;
    const char* package;
};

// Demuxers by container; decoders fall through to libav.
constexpr Provider kProviders[] = {
    {"decoder-video/quicktime", "gstreamer1.0-plugins-good"},
    {"decoder-video/x-matroska", "gstreamer1.0-plugins-good"},
    {"decoder-video/webm", "gstreamer1.0-plugins-good"},
    {"decoder-video/mpegts", "gstreamer1.0-plugins-bad"},
    {"decoder-video/x-ms-asf", "gstreamer1.0-plugins-ugly"},
    {"decoder-application/x-id3", "gstreamer1.0-plugins-good"},
};

}  // namespace

QString DebianPackageForMissingPlugin(const QString& installerDetail)
{
    const QString part = partOf(installerDetail);
    for (const Provider& provider : kProviders)
        if (part == QLatin1String(provider.part))
            return QLatin1String(provider.package);
    return QStringLiteral("gstreamer1.0-libav");
}

bool FirstReportOfMissingPlugin(const QString& installerDetail)
{
    static QSet<QString> reported;
    const QString part = partOf(installerDetail);
    if (reported.contains(part))
        return false;
    reported.insert(part);
    return true;
}
