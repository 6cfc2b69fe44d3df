#include "telemetrylogpath.h"

#include "filenamecodec.h"

QString TelemetryLogPath(const QString& recordName)
{
    const qsizetype dot = recordName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? QString() : recordName.left(dot);
    return base + QStringLiteral(".LOG");
}

bool ReadTelemetryLogFile(const QString& logPath, TelemetryTrack& track, TelemetryParseReport* report)
{
    const QByteArray nativePath = EncodeFileName(logPath);
    return ReadTelemetryLogFile(nativePath.constData(), track, report);
}
