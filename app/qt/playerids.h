#pragma once
// Identifiers of the main window: controls, commands, timers and messages keep
// the numbers of the design so its tables can be checked line by line.
#include <QEvent>

namespace PlayerId {
// Commands of the standard dialog buttons.
constexpr int kOk = 1;
constexpr int kCancel = 2;

// Tabs and transport (framework bitmap buttons).
constexpr int kRecordTab = 1000;
constexpr int kInformationTab = 1001;
constexpr int kToStart = 1002;
constexpr int kFrameBack = 1003;
constexpr int kSkipBack = 1004;
constexpr int kStop = 1005;
constexpr int kPause = 1006;
constexpr int kPlay = 1007;
constexpr int kSkipForward = 1008;
constexpr int kFrameForward = 1009;
constexpr int kToEnd = 1010;

// Round skinned buttons.
constexpr int kOpenFile = 1011;
constexpr int kSnapshot = 1013;
constexpr int kPrint = 1014;
constexpr int kConfiguration = 1015;
constexpr int kHelp = 1036;
constexpr int kMinimize = 1037;
constexpr int kClose = 1038;
constexpr int kLanguage = 1039;

// Areas, sliders and texts.
constexpr int kVideoArea = 1020;
constexpr int kPanelFrame = 1021;
constexpr int kVolumeSlider = 1028;
constexpr int kPositionSlider = 1033;
constexpr int kTelemetryPanel = 1034;
constexpr int kTimeText = 1035;
constexpr int kSpeedText = 1069;
constexpr int kUnitKmh = 1093;
constexpr int kUnitMph = 1094;

// System-menu item of the about box.
constexpr int kAboutCommand = 16;

// Language menu: 9216 + language index.
constexpr int kFirstLanguageMenuCommand = 9216;
constexpr int kLastLanguageMenuCommand = 9242;

// Window timers.
constexpr int kDisplayTimerId = 1;
constexpr int kDisplayTimerMs = 150;
constexpr int kStartTimerId = 20;
constexpr int kStartTimerMs = 200;

// Bitmaps of the main window.
constexpr int kBackgroundBitmap = 202;
constexpr int kGaugeKmhBitmap = 208;
constexpr int kGaugeMphBitmap = 209;
constexpr int kRoundMaskBitmap = 197;
}  // namespace PlayerId

// The record list's request to open SelectedRecordPath (WM_USER + 100).
constexpr QEvent::Type WM_OPEN_RECORD = static_cast<QEvent::Type>(QEvent::User + 100);
