#include "clipexport.h"

#include "burnedinmp4.h"
#include "clipcutter.h"
#include "clipreport.h"
#include "devicesettings.h"
#include "filenamecodec.h"
#include "framegrabber.h"
#include "gsensorevents.h"
#include "maplanguage.h"
#include "playersettings.h"
#include "telemetrylogpath.h"
#include "telemetrylogtext.h"
#include "telemetrystrip.h"
#include "trackexport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kExitBadSpan = 1;
constexpr int kExitMissing = 2;
constexpr int kExitWrite = 3;
constexpr int kExitCancelled = 4;

// A span may end this far past the duration the demuxer reports (rounding of typed seconds).
constexpr double kDurationSlack = 0.05;
constexpr double kMphPerKmh = 0.62137;
constexpr double kKmhPerMph = 1.609344;

// Shares of the whole job, for one progress fraction across the steps.
struct Weights {
    double scan = 0.05, cut = 0.45, log = 0.05, mp4 = 0.0, report = 0.15;
};

QString path8(const std::string& path) { return DecodeFileName(QByteArrayView(path.data(), qsizetype(path.size()))); }
std::string bytes8(const QString& path) { return EncodeFileName(path).toStdString(); }

QString sha256Of(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex());
}

ClipReportFile describe(const QString& role, const QString& path)
{
    const QFileInfo info(path);
    return {role, info.fileName(), info.size(), sha256Of(path)};
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(data) == data.size() && file.commit();
}

int languageIndex(const std::string& code)
{
    QString wanted = QString::fromStdString(code).toLower().replace('_', '-');
    if (wanted == "no" || wanted == "nb")
        wanted = "nn";
    if (wanted == "zh")
        wanted = "zh-cn";
    for (int i = 0; i < kMapLanguageCount; ++i)
        if (wanted == QLatin1String(MapLanguageCode(i)))
            return i;
    return 0;
}

// Folder a default export goes into: beside the user's Pictures, in "Kestrelview clips".
QString defaultClipsFolder()
{
    QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QString home = QDir::homePath();
    QString parent = pictures.isEmpty() ? home : QFileInfo(pictures).absolutePath();
    if (parent.isEmpty() || parent == "/")
        parent = home;
    return QDir(parent).filePath("Kestrelview clips");
}

class Job {
public:
    Job(const ClipExportRequest& request, const ClipExportProgress& progress) : m_request(request), m_progress(progress)
    {
    }

    ClipExportResult run();

private:
    bool fail(int code, const std::string& sentence)
    {
        m_result.exitCode = code;
        m_result.error = sentence;
        return false;
    }
    // Reports progress of a step (fraction 0..1 of that step); false once cancelled.
    bool step(double base, double weight, double fraction, const char* stage)
    {
        if (m_cancelled)
            return false;
        m_stage = stage;
        if (m_progress && !m_progress(std::clamp(base + weight * fraction, 0.0, 1.0), stage)) {
            m_cancelled = true;
            fail(kExitCancelled, "The export was cancelled; nothing was written.");
            return false;
        }
        return true;
    }
    bool prepare();
    bool resolveSpan();
    bool cutVideo();
    bool writeLogAndTrack();
    bool writeMp4();
    bool writeReport();
    bool moveIntoPlace();

    double sampleSeconds(int sample) const
    {
        return sample <= 0 ? 0.0 : (sample + 1) / m_rate;
    }

    const ClipExportRequest& m_request;
    const ClipExportProgress& m_progress;
    ClipExportResult m_result;
    bool m_cancelled = false;
    const char* m_stage = "cut";  // the stage reported last
    Weights m_weights;
    double m_at = 0;  // progress at the start of the running step

    QString m_recording, m_logPath, m_clipName, m_suffix;
    std::unique_ptr<TelemetryTrack> m_track = std::make_unique<TelemetryTrack>();
    TelemetryParseReport m_parse;
    TelemetryLogText m_logText;
    int m_records = 0;       // passes that hold a record (the empty pass after a final break left out)
    double m_duration = 0;   // of the source, seconds
    double m_rate = 0;       // counted passes per second, as the player spreads them over the video
    CutScan m_scan;
    double m_moment = 0;
    QString m_momentTitle;
    int m_momentSample = -1;  // in the source's log

