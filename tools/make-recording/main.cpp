// make-recording: writes a short dash-camera-like recording for tests, demos and
// benchmarks: an ".asf" file (WMV video with a burned-in running clock, WMA
// audio, a key frame twice a second) and its telemetry ".LOG" beside it (same
// base name), ten samples a second of a drive with corners and a hard brake.
//
//   make-recording --out DIR/REC0001.asf [--seconds 5] [--width 640] [--height 480]
//                  [--fps 30] [--start-time "2026-05-01 12:00:00"] [--route city|straight]
//                  [--lat 22.5431] [--lon 113.2493] [--log-rate 10] [--kmh]
//                  [--busy | --drive-view [--follow DIR/REC0001.LOG [--follow-from 0]]]
//                  [--log-only | --no-log]
//
// The log's speed is in miles per hour unless --kmh is given (the player's
// default reading of logs is miles per hour). The picture is a bouncing ball
// (cheap, for tests), a busy zone plate (--busy, for CPU benchmarks) or the
// view from the driver's seat (--drive-view) with the camera's date, time and
// speed stamp; that view drives the generator's own drive, or with --follow the
// drive of an existing log (X along the car, braking positive; Y across, left
// positive). Exit status 0 on success.
#include "drivesimulator.h"
#include "driveview.h"
#include "telemetrylogpath.h"
#include "telemetryrecordformat.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr double kMetresPerSecondToMph = 2.2369362920544;
constexpr double kMetresPerSecondToKmh = 3.6;
constexpr int kAudioRate = 44100;
constexpr int kAudioSamplesPerBuffer = 1024;
constexpr int kNoonSeconds = 12 * 3600;

struct Options {
    QString out;
    double seconds = 5;
    int width = 640;
    int height = 480;
    int fps = 30;
    QDateTime start;
    DriveRoute route = DriveRoute::City;
    double latitude = 22.5431;
    double longitude = 113.2493;
    int logRate = 10;
    bool kmh = false;
    bool busy = false;
    bool driveView = false;
    QString follow;         // a log whose drive the view follows
    double followFrom = 0;  // seconds into that log at which the recording starts
    bool video = true;
    bool log = true;
};

struct ObjectUnref {
    void operator()(gpointer object) const { gst_object_unref(object); }
};
template <typename T>
using GstRef = std::unique_ptr<T, ObjectUnref>;

void fail(const QString& text)
{
    std::fprintf(stderr, "make-recording: %s\n", qPrintable(text));
    std::exit(2);
}

// The telemetry log beside the video: the path up to the file name's last dot,
// then ".LOG".
QString logPathFor(const QString& videoPath)
{
    const QFileInfo info(videoPath);
    const QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? name : name.left(dot);
    return info.dir().filePath(base + QStringLiteral(".LOG"));
}

bool writeLog(const Options& options)
{
    const QString path = logPathFor(options.out);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "make-recording: cannot write %s\n", qPrintable(path));
        return false;
    }
    const double step = 1.0 / options.logRate;
    const int count = std::max(1, int(std::lround(options.seconds * options.logRate)));
    const int startFromNoon = options.start.time().msecsSinceStartOfDay() / 1000 - kNoonSeconds;
    DriveSimulator drive(options.latitude, options.longitude, options.seconds, options.route);
    const double speedFactor = options.kmh ? kMetresPerSecondToKmh : kMetresPerSecondToMph;
    // Rounded as a camera writes them: G to thousandths, minutes of arc to
    // ten-thousandths, speed to tenths.
    auto round = [](double value, double scale) { return std::round(value * scale) / scale; };
    auto roundAngle = [&](double degrees) {
        const double whole = std::trunc(degrees);
        return whole + round((degrees - whole) * 60.0, 1e4) / 60.0;
    };
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        const DriveSample s = drive.next(step);
        TelemetrySample record;
        record.accelX = round(s.accelX, 1e3);
        record.accelY = round(s.accelY, 1e3);
        record.accelZ = round(s.accelZ, 1e3);
        record.latitude = roundAngle(s.latitude);
        record.longitude = roundAngle(s.longitude);
        record.speed = round(s.speedMetresPerSecond * speedFactor, 10);
        text += FormatTelemetryRecord(record, startFromNoon + int(i * step)).c_str();
        text += "\r\n"; // the camera ends every record, the last one too
    }
    return file.write(text) == text.size() && file.flush();
}

