#include "recordeventcounter.h"

#include "recordingevents.h"
#include "telemetrylogpath.h"

#include <QElapsedTimer>
#include <QThread>

#include <memory>

namespace {
// A batch goes to the list at least this often, and at least every so many files.
constexpr qint64 kBatchMs = 100;
constexpr int kBatchFiles = 200;
}  // namespace

RecordEventCounter::RecordEventCounter(QObject* parent)
    : QObject(parent), m_current(std::make_shared<std::atomic<quint64>>(0))
{
}

RecordEventCounter::~RecordEventCounter()
{
    Cancel();
    // Each worker stops after the file it is reading.
    for (QThread* worker : std::as_const(m_workers)) {
        worker->wait();
        delete worker;
    }
}

void RecordEventCounter::Cancel()
{
    ++m_job;
    m_current->store(m_job);
    m_counting = false;
}

bool RecordEventCounter::IsCounting() const
{
    return m_counting;
}

void RecordEventCounter::Start(const QString& folder, const QStringList& fileNames)
{
    Cancel();
    const quint64 job = m_job;
    m_counting = true;
    const std::shared_ptr<std::atomic<quint64>> current = m_current;
    QThread* worker = QThread::create([this, job, current, folder, fileNames] {
        const GSensorLimits limits = EventLimitsForFolder(folder);
        auto track = std::make_unique<TelemetryTrack>();
        QList<RecordEventCount> batch;
        QElapsedTimer sinceBatch;
        sinceBatch.start();
        for (int row = 0; row < fileNames.size(); ++row) {
            if (current->load() != job)
                return;
            RecordEventCount count;
            count.row = row;
            count.fileName = fileNames.at(row);
            const auto events = DetectLogEvents(TelemetryLogPath(folder + count.fileName), limits, *track);
            count.count = events ? static_cast<int>(events->size()) : -1;
            batch.append(count);
            const bool last = row + 1 == fileNames.size();
            if (last || batch.size() >= kBatchFiles || sinceBatch.elapsed() >= kBatchMs) {
                // Queued to the counter's thread; this worker never touches it directly,
                // and the destructor waits for the worker before the counter goes.
                QMetaObject::invokeMethod(
                    this, [this, job, batch, last] { deliver(job, batch, last); }, Qt::QueuedConnection);
                batch.clear();
                sinceBatch.restart();
            }
        }
        if (fileNames.isEmpty())
            QMetaObject::invokeMethod(this, [this, job] { deliver(job, {}, true); }, Qt::QueuedConnection);
    });
    m_workers.append(worker);
    connect(worker, &QThread::finished, this, [this, worker] {
        m_workers.removeOne(worker);
        worker->deleteLater();
    });
    // Only when nothing else wants the processor (SCHED_IDLE on Linux): the
    // list, the preview and playback always come first.
    worker->start(QThread::IdlePriority);
}

void RecordEventCounter::deliver(quint64 job, const QList<RecordEventCount>& counts, bool last)
{
    if (job != m_job)
        return;
    if (!counts.isEmpty())
        emit countsReady(counts);
    if (last) {
        m_counting = false;
        emit finished();
    }
}
