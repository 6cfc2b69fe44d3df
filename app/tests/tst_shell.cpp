// The shell around the picture: what leaves the program for the desktop and
// the keys that must work whatever has the focus.
#include "appstate.h"
#include "cbitmapslider.h"
#include "controlid.h"
#include "cplayerdlg.h"
#include "cwebbrowser2.h"
#include "gstcomplaints.h"
#include "hiddendecoders.h"
#include "playerids.h"
#include "playertexts.h"
#include "recordlistmodel.h"
#include "privateprofile.h"
#include "uiseam.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

using namespace PlayerId;

class ShellTest : public QObject {
    Q_OBJECT

public slots:
    // The desktop's side of QDesktopServices::openUrl.
    void openUrl(const QUrl& url) { m_opened << url; }

private:
    QTemporaryDir m_dir;
    QString m_programDir;
    QString m_savedCurrent;
    QList<QUrl> m_opened;
    int m_questions = 0;
    QStringList m_warnings;

    std::unique_ptr<CPlayerDlg> makeWindow(const QString& argv0)
    {
        auto window = std::make_unique<CPlayerDlg>(argv0);
        window->show();
        return window;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath(QStringLiteral("runtime")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        QDir().mkpath(m_dir.filePath(QStringLiteral("runtime")));
        QDir().mkpath(m_dir.filePath(QStringLiteral("program")));
        m_programDir = m_dir.filePath(QStringLiteral("program")) + QLatin1Char('/');
        for (const char* page : {"map.txt", "Google-earth.html"})
            QFile::copy(QStringLiteral(KESTREL_PAGE_DIR "/") + QLatin1String(page), m_programDir + QLatin1String(page));
        QFile help(m_programDir + QStringLiteral("help.html"));
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.write("<html><body>help</body></html>\n");
        help.close();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
        UiSeam::questionHook = [this](QWidget*, const QString&, const QString&, QMessageBox::StandardButtons,
                                      QMessageBox::StandardButton) {
            ++m_questions;
            return QMessageBox::No;
        };
        UiSeam::warnHook = [this](QWidget*, const QString&, const QString& text) { m_warnings << text; };
        m_savedCurrent = QDir::currentPath();
        gst_init(nullptr, nullptr);
        GstComplaints::Instance().Install();
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        UiSeam::ResetHooks();
    }

    void init()
    {
        m_opened.clear();
        m_questions = 0;
        m_warnings.clear();
        FullScreenActive = false;
    }

    void cleanup()
    {
        QDir::setCurrent(m_savedCurrent);
        UiSeam::openHook = nullptr;
        const QStringList complaints = GstComplaints::Instance().Take();
        QVERIFY2(complaints.isEmpty(), qPrintable(complaints.join(u'\n')));
    }

    void playAndStopClickedQuicklyLeaveGStreamerQuiet_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("camera's ASF") << QStringLiteral("REC0001.asf");
        QTest::newRow("H.264 MP4") << QStringLiteral("2026_0101_0900.mp4");
    }

