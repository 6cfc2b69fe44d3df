// The main window as a user meets it: first start, the exit question, full
// screen, units, languages, and a generated recording played end to end.
#include "appstate.h"
#include "cbitmapbutton.h"
#include "cbitmapslider.h"
#include "cdxgraph.h"
#include "cinformation.h"
#include "controlid.h"
#include "cplayerdlg.h"
#include "creadout.h"
#include "crecord.h"
#include "cwebbrowser2.h"
#include "filenamecodec.h"
#include "telemetrystrip.h"
#include "playerids.h"
#include "playersettings.h"
#include "privateprofile.h"
#include "recordlistmodel.h"
#include "telemetrytrack.h"
#include "uiseam.h"
#include "uitexttable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>
#include <utility>

#include <cstdio>

using namespace PlayerId;

class PlayerDlgTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_programDir;
    QString m_recording;
    int m_questions = 0;
    QMessageBox::StandardButton m_answer = QMessageBox::No;
    QStringList m_warnings;

    QString settingsPath() const { return m_programDir + QStringLiteral("ZELPlayer.ini"); }
    std::unique_ptr<CPlayerDlg> makeWindow()
    {
        // Program-wide state starts as a program start leaves it, whatever the
        // test before left behind.
        LastSliderPosition = 0;
        auto window = std::make_unique<CPlayerDlg>(m_programDir + QStringLiteral("kestrelview"));
        window->show();
        return window;
    }
    QString settingText(const QString& key) const
    {
        return PrivateProfile::GetString(QStringLiteral("VEXORAPLAYER"), key, QStringLiteral("<absent>"), settingsPath());
    }
    QString makeRecording(const QString& name, int seconds)
    {
        return makeRecordingIn(QStringLiteral("card/"), name, seconds);
    }
    QString makeRecordingIn(const QString& folder, const QString& name, int seconds)
    {
        QDir().mkpath(m_dir.filePath(folder));
        const QString out = m_dir.filePath(folder + name);
        QProcess generator;
        generator.start(QStringLiteral(KESTREL_MAKE_RECORDING),
                        {QStringLiteral("--out"), out, QStringLiteral("--seconds"), QString::number(seconds),
                         QStringLiteral("--width"), QStringLiteral("320"), QStringLiteral("--height"),
                         QStringLiteral("240")});
        if (!generator.waitForFinished(60000) || generator.exitCode() != 0)
            return {};
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath(QStringLiteral("runtime")).toLocal8Bit());
        QDir().mkpath(m_dir.filePath(QStringLiteral("runtime")));
        QDir().mkpath(m_dir.filePath(QStringLiteral("program")));
        QDir().mkpath(m_dir.filePath(QStringLiteral("card")));
        m_programDir = m_dir.filePath(QStringLiteral("program")) + QLatin1Char('/');
        for (const char* page : {"map.txt", "Google-earth.html"}) {
            QFile::copy(QStringLiteral(KESTREL_PAGE_DIR "/") + QLatin1String(page),
                        m_programDir + QLatin1String(page));
        }
        UiSeam::questionHook = [this](QWidget*, const QString&, const QString&, QMessageBox::StandardButtons,
                                      QMessageBox::StandardButton) {
            ++m_questions;
            return m_answer;
        };
        UiSeam::warnHook = [this](QWidget*, const QString&, const QString& text) { m_warnings << text; };
    }

    void cleanupTestCase() { UiSeam::ResetHooks(); }

    void init()
    {
        QFile::remove(settingsPath());
        m_questions = 0;
        m_answer = QMessageBox::No;
        m_warnings.clear();
        FullScreenActive = false;
        RecordFolder.clear();
    }

    void firstStartWritesGermanAndMph()
    {
        auto window = makeWindow();
        QCOMPARE(CurrentLanguage, 3);
        QCOMPARE(settingText(QStringLiteral("DefaultLang")), QStringLiteral("3"));
        QVERIFY(FindControl<QRadioButton>(window.get(), kUnitMph)->isChecked());
        QCOMPARE(FindControl(window.get(), kPlay)->toolTip(), UiTextIn(3, 9));
        QCOMPARE(FindControl(window.get(), kLanguage)->toolTip(), QString::fromUtf16(ChangeLanguageCaptions[3]));
        QVERIFY(m_warnings.isEmpty());
    }

    void windowKeepsItsFixedPlaces()
    {
        auto window = makeWindow();
        QCOMPARE(window->size(), QSize(1024, 724));
        QCOMPARE(window->windowTitle(), QStringLiteral("Dashtrail"));
        QCOMPARE(FindControl(window.get(), kPlay)->size(), QSize(34, 28));
        QCOMPARE(FindControl(window.get(), kToEnd)->pos(), QPoint(128 + 35 * 8, 649));
        QCOMPARE(FindControl(window.get(), kRecordTab)->size(), QSize(147, 26));
        QCOMPARE(FindControl(window.get(), kPositionSlider)->size(), QSize(597, 37));
        QCOMPARE(FindControl(window.get(), kVolumeSlider)->size(), QSize(157, 18));
        QVERIFY(!FindControl(window.get(), kPositionSlider)->isVisible());
        QVERIFY(!FindControl(window.get(), kInformationTab)->isEnabled());
        QCOMPARE(FindControl<CBitmapSlider>(window.get(), kVolumeSlider)->GetPos(), 500);
    }

    void answeringNoKeepsTheWindowAndYesEndsIt()
    {
        auto window = makeWindow();
        window->OnCommand(kCancel);
        QCOMPARE(m_questions, 1);
        QVERIFY(window->isVisible());
        m_answer = QMessageBox::Yes;
        window->OnCommand(kCancel);
        QCOMPARE(m_questions, 2);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Rejected));
    }

    void enterAndEscapeBothAskBeforeClosing()
    {
        auto window = makeWindow();
        QTest::keyClick(window.get(), Qt::Key_Return);
        QCOMPARE(m_questions, 1);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QCOMPARE(m_questions, 2);
        QVERIFY(window->isVisible());
    }

    void escapeInFullScreenLeavesItFirst()
    {
        auto window = makeWindow();
        FullScreenActive = true;
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QCOMPARE(m_questions, 0);
        QVERIFY(!FullScreenActive);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QCOMPARE(m_questions, 1);
    }

    void unitRadiosWriteOnlyWhenTheUnitChanges()
    {
        auto window = makeWindow();
        window->OnCommand(kUnitKmh);
        QCOMPARE(ShowKMHMode, 1);
        QCOMPARE(settingText(QStringLiteral("ShowKMHMode")), QStringLiteral("1"));
        QFile::remove(settingsPath());
        window->OnCommand(kUnitKmh);
        QVERIFY(!QFile::exists(settingsPath()));
        window->OnCommand(kUnitMph);
        QCOMPARE(ShowKMHMode, 0);
        QCOMPARE(settingText(QStringLiteral("ShowKMHMode")), QStringLiteral("0"));
    }

    void languageCommandRelabelsEverythingAndRemembersIt()
    {
        auto window = makeWindow();
        window->OnCommand(kFirstLanguageMenuCommand + 0);
        QCOMPARE(CurrentLanguage, 0);
        QCOMPARE(settingText(QStringLiteral("DefaultLang")), QStringLiteral("0"));
        QCOMPARE(FindControl(window.get(), kPlay)->toolTip(), QStringLiteral("Play"));
        QCOMPARE(FindControl(window.get(), kConfiguration)->toolTip(), QStringLiteral("Configuration"));
        QCOMPARE(FindControl(window.get(), kLanguage)->toolTip(), QStringLiteral("Change Language"));
        window->OnCommand(kFirstLanguageMenuCommand + 25);
        QCOMPARE(settingText(QStringLiteral("DefaultLang")), QStringLiteral("25"));
        QCOMPARE(FindControl(window.get(), kLanguage)->toolTip(), QString::fromUtf16(ChangeLanguageCaptions[25]));
        // The map page is made again in the new language.
        QFile page(window->InformationPanel()->mapPagePath());
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains("lang=\"el\""));
    }

    void noTelemetryOfThisRecordingShowsNothingOfTheOneBefore()
    {
        auto window = makeWindow();
        const QString card = m_dir.filePath(QStringLiteral("logs/"));
        QVERIFY(QDir().mkpath(card));
        const auto writeLog = [&](const char* name, const QByteArray& bytes) {
            QFile file(card + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        };
        QByteArray good;
        for (int i = 0; i < 50; ++i)
            good += "A 2024-05-01 12:00:07.000 GSENSOR=+0.512,-0.734,+0.981 GPS LAT:N 22 30.1234 E 114 5.6789 35.2 OK\r\n";
        writeLog("good.LOG", good);
        writeLog("powerloss.LOG", QByteArray(4096, '\0'));
        writeLog("garbage.LOG", QByteArray("\x01\xfe GSENSOR=\x80 ,,, GPS \xff OK\r\n"));
        auto* speed = FindControl<CReadout>(window.get(), kSpeedText);
        QImage surface(600, 95, QImage::Format_RGB32);
        const auto drawFor = [&](const char* record) {
            CurrentRecordName = card + QLatin1String(record);
            TelemetryReloadPending = true;
            window->DrawTelemetry(surface);
        };
        const auto litPixels = [&] {
            int lit = 0;
            for (int y = 0; y < surface.height(); ++y)
                for (int x = 0; x < surface.width(); ++x)
                    lit += (surface.pixel(x, y) & 0xffffff) != 0 ? 1 : 0;
            return lit;
        };

        for (const char* record : {"powerloss.asf", "garbage.asf", "missing.asf"}) {
            drawFor("good.asf");
            QVERIFY(!speed->text().isEmpty());
            QVERIFY(litPixels() > 0);
            drawFor(record);
            QVERIFY2(speed->text().isEmpty(), record);
            QVERIFY2(litPixels() == 0, record);
            window->DrawTelemetry(surface);  // and on the next tick
            QVERIFY2(speed->text().isEmpty(), record);
        }
        CurrentRecordName.clear();
    }

    void playsAGeneratedRecordingEndToEnd()
    {
        const QString recording = makeRecording(QStringLiteral("drive.asf"), 6);
        // Long enough that a loaded machine does not reach the end before the
        // transport checks below.
        if (recording.isEmpty())
            QSKIP("the recording generator could not make a recording (GStreamer plugins missing?)");
        auto window = makeWindow();
        UiSeam::openHook = [&](QWidget*, const OpenFileRequest&) { return QStringList{recording}; };
        window->OnCommand(kOpenFile);
        UiSeam::openHook = nullptr;
        QCOMPARE(window->CurrentVideoPath(), recording);
        QCOMPARE(RecordCount, 1);

        window->OnCommand(kPlay);
        QVERIFY(window->Engine());
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 3000);
        auto* slider = FindControl<CBitmapSlider>(window.get(), kPositionSlider);
        auto* time = FindControl<CReadout>(window.get(), kTimeText);
        QVERIFY(slider->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(slider->GetPos() > 0, 5000);
        QVERIFY(time->text().endsWith(QStringLiteral("/00:00:06")));

        window->OnCommand(kToStart);
        QVERIFY(FindControl<CBitmapButton>(window.get(), kPause)->PushedState());
        QTRY_COMPARE_WITH_TIMEOUT(slider->GetPos(), 0, 3000);
        window->OnCommand(kFrameForward);
        QVERIFY(window->Engine());
        QVERIFY(window->Engine()->IsPaused() || !window->Engine()->IsRunning());

        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->IsRunning(), 3000);
        // Printing pauses at the printed frame, also when the dialog is cancelled.
        UiSeam::printHook = [](QWidget*, QPrinter*) { return false; };
        window->OnCommand(kPrint);
        UiSeam::printHook = nullptr;
        QVERIFY(!window->Engine()->IsRunning());
        QVERIFY(FindControl<CBitmapButton>(window.get(), kPause)->PushedState());
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(!window->Engine(), 20000);
        QVERIFY(!slider->isVisible());
        QVERIFY(FindControl<CBitmapButton>(window.get(), kPlay)->PushedState());
        QTRY_COMPARE_WITH_TIMEOUT(time->text(), QStringLiteral("00:00:00/00:00:06"), 3000);

        window->OnCommand(kPlay);
        QVERIFY(window->Engine());
        window->OnCommand(kStop);
        QVERIFY(!window->Engine());
        QVERIFY(!FindControl(window.get(), kVideoArea)->isVisible());
        QVERIFY(FindControl<CBitmapButton>(window.get(), kRecordTab)->PushedState());
    }

    // Cards copied from old systems hold names in Latin-1: listed, previewed,
    // played, and their logs read, all by the bytes on disk.
    void nameThatIsNoUtf8IsListedPreviewedPlayedAndItsLogRead()
    {
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("card/latin"))));
        const QString made = makeRecording(QStringLiteral("latin/plain.asf"), 2);
        if (made.isEmpty())
            QSKIP("the recording generator could not make a recording (GStreamer plugins missing?)");
        const QString folder = m_dir.filePath(QStringLiteral("card/latin/"));
        const QByteArray native = QFile::encodeName(folder);
        // QTemporaryDir cannot remove what Qt cannot name: these go by their bytes.
        struct RemoveByBytes {
            QByteArray base;
            ~RemoveByBytes()
            {
                for (const char* extension : {".asf", ".LOG"})
                    std::remove((base + extension).constData());
            }
        } latinFiles{native + "\xc9tape-\xe9t\xe9"};
        for (const char* extension : {".asf", ".LOG"})
            QCOMPARE(::rename((native + "plain" + extension).constData(), (latinFiles.base + extension).constData()), 0);

        auto window = makeWindow();
        CRecord* panel = window->RecordPanel();
        QCOMPARE(panel->LoadRecordFolder(folder, QStringLiteral(".asf")), 1);
        QCOMPARE(EncodeFileName(panel->SelectedRecordPath()), native + "\xc9tape-\xe9t\xe9.asf");
        QVERIFY(!FindControl(panel, CRecord::kPreviewArea)->isHidden());

        TheTelemetryTrack().holdsTelemetry = false;  // nothing left from an earlier test
        window->OpenRecord();
        QVERIFY(window->Engine());
        QCOMPARE(VideoWidth, 320);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!FindControl<CReadout>(window.get(), kSpeedText)->text().isEmpty(), 3000);
        QVERIFY(TheTelemetryTrack().holdsTelemetry);
        QVERIFY(TheTelemetryTrack().sampleCount > 2);
        QTRY_VERIFY_WITH_TIMEOUT(FindControl<CBitmapSlider>(window.get(), kPositionSlider)->GetPos() > 0, 5000);
        window->OnCommand(kStop);
    }

    void aClickOnTheMapSeeksHereOrOpensTheNeighbourThere()
    {
        // Long enough that playing on could never pass for a seek.
        const QString first = makeRecordingIn(QStringLiteral("trip/"), QStringLiteral("REC0001.asf"), 12);
        const QString second = makeRecordingIn(QStringLiteral("trip/"), QStringLiteral("REC0002.asf"), 12);
        if (first.isEmpty() || second.isEmpty())
            QSKIP("the recording generator could not make a recording (GStreamer plugins missing?)");
        const int samples = 121;  // 10 a second, and the pass after the final line break
        auto window = makeWindow();
        CRecord* list = window->RecordPanel();
        QCOMPARE(list->LoadRecordFolder(m_dir.filePath(QStringLiteral("trip")), QStringLiteral(".asf")), 2);
        const int firstRow = list->cell(0, 1) == QStringLiteral("REC0001.asf") ? 0 : 1;
        const auto startedAndPaused = [&](const QString& path) {
            if (!QTest::qWaitFor([&] { return window->CurrentVideoPath() == path && window->IsDisplayTimerActive()
                                              && !window->IsStartTimerActive(); }, 10000))
                return -1.0;
            window->OnCommand(kPause);
            double seconds = -1;
            // The caller checks the reading, whether or not the wait timed out.
            static_cast<void>(QTest::qWaitFor([&] { return window->Engine()->GetCurrentPosition(seconds) && seconds > 0; }, 3000));
            return seconds;
        };
        list->SelectRecord(firstRow);
        QVERIFY(startedAndPaused(first) < 5.0);
        auto* slider = FindControl<CBitmapSlider>(window.get(), kPositionSlider);
        CInformation* map = window->InformationPanel();

        // The playing recording: the slider and the engine go to the sample at once, still paused.
        emit map->RouteSampleClicked(first, 100, samples);
        QCOMPARE(slider->GetPos(), FirstPositionShowing(100, samples));
        double seconds = 0;
        QTRY_VERIFY_WITH_TIMEOUT((window->Engine()->GetCurrentPosition(seconds), seconds >= 8.0), 5000);
        QVERIFY(!window->Engine()->IsRunning());
        QCOMPARE(window->CurrentVideoPath(), first);

        // A neighbour opens there.
        emit map->RouteSampleClicked(second, 100, samples);
        const double there = startedAndPaused(second);
        QVERIFY2(there >= 8.0, qPrintable(QString::number(there)));
        QCOMPARE(CurrentRecordIndex, 1 - firstRow);
        QCOMPARE(window->SavedPosition(), 0);

        // Only that start: the next one begins at the beginning.
        list->SelectRecord(firstRow);
        const double again = startedAndPaused(first);
        QVERIFY2(again >= 0 && again < 5.0, qPrintable(QString::number(again)));

        // A recording that is no row of the list opens nothing.
        emit map->RouteSampleClicked(m_dir.filePath(QStringLiteral("trip/OTHER.asf")), 3, samples);
        QTest::qWait(300);
        QCOMPARE(window->CurrentVideoPath(), first);
        window->OnCommand(kStop);
    }

    // On a camera-like file (30 fps, a key frame every 12 frames) the transport
    // lands where it says: frame back one frame earlier from inside a group of
    // frames, the skips three seconds away, not on the key frame before.
    void transportSeeksLandExactlyBetweenKeyFrames()
    {
        const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
        if (ffmpeg.isEmpty())
            QSKIP("ffmpeg is not installed (scripts/setup.sh installs it)");
        const QString recording = m_dir.filePath(QStringLiteral("card/gop12.asf"));
        QProcess make;
        make.start(ffmpeg, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                            QStringLiteral("lavfi"), QStringLiteral("-i"),
                            QStringLiteral("testsrc2=size=320x240:rate=30:duration=8"), QStringLiteral("-c:v"),
                            QStringLiteral("wmv2"), QStringLiteral("-g"), QStringLiteral("12"), QStringLiteral("-f"),
                            QStringLiteral("asf"), recording});
        QVERIFY(make.waitForFinished(60000));
        QCOMPARE(make.exitCode(), 0);

        auto window = makeWindow();
        UiSeam::openHook = [&](QWidget*, const OpenFileRequest&) { return QStringList{recording}; };
        window->OnCommand(kOpenFile);
        UiSeam::openHook = nullptr;
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 3000);
        window->OnCommand(kPause);

        // The frame shown, from a settled position: a reading lies inside the
        // frame's time, which the file stores to the millisecond.
        auto frameAt = [&](int& frame) {
            QDeadlineTimer deadline(5000);
            double previous = -1;
            double position = -2;
            while (!deadline.hasExpired()) {
                QTest::qWait(40);
                if (window->Engine()->IsPaused() && window->Engine()->GetCurrentPosition(position)
                    && std::exchange(previous, position) == position) {
                    frame = int(std::floor(position * 30 + 0.25));
                    return true;
                }
            }
            return false;
        };
        int frame = -1;
        window->OnCommand(kToStart);
        QVERIFY(frameAt(frame));
        QCOMPARE(frame, 0);
        for (int step = 0; step < 5; ++step) {
            window->OnCommand(kFrameForward);
            QVERIFY(frameAt(frame));
        }
        QCOMPARE(frame, 5);
        window->OnCommand(kSkipForward);
        QVERIFY(frameAt(frame));
        QVERIFY2(std::abs(frame - 95) <= 1, qPrintable(QString::number(frame)));
        const int after = frame;
        QImage before;
        QVERIFY(window->Engine()->GetCurrentImage(before));
        for (int step = 1; step <= 3; ++step) {
            window->OnCommand(kFrameBack);
            QVERIFY(frameAt(frame));
            QCOMPARE(frame, after - step);
            QVERIFY(FindControl<CBitmapButton>(window.get(), kPause)->PushedState());
        }
        QImage now;
        QVERIFY(window->Engine()->GetCurrentImage(now));
        QVERIFY(now != before);
        window->OnCommand(kSkipBack);
        QVERIFY(frameAt(frame));
        QVERIFY2(std::abs(frame - (after - 3 - 90)) <= 1, qPrintable(QString::number(frame)));
        // At the first frame, frame back stays there.
        window->OnCommand(kToStart);
        QVERIFY(frameAt(frame));
        window->OnCommand(kFrameBack);
        QVERIFY(frameAt(frame));
        QCOMPARE(frame, 0);
        window->OnCommand(kStop);
    }

    void missingRecordingEndsAtTheFirstTick()
    {
        auto window = makeWindow();
        window->SetCurrentVideoPath(m_dir.filePath(QStringLiteral("card/missing.asf")));
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive() || !window->Engine(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!window->Engine(), 3000);
        QVERIFY(!FindControl(window.get(), kPositionSlider)->isVisible());
        QVERIFY(window->isVisible());
    }
};

int main(int argc, char** argv)
{
    CWebBrowser2::PrepareEnvironment();
    QApplication application(argc, argv);
    PlayerDlgTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_playerdlg.moc"
