#include "privateprofile.h"
#include "programpaths.h"

#include "qstringprinter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class ProfileFile : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name = QStringLiteral("profile.ini")) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

struct ReadCase
{
    const char* what;
    QByteArray file;
    const char* section;
    const char* key;
    const char* expected;
};

const ReadCase kReadCases[] = {
    {"names without regard to case", "[vexoraplayer]\nlastloadpath=/media/card/\n", "VEXORAPLAYER", "LastLoadPath", "/media/card/"},
    {"blanks around names and value", "  [ S ]  \n  Key  =   v a l \t \n", "S", "Key", "v a l"},
    {"CRLF line endings", "[S]\r\nKey=v\r\nNext=w\r\n", "S", "Key", "v"},
    {"last line without line break", "[S]\nKey=v", "S", "Key", "v"},
    {"key of another section", "[T]\nKey=t\n[S]\nOther=1\n", "S", "Key", "<default>"},
    {"key before any section", "Key=x\n[S]\n", "S", "Key", "<default>"},
    {"commented-out key", "[S]\n;Key=x\n  ; Key=y\n", "S", "Key", "<default>"},
    {"first of two keys", "[S]\nKey=1\nKEY=2\n", "S", "Key", "1"},
    {"key in a repeated section", "[S]\nA=1\n[T]\nKey=t\n[s]\nKey=2\n", "S", "Key", "2"},
    {"empty value is not absent", "[S]\nKey=\n", "S", "Key", ""},
    {"line without '='", "[S]\nKey\n", "S", "Key", ""},
    {"quotes around the value", "[S]\nKey=\" a \"\n", "S", "Key", " a "},
    {"single quotes around the value", "[S]\nKey='b'\n", "S", "Key", "b"},
    {"unmatched quote stays", "[S]\nKey=\"b\n", "S", "Key", "\"b"},
    {"'=' inside the value", "[S]\nKey=a=b\n", "S", "Key", "a=b"},
    {"UTF-8 names and text", "[größe]\nKey=Grüße 日本\n", "GRÖßE", "Key", "Grüße 日本"},
    {"section header without ']'", "[S\nKey=v\n", "S", "Key", "v"},
    {"requested names are trimmed", "[S]\nKey=v\n", " S ", " Key ", "v"},
    {"empty file", "", "S", "Key", "<default>"},
    {"NUL bytes elsewhere", QByteArray("\0\0\n[S]\nX=\0\nKey=v\n", 17), "S", "Key", "v"},
};

TEST_F(ProfileFile, ReadsStringsWithProfileRules)
{
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.what);
        writeAll(path(), c.file);
        EXPECT_EQ(PrivateProfile::GetString(QString::fromUtf8(c.section), QString::fromUtf8(c.key),
                                            QStringLiteral("<default>"), path()),
                  QString::fromUtf8(c.expected));
    }
}

struct IntCase
{
    const char* value; // nullptr: key absent
    int expected;
};

const IntCase kIntCases[] = {
    {"2", 2},       {"abc", 0},           {"2x", 2},         {" -7", -7},       {"+5", 5},
    {"-", 0},       {"", 42},             {nullptr, 42},     {"007", 7},        {"3.9", 3},
    {"0x10", 0},    {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"- 1", 0}, {"２", 0},
    {"\"12\"", 12},
};

TEST_F(ProfileFile, ReadsTheLeadingDecimalNumber)
{
    for (const IntCase& c : kIntCases) {
        SCOPED_TRACE(c.value ? c.value : "<absent>");
        QByteArray file = "[S]\nOther=1\n";
        if (c.value)
            file += QByteArray("Key=") + c.value + "\n";
        writeAll(path(), file);
        EXPECT_EQ(PrivateProfile::GetInt(QStringLiteral("S"), QStringLiteral("Key"), 42, path()), c.expected);
    }
}

TEST_F(ProfileFile, GivesDefaultsWhenTheFileCannotServe)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo"))).constData(), 0600), 0);
    writeAll(path(QStringLiteral("file")), "x");
    const QString places[] = {path(QStringLiteral("missing.ini")), path(QStringLiteral("folder")),
                              path(QStringLiteral("fifo")), path(QStringLiteral("file/below.ini")), QString()};
    for (const QString& place : places) {
        SCOPED_TRACE(place.toStdString());
        EXPECT_EQ(PrivateProfile::GetString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d"), place),
                  QStringLiteral("d"));
        EXPECT_EQ(PrivateProfile::GetInt(QStringLiteral("S"), QStringLiteral("K"), 3, place), 3);
    }
}

struct WriteCase
{
    const char* what;
    QByteArray before;
    const char* section;
    const char* key;
    const char* value;
    QByteArray after;
};

