#include "cplayerdlg.h"

#include "appstate.h"
#include "caboutdlg.h"
#include "cconfiguration.h"
#include "cplayerapp.h"
#include "cbitmapbutton.h"
#include "cbitmapslider.h"
#include "ccontrolbutton.h"
#include "cdxgraph.h"
#include "cinformation.h"
#include "controlid.h"
#include "creadout.h"
#include "crecord.h"
#include "dialogunits.h"
#include "framestill.h"
#include "keyoverlay.h"
#include "keytable.h"
#include "paneloutline.h"
#include "playerids.h"
#include "playersettings.h"
#include "programpaths.h"
#include "recordlistmodel.h"
#include "skin.h"
#include "telemetrypanel.h"
#include "uiseam.h"
#include "uitexttable.h"
#include "videonote.h"
#include "windowdragger.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QShortcut>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRadioButton>
#include <QUrl>
#include <QWheelEvent>

Q_LOGGING_CATEGORY(lcApp, "kestrel.app")

using namespace PlayerId;

namespace {
// Pixel places in the main window's client area.
struct Place { int id; int x; int y; int width; int height; };
constexpr Place kPlaces[] = {
    {kPanelFrame, 670, 55, 316, 521},
    {kVideoArea, 50, 63, 605, 382},
    {kTelemetryPanel, 50, 464, 600, 95},
    {kPositionSlider, 50, 574, 608, 80},
    {kHelp, 907, 21, 24, 24},
    {kLanguage, 933, 29, 24, 24},
    {kMinimize, 957, 44, 24, 24},
    {kClose, 980, 64, 24, 24},
    {kTimeText, 198, 685, 153, 122},
    {kSpeedText, 492, 661, 32, 16},
    {kOpenFile, 571, 635, 50, 50},
    {kSnapshot, 664, 635, 50, 50},
    {kPrint, 757, 635, 50, 50},
    {kConfiguration, 850, 635, 50, 50},
    {kRecordTab, 672, 585, 150, 30},
    {kInformationTab, 832, 585, 150, 30},
    {kVolumeSlider, 661, 690, 152, 15},
};
constexpr int kTransportX = 128;
constexpr int kTransportStep = 35;
constexpr int kTransportY = 649;

// Radio buttons keep their template places, in dialog units.
constexpr int kKmhDu[4] = {292, 426, 27, 10};
constexpr int kMphDu[4] = {364, 426, 24, 10};

// Framework bitmap buttons: id, normal, pushed, focused, disabled. The tabs'
// focused image is their pushed one, so they take none: a tab looks pushed
// only while its panel is shown, wherever the keyboard focus is.
struct BitmapFaces { int id; int normal; int pushed; int focused; int disabled; };
constexpr BitmapFaces kBitmapButtons[] = {
    {kInformationTab, 136, 137, 0, 136},
    {kRecordTab, 138, 139, 0, 138},
    {kToStart, 174, 175, 0, 0},
    {kFrameBack, 170, 171, 0, 0},
    {kSkipBack, 178, 179, 0, 0},
    {kStop, 182, 181, 0, 0},
    {kPause, 166, 167, 0, 0},
    {kPlay, 168, 169, 0, 0},
    {kFrameForward, 172, 165, 0, 0},
    {kSkipForward, 180, 177, 0, 0},
    {kToEnd, 176, 173, 0, 0},
};

// Round buttons: id, region from, hover, normal, pressed.
struct RoundFaces { int id; int region; int hover; int normal; int pressed; };
constexpr RoundFaces kCommandButtons[] = {
    {kOpenFile, 150, 148, 150, 148},
    {kSnapshot, 145, 146, 145, 145},
    {kPrint, 141, 142, 141, 141},
    {kConfiguration, 149, 140, 149, 149},
};
// Small round buttons over the background, in the order they are set up.
constexpr RoundFaces kChromeButtons[] = {
    {kMinimize, 192, 193, 192, 193},
    {kLanguage, 206, 207, 206, 207},
    {kClose, 194, 195, 194, 195},
    {kHelp, 196, 191, 196, 191},
};

// Tooltips registered at set-up: control and text id.
constexpr int kTooltips[][2] = {
    {kHelp, 1}, {kClose, 3}, {kLanguage, 3}, {kMinimize, 2},
    {kToStart, 4}, {kFrameBack, 5}, {kSkipBack, 6}, {kStop, 7}, {kPause, 8}, {kPlay, 9},
    {kFrameForward, 11}, {kSkipForward, 10}, {kToEnd, 12},
    {kOpenFile, 13}, {kSnapshot, 14}, {kPrint, 15}, {kConfiguration, 16},
};

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 724;
constexpr int kWindowCorner = 40;
constexpr QPoint kGaugePlace(461, 628);

const Place& PlaceOf(int id)
{
    for (const Place& p : kPlaces) {
        if (p.id == id)
            return p;
    }
    Q_UNREACHABLE();
}

}  // namespace

