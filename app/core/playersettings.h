#pragma once

#include <QString>

// The player's own settings: section "VEXORAPLAYER" of the file named by
// PlayerSettingsPath (normally "ZELPlayer.ini" beside the program). Every
// function looks at the file afresh, so hand edits made while the program runs
// count at the next read. UI thread only, like the globals below.

// Program-wide state of the UI thread.
extern QString PlayerSettingsPath; // set at main-window construction
extern int ShowKMHMode;            // speed unit shown: nonzero km/h, 0 mph

inline constexpr char kPlayerSettingsSection[] = "VEXORAPLAYER";
inline constexpr char kDefaultLangKey[] = "DefaultLang";
inline constexpr char kShowKMHModeKey[] = "ShowKMHMode";
inline constexpr char kLastLoadPathKey[] = "LastLoadPath";
inline constexpr char kRecordAsMileKey[] = "RecordAsMile";
inline constexpr char kHelpFileKey[] = "HelpFile";

inline constexpr int kDefaultLangValue = 3;  // German
inline constexpr int kDefaultLangLimit = 27;  // valid languages are 0..26
inline constexpr int kDefaultShowKMHMode = 0;
inline constexpr int kDefaultRecordAsMile = 1;

// Text values pass through a 1024-character buffer on read and on write, so at
// most this many characters survive either way.
inline constexpr int kMaxSettingText = 1023;

// Cuts text to kMaxSettingText UTF-16 units, without leaving half a surrogate
// pair at the end.
QString LimitSettingText(const QString& text);

// "DefaultLang", default 3. A stored value outside 0..26 gives 3, so a damaged
// file can never select a language outside the text table.
int ReadDefaultLang();
// Writes "DefaultLang" as a decimal number ("%d").
bool WriteDefaultLang(int language);

// "ShowKMHMode", default 0; any nonzero value means km/h.
int ReadShowKMHMode();
// Writes "ShowKMHMode" as "1" when mode is nonzero, else "0".
bool WriteShowKMHMode(int mode);

// "LastLoadPath", default empty, at most 1023 characters.
QString ReadLastLoadPath();
// Writes "LastLoadPath", cut to 1023 characters. Fails (false) for a folder
// name holding a line break, which the file cannot store.
bool WriteLastLoadPath(const QString& folder);

// "RecordAsMile", default 1; nonzero: the telemetry logs store mph. Cheap
// enough for every display tick: the file is parsed again only when its
// modification time, size or identity differs from the last call's.
int ReadRecordAsMile();

// "HelpFile", default empty, at most 1023 characters; relative to the
// program's folder.
QString ReadHelpFile();
