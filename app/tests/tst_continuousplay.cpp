// One continuous drive through a card of generated recordings, the last frame
// kept dimmed at the end, the click on the telemetry strip and the playback
// speed keys, on the real main window. Engines are counted by their playbins.
#include "appstate.h"
#include "cbitmapbutton.h"
#include "cbitmapslider.h"
#include "cdxgraph.h"
#include "controlid.h"
#include "cplayerdlg.h"
#include "crecord.h"
#include "cwebbrowser2.h"
#include "framestill.h"
#include "keytable.h"
#include "playbinwatch.h"
#include "playerids.h"
#include "playersettings.h"
#include "playertexts.h"
#include "privateprofile.h"
#include "recordlistmodel.h"
#include "telemetrypanel.h"
#include "uiseam.h"
#include "videonote.h"
#include "videosurface.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <memory>

using namespace PlayerId;

namespace {

// The share of sampled pixels of image that are not black.
double litShare(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int lit = 0;
    int all = 0;
    for (int y = 4; y < rgb.height() - 4; y += 8) {
        for (int x = 4; x < rgb.width() - 4; x += 8) {
            ++all;
            if (qGray(rgb.pixel(x, y)) > 24)
                ++lit;
        }
    }
    return all ? double(lit) / all : 0.0;
}

double meanGray(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    int all = 0;
    for (int y = 4; y < rgb.height() - 4; y += 8) {
        for (int x = 4; x < rgb.width() - 4; x += 8) {
            sum += qGray(rgb.pixel(x, y));
            ++all;
        }
    }
    return all ? sum / all : 0.0;
}

}  // namespace

class ContinuousPlayTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_programDir;
    QString m_card;  // ends with '/'
    QString m_long;  // a longer recording outside the card
    bool m_haveRecordings = false;

    QString settingsPath() const { return m_programDir + QStringLiteral("ZELPlayer.ini"); }
    QString setting(const QString& key) const
    {
        return PrivateProfile::GetString(QStringLiteral("VEXORAPLAYER"), key, QStringLiteral("<absent>"),
                                         settingsPath());
    }
    QString recording(int number) const { return m_card + QStringLiteral("REC%1.asf").arg(number, 4, 10, QChar('0')); }

    bool makeRecording(const QString& out, int seconds)
    {
        QProcess generator;
        generator.start(QStringLiteral(KESTREL_MAKE_RECORDING),
                        {QStringLiteral("--out"), out, QStringLiteral("--seconds"), QString::number(seconds),
                         QStringLiteral("--width"), QStringLiteral("320"), QStringLiteral("--height"),
                         QStringLiteral("240")});
        return generator.waitForFinished(60000) && generator.exitCode() == 0;
    }

    // A window that lists the card at start, as after an earlier LOAD.
    std::unique_ptr<CPlayerDlg> makeWindow(bool continuous)
    {
        PrivateProfile::WriteString(QStringLiteral("VEXORAPLAYER"), QStringLiteral("DefaultLang"), QStringLiteral("0"),
                                    settingsPath());
        PrivateProfile::WriteString(QStringLiteral("VEXORAPLAYER"), QStringLiteral("LastLoadPath"), m_card,
                                    settingsPath());
        PrivateProfile::WriteString(QStringLiteral("VEXORAPLAYER"), QStringLiteral("ContinuousPlay"),
                                    continuous ? QStringLiteral("1") : QStringLiteral("0"), settingsPath());
        auto window = std::make_unique<CPlayerDlg>(m_programDir + QStringLiteral("kestrelview"));
        window->show();
        return window;
    }

    // The recording of a row in the list's own order.
    QString rowPath(CPlayerDlg* window, int row) const
    {
        return m_card + window->RecordPanel()->cell(row, RecordRowStore::kFileNameColumn);
    }

    // OPEN on the list's selected row.
    static void openSelectedRow(CPlayerDlg* window)
    {
        FindControl<QAbstractButton>(window->RecordPanel(), CRecord::kOpenButton)->click();
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
        m_card = m_dir.filePath(QStringLiteral("card")) + QLatin1Char('/');
        for (const char* page : {"map.txt", "Google-earth.html"}) {
            QFile::copy(QStringLiteral(KESTREL_PAGE_DIR "/") + QLatin1String(page),
                        m_programDir + QLatin1String(page));
        }
        UiSeam::questionHook = [](QWidget*, const QString&, const QString&, QMessageBox::StandardButtons,
                                  QMessageBox::StandardButton) { return QMessageBox::No; };
        UiSeam::warnHook = [](QWidget*, const QString&, const QString&) {};
        m_long = m_dir.filePath(QStringLiteral("long.asf"));
        m_haveRecordings = makeRecording(recording(1), 2) && makeRecording(recording(2), 2)
            && makeRecording(recording(3), 2) && makeRecording(m_long, 6);
        gst_init(nullptr, nullptr);
        PlaybinWatch::Instance();
    }

    void cleanupTestCase() { UiSeam::ResetHooks(); }

    void init()
    {
        if (!m_haveRecordings)
            QSKIP("the recording generator could not make recordings (GStreamer plugins missing?)");
        QFile::remove(settingsPath());
        FullScreenActive = false;
        LastSliderPosition = 0;
        RecordFolder.clear();
        QTRY_COMPARE_WITH_TIMEOUT(PlaybinWatch::Instance().Existing(), 0, 5000);
    }

    void driveRunsFromTheFirstRecordingIntoTheNextAndEndsAfterTheLast()
    {
        auto window = makeWindow(true);
        QVERIFY(window->IsContinuousPlayOn());
        QCOMPARE(RecordCount, 3);
        auto* slider = FindControl<CBitmapSlider>(window.get(), kPositionSlider);
        auto* area = FindControl(window.get(), kVideoArea);

        // At each hand-over the area shows a picture, never black: the last
        // frame while the next recording is opened, then its first frame.
        QList<double> litAtHandOver;
        connect(window->RecordPanel(), &CRecord::previewStarted, window.get(), [&](const QString&) {
            if (window->Still()->isVisible())
                litAtHandOver << litShare(area->grab().toImage());
            else
                litAtHandOver << 0.0;
        });

        PlaybinWatch::Instance().ResetMost();
        openSelectedRow(window.get());
        QCOMPARE(CurrentRecordName, rowPath(window.get(), 0));

        for (int next = 1; next <= 2; ++next) {
            // Opened and paused ahead of the end, then handed over as it is.
            QTRY_VERIFY_WITH_TIMEOUT(window->NextEngine().IsReady(), 8000);
            QCOMPARE(window->NextEngine().Path(), rowPath(window.get(), next));
            const CDXGraph* prepared = window->NextEngine().Engine();
            QTRY_COMPARE_WITH_TIMEOUT(CurrentRecordName, rowPath(window.get(), next), 8000);
            QCOMPARE(window->Engine(), prepared);
            QCOMPARE(CurrentRecordIndex, next);
            QVERIFY(!window->NextEngine().IsReady());
            auto* surface = qobject_cast<VideoSurface*>(window->Engine()->SurfaceWidget());
            QVERIFY(surface);
            QVERIFY2(!surface->frame().isNull(), "the next recording starts without its first frame");
            QVERIFY(slider->isVisible());
            QVERIFY(!window->Still()->isVisible());
        }
        QCOMPARE(litAtHandOver.size(), 2);
        for (double lit : litAtHandOver)
            QVERIFY2(lit > 0.5, qPrintable(QStringLiteral("area mostly black at a hand-over (%1 lit)").arg(lit)));

        // The last row ends as designed, its last frame kept dimmed.
        QTRY_VERIFY_WITH_TIMEOUT(!window->Engine(), 8000);
        QVERIFY(!slider->isVisible());
        QVERIFY(FindControl<CBitmapButton>(window.get(), kPlay)->PushedState());
        QCOMPARE(CurrentRecordIndex, 2);
        QVERIFY(window->Still()->isVisible());
        QVERIFY(window->Still()->IsDimmed());
        QVERIFY(!window->NextEngine().IsReady());

        // Engines: the playing one, the next one waiting and the list's preview
        // at most; afterwards only the preview of the last row is left.
        QVERIFY2(PlaybinWatch::Instance().MostExisting() <= 3,
                 qPrintable(QString::number(PlaybinWatch::Instance().MostExisting())));
        QTRY_COMPARE_WITH_TIMEOUT(PlaybinWatch::Instance().Existing(), 1, 3000);
        window.reset();
        QTRY_COMPARE_WITH_TIMEOUT(PlaybinWatch::Instance().Existing(), 0, 3000);
    }

    void driveFollowsTheRecordingOnScreenAfterAnotherRowWasPreviewed()
    {
        auto window = makeWindow(true);
        openSelectedRow(window.get());
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 3000);
        // The user looks at the last row in the list while the first plays.
        auto* list = FindControl<QTreeWidget>(window->RecordPanel(), CRecord::kRecordList);
        list->setCurrentItem(list->topLevelItem(2));
        QCOMPARE(CurrentRecordIndex, 2);
        QTRY_COMPARE_WITH_TIMEOUT(CurrentRecordName, rowPath(window.get(), 1), 8000);
        QCOMPARE(CurrentRecordIndex, 1);
    }

    void driveWatchedFullScreenStaysFullScreen()
    {
        auto window = makeWindow(true);
        openSelectedRow(window.get());
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 3000);
        QTest::mouseDClick(FindControl(window.get(), kVideoArea), Qt::LeftButton);
        QVERIFY(FullScreenActive);
        QTRY_COMPARE_WITH_TIMEOUT(CurrentRecordName, rowPath(window.get(), 1), 8000);
        QWidget* surface = window->Engine()->SurfaceWidget();
        QVERIFY(surface && surface->isWindow());
        QVERIFY(surface->isFullScreen());
        QTest::keyClick(surface, Qt::Key_Escape);
        QVERIFY(!FullScreenActive);
        QVERIFY(!window->Engine()->SurfaceWidget()->isWindow());
    }

    void listLoadedAnewEndsTheDriveAndGivesTheWaitingEngineBack()
    {
        auto window = makeWindow(true);
        openSelectedRow(window.get());
        QTRY_VERIFY_WITH_TIMEOUT(window->NextEngine().IsReady(), 8000);
        // Another folder is listed while the first recording plays.
        const QString other = m_dir.filePath(QStringLiteral("other")) + QLatin1Char('/');
        QDir().mkpath(other);
        QVERIFY(QFile::copy(m_long, other + QStringLiteral("REC0100.asf")));
        QCOMPARE(window->RecordPanel()->LoadRecordFolder(other, QStringLiteral(".asf")), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!window->Engine(), 8000);
        QCOMPARE(CurrentRecordName, m_card + QStringLiteral("REC0001.asf"));
        QVERIFY(!window->NextEngine().IsReady());
        // Left: the preview of the new folder's row.
        QTRY_COMPARE_WITH_TIMEOUT(PlaybinWatch::Instance().Existing(), 1, 3000);
    }

    void withoutContinuousPlayTheEndKeepsTheLastFrameDimmed()
    {
        auto window = makeWindow(false);
        openSelectedRow(window.get());
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->IsRunning(), 3000);
        auto* area = FindControl(window.get(), kVideoArea);
        QTRY_VERIFY_WITH_TIMEOUT(litShare(area->grab().toImage()) > 0.5, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(FindControl<CBitmapSlider>(window.get(), kPositionSlider)->GetPos() > 0, 3000);
        const double playing = meanGray(area->grab().toImage());

        // Jump to end: the end of the recording at the next tick.
        window->OnCommand(kToEnd);
        QTRY_VERIFY_WITH_TIMEOUT(!window->Engine(), 8000);
        QCOMPARE(CurrentRecordName, rowPath(window.get(), 0));
        QCOMPARE(CurrentRecordIndex, 0);
        QVERIFY(!window->NextEngine().IsReady());
        QVERIFY(window->Still()->isVisible());
        QVERIFY(window->Still()->IsDimmed());
        const QImage ended = area->grab().toImage();
        QVERIFY2(litShare(ended) > 0.5, "the ended recording left the area black");
        QVERIFY2(meanGray(ended) < playing * 0.7,
                 qPrintable(QStringLiteral("not dimmed: %1 against %2").arg(meanGray(ended)).arg(playing)));

        // Play starts the recording again; the still gives way to the picture.
        window->OnCommand(kPlay);
        QVERIFY(window->Engine());
        QVERIFY(!window->Still()->isVisible());
        window->OnCommand(kStop);
        QVERIFY(!window->Still()->isVisible());
    }

    void stopAndSwitchingOffGiveTheWaitingEngineBack()
    {
        auto window = makeWindow(true);
        openSelectedRow(window.get());
        QTRY_VERIFY_WITH_TIMEOUT(window->NextEngine().IsReady(), 8000);
        window->OnCommand(PlayerKeyCommand::kToggleContinuousPlay);
        QVERIFY(!window->IsContinuousPlayOn());
        QVERIFY(!window->NextEngine().IsReady());
        QCOMPARE(setting(QStringLiteral("ContinuousPlay")), QStringLiteral("0"));
        // Off again: this recording ends as designed, nothing follows.
        QTRY_VERIFY_WITH_TIMEOUT(!window->Engine(), 8000);
        QCOMPARE(CurrentRecordIndex, 0);
        QVERIFY(!window->NextEngine().IsReady());

        window->OnCommand(PlayerKeyCommand::kToggleContinuousPlay);
        QCOMPARE(setting(QStringLiteral("ContinuousPlay")), QStringLiteral("1"));
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->NextEngine().IsReady(), 8000);
        window->OnCommand(kStop);
        QVERIFY(!window->Engine());
        QVERIFY(!window->NextEngine().IsReady());
        // Only the list's preview is left.
        QTRY_COMPARE_WITH_TIMEOUT(PlaybinWatch::Instance().Existing(), 1, 3000);
    }

    void keyAndMenuSwitchContinuousPlay()
    {
        auto window = makeWindow(false);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_C);
        QVERIFY(window->IsContinuousPlayOn());
        QCOMPARE(setting(QStringLiteral("ContinuousPlay")), QStringLiteral("1"));
        QVERIFY(window->Note()->NoteText().startsWith(QStringLiteral("Continuous play")));

        // The window's menu: the about item stays, the switch shows its state.
        QStringList texts;
        bool checked = false;
        QTimer::singleShot(0, window.get(), [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                texts << action->text();
                if (action->isCheckable()) {
                    checked = action->isChecked();
                    action->trigger();
                }
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), window->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(window.get(), &event);
        QCOMPARE(texts.size(), 3);
        QCOMPARE(texts[1], QStringLiteral("Continuous play"));
        QCOMPARE(texts.last(), QStringLiteral(u"Export clip\u2026"));
        QVERIFY(checked);
        QVERIFY(!window->IsContinuousPlayOn());
        QCOMPARE(setting(QStringLiteral("ContinuousPlay")), QStringLiteral("0"));
    }

    void clickOnTheStripSeeksThere()
    {
        auto window = makeWindow(false);
        window->SetCurrentVideoPath(m_long);
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 3000);
        window->OnCommand(kPause);
        auto* strip = FindControl<TelemetryPanel>(window.get(), kTelemetryPanel);
        auto* slider = FindControl<CBitmapSlider>(window.get(), kPositionSlider);
        // Three quarters along the strip's positions: surface x 449 of 600, one
        // pixel further in the panel.
        QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, QPoint(450, 40));
        QCOMPARE(slider->GetPos(), 750);
        // The next tick seeks as for a slider move: to the key frame at or
        // before the place (key frames come about twice a second).
        const double target = 0.75 * window->DurationSeconds();
        double position = -1;
        QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->GetCurrentPosition(position) && position > target - 1.0
                                     && position <= target + 0.05,
                                 3000);
        QVERIFY(!window->Engine()->IsRunning());
        QVERIFY(FindControl<CBitmapButton>(window.get(), kPause)->PushedState());
    }

    void rateKeysStepBetweenAQuarterAndFourTimes()
    {
        auto window = makeWindow(false);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->SetCurrentVideoPath(m_long);
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 3000);
        const struct {
            Qt::Key key;
            double rate;
            const char* note;
        } steps[] = {
            {Qt::Key_BracketRight, 2.0, "Speed 2×"},   {Qt::Key_BracketRight, 4.0, "Speed 4×"},
            {Qt::Key_BracketRight, 4.0, "Speed 4×"},   {Qt::Key_Backspace, 1.0, "Speed 1×"},
            {Qt::Key_BracketLeft, 0.5, "Speed 0.5×"},  {Qt::Key_BracketLeft, 0.25, "Speed 0.25×"},
            {Qt::Key_BracketLeft, 0.25, "Speed 0.25×"}, {Qt::Key_BracketRight, 0.5, "Speed 0.5×"},
        };
        for (const auto& step : steps) {
            QTest::keyClick(window.get(), step.key);
            QCOMPARE(window->PlaybackRate(), step.rate);
            QCOMPARE(window->Engine()->PlaybackRate(), step.rate);
            QCOMPARE(window->Note()->NoteText(), QString::fromUtf8(step.note));
        }

        // Seeks count in the recording's own time at any speed: three seconds
        // forward from the start land at 3 s, at half speed as at double.
        for (double rate : {0.5, 2.0}) {
            while (window->PlaybackRate() != rate)
                window->OnCommand(window->PlaybackRate() < rate ? PlayerKeyCommand::kFasterRate
                                                                : PlayerKeyCommand::kSlowerRate);
            window->OnCommand(kToStart);
            window->OnCommand(kSkipForward);
            double position = -1;
            QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->GetCurrentPosition(position) && position > 2.4
                                         && position <= 3.05,
                                     3000);
            QCOMPARE(window->Engine()->PlaybackRate(), rate);
            // And a frame step moves by a frame or so of the recording (30 a
            // second), not by the speed's share of the clock.
            // The first step settles the seek; the second is measured.
            window->OnCommand(kFrameForward);
            double before = -1;
            const auto settled = [&] {
                double now = -1;
                const bool same = window->Engine()->GetCurrentPosition(now) && now > 2.4 && now == before;
                before = now;
                return same;
            };
            QTRY_VERIFY_WITH_TIMEOUT(settled(), 3000);
            window->OnCommand(kFrameForward);
            double after = -1;
            QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->GetCurrentPosition(after) && after > before, 3000);
            QVERIFY2(after - before < 0.1, qPrintable(QStringLiteral("stepped %1 s").arg(after - before)));
        }

        // The speed carries on to the next start, and its note stays.
        window->OnCommand(kStop);
        window->OnCommand(kPlay);
        QCOMPARE(window->Engine()->PlaybackRate(), 2.0);
        QCOMPARE(window->Note()->NoteText(), QStringLiteral("Speed 2×"));

        // The note speaks the language in use.
        window->OnCommand(kFirstLanguageMenuCommand + 3);
        window->OnCommand(PlayerKeyCommand::kFasterRate);
        QCOMPARE(window->Note()->NoteText(), PlayerTextIn(3, kPlayerTextSpeed) + QStringLiteral(" 4×"));
    }
};

int main(int argc, char** argv)
{
    CWebBrowser2::PrepareEnvironment();
    QApplication application(argc, argv);
    ContinuousPlayTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_continuousplay.moc"