CPlayerDlg::CPlayerDlg(const QString& argv0, QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Dashtrail"));
    setWindowIcon(SkinIcon());
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_tempDirectory = PrivateTempDirectory();
    m_savedPosition = 0;
    m_moduleDirectory = ModuleDirectoryFromArgument(argv0);
    PlayerSettingsPath = SettingsPathInUse(m_moduleDirectory);
    ShowKMHMode = ReadShowKMHMode();
    RecordFolder = ReadLastLoadPath();
    m_continuousPlay.SetOn(ReadContinuousPlay());

    m_startTimer.setInterval(kStartTimerMs);
    m_displayTimer.setInterval(kDisplayTimerMs);
    connect(&m_startTimer, &QTimer::timeout, this, &CPlayerDlg::StartTick);
    connect(&m_displayTimer, &QTimer::timeout, this, &CPlayerDlg::DisplayTick);

    CreateChildren();

    // Initialisation, in the order the window is built.
    StartRootsweep();
    CurrentLanguage = ReadDefaultLang();
    (ShowKMHMode ? m_unitKmh : m_unitMph)->setChecked(true);
    move(0, 0);
    setFixedSize(kWindowWidth, kWindowHeight);
    PlaceChildren();
    SetUpSkins();
    SetUpPanels();
    SetUpSliders();
    SetUpTooltips();
    WireCommands();
    SetUpKeys();
    ApplyLanguage();
}

CPlayerDlg::~CPlayerDlg()
{
    ReleaseEngine();
    m_preparedEngine.Discard();
}

void CPlayerDlg::StartRootsweep()
{
    // Started from the program's own folder, never through PATH; not awaited.
    const QString program = QFileInfo(m_moduleDirectory + QStringLiteral("rootsweep")).absoluteFilePath();
    if (!QProcess::startDetached(program, {}))
        qCInfo(lcApp) << "rootsweep could not be started from" << program;
}

void CPlayerDlg::CreateChildren()
{
    for (int i = 0; i < 2; ++i)
        m_tabs[i] = new CBitmapButton(this, kRecordTab + i);
    for (int i = 0; i < 9; ++i)
        m_transport[i] = new CBitmapButton(this, kToStart + i);
    const int roundIds[8] = {kOpenFile, kSnapshot, kPrint, kConfiguration, kHelp, kMinimize, kClose, kLanguage};
    for (int i = 0; i < 8; ++i)
        m_roundButtons[i] = new CControlButton(this, roundIds[i]);

    m_panelFrame = new QWidget(this);
    SetControlId(m_panelFrame, kPanelFrame);
    // A static frame takes no mouse of its own: outside the panels' outline
    // it lets clicks through to the minimise and close buttons it overlaps.
    m_panelFrame->setMask(PanelOutlineRegion());

    m_videoArea = new QWidget(this);
    SetControlId(m_videoArea, kVideoArea);
    m_videoArea->setAutoFillBackground(true);
    QPalette videoPalette = m_videoArea->palette();
    videoPalette.setColor(QPalette::Window, Qt::black);
    m_videoArea->setPalette(videoPalette);
    m_videoArea->installEventFilter(this);
    m_still = new FrameStill(m_videoArea);
    m_note = new VideoNote(m_videoArea);

    m_telemetryPanel = new TelemetryPanel(this, kTelemetryPanel);
    m_positionSlider = new CBitmapSlider(this, kPositionSlider);
    m_volumeSlider = new CBitmapSlider(this, kVolumeSlider);
    m_timeText = new CReadout(this, kTimeText);
    m_speedText = new CReadout(this, kSpeedText);

    m_unitKmh = new QRadioButton(QStringLiteral("Km/h"), this);
    SetControlId(m_unitKmh, kUnitKmh);
    m_unitMph = new QRadioButton(QStringLiteral("M/H"), this);
    SetControlId(m_unitMph, kUnitMph);
    for (QRadioButton* radio : {m_unitKmh, m_unitMph}) {
        radio->setFocusPolicy(Qt::NoFocus);
        radio->setStyleSheet(QStringLiteral("QRadioButton { color: #d8dde3; background: transparent; }"));
    }

    m_record = new CRecord(m_panelFrame);
    m_information = new CInformation(m_panelFrame);
}