    QString m_finalFolder;   // where the files end up
    bool m_ownFolder = false;  // the final folder is made by this export (default location)
    std::unique_ptr<QTemporaryDir> m_staging;
    QStringList m_files;     // file names in staging, in the order written

    int m_firstSample = 0;   // first pass of the source's log that the clip holds
    std::unique_ptr<TelemetryTrack> m_clipTrack = std::make_unique<TelemetryTrack>();
    TelemetryParseReport m_clipParse;
    TelemetryLogText m_clipLog;
    int m_recordAsMile = kDefaultRecordAsMile;
};

bool Job::prepare()
{
    m_recording = QFileInfo(path8(m_request.recording)).absoluteFilePath();
    const QFileInfo video(m_recording);
    if (m_request.recording.empty() || !video.exists())
        return fail(kExitMissing, "The recording " + m_request.recording + " does not exist.");
    if (!video.isFile() || !video.isReadable())
        return fail(kExitMissing, "The recording " + m_request.recording + " is not a readable file.");
    if (!ClipCutter::SupportsContainer(m_request.recording))
        return fail(kExitBadSpan, "Only .asf, .mp4, .mov, .mkv and .ts recordings can be exported.");
    m_logPath = TelemetryLogPath(m_recording);
    errno = 0;
    if (!ReadTelemetryLogText(bytes8(m_logPath).c_str(), m_logText, *m_track, &m_parse))
        return fail(kExitMissing, "The recording has no telemetry log beside it (" + bytes8(m_logPath) + ").");
    m_records = m_track->sampleCount;
    if (m_records > 0 && !m_parse.whole[std::size_t(m_records - 1)]) {
        const std::string_view last = m_logText.pass(m_records - 1);
        if (std::all_of(last.begin(), last.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }))
            --m_records;
    }
    m_suffix = video.suffix();
    m_recordAsMile = ReadRecordAsMile();
    return true;
}

