// The main window's clip export on generated recordings: I and O mark the span on the
// position slider, Ctrl+E and the window's menu open the export dialog with the span
// (the marks, else the event near the position, else the position), the export runs
// off the UI thread through the dialog's seam, and Cancel stops it.
#include "appstate.h"
#include "cbitmapslider.h"
#include "cdxgraph.h"
#include "clipexportdialog.h"
#include "controlid.h"
#include "cplayerdlg.h"
#include "keytable.h"
#include "playerids.h"
#include "playersettings.h"
#include "positionmath.h"
#include "recordlistmodel.h"
#include "telemetryrecordformat.h"
#include "uiseam.h"
#include "uitexttable.h"
#include "videonote.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMutex>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <cmath>
#include <memory>

using namespace PlayerId;

namespace {

constexpr int kSeconds = 12;
constexpr int kRecords = 120;

// A quiet drive with a hard brake on X at samples 60..64 (six seconds in), or none.
QByteArray driveLog(bool withEvent)
{
    std::string text;
    for (int i = 0; i < kRecords; ++i) {
        TelemetrySample s;
        s.accelX = withEvent && i >= 60 && i <= 64 ? -1.5 : 0.02;
        s.accelY = -0.03;
        s.accelZ = 0.98;
        s.latitude = 48.87;
        s.longitude = 2.31;
        s.speed = 20;
        text += FormatTelemetryRecord(s, i / 10) + "\r\n";
    }
    return QByteArray::fromStdString(text);
}

// What the seam saw, written on the export's thread and read on the test's.
struct SeenRequests {
    QMutex mutex;
    std::vector<ClipExportRequest> requests;
    void add(const ClipExportRequest& request)
    {
        QMutexLocker lock(&mutex);
        requests.push_back(request);
    }
    std::size_t count()
    {
        QMutexLocker lock(&mutex);
        return requests.size();
    }
    ClipExportRequest last()
    {
        QMutexLocker lock(&mutex);
        return requests.back();
    }
};

}  // namespace

class ClipExportTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_programDir;
    QString m_card;
    QString m_recording;  // with an event six seconds in
    QString m_quiet;      // without events

    std::unique_ptr<CPlayerDlg> openWindow(const QString& recording)
    {
        auto window = std::make_unique<CPlayerDlg>(m_programDir + QStringLiteral("kestrelview"));
        window->show();
        UiSeam::openHook = [&](QWidget*, const OpenFileRequest&) { return QStringList{recording}; };
        window->OnCommand(kOpenFile);
        UiSeam::openHook = nullptr;
        window->OnCommand(kPlay);
        [&] {
            QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 10000);
            window->OnCommand(kPause);
            QTRY_VERIFY_WITH_TIMEOUT(window->Engine() && window->Engine()->IsPaused(), 10000);
        }();
        return window;
    }
    static double position(CPlayerDlg* window)
    {
        double seconds = -1;
        window->Engine()->GetCurrentPosition(seconds);
        return seconds;
    }
    static bool seekTo(CPlayerDlg* window, double seconds)
    {
        window->Engine()->SetCurrentPosition(seconds, CDXGraph::SeekMode::Accurate);
        return QTest::qWaitFor([&] { return std::fabs(position(window) - seconds) < 0.05; }, 10000);
    }
    static CBitmapSlider* slider(CPlayerDlg* window) { return FindControl<CBitmapSlider>(window, kPositionSlider); }
    bool makeRecording(const QString& out)
    {
        QProcess generator;
        generator.start(QStringLiteral(KESTREL_MAKE_RECORDING),
                        {QStringLiteral("--out"), out, QStringLiteral("--seconds"), QString::number(kSeconds),
                         QStringLiteral("--width"), QStringLiteral("320"), QStringLiteral("--height"),
                         QStringLiteral("240"), QStringLiteral("--no-log")});
        return generator.waitForFinished(60000) && generator.exitCode() == 0 && QFile::exists(out);
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Opens the window's menu and triggers the item with text, if it is there and enabled.
    static bool triggerMenuItem(CPlayerDlg* window, const QString& text)
    {
        bool triggered = false;
        QTimer::singleShot(0, window, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                if (action->text() == text && action->isEnabled()) {
                    menu->close();
                    action->trigger();
                    triggered = true;
                    return;
                }
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), window->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(window, &event);
        return triggered;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath(QStringLiteral("runtime")).toLocal8Bit());
        for (const char* folder : {"runtime", "program", "card", "out"})
            QVERIFY(QDir().mkpath(m_dir.filePath(QLatin1String(folder))));
        m_programDir = m_dir.filePath(QStringLiteral("program")) + QLatin1Char('/');
        m_card = m_dir.filePath(QStringLiteral("card")) + QLatin1Char('/');
        for (const char* page : {"map.txt", "Google-earth.html"})
            QFile::copy(QStringLiteral(KESTREL_PAGE_DIR "/") + QLatin1String(page), m_programDir + QLatin1String(page));
        writeFile(m_programDir + QStringLiteral("ZELPlayer.ini"), "[VEXORAPLAYER]\nDefaultLang=0\nShowKMHMode=1\n");
        m_recording = m_card + QStringLiteral("EVENT.asf");
        m_quiet = m_card + QStringLiteral("QUIET.asf");
        if (!makeRecording(m_recording) || !QFile::copy(m_recording, m_quiet))
            QSKIP("the recording generator could not make a recording (GStreamer plugins missing?)");
        writeFile(m_card + QStringLiteral("EVENT.LOG"), driveLog(true));
        writeFile(m_card + QStringLiteral("QUIET.LOG"), driveLog(false));
        UiSeam::questionHook = [](QWidget*, const QString&, const QString&, QMessageBox::StandardButtons,
                                  QMessageBox::StandardButton) { return QMessageBox::No; };
    }

    void init()
    {
        CurrentLanguage = kLanguageEnglish;
        FullScreenActive = false;
        RecordFolder.clear();
    }

    void cleanup()
    {
        ClipExportDialog::runner = nullptr;
        ClipExportDialog::folderOpener = nullptr;
    }

    void cleanupTestCase() { UiSeam::ResetHooks(); }

    void keysIAndOMarkTheSpanOnTheSlider()
    {
        auto window = openWindow(m_recording);
        const double duration = window->DurationSeconds();
        QVERIFY(duration > kSeconds - 1);
        CBitmapSlider* s = slider(window.get());
        QCOMPARE(s->SpanIn(), -1);
        QCOMPARE(s->SpanOut(), -1);

        QVERIFY(seekTo(window.get(), 2.0));
        QTest::keyClick(window.get(), Qt::Key_I);
        QVERIFY(window->ClipMarks().In());
        QVERIFY(std::fabs(*window->ClipMarks().In() - 2.0) < 0.05);
        QCOMPARE(window->Note()->NoteText(), QStringLiteral(u"Clip in \u00B7 00:00:02"));
        QVERIFY(seekTo(window.get(), 8.0));
        QTest::keyClick(window.get(), Qt::Key_O);
        QVERIFY(std::fabs(*window->ClipMarks().Out() - 8.0) < 0.05);
        QCOMPARE(s->SpanIn(), SliderPositionFor(*window->ClipMarks().In(), duration));
        QCOMPARE(s->SpanOut(), SliderPositionFor(*window->ClipMarks().Out(), duration));
        // The event's amber mark stays beside the brackets.
        QCOMPARE(s->Marks().size(), 1);

        // O before the in mark starts a new span: the in mark goes.
        QVERIFY(seekTo(window.get(), 1.0));
        QTest::keyClick(window.get(), Qt::Key_O);
        QVERIFY(!window->ClipMarks().In());
        QCOMPARE(s->SpanIn(), -1);
        QCOMPARE(s->SpanOut(), SliderPositionFor(*window->ClipMarks().Out(), duration));

        // Stopped and started again, the recording keeps its marks; another one has none.
        window->OnCommand(kStop);
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 10000);
        QVERIFY(window->ClipMarks().Out());
        window->OnCommand(kStop);
        auto other = openWindow(m_quiet);
        QVERIFY(!other->ClipMarks().HasMarks());
        QCOMPARE(slider(other.get())->SpanOut(), -1);
        other->OnCommand(kStop);
    }

    void ctrlEExportsTheMarkedSpanOffTheUiThreadAndOpensTheFolder()
    {
        auto window = openWindow(m_recording);
        QVERIFY(seekTo(window.get(), 2.0));
        QTest::keyClick(window.get(), Qt::Key_I);
        QVERIFY(seekTo(window.get(), 8.0));
        QTest::keyClick(window.get(), Qt::Key_O);

        SeenRequests seen;
        QThread* uiThread = QThread::currentThread();
        std::atomic<bool> ranOnUiThread{true};
        const QString folder = m_dir.filePath(QStringLiteral("out/EVENT_2-8"));
        ClipExportDialog::runner = [&](const ClipExportRequest& request, const ClipExportProgress& progress) {
            ranOnUiThread = QThread::currentThread() == uiThread;
            seen.add(request);
            progress(0.5, "cut");
            ClipExportResult result;
            result.folder = folder.toStdString();
            result.files = {folder.toStdString() + "/EVENT_2-8.asf"};
            return result;
        };
        QList<QUrl> opened;
        ClipExportDialog::folderOpener = [&](const QUrl& url) { opened << url; return true; };

        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        QPointer<ClipExportDialog> dialog = window->ExportDialog();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isModal());
        const ClipExportRequest& asked = dialog->Request();
        QCOMPARE(QString::fromStdString(asked.recording), m_recording);
        QVERIFY(asked.from && asked.to && !asked.event);
        QVERIFY(std::fabs(*asked.from - *window->ClipMarks().In()) < 1e-9);
        QVERIFY(std::fabs(*asked.to - *window->ClipMarks().Out()) < 1e-9);
        QVERIFY(!asked.miles);  // the gauge shows km/h
        QCOMPARE(QString::fromStdString(asked.language), QStringLiteral("en"));
        // A second Ctrl+E while the dialog is open opens no second one.
        window->OnCommand(PlayerKeyCommand::kExportClip);
        QCOMPARE(window->findChildren<ClipExportDialog*>().size(), 1);

        dialog->Mp4Choice()->setChecked(true);
        QSignalSpy finished(dialog.data(), &ClipExportDialog::exportFinished);
        QTest::mouseClick(dialog->ExportButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
        QCOMPARE(finished.first().first().toInt(), 0);
        QCOMPARE(seen.count(), std::size_t(1));
        QVERIFY(!ranOnUiThread);
        QVERIFY(seen.last().mp4);
        QVERIFY(seen.last().report);
        QCOMPARE(dialog->Progress()->value(), 1000);
        QVERIFY(dialog->StatusText().startsWith(QStringLiteral("Clip saved in ")));
        QVERIFY(dialog->StatusText().endsWith(QStringLiteral("EVENT_2-8")));

        QVERIFY(dialog->OpenFolderButton()->isVisible());
        QTest::mouseClick(dialog->OpenFolderButton(), Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first().isLocalFile());
        QCOMPARE(opened.first().toLocalFile(), folder);
        QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);  // now "Close"
        QTRY_VERIFY(!dialog);
        QVERIFY(!window->ExportDialog());
        window->OnCommand(kStop);
    }

    void menuWithoutMarksExportsTheEventNearThePosition()
    {
        auto window = openWindow(m_recording);
        QVERIFY(seekTo(window.get(), 3.0));
        QVERIFY(triggerMenuItem(window.get(), QStringLiteral(u"Export clip\u2026")));
        ClipExportDialog* dialog = window->ExportDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->Request().event, std::optional<int>(1));
        QVERIFY(!dialog->Request().from && !dialog->Request().to);
        QCOMPARE(dialog->Request().before, 10.0);
        QCOMPARE(dialog->Request().after, 10.0);
        dialog->reject();
        QTRY_VERIFY(!window->ExportDialog());
        window->OnCommand(kStop);
    }

    void withoutEventsItExportsAroundThePositionWithinTheRecording()
    {
        auto window = openWindow(m_quiet);
        QVERIFY(seekTo(window.get(), 5.0));
        window->OnCommand(PlayerKeyCommand::kExportClip);
        ClipExportDialog* dialog = window->ExportDialog();
        QVERIFY(dialog);
        QVERIFY(!dialog->Request().event);
        QCOMPARE(dialog->Request().from, std::optional<double>(0.0));
        QVERIFY(dialog->Request().to);
        QVERIFY(std::fabs(*dialog->Request().to - window->DurationSeconds()) < 1e-9);
        dialog->reject();
        window->OnCommand(kStop);
    }

    void cancelStopsTheRunningExportAndClosesTheDialog()
    {
        auto window = openWindow(m_quiet);
        std::atomic<bool> sawCancel{false};
        ClipExportDialog::runner = [&](const ClipExportRequest&, const ClipExportProgress& progress) {
            ClipExportResult result;
            for (double f = 0.0; progress(std::min(f, 0.9), "cut"); f += 0.01)
                QThread::msleep(5);
            sawCancel = true;
            result.exitCode = 4;
            result.error = "Cancelled.";
            return result;
        };
        window->OnCommand(PlayerKeyCommand::kExportClip);
        QPointer<ClipExportDialog> dialog = window->ExportDialog();
        QVERIFY(dialog);
        QSignalSpy finished(dialog.data(), &ClipExportDialog::exportFinished);
        QTest::mouseClick(dialog->ExportButton(), Qt::LeftButton);
        QVERIFY(dialog->IsRunning());
        QVERIFY(!dialog->ExportButton()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(dialog->Progress()->value() > 0, 10000);
        QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog, 10000);
        QVERIFY(sawCancel);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), 4);
        window->OnCommand(kStop);
    }

    void aRealExportCancelledDuringTheMp4LeavesNothing()
    {
        // The real export, held at its first MP4 step until Cancel is pressed, by then
        // with the cut, the log and the track written into its working folder.
        std::atomic<bool> reachedMp4{false};
        ClipExportDialog::runner = [&](const ClipExportRequest& request, const ClipExportProgress& progress) {
            return RunClipExport(request, [&](double fraction, const std::string& stage) {
                if (stage != "mp4")
                    return progress(fraction, stage);
                reachedMp4 = true;
                while (progress(fraction, stage))
                    QThread::msleep(5);
                return false;
            });
        };
        const QString out = m_dir.filePath(QStringLiteral("out/cancelled"));
        ClipExportRequest request;
        request.recording = m_recording.toStdString();
        request.from = 1.0;
        request.to = 9.0;
        request.outDir = out.toStdString();
        request.mp4 = true;
        QPointer<ClipExportDialog> dialog = new ClipExportDialog(request, QStringLiteral("EVENT.asf"), nullptr);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
        const QStringList cardBefore = QDir(m_card).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QTest::mouseClick(dialog->ExportButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(reachedMp4, 60000);
        QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog, 60000);
        const QStringList left = QDir(m_dir.filePath(QStringLiteral("out")))
                                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QVERIFY2(left.isEmpty() || (left == QStringList{QStringLiteral("cancelled")}
                                    && QDir(out).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)),
                 qPrintable(left.join(QLatin1Char(' '))));
        QCOMPARE(QDir(m_card).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), cardBefore);
    }

    void aFailedExportSaysWhyAndMayBeTriedAgain()
    {
        auto window = openWindow(m_quiet);
        ClipExportDialog::runner = [](const ClipExportRequest&, const ClipExportProgress&) {
            ClipExportResult result;
            result.exitCode = 3;
            result.error = "The folder cannot be written.";
            return result;
        };
        window->OnCommand(PlayerKeyCommand::kExportClip);
        QPointer<ClipExportDialog> dialog = window->ExportDialog();
        QVERIFY(dialog);
        QSignalSpy finished(dialog.data(), &ClipExportDialog::exportFinished);
        QTest::mouseClick(dialog->ExportButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
        QCOMPARE(dialog->StatusText(), QStringLiteral("Export failed: The folder cannot be written."));
        QVERIFY(dialog->ExportButton()->isEnabled());
        QVERIFY(!dialog->OpenFolderButton()->isVisible());
        dialog->reject();
        QTRY_VERIFY(!dialog);
        window->OnCommand(kStop);
    }
};

QTEST_MAIN(ClipExportTest)
#include "tst_clipexport.moc"
