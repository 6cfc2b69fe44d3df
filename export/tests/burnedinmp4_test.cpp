// The burned-in MP4: the readouts' texts and placement, and real files written from
// generated recordings, checked with GStreamer and ffprobe/ffmpeg.
#include "burnedinmp4.h"
#include "burninoverlay.h"

#include <gtest/gtest.h>
#include <gst/gst.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>

namespace {

BurnInSample Sample(double seconds, double x, double speedKmh, bool fix = true)
{
    return BurnInSample{seconds, x, -0.5, 1.0, 48.8698, 2.3075, speedKmh, fix};
}

double MeanDifference(const QImage& a, const QImage& b, const QRect& area)
{
    double total = 0;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
            ++count;
        }
    }
    return count ? total / (3.0 * count) : 0.0;
}

bool RunTool(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

QImage FrameAt(const QString& file, double seconds, const QString& png)
{
    QFile::remove(png);
    if (!RunTool(QStringLiteral("ffmpeg"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-ss"),
                                        QString::number(seconds), QStringLiteral("-i"), file, QStringLiteral("-frames:v"),
                                        QStringLiteral("1"), QStringLiteral("-y"), png}))
        return {};
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(BurnInSampleAt, TakesTheLastSampleAtOrBeforeTheMoment)
{
    const std::vector<BurnInSample> samples{Sample(1.0, 0.1, 10), Sample(1.1, 0.2, 11), Sample(1.2, 0.3, 12)};
    const struct {
        double seconds;
        double expected;
    } cases[] = {{0.0, 1.0}, {1.0, 1.0}, {1.05, 1.0}, {1.1, 1.1}, {1.19, 1.1}, {1.2, 1.2}, {99.0, 1.2}};
    for (const auto& c : cases) {
        const BurnInSample* sample = BurnInSampleAt(samples, c.seconds);
        ASSERT_NE(sample, nullptr) << c.seconds;
        EXPECT_DOUBLE_EQ(sample->seconds, c.expected) << c.seconds;
    }
    EXPECT_EQ(BurnInSampleAt({}, 1.0), nullptr);
}

TEST(BurnInOverlay, ShowsSpeedInTheChosenUnitAndSignedForces)
{
    const BurnInSample sample = Sample(0, -1.234, 100.0);
    EXPECT_EQ(BurnInOverlay(QSize(640, 480), false).SpeedText(&sample), QStringLiteral("100 km/h"));
    EXPECT_EQ(BurnInOverlay(QSize(640, 480), true).SpeedText(&sample), QStringLiteral("62 mph"));
    EXPECT_EQ(BurnInOverlay::ForceText('X', -1.234), QStringLiteral("X \u22121.23 g"));
    EXPECT_EQ(BurnInOverlay::ForceText('Z', 1.0), QStringLiteral("Z +1.00 g"));
    EXPECT_EQ(BurnInOverlay::PositionText(&sample), QStringLiteral("GPS 48.869800, 2.307500"));
    const BurnInSample noFix = Sample(0, 0, 0, false);
    EXPECT_EQ(BurnInOverlay::PositionText(&noFix), QStringLiteral("GPS: no fix"));
    EXPECT_EQ(BurnInOverlay::TimeText(3725.44), QStringLiteral("01:02:05.4"));
}

TEST(BurnInOverlay, DrawsInsideItsPanelOnly)
{
    for (const QSize size : {QSize(320, 240), QSize(640, 480), QSize(1920, 1080)}) {
        QImage frame(size, QImage::Format_RGBX8888);
        frame.fill(QColor(90, 140, 200));
        const QImage before = frame.copy();
        const BurnInOverlay overlay(size, false);
        const BurnInSample sample = Sample(0, 0.8, 57);
        overlay.Draw(frame, &sample, 12.3);
        const QRect panel = overlay.PanelRect();
        ASSERT_TRUE(QRect(QPoint(0, 0), size).contains(panel)) << size.width();
        EXPECT_GT(panel.height(), size.height() / 8) << "readable at " << size.width();
        EXPECT_LT(panel.height(), size.height() / 3) << "the picture stays the main thing";
        EXPECT_GT(MeanDifference(frame, before, panel), 20.0);
        for (int y = 0; y < size.height(); y += 5) {
            for (int x = 0; x < size.width(); x += 5) {
                if (!panel.contains(x, y))
                    ASSERT_EQ(frame.pixel(x, y), before.pixel(x, y)) << x << "," << y;
            }
        }
    }
}

class BurnedInMp4 : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_recording = s_dir->filePath(QStringLiteral("REC0001.asf"));
        s_ok = RunTool(QStringLiteral(KESTREL_MAKE_RECORDING),
                   {QStringLiteral("--out"), s_recording, QStringLiteral("--seconds"), QStringLiteral("6"),
                    QStringLiteral("--width"), QStringLiteral("320"), QStringLiteral("--height"),
                    QStringLiteral("240"), QStringLiteral("--no-log")});
        s_ffmpeg = !QStandardPaths::findExecutable(QStringLiteral("ffprobe")).isEmpty() &&
                   !QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty();
    }
    static void TearDownTestSuite() { delete s_dir; }

    void SetUp() override
    {
        if (!s_ok)
            GTEST_SKIP() << "the recording generator could not make a recording (GStreamer plugins missing?)";
        for (const char* element : {"x264enc", "mp4mux"})
            if (!gst_element_factory_find(element))
                GTEST_SKIP() << element << " is missing";
    }

    static std::vector<BurnInSample> Drive()
    {
        std::vector<BurnInSample> samples;
        for (int i = 0; i < 60; ++i)
            samples.push_back(Sample(i / 10.0, std::sin(i / 7.0), 40 + i));
        return samples;
    }

    // Streams of file as ffprobe sees them: codec names and the container's duration.
    static QJsonObject Probe(const QString& file)
    {
        QByteArray json;
        if (!RunTool(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-of"),
                                             QStringLiteral("json"), QStringLiteral("-show_streams"),
                                             QStringLiteral("-show_format"), file},
                 &json))
            return {};
        return QJsonDocument::fromJson(json).object();
    }

    static QStringList Codecs(const QJsonObject& probe)
    {
        QStringList codecs;
        for (const QJsonValue stream : probe.value(QStringLiteral("streams")).toArray())
            codecs << stream.toObject().value(QStringLiteral("codec_name")).toString();
        codecs.sort();
        return codecs;
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline QString s_recording;
    static inline bool s_ok = false;
    static inline bool s_ffmpeg = false;
};