const WriteCase kWriteCases[] = {
    {"updates in place, keeps every other byte",
     "; player settings\r\n\r\n[Other]\r\nDefaultLang=9\r\n[VEXORAPLAYER]\r\n  DefaultLang = 5  \r\nShowKMHMode=0\r\n; end\r\n",
     "vexoraplayer", "defaultlang", "7",
     "; player settings\r\n\r\n[Other]\r\nDefaultLang=9\r\n[VEXORAPLAYER]\r\n  DefaultLang = 7\r\nShowKMHMode=0\r\n; end\r\n"},
    {"adds a key after the section's last key", "[S]\nA=1\n\n; about T\n[T]\nB=2\n", "S", "K", "v",
     "[S]\nA=1\nK=v\n\n; about T\n[T]\nB=2\n"},
    {"adds a key to an empty section", "[S]\n[T]\n", "s", "K", "v", "[S]\nK=v\n[T]\n"},
    {"adds a key to the first of repeated sections", "[S]\nA=1\n[S]\nB=2\n", "S", "K", "v",
     "[S]\nA=1\nK=v\n[S]\nB=2\n"},
    {"adds a section at the end", "[T]\nB=2\n", "S", "K", "v", "[T]\nB=2\n[S]\nK=v\n"},
    {"ends an unterminated last key line", "[S]\nA=1", "S", "K", "v", "[S]\nA=1\nK=v\n"},
    {"ends an unterminated last header", "[S]", "S", "K", "v", "[S]\nK=v\n"},
    {"ends an unterminated last line before a new section", "; c", "S", "K", "v", "; c\n[S]\nK=v\n"},
    {"uses the file's CRLF for new lines", "[S]\r\nA=1\r\n", "S", "K", "v", "[S]\r\nA=1\r\nK=v\r\n"},
    {"uses the file's CRLF for a new section", "[T]\r\n", "S", "K", "v", "[T]\r\n[S]\r\nK=v\r\n"},
    {"gives a bare key its value", "[S]\nK\n", "S", "K", "v", "[S]\nK=v\n"},
    {"changes only the first of repeated keys", "[S]\nK=1\nK=2\n", "S", "K", "v", "[S]\nK=v\nK=2\n"},
    {"fills an empty file", "", "S", "K", "v", "[S]\nK=v\n"},
    {"shortens a value", "[S]\nK =  long value  \nZ=1", "S", "K", "v", "[S]\nK =  v\nZ=1"},
    {"writes an empty value", "[S]\nK=1\n", "S", "K", "", "[S]\nK=\n"},
    {"leaves a file alone when nothing changes", "[S]\r\nK = v\r\n", "S", "K", "v", "[S]\r\nK = v\r\n"},
};

TEST_F(ProfileFile, WritesOnlyTheKeyAndKeepsEveryOtherLine)
{
    for (const WriteCase& c : kWriteCases) {
        SCOPED_TRACE(c.what);
        writeAll(path(), c.before);
        ASSERT_TRUE(PrivateProfile::WriteString(QString::fromUtf8(c.section), QString::fromUtf8(c.key),
                                                QString::fromUtf8(c.value), path()));
        EXPECT_EQ(readAll(path()), c.after);
        EXPECT_EQ(PrivateProfile::GetString(QString::fromUtf8(c.section), QString::fromUtf8(c.key),
                                            QStringLiteral("<default>"), path()),
                  QString::fromUtf8(c.value));
    }
}

TEST_F(ProfileFile, CreatesAMissingFile)
{
    ASSERT_TRUE(PrivateProfile::WriteString(QStringLiteral("VEXORAPLAYER"), QStringLiteral("DefaultLang"),
                                            QStringLiteral("3"), path()));
    EXPECT_EQ(readAll(path()), QByteArray("[VEXORAPLAYER]\nDefaultLang=3\n"));
    EXPECT_EQ(PrivateProfile::GetInt(QStringLiteral("VEXORAPLAYER"), QStringLiteral("DefaultLang"), 0, path()), 3);
}

TEST_F(ProfileFile, RefusesNamesAndValuesThatWouldBreakTheFile)
{
    struct Bad
    {
        QString section, key, value;
    };
    const Bad bads[] = {
        {"S", "K", "a\nb"},        {"S", "K", "a\rb"},  {"S", "K", QString("a") + QChar(u'\0')},
        {"S]x", "K", "v"},         {"S\n", "K", "v"},   {"S", "K=1", "v"},
        {"S", "K\n", "v"},         {"", "K", "v"},      {"S", " ", "v"},
        {"S", "[K", "v"},          {"S", ";K", "v"},
    };
    const QByteArray before = "[S]\nK=old\n";
    for (const Bad& bad : bads) {
        SCOPED_TRACE((bad.section + QLatin1Char('|') + bad.key + QLatin1Char('|') + bad.value).toStdString());
        writeAll(path(), before);
        EXPECT_FALSE(PrivateProfile::WriteString(bad.section, bad.key, bad.value, path()));
        EXPECT_EQ(readAll(path()), before);
    }
}