// The recording pipeline:
//
//   videotestsrc (ball, or a moving zone plate with --busy) ! caps W x H @ F
//     ! timeoverlay (date and time from --start-time) ! videoconvert
//   or appsrc (DriveView's frames, BGRx) ! videoconvert ! I420
//     ! avenc_wmv2 (key frame every F/2 frames) ! queue ──┐
//   audiotestsrc (quiet pink noise) ! audioconvert        ├─ asfmux ! filesink
//     ! avenc_wmav2 ! queue ──────────────────────────────┘
// The encoder starts its output segment at 1000 hours (room for decoding times
// before presentation times) and asfmux writes buffer times as they come, which
// would put every frame 1000 hours in. This probe hands the muxer running times
// in a segment that starts at 0 instead.
GstPadProbeReturn toRunningTime(GstPad*, GstPadProbeInfo* info, gpointer data)
{
    auto* segment = static_cast<GstSegment*>(data);
    if (info->type & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM) {
        GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) != GST_EVENT_SEGMENT)
            return GST_PAD_PROBE_OK;
        gst_event_copy_segment(event, segment);
        GstSegment zero;
        gst_segment_init(&zero, GST_FORMAT_TIME);
        gst_event_unref(event);
        GST_PAD_PROBE_INFO_DATA(info) = gst_event_new_segment(&zero);
        return GST_PAD_PROBE_OK;
    }
    if (info->type & GST_PAD_PROBE_TYPE_BUFFER) {
        GstBuffer* buffer = gst_buffer_make_writable(GST_PAD_PROBE_INFO_BUFFER(info));
        if (GST_BUFFER_PTS_IS_VALID(buffer))
            GST_BUFFER_PTS(buffer) = gst_segment_to_running_time(segment, GST_FORMAT_TIME, GST_BUFFER_PTS(buffer));
        if (GST_BUFFER_DTS_IS_VALID(buffer))
            GST_BUFFER_DTS(buffer) = gst_segment_to_running_time(segment, GST_FORMAT_TIME, GST_BUFFER_DTS(buffer));
        GST_PAD_PROBE_INFO_DATA(info) = buffer;
    }
    return GST_PAD_PROBE_OK;
}

// The drive the view from the driver's seat shows, frame by frame: the
// generator's own drive, or the one logged in --follow, read with the player's
// reader and taken between its samples in straight lines.
class DriveFrames {
public:
    explicit DriveFrames(const Options& options)
        : m_options(options)
        , m_simulator(options.latitude, options.longitude, options.seconds, options.route)
    {
    }

    bool load()
    {
        if (m_options.follow.isEmpty())
            return true;
        m_track = std::make_unique<TelemetryTrack>();
        TelemetryParseReport report;
        if (!ReadTelemetryLogFile(m_options.follow, *m_track, &report) || report.wholeRecords < 1) {
            std::fprintf(stderr, "make-recording: %s holds no telemetry to follow\n", qPrintable(m_options.follow));
            return false;
        }
        m_samples = report.wholeRecords;
        return true;
    }

    // The drive at a frame counted from the start of the drive (of the log, with
    // --follow); the stamp tells the time since the recording's first frame.
    DriveViewInput at(int driveFrame, int firstFrame)
    {
        const double seconds = double(driveFrame) / m_options.fps;
        DriveViewInput input;
        if (m_track) {
            const double place = std::clamp(seconds * m_options.logRate, 0.0, double(m_samples - 1));
            const int before = int(place);
            const int after = std::min(before + 1, m_samples - 1);
            const double share = place - before;
            auto between = [&](const double* values) { return values[before] + (values[after] - values[before]) * share; };
            const double speedFactor = m_options.kmh ? kMetresPerSecondToKmh : kMetresPerSecondToMph;
            input.speedMetresPerSecond = std::max(0.0, between(m_track->speed) / speedFactor);
            input.brakingG = between(m_track->accelX);
            input.lateralG = between(m_track->accelY);
        } else {
            // The generator's own drive has X across (right positive) and Y along.
            const DriveSample sample = m_simulator.next(1.0 / m_options.fps);
            input.speedMetresPerSecond = sample.speedMetresPerSecond;
            input.lateralG = -sample.accelX;
            input.brakingG = -sample.accelY;
        }
        input.stamp = DriveView::stampText(m_options.start, double(driveFrame - firstFrame) / m_options.fps,
                                           input.speedMetresPerSecond);
        return input;
    }

private:
    const Options& m_options;
    DriveSimulator m_simulator;
    std::unique_ptr<TelemetryTrack> m_track; // large: on the heap
    int m_samples = 0;
};