    void playAndStopClickedQuicklyLeaveGStreamerQuiet()
    {
        QFETCH(QString, name);
        const QString card = m_dir.filePath(QStringLiteral("quick"));
        QDir().mkpath(card);
        const QString recording = card + u'/' + name;
        if (name.endsWith(QLatin1String(".asf"))) {
            QProcess generator;
            generator.start(QStringLiteral(KESTREL_MAKE_RECORDING),
                            {QStringLiteral("--out"), recording, QStringLiteral("--seconds"), QStringLiteral("3"),
                             QStringLiteral("--width"), QStringLiteral("320"), QStringLiteral("--height"),
                             QStringLiteral("240")});
            QVERIFY(generator.waitForFinished(60000) && generator.exitCode() == 0);
        } else if (!MakeCameraRecording(recording, QStringLiteral("libx264"), 3)) {
            QSKIP("ffmpeg cannot write H.264");
        }
        auto window = makeWindow(m_programDir + QStringLiteral("kestrelview"));
        UiSeam::openHook = [&](QWidget*, const OpenFileRequest&) { return QStringList{recording}; };
        window->OnCommand(kOpenFile);
        for (int round = 0; round < 16; ++round) {
            window->OnCommand(kPlay);
            QVERIFY(window->Engine());
            QTest::qWait(round % 3 == 0 ? 120 : 10 + round);
            window->OnCommand(kStop);
            QTest::qWait(round % 2 ? 5 : 0);
        }
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 5000);
        window->OnCommand(kStop);
    }

    void helpStartedAsDotSlashOpensItsDocumentByFullPath()
    {
        // Started as ./kestrelview from the program folder: the module
        // directory is "./", but the desktop needs a full path.
        QVERIFY(QDir::setCurrent(m_programDir));
        PrivateProfile::WriteString(QStringLiteral("VEXORAPLAYER"), QStringLiteral("HelpFile"),
                                    QStringLiteral("help.html"), m_programDir + QStringLiteral("ZELPlayer.ini"));
        auto window = makeWindow(QStringLiteral("./kestrelview"));
        QCOMPARE(window->ModuleDirectory(), QStringLiteral("./"));
        // The about box follows the document; close it once it is up.
        bool aboutShown = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                aboutShown = true;
                modal->close();
            }
        });
        closer.start(20);
        window->OnCommand(kHelp);
        closer.stop();
        QVERIFY(aboutShown);
        QCOMPARE(m_opened.size(), 1);
        const QUrl url = m_opened.first();
        QVERIFY2(url.isLocalFile(), qPrintable(url.toString()));
        QVERIFY2(QDir::isAbsolutePath(url.toLocalFile()), qPrintable(url.toString()));
        QCOMPARE(QFileInfo(url.toLocalFile()).canonicalFilePath(),
                 QFileInfo(m_programDir + QStringLiteral("help.html")).canonicalFilePath());
        QCOMPARE(url.toString(), QUrl::fromLocalFile(QDir(m_programDir).absoluteFilePath("help.html")).toString());
    }

    void escapeLeavesFullScreenWhileASliderHasTheFocus_data()
    {
        QTest::addColumn<int>("slider");
        QTest::newRow("position") << int(kPositionSlider);
        QTest::newRow("volume") << int(kVolumeSlider);
    }

    void escapeLeavesFullScreenWhileASliderHasTheFocus()
    {
        QFETCH(int, slider);
        auto window = makeWindow(m_programDir + QStringLiteral("kestrelview"));
        auto* control = FindControl<CBitmapSlider>(window.get(), slider);
        QVERIFY(control);
        control->show();
        control->setFocus();
        FullScreenActive = true;
        QTest::keyClick(control, Qt::Key_Escape);
        QVERIFY(!FullScreenActive);
        QCOMPARE(m_questions, 0);
        // Out of full screen the slider keeps Escape to itself, as before.
        QTest::keyClick(control, Qt::Key_Escape);
        QCOMPARE(m_questions, 0);
        QVERIFY(window->isVisible());
        // And its other keys stay its own in full screen.
        FullScreenActive = true;
        control->SetPos(500);
        QTest::keyClick(control, Qt::Key_Right);
        QVERIFY(control->GetPos() > 500);
        QVERIFY(FullScreenActive);
        FullScreenActive = false;
    }

    void aMissingDecoderIsToldOnceWithItsPackage()
    {
        const QString card = m_dir.filePath(QStringLiteral("card"));
        QDir().mkpath(card);
        const QString first = card + QStringLiteral("/2026_0101_0800.mp4");
        const QString second = card + QStringLiteral("/2026_0101_0801.mp4");
        if (!MakeCameraRecording(first, QStringLiteral("libx265")) || !QFile::copy(first, second))
            QSKIP("ffmpeg cannot write H.265");
        gst_init(nullptr, nullptr);
        HiddenDecoders hidden("video/x-h265");
        QVERIFY(hidden.Count() > 0);
        auto window = makeWindow(m_programDir + QStringLiteral("kestrelview"));
        for (const QString& recording : {first, second, first}) {
            UiSeam::openHook = [&](QWidget*, const OpenFileRequest&) { return QStringList{recording}; };
            window->OnCommand(kOpenFile);
            UiSeam::openHook = nullptr;
            window->OnCommand(kPlay);
            QVERIFY(window->Engine());
            QTest::qWait(50);
            window->OnCommand(kStop);
        }
        QCOMPARE(m_warnings.size(), 1);
        const QString& text = m_warnings.first();
        QVERIFY2(text.contains(QStringLiteral("gstreamer1.0-libav")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("H.265")), qPrintable(text));
        // In the language in use (a first start shows German).
        QVERIFY2(text.startsWith(PlayerTextIn(3, kPlayerTextMissingDecoder).section(u':', 0, 0)), qPrintable(text));
    }
};

int main(int argc, char** argv)
{
    CWebBrowser2::PrepareEnvironment();
    QApplication application(argc, argv);
    ShellTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_shell.moc"
