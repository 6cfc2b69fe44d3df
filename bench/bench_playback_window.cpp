// A bare player window for the CPU comparison in bench/cpu-playback.sh: plays one
// recording with CDXGraph into a window of the video's size until its end (or
// the given number of seconds), then quits.
//
//   bench_playback_window FILE.asf [SECONDS]
#include "cdxgraph.h"
#include "videosurface.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_playback_window FILE.asf [SECONDS]\n");
        return 2;
    }
    const double limitSeconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toDouble() : 0;
    CDXGraph engine;
    if (!engine.Create() || !engine.RenderFile(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "bench_playback_window: cannot open %s\n", argv[1]);
        return 1;
    }
    long width = 0;
    long height = 0;
    engine.GetVideoSize(width, height);
    QWidget window;
    window.resize(int(width), int(height));
    window.show();
    engine.SetDisplayWindow(&window);
    engine.Run();
    double duration = 0;
    engine.GetDuration(duration);
    // The same polling the player's display timer does.
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        double position = 0;
        engine.GetCurrentPosition(position);
        if (position == duration || (limitSeconds > 0 && position >= limitSeconds))
            app.quit();
    });
    tick.start(150);
    const int result = app.exec();
    // Proof that the frames reached the screen, not only the decoder.
    if (auto* surface = window.findChild<VideoSurface*>())
        std::printf("frames painted: %llu\n", static_cast<unsigned long long>(surface->framesPainted()));
    return result;
}
