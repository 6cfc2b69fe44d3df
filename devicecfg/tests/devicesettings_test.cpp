#include "devicesettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cctype>
#include <csignal>
#include <string>
#include <vector>

#include <QRegularExpression>

#include <functional>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::string_literals;

bool sameValues(const DeviceSettings& a, const DeviceSettings& b)
{
    return a.BEFORE_VIDEO_EVENT == b.BEFORE_VIDEO_EVENT && a.VIDEO_EVENT_LENGTH == b.VIDEO_EVENT_LENGTH
           && a.VIDEO_LENGTH == b.VIDEO_LENGTH && a.SHOW_STRING == b.SHOW_STRING && a.G_LIMITX == b.G_LIMITX
           && a.G_LIMITY == b.G_LIMITY && a.G_LIMITZ == b.G_LIMITZ && a.CIS_MIRROR == b.CIS_MIRROR
           && a.TIME_ZONE == b.TIME_ZONE;
}

std::string describe(const DeviceSettings& s)
{
    return "BEFORE=" + std::to_string(s.BEFORE_VIDEO_EVENT) + " EVENT=" + std::to_string(s.VIDEO_EVENT_LENGTH)
           + " LENGTH=" + std::to_string(s.VIDEO_LENGTH) + " SHOW=" + std::to_string(s.SHOW_STRING)
           + " GX=" + std::to_string(s.G_LIMITX) + " GY=" + std::to_string(s.G_LIMITY)
           + " GZ=" + std::to_string(s.G_LIMITZ) + " MIRROR=" + std::to_string(s.CIS_MIRROR)
           + " TZ=" + std::to_string(s.TIME_ZONE);
}

template <typename Change>
DeviceSettings defaultsWith(Change change)
{
    DeviceSettings s = DeviceSettings::defaults();
    change(s);
    return s;
}

const DeviceSettings kDefaults = DeviceSettings::defaults();

struct ReadCase {
    const char* name;
    std::string text;
    DeviceSettings expected;
};

