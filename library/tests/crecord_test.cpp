// The record list panel with real recordings: LOAD through the file-dialog
// seam, selection and preview, OPEN and double click handing the recording to
// the main window, Previous/Next staying inside the list, relabelling.
#include "crecord.h"

#include "controlid.h"
#include "recordlistmodel.h"
#include "telemetryrecordformat.h"
#include "uiseam.h"
#include "uitexttable.h"
#include "videosurface.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

// Stands in for the main window: counts open requests and notes what the
// panel wanted opened at the moment each arrived.
class OpenRequestRecorder : public QObject {
public:
    CRecord* panel = nullptr;
    QStringList paths;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == kOpenRecordEvent) {
            paths << (panel ? panel->SelectedRecordPath() : QString());
            return true;
        }
        return QObject::event(e);
    }
};

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// A 10-second log (100 records) with X forces at the given samples.
QByteArray logWithForces(const std::vector<std::pair<int, double>>& xs)
{
    std::string text;
    for (int i = 0; i < 100; ++i) {
        TelemetrySample s;
        s.accelZ = 0.98;
        for (const auto& [at, x] : xs) {
            if (at == i)
                s.accelX = x;
        }
        text += FormatTelemetryRecord(s, i / 10) + "\r\n";
    }
    return QByteArray::fromStdString(text);
}

}  // namespace

class CRecordTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_card;        // three playable recordings and a stray file
    QString m_dummies;     // files that only look like recordings
    QString m_empty;
    QStringList m_names;   // recordings of m_card in list order, filled by the first load
    QStringList m_chosen;  // what the open-file seam answers
    int m_dialogs = 0;
    QString m_lastFilter;

    struct Panel {
        std::unique_ptr<CRecord> panel;
        std::unique_ptr<OpenRequestRecorder> mainWindow;
        int saved = 0;
    };

    std::unique_ptr<Panel> makePanel()
    {
        auto p = std::make_unique<Panel>();
        p->panel = std::make_unique<CRecord>();
        p->mainWindow = std::make_unique<OpenRequestRecorder>();
        p->mainWindow->panel = p->panel.get();
        p->panel->SetOpenTarget(p->mainWindow.get());
        p->panel->SetButtonFaces();
        Panel* raw = p.get();
        p->panel->SetSaveFolderCallback([raw] { ++raw->saved; });
        p->panel->show();
        return p;
    }

    static QTreeWidget* list(CRecord& panel) { return FindControl<QTreeWidget>(&panel, CRecord::kRecordList); }
    static QFrame* previewArea(CRecord& panel) { return FindControl<QFrame>(&panel, CRecord::kPreviewArea); }
    static int surfaces(CRecord& panel)
    {
        return previewArea(panel)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size();
    }
    static QPoint rowCentre(CRecord& panel, int row)
    {
        QTreeWidget* l = list(panel);
        return l->visualItemRect(l->topLevelItem(row)).center();
    }
    static void clickRow(CRecord& panel, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(list(panel)->viewport(), Qt::LeftButton, modifiers, rowCentre(panel, row));
    }

    // Loads m_card through LOAD as the user would.
    void loadCard(CRecord& panel)
    {
        m_chosen = {m_card + QStringLiteral("REC0002.asf")};
        QTest::mouseClick(FindControl(&panel, CRecord::kLoadButton), Qt::LeftButton);
    }

    bool makeRecording(const QString& path)
    {
        QProcess generator;
        generator.start(QStringLiteral(KESTREL_MAKE_RECORDING),
                        {QStringLiteral("--out"), path, QStringLiteral("--seconds"), QStringLiteral("1"),
                         QStringLiteral("--width"), QStringLiteral("160"), QStringLiteral("--height"),
                         QStringLiteral("120"), QStringLiteral("--no-log")});
        return generator.waitForFinished(120000) && generator.exitStatus() == QProcess::NormalExit &&
               generator.exitCode() == 0 && QFile::exists(path);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_card = m_dir.filePath(QStringLiteral("card")) + u'/';
        m_dummies = m_dir.filePath(QStringLiteral("dummies")) + u'/';
        m_empty = m_dir.filePath(QStringLiteral("empty")) + u'/';
        for (const QString& folder : {m_card, m_dummies, m_empty})
            QVERIFY(QDir().mkpath(folder));
        for (const char* name : {"REC0001.asf", "REC0002.asf", "REC0003.asf"}) {
            if (!makeRecording(m_card + QLatin1String(name)))
                QSKIP("make-recording could not write a recording (GStreamer plugins missing?)");
        }
        QVERIFY(writeFile(m_card + QStringLiteral("notes.txt"), "not a recording"));
        QVERIFY(writeFile(m_dummies + QStringLiteral("broken.asf"), "not really a recording"));
        QVERIFY(writeFile(m_dummies + QStringLiteral("empty.asf"), ""));

        UiSeam::openHook = [this](QWidget*, const OpenFileRequest& request) {
            ++m_dialogs;
            m_lastFilter = request.filter;
            return m_chosen;
        };
    }

    void init()
    {
        CurrentLanguage = kLanguageEnglish;
        RecordFolder.clear();
        m_dialogs = 0;
        m_chosen.clear();
    }

    void cleanupTestCase() { UiSeam::ResetHooks(); }

    void loadListsTheFolderSelectsAndPreviewsTheFirstRow()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        QVERIFY(!FindControl(&panel, CRecord::kOpenButton)->isEnabled());
        loadCard(panel);

        QCOMPARE(m_dialogs, 1);
        QCOMPARE(m_lastFilter, QStringLiteral("Video file (*.asf *.mp4 *.mov *.mkv *.ts)"));
        QCOMPARE(RecordFolder, m_card);
        QCOMPARE(p->saved, 1);
        QCOMPARE(RecordCount, 3);
        QCOMPARE(list(panel)->topLevelItemCount(), 3);
        QCOMPARE(CurrentRecordIndex, 0);
        QCOMPARE(list(panel)->currentIndex().row(), 0);
        QVERIFY(list(panel)->topLevelItem(0)->isSelected());
        QCOMPARE(panel.cell(0, RecordRowStore::kNumberColumn), QStringLiteral("  0001"));
        QCOMPARE(panel.SelectedRecordPath(), m_card + panel.cell(0, RecordRowStore::kFileNameColumn));
        QVERIFY(panel.HasPreview());
        QVERIFY(previewArea(panel)->isVisible());
        QCOMPARE(surfaces(panel), 1);
        // Paused on its first frame.
        auto* surface = previewArea(panel)->findChild<VideoSurface*>();
        QVERIFY(surface);
        QTRY_VERIFY_WITH_TIMEOUT(!surface->frame().isNull(), 30000);
        QCOMPARE(surface->size(), previewArea(panel)->size());
        QVERIFY(FindControl(&panel, CRecord::kOpenButton)->isEnabled());
        QVERIFY(p->mainWindow->paths.isEmpty());
    }

    void cancellingLoadChangesNothing()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        const QString selected = panel.SelectedRecordPath();
        m_chosen.clear();
        QTest::mouseClick(FindControl(&panel, CRecord::kLoadButton), Qt::LeftButton);
        QCOMPARE(m_dialogs, 2);
        QCOMPARE(p->saved, 1);
        QCOMPARE(RecordCount, 3);
        QCOMPARE(RecordFolder, m_card);
        QCOMPARE(panel.SelectedRecordPath(), selected);
    }

    void clickingAnotherRowPreviewsItAndOpenSendsExactlyThatFile()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        QSignalSpy previews(&panel, &CRecord::previewStarted);

        clickRow(panel, 2);
        QCOMPARE(previews.count(), 1);
        const QString third = m_card + panel.cell(2, RecordRowStore::kFileNameColumn);
        QCOMPARE(previews.first().first().toString(), third);
        QCOMPARE(CurrentRecordIndex, 2);
        QCOMPARE(surfaces(panel), 1);  // the previous preview is gone

        QTest::mouseClick(FindControl(&panel, CRecord::kOpenButton), Qt::LeftButton);
        // Sent, not posted: handled before the click returns.
        QCOMPARE(p->mainWindow->paths, QStringList{third});
        QCOMPARE(CurrentRecordNumber, QStringLiteral("  0003"));
        QCOMPARE(CurrentRecordName, panel.cell(2, RecordRowStore::kFileNameColumn));
    }

    void reselectingTheFocusedRowStartsNoNewPreview()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        QSignalSpy previews(&panel, &CRecord::previewStarted);

        clickRow(panel, 1);
        QCOMPARE(previews.count(), 1);
        clickRow(panel, 1, Qt::ControlModifier);  // deselected, keeps the focus
        QVERIFY(!list(panel)->topLevelItem(1)->isSelected());
        QCOMPARE(list(panel)->currentIndex().row(), 1);
        clickRow(panel, 1);
        QVERIFY(list(panel)->topLevelItem(1)->isSelected());
        QCOMPARE(previews.count(), 1);
        // A row without the focus is previewed again.
        clickRow(panel, 0);
        QCOMPARE(previews.count(), 2);
    }

    void arrowKeysPreviewEachRowTheyReach()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        QSignalSpy previews(&panel, &CRecord::previewStarted);
        list(panel)->setFocus();
        QTest::keyClick(list(panel), Qt::Key_Down);
        QTest::keyClick(list(panel), Qt::Key_Down);
        QCOMPARE(previews.count(), 2);
        QCOMPARE(CurrentRecordIndex, 2);
        QCOMPARE(surfaces(panel), 1);
    }

    void returnOnASelectedRowOpensItElseLoadAndEscapeGoesToTheMainWindow()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        const int dialogs = m_dialogs;  // the load's own
        QTreeWidget* l = list(panel);
        l->setFocus();
        QTest::keyClick(l, Qt::Key_Down);
        QTest::keyClick(l, Qt::Key_Return);
        QCOMPARE(p->mainWindow->paths, QStringList{m_card + panel.cell(1, RecordRowStore::kFileNameColumn)});
        QCOMPARE(CurrentRecordIndex, 1);
        QCOMPARE(m_dialogs, dialogs);
        // Without a selected row Return still presses the default button, LOAD.
        clickRow(panel, 1, Qt::ControlModifier);
        QVERIFY(l->selectedItems().isEmpty());
        m_chosen.clear();  // the user cancels the dialog
        QTest::keyClick(l, Qt::Key_Return);
        QCOMPARE(m_dialogs, dialogs + 1);
        QCOMPARE(p->mainWindow->paths.size(), 1);
        QTest::keyClick(l, Qt::Key_Escape);
        QVERIFY(panel.isVisible());  // a panel is not closed like a dialog
    }

    void openWithoutASelectionDoesNothing()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        clickRow(panel, 0, Qt::ControlModifier);
        QVERIFY(list(panel)->selectedItems().isEmpty());
        QTest::mouseClick(FindControl(&panel, CRecord::kOpenButton), Qt::LeftButton);
        QVERIFY(p->mainWindow->paths.isEmpty());
    }

    void doubleClickOpensTheRowUnderThePointer()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        clickRow(panel, 1);
        QTest::mouseDClick(list(panel)->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(panel, 1));
        QCOMPARE(p->mainWindow->paths, QStringList{m_card + panel.cell(1, RecordRowStore::kFileNameColumn)});
        QCOMPARE(CurrentRecordIndex, 1);
        QCOMPARE(CurrentRecordNumber, QStringLiteral("  0002"));

        // Beside the rows: no record is chosen and nothing is opened.
        const QPoint below(10, list(panel)->viewport()->height() - 3);
        QVERIFY(!list(panel)->indexAt(below).isValid());
        QTest::mouseDClick(list(panel)->viewport(), Qt::LeftButton, Qt::NoModifier, below);
        QCOMPARE(CurrentRecordIndex, -1);
        QCOMPARE(p->mainWindow->paths.size(), 1);
    }

    void openAndDoubleClickOpenTheHighlightedRowAfterASteppedOpen_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("OPEN") << false;
        QTest::newRow("double click") << true;
    }

    void openAndDoubleClickOpenTheHighlightedRowAfterASteppedOpen()
    {
        QFETCH(bool, doubleClick);
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        // Next opens row 1 while the highlight stays on row 0.
        panel.SelectNextRecord();
        QCoreApplication::sendPostedEvents(p->mainWindow.get());
        const QString second = m_card + panel.cell(1, RecordRowStore::kFileNameColumn);
        QCOMPARE(p->mainWindow->paths, QStringList{second});
        QVERIFY(list(panel)->topLevelItem(0)->isSelected());

        if (doubleClick) {
            // The first click lands on the row already selected: no new preview.
            clickRow(panel, 0);
            QTest::mouseDClick(list(panel)->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(panel, 0));
        } else {
            QTest::mouseClick(FindControl(&panel, CRecord::kOpenButton), Qt::LeftButton);
        }
        const QString first = m_card + panel.cell(0, RecordRowStore::kFileNameColumn);
        QCOMPARE(p->mainWindow->paths, (QStringList{second, first}));
        QCOMPARE(CurrentRecordIndex, 0);
        QCOMPARE(CurrentRecordNumber, QStringLiteral("  0001"));
        QCOMPARE(panel.SelectedRecordPath(), first);
    }

    void onlyTheLeftButtonsDoubleClickOpens_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("right") << int(Qt::RightButton);
        QTest::newRow("middle") << int(Qt::MiddleButton);
    }

    void onlyTheLeftButtonsDoubleClickOpens()
    {
        QFETCH(int, button);
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        clickRow(panel, 1);
        QTest::mouseDClick(list(panel)->viewport(), Qt::MouseButton(button), Qt::NoModifier, rowCentre(panel, 1));
        QVERIFY(p->mainWindow->paths.isEmpty());
        // Beside the rows it does not unset the current record either.
        const QPoint below(10, list(panel)->viewport()->height() - 3);
        QTest::mouseDClick(list(panel)->viewport(), Qt::MouseButton(button), Qt::NoModifier, below);
        QVERIFY(p->mainWindow->paths.isEmpty());
        QCOMPARE(CurrentRecordIndex, 1);
        // The left button still opens the row.
        QTest::mouseDClick(list(panel)->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(panel, 1));
        QCOMPARE(p->mainWindow->paths, QStringList{m_card + panel.cell(1, RecordRowStore::kFileNameColumn)});
    }

    void previousAndNextStayInsideTheList_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("expected");  // -2: refused
        QTest::newRow("next from the middle") << 1 << true << 2;
        QTest::newRow("previous from the middle") << 1 << false << 0;
        QTest::newRow("next from the last row") << 2 << true << -2;
        QTest::newRow("previous from the first row") << 0 << false << -2;
        QTest::newRow("previous with no current row") << -1 << false << -2;
        QTest::newRow("next with no current row") << -1 << true << 0;
        QTest::newRow("next from past the end") << 7 << true << -2;
    }

    void previousAndNextStayInsideTheList()
    {
        QFETCH(int, start);
        QFETCH(bool, forward);
        QFETCH(int, expected);
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        const QString selectedBefore = panel.SelectedRecordPath();
        QSignalSpy previews(&panel, &CRecord::previewStarted);
        CurrentRecordIndex = start;
        CurrentRecordName = QStringLiteral("before");

        forward ? panel.SelectNextRecord() : panel.SelectPreviousRecord();
        // Posted: it reaches the main window after the caller's handler.
        QVERIFY(p->mainWindow->paths.isEmpty());
        QCoreApplication::sendPostedEvents(p->mainWindow.get());

        if (expected == -2) {
            QCOMPARE(CurrentRecordIndex, start);
            QCOMPARE(CurrentRecordName, QStringLiteral("before"));
            QCOMPARE(previews.count(), 0);
            QCOMPARE(panel.SelectedRecordPath(), selectedBefore);
            QVERIFY(p->mainWindow->paths.isEmpty());
            return;
        }
        const QString name = panel.cell(expected, RecordRowStore::kFileNameColumn);
        QCOMPARE(CurrentRecordIndex, expected);
        QCOMPARE(CurrentRecordName, name);
        QCOMPARE(CurrentRecordNumber, panel.cell(expected, RecordRowStore::kNumberColumn));
        QCOMPARE(previews.count(), 1);
        QCOMPARE(p->mainWindow->paths, QStringList{m_card + name});
        // The list's highlight stays where the user left it.
        QCOMPARE(list(panel)->currentIndex().row(), 0);
    }

    void rapidNextPressesStopAtTheLastRow()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        for (int i = 0; i < 5; ++i)
            panel.SelectNextRecord();
        QCoreApplication::sendPostedEvents(p->mainWindow.get());
        QCOMPARE(CurrentRecordIndex, 2);
        QCOMPARE(p->mainWindow->paths.size(), 2);
    }

    void recordingsThatCannotBeShownLeaveTheListUsable()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        QCOMPARE(panel.LoadRecordFolder(m_dummies, QStringLiteral(".asf")), 2);
        QCOMPARE(surfaces(panel), 0);
        clickRow(panel, 1);
        QCOMPARE(CurrentRecordIndex, 1);
        QCOMPARE(surfaces(panel), 0);
        QTest::mouseClick(FindControl(&panel, CRecord::kOpenButton), Qt::LeftButton);
        QCOMPARE(p->mainWindow->paths, QStringList{m_dummies + panel.cell(1, RecordRowStore::kFileNameColumn)});
    }

    void loadingAnEmptyFolderClearsTheListAndOpen()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        QCOMPARE(panel.LoadRecordFolder(m_empty.chopped(1), QStringLiteral(".asf")), 0);
        QCOMPARE(RecordFolder, m_empty);
        QCOMPARE(list(panel)->topLevelItemCount(), 0);
        QCOMPARE(CurrentRecordIndex, -1);
        QVERIFY(!FindControl(&panel, CRecord::kOpenButton)->isEnabled());
    }

    void initialisationListsTheFolderOfThePreviousRun()
    {
        RecordFolder = m_card;
        auto p = makePanel();
        CRecord& panel = *p->panel;
        QCOMPARE(RecordCount, 0);
        panel.Initialise();
        QCOMPARE(RecordCount, 3);
        QCOMPARE(CurrentRecordIndex, 0);
        QVERIFY(panel.HasPreview());
        QCOMPARE(p->saved, 0);
    }

    void theListHoldsTheRowsOfTheModel()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        FillRecordListFromFiles({m_card + QStringLiteral("REC0003.asf"), m_card + QStringLiteral("REC0001.asf")});
        QCOMPARE(list(panel)->topLevelItemCount(), 2);
        QCOMPARE(panel.cell(1, RecordRowStore::kNumberColumn), QStringLiteral("  0002"));
        QCOMPARE(panel.cell(1, RecordRowStore::kFileNameColumn), QStringLiteral("REC0001.asf"));
        QCOMPARE(panel.cell(1, RecordRowStore::kEventColumn), QString());
        QCOMPARE(panel.cell(2, RecordRowStore::kFileNameColumn), QString());
        QVERIFY(!panel.HasPreview());  // the open-file command selects nothing
        QVERIFY(FindControl(&panel, CRecord::kOpenButton)->isEnabled());
    }

    void eventColumnIsCountedAfterListing()
    {
        const QString folder = m_dir.filePath(QStringLiteral("events")) + u'/';
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + QStringLiteral("A.asf"), ""));
        QVERIFY(writeFile(folder + QStringLiteral("A.LOG"), logWithForces({{20, 1.4}, {60, -1.2}, {80, 0.8}})));
        QVERIFY(writeFile(folder + QStringLiteral("B.asf"), ""));
        QVERIFY(writeFile(folder + QStringLiteral("B.LOG"), logWithForces({{20, 0.8}})));
        QVERIFY(writeFile(folder + QStringLiteral("C.asf"), ""));
        QVERIFY(writeFile(folder + QStringLiteral("D.asf"), ""));
        QVERIFY(writeFile(folder + QStringLiteral("D.LOG"), logWithForces({{50, 0.8}})));
        // The camera's own limit makes 0.8 g an event in this folder.
        QVERIFY(writeFile(folder + QStringLiteral("SETUP.INI"), "[G_LIMITX=0.70]\r\n"));

        auto p = makePanel();
        CRecord& panel = *p->panel;
        QSignalSpy done(&panel, &CRecord::eventCountsFinished);
        QCOMPARE(panel.LoadRecordFolder(folder, QStringLiteral(".asf")), 4);
        // Listing returns before anything is counted.
        for (int row = 0; row < 4; ++row)
            QCOMPARE(panel.cell(row, RecordRowStore::kEventColumn), QString());
        QVERIFY(panel.IsCountingEvents());
        QVERIFY(done.wait(20000));
        QVERIFY(!panel.IsCountingEvents());
        const QHash<QString, QString> expected = {
            {QStringLiteral("A.asf"), QStringLiteral("3")},
            {QStringLiteral("B.asf"), QStringLiteral("1")},
            {QStringLiteral("C.asf"), QString()},   // no log
            {QStringLiteral("D.asf"), QStringLiteral("1")},
        };
        for (int row = 0; row < 4; ++row) {
            const QString name = panel.cell(row, RecordRowStore::kFileNameColumn);
            QCOMPARE(panel.cell(row, RecordRowStore::kEventColumn), expected.value(name));
        }

        // A quieter folder listed next shows its own counts, none left over.
        QVERIFY(writeFile(folder + QStringLiteral("SETUP.INI"), "[G_LIMITX=1.00]\r\n"));
        done.clear();
        QCOMPARE(panel.LoadRecordFolder(folder, QStringLiteral(".asf")), 4);
        QVERIFY(done.wait(20000));
        for (int row = 0; row < 4; ++row) {
            const QString name = panel.cell(row, RecordRowStore::kFileNameColumn);
            QCOMPARE(panel.cell(row, RecordRowStore::kEventColumn),
                     name == QStringLiteral("A.asf") ? QStringLiteral("2") : QString());
        }
    }

    void theListTakingTheFocusChoosesNoRecord()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        loadCard(panel);
        CurrentRecordIndex = 2;
        FillRecordListFromFiles({m_card + QStringLiteral("REC0003.asf")});
        QCOMPARE(CurrentRecordIndex, -1);
        // As a panel's show hands the focus back to the list of a window that is not active.
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(list(panel), &focusIn);
        QCOMPARE(CurrentRecordIndex, -1);
        QVERIFY(list(panel)->selectedItems().isEmpty());
        // The keyboard still moves to a row and chooses it.
        QTest::keyClick(list(panel), Qt::Key_Down);
        QCOMPARE(CurrentRecordIndex, 0);
    }

    void aLanguageChangeRelabelsTooltipsAndPaintedLabels()
    {
        auto p = makePanel();
        CRecord& panel = *p->panel;
        QCOMPARE(FindControl(&panel, CRecord::kLoadButton)->toolTip(), UiTextIn(kLanguageEnglish, 17));
        const QImage english = panel.grab(QRect(60, 28, 250, 16)).toImage();
        const QImage numberEnglish = panel.grab(QRect(8, 28, 40, 16)).toImage();

        CurrentLanguage = kLanguageGerman;
        panel.RelabelRecordPanel();
        QCOMPARE(FindControl(&panel, CRecord::kLoadButton)->toolTip(), UiTextIn(kLanguageGerman, 17));
        QCOMPARE(FindControl(&panel, CRecord::kOpenButton)->toolTip(), UiTextIn(kLanguageGerman, 18));
        panel.update();
        QVERIFY(panel.grab(QRect(60, 28, 250, 16)).toImage() != english);
        // "No." is the same in every language.
        QCOMPARE(panel.grab(QRect(8, 28, 40, 16)).toImage(), numberEnglish);
    }

    void hasTheRoundedOutline()
    {
        auto p = makePanel();
        const QRegion outline = p->panel->mask();
        QVERIFY(outline.contains(QPoint(158, 260)));
        QVERIFY(!outline.contains(QPoint(315, 0)));
    }
};

QTEST_MAIN(CRecordTest)
#include "crecord_test.moc"
