// The main window's keys, wheel and drops: the key table's shortcuts and
// where a key a focused control keeps goes, the key overlay, sound, the
// mouse wheel, and opening what the command line or a drop names.
#include "cplayerdlg.h"

#include "appstate.h"
#include "cbitmapslider.h"
#include "cdxgraph.h"
#include "cplayerapp.h"
#include "commandline.h"
#include "controlid.h"
#include "crecord.h"
#include "keyoverlay.h"
#include "keytable.h"
#include "playerids.h"
#include "recordingfiles.h"
#include "recordlistmodel.h"
#include "recordrowstore.h"
#include "uiseam.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QShortcut>
#include <QWheelEvent>

#include <cstdlib>

using namespace PlayerId;

namespace {
// The volume slider runs 0..1000 (−10 dB .. 0 dB): twenty steps of a key or a notch.
constexpr int kVolumeStep = 50;
constexpr int kWheelNotch = 120;  // eighths of a degree
constexpr long kSilence = -10000;  // hundredths of a decibel

bool IsRecordingName(const QString& fileName)
{
    return IsRecordingFile(fileName);
}

QStringList LocalPaths(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}
}  // namespace

void CPlayerDlg::SetUpKeys()
{
    m_keyOverlay = new KeyOverlay(this);
    // Every key of the table is a shortcut of this window, so it works
    // wherever the focus is in it, and never while another window (a dialog,
    // the exit question) has the keyboard. A focused control that uses a key
    // itself keeps it (see event()).
    for (const PlayerKeyBinding& binding : PlayerKeyBindings()) {
        auto* shortcut = new QShortcut(QKeySequence(binding.keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(true);
        const int command = binding.command;
        connect(shortcut, &QShortcut::activated, this, [this, command] { RunKeyCommand(command); });
    }
    m_volumeSlider->installEventFilter(this);
    m_positionSlider->installEventFilter(this);
    setAcceptDrops(true);
}

bool CPlayerDlg::RunKeyCommand(int command)
{
    // A modal dialog or a menu of the window has the keys, whatever reaches here.
    QWidget* modal = QApplication::activeModalWidget();
    if ((modal && modal != this) || QApplication::activePopupWidget())
        return false;
    if (command == 0)
        return false;
    OnCommand(command);
    return true;
}

bool CPlayerDlg::FocusedControlKeeps(QKeyEvent* key) const
{
    const PlayerKeyBinding* binding = BindingForKey(key->keyCombination());
    if (!binding || binding->keptBy == kNoKeeper)
        return false;
    QWidget* focus = focusWidget();
    if (!focus)
        return false;
    if ((binding->keptBy & kSliderKeeps) && focus == m_positionSlider)
        return true;
    return (binding->keptBy & kListKeeps) && qobject_cast<QAbstractItemView*>(focus) && focus->isVisible();
}

void CPlayerDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_keyOverlay && m_keyOverlay->isVisible()) {
            m_keyOverlay->Close();
            return;
        }
        OnCommand(kCancel);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return;
    default:
        // A key a focused control kept and did not use after all.
        if (RunKeyCommand(CommandForKey(event->keyCombination())))
            return;
        QDialog::keyPressEvent(event);
    }
}

void CPlayerDlg::ToggleFullScreen()
{
    m_dragger.Cancel();
    FullScreenActive = !FullScreenActive;
    if (FullScreenActive) {
        if (m_engine)
            m_engine->SetFullScreen(true);
        HostNote();
    } else {
        LeaveFullScreen();
    }
}

int CPlayerDlg::VolumeStep() const
{
    return kVolumeStep;
}

void CPlayerDlg::ApplyVolume()
{
    if (m_engine)
        m_engine->SetAudioVolume(m_muted ? kSilence : m_volumeSlider->GetPos() - 1000);
}

void CPlayerDlg::ToggleMute()
{
    m_muted = !m_muted;
    ApplyVolume();
}

void CPlayerDlg::StepVolume(int steps)
{
    // Turning the sound up or down is also the way back from mute.
    m_muted = false;
    m_volumeSlider->SetPos(m_volumeSlider->GetPos() + steps * kVolumeStep);
    ApplyVolume();
}

bool CPlayerDlg::WheelTurned(QObject* watched, QWheelEvent* wheel)
{
    m_wheelRemainder += wheel->angleDelta().y();
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= notches * kWheelNotch;
    if (watched == m_volumeSlider) {
        if (notches != 0)
            StepVolume(notches);
        return true;
    }
    // Away from the user (up) is forward, as on the slider's left-to-right.
    for (int i = 0; i < std::abs(notches); ++i)
        OnCommand(notches > 0 ? kSkipForward : kSkipBack);
    return true;
}

// ---- opening what the user points at -------------------------------------

void CPlayerDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CPlayerDlg::dragMoveEvent(QDragMoveEvent* event)
{
    if (!LocalPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CPlayerDlg::dropEvent(QDropEvent* event)
{
    const QStringList paths = LocalPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop's source waits for the answer: the opening, and any message
    // it shows, comes after.
    QMetaObject::invokeMethod(this, [this, paths] { OpenPaths(paths); }, Qt::QueuedConnection);
}

void CPlayerDlg::ListFolder(const QString& folder)
{
    // As LOAD lists a folder, remembered for the next start.
    m_record->LoadRecordFolder(folder, QLatin1String(kRecordingExtension));
    SaveRecordFolder();
    ShowRecordPanel();
}

void CPlayerDlg::OpenPaths(const QStringList& paths)
{
    const PathOpening opening = ClassifyPaths(paths, QDir::currentPath(), IsRecordingName);
    switch (opening.kind) {
    case PathOpening::Kind::Nothing:
        break;
    case PathOpening::Kind::Folder:
        ListFolder(opening.folder);
        break;
    case PathOpening::Kind::Recording: {
        ListFolder(opening.folder);
        const QString name = QFileInfo(opening.files.first()).fileName();
        const RecordRowStore& rows = ActiveRecordRowStore();
        int row = -1;
        for (int r = 0; r < rows.rowCount() && row < 0; ++r) {
            if (rows.cell(r, RecordRowStore::kFileNameColumn) == name)
                row = r;
        }
        if (!m_record->OpenRow(row)) {
            // A name the folder's listing leaves out: listed on its own.
            OpenRecordings(opening.files);
            StartPlayback();
        }
        break;
    }
    case PathOpening::Kind::Recordings:
        OpenRecordings(opening.files);
        break;
    }
    if (!opening.unusable.isEmpty())
        UiSeam::Warn(this, windowTitle(), UnusablePathsMessage(opening.unusable));
}
