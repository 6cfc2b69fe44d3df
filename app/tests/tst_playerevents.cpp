// The main window and the G-sensor events of a generated recording: marks on
// the position slider, Page Down / Page Up landing 2 s before each event with
// the play state kept, the note naming the event, and the note for a saved
// snapshot that never reaches the saved frame.
#include "appstate.h"
#include "cbitmapslider.h"
#include "cdxgraph.h"
#include "controlid.h"
#include "cplayerdlg.h"
#include "keytable.h"
#include "playerids.h"
#include "recordlistmodel.h"
#include "telemetryrecordformat.h"
#include "telemetrystrip.h"
#include "uiseam.h"
#include "uitexttable.h"
#include "videonote.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace PlayerId;

namespace {

constexpr int kSeconds = 10;
constexpr int kRecords = 100;  // ten a second; the log ends in a line break: 101 passes

// Quiet drive, a hard brake on X at samples 40..44 (peak -1.62 at 42) and a
// bump on Y at sample 80.
QByteArray eventLog()
{
    std::string text;
    for (int i = 0; i < kRecords; ++i) {
        TelemetrySample s;
        s.accelX = 0.02;
        s.accelY = -0.03;
        s.accelZ = 0.98;
        s.latitude = 48.87;
        s.longitude = 2.31;
        s.speed = 20;
        if (i >= 40 && i <= 44)
            s.accelX = i == 42 ? -1.62 : -1.2;
        if (i == 80)
            s.accelY = 1.3;
        text += FormatTelemetryRecord(s, i / 10) + "\r\n";
    }
    return QByteArray::fromStdString(text);
}

}  // namespace

class PlayerEventsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_programDir;
    QString m_card;
    QString m_recording;
    QString m_quiet;  // a recording without events

    std::unique_ptr<CPlayerDlg> openWindow(const QString& recording)
    {
        auto window = std::make_unique<CPlayerDlg>(m_programDir + QStringLiteral("kestrelview"));
        window->show();
        UiSeam::openHook = [&](QWidget*, const OpenFileRequest&) { return QStringList{recording}; };
        window->OnCommand(kOpenFile);
        UiSeam::openHook = nullptr;
        window->OnCommand(kPlay);
        return window;
    }
    static CBitmapSlider* slider(CPlayerDlg* window) { return FindControl<CBitmapSlider>(window, kPositionSlider); }
    static double position(CPlayerDlg* window)
    {
        double seconds = -1;
        window->Engine()->GetCurrentPosition(seconds);
        return seconds;
    }
    bool makeRecording(const QString& out)
    {
        QProcess generator;
        generator.start(QStringLiteral(KESTREL_MAKE_RECORDING),
                        {QStringLiteral("--out"), out, QStringLiteral("--seconds"), QString::number(kSeconds),
                         QStringLiteral("--width"), QStringLiteral("320"), QStringLiteral("--height"),
                         QStringLiteral("240"), QStringLiteral("--no-log")});
        return generator.waitForFinished(60000) && generator.exitCode() == 0 && QFile::exists(out);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath(QStringLiteral("runtime")).toLocal8Bit());
        for (const char* folder : {"runtime", "program", "card"})
            QVERIFY(QDir().mkpath(m_dir.filePath(QLatin1String(folder))));
        m_programDir = m_dir.filePath(QStringLiteral("program")) + QLatin1Char('/');
        m_card = m_dir.filePath(QStringLiteral("card")) + QLatin1Char('/');
        for (const char* page : {"map.txt", "Google-earth.html"})
            QFile::copy(QStringLiteral(KESTREL_PAGE_DIR "/") + QLatin1String(page), m_programDir + QLatin1String(page));
        QFile settings(m_programDir + QStringLiteral("ZELPlayer.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[VEXORAPLAYER]\nDefaultLang=0\n");
        settings.close();
        m_recording = m_card + QStringLiteral("EVENTS.asf");
        m_quiet = m_card + QStringLiteral("QUIET.asf");
        if (!makeRecording(m_recording) || !QFile::copy(m_recording, m_quiet))
            QSKIP("the recording generator could not make a recording (GStreamer plugins missing?)");
        QFile log(m_card + QStringLiteral("EVENTS.LOG"));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write(eventLog());
        log.close();
        QFile quiet(m_card + QStringLiteral("QUIET.LOG"));
        QVERIFY(quiet.open(QIODevice::WriteOnly));
        quiet.write(QByteArray(eventLog()).replace("-1.62", "-0.62").replace("-1.2", "-0.2").replace("+1.3", "+0.3"));
        UiSeam::questionHook = [](QWidget*, const QString&, const QString&, QMessageBox::StandardButtons,
                                  QMessageBox::StandardButton) { return QMessageBox::No; };
    }

    void init()
    {
        CurrentLanguage = kLanguageEnglish;
        FullScreenActive = false;
        RecordFolder.clear();
    }

    void cleanupTestCase() { UiSeam::ResetHooks(); }

    void marksAndPageKeysStepThroughTheEvents()
    {
        auto window = openWindow(m_recording);
        QVERIFY(window->Engine());
        // 101 counted passes: samples 40 and 80 first show at these slider values.
        const QVector<int> marks{FirstPositionShowing(40, kRecords + 1), FirstPositionShowing(80, kRecords + 1)};
        QCOMPARE(slider(window.get())->Marks(), marks);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 10000);
        window->OnCommand(kPause);
        QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->IsPaused(), 10000);

        const double duration = window->DurationSeconds();
        QVERIFY(duration > kSeconds - 1);
        QTest::keyClick(window.get(), Qt::Key_PageDown);
        const double first = marks[0] * duration / 1000 - 2;
        QVERIFY(window->Note()->isVisible());
        QCOMPARE(window->Note()->NoteText(), QStringLiteral(u"Event 1/2 \u00B7 X \u22121.62 g"));
        QCOMPARE(slider(window.get())->GetPos(), int(first * 1000 / duration));
        QTRY_VERIFY_WITH_TIMEOUT(std::fabs(position(window.get()) - first) < 0.1, 10000);
        QVERIFY(window->Engine()->IsPaused());  // the play state stays

        QTest::keyClick(window.get(), Qt::Key_PageDown);
        const double second = marks[1] * duration / 1000 - 2;
        QCOMPARE(window->Note()->NoteText(), QStringLiteral(u"Event 2/2 \u00B7 Y +1.30 g"));
        QTRY_VERIFY_WITH_TIMEOUT(std::fabs(position(window.get()) - second) < 0.1, 10000);
        // Past the last event Page Down stays where it is.
        QTest::keyClick(window.get(), Qt::Key_PageDown);
        QTest::qWait(200);
        QVERIFY(std::fabs(position(window.get()) - second) < 0.1);

        // Playing, Page Up goes back one event and plays on.
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->IsRunning(), 10000);
        QTest::keyClick(window.get(), Qt::Key_PageUp);
        QCOMPARE(window->Note()->NoteText(), QStringLiteral(u"Event 1/2 \u00B7 X \u22121.62 g"));
        QTRY_VERIFY_WITH_TIMEOUT(position(window.get()) < second - 1, 10000);
        // A flushing seek passes through paused on its way back to playing.
        QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->IsRunning(), 10000);
        const double afterJump = position(window.get());
        QTRY_VERIFY_WITH_TIMEOUT(position(window.get()) > afterJump + 0.2, 10000);
        window->OnCommand(kStop);
    }

    void focusedSliderStepsBetweenMarksOnlyWhenThereAreAny()
    {
        {
            auto window = openWindow(m_recording);
            QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 10000);
            window->OnCommand(kPause);
            CBitmapSlider* s = slider(window.get());
            s->setFocus();
            QTest::keyClick(s, Qt::Key_PageDown);
            const double first = s->Marks()[0] * window->DurationSeconds() / 1000 - 2;
            QTRY_VERIFY_WITH_TIMEOUT(std::fabs(position(window.get()) - first) < 0.1, 10000);
            window->OnCommand(kStop);
        }
        {
            // No events: the slider pages by 20, as it always has.
            auto window = openWindow(m_quiet);
            QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 10000);
            window->OnCommand(kPause);
            CBitmapSlider* s = slider(window.get());
            QVERIFY(s->Marks().isEmpty());
            s->setFocus();
            s->SetPos(100);
            QTest::keyClick(s, Qt::Key_PageDown);
            QCOMPARE(s->GetPos(), 120);
            QVERIFY(!window->Note()->isVisible());
            window->OnCommand(kStop);
        }
    }

    void noteLiesOverThePictureAndFollowsItIntoFullScreen()
    {
        auto window = openWindow(m_recording);
        QWidget* area = FindControl(window.get(), kVideoArea);
        QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->SurfaceWidget(), 10000);
        window->OnCommand(PlayerKeyCommand::kNextEvent);
        VideoNote* note = window->Note();
        QCOMPARE(note->parentWidget(), area);
        // Raised over the engine's surface, made when the recording started.
        QTRY_COMPARE_WITH_TIMEOUT(area->children().constLast(), static_cast<QObject*>(note), 1000);

        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(100, 100), area->mapToGlobal(QPointF(100, 100)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &twice);
        QVERIFY(FullScreenActive);
        QCOMPARE(note->parentWidget(), window->Engine()->SurfaceWidget());
        QVERIFY(note->isVisible());
        QCoreApplication::sendEvent(area, &twice);
        QVERIFY(!FullScreenActive);
        QCOMPARE(note->parentWidget(), area);

        // The note outlives every engine: a full-screen picture goes with its engine.
        QCoreApplication::sendEvent(area, &twice);
        QVERIFY(FullScreenActive);
        window->OnCommand(kStop);
        QVERIFY(!window->Engine());
        QCOMPARE(window->Note(), note);
        QCOMPARE(note->parentWidget(), area);
        FullScreenActive = false;
    }

    void snapshotSavedShowsItsNameButNotInTheFrame()
    {
        auto window = openWindow(m_recording);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 10000);
        window->OnCommand(kPause);
        QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->IsPaused(), 10000);
        window->OnCommand(PlayerKeyCommand::kNextEvent);
        QVERIFY(window->Note()->isVisible());
        QTest::qWait(300);  // the seek's frame is on screen

        const QString chosen = m_dir.filePath(QStringLiteral("shot.bmp"));
        UiSeam::saveHook = [&](QWidget*, const SaveFileRequest&) { return chosen; };
        window->OnCommand(kSnapshot);
        UiSeam::saveHook = nullptr;
        QCOMPARE(window->Note()->NoteText(), QStringLiteral(u"Snapshot saved \u00B7 shot.bmp"));

        // The saved frame is the engine's picture: where the note lies on screen it
        // holds the video, not the note's dark plate and white letters.
        const QImage saved(chosen);
        QVERIFY(!saved.isNull());
        QImage frame;
        QVERIFY(window->Engine()->GetCurrentImage(frame));
        QCOMPARE(saved.size(), frame.size());
        const QRect noteOnFrame(0, 0, 120, 30);
        for (int y = noteOnFrame.top(); y < noteOnFrame.bottom(); y += 3) {
            for (int x = noteOnFrame.left(); x < noteOnFrame.right(); x += 3)
                QCOMPARE(QColor(saved.pixel(x, y)).rgb() & 0xFFFFFF, QColor(frame.pixel(x, y)).rgb() & 0xFFFFFF);
        }
        // On screen the note is there.
        const QImage screen = FindControl(window.get(), kVideoArea)->grab().toImage();
        bool white = false;
        for (int y = 10; y < 30 && !white; ++y) {
            for (int x = 12; x < 200 && !white; ++x)
                white = qGray(screen.pixel(x, y)) > 240;
        }
        QVERIFY(white);

        // A cancelled save shows nothing new.
        window->Note()->HideNote();
        UiSeam::saveHook = [](QWidget*, const SaveFileRequest&) { return QString(); };
        window->OnCommand(kSnapshot);
        UiSeam::saveHook = nullptr;
        QVERIFY(!window->Note()->isVisible());
        window->OnCommand(kStop);
    }
};

QTEST_MAIN(PlayerEventsTest)
#include "tst_playerevents.moc"
