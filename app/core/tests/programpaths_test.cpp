#include "programpaths.h"

#include <QDir>
#include "qstringprinter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TEST(ProgramPaths, ModuleDirectoryIsTheArgumentUpToItsLastSlash)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/kestrelview/bin/kestrelview", "/opt/kestrelview/bin/"},
        {"./kestrelview", "./"},
        {"bin/kestrelview", "bin/"},
        {"/kestrelview", "/"},
        {"/odd dir/sub/", "/odd dir/sub/"},
    };
    for (const auto& [argument, expected] : cases) {
        SCOPED_TRACE(argument);
        EXPECT_EQ(ModuleDirectoryFromArgument(QString::fromUtf8(argument)), QString::fromUtf8(expected));
    }
}

TEST(ProgramPaths, ArgumentWithoutSlashUsesTheProgramsRealFolder)
{
    const QString real = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString expected = QFileInfo(real).path() + QLatin1Char('/');
    EXPECT_EQ(ModuleDirectoryFromArgument(QStringLiteral("kestrelview")), expected);
    EXPECT_EQ(ModuleDirectoryFromArgument(QString()), expected);
    EXPECT_EQ(SettingsPathFor(ModuleDirectoryFromArgument(QStringLiteral("kestrelview"))), expected + "ZELPlayer.ini");
}

TEST(ProgramPaths, SettingsFileSitsInTheModuleDirectory)
{
    EXPECT_EQ(SettingsPathFor(QStringLiteral("/opt/kv/")), QStringLiteral("/opt/kv/ZELPlayer.ini"));
    EXPECT_EQ(SettingsPathFor(QString()), QStringLiteral("ZELPlayer.ini"));
}

class PrivateTemp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        ASSERT_TRUE(m_tmp.isValid());
    }
    QString usual() const { return m_runtime.filePath(QStringLiteral("kestrelview")); }
    QString shared() const { return m_tmp.filePath(QStringLiteral("kestrelview-%1").arg(::geteuid())); }
    QString run() const { return PrivateTempDirectoryUnder(m_runtime.path(), m_tmp.path()); }

    static void expectPrivateFolder(const QString& dir)
    {
        ASSERT_TRUE(dir.endsWith(QLatin1Char('/'))) << dir.toStdString();
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(dir.chopped(1)).constData(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_mode & 07777, 0700u);
        EXPECT_EQ(st.st_uid, ::geteuid());
    }

    QTemporaryDir m_runtime;
    QTemporaryDir m_tmp;
};

TEST_F(PrivateTemp, MakesAPrivateFolderInTheRuntimeDirectory)
{
    const QString dir = run();
    EXPECT_EQ(dir, usual() + QLatin1Char('/'));
    expectPrivateFolder(dir);
    EXPECT_EQ(run(), dir);
}

TEST_F(PrivateTemp, UsesTheSharedTemporaryRootWithoutARuntimeDirectory)
{
    for (const QString& runtime : {QString(), QStringLiteral("relative/dir")}) {
        const QString dir = PrivateTempDirectoryUnder(runtime, m_tmp.path());
        EXPECT_EQ(dir, shared() + QLatin1Char('/'));
        expectPrivateFolder(dir);
    }
}

TEST_F(PrivateTemp, TightensAFolderOfOursWithALooseMode)
{
    ASSERT_TRUE(QDir().mkdir(usual()));
    ASSERT_EQ(::chmod(QFile::encodeName(usual()).constData(), 0777), 0);
    const QString dir = run();
    EXPECT_EQ(dir, usual() + QLatin1Char('/'));
    expectPrivateFolder(dir);
}

TEST_F(PrivateTemp, NeverGoesThroughWhatSomeonePlantedThere)
{
    QTemporaryDir victim;
    ASSERT_TRUE(victim.isValid());
    ASSERT_EQ(::chmod(QFile::encodeName(victim.path()).constData(), 0755), 0);

    struct Plant
    {
        const char* what;
        std::function<void(const QString&)> make;
    };
    std::vector<Plant> plants = {
        {"link to a folder", [&](const QString& at) { ASSERT_TRUE(QFile::link(victim.path(), at)); }},
        {"dangling link", [&](const QString& at) { ASSERT_TRUE(QFile::link(victim.filePath("nothing"), at)); }},
        {"plain file", [&](const QString& at) {
             QFile file(at);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         }},
    };
    if (::geteuid() == 0) {
        plants.push_back({"folder of another user", [&](const QString& at) {
                              ASSERT_TRUE(QDir().mkdir(at));
                              ASSERT_EQ(::chown(QFile::encodeName(at).constData(), 4242, 4242), 0);
                          }});
    }

    for (const Plant& plant : plants) {
        SCOPED_TRACE(plant.what);
        QTemporaryDir runtime;
        QTemporaryDir tmp;
        const QString usualPlace = runtime.filePath(QStringLiteral("kestrelview"));
        const QString sharedPlace = tmp.filePath(QStringLiteral("kestrelview-%1").arg(::geteuid()));
        plant.make(usualPlace);
        plant.make(sharedPlace);
        const mode_t plantedMode = modeOf(usualPlace);

        const QString dir = PrivateTempDirectoryUnder(runtime.path(), tmp.path());
        ASSERT_FALSE(dir.isEmpty());
        EXPECT_TRUE(dir.startsWith(sharedPlace + QLatin1Char('-'))) << dir.toStdString();
        expectPrivateFolder(dir);
        EXPECT_EQ(modeOf(usualPlace), plantedMode);
        EXPECT_EQ(QFileInfo(dir).canonicalFilePath(), QFileInfo(dir).absoluteFilePath().chopped(1));

        // Only the runtime place blocked: the shared one is used.
        QTemporaryDir tmp2;
        EXPECT_EQ(PrivateTempDirectoryUnder(runtime.path(), tmp2.path()),
                  tmp2.filePath(QStringLiteral("kestrelview-%1/").arg(::geteuid())));
    }
    EXPECT_EQ(modeOf(victim.path()) & 07777, 0755u);
    EXPECT_TRUE(QDir(victim.path()).isEmpty());
}

class NoFollowWrite : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                            QDir::Name);
    }
    QTemporaryDir m_dir;
};

TEST_F(NoFollowWrite, WritesAndReplacesPlainFilesPrivately)
{
    ASSERT_TRUE(WriteFileNoFollow(path("map.html"), "first"));
    EXPECT_EQ(readAll(path("map.html")), QByteArray("first"));
    EXPECT_EQ(modeOf(path("map.html")) & 07777, 0600u);
    ASSERT_TRUE(WriteFileNoFollow(path("map.html"), QByteArray()));
    EXPECT_EQ(readAll(path("map.html")), QByteArray());
    EXPECT_EQ(entries(), QStringList{QStringLiteral("map.html")});
}

TEST_F(NoFollowWrite, RefusesLinksFoldersAndMissingFolders)
{
    QFile target(path("target"));
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.write("precious");
    target.close();
    ASSERT_TRUE(QFile::link(path("target"), path("link")));
    ASSERT_TRUE(QFile::link(path("nowhere"), path("dangling")));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));

    for (const char* name : {"link", "dangling", "folder", "target/below", "nofolder/file"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(WriteFileNoFollow(path(name), "attack"));
    }
    EXPECT_FALSE(WriteFileNoFollow(QString(), "x"));
    EXPECT_EQ(readAll(path("target")), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo::exists(path("nowhere")));
    EXPECT_TRUE(QFileInfo(path("link")).isSymLink());
    EXPECT_EQ(entries(), (QStringList{"dangling", "folder", "link", "target"}));
}

} // namespace
