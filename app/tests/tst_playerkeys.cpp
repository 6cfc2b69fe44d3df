// The window's keys, wheel and drops on the real main window: every key of the
// key table reaching its command, none while a modal dialog is open, the
// controls that keep their own keys, Return on a list row, the rows' tooltips,
// opening what the command line or a drop names, and the help document.
#include "appstate.h"
#include "cbitmapbutton.h"
#include "cbitmapslider.h"
#include "cdxgraph.h"
#include "controlid.h"
#include "cplayerapp.h"
#include "cplayerdlg.h"
#include "crecord.h"
#include "keyoverlay.h"
#include "keytable.h"
#include "playerids.h"
#include "playersettings.h"
#include "privateprofile.h"
#include "recordlistmodel.h"
#include "uiseam.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QUrl>
#include <cmath>
#include <memory>

using namespace PlayerId;
using namespace PlayerKeyCommand;

// Takes the URLs the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class PlayerKeysTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_programDir;
    QString m_card;   // ends with '/'
    QString m_other;  // a second folder, ends with '/'
    bool m_haveRecordings = false;
    int m_questions = 0;
    QStringList m_warnings;
    QList<OpenFileRequest> m_openRequests;
    QStringList m_openAnswer;
    int m_saves = 0;
    int m_prints = 0;

    QString settingsPath() const { return m_programDir + QStringLiteral("ZELPlayer.ini"); }
    QString setting(const QString& key) const
    {
        return PrivateProfile::GetString(QStringLiteral("VEXORAPLAYER"), key, QStringLiteral("<absent>"),
                                         settingsPath());
    }
    bool makeRecording(const QString& out, int seconds)
    {
        QProcess generator;
        generator.start(QStringLiteral(KESTREL_MAKE_RECORDING),
                        {QStringLiteral("--out"), out, QStringLiteral("--seconds"), QString::number(seconds),
                         QStringLiteral("--width"), QStringLiteral("160"), QStringLiteral("--height"),
                         QStringLiteral("120")});
        return generator.waitForFinished(120000) && generator.exitCode() == 0;
    }
    std::unique_ptr<CPlayerDlg> makeWindow(const QString& listed)
    {
        PrivateProfile::WriteString(QStringLiteral("VEXORAPLAYER"), QStringLiteral("DefaultLang"), QStringLiteral("0"),
                                    settingsPath());
        if (!listed.isEmpty())
            PrivateProfile::WriteString(QStringLiteral("VEXORAPLAYER"), QStringLiteral("LastLoadPath"), listed,
                                        settingsPath());
        auto window = std::make_unique<CPlayerDlg>(m_programDir + QStringLiteral("kestrelview"));
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the main window did not become active");
        return window;
    }
    QString rowName(CPlayerDlg* window, int row) const
    {
        return window->RecordPanel()->cell(row, RecordRowStore::kFileNameColumn);
    }
    QTreeWidget* list(CPlayerDlg* window) const
    {
        return FindControl<QTreeWidget>(window->RecordPanel(), CRecord::kRecordList);
    }
    // Plays the list's first row and waits for the start tick's seek and run.
    bool playFirstRow(CPlayerDlg* window)
    {
        FindControl<QAbstractButton>(window->RecordPanel(), CRecord::kOpenButton)->click();
        return QTest::qWaitFor([&] { return window->IsDisplayTimerActive() && window->Engine()
                                            && window->Engine()->IsRunning(); }, 10000);
    }
    static double position(CPlayerDlg* window)
    {
        double seconds = -1.0;
        if (window->Engine())
            window->Engine()->GetCurrentPosition(seconds);
        return seconds;
    }
    static bool near(double a, double b) { return std::abs(a - b) < 0.35; }
    static void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(target, key, modifiers);
    }
    static int volume(CPlayerDlg* window) { return FindControl<CBitmapSlider>(window, kVolumeSlider)->GetPos(); }
    static void sendDrop(CPlayerDlg* window, const QStringList& paths, bool* entered = nullptr)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        const QPoint at(300, 250);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        if (entered)
            *entered = enter.isAccepted();
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath(QStringLiteral("runtime")).toLocal8Bit());
        for (const char* folder : {"runtime", "program", "card", "other"})
            QDir().mkpath(m_dir.filePath(QLatin1String(folder)));
        m_programDir = m_dir.filePath(QStringLiteral("program")) + u'/';
        m_card = m_dir.filePath(QStringLiteral("card")) + u'/';
        m_other = m_dir.filePath(QStringLiteral("other")) + u'/';
        for (const char* page : {"map.txt", "Google-earth.html"})
            QFile::copy(QStringLiteral(KESTREL_PAGE_DIR "/") + QLatin1String(page), m_programDir + QLatin1String(page));
        UiSeam::questionHook = [this](QWidget*, const QString&, const QString&, QMessageBox::StandardButtons,
                                      QMessageBox::StandardButton) {
            ++m_questions;
            return QMessageBox::No;
        };
        UiSeam::warnHook = [this](QWidget*, const QString&, const QString& text) { m_warnings << text; };
        UiSeam::openHook = [this](QWidget*, const OpenFileRequest& request) {
            m_openRequests << request;
            return m_openAnswer;
        };
        UiSeam::saveHook = [this](QWidget*, const SaveFileRequest&) {
            ++m_saves;
            return QString();
        };
        UiSeam::printHook = [this](QWidget*, QPrinter*) {
            ++m_prints;
            return false;
        };
        // 40 s, so 30 s skips fit inside; the others are short.
        m_haveRecordings = makeRecording(m_card + QStringLiteral("REC0001.asf"), 40)
            && makeRecording(m_card + QStringLiteral("REC0002.asf"), 2)
            && makeRecording(m_other + QStringLiteral("REC0007.asf"), 2)
            && QFile::copy(m_other + QStringLiteral("REC0007.asf"),
                           m_other + QStringLiteral("2026_12_11_083015_front_camera_parking_event.asf"));
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
        m_questions = 0;
        m_warnings.clear();
        m_openRequests.clear();
        m_openAnswer.clear();
        m_saves = 0;
        m_prints = 0;
    }

    void playingKeysReachTheirCommands()
    {
        auto window = makeWindow(m_card);
        QCOMPARE(RecordCount, 2);
        QVERIFY(playFirstRow(window.get()));
        CPlayerDlg* w = window.get();

        press(w, Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(!w->Engine()->IsRunning(), 10000);
        QVERIFY(FindControl<CBitmapButton>(w, kPause)->PushedState());
        press(w, Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(w->Engine()->IsRunning(), 10000);
        QVERIFY(FindControl<CBitmapButton>(w, kPlay)->PushedState());

        // The seeks: each lands exactly and pauses, as the buttons' do.
        press(w, Qt::Key_Home);
        QTRY_VERIFY_WITH_TIMEOUT(near(position(w), 0.0), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!w->Engine()->IsRunning(), 10000);
        press(w, Qt::Key_Right);
        QTRY_VERIFY_WITH_TIMEOUT(near(position(w), 3.0), 10000);
        press(w, Qt::Key_Right, Qt::ShiftModifier);
        QTRY_VERIFY_WITH_TIMEOUT(near(position(w), 33.0), 10000);
        press(w, Qt::Key_Left);
        QTRY_VERIFY_WITH_TIMEOUT(near(position(w), 30.0), 10000);
        press(w, Qt::Key_Left, Qt::ShiftModifier);
        QTRY_VERIFY_WITH_TIMEOUT(near(position(w), 0.0), 10000);
        press(w, Qt::Key_Right, Qt::ShiftModifier);
        QTRY_VERIFY_WITH_TIMEOUT(near(position(w), 30.0), 10000);
        const double before = position(w);
        press(w, Qt::Key_Period);
        QTRY_VERIFY_WITH_TIMEOUT(position(w) > before + 0.01, 10000);
        QVERIFY(position(w) < before + 0.2);
        const double stepped = position(w);
        press(w, Qt::Key_Comma);
        QTRY_VERIFY_WITH_TIMEOUT(position(w) < stepped - 0.01, 10000);
        QVERIFY(position(w) > stepped - 0.2);

        // Sound: mute, and the volume by arrows, + and − (each a twentieth).
        QVERIFY(!w->IsMuted());
        press(w, Qt::Key_M);
        QVERIFY(w->IsMuted());
        press(w, Qt::Key_M);
        QVERIFY(!w->IsMuted());
        const int start = volume(w);
        const int step = w->VolumeStep();
        press(w, Qt::Key_Up);
        QCOMPARE(volume(w), start + step);
        press(w, Qt::Key_Plus);
        QCOMPARE(volume(w), start + 2 * step);
        press(w, Qt::Key_Down);
        press(w, Qt::Key_Minus);
        press(w, Qt::Key_Minus);
        QCOMPARE(volume(w), start - step);
        press(w, Qt::Key_M);
        press(w, Qt::Key_Up);
        QVERIFY2(!w->IsMuted(), "turning the volume up leaves mute");

        // Full screen and back: F on the window, then F on the picture.
        press(w, Qt::Key_F);
        QVERIFY(FullScreenActive);
        QWidget* surface = w->Engine()->SurfaceWidget();
        QVERIFY(surface && surface->isWindow());
        press(surface, Qt::Key_F);
        QVERIFY(!FullScreenActive);

        // The files and the frame: every dialog starts in the card's folder.
        activate(w);
        press(w, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(m_openRequests.size(), 1);
        QVERIFY(m_openRequests[0].multiple);
        QCOMPARE(m_openRequests[0].directory, m_card);
        activate(w);
        press(w, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(m_openRequests.size(), 2);
        QVERIFY(!m_openRequests[1].multiple);
        QCOMPARE(m_openRequests[1].directory, m_card);
        activate(w);
        w->OnCommand(kConfiguration);
        QCOMPARE(m_openRequests.size(), 3);
        QCOMPARE(m_openRequests[2].directory, m_card);
        activate(w);
        press(w, Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(m_saves, 1, 10000);
        activate(w);
        press(w, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(m_prints, 1);
        activate(w);

        // The next and previous recordings of the list play.
        press(w, Qt::Key_N);
        QTRY_COMPARE_WITH_TIMEOUT(w->CurrentVideoPath(), m_card + rowName(w, 1), 10000);
        press(w, Qt::Key_P);
        QTRY_COMPARE_WITH_TIMEOUT(w->CurrentVideoPath(), m_card + rowName(w, 0), 10000);

        // The exit question, asked and answered No.
        press(w, Qt::Key_Q, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(m_questions, 1, 10000);
        QVERIFY(w->isVisible());
    }

    void keyOverlayOpensAndClosesWithoutTheExitQuestion()
    {
        auto window = makeWindow(m_card);
        KeyOverlay* overlay = window->KeysOverlay();
        QVERIFY(!overlay->isVisible());
        press(window.get(), Qt::Key_F1);
        QVERIFY(overlay->isVisible());
        QCOMPARE(overlay->geometry(), window->rect());
        // Every line of the key table is on it, the volume keys on one line.
        QCOMPARE(overlay->Lines().size() >= int(PlayerKeyHelpLines().size()), true);
        QCOMPARE(overlay->Lines().constFirst().first, QStringLiteral("Space"));
        bool volumeLine = false;
        for (const auto& line : overlay->Lines())
            volumeLine = volumeLine || line.first == QStringLiteral(u"\u2191 / \u2193 / + / \u2212");
        QVERIFY(volumeLine);
        press(overlay, Qt::Key_Question, Qt::ShiftModifier);
        QVERIFY(!overlay->isVisible());
        press(window.get(), Qt::Key_Question);
        QVERIFY(overlay->isVisible());
        press(overlay, Qt::Key_Escape);
        QVERIFY(!overlay->isVisible());
        QCOMPARE(m_questions, 0);
        press(window.get(), Qt::Key_F1);
        QVERIFY(overlay->isVisible());
        QTest::mouseClick(overlay, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!overlay->isVisible());
        // Escape once it is gone asks, as it always did.
        press(window.get(), Qt::Key_Escape);
        QCOMPARE(m_questions, 1);
    }

    void noKeyWhileAModalDialogIsOpen()
    {
        auto window = makeWindow(m_card);
        CPlayerDlg* w = window.get();
        const int start = volume(w);
        bool tried = false;
        QTimer::singleShot(0, w, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != w) {
                for (Qt::Key key : {Qt::Key_M, Qt::Key_Up, Qt::Key_F1, Qt::Key_F, Qt::Key_Space, Qt::Key_N})
                    press(w, key);
                press(w, Qt::Key_Q, Qt::ControlModifier);
                tried = !w->RunKeyCommand(kToggleMute);
                modal->close();
            }
        });
        QDialog dialog(w);
        dialog.setWindowTitle(QStringLiteral("a dialog"));
        dialog.exec();
        QVERIFY(tried);
        QCoreApplication::processEvents();
        QVERIFY(!w->IsMuted());
        QCOMPARE(volume(w), start);
        QVERIFY(!w->KeysOverlay()->isVisible());
        QVERIFY(!FullScreenActive);
        QVERIFY(!w->Engine());
        QCOMPARE(m_questions, 0);
    }

    void listKeepsUpAndDownAndReturnOpensTheSelectedRow()
    {
        auto window = makeWindow(m_card);
        CPlayerDlg* w = window.get();
        QTreeWidget* rows = list(w);
        rows->setFocus();
        QVERIFY(rows->hasFocus());
        QCOMPARE(CurrentRecordIndex, 0);
        const int start = volume(w);
        press(rows, Qt::Key_Down);
        QCOMPARE(CurrentRecordIndex, 1);
        press(rows, Qt::Key_Up);
        QCOMPARE(CurrentRecordIndex, 0);
        QCOMPARE(volume(w), start);
        // Keys the list has no use for still work there.
        press(rows, Qt::Key_M);
        QVERIFY(w->IsMuted());
        press(rows, Qt::Key_Down);
        QCOMPARE(CurrentRecordIndex, 1);
        press(rows, Qt::Key_Return);
        QVERIFY(w->Engine());
        QCOMPARE(w->CurrentVideoPath(), m_card + rowName(w, 1));
        QCOMPARE(m_openRequests.size(), 0);  // not LOAD
        QCOMPARE(m_questions, 0);            // nor the window's Return
    }

    void positionSliderKeepsItsKeysAndTheWheelSeeks()
    {
        auto window = makeWindow(m_card);
        CPlayerDlg* w = window.get();
        QVERIFY(playFirstRow(w));
        auto* slider = FindControl<CBitmapSlider>(w, kPositionSlider);
        slider->setFocus();
        QVERIFY(slider->hasFocus());
        const int at = slider->GetPos();
        press(slider, Qt::Key_Right);
        QVERIFY2(slider->GetPos() > at && slider->GetPos() < at + 10, "the slider steps by itself");
        QVERIFY2(w->Engine()->IsRunning(), "no skip, which would pause");
        // A key the slider has no use for is the window's.
        press(slider, Qt::Key_M);
        QVERIFY(w->IsMuted());

        // The wheel: a notch forward over the video is a 3 s skip.
        press(w, Qt::Key_Home);
        QTRY_VERIFY_WITH_TIMEOUT(near(position(w), 0.0), 10000);
        QWidget* video = FindControl(w, kVideoArea);
        const QPoint inside(100, 100);
        QWheelEvent forward(QPointF(inside), QPointF(video->mapToGlobal(inside)), QPoint(), QPoint(0, 120),
                            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(video, &forward);
        QTRY_VERIFY_WITH_TIMEOUT(near(position(w), 3.0), 10000);
        // Half notches add up, as a touchpad sends them.
        QWheelEvent half(QPointF(10, 10), QPointF(slider->mapToGlobal(QPoint(10, 10))), QPoint(), QPoint(0, 60),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(slider, &half);
        QApplication::sendEvent(slider, &half);
        QTRY_VERIFY_WITH_TIMEOUT(near(position(w), 6.0), 10000);
        auto* volumeSlider = FindControl<CBitmapSlider>(w, kVolumeSlider);
        const int start = volume(w);
        QWheelEvent down(QPointF(10, 5), QPointF(volumeSlider->mapToGlobal(QPoint(10, 5))), QPoint(), QPoint(0, -240),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(volumeSlider, &down);
        QCOMPARE(volume(w), start - 2 * w->VolumeStep());
        QTRY_VERIFY_WITH_TIMEOUT(near(position(w), 6.0), 10000);
    }

    void dropsOpenFoldersAndRecordings()
    {
        auto window = makeWindow(QString());
        CPlayerDlg* w = window.get();
        bool entered = false;
        sendDrop(w, {m_dir.filePath(QStringLiteral("other"))}, &entered);
        QVERIFY(entered);
        QTRY_COMPARE_WITH_TIMEOUT(RecordFolder, m_other, 10000);
        QCOMPARE(RecordCount, 2);
        QCOMPARE(setting(QStringLiteral("LastLoadPath")), m_other);
        QVERIFY(!w->Engine());

        // One recording: its folder, its row selected, playing.
        sendDrop(w, {m_card + QStringLiteral("REC0002.asf")});
        QTRY_VERIFY_WITH_TIMEOUT(w->Engine() != nullptr, 10000);
        QCOMPARE(RecordFolder, m_card);
        QCOMPARE(RecordCount, 2);
        QCOMPARE(w->CurrentVideoPath(), m_card + QStringLiteral("REC0002.asf"));
        QCOMPARE(list(w)->currentIndex().row(), 1);
        QCOMPARE(setting(QStringLiteral("LastLoadPath")), m_card);

        // Several: listed as the open-file command lists them.
        sendDrop(w, {m_other + QStringLiteral("REC0007.asf"), m_card + QStringLiteral("REC0001.asf")});
        QTRY_COMPARE_WITH_TIMEOUT(RecordCount, 2, 10000);
        QCOMPARE(rowName(w, 0), QStringLiteral("REC0007.asf"));
        QCOMPARE(w->CurrentVideoPath(), m_card + QStringLiteral("REC0001.asf"));
        QVERIFY(m_warnings.isEmpty());

        // Text that is no file is refused at the door.
        QMimeData text;
        text.setText(QStringLiteral("hello"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
        QVERIFY(!enter.isAccepted());
    }

    void commandLinePathsOpenAndMissingOnesAreNamedOnce()
    {
        auto window = makeWindow(m_other);
        CPlayerDlg* w = window.get();
        w->OpenPaths({m_card + QStringLiteral("REC0404.asf"), m_card + QStringLiteral("notes.txt")});
        QCOMPARE(m_warnings.size(), 1);
        QVERIFY(m_warnings[0].contains(QStringLiteral("REC0404.asf")));
        // The program starts as usual: the remembered folder stays listed.
        QCOMPARE(RecordFolder, m_other);
        QCOMPARE(RecordCount, 2);
        QVERIFY(!w->Engine());

        m_warnings.clear();
        w->OpenPaths({m_card + QStringLiteral("REC0001.asf")});
        QVERIFY(w->Engine());
        QCOMPARE(RecordFolder, m_card);
        QCOMPARE(list(w)->currentIndex().row(), 0);
        QCOMPARE(w->CurrentVideoPath(), m_card + QStringLiteral("REC0001.asf"));
        QVERIFY(m_warnings.isEmpty());
    }

    void cutNamesShowWholeAsTooltip()
    {
        auto window = makeWindow(m_other);
        CPlayerDlg* w = window.get();
        QTreeWidget* rows = list(w);
        int longRow = -1;
        int shortRow = -1;
        for (int row = 0; row < RecordCount; ++row)
            (rowName(w, row).size() > 20 ? longRow : shortRow) = row;
        QVERIFY(longRow >= 0 && shortRow >= 0);
        const auto pointOf = [&](int row) {
            return rows->visualRect(rows->model()->index(row, RecordRowStore::kFileNameColumn)).center();
        };
        QCOMPARE(w->RecordPanel()->CutNameAt(pointOf(longRow)), rowName(w, longRow));
        QCOMPARE(w->RecordPanel()->CutNameAt(pointOf(shortRow)), QString());
        // On the number cell too, the row's cut name shows.
        const QPoint numberCell = rows->visualRect(rows->model()->index(longRow, 0)).center();
        QCOMPARE(w->RecordPanel()->CutNameAt(numberCell), rowName(w, longRow));

        QHelpEvent help(QEvent::ToolTip, pointOf(longRow), rows->viewport()->mapToGlobal(pointOf(longRow)));
        QApplication::sendEvent(rows->viewport(), &help);
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 10000);
        QCOMPARE(QToolTip::text(), rowName(w, longRow));
        QToolTip::hideText();
    }

    void helpOpensTheShippedDocumentUnlessHelpFileNamesOne()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        QFile::remove(m_programDir + QStringLiteral("help.html"));
        auto window = makeWindow(QString());
        const auto helpButton = [&] {
            // The about box follows the document; it is closed as it shows.
            QTimer::singleShot(0, window.get(), [] {
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
            });
            window->OnCommand(kHelp);
        };
        helpButton();
        QVERIFY2(catcher.urls.isEmpty(), "no document to open");
        QFile shipped(m_programDir + QStringLiteral("help.html"));
        QVERIFY(shipped.open(QIODevice::WriteOnly));
        shipped.close();
        helpButton();
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls[0], QUrl::fromLocalFile(m_programDir + QStringLiteral("help.html")));
        QFile own(m_programDir + QStringLiteral("manual.pdf"));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.close();
        PrivateProfile::WriteString(QStringLiteral("VEXORAPLAYER"), QStringLiteral("HelpFile"),
                                    QStringLiteral("manual.pdf"), settingsPath());
        helpButton();
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls[1], QUrl::fromLocalFile(m_programDir + QStringLiteral("manual.pdf")));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

    void tooltipsHaveTheDarkLook()
    {
        ApplyDarkLook(*qApp);
        QVERIFY(QToolTip::palette().color(QPalette::ToolTipBase).lightness() < 60);
        QVERIFY(QToolTip::palette().color(QPalette::ToolTipText).lightness() > 180);
    }

private:
    static void activate(QWidget* window)
    {
        window->activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(window));
    }
};

QTEST_MAIN(PlayerKeysTest)
#include "tst_playerkeys.moc"
