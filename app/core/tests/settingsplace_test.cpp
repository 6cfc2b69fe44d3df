// Where the settings live: beside the program while it can write there,
// else in the user's own configuration folder.
#include "playersettings.h"
#include "privateprofile.h"
#include "programpaths.h"
#include "qstringprinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// An installed program folder owned by root (or, for an ordinary user, made
// read-only) and a user who may only write in their own home. Permission bits
// bind only an ordinary user, so root runs the user's part as "nobody".
class SettingsPlace : public ::testing::Test {
protected:
    static constexpr uid_t kNobody = 65534;

    void SetUp() override
    {
        ASSERT_TRUE(m_base.isValid());
        m_asRoot = ::geteuid() == 0;
        ASSERT_EQ(::chmod(QFile::encodeName(m_base.path()).constData(), 0755), 0);
        m_program = m_base.filePath("program") + u'/';
        m_home = m_base.filePath("home");
        ASSERT_TRUE(QDir().mkdir(m_program));
        ASSERT_TRUE(QDir().mkdir(m_home));
        if (m_asRoot) {
            ASSERT_EQ(::chown(QFile::encodeName(m_home).constData(), kNobody, kNobody), 0);
        }
        m_beside = m_program + "ZELPlayer.ini";
        m_own = m_home + "/config/kestrelview/ZELPlayer.ini";
    }
    void TearDown() override { ::chmod(QFile::encodeName(m_program).constData(), 0755); }

    void installReadOnly()
    {
        if (!m_asRoot) {
            ASSERT_EQ(::chmod(QFile::encodeName(m_program).constData(), 0555), 0);
        }
    }
    QString inUse() const { return SettingsPathInUseUnder(m_program, m_home + "/config", QString()); }

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
    QString m_program;
    QString m_home;
    QString m_beside;
    QString m_own;
    bool m_asRoot = false;
    const QByteArray m_installed = "; installed\n[VEXORAPLAYER]\nDefaultLang=0\nHelpFile=help.html\nRecordAsMile=0\n";
};

TEST_F(SettingsPlace, WritableProgramFolderKeepsTheFileBesideTheProgram)
{
    writeBytes(m_beside, m_installed);
    // Even a user file left from an earlier install does not win over it.
    ASSERT_TRUE(QDir().mkpath(m_home + "/config/kestrelview"));
    writeBytes(m_own, "[VEXORAPLAYER]\nDefaultLang=7\n");
    EXPECT_EQ(inUse(), m_beside);
    EXPECT_EQ(SettingsPathInUseUnder(m_program, QString(), m_home), m_beside);
}

TEST_F(SettingsPlace, ReadOnlyInstallMovesToTheUsersCopyOfItsFile)
{
    writeBytes(m_beside, m_installed);
    installReadOnly();
    const int result = asOrdinaryUser([&] {
        const QString path = inUse();
        if (path != m_own)
            return 1;
        if (bytesOf(path) != m_installed)
            return 2;
        // The player's settings read and write there, HelpFile and RecordAsMile included.
        PlayerSettingsPath = path;
        if (ReadDefaultLang() != 0 || ReadHelpFile() != "help.html" || ReadRecordAsMile() != 0)
            return 3;
        if (!WriteDefaultLang(5) || ReadDefaultLang() != 5)
            return 4;
        // Copied once: the user's later choices are not overwritten by the installed file.
        if (inUse() != m_own || PrivateProfile::GetInt("VEXORAPLAYER", "DefaultLang", -1, m_own) != 5)
            return 5;
        return (QFileInfo(m_home + "/config/kestrelview").permissions() & QFile::ReadOther) ? 6 : 0;
    });
    ASSERT_NE(result, 90) << "could not become an ordinary user";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(bytesOf(m_beside), m_installed) << "the installed file is never written";
}

TEST_F(SettingsPlace, ReadOnlyInstallWithoutAFileStartsAnEmptyOneUnderHome)
{
    installReadOnly();
    const int result = asOrdinaryUser([&] {
        // No XDG_CONFIG_HOME (or a relative one): ~/.config, made when missing.
        const QString expected = m_home + "/.config/kestrelview/ZELPlayer.ini";
        for (const QString& configHome : {QString(), QStringLiteral("relative/config")})
            if (SettingsPathInUseUnder(m_program, configHome, m_home) != expected)
                return 1;
        if (QFileInfo::exists(expected))
            return 2;
        PlayerSettingsPath = expected;
        return WriteShowKMHMode(1) && ReadShowKMHMode() == 1 ? 0 : 3;
    });
    ASSERT_NE(result, 90) << "could not become an ordinary user";
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(QFileInfo::exists(m_beside));
}

TEST_F(SettingsPlace, NoUsableUserFolderLeavesTheProgramFoldersFile)
{
    writeBytes(m_beside, m_installed);
    installReadOnly();
    writeBytes(m_home + "/config", "a file where the folder should be");
    const int result = asOrdinaryUser([&] {
        return SettingsPathInUseUnder(m_program, m_home + "/config", QString()) == m_beside
                       && SettingsPathInUseUnder(m_program, QString(), QString()) == m_beside
                   ? 0
                   : 1;
    });
    ASSERT_NE(result, 90) << "could not become an ordinary user";
    EXPECT_EQ(result, 0);
}

}  // namespace