bool Job::resolveSpan()
{
    std::string why;
    const auto probe = ClipCutter::Scan(m_request.recording, 0, {}, &why);
    if (!probe)
        return fail(kExitWrite, why);
    m_duration = probe->durationSeconds;
    if (m_duration <= 0)
        return fail(kExitWrite, "The recording's duration cannot be read.");
    m_rate = m_track->sampleCount / m_duration;

    double from = 0, to = 0;
    if (m_request.event) {
        GSensorLimits limits;
        const QString settings = FindDeviceSettingsFile(QFileInfo(m_recording).absolutePath());
        DeviceSettings device;
        if (!settings.isEmpty() && ReadDeviceSettings(settings, device))
            limits = {device.G_LIMITX, device.G_LIMITY, device.G_LIMITZ};
        const auto events = DetectGSensorEvents(*m_track, m_track->sampleCount, limits, &m_parse.whole);
        const int n = *m_request.event;
        if (n < 1 || n > int(events.size())) {
            return fail(kExitBadSpan, "The recording has " + std::to_string(events.size())
                            + " G-sensor event" + (events.size() == 1 ? "" : "s") + "; there is no event "
                            + std::to_string(n) + ".");
        }
        if (m_request.before < 0 || m_request.after < 0)
            return fail(kExitBadSpan, "--before and --after must not be negative.");
        const GSensorEvent& event = events[std::size_t(n - 1)];
        m_momentSample = event.peakSample;
        m_moment = sampleSeconds(event.peakSample);
        from = std::max(0.0, m_moment - m_request.before);
        to = std::min(m_duration, m_moment + m_request.after);
        m_momentTitle = QString("Event %1/%2 · %3 %4 g")
                            .arg(n)
                            .arg(events.size())
                            .arg(GSensorAxisName(event.axis))
                            .arg((event.peakG > 0 ? "+" : event.peakG < 0 ? "\u2212" : "")
                                 + QString::number(std::fabs(event.peakG), 'f', 2));
    } else {
        if (!m_request.from || !m_request.to)
            return fail(kExitBadSpan, "Give the span as --from SECONDS --to SECONDS, or an event with --event N.");
        from = *m_request.from;
        to = *m_request.to;
        if (!std::isfinite(from) || !std::isfinite(to) || from >= to)
            return fail(kExitBadSpan, "The span's start (" + FormatSeconds(from).toStdString()
                            + " s) must lie before its end (" + FormatSeconds(to).toStdString() + " s).");
        if (from < 0 || to > m_duration + kDurationSlack)
            return fail(kExitBadSpan, "The span " + FormatSeconds(from).toStdString() + "–" + FormatSeconds(to).toStdString()
                            + " s lies outside the recording, which lasts " + FormatSeconds(m_duration).toStdString()
                            + " s.");
        to = std::min(to, m_duration);
        m_moment = (from + to) / 2;
        m_momentTitle = "Middle of the span";
    }
    m_result.from = from;
    m_result.to = to;
    m_clipName = QFileInfo(m_recording).completeBaseName() + "_" + FormatSeconds(from) + "-" + FormatSeconds(to);

    // Where the files go, checked before any work.
    if (m_request.outDir.empty()) {
        const QString clips = defaultClipsFolder();
        m_finalFolder = QDir(clips).filePath(m_clipName);
        for (int i = 2; QFileInfo::exists(m_finalFolder); ++i)
            m_finalFolder = QDir(clips).filePath(m_clipName + QString(" (%1)").arg(i));
        m_ownFolder = true;
    } else {
        m_finalFolder = QFileInfo(path8(m_request.outDir)).absoluteFilePath();
    }
    // A clip beside its source would join the card's recordings; the card stays as it was.
    if (QDir::cleanPath(m_finalFolder) == QDir::cleanPath(QFileInfo(m_recording).absolutePath()))
        return fail(kExitWrite, "The clip is not written into the recording's own folder; choose another with --out.");
    const QString parent = m_ownFolder ? QFileInfo(m_finalFolder).absolutePath() : m_finalFolder;
    if (!QDir().mkpath(parent))
        return fail(kExitWrite, "The folder " + bytes8(parent) + " cannot be created.");
    if (!m_ownFolder) {
        for (const QString& suffix : {"." + m_suffix, QString(".LOG"), QString(".gpx"), QString(".csv"),
                                      QString(".mp4"), QString("-report.pdf")}) {
            if (QFileInfo::exists(QDir(m_finalFolder).filePath(m_clipName + suffix)))
                return fail(kExitWrite, "The folder " + bytes8(m_finalFolder) + " already holds "
                                + bytes8(m_clipName + suffix) + "; nothing was written.");
        }
    }
    // The staging folder lies beside the final place, so moving into place is a rename.
    m_staging = std::make_unique<QTemporaryDir>(QDir(parent).filePath(".kestrelexport-XXXXXX"));
    if (!m_staging->isValid())
        return fail(kExitWrite, "No working folder can be made in " + bytes8(parent) + ".");
    return true;
}

bool Job::cutVideo()
{
    std::string why;
    const double scanAt = m_at;
    const auto scan = ClipCutter::Scan(
        m_request.recording, m_result.from, [&](double f) { return step(scanAt, m_weights.scan, f, "cut"); }, &why);
    if (!scan)
        return m_cancelled ? false : fail(kExitWrite, why);
    m_scan = *scan;
    m_result.cutStart = m_scan.hasVideo ? m_scan.keyFrameSeconds : m_result.from;
    m_at += m_weights.scan;
    const QString name = m_clipName + "." + m_suffix;
    const double cutAt = m_at;
    bool cancelled = false;
    if (!ClipCutter::Cut(m_request.recording, m_scan, m_result.to, bytes8(m_staging->filePath(name)),
                         [&](double f) { return step(cutAt, m_weights.cut, f, "cut"); }, &why, &cancelled))
        return m_cancelled ? false : fail(kExitWrite, why);
    m_files << name;
    m_at += m_weights.cut;
    return step(m_at, 0, 0, "log");
}