void CPlayerDlg::PlaceChildren()
{
    for (const Place& p : kPlaces) {
        if (QWidget* child = FindControl(this, p.id))
            child->setGeometry(p.x, p.y, p.width, p.height);
    }
    for (int i = 0; i < 9; ++i)
        m_transport[i]->setGeometry(kTransportX + kTransportStep * i, kTransportY, 35, 28);
    m_unitKmh->setGeometry(DialogUnitsToPixelsX(kKmhDu[0]), DialogUnitsToPixelsY(kKmhDu[1]),
                           DialogUnitsToPixelsX(kKmhDu[2]) + 12, DialogUnitsToPixelsY(kKmhDu[3]) + 2);
    m_unitMph->setGeometry(DialogUnitsToPixelsX(kMphDu[0]), DialogUnitsToPixelsY(kMphDu[1]),
                           DialogUnitsToPixelsX(kMphDu[2]) + 12, DialogUnitsToPixelsY(kMphDu[3]) + 2);
    // The time text is a one-line edit; the template's tall box reaches past the
    // window's bottom, where nothing would show anyway.
    m_timeText->setGeometry(PlaceOf(kTimeText).x, PlaceOf(kTimeText).y, PlaceOf(kTimeText).width,
                            kWindowHeight - PlaceOf(kTimeText).y);
}

void CPlayerDlg::SetUpSkins()
{
    for (const BitmapFaces& f : kBitmapButtons) {
        auto* button = FindControl<CBitmapButton>(this, f.id);
        button->LoadBitmaps(f.normal, f.pushed, f.focused, f.disabled);
    }
    for (const RoundFaces& f : kCommandButtons) {
        auto* button = FindControl<CControlButton>(this, f.id);
        button->SetEllipticRegion(f.region);
        button->SetFaceBitmaps(f.hover, f.normal, f.pressed);
    }
    for (const RoundFaces& f : kChromeButtons) {
        auto* button = FindControl<CControlButton>(this, f.id);
        button->SetBackgroundBitmap(kBackgroundBitmap, button->geometry());
        button->SetEllipticRegion(f.region);
        button->SetMaskBitmap(kRoundMaskBitmap);
        button->SetFaceBitmaps(f.hover, f.normal, f.pressed);
    }

    // Height 16, italic, light Arial (Liberation Sans stands in where Arial is absent).
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPixelSize(16);
    m_font.setItalic(true);
    m_font.setWeight(QFont::ExtraLight);
    // The design's font is 6 pixels wide a character; the readout boxes are sized for it.
    m_font.setStretch(82);
    m_speedText->setFont(m_font);
    QFont timeFont(QStringLiteral("Arial"));
    timeFont.setPixelSize(13);
    m_timeText->setFont(timeFont);
}

void CPlayerDlg::SetUpPanels()
{
    m_record->setGeometry(0, 0, m_panelFrame->width(), m_panelFrame->height());
    m_information->setGeometry(0, 0, m_panelFrame->width(), m_panelFrame->height());
    m_information->SetReadoutFont(m_font);
    // The map page and its fallback go to the browser by full path.
    m_information->SetFolders(QDir(m_moduleDirectory).absolutePath() + u'/', m_tempDirectory);
    m_record->show();
    m_information->hide();
    m_tabs[0]->SetPushedState(true);
    m_tabs[1]->SetPushedState(false);
    m_record->SetOpenEnabled(false);
    m_tabs[1]->setEnabled(false);
    m_record->SetButtonFaces();
    m_record->Initialise();
}

void CPlayerDlg::SetUpSliders()
{
    m_positionSlider->SetChannelBitmaps(188, 188);
    m_positionSlider->SetRange(0, 1000, false);
    m_positionSlider->SetFixedSplit(0.99, true);
    m_positionSlider->SetThumbBitmap(189, 0xFF000000u, 0, 0);
    m_positionSlider->SetFocusRectEnabled(false, false);
    m_positionSlider->SetMargins(0, 10, 0);
    m_positionSlider->hide();
    m_telemetryPanel->hide();

    m_volumeSlider->SetChannelBitmaps(163, 164);
    m_volumeSlider->SetRange(0, 1000, false);
    m_volumeSlider->SetPos(500);
    m_volumeSlider->SetMargins(28, 0, 23);
    // A focused slider takes every key, but Escape must still end full screen.
    m_positionSlider->installEventFilter(this);
    m_volumeSlider->installEventFilter(this);
}

