#include "playersettings.h"

#include "privateprofile.h"

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
    return readInt(kRecordAsMileKey, kDefaultRecordAsMile);
}

QString ReadHelpFile()
{
    return readText(kHelpFileKey);
}

bool ReadContinuousPlay()
{
    return readInt(kContinuousPlayKey, kDefaultContinuousPlay) != 0;
}

bool WriteContinuousPlay(bool on)
{
    return write(kContinuousPlayKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}