bool Job::writeLogAndTrack()
{
    // The player spreads a log's counted passes evenly over the video (sample = position * N /
    // duration - 1), so the clip's log starts at the pass that lies at the cut's start and holds
    // as many passes as the clip's own duration takes at the same rate: the clip then shows at
    // each moment the sample the whole recording shows there.
    std::string why;
    double clipDuration = m_result.to - m_result.cutStart;
    if (const auto cut = ClipCutter::Scan(bytes8(m_staging->filePath(m_files.front())), 0, {}, &why);
        cut && cut->durationSeconds > 0)
        clipDuration = cut->durationSeconds;
    m_firstSample = std::clamp(int(std::lround(m_result.cutStart * m_rate)), 0, std::max(0, m_records - 1));
    const int count = std::max(1, int(std::lround(clipDuration * m_rate)) - 1);
    const int end = std::min(m_records, m_firstSample + count);
    const std::string log = CutTelemetryLog(m_logText, m_firstSample, end);
    if (log.empty())
        return fail(kExitWrite, "The span holds no telemetry record.");
    m_clipLog.bytes = log;
    ClearTelemetryTrack(*m_clipTrack);
    ParseTelemetryLog(m_clipLog.bytes.data(), m_clipLog.bytes.size(), *m_clipTrack, &m_clipParse,
                      &m_clipLog.passStarts);

    const QString logName = m_clipName + ".LOG";
    if (!writeFile(m_staging->filePath(logName), QByteArray::fromStdString(log)))
        return fail(kExitWrite, "The clip's log cannot be written.");
    m_files << logName;

    std::vector<std::string> times(std::size_t(m_clipTrack->sampleCount));
    for (int i = 0; i < m_clipTrack->sampleCount; ++i)
        times[std::size_t(i)] = RecordDateTime(m_clipLog.pass(i)).value_or(std::string());
    const QString gpxName = m_clipName + ".gpx";
    const QString csvName = m_clipName + ".csv";
    if (!writeFile(m_staging->filePath(gpxName),
                   QByteArray::fromStdString(ExportTrack(*m_clipTrack, m_clipParse, TrackFormat::Gpx, &times).text))
        || !writeFile(m_staging->filePath(csvName),
                      QByteArray::fromStdString(ExportTrack(*m_clipTrack, m_clipParse, TrackFormat::Csv).text)))
        return fail(kExitWrite, "The clip's track cannot be written.");
    m_files << gpxName << csvName;
    m_at += m_weights.log;
    return step(m_at, 0, 0, m_request.mp4 ? "mp4" : m_request.report ? "report" : "track");
}

bool Job::writeMp4()
{
    std::vector<BurnInSample> samples;
    const int records = m_clipTrack->sampleCount - 1;
    for (int j = 0; j < records; ++j) {
        const double speed = m_clipTrack->speed[j] * (m_recordAsMile ? kKmhPerMph : 1.0);
        const double lat = m_clipTrack->latitude[j];
        const double lon = m_clipTrack->longitude[j];
        samples.push_back({j == 0 ? m_result.cutStart : sampleSeconds(m_firstSample + j), m_clipTrack->accelX[j],
                           m_clipTrack->accelY[j], m_clipTrack->accelZ[j], lat, lon, speed,
                           std::isfinite(lat) && std::isfinite(lon) && !(lat == 0 && lon == 0)});
    }
    const QString name = m_clipName + ".mp4";
    std::string why;
    const double at = m_at;
    if (!WriteBurnedInMp4(m_request.recording, m_result.from, m_result.to, samples, m_request.miles,
                          bytes8(m_staging->filePath(name)), [&](double f) { return step(at, m_weights.mp4, f, "mp4"); },
                          &why))
        return m_cancelled ? false : fail(kExitWrite, why.empty() ? "The MP4 could not be written." : why);
    m_files << name;
    m_at += m_weights.mp4;
    return step(m_at, 0, 0, "report");
}

