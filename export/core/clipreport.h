#pragma once
// The one-page A4 PDF that goes with an exported clip: the frame at the moment that matters, the
// span's G curves with that moment marked, speed and position, the route, and the names, sizes
// and SHA-256 of the source files and of every exported file. Drawn with QPdfWriter and
// QPainter; needs a QGuiApplication (fonts), no widgets. Caller's thread.

#include <QDateTime>
#include <QImage>
#include <QString>

#include <optional>
#include <string>
#include <vector>

struct ClipReportFile {
    QString role;     // "Video", "Log", ... as shown in the table
    QString name;     // file name without folder
    qint64 size = 0;  // bytes
    QString sha256;   // lower-case hex
};

struct ClipReportPoint {
    double seconds = 0;  // into the source recording
    double x = 0, y = 0, z = 0;
    double latitude = 0, longitude = 0;
    double speedKmh = 0;
    bool hasFix = false;
};

struct ClipReportData {
    QString clipName;         // NAME_FROM-TO
    QString recordingName;    // the source video's file name
    double from = 0, to = 0;  // span asked for, seconds
    double cutStart = 0;      // where the stream copy starts (key frame)
    double momentSeconds = 0; // the marked moment, seconds into the source
    QString momentTitle;      // e.g. "Event 2 · X −1.62 g" or "Middle of the span"
    QImage frame;             // may be null: the report says the frame could not be decoded
    std::vector<ClipReportPoint> points;  // the span's samples in order
    int momentIndex = -1;     // index into points of the moment, -1 for none
    std::vector<ClipReportFile> sources;
    std::vector<ClipReportFile> exported;
    QString programVersion;
    QDateTime exportTime;
    int language = 0;         // UI language index for the texts the table has
};

// Writes the report to path. False, with one sentence in *error, when it cannot be written.
bool WriteClipReport(const ClipReportData& data, const QString& path, std::string* error);

// Seconds as the report and the file names show them: one decimal, "." whatever the locale.
QString FormatSeconds(double seconds);