void CPlayerDlg::SetUpTooltips()
{
    for (const auto& tip : kTooltips) {
        if (QWidget* control = FindControl(this, tip[0]))
            control->setToolTip(UiText(tip[1]));
    }
}

void CPlayerDlg::WireCommands()
{
    // The command table: every button reports its own identifier.
    const int commandIds[] = {kRecordTab, kInformationTab, kToStart, kFrameBack, kSkipBack, kStop, kPause, kPlay,
                              kSkipForward, kFrameForward, kToEnd, kOpenFile, kSnapshot, kPrint, kConfiguration,
                              kHelp, kMinimize, kClose, kLanguage, kUnitKmh, kUnitMph};
    for (int id : commandIds) {
        auto* button = FindControl<QAbstractButton>(this, id);
        connect(button, &QAbstractButton::clicked, this, [this, id] { OnCommand(id); });
    }
    connect(m_information, &CInformation::previousRequested, m_record, &CRecord::SelectPreviousRecord);
    connect(m_information, &CInformation::nextRequested, m_record, &CRecord::SelectNextRecord);
    connect(m_telemetryPanel, &TelemetryPanel::surfacePicked, this, &CPlayerDlg::SeekFromStrip);
    connect(m_information, &CInformation::RouteSampleClicked, this, &CPlayerDlg::SeekToRouteSample);
    // A folder loaded while the information panel is in front (Ctrl+L) shows.
    m_record->SetSaveFolderCallback([this] {
        SaveRecordFolder();
        ShowRecordPanel();
    });
    m_record->SetOpenTarget(this);
}

void CPlayerDlg::OnCommand(int id)
{
    // The command filter.
    if (id == kCancel) {
        CancelCommand();
        return;
    }
    if (id == kUnitKmh || id == kUnitMph) {
        SetUnit(id == kUnitKmh ? 1 : 0);
        return;
    }
    if (id >= kFirstLanguageMenuCommand && id <= kLastLanguageMenuCommand) {
        CurrentLanguage = id - kFirstLanguageMenuCommand;
        ApplyLanguage();
        return;
    }

    // The command table.
    switch (id) {
    case kAboutCommand: ShowAbout(); break;
    case kRecordTab: ShowRecordPanel(); break;
    case kInformationTab: ShowInformationPanel(); break;
    case kOpenFile: OpenFileCommand(); break;
    case kToStart:
    case kFrameBack:
    case kSkipBack:
    case kStop:
    case kPause:
    case kPlay:
    case kSkipForward:
    case kFrameForward:
    case kToEnd: TransportCommand(id); break;
    case kSnapshot: TakeSnapshot(); break;
    case kPrint: PrintFrame(); break;
    case kConfiguration: ShowConfiguration(); break;
    case kHelp: ShowHelp(); break;
    case kMinimize: showMinimized(); break;
    case kClose:
        // A close request comes back as the cancel command, after this handler.
        QMetaObject::invokeMethod(this, [this] { OnCommand(kCancel); }, Qt::QueuedConnection);
        break;
    case kLanguage: ShowLanguageMenu(); break;
    case PlayerKeyCommand::kToggleContinuousPlay: ToggleContinuousPlay(); break;
    case PlayerKeyCommand::kFasterRate:
    case PlayerKeyCommand::kSlowerRate:
    case PlayerKeyCommand::kNormalRate: ChangePlaybackRate(id); break;
    case PlayerKeyCommand::kNextEvent: StepToEvent(+1); break;
    case PlayerKeyCommand::kPreviousEvent: StepToEvent(-1); break;
    case PlayerKeyCommand::kPlayPause: TransportCommand(m_engine && m_engine->IsRunning() ? kPause : kPlay); break;
    case PlayerKeyCommand::kLongSkipBack:
    case PlayerKeyCommand::kLongSkipForward: TransportCommand(id); break;
    case PlayerKeyCommand::kToggleFullScreen: ToggleFullScreen(); break;
    case PlayerKeyCommand::kToggleMute: ToggleMute(); break;
    case PlayerKeyCommand::kVolumeUp: StepVolume(+1); break;
    case PlayerKeyCommand::kVolumeDown: StepVolume(-1); break;
    case PlayerKeyCommand::kNextRecording: m_record->SelectNextRecord(); break;
    case PlayerKeyCommand::kPreviousRecording: m_record->SelectPreviousRecord(); break;
    case PlayerKeyCommand::kLoadFolder: FindControl<QAbstractButton>(m_record, CRecord::kLoadButton)->click(); break;
    case PlayerKeyCommand::kShowKeys:
        // The list is drawn on the window, which full screen covers.
        if (FullScreenActive && !m_keyOverlay->isVisible())
            OnCommand(kCancel);
        m_keyOverlay->Toggle();
        break;
    case PlayerKeyCommand::kSetClipIn: SetClipMark(true); break;
    case PlayerKeyCommand::kSetClipOut: SetClipMark(false); break;
    case PlayerKeyCommand::kExportClip: ExportClip(); break;
    default: break;
    }
}

