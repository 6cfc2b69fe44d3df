// The main window's playback controller: the engine's life, the two timers,
// the transport commands, the open-file command, full screen, the telemetry
// strip, snapshot and print.
#include "cplayerdlg.h"

#include "appstate.h"
#include "cbitmapbutton.h"
#include "cbitmapslider.h"
#include "cdxgraph.h"
#include "cinformation.h"
#include "cplayerapp.h"
#include "uitexttable.h"
#include "controlid.h"
#include "creadout.h"
#include "crecord.h"
#include "formatclock.h"
#include "missingplugin.h"
#include "keytable.h"
#include "framestill.h"
#include "positionmath.h"
#include "playerids.h"
#include "playersettings.h"
#include "playertexts.h"
#include "recordingfiles.h"
#include "recordlistmodel.h"
#include "recordrowstore.h"
#include "snapshotprint.h"
#include "telemetrypanel.h"
#include "telemetrystrip.h"
#include "telemetrystrippainter.h"
#include "telemetrytrack.h"
#include "uiseam.h"

#include <QFileInfo>
#include <QPointer>

#include <algorithm>

using namespace PlayerId;

namespace {
// Seconds used when a position or duration cannot be read in a command.
constexpr double kFallbackSeconds = 1.0;
constexpr double kFrameStepBackSeconds = 0.05;
constexpr double kSkipSeconds = 3.0;

// A part GStreamer lacks leaves the picture black (or the file closed): the
// user reads once which package brings it, after the start has finished.
void reportMissingDecoder(QWidget* window, const CDXGraph& engine)
{
    const CDXGraph::MissingPlugin missing = engine.MissingDecoder();
    if (missing.IsEmpty() || !FirstReportOfMissingPlugin(missing.detail))
        return;
    const QString text = PlayerText(kPlayerTextMissingDecoder)
                             .arg(missing.description, DebianPackageForMissingPlugin(missing.detail));
    QPointer<QWidget> target(window);
    QMetaObject::invokeMethod(
        window, [target, text] {
            if (target)
                UiSeam::Warn(target, QStringLiteral("Kestrelview"), text);
        },
        Qt::QueuedConnection);
}
constexpr double kLongSkipSeconds = 30.0;
}  // namespace

void CPlayerDlg::SetPlayLooks(bool playPushed, bool pausePushed)
{
    FindControl<CBitmapButton>(this, kPlay)->SetPushedState(playPushed);
    FindControl<CBitmapButton>(this, kPause)->SetPushedState(pausePushed);
}

void CPlayerDlg::ReleaseEngine()
{
    if (!m_engine)
        return;
    m_engine->Stop();
    // The note may sit on the engine's full-screen picture, which goes with it.
    HostNote(false);
    m_engine.reset();
}

void CPlayerDlg::StartPlayback()
{
    // In a continuous drive the recording may wait opened and paused already.
    std::unique_ptr<CDXGraph> prepared = TakePreparedEngine();
    const bool opened = prepared != nullptr;
    ReleaseEngine();
    m_engine = opened ? std::move(prepared) : std::make_unique<CDXGraph>();
    m_startTimer.stop();
    m_startTimer.start();
    if (!opened) {
        if (!m_engine->Create())
            return;
        m_engine->RenderFile(m_currentVideoPath);
    }
    reportMissingDecoder(this, *m_engine);
    m_engine->SetDisplayWindow(m_videoArea);
    m_still->Clear();
    KeepFullScreen();
    ApplyPlaybackRate();
    m_engine->Run();

    m_record->hide();
    m_information->hide();
    m_information->show();
    m_tabs[1]->setEnabled(true);
    m_videoArea->show();
    m_positionSlider->show();
    m_telemetryPanel->show();

    m_tabs[1]->SetPushedState(true);
    m_tabs[0]->SetPushedState(false);
    SetPlayLooks(true, false);

    CurrentRecordName = m_currentVideoPath;
    m_playingRow = FindPlayingRow();
    m_information->ShowRecordingRoute(m_currentVideoPath);
    long width = 0;
    long height = 0;
    m_engine->GetVideoSize(width, height);
    VideoWidth = static_cast<int>(width);
    VideoHeight = static_cast<int>(height);
    m_durationSeconds = 0.0;
    m_engine->GetDuration(m_durationSeconds);
    TelemetryReloadPending = true;
    // The panel just shown names what was asked to open at once: a display
    // tick still running from the last recording may end an unplayable one
    // before the start tick comes.
    m_information->RefreshRecordInfo();
    LoadRecordingEvents();
}

