#pragma once
// The camera's recording settings as carried by its settings file ("setup.ini" or
// "setup.bak" on the memory card), and the reading and writing of that file.
// Plain values; the configuration dialog owns one copy on the UI thread.

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

// Field names are the file's keys. The member initialisers are the values that
// stand when the file does not set a key.
struct DeviceSettings {
    qint32 BEFORE_VIDEO_EVENT = 60;   // seconds, 2..60 after reading
    qint32 VIDEO_EVENT_LENGTH = 300;  // seconds, 10..300 after reading
    qint32 VIDEO_LENGTH = 600;        // seconds, 60..600 after reading
    qint32 SHOW_STRING = 0;           // overlay mode 0..3, not bounded
    float G_LIMITX = 1.0f;            // event threshold in g, -8..8 after reading
    float G_LIMITY = 1.0f;
    float G_LIMITZ = 2.0f;
    qint32 CIS_MIRROR = 0;            // 1: sensor mirrored, not bounded
    qint32 TIME_ZONE = 8;             // hours, not bounded
    bool setTime = false;             // write a TIME line; never read from the file
    QDateTime setTimeValue;           // written as local time when setTime is true

    // The values that stand when the file sets nothing.
    static DeviceSettings defaults() { return DeviceSettings{}; }
};

inline constexpr char kDeviceSettingsFileName[] = "setup.ini";
inline constexpr char kDeviceSettingsBackupFileName[] = "setup.bak";

// Clamps the bounded fields into the ranges that the camera accepts.
void ApplyDeviceSettingsBounds(DeviceSettings& settings);

// Updates `settings` from the settings text: every key line that scans overrides
// the field, then the bounds apply. The caller provides the starting values.
void ParseDeviceSettings(QByteArrayView text, DeviceSettings& settings);

// The whole file as written: ten CR LF lines, eleven with the TIME line.
QByteArray FormatDeviceSettings(const DeviceSettings& settings);

// Reads the file at `path` into `settings`, which hold the starting values.
// A file that cannot be opened leaves them as they are (no bounds applied)
// and returns false.
bool ReadDeviceSettings(const QString& path, DeviceSettings& settings);

// The camera's settings file of a folder of recordings: "setup.ini", else
// "setup.bak", each also in another letter case (a FAT card may show SETUP.INI).
// Only regular files count. Empty when the folder holds neither.
QString FindDeviceSettingsFile(const QString& folder);

// Replaces the file at `path` with FormatDeviceSettings(settings). The new text
// goes to a temporary file beside the target that then replaces it, so a failed
// write leaves the old file whole. Where the folder takes no new file but the
// file itself may be written (a card mounted so), the file is rewritten in
// place instead: truncated, written, flushed and synced. Returns false when
// the file was not written, with the reason for the user in *whyNot.
bool WriteDeviceSettings(const QString& path, const DeviceSettings& settings, QString* whyNot = nullptr);

// Removes the temporary files that an interrupted WriteDeviceSettings of `path`
// left beside it: plain files named by the write's own unmistakable pattern,
// nothing else. Returns how many were removed.
int RemoveStaleDeviceSettingsTemporaries(const QString& path);