void CPlayerDlg::CancelCommand()
{
    if (FullScreenActive) {
        FullScreenActive = false;
        LeaveFullScreen();
        return;
    }
    const auto answer = UiSeam::Ask(this, UiText(27), UiText(26), QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    m_exitConfirmed = true;
    QDialog::reject();
}

void CPlayerDlg::SetUnit(int kmh)
{
    // The radio buttons move their own check mark; the unit only follows it.
    if ((ShowKMHMode != 0) == (kmh != 0))
        return;
    ShowKMHMode = kmh;
    WriteShowKMHMode(kmh);
    RedrawNow();
}

void CPlayerDlg::RedrawNow()
{
    repaint();
}

void CPlayerDlg::accept()
{
    // Enter reaches the window as OK: nothing ends the program unasked.
    CancelCommand();
}

void CPlayerDlg::reject()
{
    CancelCommand();
}

void CPlayerDlg::closeEvent(QCloseEvent* event)
{
    if (m_exitConfirmed) {
        event->accept();
        return;
    }
    event->ignore();
    CancelCommand();
}

void CPlayerDlg::ShowRecordPanel()
{
    m_record->show();
    m_information->hide();
    m_tabs[0]->SetPushedState(true);
    m_tabs[1]->SetPushedState(false);
}

void CPlayerDlg::ShowInformationPanel()
{
    m_record->hide();
    m_information->show();
    m_tabs[0]->SetPushedState(false);
    m_tabs[1]->SetPushedState(true);
}

void CPlayerDlg::ShowAbout()
{
    CAboutDlg about(this);
    about.exec();
}

QString CPlayerDlg::HelpDocumentPath() const
{
    // "HelpFile" names the document when it is set; else the one shipped.
    const QString help = ReadHelpFile();
    return m_moduleDirectory + (help.isEmpty() ? QStringLiteral("help.html") : help);
}

void CPlayerDlg::ShowHelp()
{
    const QString path = HelpDocumentPath();
    if (QFileInfo::exists(path))
        QDesktopServices::openUrl(HelpDocumentUrl(path));
    ShowAbout();
}

void CPlayerDlg::ShowLanguageMenu()
{
    QMenu menu(this);
    for (int i = 0; i < kLanguageCount; ++i) {
        QAction* action = menu.addAction(QString::fromUtf16(LanguageNames[i]));
        // Only the language in use carries the check mark.
        action->setCheckable(i == CurrentLanguage);
        action->setChecked(i == CurrentLanguage);
        action->setData(kFirstLanguageMenuCommand + i);
        if (i == 0) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            menu.setDefaultAction(action);
        }
    }
    QWidget* button = FindControl(this, kLanguage);
    // Right edge under the button's right edge, top at its bottom.
    const QPoint anchor = button->mapToGlobal(QPoint(button->width(), button->height()));
    menu.ensurePolished();
    const QPoint topLeft(anchor.x() - menu.sizeHint().width(), anchor.y());
    QAction* chosen = menu.exec(topLeft);
    if (chosen)
        OnCommand(chosen->data().toInt());
}