void CPlayerDlg::StartTick()
{
    if (!m_engine)
        return;
    m_engine->Pause();
    m_startTimer.stop();
    if (m_routeStartPosition > 0) {
        LastSliderPosition = m_routeStartPosition;
        m_positionSlider->SetPos(m_routeStartPosition);
        m_engine->SetCurrentPosition(SecondsForSliderPosition(m_routeStartPosition, m_durationSeconds),
                                     CDXGraph::SeekMode::Accurate);
        m_routeStartPosition = 0;
    } else if (m_savedPosition > 0) {
        LastSliderPosition = m_savedPosition;
        m_engine->SetCurrentPosition(m_savedPosition * m_durationSeconds / 1000.0, CDXGraph::SeekMode::Accurate);
    }
    m_engine->Run();
    // Running again: the looks say playing, as the play command's do.
    SetPlayLooks(true, false);
    m_displayTimer.stop();
    m_displayTimer.start();
    m_information->RefreshRecordInfo();
}

void CPlayerDlg::DisplayTick()
{
    KeepRateNote();

    // 1. The strip, drawn off screen and copied once.
    QImage surface(m_telemetryPanel->size(), QImage::Format_RGB32);
    DrawTelemetry(surface);
    m_telemetryPanel->SetSurface(surface);

    // 2. Volume: slider 0..1000 is −10 dB .. 0 dB (silence while muted).
    ApplyVolume();

    // 3. Position, or a seek the user made with the slider.
    const int v = m_positionSlider->GetPos();
    // A drag that ended where its last key-frame seek left the picture: land
    // exactly where the thumb was let go.
    if (m_dragSeekInexact && !m_positionSlider->IsDragging()) {
        m_dragSeekInexact = false;
        if (m_engine && v == LastSliderPosition)
            m_engine->SetCurrentPosition(m_dragTargetSeconds, CDXGraph::SeekMode::Accurate);
    }
    if (v == LastSliderPosition) {
        double current = 0.0;
        if (m_engine)
            m_engine->GetCurrentPosition(current);
        m_timeText->setText(FormatClock(static_cast<long long>(current)) + QLatin1Char('/') +
                            FormatClock(static_cast<long long>(m_durationSeconds)));
        if (m_engine && m_durationSeconds == current) {
            EndOfRecording();
            return;
        }
        PrepareNextRecording(current);
        const int p = SliderPositionFor(current, m_durationSeconds);
        if (p != m_positionSlider->GetPos()) {
            m_positionSlider->SetPos(p);
            LastSliderPosition = p;
        }
    } else {
        LastSliderPosition = v;
        if (m_engine) {
            // A seek keeps a running engine running: the looks say playing.
            // Key frames keep a drag quick; a click, a key or the drag's end
            // lands exactly.
            const bool dragging = m_positionSlider->IsDragging();
            m_engine->SetCurrentPosition(v * m_durationSeconds / 1000.0,
                                         dragging ? CDXGraph::SeekMode::KeyFrame : CDXGraph::SeekMode::Accurate);
            m_dragSeekInexact = dragging;
            m_dragTargetSeconds = v * m_durationSeconds / 1000.0;
            if (m_engine->IsRunning())
                SetPlayLooks(true, false);
        }
    }
}

void CPlayerDlg::EndOfRecording()
{
    if (ContinueDrive())
        return;
    // The last picture stays on the video area, dimmed, instead of black.
    KeepLastFrame(true);
    SetPlayLooks(true, false);
    m_savedPosition = 0;
    m_positionSlider->SetPos(0);
    ReleaseEngine();
    RedrawNow();
    // Hiding and showing repaints the information panel; the list, when the
    // user has switched to it, stays in front with its tab pushed.
    if (m_information->isVisible()) {
        m_information->hide();
        m_information->show();
        m_information->repaint();
    }
    m_positionSlider->hide();
    m_telemetryPanel->hide();
}

void CPlayerDlg::TransportCommand(int id)
{
    if (id == kPlay) {
        if (m_engine) {
            SetPlayLooks(true, false);
            m_engine->Run();
        } else if (!m_currentVideoPath.isEmpty()) {
            StartPlayback();
        }
        return;
    }
    if (!m_engine)
        return;

    switch (id) {
    case kStop:
        ReleaseEngine();
        m_preparedEngine.Discard();
        m_still->Clear();
        m_displayTimer.stop();
        m_positionSlider->hide();
        m_videoArea->hide();
        m_telemetryPanel->hide();
        ShowRecordPanel();
        SetPlayLooks(false, false);
        return;
    case kPause:
        m_engine->Pause();
        break;
    case kFrameForward:
        if (m_engine->IsRunning())
            m_engine->Pause();
        m_engine->StepOneFrame();
        break;
    default: {
        // The seeking commands: a target, then the paused look. A read that
        // fails leaves its one second in place.
        double position = kFallbackSeconds;
        double target = 0.0;
        switch (id) {
        case kToStart: target = 0.0; break;
        case kFrameBack: m_engine->GetCurrentPosition(position); target = position - kFrameStepBackSeconds; break;
        case kSkipBack: m_engine->GetCurrentPosition(position); target = position - kSkipSeconds; break;
        case kSkipForward: m_engine->GetCurrentPosition(position); target = position + kSkipSeconds; break;
        case PlayerKeyCommand::kLongSkipBack:
            m_engine->GetCurrentPosition(position);
            target = std::max(0.0, position - kLongSkipSeconds);
            break;
        case PlayerKeyCommand::kLongSkipForward: {
            m_engine->GetCurrentPosition(position);
            double duration = position + kLongSkipSeconds;
            m_engine->GetDuration(duration);
            target = std::min(duration, position + kLongSkipSeconds);
            break;
        }
        case kToEnd: m_engine->GetDuration(position); target = position; break;
        default: return;
        }
        // Frame back shows exactly the frame before; the skips land exactly
        // three seconds away, not on the key frame before.
        if (id != kFrameBack || !m_engine->StepBackOneFrame())
            m_engine->SetCurrentPosition(target, CDXGraph::SeekMode::Accurate);
        m_engine->Pause();
        break;
    }
    }
    SetPlayLooks(false, true);
}