std::vector<ReadCase> readCases()
{
    const std::string longRun(505, 'x');
    const std::string fullPiece(511, 'x');
    return {
        {"short video length is raised to 60", "[VIDEO_LENGTH=30]", defaultsWith([](auto& s) { s.VIDEO_LENGTH = 60; })},
        {"indented key is ignored", "  [VIDEO_LENGTH=30]", kDefaults},
        {"G limit above 8 clamps", "[G_LIMITX=9.5]\r\n", defaultsWith([](auto& s) { s.G_LIMITX = 8.0f; })},
        {"G limit below -8 clamps", "[G_LIMITY=-12]\n", defaultsWith([](auto& s) { s.G_LIMITY = -8.0f; })},
        {"key mentioned in a comment decides the line and fails", "; e.g. [TIME_ZONE=5]\n", kDefaults},
        {"TIME and OVERWRITE are not read", "[TIME=2024/01/02/03/04/05]\r\n[OVERWRITE=  0]\r\n", kDefaults},
        {"first key in search order decides", "[VIDEO_LENGTH=120] [BEFORE_VIDEO_EVENT=5]\n", kDefaults},
        {"white space and sign before the number", "[BEFORE_VIDEO_EVENT=  +5]\n[TIME_ZONE=\t-11]\n",
         defaultsWith([](auto& s) { s.BEFORE_VIDEO_EVENT = 5; s.TIME_ZONE = -11; })},
        {"lower bounds", "[BEFORE_VIDEO_EVENT=1]\n[VIDEO_EVENT_LENGTH=-4]\n[VIDEO_LENGTH=0]\n",
         defaultsWith([](auto& s) { s.BEFORE_VIDEO_EVENT = 2; s.VIDEO_EVENT_LENGTH = 10; s.VIDEO_LENGTH = 60; })},
        {"upper bounds", "[BEFORE_VIDEO_EVENT=61]\n[VIDEO_EVENT_LENGTH=301]\n[VIDEO_LENGTH=601]\n", kDefaults},
        {"unbounded keys taken as read", "[SHOW_STRING=7]\n[CIS_MIRROR=-3]\n[TIME_ZONE=99]\n",
         defaultsWith([](auto& s) { s.SHOW_STRING = 7; s.CIS_MIRROR = -3; s.TIME_ZONE = 99; })},
        {"value that is no number keeps the field", "[CIS_MIRROR=abc]\n[SHOW_STRING=]\n[TIME_ZONE=-]\n", kDefaults},
        {"space before the equals sign fails", "[BEFORE_VIDEO_EVENT = 5]\n", kDefaults},
        {"keys are case sensitive", "[before_video_event=5]\n", kDefaults},
        {"scan stops at the first other character", "[VIDEO_LENGTH=120sec]\n[TIME_ZONE=0x7]\n",
         defaultsWith([](auto& s) { s.VIDEO_LENGTH = 120; s.TIME_ZONE = 0; })},
        {"later line wins", "[VIDEO_LENGTH=100]\n[VIDEO_LENGTH=200]\n", defaultsWith([](auto& s) { s.VIDEO_LENGTH = 200; })},
        {"real forms", "[G_LIMITX= 1.5e0]\n[G_LIMITY=\t.25]\n[G_LIMITZ=+3.]\n",
         defaultsWith([](auto& s) { s.G_LIMITX = 1.5f; s.G_LIMITY = 0.25f; s.G_LIMITZ = 3.0f; })},
        {"exponent without digits is not part of the number", "[G_LIMITX=2e]\n[G_LIMITY=3E+x]\n",
         defaultsWith([](auto& s) { s.G_LIMITX = 2.0f; s.G_LIMITY = 3.0f; })},
        {"integer written for a G limit", "[G_LIMITZ=-4]\n", defaultsWith([](auto& s) { s.G_LIMITZ = -4.0f; })},
        {"infinity and NaN are not numbers", "[G_LIMITX=nan]\n[G_LIMITY=inf]\n[G_LIMITZ=-infinity]\n", kDefaults},
        {"huge real clamps", "[G_LIMITX=1e999]\n[G_LIMITY=-1e40]\n",
         defaultsWith([](auto& s) { s.G_LIMITX = 8.0f; s.G_LIMITY = -8.0f; })},
        {"huge integers saturate before the bounds", "[BEFORE_VIDEO_EVENT=99999999999]\n[VIDEO_LENGTH=-99999999999]\n"
                                                     "[TIME_ZONE=2147483648]\n",
         defaultsWith([](auto& s) { s.VIDEO_LENGTH = 60; s.TIME_ZONE = 2147483647; })},
        {"CR LF endings", "[VIDEO_LENGTH=120]\r\n[TIME_ZONE=3]\r\n",
         defaultsWith([](auto& s) { s.VIDEO_LENGTH = 120; s.TIME_ZONE = 3; })},
        {"lone CR does not end a line", "[TIME_ZONE=3]\r[CIS_MIRROR=1]\n", defaultsWith([](auto& s) { s.TIME_ZONE = 3; })},
        {"zero byte ends the line text", "[TIME_ZONE=1\0[CIS_MIRROR=1]\n[SHOW_STRING=2]\n"s,
         defaultsWith([](auto& s) { s.TIME_ZONE = 1; s.SHOW_STRING = 2; })},
        {"piece boundary splits a key", longRun + "[VIDEO_LENGTH=120]\n", kDefaults},
        {"piece after 511 bytes is a line of its own", fullPiece + "[VIDEO_LENGTH=120]\n",
         defaultsWith([](auto& s) { s.VIDEO_LENGTH = 120; })},
        {"empty text", "", kDefaults},
    };
}

class DeviceSettingsRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DeviceSettingsRead, AppliesKeyLinesThenBounds)
{
    const ReadCase& c = GetParam();
    DeviceSettings s = DeviceSettings::defaults();
    ParseDeviceSettings(QByteArrayView(c.text.data(), qsizetype(c.text.size())), s);
    EXPECT_TRUE(sameValues(s, c.expected)) << c.name << "\n got " << describe(s) << "\n want "
                                           << describe(c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeviceSettingsRead, ::testing::ValuesIn(readCases()),
                         [](const auto& info) {
                             std::string name;
                             for (char ch : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

TEST(DeviceSettingsFile, StartsFromTheCallersValues)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("setup.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[TIME_ZONE=-5]\r\n");
    file.close();

    DeviceSettings s = DeviceSettings::defaults();
    s.VIDEO_LENGTH = 300;
    s.SHOW_STRING = 3;
    EXPECT_TRUE(ReadDeviceSettings(path, s));
    EXPECT_EQ(s.TIME_ZONE, -5);
    EXPECT_EQ(s.VIDEO_LENGTH, 300);
    EXPECT_EQ(s.SHOW_STRING, 3);
}

TEST(DeviceSettingsFile, FileThatCannotBeOpenedLeavesTheValuesUnbounded)
{
    QTemporaryDir dir;
    for (const QString& path : {dir.filePath("missing.ini"), dir.path(), QString()}) {
        DeviceSettings s = DeviceSettings::defaults();
        s.VIDEO_LENGTH = 5;  // outside the bounds on purpose: no bounds apply
        EXPECT_FALSE(ReadDeviceSettings(path, s)) << path.toStdString();
        EXPECT_EQ(s.VIDEO_LENGTH, 5) << path.toStdString();
    }
}

const char kDefaultFile[] =
    "[BEFORE_VIDEO_EVENT= 60]      ; Recording time before event per video, Second unit. Valid value is 2 ~ 60.\r\n"
    "[VIDEO_EVENT_LENGTH=300]      ; Recording time after event trigger per video, Second unit. Valid value is 10 ~ 300.\r\n"
    "[VIDEO_LENGTH=600]            ; Recording time per video after press key, Second unit. Valid value is 60 ~ 600.\r\n"
    "[SHOW_STRING=0]              ; 0: Don't show overlay string on video, 1: Show overlay string on video, "
    "2: Show overlay string with version, 3: Only show time stamp on video.\r\n"
    "[G_LIMITX=1.00]              ; Capture video if X absolute G sensor value greater than G_LIMITX, valid value is 0 ~ 8.\r\n"
    "[G_LIMITY=1.00]              ; Capture video if Y absolute G sensor value greater than G_LIMITY, valid value is 0 ~ 8.\r\n"
    "[G_LIMITZ=2.00]              ; Capture video if Z absolute G sensor value greater than G_LIMITZ, valid value is 0 ~ 8.\r\n"
    "[OVERWRITE=  1]               ; 1: overwrite enable, 0: overwrite disable\r\n"
    "[CIS_MIRROR=  0]              ; 1: Image sensor row column mirror, 0: Otherwise\r\n"
    "[TIME_ZONE=  8]               ; Time zone, hour unit. Valid value is -12 ~ 12\r\n";

TEST(DeviceSettingsFormat, DefaultsGiveTheExactTenLines)
{
    EXPECT_EQ(FormatDeviceSettings(DeviceSettings::defaults()), QByteArray(kDefaultFile));
}

TEST(DeviceSettingsFormat, SetTimeAddsTheTimeLineFirst)
{
    DeviceSettings s = DeviceSettings::defaults();
    s.setTime = true;
    s.setTimeValue = QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9), Qt::LocalTime);
    const QByteArray text = FormatDeviceSettings(s);
    EXPECT_EQ(text, QByteArray("[TIME=2024/03/05/07/08/09]   ; YYYY/MM/DD/HH/MM/SS.\r\n") + kDefaultFile);
}

TEST(DeviceSettingsFormat, FlagOffOrUnusableTimeGivesExactlyTenLines)
{
    DeviceSettings off = DeviceSettings::defaults();
    off.setTimeValue = QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9));
    DeviceSettings invalid = DeviceSettings::defaults();
    invalid.setTime = true;  // no usable value: the camera's clock is left alone
    for (const DeviceSettings& s : {off, invalid}) {
        const QByteArray text = FormatDeviceSettings(s);
        EXPECT_EQ(text.count("\r\n"), 10);
        EXPECT_TRUE(text.startsWith("[BEFORE_VIDEO_EVENT="));
    }
}