void CPlayerDlg::ApplyLanguage()
{
    WriteDefaultLang(CurrentLanguage);
    m_qtTexts.Apply(CurrentLanguage);
    // The same tools in the same order as at set-up; the language button now
    // carries the language's own caption instead of a text of the table.
    for (const auto& tip : kTooltips) {
        QWidget* control = FindControl(this, tip[0]);
        if (!control)
            continue;
        control->setToolTip(tip[0] == kLanguage ? QString::fromUtf16(ChangeLanguageCaptions[CurrentLanguage])
                                                : UiText(tip[1]));
    }
    RedrawNow();
    m_record->RelabelRecordPanel();
    m_information->RelabelInformationPanel();
    m_information->GenerateMapPage(CurrentLanguage);
    if (m_information->isVisible()) {
        m_information->hide();
        m_information->show();
    }
    if (m_record->isVisible()) {
        m_record->hide();
        m_record->show();
    }
}

void CPlayerDlg::ShowConfiguration()
{
    // The card's setup.ini is beside its recordings; the folder may reach a
    // desktop portal's dialog, which knows no "./".
    ShowConfigurationDialog(this, RecordFolder.isEmpty() ? QDir(m_moduleDirectory).absolutePath() + u'/' : RecordFolder);
}

// ---- chrome ---------------------------------------------------------------

void CPlayerDlg::paintEvent(QPaintEvent*)
{
    if (m_backgroundUnit != ShowKMHMode || m_background.isNull()) {
        m_background = SkinImage(kBackgroundBitmap).copy();
        QPainter composer(&m_background);
        composer.drawImage(kGaugePlace, SkinImage(ShowKMHMode ? kGaugeKmhBitmap : kGaugeMphBitmap));
        m_backgroundUnit = ShowKMHMode;
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_background);
}

void CPlayerDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, kWindowWidth, kWindowHeight), kWindowCorner / 2.0, kWindowCorner / 2.0);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
}

void CPlayerDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragger.Press(event->globalPosition().toPoint());
    QDialog::mousePressEvent(event);
}

void CPlayerDlg::mouseMoveEvent(QMouseEvent* event)
{
    m_dragger.Move(this, event->globalPosition().toPoint(), event->buttons());
    QDialog::mouseMoveEvent(event);
}

void CPlayerDlg::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragger.Cancel();
    QDialog::mouseReleaseEvent(event);
}

void CPlayerDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // The window has no frame and so no system menu: its about item lives here,
    // with the player's own switches below it.
    QMenu menu(this);
    const QString text = AboutMenuText();
    if (!text.isEmpty()) {
        menu.addAction(text, this, [this] { OnCommand(kAboutCommand); });
        menu.addSeparator();
    }
    AddDriveMenuItems(menu);
    AddExportMenuItems(menu);
    menu.exec(event->globalPos());
}

QUrl HelpDocumentUrl(const QString& path)
{
    // The desktop resolves no relative file URL ("./help.html" when started
    // as ./kestrelview): the document leaves with its full path.
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

bool CPlayerDlg::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_positionSlider || watched == m_volumeSlider) && event->type() == QEvent::KeyPress
        && FullScreenActive && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        OnCommand(kCancel);
        return true;
    }
    if (watched == m_positionSlider && event->type() == QEvent::KeyPress
        && SliderKeyStepsToEvent(static_cast<QKeyEvent*>(event)))
        return true;
    if ((watched == m_videoArea || watched == m_positionSlider || watched == m_volumeSlider)
        && event->type() == QEvent::Wheel)
        return WheelTurned(watched, static_cast<QWheelEvent*>(event));
    if (watched == m_videoArea) {
        switch (event->type()) {
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                ToggleFullScreen();
                return true;
            }
            break;
        }
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && !FullScreenActive)
                m_dragger.Press(mouse->globalPosition().toPoint());
            break;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!FullScreenActive && m_dragger.Move(this, mouse->globalPosition().toPoint(), mouse->buttons()))
                return true;
            break;
        }
        case QEvent::KeyPress: {
            // Keys typed on the full-screen picture arrive here.
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape) {
                OnCommand(kCancel);
                return true;
            }
            if (RunKeyCommand(CommandForKey(key->keyCombination())))
                return true;
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool CPlayerDlg::event(QEvent* event)
{
    // Sent before a key becomes a shortcut: accepting it leaves the key to the
    // focused control.
    if (event->type() == QEvent::ShortcutOverride && FocusedControlKeeps(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    if (event->type() == WM_OPEN_RECORD) {
        OpenRecord();
        return true;
    }
    return QDialog::event(event);
}