void CPlayerDlg::OpenFileCommand()
{
    OpenFileRequest request;
    request.filter = QStringLiteral("ASF File (%1)").arg(RecordingFilePatterns());
    request.multiple = true;
    request.directory = RecordFolder;
    const QStringList files = UiSeam::OpenFiles(this, request);
    if (files.isEmpty())
        return;
    OpenRecordings(files);
}

void CPlayerDlg::OpenRecordings(const QStringList& files)
{
    FillRecordListFromFiles(files);
    // No row of the new list is selected, so no preview of the old folder stays.
    m_record->StopPreview();
    SaveRecordFolder();
    // The full path: nothing here changes the process's current folder.
    m_currentVideoPath = QFileInfo(files.last()).absoluteFilePath();
    update();
    ShowRecordPanel();
}

void CPlayerDlg::OpenRecord()
{
    m_currentVideoPath = m_record->SelectedRecordPath();
    m_information->GenerateMapPage(CurrentLanguage);
    StartPlayback();
}

void CPlayerDlg::SeekToRouteSample(const QString& recordPath, int sampleIndex, int sampleCount)
{
    const int position = FirstPositionShowing(sampleIndex, sampleCount);
    if (recordPath == m_currentVideoPath) {
        if (!m_engine) {
            // The recording has ended: it starts again at the place.
            m_routeStartPosition = position;
            StartPlayback();
            return;
        }
        // As a move of the slider, but at once; the play state stays.
        m_engine->SetCurrentPosition(SecondsForSliderPosition(position, m_durationSeconds));
        m_positionSlider->SetPos(position);
        LastSliderPosition = position;
        return;
    }
    const RecordRowStore& rows = ActiveRecordRowStore();
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (RecordFolder + rows.cell(row, RecordRowStore::kFileNameColumn) == recordPath) {
            m_routeStartPosition = position;
            m_record->SelectRecord(row);
            return;
        }
    }
}

void CPlayerDlg::LeaveFullScreen()
{
    // The video surface switches back directly; the recording keeps playing.
    if (m_engine)
        m_engine->SetFullScreen(false);
    HostNote();
}

void CPlayerDlg::DrawTelemetry(QImage& surface)
{
    static const TelemetryStripPainter painter;
    surface.fill(Qt::black);
    // Without telemetry of this recording (no log, an unreadable one, or one
    // in which nothing converted) the strip stays black and the speed box
    // empty: a speed left from the recording before would be wrong here.
    if (TelemetryReloadPending && !ReadTelemetryLog(CurrentRecordName)) {
        m_speedText->setText(QString());
        return;
    }
    const TelemetryTrack& track = TheTelemetryTrack();
    const int b = painter.Paint(surface, track, m_positionSlider->GetPos(), m_font);
    if (b < 0) {
        m_speedText->setText(QString());
        return;
    }
    const int recordAsMile = ReadRecordAsMile();
    const double shown = DisplayedSpeed(track.speed[b], recordAsMile, ShowKMHMode);
    m_speedText->setText(QString::asprintf("%.1f", shown));
    m_information->UpdateRouteMarker(b, recordAsMile, ShowKMHMode);
    if (m_engine && m_engine->IsRunning()) {
        const int m = MapSampleIndex(b, track.sampleCount);
        m_information->UpdateMapPosition(track.latitude[m], track.longitude[m]);
    }
}

void CPlayerDlg::TakeSnapshot()
{
    if (!m_engine)
        return;
    const QString saved = SnapshotCommand(this, m_engine.get(), m_tempDirectory);
    if (!saved.isEmpty())
        ShowVideoNote(PlayerText(kPlayerTextSnapshotSaved) + QStringLiteral(u" \u00B7 ") + QFileInfo(saved).fileName());
}

void CPlayerDlg::PrintFrame()
{
    if (!m_engine)
        return;
    if (m_engine->IsRunning()) {
        m_engine->Pause();
        SetPlayLooks(false, true);
    }
    PrintCommand(this, m_engine.get(), m_tempDirectory);
}