TEST(DeviceSettingsFormat, NumbersUseTheirFieldWidths)
{
    struct Case {
        int value;
        const char* integerText;  // "%3d"
    };
    for (const Case& c : {Case{5, "  5"}, Case{-12, "-12"}, Case{8, "  8"}, Case{0, "  0"}, Case{1000, "1000"},
                          Case{-5, " -5"}}) {
        DeviceSettings s = DeviceSettings::defaults();
        s.TIME_ZONE = c.value;
        s.CIS_MIRROR = c.value;
        s.BEFORE_VIDEO_EVENT = c.value;
        s.SHOW_STRING = c.value;
        const QByteArray text = FormatDeviceSettings(s);
        const QByteArray expected(c.integerText);
        EXPECT_TRUE(text.contains("[TIME_ZONE=" + expected + "]")) << c.value;
        EXPECT_TRUE(text.contains("[CIS_MIRROR=" + expected + "]")) << c.value;
        EXPECT_TRUE(text.contains("[BEFORE_VIDEO_EVENT=" + expected + "]")) << c.value;
        EXPECT_TRUE(text.contains("[SHOW_STRING=" + QByteArray::number(c.value) + "]")) << c.value;
    }
    struct RealCase {
        float value;
        const char* text;
    };
    for (const RealCase& c : {RealCase{8.0f, "8.00"}, RealCase{-7.5f, "-7.50"}, RealCase{0.125f, "0.12"},
                              RealCase{1.0f / 3.0f, "0.33"}}) {
        DeviceSettings s = DeviceSettings::defaults();
        s.G_LIMITY = c.value;
        EXPECT_TRUE(FormatDeviceSettings(s).contains(QByteArray("[G_LIMITY=") + c.text + "]")) << c.text;
    }
}

TEST(DeviceSettingsFormat, ClampedLimitIsWrittenAsEight)
{
    DeviceSettings s = DeviceSettings::defaults();
    ParseDeviceSettings("[G_LIMITX=9.5]\r\n", s);
    EXPECT_TRUE(FormatDeviceSettings(s).contains("[G_LIMITX=8.00]"));
}

TEST(DeviceSettingsFormat, OverwriteIsAlwaysOne)
{
    DeviceSettings s = DeviceSettings::defaults();
    ParseDeviceSettings("[OVERWRITE=  0]\r\n", s);
    EXPECT_TRUE(FormatDeviceSettings(s).contains("[OVERWRITE=  1]               ; "));
}

TEST(DeviceSettingsFormat, WrittenTextReadsBackToTheSameValues)
{
    std::vector<DeviceSettings> table = {
        DeviceSettings::defaults(),
        defaultsWith([](auto& s) {
            s.BEFORE_VIDEO_EVENT = 2; s.VIDEO_EVENT_LENGTH = 10; s.VIDEO_LENGTH = 60; s.SHOW_STRING = 3;
            s.G_LIMITX = -8.0f; s.G_LIMITY = 0.25f; s.G_LIMITZ = 7.75f; s.CIS_MIRROR = 1; s.TIME_ZONE = -12;
        }),
        defaultsWith([](auto& s) {
            s.BEFORE_VIDEO_EVENT = 7; s.VIDEO_EVENT_LENGTH = 45; s.VIDEO_LENGTH = 180; s.SHOW_STRING = -1;
            s.G_LIMITX = 0.0f; s.G_LIMITY = -3.5f; s.G_LIMITZ = 8.0f; s.CIS_MIRROR = 12345; s.TIME_ZONE = 12;
            s.setTime = true; s.setTimeValue = QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58));
        }),
    };
    for (const DeviceSettings& written : table) {
        DeviceSettings read;
        read.VIDEO_LENGTH = 77;  // proves the value came from the text
        ParseDeviceSettings(FormatDeviceSettings(written), read);
        EXPECT_TRUE(sameValues(read, written)) << describe(read) << " vs " << describe(written);
    }
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(DeviceSettingsFile, WriteReplacesEveryLineAndKeepsTheFileMode)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("setup.bak");
    writeBytes(path, "; my own notes\r\n[OVERWRITE=  0]\r\n[TIME_ZONE=3]\r\nextra\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);

    EXPECT_TRUE(WriteDeviceSettings(path, DeviceSettings::defaults()));
    EXPECT_EQ(fileBytes(path), QByteArray(kDefaultFile));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"setup.bak"});  // no temporary file left over
}