TEST_F(BurnedInMp4, WritesH264AndAacOfTheSpanThatGStreamerAndFfmpegPlay)
{
    const QString out = s_dir->filePath(QStringLiteral("REC0001_1.5-4.5.mp4"));
    std::vector<double> fractions;
    std::string error;
    ASSERT_TRUE(WriteBurnedInMp4(s_recording.toStdString(), 1.5, 4.5, Drive(), false, out.toStdString(),
                                 [&](double f) { fractions.push_back(f); return true; }, &error))
        << error;
    EXPECT_FALSE(QFile::exists(out + QStringLiteral(".part")));
    ASSERT_FALSE(fractions.empty());
    EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
    EXPECT_DOUBLE_EQ(fractions.back(), 1.0);

    // GStreamer plays it to its end without an error.
    GError* gerror = nullptr;
    const std::string description = "filesrc location=\"" + out.toStdString() +
                                    "\" ! decodebin name=d d. ! queue ! fakesink d. ! queue ! fakesink";
    GstElement* player = gst_parse_launch(description.c_str(), &gerror);
    ASSERT_NE(player, nullptr);
    gst_element_set_state(player, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(player);
    GstMessage* end = gst_bus_timed_pop_filtered(bus, 60 * GST_SECOND,
                                                 GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(GST_MESSAGE_TYPE(end), GST_MESSAGE_EOS);
    gst_message_unref(end);
    gst_object_unref(bus);
    gst_element_set_state(player, GST_STATE_NULL);
    gst_object_unref(player);

    if (!s_ffmpeg)
        GTEST_SKIP() << "ffprobe/ffmpeg are not installed";
    const QJsonObject probe = Probe(out);
    EXPECT_EQ(Codecs(probe), (QStringList{QStringLiteral("aac"), QStringLiteral("h264")}));
    const double duration = probe.value(QStringLiteral("format")).toObject().value(QStringLiteral("duration"))
                                .toString().toDouble();
    EXPECT_NEAR(duration, 3.0, 0.15);

    // One second into the clip is 2.5 s into the source: the same picture around the
    // panel, the readouts inside it.
    const QImage burned = FrameAt(out, 1.0, s_dir->filePath(QStringLiteral("burned.png")));
    const QImage original = FrameAt(s_recording, 2.5, s_dir->filePath(QStringLiteral("original.png")));
    ASSERT_FALSE(burned.isNull());
    ASSERT_EQ(burned.size(), original.size());
    const QRect panel = BurnInOverlay(burned.size(), false).PanelRect();
    const QRect below(0, panel.bottom() + 1, burned.width(), burned.height() - panel.bottom() - 1);
    EXPECT_GT(MeanDifference(burned, original, panel), 25.0);
    EXPECT_LT(MeanDifference(burned, original, below), 8.0);
}

TEST_F(BurnedInMp4, GivesASourceWithoutSoundASilentTrack)
{
    if (!s_ffmpeg)
        GTEST_SKIP() << "ffmpeg is needed to make a recording without sound";
    const QString silent = s_dir->filePath(QStringLiteral("silent.mkv"));
    ASSERT_TRUE(RunTool(QStringLiteral("ffmpeg"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                                               QStringLiteral("-i"), s_recording, QStringLiteral("-an"),
                                               QStringLiteral("-c:v"), QStringLiteral("copy"), silent}));
    const QString out = s_dir->filePath(QStringLiteral("silent.mp4"));
    std::string error;
    ASSERT_TRUE(WriteBurnedInMp4(silent.toStdString(), 0.0, 2.0, Drive(), true, out.toStdString(), {}, &error))
        << error;
    const QJsonObject probe = Probe(out);
    EXPECT_EQ(Codecs(probe), (QStringList{QStringLiteral("aac"), QStringLiteral("h264")}));
    EXPECT_NEAR(probe.value(QStringLiteral("format")).toObject().value(QStringLiteral("duration")).toString().toDouble(),
                2.0, 0.15);
}

TEST_F(BurnedInMp4, CancelAndFailureLeaveNothingBehind)
{
    const QString out = s_dir->filePath(QStringLiteral("cancelled.mp4"));
    int calls = 0;
    std::string error;
    EXPECT_FALSE(WriteBurnedInMp4(s_recording.toStdString(), 0.5, 5.5, Drive(), false, out.toStdString(),
                                  [&](double) { return ++calls < 10; }, &error));
    EXPECT_EQ(calls, 10);
    EXPECT_FALSE(error.empty());

    const QString broken = s_dir->filePath(QStringLiteral("broken.asf"));
    QFile source(s_recording);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QFile damaged(broken);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, '\x5a') + source.read(20000).mid(4096));
    damaged.close();
    const QString brokenOut = s_dir->filePath(QStringLiteral("broken.mp4"));
    const QString missingOut = s_dir->filePath(QStringLiteral("missing.mp4"));
    error.clear();
    EXPECT_FALSE(WriteBurnedInMp4(broken.toStdString(), 0.0, 2.0, Drive(), false, brokenOut.toStdString(), {}, &error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(WriteBurnedInMp4(s_dir->filePath(QStringLiteral("none.asf")).toStdString(), 0.0, 2.0, Drive(),
                                  false, missingOut.toStdString(), {}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(WriteBurnedInMp4(s_recording.toStdString(), 3.0, 3.0, Drive(), false, missingOut.toStdString(),
                                  {}, &error));

    QStringList left = QDir(s_dir->path()).entryList({QStringLiteral("cancelled*"), QStringLiteral("broken.mp4*"),
                                                      QStringLiteral("missing*")});
    EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char(' ')).toStdString();
}

int main(int argc, char** argv)
{
    // The readouts' text needs a font database, which a QGuiApplication brings.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    gst_init(&argc, &argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
