#pragma once
// CDXGraph: the playback engine, one GStreamer playbin per opened recording.
// Owned on the heap by the main window (one per start of playback) and by the
// record list's preview; every operation is called on the user-interface thread.
// Results are plain: bool, seconds as double, outputs left unchanged on failure.
// No GStreamer type appears here; the pipeline lives in a private struct.
#include <QString>

#include <memory>

class QWidget;

class CDXGraph {
public:
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
    // Key-frame seek; units = seconds * 10^7 truncated toward zero. Targets before
    // 0 go to 0, targets at or past the end go to the end.
    bool SetCurrentPosition(double seconds);
    // Hundredths of a decibel: 0 full volume, -10000 silence; outside that, false.
    bool SetAudioVolume(long hundredthsDb);
    // Advances one video frame; a running engine is paused first.
    bool StepOneFrame();
    // Native video size; 0 x 0 (and true) when the size is not known.
    bool GetVideoSize(long& width, long& height);
    // On: the surface becomes a frameless full-screen window that passes mouse
    // presses, double-clicks and keys on to the target widget. Off: back into the
    // target, filling it.
    bool SetFullScreen(bool on);
    // Writes the current frame as a 32-bit bitmap file (an existing file is
    // replaced). False when there is no frame or the file cannot be written.
    bool SaveSnapshot(const QString& path);

    // Empty when every GStreamer element the player needs is installed; else one
    // sentence naming the Debian package(s) to install.
    static QString MissingPluginsMessage();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
