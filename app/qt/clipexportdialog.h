#pragma once
// The clip export's small window: which span goes out, the MP4 and report choices, a
// progress bar while RunClipExport works on a thread of its own, and the folder to open
// at the end. The main window makes one per export (deleted on close); the worker thread
// only calls the export and posts its progress back, never touching a widget.
#include "clipexport.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;
class QUrl;

class ClipExportDialog : public QDialog {
    Q_OBJECT
public:
    // Seams for tests: the export itself and the opening of the folder (null: the real ones).
    // Set on the UI thread while no export runs; the runner is then called on the worker.
    using Runner = std::function<ClipExportResult(const ClipExportRequest&, const ClipExportProgress&)>;
    using FolderOpener = std::function<bool(const QUrl&)>;
    static Runner runner;
    static FolderOpener folderOpener;

    // request carries the span; the dialog adds the choices of its check boxes.
    // spanText says in one line what goes out ("REC0003.asf · 00:00:12 – 00:00:32").
    ClipExportDialog(const ClipExportRequest& request, const QString& spanText, QWidget* parent);
    // Cancels a running export and waits for its thread.
    ~ClipExportDialog() override;

    const ClipExportRequest& Request() const { return m_request; }
    bool IsRunning() const { return m_thread != nullptr; }
    // The last export's result, once one has finished.
    const ClipExportResult& Result() const { return m_result; }

    QCheckBox* Mp4Choice() const { return m_mp4; }
    QCheckBox* ReportChoice() const { return m_report; }
    QProgressBar* Progress() const { return m_progress; }
    QPushButton* ExportButton() const { return m_export; }
    QPushButton* CancelButton() const { return m_cancel; }
    QPushButton* OpenFolderButton() const { return m_openFolder; }
    QString StatusText() const;

    void StartExport();
    // While running: asks the export to stop, and closes once it has. Otherwise closes.
    void CancelExport();
    void OpenFolder();

signals:
    // The export's thread has ended (also after a cancel).
    void exportFinished(int exitCode);

public slots:
    void reject() override;

private:
    void showProgress(double fraction, const QString& stage);
    void showResult(const ClipExportResult& result);

    ClipExportRequest m_request;
    ClipExportResult m_result;
    QThread* m_thread = nullptr;
    // Written by the UI thread, read by the worker's progress callback.
    std::shared_ptr<std::atomic<bool>> m_cancelRequested;
    bool m_closeWhenDone = false;

    QLabel* m_span = nullptr;
    QCheckBox* m_mp4 = nullptr;
    QCheckBox* m_report = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_openFolder = nullptr;
};
