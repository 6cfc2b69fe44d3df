#include "videopathprobe.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <future>
#include <memory>
#include <optional>

Q_DECLARE_LOGGING_CATEGORY(lcPlayback)

namespace {

struct Probe {
    // Made on the UI thread (Qt wants it there), used by the worker.
    std::unique_ptr<QOffscreenSurface> surface;
    std::future<std::optional<QString>> renderer; // the GL_RENDERER; none without a context
    QElapsedTimer clock;
    qint64 uiThreadMs = 0; // what start() itself took
};

Probe& probe()
{
    static Probe instance;
    return instance;
}

std::optional<QString> rendererOn(QOffscreenSurface* surface)
{
    QOpenGLContext context;
    if (!surface || !surface->isValid() || !context.create() || !context.makeCurrent(surface))
        return std::nullopt;
    const auto* name = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    const QString renderer = QString::fromLatin1(name ? name : "");
    context.doneCurrent();
    return renderer;
}

// Windows that no window system shows (the tests' offscreen platform) cannot
// compose an OpenGL child, even where a context can be made.
bool platformComposesGl()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

void VideoPathProbe::start()
{
    Probe& p = probe();
    if (p.renderer.valid() || !qGuiApp || VideoPathForcedSoftware(qEnvironmentVariable("KESTREL_VIDEO_PATH"))
        || !platformComposesGl())
        return;
    p.clock.start();
    p.surface = std::make_unique<QOffscreenSurface>();
    p.surface->create();
    QOffscreenSurface* surface = p.surface.get();
    const bool threaded = QOpenGLContext::supportsThreadedOpenGL();
    p.renderer = std::async(threaded ? std::launch::async : std::launch::deferred,
                            [surface] { return rendererOn(surface); });
    p.uiThreadMs = p.clock.elapsed();
    // A program that ends before its first engine lets the worker finish
    // while the window system is still there for the surface.
    qAddPostRoutine([] {
        Probe& p = probe();
        if (p.renderer.valid())
            p.renderer.wait();
        p.surface.reset();
    });
}

VideoPath VideoPathProbe::path()
{
    static const VideoPath chosen = [] {
        const QString override = qEnvironmentVariable("KESTREL_VIDEO_PATH");
        if (VideoPathForcedSoftware(override) || !qGuiApp || !platformComposesGl())
            return VideoPath::Software;
        start();
        Probe& p = probe();
        const std::optional<QString> renderer = p.renderer.valid() ? p.renderer.get() : std::nullopt;
        p.surface.reset();
        const VideoPath path = ChooseVideoPath(override, renderer.has_value(), renderer.value_or(QString()));
        qCInfo(lcPlayback, "video through %s (OpenGL: %s; probe %lld ms on the UI thread, answer after %lld ms)",
               path == VideoPath::Gl ? "OpenGL" : "software", renderer ? qPrintable(*renderer) : "no context",
               static_cast<long long>(p.uiThreadMs), static_cast<long long>(p.clock.elapsed()));
        return path;
    }();
    return chosen;
}
