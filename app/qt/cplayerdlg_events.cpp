// The main window's G-sensor events and its note on the picture: the events of
// the playing recording marked on the position slider, Page Down / Page Up to
// step through them, and the note that names what just happened.
#include "cplayerdlg.h"

#include "appstate.h"
#include "cbitmapslider.h"
#include "cdxgraph.h"
#include "keytable.h"
#include "positionmath.h"
#include "recordingevents.h"
#include "uitexttable.h"
#include "videonote.h"

#include <QFileInfo>
#include <QKeyEvent>

namespace {
// The skin's tick row below the slider's groove: the marks sit there, so the
// channel and thumb keep their looks.
constexpr int kMarkRowTop = 27;
constexpr int kMarkRowHeight = 8;
}  // namespace

void CPlayerDlg::LoadRecordingEvents()
{
    // Read once per start, like the strip's track: the log and the folder's
    // settings file as they are now. No log or no events: no marks.
    m_eventTimeline.Clear();
    const QString folder = QFileInfo(m_currentVideoPath).absolutePath() + QLatin1Char('/');
    int samples = 0;
    if (const auto events = RecordingEvents(m_currentVideoPath, EventLimitsForFolder(folder), &samples))
        m_eventTimeline.Reset(*events, samples);
    const std::vector<int> positions = m_eventTimeline.Positions();
    m_positionSlider->SetMarkRow(kMarkRowTop, kMarkRowHeight);
    m_positionSlider->SetMarks(QVector<int>(positions.begin(), positions.end()));
    m_positionSlider->installEventFilter(this);
    ResetClipSpan();
}

bool CPlayerDlg::SliderKeyStepsToEvent(QKeyEvent* key)
{
    // A click on the slider leaves the focus there; while it shows marks,
    // Page Down / Page Up step from mark to mark instead of by 20 thousandths,
    // so the keys do what the marks suggest. Without marks the slider pages.
    if (m_eventTimeline.IsEmpty())
        return false;
    const int command = CommandForKey(key->keyCombination());
    if (command != PlayerKeyCommand::kNextEvent && command != PlayerKeyCommand::kPreviousEvent)
        return false;
    OnCommand(command);
    return true;
}

void CPlayerDlg::StepToEvent(int direction)
{
    if (!m_engine || m_eventTimeline.IsEmpty())
        return;
    double duration = m_durationSeconds;
    if (duration <= 0.0 && (!m_engine->GetDuration(duration) || duration <= 0.0))
        return;
    double position = 0.0;
    m_engine->GetCurrentPosition(position);
    const int index = direction > 0 ? m_eventTimeline.Next(position, duration)
                                    : m_eventTimeline.Previous(position, duration);
    if (index < 0)
        return;
    // The seek keeps the engine's state: playing plays on, paused stays paused.
    const double target = m_eventTimeline.TargetSeconds(index, duration);
    m_engine->SetCurrentPosition(target, CDXGraph::SeekMode::Accurate);
    m_eventTimeline.Jumped(index, target);
    // The slider shows the new place at once; the display tick then follows
    // the engine instead of taking the slider's move for a seek of the user's.
    const int p = SliderPositionFor(target, duration);
    m_positionSlider->SetPos(p);
    LastSliderPosition = p;
    const TimedEvent& event = m_eventTimeline.Events()[static_cast<std::size_t>(index)];
    ShowVideoNote(EventNoteText(UiText(kTextEvent), index, static_cast<int>(m_eventTimeline.Events().size()),
                                event.event));
}

VideoNote* CPlayerDlg::Note() const
{
    if (!m_note)
        m_note = new VideoNote(m_videoArea);
    return m_note;
}

void CPlayerDlg::HostNote(bool onPicture)
{
    QWidget* host = m_videoArea;
    if (onPicture && FullScreenActive && m_engine && m_engine->SurfaceWidget())
        host = m_engine->SurfaceWidget();
    VideoNote* note = Note();
    if (note->parentWidget() != host)
        note->SetHost(host);
}

void CPlayerDlg::ShowVideoNote(const QString& text)
{
    HostNote();
    Note()->ShowNote(text);
}
