#pragma once
// Counts the G-sensor events of a folder's recordings for the record list's
// Event column, on a worker thread of its own so that listing never waits.
// Owned by the record list panel and driven from the UI thread: Start hands
// over the folder and its file names, results come back in batches through
// countsReady on the owner's thread, in list order. Starting again or
// cancelling drops the old job at its next file; the destructor waits for the
// worker to finish the file it is reading.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

struct RecordEventCount {
    int row = 0;
    QString fileName;
    int count = -1;  // -1: no readable log
};

class RecordEventCounter : public QObject {
    Q_OBJECT
public:
    explicit RecordEventCounter(QObject* parent = nullptr);
    ~RecordEventCounter() override;

    // Counts the recordings fileNames (row i is fileNames[i]) of folder,
    // which ends with '/'. Results of an earlier Start are no longer reported.
    void Start(const QString& folder, const QStringList& fileNames);
    void Cancel();
    // Whether a job is still counting (its last batch may still be queued).
    bool IsCounting() const;

signals:
    void countsReady(const QList<RecordEventCount>& counts);
    // The job of the latest Start reported its last count.
    void finished();

private:
    void deliver(quint64 job, const QList<RecordEventCount>& counts, bool last);

    quint64 m_job = 0;                                // UI thread
    std::shared_ptr<std::atomic<quint64>> m_current;  // read by workers: the job still wanted
    QList<QThread*> m_workers;
    bool m_counting = false;
};
