// The main window's continuous drive through the record list, the last frame
// kept on the video area, the click on the telemetry strip and the playback
// speed. Everything runs on the user-interface thread, between the playback
// controller's steps (cplayerdlg_playback.cpp) that call in here.
#include "cplayerdlg.h"

#include "appstate.h"
#include "cbitmapslider.h"
#include "cdxgraph.h"
#include "crecord.h"
#include "framestill.h"
#include "keytable.h"
#include "playbackrate.h"
#include "playersettings.h"
#include "playertexts.h"
#include "recordlistmodel.h"
#include "telemetrypanel.h"
#include "telemetrystrip.h"
#include "videonote.h"

#include <QMenu>

namespace {

// The texts of these features, in the language in use.
QString ContinuousPlayText()
{
    return PlayerText(kPlayerTextContinuousPlay);
}

QString SpeedText()
{
    return PlayerText(kPlayerTextSpeed);
}

}  // namespace

// ---- continuous play --------------------------------------------------------

void CPlayerDlg::ToggleContinuousPlay()
{
    const bool on = !m_continuousPlay.IsOn();
    m_continuousPlay.SetOn(on);
    WriteContinuousPlay(on);
    if (!on)
        m_preparedEngine.Discard();
    Note()->ShowNote(ContinuousPlayText() + (on ? QStringLiteral(" \u2713") : QStringLiteral(" \u2717")));
}

bool CPlayerDlg::RowPlays(int row) const
{
    return row >= 0 && row < m_record->rowCount()
        && RecordFolder + m_record->cell(row, RecordRowStore::kFileNameColumn) == CurrentRecordName;
}

int CPlayerDlg::FindPlayingRow() const
{
    if (RowPlays(CurrentRecordIndex))
        return CurrentRecordIndex;
    for (int row = 0; row < m_record->rowCount(); ++row) {
        if (RowPlays(row))
            return row;
    }
    return -1;
}

int CPlayerDlg::PlayingRow() const
{
    // The drive follows the recording on screen, also after the user has
    // selected another row to preview it; a list loaded anew since the start
    // no longer holds it.
    for (int row : {CurrentRecordIndex, m_playingRow}) {
        if (RowPlays(row))
            return row;
    }
    return -1;
}

void CPlayerDlg::PrepareNextRecording(double currentSeconds)
{
    if (!m_engine || !m_continuousPlay.IsOn())
        return;
    const int playing = PlayingRow();
    const int rows = m_record->rowCount();
    if (!m_continuousPlay.ShouldPrepare(playing, rows, currentSeconds, m_durationSeconds, m_playbackRate))
        return;
    const int next = m_continuousPlay.NextRow(playing, rows);
    m_preparedEngine.Prepare(RecordFolder + m_record->cell(next, RecordRowStore::kFileNameColumn));
}

bool CPlayerDlg::ContinueDrive()
{
    const int playing = PlayingRow();
    if (m_continuousPlay.NextRow(playing, m_record->rowCount()) < 0) {
        // Nothing follows (the last row, or a list loaded anew meanwhile): an
        // engine opened for a row that will not play now is given back.
        m_preparedEngine.Discard();
        return false;
    }
    // The last picture stays, undimmed, until the next recording's first frame
    // covers it: the area never goes black in between.
    KeepLastFrame(false);
    m_savedPosition = 0;
    m_positionSlider->SetPos(0);
    LastSliderPosition = 0;
    ReleaseEngine();
    // The same model updates, preview and open request as Next on the
    // information panel, counted from the row on screen.
    CurrentRecordIndex = playing;
    m_record->SelectNextRecord();
    return true;
}

std::unique_ptr<CDXGraph> CPlayerDlg::TakePreparedEngine()
{
    return m_preparedEngine.Take(m_currentVideoPath);
}

void CPlayerDlg::KeepFullScreen()
{
    // A drive watched full screen goes on full screen: the new engine's
    // surface takes the place of the one that went with the ended recording.
    if (FullScreenActive && m_engine)
        m_engine->SetFullScreen(true);
}

// ---- the last frame ---------------------------------------------------------

void CPlayerDlg::KeepLastFrame(bool dimmed)
{
    QImage frame;
    if (m_engine && m_engine->GetCurrentImage(frame))
        m_still->ShowFrame(frame, dimmed);
    else
        m_still->Clear();
}

// ---- the telemetry strip ----------------------------------------------------

void CPlayerDlg::SeekFromStrip(int surfaceX)
{
    // A user move of the slider: the next display tick seeks there.
    if (!m_positionSlider->isVisible())
        return;
    m_positionSlider->SetPos(StripPositionAt(surfaceX, m_telemetryPanel->width()));
}

// ---- playback speed ---------------------------------------------------------

void CPlayerDlg::ChangePlaybackRate(int command)
{
    switch (command) {
    case PlayerKeyCommand::kFasterRate: m_playbackRate = FasterPlaybackRate(m_playbackRate); break;
    case PlayerKeyCommand::kSlowerRate: m_playbackRate = SlowerPlaybackRate(m_playbackRate); break;
    default: m_playbackRate = kNormalPlaybackRate; break;
    }
    ApplyPlaybackRate();
    ShowRateNote();
}

void CPlayerDlg::ApplyPlaybackRate()
{
    if (m_engine && m_engine->PlaybackRate() != m_playbackRate)
        m_engine->SetPlaybackRate(m_playbackRate);
}

void CPlayerDlg::ShowRateNote()
{
    const QString text = SpeedText() + QLatin1Char(' ') + PlaybackRateText(m_playbackRate);
    // Any speed but normal stays on screen; the return to normal shows briefly.
    if (m_playbackRate != kNormalPlaybackRate)
        Note()->ShowLastingNote(text);
    else
        Note()->ShowNote(text);
}

void CPlayerDlg::KeepRateNote()
{
    // Another note (an event, a saved snapshot) replaces the rate's for its
    // while; the rate's comes back once that one is gone.
    if (m_playbackRate != kNormalPlaybackRate && Note()->NoteText().isEmpty())
        ShowRateNote();
}

// ---- the window's menu ------------------------------------------------------

void CPlayerDlg::AddDriveMenuItems(QMenu& menu)
{
    QAction* item = menu.addAction(ContinuousPlayText());
    item->setCheckable(true);
    item->setChecked(m_continuousPlay.IsOn());
    connect(item, &QAction::triggered, this, [this] { OnCommand(PlayerKeyCommand::kToggleContinuousPlay); });
}
