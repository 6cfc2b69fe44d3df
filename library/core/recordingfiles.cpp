#include "recordingfiles.h"

const QStringList& RecordingExtensions()
{
    static const QStringList extensions{QStringLiteral(".asf"), QStringLiteral(".mp4"), QStringLiteral(".mov"),
                                        QStringLiteral(".mkv"), QStringLiteral(".ts")};
    return extensions;
}

bool IsRecordingFile(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || path.indexOf(u'/', dot) >= 0)
        return false;
    const QStringView suffix = QStringView(path).mid(dot);
    for (const QString& extension : RecordingExtensions())
        if (suffix.compare(extension, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString RecordingFilePatterns()
{
    QStringList patterns;
    for (const QString& extension : RecordingExtensions())
        patterns << u'*' + extension;
    return patterns.join(u' ');
}
