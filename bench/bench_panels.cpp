// Record list panel: a folder of 50 recordings (640x480, 3 s) listed in a
// CRecord, stepped through with Down key presses on the list. Each step is
// timed from the key press until the preview's new video surface has painted
// its first frame; a bare playbin preroll of the same kind of file, to
// PAUSED with fake sinks, is measured beside it for the ratio ("x_preroll").
//
// Engines are counted without touching the player: GStreamer's tracing hooks
// follow every playbin (one per engine) from creation through its state
// changes to finalization. Running engines (a playbin out of NULL) are sampled
// when the panel announces a preview (the previous one must be stopped by then)
// and after each first frame; playbins created and finalized during the steps
// show whether stopped engines really give their pipelines back. Video
// surfaces are counted in the preview area.
#include "crecord.h"
#include "cdxgraph.h"
#include "controlid.h"
#include "videosurface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>
#include <gst/gst.h>

#include "playbinwatch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>


namespace {

constexpr int kRecordings = 50;
constexpr qint64 kFrameTimeoutMs = 10000;
constexpr double kGoalMs = 150;

QString g_folder; // ends with '/'
double g_prerollSeconds = 0;

struct StepFigures {
    std::vector<double> ms;
    int runningAtStartMax = 0; // while the next preview is announced
    int runningAfterFrameMax = 0;
    int created = 0;           // playbins made during the steps
    int finalized = 0;         // of all playbins, finalized during the steps
    double residentGrowthMb = 0; // resident memory after the steps less before
    int surfacesMax = 0;
    int blankFrames = 0;
    int wrongPaths = 0;
};
StepFigures g_steps;


// Resident memory of this process in MB, from /proc.
double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// A preview that shows a picture, not a flat colour.
bool showsPicture(QWidget* area)
{
    const QImage image = area->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return false;
    const QRgb first = image.pixel(image.width() / 2, image.height() / 2);
    int differing = 0;
    for (int y = 2; y < image.height() - 2; y += 8) {
        for (int x = 2; x < image.width() - 2; x += 8) {
            if (image.pixel(x, y) != first)
                ++differing;
        }
    }
    return differing > 20;
}

void pressKey(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_PlaybinPrerollToPaused(benchmark::State& state)
{
    gchar* uri = gst_filename_to_uri(QFile::encodeName(g_folder + QStringLiteral("REC0025.asf")).constData(),
                                     nullptr);
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        GstElement* playbin = gst_element_factory_make("playbin", nullptr);
        g_object_set(playbin, "uri", uri, "video-sink", gst_element_factory_make("fakesink", nullptr), "audio-sink",
                     gst_element_factory_make("fakesink", nullptr), nullptr);
        gst_element_set_state(playbin, GST_STATE_PAUSED);
        gst_element_get_state(playbin, nullptr, nullptr, 10 * GST_SECOND);
        const double seconds = timer.nsecsElapsed() / 1e9;
        gst_element_set_state(playbin, GST_STATE_NULL);
        gst_object_unref(playbin);
        total += seconds;
        state.SetIterationTime(seconds);
    }
    g_free(uri);
    g_prerollSeconds = total / double(state.iterations());
}
BENCHMARK(BM_PlaybinPrerollToPaused)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_PreviewStepToFirstFrame(benchmark::State& state)
{
    g_steps = {};
    CRecord panel;
    panel.SetButtonFaces();
    panel.show();
    auto* list = FindControl<QTreeWidget>(&panel, CRecord::kRecordList);
    auto* area = FindControl<QFrame>(&panel, CRecord::kPreviewArea);
    if (!list || !area) {
        state.SkipWithError("the panel lacks its list or preview area");
        return;
    }
    QString announced;
    QObject::connect(&panel, &CRecord::previewStarted, [&announced](const QString& path) {
        announced = path;
        g_steps.runningAtStartMax = std::max(g_steps.runningAtStartMax, PlaybinWatch::Instance().Running());
    });
    if (panel.LoadRecordFolder(g_folder, QStringLiteral(".asf")) != kRecordings) {
        state.SkipWithError("the folder does not list all recordings");
        return;
    }
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    const double residentBefore = residentMb();
    const int createdBefore = PlaybinWatch::Instance().Made();
    const int finalizedBefore = PlaybinWatch::Instance().Finalized();
    int row = 0;
    for (auto _ : state) {
        if (row + 1 >= kRecordings) {
            state.SkipWithError("stepped past the end of the list");
            break;
        }
        announced.clear();
        QElapsedTimer timer;
        timer.start();
        pressKey(list, Qt::Key_Down);
        auto* surface = area->findChild<VideoSurface*>(QString(), Qt::FindDirectChildrenOnly);
        while ((!surface || surface->framesPainted() == 0) && timer.elapsed() < kFrameTimeoutMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            surface = area->findChild<VideoSurface*>(QString(), Qt::FindDirectChildrenOnly);
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (!surface || surface->framesPainted() == 0) {
            state.SkipWithError("no frame was painted in the preview");
            break;
        }
        state.SetIterationTime(seconds);

        state.PauseTiming();
        ++row;
        g_steps.ms.push_back(seconds * 1000);
        if (announced != g_folder + panel.cell(row, RecordRowStore::kFileNameColumn))
            ++g_steps.wrongPaths;
        g_steps.runningAfterFrameMax = std::max(g_steps.runningAfterFrameMax, PlaybinWatch::Instance().Running());
        g_steps.surfacesMax = std::max<int>(g_steps.surfacesMax,
                                            int(area->findChildren<VideoSurface*>(QString(), Qt::FindDirectChildrenOnly).size()));
        if (!showsPicture(area))
            ++g_steps.blankFrames;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    g_steps.created = PlaybinWatch::Instance().Made() - createdBefore;
    g_steps.finalized = PlaybinWatch::Instance().Finalized() - finalizedBefore;
    g_steps.residentGrowthMb = residentMb() - residentBefore;
    panel.StopPreview();

    state.counters["median_ms"] = median(g_steps.ms);
    state.counters["max_ms"] = g_steps.ms.empty() ? 0 : *std::max_element(g_steps.ms.begin(), g_steps.ms.end());
    state.counters["running_max"] = g_steps.runningAfterFrameMax;
    state.counters["running_at_start_max"] = g_steps.runningAtStartMax;
    state.counters["playbins_made"] = g_steps.created;
    state.counters["playbins_freed"] = g_steps.finalized;
    state.counters["rss_growth_mb"] = g_steps.residentGrowthMb;
    state.counters["surfaces_max"] = g_steps.surfacesMax;
    state.counters["blank"] = g_steps.blankFrames;
    state.counters["wrong_path"] = g_steps.wrongPaths;
    if (g_prerollSeconds > 0)
        state.counters["x_preroll"] = median(g_steps.ms) / 1000 / g_prerollSeconds;
}
BENCHMARK(BM_PreviewStepToFirstFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kRecordings - 1);

bool makeFolder(const QString& folder)
{
    // Two generators at a time: one per core.
    for (int first = 1; first <= kRecordings; first += 2) {
        QProcess makers[2];
        for (int i = 0; i < 2 && first + i <= kRecordings; ++i) {
            const QString file = folder + QStringLiteral("REC%1.asf").arg(first + i, 4, 10, QLatin1Char('0'));
            makers[i].start(QStringLiteral(KESTREL_MAKE_RECORDING),
                            {QStringLiteral("--out"), file, QStringLiteral("--seconds"), QStringLiteral("3"),
                             QStringLiteral("--width"), QStringLiteral("640"), QStringLiteral("--height"),
                             QStringLiteral("480"), QStringLiteral("--no-log")});
        }
        for (int i = 0; i < 2 && first + i <= kRecordings; ++i) {
            if (!makers[i].waitForFinished(120000) || makers[i].exitStatus() != QProcess::NormalExit ||
                makers[i].exitCode() != 0)
                return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gst_init(nullptr, nullptr);
    PlaybinWatch::Instance();
    const QString missing = CDXGraph::MissingPluginsMessage();
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(missing));
        return 0;
    }
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_panels: no temporary folder\n");
        return 1;
    }
    g_folder = dir.path() + u'/';
    if (!makeFolder(g_folder)) {
        std::fprintf(stderr, "bench_panels: the recording generator failed\n");
        return 1;
    }
    // One warm-up, so neither side pays for loading the plugins.
    {
        CDXGraph warm;
        warm.Create();
        warm.RenderFile(g_folder + QStringLiteral("REC0001.asf"));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (!g_steps.ms.empty()) {
        const double med = median(g_steps.ms);
        const double worst = *std::max_element(g_steps.ms.begin(), g_steps.ms.end());
        std::printf("preview step (Down key to first painted frame), %zu steps: median %.1f ms, max %.1f ms "
                    "(goal < %.0f ms)%s\n",
                    g_steps.ms.size(), med, worst, kGoalMs, worst < kGoalMs ? "" : "  MISSED");
        if (g_prerollSeconds > 0)
            std::printf("  bare playbin preroll %.1f ms; step median / preroll = %.2f\n", g_prerollSeconds * 1000,
                        med / 1000 / g_prerollSeconds);
        std::printf("  engines running (playbins out of NULL): at most %d after a first frame, %d while the "
                    "next preview starts; video surfaces in the preview area at most %d\n",
                    g_steps.runningAfterFrameMax, g_steps.runningAtStartMax, g_steps.surfacesMax);
        std::printf("  playbins made during the steps %d, finalized %d, still existing at the end %d%s\n",
                    g_steps.created, g_steps.finalized, PlaybinWatch::Instance().Existing(),
                    g_steps.finalized < g_steps.created - 1 ? "  (stopped engines keep their pipelines)" : "");
        std::printf("  resident memory grew by %.1f MB over the steps (%.2f MB a step)\n", g_steps.residentGrowthMb,
                    g_steps.residentGrowthMb / double(g_steps.ms.size()));
        std::printf("  blank previews %d, announced paths not the stepped row %d\n", g_steps.blankFrames,
                    g_steps.wrongPaths);
    }
    return 0;
}
