// The record list panel (CRecord) listing a card folder of 5,000 recordings,
// each with a 25-second telemetry log (250 records) and the card's setup.ini.
// BM_PanelListsFolder times LoadRecordFolder and the events it queues, so work
// started after listing (the Event column's background count) shows when it
// slows the list. The recordings are empty files: the preview of row 0 fails
// at once, as it would for a damaged file, and costs the same in every run.
#include "crecord.h"
#include "recordlistmodel.h"
#include "telemetryrecordformat.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kRecordings = 5000;
constexpr int kRecordsPerLog = 250;

QString g_folder;

std::string sampleLog()
{
    std::string log;
    for (int i = 0; i < kRecordsPerLog; ++i) {
        TelemetrySample s;
        s.accelX = 0.1 * std::sin(i / 7.0);
        s.accelY = 0.1 * std::cos(i / 5.0);
        s.accelZ = 0.98;
        s.latitude = 48.87 + i * 1e-5;
        s.longitude = 2.31 + i * 1e-5;
        s.speed = 25;
        // One hard brake per log, so every count is 1.
        if (i >= 150 && i < 156)
            s.accelX = -1.4;
        log += FormatTelemetryRecord(s, i / 10);
        log += "\r\n";
    }
    return log;
}

bool makeFolder(const QString& folder)
{
    const std::string log = sampleLog();
    for (int i = 0; i < kRecordings; ++i) {
        const QString base = folder + QString::asprintf("2024_0101_%06d", i);
        QFile video(base + QStringLiteral(".asf"));
        QFile telemetry(base + QStringLiteral(".LOG"));
        if (!video.open(QIODevice::WriteOnly) || !telemetry.open(QIODevice::WriteOnly)
            || telemetry.write(log.data(), qint64(log.size())) != qint64(log.size()))
            return false;
    }
    QFile setup(folder + QStringLiteral("setup.ini"));
    return setup.open(QIODevice::WriteOnly) && setup.write("[G_LIMITX=1.00]\r\n") > 0;
}

void BM_PanelListsFolder(benchmark::State& state)
{
    CRecord panel;
    panel.SetButtonFaces();
    panel.show();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (panel.LoadRecordFolder(g_folder, QStringLiteral(".asf")) != kRecordings) {
            state.SkipWithError("the folder does not list all recordings");
            break;
        }
        QCoreApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
    panel.StopPreview();
}
BENCHMARK(BM_PanelListsFolder)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// From the start of listing until every row's Event cell holds its count.
void BM_EventColumnFills(benchmark::State& state)
{
    CRecord panel;
    panel.SetButtonFaces();
    panel.show();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        panel.LoadRecordFolder(g_folder, QStringLiteral(".asf"));
        QCoreApplication::processEvents();
        while (panel.IsCountingEvents() && timer.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        if (panel.cell(kRecordings - 1, RecordRowStore::kEventColumn) != QStringLiteral("1")) {
            state.SkipWithError("the last row was not counted");
            break;
        }
    }
    state.counters["per_recording_us"] =
        benchmark::Counter(kRecordings, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    panel.StopPreview();
}
BENCHMARK(BM_EventColumnFills)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/bench_record_list.XXXXXX"));
    if (!dir.isValid())
        return 1;
    g_folder = dir.path() + QLatin1Char('/');
    if (!makeFolder(g_folder)) {
        std::fprintf(stderr, "cannot write the card folder in %s\n", qPrintable(dir.path()));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
