#pragma once
// The main window: a borderless 1024 × 724 skinned dialog that owns the one
// playback engine, the two panels of its right-hand frame, the skinned
// controls and the two playback timers. Everything here runs on the
// user-interface thread; the engine's streaming threads never reach it.
#include "clipspan.h"
#include "continuousplay.h"
#include "preparedengine.h"
#include "qtdialogtranslation.h"
#include "eventtimeline.h"
#include "windowdragger.h"

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <memory>

class CAboutDlg;
class CBitmapButton;
class CBitmapSlider;
class ClipExportDialog;
class CControlButton;
class CDXGraph;
class CInformation;
class CReadout;
class CRecord;
class FrameStill;
class KeyOverlay;
class QMenu;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QWheelEvent;
class QRadioButton;
class TelemetryPanel;
class VideoNote;

class QUrl;

// The address the help document is opened at.
QUrl HelpDocumentUrl(const QString& path);

class CPlayerDlg : public QDialog {
    Q_OBJECT
public:
    // argv0 is the program path as the process received it.
    explicit CPlayerDlg(const QString& argv0, QWidget* parent = nullptr);
    ~CPlayerDlg() override;

    // Command routing: the command filter first, then the command table.
    void OnCommand(int id);

    // Playback controller.
    void StartPlayback();
    void ReleaseEngine();
    void LeaveFullScreen();
    void StartTick();
    void DisplayTick();
    void OpenFileCommand();
    // The open-file command's part once the files are chosen: lists them and
    // makes the last one the recording that Play starts.
    void OpenRecordings(const QStringList& files);
    // Opens what the command line or a drop names: a folder is listed (and
    // remembered), one recording is listed with its folder and played,
    // several are listed as the open-file command lists them. Paths that
    // cannot be opened are named in one message.
    void OpenPaths(const QStringList& paths);
    void OpenRecord();  // WM_OPEN_RECORD
    // A click on a route of the map: seeks the playing recording to the
    // sample, or opens the neighbour recording there.
    void SeekToRouteSample(const QString& recordPath, int sampleIndex, int sampleCount);

    // Telemetry strip: draws the whole strip into the surface.
    void DrawTelemetry(QImage& surface);

    // G-sensor events of the playing recording: marks on the position slider,
    // Page Down (+1) / Page Up (-1) to the next / previous one, 2 s before it.
    void StepToEvent(int direction);
    const EventTimeline& RecordingEventTimeline() const { return m_eventTimeline; }
    // Reads the events of CurrentVideoPath's log with its folder's limits and
    // marks them; StartPlayback calls it, as must any other way a recording
    // takes over the engine.
    void LoadRecordingEvents();

    // The clip export: I / O mark the span at the playing position, Ctrl+E or the
    // menu opens the export dialog for it (cplayerdlg_export.cpp).
    void SetClipMark(bool in);
    void ExportClip();
    const ClipSpan& ClipMarks() const { return m_clipSpan; }
    // The span an export would take now.
    ClipSpan::Choice ClipChoice() const;
    // The open export dialog, or null.
    ClipExportDialog* ExportDialog() const;

    // Snapshot and print of the frame on screen.
    void TakeSnapshot();
    void PrintFrame();

    // Language and panels.
    void ShowLanguageMenu();
    void ApplyLanguage();
    void ShowRecordPanel();
    void ShowInformationPanel();
    void ShowAbout();
    void ShowHelp();
    // The document the ? button opens: "HelpFile" in the program folder, or
    // the shipped help.html when that is not set.
    QString HelpDocumentPath() const;
    void ShowConfiguration();

    CDXGraph* Engine() const { return m_engine.get(); }
    CRecord* RecordPanel() const { return m_record; }
    CInformation* InformationPanel() const { return m_information; }
    QString ModuleDirectory() const { return m_moduleDirectory; }
    QString TempDirectory() const { return m_tempDirectory; }
    QString CurrentVideoPath() const { return m_currentVideoPath; }
    void SetCurrentVideoPath(const QString& path) { m_currentVideoPath = path; }
    double DurationSeconds() const { return m_durationSeconds; }
    int SavedPosition() const { return m_savedPosition; }
    void SetSavedPosition(int thousandths) { m_savedPosition = thousandths; }
    bool IsStartTimerActive() const { return m_startTimer.isActive(); }
    bool IsDisplayTimerActive() const { return m_displayTimer.isActive(); }
    // The window's font, used by the readouts and the information panel.
    const QFont& ReadoutFont() const { return m_font; }
    // The note laid over the picture (on-screen display).
    // Never null: should its host (a full-screen picture) have taken it along,
    // a new one is made on the video area.
    VideoNote* Note() const;

    // Keys (cplayerdlg_keys.cpp): a command of the key table, given unless a
    // dialog or menu of the window is open; the key overlay; sound.
    bool RunKeyCommand(int command);
    KeyOverlay* KeysOverlay() const { return m_keyOverlay; }
    void ToggleFullScreen();
    void ToggleMute();
    bool IsMuted() const { return m_muted; }
    void StepVolume(int steps);
    int VolumeStep() const;

