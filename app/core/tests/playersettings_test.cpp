#include "playersettings.h"
#include "privateprofile.h"

#include "qstringprinter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

class PlayerSettingsFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedPath = PlayerSettingsPath;
        PlayerSettingsPath = m_dir.filePath(QStringLiteral("ZELPlayer.ini"));
    }
    void TearDown() override { PlayerSettingsPath = m_savedPath; }

    void setFile(const QByteArray& bytes)
    {
        QFile file(PlayerSettingsPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray file() const
    {
        QFile file(PlayerSettingsPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QString stored(const char* key) const
    {
        return PrivateProfile::GetString(QStringLiteral("VEXORAPLAYER"), QString::fromLatin1(key),
                                         QStringLiteral("<absent>"), PlayerSettingsPath);
    }

    QTemporaryDir m_dir;
    QString m_savedPath;
};

TEST_F(PlayerSettingsFile, MissingFileGivesTheDefaults)
{
    EXPECT_EQ(ReadDefaultLang(), 3);
    EXPECT_EQ(ReadShowKMHMode(), 0);
    EXPECT_EQ(ReadLastLoadPath(), QString());
    EXPECT_EQ(ReadRecordAsMile(), 1);
    EXPECT_EQ(ReadHelpFile(), QString());
    EXPECT_EQ(file(), QByteArray("<missing>"));
}

TEST_F(PlayerSettingsFile, FirstLanguageWriteCreatesTheFile)
{
    ASSERT_TRUE(WriteDefaultLang(ReadDefaultLang()));
    EXPECT_EQ(file(), QByteArray("[VEXORAPLAYER]\nDefaultLang=3\n"));
}

TEST_F(PlayerSettingsFile, ReadsIntegersTheProfileWay)
{
    struct Case
    {
        QByteArray value;
        std::function<int()> read;
        const char* key;
        int expected;
    };
    const Case cases[] = {
        {"2", ReadShowKMHMode, "ShowKMHMode", 2}, // nonzero: km/h
        {"abc", ReadShowKMHMode, "ShowKMHMode", 0},
        {"1", ReadShowKMHMode, "ShowKMHMode", 1},
        {"0", ReadRecordAsMile, "RecordAsMile", 0},
        {"", ReadRecordAsMile, "RecordAsMile", 1},
        {"0", ReadDefaultLang, "DefaultLang", 0},
        {"26", ReadDefaultLang, "DefaultLang", 26},
        {"5 ", ReadDefaultLang, "DefaultLang", 5},
        {"27", ReadDefaultLang, "DefaultLang", 3},
        {"-1", ReadDefaultLang, "DefaultLang", 3},
        {"99999999999", ReadDefaultLang, "DefaultLang", 3},
        {"abc", ReadDefaultLang, "DefaultLang", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value.toStdString());
        setFile("[vexoraplayer]\n" + QByteArray(c.key) + "=" + c.value + "\n");
        EXPECT_EQ(c.read(), c.expected);
    }
}

// Read on every display tick: a stat decides whether the file is parsed again.
// Rewritten in place to the same size with its old modification time, the file
// looks unchanged, which shows that it was not parsed; any change of time or
// size is taken at the next read.
TEST_F(PlayerSettingsFile, RecordAsMileIsParsedAgainOnlyWhenTheFileChanged)
{
    const QByteArray native = QFile::encodeName(PlayerSettingsPath);
    const auto modified = [&] {
        struct stat info {};
        EXPECT_EQ(::stat(native.constData(), &info), 0);
        return info.st_mtim;
    };
    const auto setModified = [&](timespec when) {
        const timespec times[2] = {when, when};
        ASSERT_EQ(::utimensat(AT_FDCWD, native.constData(), times, 0), 0);
    };

    setFile("[VEXORAPLAYER]\nRecordAsMile=0\n");
    EXPECT_EQ(ReadRecordAsMile(), 0);
    const timespec first = modified();

    setFile("[VEXORAPLAYER]\nRecordAsMile=1\n");
    setModified(first);
    EXPECT_EQ(ReadRecordAsMile(), 0) << "same time and size: not parsed again";

    setModified(timespec{first.tv_sec + 1, first.tv_nsec});
    EXPECT_EQ(ReadRecordAsMile(), 1) << "a new modification time counts at once";

    setFile("[VEXORAPLAYER]\nRecordAsMile=00\n");
    setModified(timespec{first.tv_sec + 1, first.tv_nsec});
    EXPECT_EQ(ReadRecordAsMile(), 0) << "a new size counts at once";

    ASSERT_TRUE(QFile::remove(PlayerSettingsPath));
    EXPECT_EQ(ReadRecordAsMile(), 1) << "a removed file gives the default";
    setFile("[VEXORAPLAYER]\nRecordAsMile=0\n");
    EXPECT_EQ(ReadRecordAsMile(), 0);
}

TEST_F(PlayerSettingsFile, SpeedUnitIsStoredAsOneOrZero)
{
    const std::pair<int, const char*> cases[] = {{5, "1"}, {1, "1"}, {-1, "1"}, {0, "0"}};
    for (const auto& [mode, text] : cases) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(WriteShowKMHMode(mode));
        EXPECT_EQ(stored("ShowKMHMode"), QString::fromLatin1(text));
    }
}

TEST_F(PlayerSettingsFile, TextLongerThan1023IsCutOnReadAndOnWrite)
{
    const QString long1500 = QStringLiteral("/media/") + QString(1493, QLatin1Char('d'));
    ASSERT_EQ(long1500.size(), 1500);

    setFile("[VEXORAPLAYER]\nLastLoadPath=" + long1500.toUtf8() + "\nHelpFile=" + long1500.toUtf8() + "\n");
    EXPECT_EQ(ReadLastLoadPath(), long1500.left(1023));
    EXPECT_EQ(ReadHelpFile(), long1500.left(1023));

    ASSERT_TRUE(WriteLastLoadPath(long1500));
    EXPECT_EQ(stored("LastLoadPath"), long1500.left(1023));
    EXPECT_EQ(stored("HelpFile"), long1500); // other keys untouched
}

TEST_F(PlayerSettingsFile, CutNeverSplitsACharacter)
{
    const QString emoji = QString::fromUtf8("\xf0\x9f\x9a\x97"); // two UTF-16 units
    const QString text = QString(1022, QLatin1Char('a')) + emoji + QStringLiteral("tail");
    EXPECT_EQ(LimitSettingText(text), QString(1022, QLatin1Char('a')));
    EXPECT_EQ(LimitSettingText(QString(1021, QLatin1Char('a')) + emoji), QString(1021, QLatin1Char('a')) + emoji);
}

TEST_F(PlayerSettingsFile, LastLoadPathRoundTripsAndKeepsTheRest)
{
    setFile("; mine\r\n[VEXORAPLAYER]\r\nDefaultLang=4\r\n\r\n[Else]\r\nLastLoadPath=x\r\n");
    ASSERT_TRUE(WriteLastLoadPath(QStringLiteral("/media/Kärtchen/DCIM/")));
    EXPECT_EQ(ReadLastLoadPath(), QStringLiteral("/media/Kärtchen/DCIM/"));
    EXPECT_EQ(file(), QByteArray("; mine\r\n[VEXORAPLAYER]\r\nDefaultLang=4\r\nLastLoadPath=/media/K\xc3\xa4rtchen/DCIM/\r\n"
                                 "\r\n[Else]\r\nLastLoadPath=x\r\n"));
}

TEST_F(PlayerSettingsFile, FolderWithALineBreakIsNotStored)
{
    setFile("[VEXORAPLAYER]\nLastLoadPath=/old/\n");
    EXPECT_FALSE(WriteLastLoadPath(QStringLiteral("/odd\nname/")));
    EXPECT_EQ(ReadLastLoadPath(), QStringLiteral("/old/"));
}

TEST_F(PlayerSettingsFile, HelpFileIsReadAfreshEachTime)
{
    setFile("[VEXORAPLAYER]\nHelpFile=help.pdf\n");
    EXPECT_EQ(ReadHelpFile(), QStringLiteral("help.pdf"));
    setFile("[VEXORAPLAYER]\n");
    EXPECT_EQ(ReadHelpFile(), QString());
}

} // namespace
