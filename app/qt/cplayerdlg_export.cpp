// The main window's clip export: I and O mark the span on the position slider, and
// "Export clip…" (menu or Ctrl+E) hands that span, or the event or moment around the
// playing position, to the export dialog. The span's rules live in ClipSpan.
#include "cplayerdlg.h"

#include "appstate.h"
#include "cbitmapslider.h"
#include "cdxgraph.h"
#include "clipexportdialog.h"
#include "filenamecodec.h"
#include "formatclock.h"
#include "keytable.h"
#include "maplanguage.h"
#include "playersettings.h"
#include "playertexts.h"
#include "positionmath.h"
#include "uitexttable.h"
#include "videonote.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>

#include <cmath>

namespace {
QString ClockText(double seconds)
{
    return FormatClock(static_cast<long long>(std::floor(std::max(0.0, seconds))));
}
}  // namespace

void CPlayerDlg::ResetClipSpan()
{
    // A new recording starts without marks; the same one started again keeps them.
    if (m_currentVideoPath != m_clipSpanPath) {
        m_clipSpan.Reset(m_durationSeconds);
        m_clipSpanPath = m_currentVideoPath;
    } else if (m_durationSeconds > 0.0) {
        const auto in = m_clipSpan.In();
        const auto out = m_clipSpan.Out();
        m_clipSpan.Reset(m_durationSeconds);
        if (in)
            m_clipSpan.SetIn(*in);
        if (out)
            m_clipSpan.SetOut(*out);
    }
    ShowClipMarks();
}

void CPlayerDlg::ShowClipMarks()
{
    double duration = m_durationSeconds;
    if (duration <= 0.0 && m_engine)
        m_engine->GetDuration(duration);
    const auto value = [duration](const std::optional<double>& mark) {
        return mark && duration > 0.0 ? SliderPositionFor(*mark, duration) : -1;
    };
    m_positionSlider->SetSpanMarks(value(m_clipSpan.In()), value(m_clipSpan.Out()));
}

void CPlayerDlg::SetClipMark(bool in)
{
    if (!m_engine || m_currentVideoPath.isEmpty())
        return;
    if (m_clipSpanPath != m_currentVideoPath)
        ResetClipSpan();
    double position = 0.0;
    m_engine->GetCurrentPosition(position);
    if (in)
        m_clipSpan.SetIn(position);
    else
        m_clipSpan.SetOut(position);
    ShowClipMarks();
    const std::optional<double>& mark = in ? m_clipSpan.In() : m_clipSpan.Out();
    ShowVideoNote(PlayerText(in ? kPlayerTextClipIn : kPlayerTextClipOut) + QStringLiteral(u" \u00B7 ")
                  + ClockText(mark.value_or(position)));
}

ClipSpan::Choice CPlayerDlg::ClipChoice() const
{
    double duration = m_durationSeconds;
    double position = 0.0;
    if (m_engine) {
        if (duration <= 0.0)
            m_engine->GetDuration(duration);
        m_engine->GetCurrentPosition(position);
    }
    // The export centres an event on its peak: the peak lies that many samples after
    // the first sample, whose place the slider's mark shows.
    std::vector<double> eventMoments;
    for (int i = 0; i < int(m_eventTimeline.Events().size()); ++i) {
        const GSensorEvent& event = m_eventTimeline.Events()[std::size_t(i)].event;
        eventMoments.push_back(m_eventTimeline.StartSeconds(i, duration)
                               + double(event.peakSample - event.startSample) / kGSensorSamplesPerSecond);
    }
    return m_clipSpan.Choose(position, eventMoments);
}

void CPlayerDlg::ExportClip()
{
    if (m_currentVideoPath.isEmpty() || m_exportDialog)
        return;
    if (m_clipSpanPath != m_currentVideoPath)
        ResetClipSpan();
    const ClipSpan::Choice choice = ClipChoice();

    ClipExportRequest request;
    request.recording = EncodeFileName(m_currentVideoPath).toStdString();
    if (choice.basis == ClipSpan::Basis::Event) {
        // The export finds the event in the log itself and names it in the report.
        request.event = choice.event;
        request.before = ClipSpan::kBeforeSeconds;
        request.after = ClipSpan::kAfterSeconds;
    } else {
        request.from = choice.fromSeconds;
        request.to = choice.toSeconds;
    }
    request.miles = ShowKMHMode == 0;
    request.language = MapLanguageCode(CurrentLanguage);
    request.programVersion = QCoreApplication::applicationVersion().toStdString();

    QString basis;
    switch (choice.basis) {
    case ClipSpan::Basis::Marks: basis = PlayerText(kPlayerTextMarkedSpan); break;
    case ClipSpan::Basis::Event: basis = UiText(kTextEvent) + QLatin1Char(' ') + QString::number(choice.event); break;
    case ClipSpan::Basis::Position: basis = PlayerText(kPlayerTextAroundPosition); break;
    }
    const QString spanText = QFileInfo(m_currentVideoPath).fileName() + QStringLiteral(u"  \u00B7  ")
                             + ClockText(choice.fromSeconds) + QStringLiteral(u" \u2013 ")
                             + ClockText(choice.toSeconds) + QStringLiteral(u"  \u00B7  ") + basis;
    auto* dialog = new ClipExportDialog(request, spanText, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_exportDialog = dialog;
    dialog->open();
}

void CPlayerDlg::AddExportMenuItems(QMenu& menu)
{
    QAction* item = menu.addAction(PlayerText(kPlayerTextExportClipMenu));
    // Shown beside the item only; the window's own shortcut from the key table does the work.
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    item->setShortcutContext(Qt::WidgetShortcut);
    item->setEnabled(!m_currentVideoPath.isEmpty() && !m_exportDialog);
    connect(item, &QAction::triggered, this, [this] { OnCommand(PlayerKeyCommand::kExportClip); });
}

ClipExportDialog* CPlayerDlg::ExportDialog() const
{
    return m_exportDialog.data();
}
