// The main window's 150 ms display tick and its telemetry strip, measured
// with a full 10,000-sample track, with and without a playing engine, and the
// "RecordAsMile" look-up each tick makes.
#include "cdxgraph.h"
#include "cplayerdlg.h"
#include "cwebbrowser2.h"
#include "playersettings.h"
#include "telemetrystrippainter.h"
#include "telemetrytrack.h"
#include "uiseam.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {
QTemporaryDir* g_dir = nullptr;
CPlayerDlg* g_window = nullptr;

void FillTrack()
{
    TelemetryTrack& track = TheTelemetryTrack();
    for (int i = 0; i < kTelemetryCapacity; ++i) {
        track.accelX[i] = std::sin(i * 0.01);
        track.accelY[i] = std::cos(i * 0.013) * 0.5;
        track.accelZ[i] = 1.0 + std::sin(i * 0.07) * 0.1;
        track.latitude[i] = 48.86 + i * 1e-6;
        track.longitude[i] = 2.31 - i * 1e-6;
        track.speed[i] = 30 + std::sin(i * 0.002) * 10;
    }
    track.sampleCount = kTelemetryCapacity;
    track.holdsTelemetry = true;
    TelemetryReloadPending = false;
}

void BM_DrawTelemetryStrip(benchmark::State& state)
{
    FillTrack();
    const TelemetryStripPainter painter;
    QImage surface(600, 95, QImage::Format_RGB32);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    int position = 0;
    for (auto _ : state) {
        surface.fill(Qt::black);
        benchmark::DoNotOptimize(painter.Paint(surface, TheTelemetryTrack(), position, font));
        position = (position + 7) % 1001;
    }
}
BENCHMARK(BM_DrawTelemetryStrip)->Unit(benchmark::kMicrosecond);

void BM_DisplayTickWithStrip(benchmark::State& state)
{
    FillTrack();
    for (auto _ : state)
        g_window->DisplayTick();
}
BENCHMARK(BM_DisplayTickWithStrip)->Unit(benchmark::kMicrosecond);

void BM_DisplayTickWithoutStrip(benchmark::State& state)
{
    TheTelemetryTrack().sampleCount = 0;
    TelemetryReloadPending = false;
    for (auto _ : state)
        g_window->DisplayTick();
}
BENCHMARK(BM_DisplayTickWithoutStrip)->Unit(benchmark::kMicrosecond);

void BM_DisplayTickPlayingWithStrip(benchmark::State& state)
{
    const QString clip = g_dir->filePath(QStringLiteral("clip.asf"));
    QProcess generator;
    generator.start(QStringLiteral(KESTREL_MAKE_RECORDING),
                    {QStringLiteral("--out"), clip, QStringLiteral("--seconds"), QStringLiteral("20"),
                     QStringLiteral("--no-log")});
    if (!generator.waitForFinished(120000) || generator.exitCode() != 0) {
        state.SkipWithError("the recording generator failed");
        return;
    }
    g_window->SetCurrentVideoPath(clip);
    g_window->StartPlayback();
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    FillTrack();
    for (auto _ : state) {
        g_window->DisplayTick();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    g_window->ReleaseEngine();
}
BENCHMARK(BM_DisplayTickPlayingWithStrip)->Unit(benchmark::kMicrosecond)->Iterations(200);

// "RecordAsMile" as each display tick asks for it, from a settings file grown
// large (about 1 MB of other keys) and left unchanged between ticks.
void BM_RecordAsMileFromALargeSettingsFile(benchmark::State& state)
{
    const QString saved = PlayerSettingsPath;
    PlayerSettingsPath = g_dir->filePath(QStringLiteral("large-ZELPlayer.ini"));
    QFile file(PlayerSettingsPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        state.SkipWithError("settings file not written");
        return;
    }
    file.write("[VEXORAPLAYER]\nRecordAsMile=0\n[OTHER]\n");
    for (int i = 0; i < 40000; ++i)
        file.write(QByteArray("Key") + QByteArray::number(i) + "=some value of no interest\n");
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadRecordAsMile());
    PlayerSettingsPath = saved;
}
BENCHMARK(BM_RecordAsMileFromALargeSettingsFile)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    CWebBrowser2::PrepareEnvironment();
    QApplication application(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
    UiSeam::warnHook = [](QWidget*, const QString&, const QString&) {};
    QDir().mkpath(dir.filePath(QStringLiteral("program")));
    CPlayerDlg window(dir.filePath(QStringLiteral("program/kestrelview")));
    window.show();
    g_window = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
