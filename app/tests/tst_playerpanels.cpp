// The main window's right-hand frame and playback looks as a user meets them:
// which panel and tab show, what the information panel names, the transport
// looks after a start, the mouse over the chrome buttons, and readouts that
// keep their boxes without cutting their text.
#include "appstate.h"
#include "cbitmapbutton.h"
#include "cbitmapslider.h"
#include "ccontrolbutton.h"
#include "cdxgraph.h"
#include "cinformation.h"
#include "controlid.h"
#include "cplayerdlg.h"
#include "creadout.h"
#include "crecord.h"
#include "cwebbrowser2.h"
#include "fittingfont.h"
#include "playerids.h"
#include "recordlistmodel.h"
#include "skinbitmap.h"
#include "uiseam.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <memory>

using namespace PlayerId;

class PlayerPanelsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_programDir;
    QString m_card;
    QString m_recording;  // two seconds, 320 x 240

    std::unique_ptr<CPlayerDlg> makeWindow()
    {
        auto window = std::make_unique<CPlayerDlg>(m_programDir + QStringLiteral("kestrelview"));
        window->show();
        return window;
    }
    static CBitmapButton* tab(CPlayerDlg* window, int id) { return FindControl<CBitmapButton>(window, id); }
    static bool pushed(CPlayerDlg* window, int id) { return FindControl<CBitmapButton>(window, id)->PushedState(); }
    static QString recordText(CPlayerDlg* window)
    {
        return FindControl<QTextEdit>(window->InformationPanel(), CInformation::kRecordText)->toPlainText();
    }
    static QString resolutionText(CPlayerDlg* window)
    {
        return FindControl<QLineEdit>(window->InformationPanel(), CInformation::kResolutionText)->text();
    }
    // A tab shows its pushed image exactly while its panel is the one shown.
    static void verifyTabsFollowThePanel(CPlayerDlg* window)
    {
        const bool listShown = window->RecordPanel()->isVisible();
        QCOMPARE(window->InformationPanel()->isVisible(), !listShown);
        QCOMPARE(tab(window, kRecordTab)->CurrentImage() == *LoadSkinBitmap(139), listShown);
        QCOMPARE(tab(window, kInformationTab)->CurrentImage() == *LoadSkinBitmap(137), !listShown);
    }
    QString makeRecording(const QString& path, int seconds)
    {
        QProcess generator;
        generator.start(QStringLiteral(KESTREL_MAKE_RECORDING),
                        {QStringLiteral("--out"), path, QStringLiteral("--seconds"), QString::number(seconds),
                         QStringLiteral("--width"), QStringLiteral("320"), QStringLiteral("--height"),
                         QStringLiteral("240")});
        if (!generator.waitForFinished(60000) || generator.exitCode() != 0)
            return {};
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_RUNTIME_DIR", m_dir.filePath(QStringLiteral("runtime")).toLocal8Bit());
        QDir().mkpath(m_dir.filePath(QStringLiteral("runtime")));
        m_programDir = m_dir.filePath(QStringLiteral("program")) + QLatin1Char('/');
        m_card = m_dir.filePath(QStringLiteral("card")) + QLatin1Char('/');
        QDir().mkpath(m_programDir);
        QDir().mkpath(m_card);
        for (const char* page : {"map.txt", "Google-earth.html"})
            QFile::copy(QStringLiteral(KESTREL_PAGE_DIR "/") + QLatin1String(page), m_programDir + QLatin1String(page));
        m_recording = makeRecording(m_card + QStringLiteral("REC0001.asf"), 2);
        UiSeam::questionHook = [](QWidget*, const QString&, const QString&, QMessageBox::StandardButtons,
                                  QMessageBox::StandardButton) { return QMessageBox::No; };
        UiSeam::warnHook = [](QWidget*, const QString&, const QString&) {};
    }

    void cleanupTestCase() { UiSeam::ResetHooks(); }

    void init()
    {
        QFile::remove(m_programDir + QStringLiteral("ZELPlayer.ini"));
        FullScreenActive = false;
        RecordFolder.clear();
        CurrentRecordIndex = -1;
    }

    void minimiseAndCloseTakeTheMouseOverTheirWholeFaces()
    {
        auto window = makeWindow();
        const QRect frame = FindControl(window.get(), kPanelFrame)->geometry();
        for (int id : {kMinimize, kClose}) {
            auto* button = FindControl<CControlButton>(window.get(), id);
            QVERIFY(!button->mask().isEmpty());
            int overFrame = 0;
            for (int y = 0; y < button->height(); ++y) {
                for (int x = 0; x < button->width(); ++x) {
                    if (!button->mask().contains(QPoint(x, y)))
                        continue;
                    const QPoint at = button->mapTo(window.get(), QPoint(x, y));
                    overFrame += frame.contains(at);
                    QVERIFY2(window->childAt(at) == button,
                             qPrintable(QStringLiteral("control %1 at (%2, %3)").arg(id).arg(x).arg(y)));
                }
            }
            QVERIFY(overFrame > 0);  // the frame does lie over the button
        }
        // Inside the panels' outline the panel still takes the mouse.
        QWidget* atList = window->childAt(frame.center());
        QVERIFY(atList && window->RecordPanel()->isAncestorOf(atList));
    }

    void tabsLookPushedOnlyWhileTheirPanelIsShown()
    {
        auto window = makeWindow();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        verifyTabsFollowThePanel(window.get());
        tab(window.get(), kInformationTab)->setEnabled(true);

        // Each tab keeps the keyboard focus while the other panel is shown.
        tab(window.get(), kRecordTab)->setFocus();
        QVERIFY(tab(window.get(), kRecordTab)->hasFocus());
        window->OnCommand(kInformationTab);
        verifyTabsFollowThePanel(window.get());
        tab(window.get(), kInformationTab)->setFocus();
        QVERIFY(tab(window.get(), kInformationTab)->hasFocus());
        window->OnCommand(kRecordTab);
        verifyTabsFollowThePanel(window.get());
    }

    void theEndOfARecordingLeavesTheListShownWhenTheUserChoseIt()
    {
        auto window = makeWindow();
        window->SetCurrentVideoPath(m_card + QStringLiteral("missing.asf"));
        window->OnCommand(kPlay);
        verifyTabsFollowThePanel(window.get());
        QVERIFY(window->InformationPanel()->isVisible());
        window->OnCommand(kRecordTab);
        QTRY_VERIFY_WITH_TIMEOUT(!window->Engine(), 5000);
        QVERIFY(window->RecordPanel()->isVisible());
        verifyTabsFollowThePanel(window.get());
        QVERIFY(pushed(window.get(), kRecordTab));
        QVERIFY(!pushed(window.get(), kInformationTab));
    }

    void theStartTickLeavesPlayPushedAndPauseNot()
    {
        if (m_recording.isEmpty())
            QSKIP("the recording generator could not make a recording (GStreamer plugins missing?)");
        auto window = makeWindow();
        window->SetCurrentVideoPath(m_recording);
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 5000);
        QVERIFY(window->Engine());
        QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->IsRunning(), 5000);
        QVERIFY(pushed(window.get(), kPlay));
        QVERIFY(!pushed(window.get(), kPause));
        window->OnCommand(kPause);
        QVERIFY(!pushed(window.get(), kPlay));
        QVERIFY(pushed(window.get(), kPause));
        window->OnCommand(kStop);
    }

    void aSliderSeekWhilePlayingKeepsPlayPushed()
    {
        if (m_recording.isEmpty())
            QSKIP("the recording generator could not make a recording (GStreamer plugins missing?)");
        auto window = makeWindow();
        window->SetCurrentVideoPath(m_recording);
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(window->Engine()->IsRunning(), 5000);
        // As a drag leaves it; the next display tick seeks there.
        FindControl<CBitmapSlider>(window.get(), kPositionSlider)->SetPos(250);
        QTRY_COMPARE_WITH_TIMEOUT(LastSliderPosition, 250, 3000);
        QVERIFY(window->Engine() && window->Engine()->IsRunning());
        QVERIFY(pushed(window.get(), kPlay));
        QVERIFY(!pushed(window.get(), kPause));
        window->OnCommand(kStop);
    }

    void anUnplayableRecordingAfterAnEndedOneIsNamedWithNoResolution()
    {
        if (m_recording.isEmpty())
            QSKIP("the recording generator could not make a recording (GStreamer plugins missing?)");
        auto window = makeWindow();
        window->SetCurrentVideoPath(m_recording);
        window->OnCommand(kPlay);
        QTRY_COMPARE_WITH_TIMEOUT(resolutionText(window.get()), QStringLiteral("320*240"), 5000);
        QCOMPARE(recordText(window.get()), QStringLiteral("Record: ") + m_recording);
        QTRY_VERIFY_WITH_TIMEOUT(!window->Engine(), 15000);
        // The ended state keeps ticking; once its ticks show the stopped clock,
        // the next one would also end a recording that cannot be played.
        QVERIFY(window->IsDisplayTimerActive());
        QTRY_COMPARE_WITH_TIMEOUT(FindControl<CReadout>(window.get(), kTimeText)->text(),
                                  QStringLiteral("00:00:00/00:00:02"), 5000);

        const QString broken = m_card + QStringLiteral("broken.asf");
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a recording at all");
        file.close();
        window->SetCurrentVideoPath(broken);
        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(!window->Engine(), 5000);
        QCOMPARE(recordText(window.get()), QStringLiteral("Record: ") + broken);
        QCOMPARE(resolutionText(window.get()), QStringLiteral("0*0"));
        QVERIFY(window->InformationPanel()->isVisible());
    }

    void openFileCommandLeavesNoCurrentRowAndNoPreview()
    {
        if (m_recording.isEmpty())
            QSKIP("the recording generator could not make a recording (GStreamer plugins missing?)");
        const QString folder = m_dir.filePath(QStringLiteral("four")) + QLatin1Char('/');
        QDir().mkpath(folder);
        for (int i = 1; i <= 4; ++i)
            QFile::copy(m_recording, folder + QStringLiteral("REC%1.asf").arg(i, 4, 10, QLatin1Char('0')));
        QFile settings(m_programDir + QStringLiteral("ZELPlayer.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[VEXORAPLAYER]\nLastLoadPath=" + folder.toUtf8() + "\n");
        settings.close();
        auto window = makeWindow();
        QCOMPARE(RecordCount, 4);
        auto* list = FindControl<QTreeWidget>(window->RecordPanel(), CRecord::kRecordList);
        list->setCurrentItem(list->topLevelItem(3));
        QCOMPARE(CurrentRecordIndex, 3);
        QVERIFY(window->RecordPanel()->HasPreview());

        UiSeam::openHook = [&](QWidget*, const OpenFileRequest&) { return QStringList{m_recording}; };
        window->OnCommand(kOpenFile);
        UiSeam::openHook = nullptr;
        QCOMPARE(RecordCount, 1);
        QCOMPARE(CurrentRecordIndex, -1);
        QVERIFY(!window->RecordPanel()->HasPreview());

        window->OnCommand(kPlay);
        QTRY_VERIFY_WITH_TIMEOUT(window->IsDisplayTimerActive(), 5000);
        QCOMPARE(recordText(window.get()), QStringLiteral("Record: ") + m_recording);
        QVERIFY(!FindControl(window->InformationPanel(), CInformation::kPreviousButton)->isEnabled());
        QVERIFY(!FindControl(window->InformationPanel(), CInformation::kNextButton)->isEnabled());
        window->OnCommand(kStop);
    }

    void speedReadoutFitsItsBoxWhole_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("designFont");  // narrow enough for the window's own font
        QTest::newRow("0.0") << QStringLiteral("0.0") << true;
        QTest::newRow("99.9") << QStringLiteral("99.9") << true;
        QTest::newRow("100.0") << QStringLiteral("100.0") << false;
        QTest::newRow("287.5") << QStringLiteral("287.5") << false;
        QTest::newRow("999.9") << QStringLiteral("999.9") << false;
    }

    void speedReadoutFitsItsBoxWhole()
    {
        QFETCH(QString, text);
        QFETCH(bool, designFont);
        auto window = makeWindow();
        auto* speed = FindControl<CReadout>(window.get(), kSpeedText);
        QCOMPARE(speed->geometry(), QRect(492, 661, 32, 16));
        speed->setText(text);
        QCOMPARE(speed->text(), text);
        QVERIFY2(TextExtent(speed->textFont(), text) <= speed->width() - 2 * CReadout::kTextMargin,
                 qPrintable(QString::number(TextExtent(speed->textFont(), text))));
        QCOMPARE(speed->textFont() == window->ReadoutFont(), designFont);
        QVERIFY(QFontMetrics(speed->textFont()).height() <= speed->height() + 3);
    }

    void resolutionFitsItsBoxWhole_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("640*480") << 640 << 480;
        QTest::newRow("1280*720") << 1280 << 720;
        QTest::newRow("1920*1080") << 1920 << 1080;
        QTest::newRow("2560*1440") << 2560 << 1440;
    }

    void resolutionFitsItsBoxWhole()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        auto window = makeWindow();
        VideoWidth = width;
        VideoHeight = height;
        window->InformationPanel()->RefreshRecordInfo();
        auto* box = FindControl<QLineEdit>(window->InformationPanel(), CInformation::kResolutionText);
        const QString expected = QStringLiteral("%1*%2").arg(width).arg(height);
        QCOMPARE(box->text(), expected);
        QCOMPARE(box->geometry(), QRect(240, 130, 60, 20));
        // A line edit keeps two pixels free on either side of its text.
        QVERIFY2(TextExtent(box->font(), expected) <= box->contentsRect().width() - 4,
                 qPrintable(QString::number(TextExtent(box->font(), expected))));
        VideoWidth = 0;
        VideoHeight = 0;
    }
};

int main(int argc, char** argv)
{
    CWebBrowser2::PrepareEnvironment();
    QApplication application(argc, argv);
    PlayerPanelsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_playerpanels.moc"
