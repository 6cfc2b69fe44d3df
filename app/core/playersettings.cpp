#include "playersettings.h"

#include "privateprofile.h"

#include <QFile>

#include <optional>

#include <sys/stat.h>

QString PlayerSettingsPath;
int ShowKMHMode = kDefaultShowKMHMode;

namespace {

QString section()
{
    return QString::fromLatin1(kPlayerSettingsSection);
}

int readInt(const char* key, int defaultValue)
{
    return PrivateProfile::GetInt(section(), QString::fromLatin1(key), defaultValue, PlayerSettingsPath);
}

QString readText(const char* key)
{
    return LimitSettingText(PrivateProfile::GetString(section(), QString::fromLatin1(key), QString(),
                                                      PlayerSettingsPath));
}

bool write(const char* key, const QString& value)
{
    return PrivateProfile::WriteString(section(), QString::fromLatin1(key), value, PlayerSettingsPath);
}

} // namespace

QString LimitSettingText(const QString& text)
{
    if (text.size() <= kMaxSettingText)
        return text;
    qsizetype keep = kMaxSettingText;
    if (text.at(keep - 1).isHighSurrogate())
        --keep;
    return text.left(keep);
}

int ReadDefaultLang()
{
    const int language = readInt(kDefaultLangKey, kDefaultLangValue);
    return (language >= 0 && language < kDefaultLangLimit) ? language : kDefaultLangValue;
}

bool WriteDefaultLang(int language)
{
    return write(kDefaultLangKey, QString::number(language));
}

int ReadShowKMHMode()
{
    return readInt(kShowKMHModeKey, kDefaultShowKMHMode);
}

bool WriteShowKMHMode(int mode)
{
    return write(kShowKMHModeKey, mode != 0 ? QStringLiteral("1") : QStringLiteral("0"));
}

QString ReadLastLoadPath()
{
    return readText(kLastLoadPathKey);
}

bool WriteLastLoadPath(const QString& folder)
{
    return write(kLastLoadPathKey, LimitSettingText(folder));
}

int ReadRecordAsMile()
{
    // The display asks every 150 ms so that an edit counts at the next tick;
    // the file is parsed again only when a stat shows it may have changed.
    struct Seen {
        QString path;
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified {};
        int value = kDefaultRecordAsMile;
    };
    static std::optional<Seen> last;

    Seen now;
    now.path = PlayerSettingsPath;
    struct stat info {};
    if (::stat(QFile::encodeName(PlayerSettingsPath).constData(), &info) == 0) {
        now.exists = true;
        now.device = info.st_dev;
        now.inode = info.st_ino;
        now.size = info.st_size;
        now.modified = info.st_mtim;
    }
    if (last && last->path == now.path && last->exists == now.exists && last->device == now.device
        && last->inode == now.inode && last->size == now.size && last->modified.tv_sec == now.modified.tv_sec
        && last->modified.tv_nsec == now.modified.tv_nsec)
        return last->value;
    now.value = readInt(kRecordAsMileKey, kDefaultRecordAsMile);
    last = now;
    return now.value;
}

QString ReadHelpFile()
{
    return readText(kHelpFileKey);
}
