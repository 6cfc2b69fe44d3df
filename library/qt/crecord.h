#pragma once
// The record list panel: the recordings of RecordFolder in a list, a paused
// preview of the selected one below it, LOAD to list another folder and OPEN
// (or a double click) to hand the selected recording to the main window. A
// child of the main window's panel frame (1021), owned by the main window. Its
// list control holds the rows of the record list model. User-interface thread only.
#include "recordeventcounter.h"
#include "recordrowstore.h"

#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class CControlButton;
class CDXGraph;
class QItemSelection;
class QFrame;
class QModelIndex;
class QTreeWidget;

// The record list's request to the main window to open SelectedRecordPath; the
// event carries nothing. The main window handles the same type (QEvent::User + 100).
inline constexpr QEvent::Type kOpenRecordEvent = static_cast<QEvent::Type>(QEvent::User + 100);

class CRecord : public QDialog, public RecordRowStore {
    Q_OBJECT
public:
    // Control identifiers of the panel.
    static constexpr int kRecordList = 1016;
    static constexpr int kLoadButton = 1017;
    static constexpr int kOpenButton = 1018;
    static constexpr int kPreviewArea = 1019;
    static constexpr int kBackgroundBitmap = 154;

    // Sets RecordCount to 0 and CurrentRecordIndex to -1, and makes the list
    // control the store of the record list model's rows.
    explicit CRecord(QWidget* parent = nullptr);
    ~CRecord() override;

    // Lists RecordFolder when it is set (the folder of the previous run) and
    // previews its first recording. The main window calls it once, after
    // SetButtonFaces and SetSaveFolderCallback.
    void Initialise();
    // Faces of LOAD and OPEN.
    void SetButtonFaces();
    // OPEN starts disabled; it is enabled while the list holds rows.
    void SetOpenEnabled(bool enabled);
    // Called after every LOAD the user confirmed, to remember RecordFolder.
    void SetSaveFolderCallback(std::function<void()> callback);
    // Where the open request goes; the panel's window when none is set.
    void SetOpenTarget(QObject* target);

    // Replaces the rows by the recordings of `path` with `extension` (".asf"),
    // selects and previews row 0 when there is one; returns RecordCount.
    int LoadRecordFolder(const QString& path, const QString& extension);
    // The same for several extensions, the first one's rows first; the panel
    // lists RecordingExtensions().
    int LoadRecordFolder(const QString& path, const QStringList& extensions);
    // SelectedRecordPath = RecordFolder + fileName, and its first frame, paused,
    // in the preview area. One preview engine at a time.
    void PreviewRecord(const QString& fileName);
    // Discards the preview engine and hides the preview area.
    void StopPreview();
    // Tooltips of LOAD and OPEN in the current language.
    void RelabelRecordPanel();

    QString SelectedRecordPath() const { return m_selectedRecordPath; }
    // The whole file name of the row at a point of the list's viewport when
    // its cell cuts it short, else empty (the row's tooltip).
    QString CutNameAt(const QPoint& viewportPoint) const;
    // Whether the Event column is still being counted in the background.
    bool IsCountingEvents() const { return m_eventCountPending || m_eventCounter.IsCounting(); }
    bool HasPreview() const { return m_preview != nullptr; }

    // RecordRowStore: the list control's rows.
    void clearRows() override;
    void appendRow(const QString& number, const QString& fileName, const QString& event) override;
    int rowCount() const override;
    QString cell(int row, int column) const override;

public slots:
    // Make the row before (after) CurrentRecordIndex current, preview it and
    // post the open request. A step outside the list does nothing.
    void SelectPreviousRecord();
    void SelectNextRecord();
    // The same for any row (a click on a neighbour's route on the map).
    void SelectRecord(int row);
    // Selects the row in the list (previewing it) and asks the main window to
    // play it, as a double click on it does; false for a row outside the list.
    bool OpenRow(int row);

signals:
    // A preview of this recording was started (whether or not it could be shown).
    void previewStarted(const QString& path);
    // Every row's Event cell has its count.
    void eventCountsFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void onLoad();
    void onOpen();
    void onDoubleClicked(const QModelIndex& index);
    void onCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    void onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void stepToRecord(int row);
    void scheduleEventCount();
    void startEventCount();
    void showEventCounts(const QList<RecordEventCount>& counts);
    void sendOpenRequest();
    void postOpenRequest();
    QObject* openTarget();

    std::unique_ptr<CDXGraph> m_preview;
    QString m_selectedRecordPath;
    QFrame* m_previewArea = nullptr;
    CControlButton* m_openButton = nullptr;
    CControlButton* m_loadButton = nullptr;
    QTreeWidget* m_list = nullptr;

    std::function<void()> m_saveFolder;
    QPointer<QObject> m_openTarget;
    // The list's focused row as it was before the input being handled; a row
    // that already had the focus does not start a new preview when selected.
    int m_focusBeforeChange = -1;
    bool m_clearing = false;
    // The list is taking the focus without a current row (see eventFilter).
    bool m_focusInPick = false;
    // The button of the list's last double click.
    bool m_leftDoubleClick = false;

    // The Event column is counted after the rows are listed, never while.
    RecordEventCounter m_eventCounter;
    bool m_eventCountPending = false;
};