TEST(DeviceSettingsFile, WriteThenReadGivesTheWrittenValues)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("setup.ini");
    DeviceSettings written = defaultsWith([](auto& s) { s.VIDEO_LENGTH = 180; s.G_LIMITZ = -2.5f; s.TIME_ZONE = -3; });
    ASSERT_TRUE(WriteDeviceSettings(path, written));
    DeviceSettings read;
    ASSERT_TRUE(ReadDeviceSettings(path, read));
    EXPECT_TRUE(sameValues(read, written));
}

TEST(DeviceSettingsFile, WriteThroughALinkKeepsTheLink)
{
    QTemporaryDir dir;
    const QString real = dir.filePath("card-setup.ini");
    const QString link = dir.filePath("setup.ini");
    writeBytes(real, "old");
    ASSERT_TRUE(QFile::link(real, link));

    EXPECT_TRUE(WriteDeviceSettings(link, DeviceSettings::defaults()));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(fileBytes(real), QByteArray(kDefaultFile));
}

TEST(DeviceSettingsFile, TargetThatIsNoFileIsLeftAlone)
{
    QTemporaryDir dir;
    const QString folderTarget = dir.filePath("setup.ini");
    ASSERT_TRUE(QDir().mkdir(folderTarget));
    writeBytes(folderTarget + "/inside", "keep");

    EXPECT_FALSE(WriteDeviceSettings(folderTarget, DeviceSettings::defaults()));
    EXPECT_EQ(fileBytes(folderTarget + "/inside"), QByteArray("keep"));
    EXPECT_FALSE(WriteDeviceSettings(dir.filePath("no-such-folder/setup.ini"), DeviceSettings::defaults()));
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"setup.ini"});
}

// A write that fails half-way (here: the file size limit, which binds root too)
// must leave the previous file whole.
TEST(DeviceSettingsFile, FailedWriteLeavesTheOriginalIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("setup.ini");
    const QByteArray original = "[VIDEO_LENGTH=120]\r\n";
    writeBytes(path, original);

    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WriteDeviceSettings(path, DeviceSettings::defaults());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(fileBytes(path), original);
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"setup.ini"});
}