TEST_F(ProfileFile, FailedWriteLeavesNothingBroken)
{
    // Places a write cannot use; as root, permissions would not stop it, so
    // these fail for reasons that hold for every user.
    writeAll(path(QStringLiteral("plain")), "not a folder");
    EXPECT_FALSE(PrivateProfile::WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"),
                                             path(QStringLiteral("plain/settings.ini"))));
    EXPECT_EQ(readAll(path(QStringLiteral("plain"))), QByteArray("not a folder"));

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    EXPECT_FALSE(PrivateProfile::WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"),
                                             path(QStringLiteral("folder"))));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("folder"))).isDir());

    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo"))).constData(), 0600), 0);
    EXPECT_FALSE(PrivateProfile::WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"),
                                             path(QStringLiteral("fifo"))));
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(path(QStringLiteral("fifo"))).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 3);
}

TEST_F(ProfileFile, FileTooLargeForSettingsIsNeitherReadNorReplaced)
{
    QByteArray huge = "[S]\nK=inside\n";
    huge.append(QByteArray(PrivateProfile::kMaxFileBytes, 'x'));
    writeAll(path(), huge);
    EXPECT_EQ(PrivateProfile::GetString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d"), path()),
              QStringLiteral("d"));
    EXPECT_FALSE(PrivateProfile::WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"), path()));
    EXPECT_EQ(QFileInfo(path()).size(), huge.size());
}

TEST_F(ProfileFile, ReadOnlyFolderKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind root";
    const QString folder = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("locked")));
    const QString file = folder + QStringLiteral("/settings.ini");
    writeAll(file, "[S]\nK=old\n");
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0500), 0);
    EXPECT_FALSE(PrivateProfile::WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("new"), file));
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    EXPECT_EQ(readAll(file), QByteArray("[S]\nK=old\n"));
}

TEST_F(ProfileFile, WriteKeepsTheFileModeAndALinkToTheFile)
{
    const QString real = path(QStringLiteral("real.ini"));
    const QString link = path(QStringLiteral("link.ini"));
    writeAll(real, "[S]\nK=old\n");
    ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(real, link));

    ASSERT_TRUE(PrivateProfile::WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("new"), link));

    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readAll(real), QByteArray("[S]\nK=new\n"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(PrivateProfile, BareFileNameLivesInTheProgramFolder)
{
    const QString name = QStringLiteral("profile-test-%1.ini").arg(::getpid());
    const QString expected = ProgramDirectory() + name;
    ASSERT_FALSE(QFileInfo::exists(expected));
    ASSERT_TRUE(PrivateProfile::WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"), name));
    EXPECT_TRUE(QFileInfo::exists(expected));
    EXPECT_EQ(PrivateProfile::GetString(QStringLiteral("S"), QStringLiteral("K"), QString(), name), QStringLiteral("v"));
    QFile::remove(expected);
}

// Damaged and hostile files: reads must not crash, and a write must change the
// key written and nothing another key reads.
TEST_F(ProfileFile, WriteIntoDamagedFilesStaysConfined)
{
    QByteArray noise;
    quint32 state = 12345;
    for (int i = 0; i < 4096; ++i) {
        state = state * 1103515245u + 12345u;
        noise.append(static_cast<char>(state >> 24));
    }
    const QByteArray files[] = {
        noise,
        QByteArray(1 << 20, 'a'),
        "[",
        "=",
        "[[[]]]\n]]]=[[[\n",
        "[S]\r",
        "\r\r\r[S]\rK2=x\r",
        "[S]\nK2=keep\n[T]\nK1=other\n" + noise,
        noise + "\n[S]\nK2=keep\n",
        QByteArray("[S]\n\xff\xfe=\xc3\n\xe6\x97K2 = keep \n", 20),
    };
    for (const QByteArray& before : files) {
        SCOPED_TRACE(before.left(32).toHex().toStdString());
        writeAll(path(), before);
        const QString keep = PrivateProfile::GetString(QStringLiteral("S"), QStringLiteral("K2"), QStringLiteral("<none>"), path());
        const QString other = PrivateProfile::GetString(QStringLiteral("T"), QStringLiteral("K1"), QStringLiteral("<none>"), path());
        PrivateProfile::GetInt(QStringLiteral("S"), QStringLiteral("K1"), 0, path());

        ASSERT_TRUE(PrivateProfile::WriteString(QStringLiteral("S"), QStringLiteral("K1"), QStringLiteral("written"), path()));
        EXPECT_EQ(PrivateProfile::GetString(QStringLiteral("S"), QStringLiteral("K1"), QString(), path()), QStringLiteral("written"));
        EXPECT_EQ(PrivateProfile::GetString(QStringLiteral("S"), QStringLiteral("K2"), QStringLiteral("<none>"), path()), keep);
        EXPECT_EQ(PrivateProfile::GetString(QStringLiteral("T"), QStringLiteral("K1"), QStringLiteral("<none>"), path()), other);
    }
}

} // namespace