    // One continuous drive through the list, and the playback speed.
    void ToggleContinuousPlay();
    bool IsContinuousPlayOn() const { return m_continuousPlay.IsOn(); }
    const PreparedEngine& NextEngine() const { return m_preparedEngine; }
    void ChangePlaybackRate(int command);
    double PlaybackRate() const { return m_playbackRate; }
    // The last frame kept on the video area once no engine draws there.
    FrameStill* Still() const { return m_still; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

public slots:
    void accept() override;
    void reject() override;

private:
    void CreateChildren();
    void PlaceChildren();
    void SetUpSkins();
    void SetUpPanels();
    void SetUpSliders();
    void SetUpTooltips();
    void WireCommands();
    void SetUpKeys();
    void CancelCommand();
    void SetUnit(int kmh);
    void TransportCommand(int id);
    void SetPlayLooks(bool playPushed, bool pausePushed);
    void EndOfRecording();
    void RedrawNow();
    void StartRootsweep();
    // Lays the note over the engine's picture when full screen shows it, else
    // (or with onPicture false) over the video area.
    void HostNote(bool onPicture = true);
    void ShowVideoNote(const QString& text);
    bool SliderKeyStepsToEvent(QKeyEvent* key);
    // Whether the focused control keeps a key of the table for itself.
    bool FocusedControlKeeps(QKeyEvent* key) const;
    // The wheel over the video, the position slider or the volume.
    bool WheelTurned(QObject* watched, QWheelEvent* wheel);
    void ApplyVolume();
    void ListFolder(const QString& folder);

    // Continuous play, the kept last frame, the strip's click and the rate
    // (cplayerdlg_drive.cpp).
    bool RowPlays(int row) const;
    int FindPlayingRow() const;
    int PlayingRow() const;
    void PrepareNextRecording(double currentSeconds);
    bool ContinueDrive();
    std::unique_ptr<CDXGraph> TakePreparedEngine();
    void KeepLastFrame(bool dimmed);
    void SeekFromStrip(int surfaceX);
    void ApplyPlaybackRate();
    void KeepFullScreen();
    void ShowRateNote();
    void KeepRateNote();
    void AddDriveMenuItems(QMenu& menu);

    // The clip's span (cplayerdlg_export.cpp).
    void ResetClipSpan();
    void ShowClipMarks();
    void AddExportMenuItems(QMenu& menu);

    // Paths and state prepared at construction.
    QString m_moduleDirectory;
    QString m_tempDirectory;
    QString m_currentVideoPath;
    double m_durationSeconds = 0.0;
    int m_savedPosition = 0;
    // Where the next start seeks to once (thousandths), for a recording opened
    // from the map; unlike m_savedPosition it is used up by that start.
    int m_routeStartPosition = 0;
    // The last slider seek was a key-frame seek of a drag still going on, to
    // m_dragTargetSeconds; the drag's end makes it exact.
    bool m_dragSeekInexact = false;
    double m_dragTargetSeconds = 0.0;

    std::unique_ptr<CDXGraph> m_engine;
    QTimer m_startTimer;
    QTimer m_displayTimer;

    // Children (owned by Qt's parent chain).
    CBitmapButton* m_tabs[2] = {};
    CBitmapButton* m_transport[9] = {};
    CControlButton* m_roundButtons[8] = {};  // 1011, 1013, 1014, 1015, 1036, 1037, 1038, 1039
    CBitmapSlider* m_positionSlider = nullptr;
    CBitmapSlider* m_volumeSlider = nullptr;
    TelemetryPanel* m_telemetryPanel = nullptr;
    QWidget* m_videoArea = nullptr;
    QWidget* m_panelFrame = nullptr;
    CReadout* m_timeText = nullptr;
    CReadout* m_speedText = nullptr;
    QRadioButton* m_unitKmh = nullptr;
    QRadioButton* m_unitMph = nullptr;
    CRecord* m_record = nullptr;
    CInformation* m_information = nullptr;
    FrameStill* m_still = nullptr;

    ContinuousPlay m_continuousPlay;
    PreparedEngine m_preparedEngine;
    double m_playbackRate = 1.0;
    int m_playingRow = -1;  // the list's row found for the recording at its start
    mutable QPointer<VideoNote> m_note;
    EventTimeline m_eventTimeline;
    ClipSpan m_clipSpan;
    QString m_clipSpanPath;  // the recording the marks belong to
    QPointer<ClipExportDialog> m_exportDialog;

    QFont m_font;
    QImage m_background;  // 202 with the gauge of the current unit
    int m_backgroundUnit = -1;
    bool m_exitConfirmed = false;
    // Qt's own dialogs and message-box buttons in the language in use.
    QtDialogTranslation m_qtTexts;
    bool m_muted = false;
    int m_wheelRemainder = 0;  // eighths of a degree short of a whole notch
    KeyOverlay* m_keyOverlay = nullptr;
    WindowDragger m_dragger;
};