TEST(DeviceSettingsFile, ReadOnlyFileIsNotReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    QTemporaryDir dir;
    const QString path = dir.filePath("setup.ini");
    writeBytes(path, "[VIDEO_LENGTH=120]\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    EXPECT_FALSE(WriteDeviceSettings(path, DeviceSettings::defaults()));
    EXPECT_EQ(fileBytes(path), QByteArray("[VIDEO_LENGTH=120]\r\n"));
}

// A write killed half-way (here by the file size limit's default signal, as a
// pulled card or a killed process would stop it) leaves its temporary file.
// It carries a name no user file has, and only such files go when the dialog
// next opens the settings file.
TEST(DeviceSettingsFile, KilledWriteLeavesOnlyOurTemporaryWhichIsRemovedNextTime)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("setup.ini");
    const QByteArray original = "[VIDEO_LENGTH=120]\r\n";
    writeBytes(path, original);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit small {};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 64;
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_DFL);
        WriteDeviceSettings(path, DeviceSettings::defaults());
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "the write was not cut off";

    EXPECT_EQ(fileBytes(path), original);
    const QStringList left = folderEntries(dir.path());
    ASSERT_EQ(left.size(), 2) << left.join(", ").toStdString();
    const QString temporary = left.first() == "setup.ini" ? left.last() : left.first();
    EXPECT_TRUE(QRegularExpression("^\\.setup\\.ini\\.kestrelview-save-[0-9a-z]{8}\\.tmp$").match(temporary).hasMatch())
        << temporary.toStdString();

    // Names that only look alike, and what is not a plain file, stay.
    const QStringList lookAlikes = {
        ".setup.ini.k3x9q2.tmp",                       // no name of ours
        ".setup.ini.kestrelview-save-ABCDEFGH.tmp",
        ".setup.ini.kestrelview-save-1234567.tmp",
        ".setup.ini.kestrelview-save-123456789.tmp",
        "setup.ini.kestrelview-save-12345678.tmp",
        ".setup.ini.kestrelview-save-12345678.tmp.bak",
        ".setup.bak.kestrelview-save-12345678.tmp",    // another settings file's
        "notes.txt",
    };
    for (const QString& name : lookAlikes)
        writeBytes(dir.filePath(name), "mine");
    ASSERT_TRUE(QDir(dir.path()).mkdir(".setup.ini.kestrelview-save-abcdefgh.tmp"));
    writeBytes(dir.filePath("outside"), "target");
    ASSERT_TRUE(QFile::link(dir.filePath("outside"), dir.filePath(".setup.ini.kestrelview-save-zzzzzzzz.tmp")));

    EXPECT_EQ(RemoveStaleDeviceSettingsTemporaries(path), 1);
    QStringList expected = lookAlikes;
    expected << "setup.ini" << ".setup.ini.kestrelview-save-abcdefgh.tmp" << "outside"
             << ".setup.ini.kestrelview-save-zzzzzzzz.tmp";
    QStringList now = folderEntries(dir.path());
    now.sort();
    expected.sort();
    EXPECT_EQ(now, expected);
    EXPECT_EQ(fileBytes(path), original);
    EXPECT_EQ(fileBytes(dir.filePath("outside")), QByteArray("target"));
}

// Permission bits bind only an ordinary user (root may write anywhere), so the
// read-only cases run in a child as one: "nobody" when the test runs as root.
class ReadOnlyCardFolder : public ::testing::Test {
protected:
    static constexpr uid_t kNobody = 65534;

    void SetUp() override
    {
        ASSERT_TRUE(m_base.isValid());
        m_asRoot = ::geteuid() == 0;
        ASSERT_EQ(::chmod(QFile::encodeName(m_base.path()).constData(), 0755), 0);
        m_card = m_base.filePath("card");
        ASSERT_TRUE(QDir().mkdir(m_card));
        m_path = m_card + "/setup.ini";
        writeBytes(m_path, m_original);
        if (m_asRoot) {
            ASSERT_EQ(::chown(QFile::encodeName(m_path).constData(), kNobody, kNobody), 0);
        }
        // Root owns the folder when the test runs as root; otherwise no one may add to it.
        ASSERT_EQ(::chmod(QFile::encodeName(m_card).constData(), m_asRoot ? 0755 : 0555), 0);
        m_inode = inode();
    }
    void TearDown() override { ::chmod(QFile::encodeName(m_card).constData(), 0755); }

    ino_t inode() const
    {
        struct stat info {};
        return ::stat(QFile::encodeName(m_path).constData(), &info) == 0 ? info.st_ino : 0;
    }

    // Runs body in a child process as an ordinary user; its result is the exit code.
    int asOrdinaryUser(const std::function<int()>& body)
    {
        const pid_t child = ::fork();
        if (child < 0)
            return -1;
        if (child == 0) {
            if (m_asRoot && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                ::_exit(90);
            ::_exit(body());
        }
        int status = 0;
        if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }

    QTemporaryDir m_base;
    QString m_card;
    QString m_path;
    bool m_asRoot = false;
    ino_t m_inode = 0;
    const QByteArray m_original = "; the user's own notes\r\n[VIDEO_LENGTH=120]\r\n";
};

TEST_F(ReadOnlyCardFolder, WritableFileIsRewrittenInPlace)
{
    const int result = asOrdinaryUser([&] {
        QString why;
        return WriteDeviceSettings(m_path, DeviceSettings::defaults(), &why) ? 0 : 1;
    });
    ASSERT_NE(result, 90) << "could not become an ordinary user";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fileBytes(m_path), QByteArray(kDefaultFile));
    EXPECT_EQ(inode(), m_inode) << "rewritten in place, not replaced";
    EXPECT_EQ(folderEntries(m_card), QStringList{"setup.ini"});
}

