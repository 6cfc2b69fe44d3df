#pragma once
// Which files are recordings: the camera's own ASF and the containers current
// cameras write (H.264/H.265 in MP4, MOV, Matroska or MPEG-TS). The list, its
// LOAD and open-file filters and the command line all ask here.

#include <QString>
#include <QStringList>

// Lower case, with the dot; ".asf" first, the rest in the order the open-file
// filter shows them.
const QStringList& RecordingExtensions();

// Whether the text of `path` from its last '.' is one of RecordingExtensions(),
// without regard to case. Only the last path component counts: "a.mp4/clip"
// is no recording.
bool IsRecordingFile(const QString& path);

// The file-dialog patterns of every recording extension ("*.asf *.mp4 ..."),
// for filters such as "Video File (%1)".
QString RecordingFilePatterns();
