#pragma once
// CDXGraph: the playback engine, one GStreamer playbin per opened recording.
// Owned on the heap by the main window (one per start of playback) and by the
// record list's preview; every operation is called on the user-interface thread.
// Results are plain: bool, seconds as double, outputs left unchanged on failure.
// No GStreamer type appears here; the pipeline lives in a private struct.
#include <QImage>
#include <QString>

#include <memory>

class QWidget;

class CDXGraph {
public:
    // KeyFrame is quick and lands on the key frame at or before the target (what a
    // slider drag wants); Accurate shows the frame that covers the target.
    enum class SeekMode { KeyFrame, Accurate };

    CDXGraph();
    virtual ~CDXGraph();
    CDXGraph(const CDXGraph&) = delete;
    CDXGraph& operator=(const CDXGraph&) = delete;

    // Builds the pipeline. False when one already exists (it is kept) or when an
    // element cannot be made; whatever was made is held until ReleaseAll.
    bool Create();
    // Stops the pipeline and gives everything back; removes the video surface.
    // Safe to call again and on an engine whose Create failed.
    void ReleaseAll();

    // Opens the file (absolute, or relative to the current folder) and prerolls
    // it, so that size, duration and the first frame are known on return; the
    // engine is then paused at the start. False for a missing or unplayable file.
    bool RenderFile(const QString& path);
    // Puts a video surface into target: a child at (0, 0) with target's size that
    // lets mouse input through to target. Shown when target is not null.
    bool SetDisplayWindow(QWidget* target);

    // State queries wait at most 10 ms for a change in progress to settle; a
    // change still in progress reports the state being entered.
    bool IsRunning();
    bool IsPaused();
    bool IsStopped();
    // True without doing anything when already in that state.
    bool Run();
    bool Pause();
    bool Stop();

    // Seconds = media units (100 ns) / 10^7. Outputs unchanged on failure. At the
    // end of the stream the position equals the duration exactly.
    bool GetCurrentPosition(double& seconds);
    bool GetDuration(double& seconds);
    // Units = seconds * 10^7 truncated toward zero. Targets before 0 go to 0,
    // targets at or past the end go to the end. The playback rate is kept.
    bool SetCurrentPosition(double seconds, SeekMode mode = SeekMode::KeyFrame);
    // Playback speed, 0.25 to 4 (1 is normal); audio keeps its pitch. Positions
    // and the duration stay in media time. Kept by every seek and frame step and
    // by a later RenderFile; false outside the range or without a pipeline.
    bool SetPlaybackRate(double rate);
    double PlaybackRate() const;
    // Hundredths of a decibel: 0 full volume, -10000 silence; outside that, false.
    bool SetAudioVolume(long hundredthsDb);
    // Advances one video frame; a running engine is paused first.
    bool StepOneFrame();
    // Shows the frame just before the one on screen (an accurate seek, at the
    // playback rate); at the first frame it stays there. Presses that come
    // before the last one has landed each go one frame further.
    bool StepBackOneFrame();
    // Native video size; 0 x 0 (and true) when the size is not known.
    bool GetVideoSize(long& width, long& height);
    // On: the surface becomes a frameless full-screen window that passes mouse
    // presses, double-clicks and keys on to the target widget. Off: back into the
    // target, filling it.
    bool SetFullScreen(bool on);
    // The frame on screen at the video's native size, 32 bits (RGB32): the frame
    // SaveSnapshot writes. False, frame unchanged, when there is none yet.
    bool GetCurrentImage(QImage& frame);
    // The widget that shows the picture: inside the target, or the full-screen
    // window while full screen; null without one. A child widget laid over it
    // (a note on the picture) shows on top of the video.
    QWidget* SurfaceWidget() const;
    // Writes the current frame as a 32-bit bitmap file (an existing file is
    // replaced). False when there is no frame or the file cannot be written.
    bool SaveSnapshot(const QString& path);

    // Starts finding out, on a worker thread, whether the picture can go
    // through the graphics card (loading a graphics driver is slow): call once
    // early at start-up, before the first engine is made. Without it the first
    // Create finds out itself.
    static void PrepareVideoPath();

    // Empty when every GStreamer element the player needs is installed; else one
    // sentence naming the Debian package(s) to install.
    static QString MissingPluginsMessage();

    // A decoder or demuxer the last rendered file needs that GStreamer does
    // not have (its video then stays black, or the file does not open):
    // GStreamer's description ("H.265 (Main Profile) decoder") and installer
    // detail ("gstreamer|1.0|...|decoder-video/x-h265, ..."); both empty when
    // nothing was missing. Known once RenderFile has returned.
    struct MissingPlugin {
        QString description;
        QString detail;
        bool IsEmpty() const { return detail.isEmpty(); }
    };
    MissingPlugin MissingDecoder() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
