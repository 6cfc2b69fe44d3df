// The playback engine against recordings the project's generator makes at test
// time. Skips (with the reason) when a GStreamer element is missing.
#include "cdxgraph.h"
#include "gstcomplaints.h"
#include "hiddendecoders.h"
#include "videosurface.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

constexpr double kSeconds = 3.0;
constexpr int kFps = 25;
constexpr int kWidth = 320;
constexpr int kHeight = 240;
// The generator puts a key frame every fps / 2 frames; the file's index has one
// entry a second, so a key-frame seek lands at most that much before its target.
constexpr double kKeyFrameSpacing = double(kFps / 2) / kFps;
constexpr double kIndexSpacing = 1.0;
constexpr int kSettleMs = 5000;

// Counts the input that reaches a widget; lets the owner's handling be seen.
class InputProbe : public QObject {
public:
    int doubleClicks = 0;
    int presses = 0;
    int escapes = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick)
            ++doubleClicks;
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            ++escapes;
        return false;
    }
};

bool isDark(QRgb c)
{
    return qRed(c) < 24 && qGreen(c) < 24 && qBlue(c) < 24;
}

int brightPixels(const QImage& image)
{
    int bright = 0;
    for (int y = 0; y < image.height(); y += 8)
        for (int x = 0; x < image.width(); x += 8)
            bright += isDark(image.pixel(x, y)) ? 0 : 1;
    return bright;
}

VideoSurface* topLevelSurface()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* surface = qobject_cast<VideoSurface*>(w); surface && surface->isVisible())
            return surface;
    return nullptr;
}

} // namespace

