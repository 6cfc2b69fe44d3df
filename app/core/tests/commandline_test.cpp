#include "commandline.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

CommandLine Parse(const QStringList& arguments)
{
    QStringList withProgram{QStringLiteral("/opt/kestrelview/kestrelview")};
    withProgram += arguments;
    return ParseCommandLine(withProgram, QStringLiteral("1.2.3"));
}

TEST(CommandLine, HelpAndVersionPrintAndEndWithZero)
{
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const CommandLine line = Parse({QStringLiteral("card/"), option});
        EXPECT_TRUE(line.exitAtOnce);
        EXPECT_EQ(line.exitCode, 0);
        EXPECT_TRUE(line.output.startsWith(QStringLiteral("Usage: kestrelview"))) << line.output.toStdString();
        EXPECT_TRUE(line.output.contains(QStringLiteral("--version")));
        EXPECT_TRUE(line.error.isEmpty());
    }
    const CommandLine version = Parse({QStringLiteral("--version")});
    EXPECT_TRUE(version.exitAtOnce);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, QStringLiteral("kestrelview 1.2.3\n"));
}

TEST(CommandLine, UnknownOptionIsOneLineAndExitTwo)
{
    for (const QString& option : {QStringLiteral("--fullscreen"), QStringLiteral("-x"), QStringLiteral("--help=me")}) {
        const CommandLine line = Parse({option, QStringLiteral("REC0001.asf")});
        EXPECT_TRUE(line.exitAtOnce) << option.toStdString();
        EXPECT_EQ(line.exitCode, 2);
        EXPECT_TRUE(line.output.isEmpty());
        EXPECT_FALSE(line.error.isEmpty());
        EXPECT_FALSE(line.error.contains(u'\n')) << line.error.toStdString();
        EXPECT_TRUE(line.error.contains(option.section(u'=', 0, 0).remove(u'-'))) << line.error.toStdString();
        EXPECT_TRUE(line.paths.isEmpty());
    }
}

TEST(CommandLine, PathsInTheirOrderAndAfterDoubleDash)
{
    const CommandLine line = Parse({QStringLiteral("b.asf"), QStringLiteral("a.asf"), QStringLiteral("--"),
                                    QStringLiteral("--odd-name.asf")});
    EXPECT_FALSE(line.exitAtOnce);
    EXPECT_EQ(line.paths, (QStringList{QStringLiteral("b.asf"), QStringLiteral("a.asf"),
                                       QStringLiteral("--odd-name.asf")}));
    EXPECT_TRUE(Parse({}).paths.isEmpty());
    EXPECT_FALSE(Parse({}).exitAtOnce);
    EXPECT_TRUE(ParseCommandLine({}, QStringLiteral("1")).paths.isEmpty());
}

TEST(CommandLine, ToolkitOptionsAreLetThrough)
{
    const CommandLine line = Parse({QStringLiteral("-platform"), QStringLiteral("offscreen"),
                                    QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("-reverse"),
                                    QStringLiteral("card")});
    EXPECT_FALSE(line.exitAtOnce) << line.error.toStdString();
    EXPECT_EQ(line.paths, QStringList{QStringLiteral("card")});
}

class ClassifyPathsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString root;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + u'/';
        ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("card")));
        ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("other card")));
        for (const char* name : {"card/REC0001.asf", "card/REC0002.ASF", "card/REC0001.LOG", "other card/REC0009.asf"}) {
            QFile file(root + QLatin1String(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    PathOpening Classify(const QStringList& paths) const
    {
        return ClassifyPaths(paths, root, [](const QString& name) { return name.toLower().endsWith(".asf"); });
    }
};

TEST_F(ClassifyPathsTest, FolderIsListed)
{
    for (const QString& given : {QStringLiteral("card"), QStringLiteral("card/"), root + QStringLiteral("card"),
                                 QStringLiteral("./card/../card")}) {
        const PathOpening opening = Classify({given});
        EXPECT_EQ(opening.kind, PathOpening::Kind::Folder) << given.toStdString();
        EXPECT_EQ(opening.folder, root + QStringLiteral("card/"));
        EXPECT_TRUE(opening.files.isEmpty());
        EXPECT_TRUE(opening.unusable.isEmpty());
    }
    // Of several folders the last is listed.
    EXPECT_EQ(Classify({QStringLiteral("card"), QStringLiteral("other card")}).folder,
              root + QStringLiteral("other card/"));
}

TEST_F(ClassifyPathsTest, OneRecordingListsItsFolder)
{
    const PathOpening opening = Classify({QStringLiteral("card/REC0002.ASF")});
    EXPECT_EQ(opening.kind, PathOpening::Kind::Recording);
    EXPECT_EQ(opening.folder, root + QStringLiteral("card/"));
    EXPECT_EQ(opening.files, QStringList{root + QStringLiteral("card/REC0002.ASF")});
    // The same file twice is one recording; a folder beside it is not listed.
    const PathOpening twice = Classify({QStringLiteral("other card"), QStringLiteral("card/REC0001.asf"),
                                        root + QStringLiteral("card/REC0001.asf")});
    EXPECT_EQ(twice.kind, PathOpening::Kind::Recording);
    EXPECT_EQ(twice.files, QStringList{root + QStringLiteral("card/REC0001.asf")});
}

TEST_F(ClassifyPathsTest, SeveralRecordingsActAsTheOpenFileCommand)
{
    const PathOpening opening = Classify({QStringLiteral("other card/REC0009.asf"), QStringLiteral("card/REC0001.asf")});
    EXPECT_EQ(opening.kind, PathOpening::Kind::Recordings);
    EXPECT_EQ(opening.files, (QStringList{root + QStringLiteral("other card/REC0009.asf"),
                                          root + QStringLiteral("card/REC0001.asf")}));
}

TEST_F(ClassifyPathsTest, MissingAndForeignPathsAreNamedAndLeftOut)
{
    const PathOpening opening = Classify({QStringLiteral("card/REC0404.asf"), QStringLiteral("card/REC0001.LOG"),
                                          QStringLiteral("card/REC0001.asf")});
    EXPECT_EQ(opening.kind, PathOpening::Kind::Recording);
    ASSERT_EQ(opening.unusable.size(), 2);
    EXPECT_EQ(opening.unusable[0].path, QStringLiteral("card/REC0404.asf"));
    EXPECT_FALSE(opening.unusable[0].exists);
    EXPECT_TRUE(opening.unusable[1].exists);
    const QString message = UnusablePathsMessage(opening.unusable);
    EXPECT_EQ(message, QStringLiteral("Not found: card/REC0404.asf\nNot a recording: card/REC0001.LOG"));

    const PathOpening nothing = Classify({QStringLiteral("nowhere/")});
    EXPECT_EQ(nothing.kind, PathOpening::Kind::Nothing);
    EXPECT_EQ(nothing.unusable.size(), 1);
    EXPECT_TRUE(UnusablePathsMessage({}).isEmpty());
    EXPECT_EQ(Classify({}).kind, PathOpening::Kind::Nothing);
}

}  // namespace