// Paints the frames of the view from the driver's seat into the pipeline's
// appsrc, straight into each buffer's memory; the blocking appsrc keeps only a
// few frames ahead of the encoder. Gives the pipeline's error message when it
// failed on the way (the caller owns it), else null once the stream has ended.
GstMessage* pushDriveFrames(const Options& options, DriveFrames& drive, GstElement* pipeline, GstAppSrc* source,
                            int frames)
{
    DriveView view(options.width, options.height);
    const int first = int(std::lround(options.followFrom * options.fps));
    for (int i = 0; i < first; ++i)
        view.advance(drive.at(i, first), 1.0 / options.fps);
    GstRef<GstBus> bus(gst_element_get_bus(pipeline));
    const gsize frameBytes = gsize(options.width) * options.height * 4;
    for (int i = 0; i < frames; ++i) {
        if (GstMessage* failed = gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR))
            return failed;
        GstBuffer* buffer = gst_buffer_new_allocate(nullptr, frameBytes, nullptr);
        GstMapInfo map;
        if (!gst_buffer_map(buffer, &map, GST_MAP_WRITE)) {
            gst_buffer_unref(buffer);
            break;
        }
        {
            QImage frame(map.data, options.width, options.height, options.width * 4, QImage::Format_RGB32);
            view.paint(frame, drive.at(first + i, first), 1.0 / options.fps);
        }
        gst_buffer_unmap(buffer, &map);
        GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(i, GST_SECOND, options.fps);
        GST_BUFFER_DURATION(buffer) = gst_util_uint64_scale(i + 1, GST_SECOND, options.fps) - GST_BUFFER_PTS(buffer);
        if (gst_app_src_push_buffer(source, buffer) != GST_FLOW_OK) // takes the buffer
            break;
    }
    gst_app_src_end_of_stream(source);
    return nullptr;
}

