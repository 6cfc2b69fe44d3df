// One continuous drive through a folder of 6 recordings (640x480, 3 s, with
// logs) on the real main window: at each end of a recording the next row
// opens from an engine prepared before the end. Measured per hand-over: the
// frozen picture, from the last frame painted by the ending recording to the
// first frame painted by the next, and whether the video area showed black at
// any point of the switch. Beside it, Next on the information panel while a
// recording plays, with nothing prepared: the same interval for a fresh open.
// Engines are counted by their playbins through GStreamer's tracing hooks.
#include "cdxgraph.h"
#include "cinformation.h"
#include "controlid.h"
#include "cplayerdlg.h"
#include "crecord.h"
#include "cwebbrowser2.h"
#include "framestill.h"
#include "playerids.h"
#include "privateprofile.h"
#include "recordlistmodel.h"
#include "uiseam.h"
#include "videosurface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <gst/gst.h>

#include "playbinwatch.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>


namespace {

constexpr int kRecordings = 6;
constexpr qint64 kStepTimeoutMs = 15000;
constexpr double kGoalMs = 300;

QString g_programDir;  // ends with '/'
QString g_folder;      // ends with '/'

struct Figures {
    std::vector<double> gapsMs;
    int blackMoments = 0;  // the area mostly black when the switch starts
    int blackPaints = 0;   // a video surface painted without a frame
    int handOversPrepared = 0;
    int playbinsMost = 0;
    double longestFrameMs = 0;
};
Figures g_drive;
Figures g_next;

QString recordingPath(int number)
{
    return g_folder + QStringLiteral("REC%1.asf").arg(number, 4, 10, QLatin1Char('0'));
}

// Remembers when each video surface last painted a frame, and how many
// playbins exist at most.
class PaintClock : public QObject {
public:
    PaintClock() { m_clock.start(); }