// An in-place rewrite that the card cuts short (here: the file size limit)
// puts the old text back rather than leave half a file.
TEST_F(ReadOnlyCardFolder, InPlaceRewriteCutShortPutsTheOldTextBack)
{
    ASSERT_LT(m_original.size(), 64);
    const int result = asOrdinaryUser([&] {
        rlimit small {};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 64;
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_IGN);
        QString why;
        if (WriteDeviceSettings(m_path, DeviceSettings::defaults(), &why))
            return 1;
        return why == qt_error_string(EFBIG) ? 0 : 2;
    });
    ASSERT_NE(result, 90) << "could not become an ordinary user";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fileBytes(m_path), m_original);
    EXPECT_EQ(folderEntries(m_card), QStringList{"setup.ini"});
}

TEST_F(ReadOnlyCardFolder, ReadOnlyFileTooIsNotWrittenAndSaysWhy)
{
    ASSERT_EQ(::chmod(QFile::encodeName(m_path).constData(), 0444), 0);
    const int result = asOrdinaryUser([&] {
        QString why;
        if (WriteDeviceSettings(m_path, DeviceSettings::defaults(), &why))
            return 1;
        return why == qt_error_string(EACCES) ? 0 : 2;
    });
    ASSERT_NE(result, 90) << "could not become an ordinary user";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(fileBytes(m_path), m_original);
    EXPECT_EQ(folderEntries(m_card), QStringList{"setup.ini"});
}

TEST(DeviceSettingsFile, FailedWriteSaysWhy)
{
    QTemporaryDir dir;
    QString why;
    EXPECT_FALSE(WriteDeviceSettings(dir.filePath("no-such-folder/setup.ini"), DeviceSettings::defaults(), &why));
    EXPECT_EQ(why, qt_error_string(ENOENT));
    ASSERT_TRUE(QDir().mkdir(dir.filePath("setup.ini")));
    EXPECT_FALSE(WriteDeviceSettings(dir.filePath("setup.ini"), DeviceSettings::defaults(), &why));
    EXPECT_EQ(why, qt_error_string(EISDIR));
}

} // namespace

TEST(DeviceSettingsFile, FolderFindsSetupIniThenSetupBakInAnyCase)
{
    const struct {
        const char* name;
        std::vector<std::string> files;    // created as regular files
        std::vector<std::string> folders;  // created as folders
        const char* found;                 // nullptr: none
    } cases[] = {
        {"NothingThere", {"REC0001.asf"}, {}, nullptr},
        {"IniFirst", {"setup.bak", "setup.ini"}, {}, "setup.ini"},
        {"BakWhenNoIni", {"setup.bak"}, {}, "setup.bak"},
        {"CapitalsOfAFatCard", {"SETUP.INI"}, {}, "SETUP.INI"},
        {"FolderOfThatNameIsNoFile", {"Setup.Bak"}, {"setup.ini"}, "Setup.Bak"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        for (const std::string& f : c.files) {
            QFile file(dir.filePath(QString::fromStdString(f)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << c.name;
        }
        for (const std::string& f : c.folders)
            ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromStdString(f))) << c.name;
        const QString found = FindDeviceSettingsFile(dir.path() + QLatin1Char('/'));
        if (!c.found)
            EXPECT_TRUE(found.isEmpty()) << c.name << ": " << found.toStdString();
        else
            EXPECT_EQ(QFileInfo(found).fileName().toStdString(), c.found) << c.name;
    }
    EXPECT_TRUE(FindDeviceSettingsFile(QString()).isEmpty());
    EXPECT_TRUE(FindDeviceSettingsFile(QStringLiteral("/nonexistent/kestrel/")).isEmpty());
}