bool Job::writeReport()
{
    ClipReportData data;
    data.clipName = m_clipName;
    data.recordingName = QFileInfo(m_recording).fileName();
    data.from = m_result.from;
    data.to = m_result.to;
    data.cutStart = m_result.cutStart;
    data.momentSeconds = m_moment;
    data.momentTitle = m_momentTitle;
    data.programVersion = QString::fromStdString(m_request.programVersion);
    data.exportTime = QDateTime::currentDateTime();
    data.language = languageIndex(m_request.language);
    const int records = m_clipTrack->sampleCount - 1;
    for (int j = 0; j < records; ++j) {
        ClipReportPoint point;
        point.seconds = sampleSeconds(m_firstSample + j);
        point.x = m_clipTrack->accelX[j];
        point.y = m_clipTrack->accelY[j];
        point.z = m_clipTrack->accelZ[j];
        point.latitude = m_clipTrack->latitude[j];
        point.longitude = m_clipTrack->longitude[j];
        point.speedKmh = m_clipTrack->speed[j] * (m_recordAsMile ? kKmhPerMph : 1.0);
        point.hasFix = std::isfinite(point.latitude) && std::isfinite(point.longitude)
            && !(point.latitude == 0 && point.longitude == 0) && std::fabs(point.latitude) <= 90
            && std::fabs(point.longitude) <= 180;
        data.points.push_back(point);
    }
    // The sample the player shows at the moment, within the clip.
    const int shown = m_momentSample >= 0 ? m_momentSample : int(std::floor(m_moment * m_rate)) - 1;
    if (records > 0)
        data.momentIndex = std::clamp(shown - m_firstSample, 0, records - 1);
    std::string why;
    data.frame = FrameGrabber::Grab(m_request.recording, m_moment, 1280, &why);
    if (!step(m_at, m_weights.report, 0.4, "report"))
        return false;
    data.sources.push_back(describe("Video", m_recording));
    data.sources.push_back(describe("Log", m_logPath));
    for (const QString& name : m_files)
        data.exported.push_back(describe(QString(), m_staging->filePath(name)));
    if (!step(m_at, m_weights.report, 0.8, "report"))
        return false;
    const QString name = m_clipName + "-report.pdf";
    if (!WriteClipReport(data, m_staging->filePath(name), &why))
        return fail(kExitWrite, why);
    m_files << name;
    m_at += m_weights.report;
    return true;
}

bool Job::moveIntoPlace()
{
    if (!step(m_at, 0, 0, m_stage))
        return false;
    const QString staging = m_staging->path();
    if (m_ownFolder) {
        if (!QDir().rename(staging, m_finalFolder))
            return fail(kExitWrite, "The clip's folder " + bytes8(m_finalFolder) + " cannot be made.");
        m_staging->setAutoRemove(false);
    } else {
        QStringList moved;
        for (const QString& name : m_files) {
            const QString target = QDir(m_finalFolder).filePath(name);
            // link() refuses an existing target, so a file that appeared meanwhile is never replaced.
            if (::link(QFile::encodeName(QDir(staging).filePath(name)).constData(), QFile::encodeName(target).constData())
                != 0) {
                for (const QString& done : moved)
                    QFile::remove(QDir(m_finalFolder).filePath(done));
                return fail(kExitWrite, "The file " + bytes8(target) + " cannot be written; nothing was kept.");
            }
            moved << name;
        }
    }
    m_result.folder = bytes8(m_finalFolder);
    for (const QString& name : m_files)
        m_result.files.push_back(bytes8(QDir(m_finalFolder).filePath(name)));
    return true;
}

ClipExportResult Job::run()
{
    if (!prepare() || !resolveSpan())
        return m_result;
    if (m_request.mp4)
        m_weights.mp4 = 0.35;
    if (!m_request.report)
        m_weights.report = 0;
    const double total = m_weights.scan + m_weights.cut + m_weights.log + m_weights.mp4 + m_weights.report;
    for (double* w : {&m_weights.scan, &m_weights.cut, &m_weights.log, &m_weights.mp4, &m_weights.report})
        *w /= total;
    if (!step(0, 0, 0, "cut") || !cutVideo() || !writeLogAndTrack())
        return m_result;
    if (m_request.mp4 && !writeMp4())
        return m_result;
    if (m_request.report && !writeReport())
        return m_result;
    if (!moveIntoPlace())
        return m_result;
    // The files are in place: a cancel from here on comes too late to count.
    if (m_progress)
        m_progress(1.0, m_stage);
    m_result.exitCode = 0;
    return m_result;
}

}  // namespace

ClipExportResult RunClipExport(const ClipExportRequest& request, const ClipExportProgress& progress)
{
    Job job(request, progress);
    ClipExportResult result = job.run();
    if (result.exitCode != 0) {
        result.files.clear();
        result.folder.clear();
    }
    return result;
}
