// Opening a recording: CDXGraph's RenderFile + SetDisplayWindow + Pause until the
// surface has painted the first frame, against a bare playbin with fake sinks
// prerolling the same 640x480 file to PAUSED. The engine's figure carries the
// ratio to the bare preroll measured in the same run ("x_preroll").
#include "cdxgraph.h"
#include "videosurface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <gst/gst.h>

#include <cstdio>

namespace {

QString g_recording;
double g_prerollSeconds = 0; // mean of the last bare-preroll run

double prerollOnce(const QByteArray& uri)
{
    QElapsedTimer timer;
    timer.start();
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    g_object_set(playbin, "uri", uri.constData(), "video-sink", gst_element_factory_make("fakesink", nullptr),
                 "audio-sink", gst_element_factory_make("fakesink", nullptr), nullptr);
    gst_element_set_state(playbin, GST_STATE_PAUSED);
    gst_element_get_state(playbin, nullptr, nullptr, 10 * GST_SECOND);
    const double seconds = timer.nsecsElapsed() / 1e9;
    gst_element_set_state(playbin, GST_STATE_NULL);
    gst_object_unref(playbin);
    return seconds;
}

void BM_PlaybinPrerollToPaused(benchmark::State& state)
{
    gchar* uri = gst_filename_to_uri(QFile::encodeName(g_recording).constData(), nullptr);
    const QByteArray uriText(uri);
    g_free(uri);
    double total = 0;
    for (auto _ : state) {
        const double seconds = prerollOnce(uriText);
        total += seconds;
        state.SetIterationTime(seconds);
    }
    g_prerollSeconds = total / double(state.iterations());
}
BENCHMARK(BM_PlaybinPrerollToPaused)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OpenToFirstFramePainted(benchmark::State& state)
{
    QWidget target;
    target.resize(640, 480);
    target.show();
    QCoreApplication::processEvents();
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        CDXGraph engine;
        engine.Create();
        engine.RenderFile(g_recording);
        engine.SetDisplayWindow(&target);
        engine.Pause();
        auto* surface = target.findChild<VideoSurface*>();
        while (surface && surface->framesPainted() == 0 && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (!surface || surface->framesPainted() == 0) {
            state.SkipWithError("no frame was painted");
            break;
        }
        total += seconds;
        state.SetIterationTime(seconds);
        state.PauseTiming();
        engine.ReleaseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    if (state.iterations() > 0 && g_prerollSeconds > 0)
        state.counters["x_preroll"] = total / double(state.iterations()) / g_prerollSeconds;
}
BENCHMARK(BM_OpenToFirstFramePainted)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gst_init(nullptr, nullptr);
    const QString missing = CDXGraph::MissingPluginsMessage();
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(missing));
        return 0;
    }
    QTemporaryDir dir;
    g_recording = dir.filePath(QStringLiteral("REC0001.asf"));
    QProcess make;
    make.start(QStringLiteral(KESTREL_MAKE_RECORDING),
               {QStringLiteral("--out"), g_recording, QStringLiteral("--seconds"), QStringLiteral("5"),
                QStringLiteral("--width"), QStringLiteral("640"), QStringLiteral("--height"), QStringLiteral("480"),
                QStringLiteral("--no-log")});
    if (!make.waitForFinished(120000) || make.exitCode() != 0) {
        std::fprintf(stderr, "bench_playback: the recording generator failed\n");
        return 1;
    }
    // One warm-up each, so neither side pays for loading the plugins.
    {
        CDXGraph warm;
        warm.Create();
        warm.RenderFile(g_recording);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