class TestCDXGraph : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_recording;
    QString m_truncated;

    std::unique_ptr<CDXGraph> openRecording(const QString& path)
    {
        auto engine = std::make_unique<CDXGraph>();
        if (!engine->Create() || !engine->RenderFile(path))
            return nullptr;
        return engine;
    }

    // Waits (bounded) until a seek or step has settled: paused, and two equal
    // position readings in a row.
    static bool settle(CDXGraph& engine, double& position)
    {
        QDeadlineTimer deadline(kSettleMs);
        double previous = -2;
        while (!deadline.hasExpired()) {
            QTest::qWait(30);
            if (engine.IsPaused() && engine.GetCurrentPosition(position) && std::exchange(previous, position) == position)
                return true;
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        const QString missing = CDXGraph::MissingPluginsMessage();
        GstComplaints::Instance().Install();
        if (!missing.isEmpty())
            QSKIP(qPrintable(missing));
        const QString generator = qEnvironmentVariable("KESTREL_MAKE_RECORDING");
        if (generator.isEmpty() || !QFile::exists(generator))
            QSKIP("KESTREL_MAKE_RECORDING does not name the recording generator");
        QVERIFY(m_dir.isValid());
        m_recording = m_dir.filePath(QStringLiteral("REC0001.asf"));
        QProcess make;
        make.start(generator, {QStringLiteral("--out"), m_recording, QStringLiteral("--seconds"),
                               QString::number(kSeconds), QStringLiteral("--width"), QString::number(kWidth),
                               QStringLiteral("--height"), QString::number(kHeight), QStringLiteral("--fps"),
                               QString::number(kFps), QStringLiteral("--no-log")});
        QVERIFY(make.waitForFinished(60000));
        QCOMPARE(make.exitCode(), 0);

        // The same recording cut in half, as a card pulled out mid-write leaves it.
        QFile whole(m_recording);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        m_truncated = m_dir.filePath(QStringLiteral("CUT0001.asf"));
        QFile cut(m_truncated);
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(bytes.size() / 2));
    }

    // Any GStreamer or GObject warning or critical during a test fails it.
    void cleanup()
    {
        const QStringList complaints = GstComplaints::Instance().Take();
        QVERIFY2(complaints.isEmpty(), qPrintable(complaints.join(u'\n')));
    }

    void aGstreamerCriticalFailsTheTest()
    {
        // The watch itself: a sample someone else holds cannot take caps.
        GstSample* sample = gst_sample_new(nullptr, nullptr, nullptr, nullptr);
        gst_sample_ref(sample);
        GstCaps* caps = gst_caps_new_empty_simple("video/x-raw");
        gst_sample_set_caps(sample, caps);
        gst_caps_unref(caps);
        gst_sample_unref(sample);
        gst_sample_unref(sample);
        const QStringList complaints = GstComplaints::Instance().Take();
        QCOMPARE(complaints.size(), 1);
        QVERIFY2(complaints.first().contains(QStringLiteral("gst_sample_is_writable")), qPrintable(complaints.first()));
    }

    void playAndStopInQuickSuccessionLeaveTheSinkItsSamples()
    {
        // Clicked one after the other, faster than a frame: each start hands
        // the sink new caps for a sample it may still lend to the engine.
        QWidget target;
        target.resize(kWidth, kHeight);
        target.show();
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QVERIFY(engine->SetDisplayWindow(&target));
        for (int round = 0; round < 40; ++round) {
            // A new picture size is new caps for the sink, as when the window
            // goes to full screen or another recording starts.
            target.resize(round % 2 ? QSize(kWidth, kHeight) : QSize(kWidth * 3 / 2, kHeight * 3 / 2));
            QVERIFY(engine->Run());
            QTest::qWait(round % 4 == 0 ? 40 : round % 3);
            QImage frame;
            engine->GetCurrentImage(frame);
            QVERIFY(engine->Stop());
            QTest::qWait(round % 2);
            if (round % 5 == 0) {
                QVERIFY(engine->RenderFile(m_recording));
                QVERIFY(engine->SetCurrentPosition(kSeconds / 2));
            }
        }
        QVERIFY(engine->Run());
        QTRY_VERIFY(engine->IsRunning());
        engine->ReleaseAll();
    }

    void secondCreateFailsAndTheFirstGraphKeepsWorking()
    {
        CDXGraph engine;
        QVERIFY(engine.Create());
        QVERIFY(!engine.Create());
        QVERIFY(engine.RenderFile(m_recording));
        double duration = 0;
        QVERIFY(engine.GetDuration(duration));
        QVERIFY(duration > 0);
    }

    void releaseAllIsSafeTwiceAndLeavesNothingWorking()
    {
        CDXGraph engine;
        engine.ReleaseAll();
        QVERIFY(engine.Create());
        QVERIFY(engine.RenderFile(m_recording));
        engine.ReleaseAll();
        engine.ReleaseAll();
        double position = 42;
        QVERIFY(!engine.GetCurrentPosition(position));
        QCOMPARE(position, 42.0);
        // A released engine can be made again.
        QVERIFY(engine.Create());
        QVERIFY(engine.RenderFile(m_recording));
    }

    void everyOperationFailsWithoutCreateAndLeavesOutputsAlone()
    {
        CDXGraph engine;
        QWidget target;
        double position = 7.5;
        double duration = 8.5;
        long width = 11;
        long height = 12;
        const QString snapshot = m_dir.filePath(QStringLiteral("never.bmp"));
        QVERIFY(!engine.RenderFile(m_recording));
        QVERIFY(!engine.SetDisplayWindow(&target));
        QVERIFY(!engine.IsRunning());
        QVERIFY(!engine.IsPaused());
        QVERIFY(!engine.IsStopped());
        QVERIFY(!engine.Run());
        QVERIFY(!engine.Pause());
        QVERIFY(!engine.Stop());
        QVERIFY(!engine.GetCurrentPosition(position));
        QVERIFY(!engine.GetDuration(duration));
        QVERIFY(!engine.SetCurrentPosition(1.0));
        QVERIFY(!engine.SetAudioVolume(0));
        QVERIFY(!engine.StepOneFrame());
        QVERIFY(!engine.GetVideoSize(width, height));
        QVERIFY(!engine.SetFullScreen(true));
        QVERIFY(!engine.SaveSnapshot(snapshot));
        QCOMPARE(position, 7.5);
        QCOMPARE(duration, 8.5);
        QCOMPARE(width, 11L);
        QCOMPARE(height, 12L);
        QVERIFY(!QFile::exists(snapshot));
        QVERIFY(target.children().isEmpty());
    }

    void renderFileRefusesWhatIsNotARecording_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("create");
        QTest::newRow("missing file") << QStringLiteral("none.asf") << QByteArray() << false;
        QTest::newRow("empty path") << QString() << QByteArray() << false;
        QTest::newRow("folder") << QStringLiteral("folder.asf") << QByteArray() << false;
        QTest::newRow("empty file") << QStringLiteral("empty.asf") << QByteArray() << true;
        QTest::newRow("text file") << QStringLiteral("text.asf") << QByteArray("not a video\n").repeated(50) << true;
        QTest::newRow("asf header only") << QStringLiteral("head.asf")
                                         << QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c") << true;
    }

    void renderFileRefusesWhatIsNotARecording()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, create);
        QString path = name.isEmpty() ? QString() : m_dir.filePath(name);
        if (name == QLatin1String("folder.asf"))
            QVERIFY(QDir(m_dir.path()).mkpath(name));
        if (create) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        CDXGraph engine;
        QVERIFY(engine.Create());
        QVERIFY(!engine.RenderFile(path));
        // The owner then finds a duration of 0 (its fallback) and ends at once.
        double duration = 0;
        engine.GetDuration(duration);
        QCOMPARE(duration, 0.0);
        engine.Run();
        engine.Stop();
    }

    void commandsMoveBetweenStatesAndRepeatsAreHarmless()
    {
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        // A rendered file waits, prerolled, at its first frame.
        QVERIFY(engine->IsPaused());
        QVERIFY(engine->Pause());
        QVERIFY(engine->IsPaused());
        QVERIFY(engine->Run());
        QTRY_VERIFY(engine->IsRunning());
        QVERIFY(!engine->IsPaused());
        QVERIFY(engine->Run());
        QVERIFY(engine->Pause());
        QTRY_VERIFY(engine->IsPaused());
        QVERIFY(engine->Pause());
        QVERIFY(engine->Stop());
        QVERIFY(engine->IsStopped());
        QVERIFY(!engine->IsRunning());
        QVERIFY(engine->Stop());
        QVERIFY(engine->Run());
        QTRY_VERIFY(engine->IsRunning());
    }

    void durationAndSizeAreThoseOfTheRecording()
    {
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        double duration = 0;
        QVERIFY(engine->GetDuration(duration));
        QVERIFY2(std::fabs(duration - kSeconds) < 0.2, qPrintable(QString::number(duration)));
        // Whole media units: seconds x 10^7 is an integer.
        QCOMPARE(std::fmod(duration * 1e7, 1.0) < 1e-3 || std::fmod(duration * 1e7, 1.0) > 1 - 1e-3, true);
        long width = -1;
        long height = -1;
        QVERIFY(engine->GetVideoSize(width, height));
        QCOMPARE(width, long(kWidth));
        QCOMPARE(height, long(kHeight));
        double position = -1;
        QVERIFY(engine->GetCurrentPosition(position));
        QCOMPARE(position, 0.0);
    }

    void seekLandsOnTheKeyFrameAtOrBeforeTheTarget_data()
    {
        QTest::addColumn<double>("target");
        QTest::addColumn<double>("expected");
        QTest::newRow("start") << 0.0 << 0.0;
        QTest::newRow("one second") << 1.0 << 1.0;
        QTest::newRow("between key frames") << 1.75 << 1.75;
        QTest::newRow("before the start goes to 0") << -0.05 << 0.0;
        QTest::newRow("far before the start") << -30.0 << 0.0;
    }

    void seekLandsOnTheKeyFrameAtOrBeforeTheTarget()
    {
        QFETCH(double, target);
        QFETCH(double, expected);
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        double position = -1;
        QVERIFY(engine->SetCurrentPosition(2.5)); // start somewhere else
        QVERIFY(settle(*engine, position));
        QVERIFY(engine->SetCurrentPosition(target));
        QVERIFY(settle(*engine, position));
        QVERIFY2(position <= expected + 1e-6 && position >= expected - kIndexSpacing - kKeyFrameSpacing,
                 qPrintable(QStringLiteral("landed at %1").arg(position)));
    }

    void accurateSeekLandsOnTheFrameOfTheTarget_data()
    {
        QTest::addColumn<double>("target");
        QTest::newRow("between key frames") << 1.75;
        QTest::newRow("just after a key frame") << 1.04;
        QTest::newRow("just before a key frame") << 0.44;
        QTest::newRow("start") << 0.0;
    }

    void accurateSeekLandsOnTheFrameOfTheTarget()
    {
        QFETCH(double, target);
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        double position = -1;
        QVERIFY(engine->SetCurrentPosition(2.5));
        QVERIFY(settle(*engine, position));
        QVERIFY(engine->SetCurrentPosition(target, CDXGraph::SeekMode::Accurate));
        QVERIFY(settle(*engine, position));
        QVERIFY2(std::fabs(position - target) < 1.0 / kFps,
                 qPrintable(QStringLiteral("landed at %1").arg(position)));
        // The frame on screen is the one at the target, not the key frame before.
        QImage frame;
        QVERIFY(engine->GetCurrentImage(frame));
        QCOMPARE(frame.size(), QSize(kWidth, kHeight));
    }

    void playbackRateIsKeptWithinItsRange_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("quarter") << 0.25 << true;
        QTest::newRow("half") << 0.5 << true;
        QTest::newRow("normal") << 1.0 << true;
        QTest::newRow("four times") << 4.0 << true;
        QTest::newRow("too slow") << 0.2 << false;
        QTest::newRow("too fast") << 4.5 << false;
        QTest::newRow("zero") << 0.0 << false;
        QTest::newRow("backwards") << -1.0 << false;
        QTest::newRow("not a number") << std::nan("") << false;
    }

    void playbackRateIsKeptWithinItsRange()
    {
        QFETCH(double, rate);
        QFETCH(bool, accepted);
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QCOMPARE(engine->SetPlaybackRate(rate), accepted);
        QCOMPARE(engine->PlaybackRate(), accepted ? rate : 1.0);
    }

    // Media time cannot run ahead of what the rate allows, however loaded the
    // machine: a slow rate bounds the position's advance from above.
    void slowRateHoldsThroughSeeksStepsAndStops()
    {
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QVERIFY(engine->SetPlaybackRate(0.25));
        auto advanceBound = [&](const char* after) {
            double start = -1;
            QVERIFY2(settle(*engine, start), after);
            QElapsedTimer wall;
            QVERIFY(engine->Run());
            wall.start();
            QTRY_VERIFY(engine->IsRunning());
            // At least 600 ms, longer while a loaded machine has not yet
            // shown the first frame after the change; the bound below is
            // taken against the wall time that really passed.
            QTest::qWait(600);
            double now = -1;
            QVERIFY(engine->GetCurrentPosition(now));
            for (int waited = 0; now <= start && waited < 5000; waited += 50) {
                QTest::qWait(50);
                QVERIFY(engine->GetCurrentPosition(now));
            }
            const double elapsed = wall.elapsed() / 1000.0;
            QVERIFY(engine->Pause());
            QVERIFY2(now > start, after);
            QVERIFY2(now - start <= 0.25 * elapsed + 1.0 / kFps,
                     qPrintable(QStringLiteral("%1: %2 s of media in %3 s").arg(after).arg(now - start).arg(elapsed)));
        };
        advanceBound("rate set");
        QVERIFY(engine->SetCurrentPosition(1.0));
        advanceBound("key-frame seek");
        QVERIFY(engine->SetCurrentPosition(1.5, CDXGraph::SeekMode::Accurate));
        advanceBound("accurate seek");
        QVERIFY(engine->StepOneFrame());
        advanceBound("frame step");
        QVERIFY(engine->Stop());
        QVERIFY(engine->Run());
        QTRY_VERIFY(engine->IsRunning());
        QVERIFY(engine->Pause());
        advanceBound("stop and run");
        QCOMPARE(engine->PlaybackRate(), 0.25);
        double duration = 0;
        QVERIFY(engine->GetDuration(duration));
        QVERIFY2(std::fabs(duration - kSeconds) < 0.2, "the duration stays in media time");
    }

    // What cameras write comes from encoders other than ours: each such file
    // opens with its size and duration, plays, and gives its frame.
    void recordingsOfOtherEncodersOpenPlayAndGiveTheirFrame_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("videoCodec");
        QTest::addColumn<bool>("withAudio");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("wmv1 asf with audio 640x480") << "asf" << "wmv1" << true << 640 << 480;
        QTest::newRow("wmv2 asf silent 1280x720") << "asf" << "wmv2" << false << 1280 << 720;
        QTest::newRow("msmpeg4 asf with audio 720x480") << "asf" << "msmpeg4" << true << 720 << 480;
        QTest::newRow("h264 mp4 with audio 1920x1080") << "mp4" << "libx264" << true << 1920 << 1080;
        QTest::newRow("h265 mp4 silent 2560x1440") << "mp4" << "libx265" << false << 2560 << 1440;
    }

    void recordingsOfOtherEncodersOpenPlayAndGiveTheirFrame()
    {
        QFETCH(QString, container);
        QFETCH(QString, videoCodec);
        QFETCH(bool, withAudio);
        QFETCH(int, width);
        QFETCH(int, height);
        const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
        if (ffmpeg.isEmpty())
            QSKIP("ffmpeg is not installed (scripts/setup.sh installs it)");
        const QString path = m_dir.filePath(QStringLiteral("%1-%2x%3.%4").arg(videoCodec).arg(width).arg(height).arg(container));
        QStringList arguments{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                              QStringLiteral("lavfi"), QStringLiteral("-i"),
                              QStringLiteral("testsrc2=size=%1x%2:rate=30:duration=2").arg(width).arg(height)};
        if (withAudio)
            arguments << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
                      << QStringLiteral("sine=duration=2");
        arguments << QStringLiteral("-c:v") << videoCodec << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p");
        if (videoCodec.startsWith(QStringLiteral("libx26")))
            arguments << QStringLiteral("-preset") << QStringLiteral("ultrafast");
        if (withAudio)
            arguments << QStringLiteral("-c:a") << (container == QStringLiteral("asf") ? QStringLiteral("wmav2") : QStringLiteral("aac"));
        arguments << path;
        QProcess make;
        make.start(ffmpeg, arguments);
        QVERIFY(make.waitForFinished(120000));
        if (make.exitCode() != 0)
            QSKIP(qPrintable(QStringLiteral("this ffmpeg cannot write %1: %2").arg(videoCodec, QString::fromLocal8Bit(make.readAllStandardError()))));

        auto engine = openRecording(path);
        QVERIFY2(engine, qPrintable(path));
        long w = 0;
        long h = 0;
        QVERIFY(engine->GetVideoSize(w, h));
        QCOMPARE(int(w), width);
        QCOMPARE(int(h), height);
        double duration = 0;
        QVERIFY(engine->GetDuration(duration));
        QVERIFY2(std::abs(duration - 2.0) < 0.15, qPrintable(QString::number(duration)));
        QVERIFY(engine->Run());
        double position = 0;
        QTRY_VERIFY_WITH_TIMEOUT(engine->GetCurrentPosition(position) && position > 0.3, 10000);
        QVERIFY(engine->Pause());
        QImage frame;
        QVERIFY(engine->GetCurrentImage(frame));
        QCOMPARE(frame.size(), QSize(width, height));
    }

    void currentImageIsTheSnapshotsFrameAtNativeSize()
    {
        QWidget target;
        target.resize(2 * kWidth + 17, kHeight);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QImage frame(3, 3, QImage::Format_RGB32);
        QVERIFY(engine->SetDisplayWindow(&target));
        QVERIFY(engine->SetCurrentPosition(1.0));
        double position = -1;
        QVERIFY(settle(*engine, position));
        QVERIFY(engine->GetCurrentImage(frame));
        QCOMPARE(frame.size(), QSize(kWidth, kHeight));
        QVERIFY(brightPixels(frame) > 0);
        const QString path = m_dir.filePath(QStringLiteral("same.bmp"));
        QVERIFY(engine->SaveSnapshot(path));
        QImage saved(path, "BMP");
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), frame.convertToFormat(QImage::Format_RGB32));

        CDXGraph empty;
        QImage untouched(5, 5, QImage::Format_RGB32);
        QVERIFY(!empty.GetCurrentImage(untouched));
        QCOMPARE(untouched.size(), QSize(5, 5));
    }

    // Each ctest run names a path (KESTREL_VIDEO_PATH): the engine must draw
    // through that one, so that both paths really pass these tests.
    void surfaceDrawsThroughThePathAskedFor()
    {
        const QString asked = qEnvironmentVariable("KESTREL_VIDEO_PATH");
        if (asked != QLatin1String("gl") && asked != QLatin1String("software"))
            QSKIP("KESTREL_VIDEO_PATH names no path");
        QWidget target;
        target.resize(kWidth, kHeight);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QVERIFY(engine->SetDisplayWindow(&target));
        auto* surface = qobject_cast<VideoSurface*>(engine->SurfaceWidget());
        QVERIFY(surface);
        QCOMPARE(surface->drawsThroughGl(), asked == QLatin1String("gl"));
        QVERIFY(engine->Run());
        QTRY_VERIFY_WITH_TIMEOUT(surface->framesShown() > 3, 10000);
        QCOMPARE(surface->frame().isYuv(), asked == QLatin1String("gl"));
    }

    // The picture on screen, at the video's own size, is the frame the
    // snapshot takes: same colours (no swapped or mis-scaled planes), same place.
    void thePictureOnScreenIsTheCurrentImage()
    {
        QWidget target;
        target.resize(kWidth, kHeight);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QVERIFY(engine->SetDisplayWindow(&target));
        auto* surface = qobject_cast<VideoSurface*>(engine->SurfaceWidget());
        QVERIFY(surface);
        QVERIFY(engine->SetCurrentPosition(1.0, CDXGraph::SeekMode::Accurate));
        double position = -1;
        QVERIFY(settle(*engine, position));
        QImage frame;
        QVERIFY(engine->GetCurrentImage(frame));
        QCOMPARE(frame.size(), QSize(kWidth, kHeight));
        QTRY_VERIFY(surface->framesShown() > 0);
        QTest::qWait(100);
        const QImage shot = target.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), frame.size());
        qint64 difference = 0;
        int samples = 0;
        for (int y = 2; y < kHeight - 2; y += 3)
            for (int x = 2; x < kWidth - 2; x += 3) {
                const QRgb a = shot.pixel(x, y);
                const QRgb b = frame.pixel(x, y);
                const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
                difference += d;
                ++samples;
            }
        // Rounding and the chroma filter differ between the CPU and the GPU by
        // a few levels; a wrong matrix, range or plane order by tens.
        QVERIFY2(difference / samples <= 9, qPrintable(QStringLiteral("mean difference %1").arg(difference / samples)));
        QVERIFY(brightPixels(shot) > 20);
    }

    void aNoteOverTheSurfaceShowsOnTopOfThePicture()
    {
        QWidget target;
        target.resize(kWidth, kHeight);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QCOMPARE(engine->SurfaceWidget(), nullptr);
        QVERIFY(engine->SetDisplayWindow(&target));
        QWidget* surface = engine->SurfaceWidget();
        QVERIFY(surface);
        QCOMPARE(surface->parentWidget(), &target);
        auto* note = new QWidget(surface);
        note->setAutoFillBackground(true);
        QPalette palette = note->palette();
        palette.setColor(QPalette::Window, QColor(255, 0, 255));
        note->setPalette(palette);
        note->setGeometry(10, 10, 40, 20);
        note->show();
        QVERIFY(engine->Run());
        QTRY_VERIFY(engine->IsRunning());
        QTest::qWait(200);
        const QImage shot = target.grab().toImage();
        QCOMPARE(shot.pixel(30, 20), qRgb(255, 0, 255));
        QVERIFY(brightPixels(shot) > 20);

        QVERIFY(engine->SetFullScreen(true));
        QCOMPARE(engine->SurfaceWidget(), surface);
        QVERIFY(surface->isWindow());
        QVERIFY(engine->SetFullScreen(false));
        QCOMPARE(surface->parentWidget(), &target);
        engine->ReleaseAll();
        QCOMPARE(engine->SurfaceWidget(), nullptr);
    }

    void seekPastTheEndReadsAsTheEnd()
    {
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        double duration = 0;
        QVERIFY(engine->GetDuration(duration));
        for (const double target : {duration, duration + 10.0}) {
            QVERIFY(engine->SetCurrentPosition(target));
            double position = -1;
            QVERIFY(engine->GetCurrentPosition(position));
            QCOMPARE(position, duration);
        }
        // Back from the end, the position is live again.
        QVERIFY(engine->SetCurrentPosition(1.0));
        double position = -1;
        QVERIFY(settle(*engine, position));
        QVERIFY(position <= 1.0 + 1e-6);
    }

    void stepOneFrameAdvancesByOneFrame()
    {
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QVERIFY(engine->SetCurrentPosition(1.0));
        double before = -1;
        QVERIFY(settle(*engine, before));
        for (int step = 0; step < 3; ++step) {
            QVERIFY(engine->StepOneFrame());
            double after = -1;
            QVERIFY(settle(*engine, after));
            QVERIFY2(std::fabs(after - before - 1.0 / kFps) < 0.25 / kFps,
                     qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
            before = after;
        }
    }

    void stepOneFramePausesARunningEngineFirst()
    {
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QVERIFY(engine->Run());
        QTRY_VERIFY(engine->IsRunning());
        QVERIFY(engine->StepOneFrame());
        QTRY_VERIFY(engine->IsPaused());
    }

    void volumeTakesHundredthsOfADecibelDownToSilence_data()
    {
        QTest::addColumn<long>("hundredthsDb");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("full") << 0L << true;
        QTest::newRow("slider low end") << -1000L << true;
        QTest::newRow("middle") << -500L << true;
        QTest::newRow("silence") << -10000L << true;
        QTest::newRow("louder than full") << 1L << false;
        QTest::newRow("below silence") << -10001L << false;
    }

    void volumeTakesHundredthsOfADecibelDownToSilence()
    {
        QFETCH(long, hundredthsDb);
        QFETCH(bool, accepted);
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QCOMPARE(engine->SetAudioVolume(hundredthsDb), accepted);
    }

    void snapshotIsABitmapOfTheVideoSize()
    {
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QVERIFY(engine->SetCurrentPosition(1.0));
        double position = -1;
        QVERIFY(settle(*engine, position));
        const QString path = m_dir.filePath(QStringLiteral("snap.bmp"));
        QVERIFY(engine->SaveSnapshot(path));
        QImage image(path, "BMP");
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(kWidth, kHeight));
        QVERIFY(brightPixels(image) > 0);
        // Replaced on the next snapshot; an impossible place fails.
        QVERIFY(engine->SaveSnapshot(path));
        QVERIFY(!engine->SaveSnapshot(m_dir.filePath(QStringLiteral("no/such/folder/snap.bmp"))));
    }

    void positionEqualsDurationExactlyAtTheEnd()
    {
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        double duration = 0;
        QVERIFY(engine->GetDuration(duration));
        QVERIFY(engine->SetCurrentPosition(duration - 1.0));
        QVERIFY(engine->Run());
        double position = -1;
        QTRY_VERIFY_WITH_TIMEOUT(engine->GetCurrentPosition(position) && position == duration, 15000);
        // It stays there, still running, as the owner's end check expects.
        QVERIFY(engine->GetCurrentPosition(position));
        QCOMPARE(position, duration);
    }

    void truncatedRecordingPlaysToItsEndWithoutCrashing()
    {
        CDXGraph engine;
        QVERIFY(engine.Create());
        QWidget target;
        target.resize(kWidth, kHeight);
        target.show();
        const bool rendered = engine.RenderFile(m_truncated);
        engine.SetDisplayWindow(&target);
        QVERIFY(engine.Run() || !rendered);
        double duration = 0;
        engine.GetDuration(duration);
        double position = -1;
        // The owner's end check: the position reaches the duration (0 if unreadable).
        QTRY_VERIFY_WITH_TIMEOUT((engine.GetCurrentPosition(position) ? position : 0.0) == duration, 15000);
        long width = 0;
        long height = 0;
        engine.GetVideoSize(width, height);
        engine.SaveSnapshot(m_dir.filePath(QStringLiteral("cut.bmp")));
        engine.StepOneFrame();
        engine.SetCurrentPosition(0.5);
        engine.Stop();
    }

    void surfaceFillsTheTargetShowsFramesAndLetsClicksThrough()
    {
        QWidget target;
        target.resize(2 * kWidth, 2 * kHeight);
        InputProbe probe;
        target.installEventFilter(&probe);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QVERIFY(engine->SetDisplayWindow(&target));
        auto* surface = target.findChild<VideoSurface*>();
        QVERIFY(surface);
        QVERIFY(surface->isVisible());
        QCOMPARE(surface->geometry(), target.rect());
        QTRY_VERIFY(brightPixels(target.grab().toImage()) > 20);
        QVERIFY(engine->Run());
        QTRY_VERIFY_WITH_TIMEOUT(surface->framesPainted() > 5 || surface->frame().isNull() == false, 5000);

        QTest::mouseDClick(&target, Qt::LeftButton, {}, target.rect().center());
        QCOMPARE(probe.doubleClicks, 1);

        // Released: the surface leaves the target.
        engine->ReleaseAll();
        QVERIFY(target.findChild<VideoSurface*>() == nullptr || !target.findChild<VideoSurface*>()->isVisible());
    }

    void nullWindowShowsNothingAndFullScreenNeedsASurface()
    {
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QVERIFY(engine->SetDisplayWindow(nullptr));
        QVERIFY(!engine->SetFullScreen(true));
    }

    void fullScreenPassesDoubleClickAndEscapeToTheTargetAndComesBack()
    {
        QDialog owner;
        owner.resize(kWidth + 40, kHeight + 40);
        auto* target = new QWidget(&owner);
        target->setGeometry(20, 20, kWidth, kHeight);
        InputProbe probe;
        target->installEventFilter(&probe);
        QSignalSpy rejected(&owner, &QDialog::rejected);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        auto engine = openRecording(m_recording);
        QVERIFY(engine);
        QVERIFY(engine->SetDisplayWindow(target));

        QVERIFY(engine->SetFullScreen(true));
        VideoSurface* surface = topLevelSurface();
        QVERIFY(surface);
        QVERIFY(surface->isWindow());
        QVERIFY(surface->windowState() & Qt::WindowFullScreen);
        QVERIFY(surface->windowFlags() & Qt::FramelessWindowHint);

        QTest::mouseDClick(surface, Qt::LeftButton, {}, surface->rect().center());
        QCOMPARE(probe.doubleClicks, 1);
        const int presses = probe.presses;
        QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(probe.presses, presses + 1);
        QTest::keyClick(surface, Qt::Key_Escape);
        QCOMPARE(probe.escapes, 1);
        // Unhandled by the target, the key climbs to the target's window.
        QCOMPARE(rejected.count(), 1);

        QVERIFY(engine->SetFullScreen(false));
        QVERIFY(!surface->isWindow());
        QCOMPARE(surface->parentWidget(), target);
        QCOMPARE(surface->geometry(), target->rect());
        QVERIFY(surface->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void recordingsOfCurrentCamerasPlay_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("codec");
        QTest::newRow("H.264 in MP4") << QStringLiteral("CAM0001.mp4") << QStringLiteral("libx264");
        QTest::newRow("H.264 in MOV") << QStringLiteral("CAM0002.MOV") << QStringLiteral("libx264");
        QTest::newRow("H.264 in Matroska") << QStringLiteral("CAM0003.mkv") << QStringLiteral("libx264");
        QTest::newRow("H.264 in MPEG-TS") << QStringLiteral("CAM0004.ts") << QStringLiteral("libx264");
        QTest::newRow("H.265 in MP4") << QStringLiteral("CAM0005.mp4") << QStringLiteral("libx265");
    }

    void recordingsOfCurrentCamerasPlay()
    {
        QFETCH(QString, name);
        QFETCH(QString, codec);
        const QString path = m_dir.filePath(name);
        if (!MakeCameraRecording(path, codec))
            QSKIP(qPrintable(QStringLiteral("ffmpeg cannot write %1 with %2").arg(name, codec)));
        QWidget target;
        target.resize(kWidth, kHeight);
        target.show();
        auto engine = openRecording(path);
        QVERIFY(engine);
        QVERIFY(engine->MissingDecoder().IsEmpty());
        long width = 0;
        long height = 0;
        QVERIFY(engine->GetVideoSize(width, height));
        QCOMPARE(width, long(kWidth));
        QCOMPARE(height, long(kHeight));
        double duration = 0;
        QVERIFY(engine->GetDuration(duration));
        QVERIFY2(std::abs(duration - 2.0) < 0.2, qPrintable(QString::number(duration)));
        QVERIFY(engine->SetDisplayWindow(&target));
        QVERIFY(engine->Run());
        double position = 0;
        QTRY_VERIFY_WITH_TIMEOUT(engine->GetCurrentPosition(position) && position > 0.5, 10000);
        QImage frame;
        QVERIFY(engine->GetCurrentImage(frame));
        QCOMPARE(frame.size(), QSize(kWidth, kHeight));
        QVERIFY(brightPixels(frame) > 100);
    }

    void aMissingDecoderIsNamedNotLeftBlack()
    {
        const QString path = m_dir.filePath(QStringLiteral("HEVC0001.mp4"));
        if (!MakeCameraRecording(path, QStringLiteral("libx265")))
            QSKIP("ffmpeg cannot write H.265");
        CDXGraph engine;
        QVERIFY(engine.Create());
        {
            // As on a system without gstreamer1.0-libav's H.265 decoder.
            HiddenDecoders hidden("video/x-h265");
            QVERIFY(hidden.Count() > 0);
            engine.RenderFile(path);
        }
        const CDXGraph::MissingPlugin missing = engine.MissingDecoder();
        QVERIFY(!missing.IsEmpty());
        QVERIFY2(missing.detail.contains(QStringLiteral("decoder-video/x-h265")), qPrintable(missing.detail));
        QVERIFY2(missing.description.contains(QStringLiteral("H.265")), qPrintable(missing.description));
        // The next file starts with nothing missing.
        QVERIFY(engine.RenderFile(m_recording));
        QVERIFY(engine.MissingDecoder().IsEmpty());
        // With the decoder back (a playbin keeps the list it autoplugs from),
        // the same file plays.
        auto again = openRecording(path);
        QVERIFY(again);
        QVERIFY(again->MissingDecoder().IsEmpty());
    }
};

QTEST_MAIN(TestCDXGraph)
#include "tst_cdxgraph.moc"