    qint64 Now() const { return m_clock.nsecsElapsed(); }
    qint64 FirstPaint(const QObject* surface) const { return find(m_first, surface); }
    qint64 LastPaint(const QObject* surface) const { return find(m_last, surface); }
    // Paints of a surface without a frame: black on screen.
    int BlackPaints() const { return m_blackPaints; }
    // Longest time one surface showed the same frame while it played: a
    // stall of the picture, such as the next recording being opened.
    double LongestFrameMs() const { return m_longestFrameNs / 1e6; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (auto* surface = qobject_cast<VideoSurface*>(watched)) {
                if (surface->frame().isNull()) {
                    ++m_blackPaints;
                } else {
                    const qint64 now = Now();
                    m_first.try_emplace(surface, now);
                    if (const auto last = m_last.find(surface); last != m_last.end())
                        m_longestFrameNs = std::max(m_longestFrameNs, now - last->second);
                    m_last[surface] = now;
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static qint64 find(const std::map<const QObject*, qint64>& times, const QObject* surface)
    {
        const auto it = times.find(surface);
        return it == times.end() ? -1 : it->second;
    }

    QElapsedTimer m_clock;
    std::map<const QObject*, qint64> m_first;
    std::map<const QObject*, qint64> m_last;
    int m_blackPaints = 0;
    qint64 m_longestFrameNs = 0;
};

// Whether the video area shows black over most of it.
bool areaIsBlack(QWidget* area)
{
    const QImage image = area->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int lit = 0;
    int all = 0;
    for (int y = 4; y < image.height() - 4; y += 8) {
        for (int x = 4; x < image.width() - 4; x += 8) {
            ++all;
            if (qGray(image.pixel(x, y)) > 16)
                ++lit;
        }
    }
    return all == 0 || lit * 2 < all;
}

int existingPlaybins()
{
    return PlaybinWatch::Instance().Existing();
}

std::unique_ptr<CPlayerDlg> makeWindow(bool continuous)
{
    const QString settings = g_programDir + QStringLiteral("ZELPlayer.ini");
    PrivateProfile::WriteString(QStringLiteral("VEXORAPLAYER"), QStringLiteral("LastLoadPath"), g_folder, settings);
    PrivateProfile::WriteString(QStringLiteral("VEXORAPLAYER"), QStringLiteral("ContinuousPlay"),
                                continuous ? QStringLiteral("1") : QStringLiteral("0"), settings);
    auto window = std::make_unique<CPlayerDlg>(g_programDir + QStringLiteral("kestrelview"));
    window->show();
    return window;
}

// Runs the event loop until the recording of the list's `row` plays and its
// surface has painted a frame; that surface, or null after the time-out.
QObject* waitForPicture(CPlayerDlg& window, int row, Figures& figures)
{
    const QString path = RecordFolder + window.RecordPanel()->cell(row, RecordRowStore::kFileNameColumn);
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < kStepTimeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        figures.playbinsMost = std::max(figures.playbinsMost, existingPlaybins());
        if (CurrentRecordName != path || !window.Engine())
            continue;
        auto* surface = qobject_cast<VideoSurface*>(window.Engine()->SurfaceWidget());
        if (surface && surface->framesPainted() > 0)
            return surface;
    }
    return nullptr;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void report(benchmark::State& state, const Figures& figures)
{
    state.counters["median_ms"] = median(figures.gapsMs);
    state.counters["max_ms"] = figures.gapsMs.empty() ? 0 : *std::max_element(figures.gapsMs.begin(), figures.gapsMs.end());
    state.counters["black"] = figures.blackMoments;
    state.counters["black_paints"] = figures.blackPaints;
    state.counters["prepared"] = figures.handOversPrepared;
    state.counters["playbins_most"] = figures.playbinsMost;
    state.counters["longest_frame_ms"] = figures.longestFrameMs;
}

void BM_ContinuousHandOver(benchmark::State& state)
{
    g_drive = {};
    PaintClock clock;
    qApp->installEventFilter(&clock);
    auto window = makeWindow(true);
    QWidget* area = FindControl(window.get(), PlayerId::kVideoArea);
    const CDXGraph* prepared = nullptr;
    // The switch starts when the list previews the next row (the ending
    // engine is gone by then); the area is looked at there and on every
    // turn of the loop until the next picture shows.
    QObject::connect(window->RecordPanel(), &CRecord::previewStarted, window.get(), [&](const QString&) {
        if (areaIsBlack(area))
            ++g_drive.blackMoments;
        prepared = window->NextEngine().Engine();
    });
    FindControl<QAbstractButton>(window->RecordPanel(), CRecord::kOpenButton)->click();
    QObject* playing = waitForPicture(*window, 0, g_drive);
    int row = 0;
    for (auto _ : state) {
        if (!playing || row + 1 >= kRecordings) {
            state.SkipWithError("the drive did not reach the next recording");
            break;
        }
        QObject* next = waitForPicture(*window, row + 1, g_drive);
        if (!next) {
            state.SkipWithError("the next recording showed no picture");
            break;
        }
        const double gapMs = (clock.FirstPaint(next) - clock.LastPaint(playing)) / 1e6;
        state.SetIterationTime(gapMs / 1000);
        g_drive.gapsMs.push_back(gapMs);
        if (prepared && window->Engine() == prepared)
            ++g_drive.handOversPrepared;
        playing = next;
        ++row;
    }
    g_drive.blackPaints = clock.BlackPaints();
    g_drive.longestFrameMs = clock.LongestFrameMs();
    window.reset();
    qApp->removeEventFilter(&clock);
    report(state, g_drive);
}
BENCHMARK(BM_ContinuousHandOver)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(kRecordings - 1);

void BM_NextWithNothingPrepared(benchmark::State& state)
{
    g_next = {};
    PaintClock clock;
    qApp->installEventFilter(&clock);
    auto window = makeWindow(false);
    QWidget* area = FindControl(window.get(), PlayerId::kVideoArea);
    FindControl<QAbstractButton>(window->RecordPanel(), CRecord::kOpenButton)->click();
    QObject* playing = waitForPicture(*window, 0, g_next);
    int row = 0;
    for (auto _ : state) {
        if (!playing || row + 1 >= kRecordings) {
            state.SkipWithError("the first recording showed no picture");
            break;
        }
        emit window->InformationPanel()->nextRequested();
        if (areaIsBlack(area))
            ++g_next.blackMoments;
        QObject* next = waitForPicture(*window, row + 1, g_next);
        if (!next) {
            state.SkipWithError("Next showed no picture");
            break;
        }
        const double gapMs = (clock.FirstPaint(next) - clock.LastPaint(playing)) / 1e6;
        state.SetIterationTime(gapMs / 1000);
        g_next.gapsMs.push_back(gapMs);
        playing = next;
        ++row;
    }
    g_next.blackPaints = clock.BlackPaints();
    g_next.longestFrameMs = clock.LongestFrameMs();
    window.reset();
    qApp->removeEventFilter(&clock);
    report(state, g_next);
}
BENCHMARK(BM_NextWithNothingPrepared)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(kRecordings - 1);

bool makeFolder()
{
    for (int first = 1; first <= kRecordings; first += 2) {
        QProcess makers[2];
        for (int i = 0; i < 2 && first + i <= kRecordings; ++i) {
            makers[i].start(QStringLiteral(KESTREL_MAKE_RECORDING),
                            {QStringLiteral("--out"), recordingPath(first + i), QStringLiteral("--seconds"),
                             QStringLiteral("3"), QStringLiteral("--width"), QStringLiteral("640"),
                             QStringLiteral("--height"), QStringLiteral("480")});
        }
        for (int i = 0; i < 2 && first + i <= kRecordings; ++i) {
            if (!makers[i].waitForFinished(120000) || makers[i].exitStatus() != QProcess::NormalExit
                || makers[i].exitCode() != 0)
                return false;
        }
    }
    return true;
}

void printFigures(const char* what, const Figures& figures)
{
    if (figures.gapsMs.empty())
        return;
    const double worst = *std::max_element(figures.gapsMs.begin(), figures.gapsMs.end());
    std::printf("%s, %zu switches: picture frozen median %.1f ms, max %.1f ms (goal < %.0f ms)%s; "
                "black at the switch %d, black paints %d; from a prepared engine %d; playbins at most %d; "
                "longest frame while playing %.1f ms\n",
                what, figures.gapsMs.size(), median(figures.gapsMs), worst, kGoalMs,
                worst < kGoalMs ? "" : "  MISSED", figures.blackMoments, figures.blackPaints, figures.handOversPrepared,
                figures.playbinsMost, figures.longestFrameMs);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    CWebBrowser2::PrepareEnvironment();
    QApplication application(argc, argv);
    gst_init(nullptr, nullptr);
    PlaybinWatch::Instance();
    const QString missing = CDXGraph::MissingPluginsMessage();
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(missing));
        return 0;
    }
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_drive: no temporary folder\n");
        return 1;
    }
    qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
    UiSeam::warnHook = [](QWidget*, const QString&, const QString&) {};
    QDir().mkpath(dir.filePath(QStringLiteral("program")));
    QDir().mkpath(dir.filePath(QStringLiteral("card")));
    g_programDir = dir.filePath(QStringLiteral("program")) + u'/';
    g_folder = dir.filePath(QStringLiteral("card")) + u'/';
    for (const char* page : {"map.txt", "Google-earth.html"})
        QFile::copy(QStringLiteral(KESTREL_PAGE_DIR "/") + QLatin1String(page), g_programDir + QLatin1String(page));
    if (!makeFolder()) {
        std::fprintf(stderr, "bench_drive: the recording generator failed\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printFigures("continuous play (end of a recording to the next one's first frame)", g_drive);
    printFigures("Next with nothing prepared (last frame to the next one's first frame)", g_next);
    return 0;
}