bool writeVideo(const Options& options)
{
    const int frames = std::max(1, int(std::lround(options.seconds * options.fps)));
    const int audioBuffers = int(std::ceil(options.seconds * kAudioRate / kAudioSamplesPerBuffer));
    const int gop = std::max(1, options.fps / 2);
    const long long bitrate = std::max(200'000LL, (long long)options.width * options.height * options.fps / 7);
    const QString pattern = options.busy
        ? QStringLiteral("pattern=zone-plate kx2=20 ky2=20 kt=1 kxt=3")
        : QStringLiteral("pattern=ball background-color=0xff3c5a78 foreground-color=0xfff0f0f0 motion=wavy");
    // The drive view draws its own stamp; the test patterns get the clock from timeoverlay.
    const QString picture = options.driveView
        ? QStringLiteral("appsrc name=frames format=time block=true max-bytes=%1 "
                         "caps=video/x-raw,format=BGRx,width=%2,height=%3,framerate=%4/1 ! videoconvert "
                         "! video/x-raw,format=I420")
              .arg(qint64(options.width) * options.height * 4 * 3)
              .arg(options.width)
              .arg(options.height)
              .arg(options.fps)
        : QStringLiteral("videotestsrc num-buffers=%1 %2 ! video/x-raw,format=I420,width=%3,height=%4,framerate=%5/1 "
                         "! timeoverlay name=clock halignment=left valignment=bottom shaded-background=true "
                         "font-desc=\"Sans Bold %6\" ! videoconvert")
              .arg(frames)
              .arg(pattern)
              .arg(options.width)
              .arg(options.height)
              .arg(options.fps)
              .arg(std::max(8, options.height / 30));
    const QString description =
        QStringLiteral(
            "asfmux name=mux preroll=0 ! filesink name=sink "
            "%1 ! avenc_wmv2 name=venc bitrate=%2 gop-size=%3 ! queue ! mux. "
            "audiotestsrc num-buffers=%4 samplesperbuffer=%5 wave=pink-noise volume=0.05 "
            "! audio/x-raw,rate=%6,channels=2 ! audioconvert ! avenc_wmav2 bitrate=64000 ! queue ! mux.")
            .arg(picture)
            .arg(bitrate)
            .arg(gop)
            .arg(audioBuffers)
            .arg(kAudioSamplesPerBuffer)
            .arg(kAudioRate);

    DriveFrames drive(options);
    if (options.driveView && !drive.load())
        return false;

    GError* error = nullptr;
    GstRef<GstElement> pipeline(gst_parse_launch(description.toUtf8().constData(), &error));
    if (!pipeline || error) {
        std::fprintf(stderr, "make-recording: %s\n", error ? error->message : "cannot build the pipeline");
        g_clear_error(&error);
        return false;
    }
    gst_object_ref_sink(pipeline.get()); // the floating reference becomes the one GstRef drops

    GstRef<GstElement> sink(gst_bin_get_by_name(GST_BIN(pipeline.get()), "sink"));
    g_object_set(sink.get(), "location", QFile::encodeName(QFileInfo(options.out).absoluteFilePath()).constData(),
                 nullptr);
    GstSegment videoSegment;
    gst_segment_init(&videoSegment, GST_FORMAT_TIME);
    GstRef<GstElement> encoder(gst_bin_get_by_name(GST_BIN(pipeline.get()), "venc"));
    GstRef<GstPad> encoded(gst_element_get_static_pad(encoder.get(), "src"));
    gst_pad_add_probe(encoded.get(),
                      GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM),
                      toRunningTime, &videoSegment, nullptr);
    const QDateTime start = options.start;
    if (!options.driveView) {
        GstRef<GstElement> clock(gst_bin_get_by_name(GST_BIN(pipeline.get()), "clock"));
        GDateTime* epoch = g_date_time_new_local(start.date().year(), start.date().month(), start.date().day(),
                                                 start.time().hour(), start.time().minute(), start.time().second());
        g_object_set(clock.get(), "show-times-as-dates", TRUE, "datetime-epoch", epoch, "datetime-format",
                     "%Y-%m-%d %H:%M:%S", nullptr);
        g_date_time_unref(epoch);
    }

    if (gst_element_set_state(pipeline.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        std::fprintf(stderr, "make-recording: the pipeline does not start\n");
        return false;
    }
    GstMessage* message = nullptr;
    if (options.driveView) {
        GstRef<GstElement> frameSource(gst_bin_get_by_name(GST_BIN(pipeline.get()), "frames"));
        message = pushDriveFrames(options, drive, pipeline.get(), GST_APP_SRC(frameSource.get()), frames);
    }
    GstRef<GstBus> bus(gst_element_get_bus(pipeline.get()));
    if (!message)
        message = gst_bus_timed_pop_filtered(bus.get(), GST_CLOCK_TIME_NONE,
                                             GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    bool ok = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message && !ok) {
        gst_message_parse_error(message, &error, nullptr);
        std::fprintf(stderr, "make-recording: %s\n", error ? error->message : "error");
        g_clear_error(&error);
    }
    if (message)
        gst_message_unref(message);
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    return ok;
}

Options parse(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a short dash-camera-like recording and its .LOG."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Output video file (.asf)."), QStringLiteral("file"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Length in seconds (default 5)."),
                                     QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption width(QStringLiteral("width"), QStringLiteral("Frame width (default 640)."),
                                   QStringLiteral("w"), QStringLiteral("640"));
    const QCommandLineOption height(QStringLiteral("height"), QStringLiteral("Frame height (default 480)."),
                                    QStringLiteral("h"), QStringLiteral("480"));
    const QCommandLineOption fps(QStringLiteral("fps"), QStringLiteral("Frames per second (default 30)."),
                                 QStringLiteral("f"), QStringLiteral("30"));
    const QCommandLineOption startTime(QStringLiteral("start-time"),
                                       QStringLiteral("Clock at the first frame, \"yyyy-MM-dd HH:mm:ss\"."),
                                       QStringLiteral("time"), QStringLiteral("2026-05-01 12:00:00"));
    const QCommandLineOption route(QStringLiteral("route"), QStringLiteral("city (corners, default) or straight."),
                                   QStringLiteral("name"), QStringLiteral("city"));
    const QCommandLineOption lat(QStringLiteral("lat"), QStringLiteral("Start latitude, decimal degrees."),
                                 QStringLiteral("deg"), QStringLiteral("22.5431"));
    const QCommandLineOption lon(QStringLiteral("lon"), QStringLiteral("Start longitude, decimal degrees."),
                                 QStringLiteral("deg"), QStringLiteral("113.2493"));
    const QCommandLineOption logRate(QStringLiteral("log-rate"), QStringLiteral("Log samples per second (default 10)."),
                                     QStringLiteral("n"), QStringLiteral("10"));
    const QCommandLineOption kmh(QStringLiteral("kmh"), QStringLiteral("Write the speed in km/h instead of mph."));
    const QCommandLineOption busy(QStringLiteral("busy"), QStringLiteral("A busy moving picture (benchmarks)."));
    const QCommandLineOption driveView(QStringLiteral("drive-view"),
                                       QStringLiteral("The view from the driver's seat, with a date, time and speed stamp."));
    const QCommandLineOption follow(QStringLiteral("follow"),
                                    QStringLiteral("With --drive-view: show the drive of this log instead."),
                                    QStringLiteral("log"));
    const QCommandLineOption followFrom(QStringLiteral("follow-from"),
                                        QStringLiteral("Seconds into the followed log at which the recording starts."),
                                        QStringLiteral("s"), QStringLiteral("0"));
    const QCommandLineOption logOnly(QStringLiteral("log-only"), QStringLiteral("Write only the .LOG."));
    const QCommandLineOption noLog(QStringLiteral("no-log"), QStringLiteral("Write only the video."));
    parser.addOptions({out, seconds, width, height, fps, startTime, route, lat, lon, logRate, kmh, busy, driveView, follow,
                       followFrom, logOnly, noLog});
    parser.process(app);

    Options o;
    auto number = [&](const QCommandLineOption& option) {
        bool good = false;
        const double value = parser.value(option).toDouble(&good);
        if (!good || !std::isfinite(value))
            fail(QStringLiteral("--%1 needs a number").arg(option.names().first()));
        return value;
    };
    o.out = parser.value(out);
    if (o.out.isEmpty())
        fail(QStringLiteral("--out FILE.asf is required"));
    o.seconds = number(seconds);
    o.width = int(number(width));
    o.height = int(number(height));
    o.fps = int(number(fps));
    o.latitude = number(lat);
    o.longitude = number(lon);
    o.logRate = int(number(logRate));
    if (o.seconds <= 0 || o.seconds > 3600 || o.width < 16 || o.height < 16 || o.width > 4096 || o.height > 4096
        || o.fps < 1 || o.fps > 120 || o.logRate < 1 || o.logRate > 100 || std::fabs(o.latitude) > 85
        || std::fabs(o.longitude) > 180)
        fail(QStringLiteral("a value is out of range"));
    // Even sizes: the encoder works on 4:2:0 blocks.
    o.width &= ~1;
    o.height &= ~1;
    o.start = QDateTime::fromString(parser.value(startTime), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!o.start.isValid())
        fail(QStringLiteral("--start-time must look like \"2026-05-01 12:00:00\""));
    const QString routeName = parser.value(route);
    if (routeName == QLatin1String("city"))
        o.route = DriveRoute::City;
    else if (routeName == QLatin1String("straight"))
        o.route = DriveRoute::Straight;
    else
        fail(QStringLiteral("--route is city or straight"));
    o.kmh = parser.isSet(kmh);
    o.busy = parser.isSet(busy);
    o.driveView = parser.isSet(driveView);
    o.follow = parser.value(follow);
    if (!o.follow.isEmpty() && !o.driveView)
        fail(QStringLiteral("--follow needs --drive-view"));
    o.followFrom = number(followFrom);
    if (o.followFrom < 0 || o.followFrom > 36000 || (o.followFrom > 0 && o.follow.isEmpty()))
        fail(QStringLiteral("--follow-from needs --follow and a time within the log"));
    if (o.busy && o.driveView)
        fail(QStringLiteral("--busy and --drive-view are two different pictures"));
    o.video = !parser.isSet(logOnly);
    o.log = !parser.isSet(noLog);
    if (!o.video && !o.log)
        fail(QStringLiteral("--log-only and --no-log leave nothing to write"));
    return o;
}

} // namespace

// The drive view paints text, which needs a QGuiApplication; the test patterns
// start faster without one.
bool wantsDriveView(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--drive-view") == 0)
            return true;
    return false;
}

int main(int argc, char** argv)
{
    std::unique_ptr<QCoreApplication> app;
    if (wantsDriveView(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen"); // paints into images only, never needs a display
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    gst_init(&argc, &argv);
    const Options options = parse(*app);
    if (options.video && !writeVideo(options))
        return 1;
    if (options.log && !writeLog(options))
        return 1;
    return 0;
}
