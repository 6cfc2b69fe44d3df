#include "maplanguage.h"
#include "mappage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

using namespace std::string_literals;

QByteArray bytesOf(const std::string& s) { return QByteArray(s.data(), qsizetype(s.size())); }

TEST(MapLanguage, CodesFollowTheLanguageOrder)
{
    const std::vector<std::string> expected = {"en", "zh-cn", "fr", "de", "et", "bg", "hu", "pl", "da",
                                               "ru", "fi",    "nl", "cs", "hr", "lv", "lt", "ro", "nn",
                                               "pt", "ja",    "sv", "sk", "sl", "tr", "es", "el", "it"};
    ASSERT_EQ(int(expected.size()), kMapLanguageCount);
    for (int i = 0; i < kMapLanguageCount; ++i)
        EXPECT_EQ(MapLanguageCode(i), expected[std::size_t(i)]) << i;
    for (int outside : {-1, kMapLanguageCount, 1000})
        EXPECT_STREQ(MapLanguageCode(outside), "en") << outside;
}

struct PageCase {
    const char* name;
    std::string templateText;
    int languageIndex;
    std::string page;  // without the terminating zero byte
};

class MapPageText : public ::testing::TestWithParam<PageCase> {};

TEST_P(MapPageText, ReplacesEveryLanguageAndEndsWithOneZeroByte)
{
    const PageCase& c = GetParam();
    EXPECT_EQ(MapPageBytes(bytesOf(c.templateText), c.languageIndex), bytesOf(c.page + '\0'));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MapPageText,
    ::testing::Values(
        PageCase{"SimplifiedChinese", "<html lang=\"language\"><p>language</p>", 1, "<html lang=\"zh-cn\"><p>zh-cn</p>"},
        PageCase{"English", "<html lang=\"language\"><p>language</p>", 0, "<html lang=\"en\"><p>en</p>"},
        PageCase{"InsideLongerWordsAndCaseExact", "languages metalanguage LANGUAGE Language", 3,
                 "des metade LANGUAGE Language"},
        PageCase{"AdjacentOccurrences", "languagelanguage", 26, "itit"},
        PageCase{"NoWordUnchanged", "<html>\r\n<body>map</body>\r\n</html>\r\n", 5, "<html>\r\n<body>map</body>\r\n</html>\r\n"},
        PageCase{"TextEndsAtFirstZeroByte", "a language\0language"s, 2, "a fr"},
        PageCase{"NonAsciiTextKept", "Straße language 地図", 19, "Straße ja 地図"},
        PageCase{"OutOfRangeIndexGivesEnglish", "language", 27, "en"},
        PageCase{"EmptyTemplate", "", 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MapPageLimits, TemplateIsCutAt8095Bytes)
{
    struct Case {
        std::string templateText;
        std::string page;
    };
    const std::vector<Case> cases = {
        {std::string(8095, 'a'), std::string(8095, 'a')},
        {std::string(8095, 'a') + 'b', std::string(8095, 'a')},
        {std::string(8095, 'a') + "language", std::string(8095, 'a')},
        // An occurrence cut by the limit is no longer the word.
        {std::string(8090, 'a') + "language", std::string(8090, 'a') + "langu"},
        {std::string(8087, 'a') + "language", std::string(8087, 'a') + "en"},
    };
    for (const Case& c : cases) {
        const QByteArray page = MapPageBytes(bytesOf(c.templateText), 0);
        EXPECT_EQ(page, bytesOf(c.page + '\0')) << c.templateText.size();
        EXPECT_LE(page.size(), kMapPageBufferBytes);
    }
}

TEST(MapPageLimits, PageThatOutgrowsTheBufferIsCutAtACharacterBoundary)
{
    // Invalid bytes decode to replacement characters, three bytes each again.
    for (const std::string& templateText : {std::string(8000, '\xff'), "x"s + std::string(8000, '\xff'),
                                            "xy"s + std::string(8000, '\xff')}) {
        const QByteArray page = MapPageBytes(bytesOf(templateText), 0);
        ASSERT_LE(page.size(), kMapPageBufferBytes);
        EXPECT_GE(page.size(), kMapPageBufferBytes - 3);
        EXPECT_EQ(page.back(), '\0');
        const QByteArray text = page.chopped(1);
        EXPECT_EQ(QString::fromUtf8(text).toUtf8(), text) << "no partial character at the end";
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
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class MapPageFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkdir(programFolder()));
        ASSERT_TRUE(QDir().mkdir(tempFolder()));
    }
    QString programFolder() const { return m_root.filePath("program"); }
    QString tempFolder() const { return m_root.filePath("tmp"); }
    QString pagePath() const { return tempFolder() + "/tmp-map.html"; }
    QString readyMadePage() const { return programFolder() + "/Google-earth.html"; }
    void writeTemplate(const QByteArray& text) { writeBytes(programFolder() + "/map.txt", text); }

    QTemporaryDir m_root;
};

TEST_F(MapPageFile, WritesTheSubstitutedPageToTheTemporaryFolder)
{
    writeTemplate("<html lang=\"language\"></html>");
    writeBytes(pagePath(), QByteArray(20000, 'x'));  // an older, longer page is replaced whole
    for (const QString& temp : {tempFolder(), tempFolder() + "/"}) {
        const MapPageResult result = GenerateMapPageFile(programFolder(), temp, 1);
        EXPECT_TRUE(result.templateRead);
        EXPECT_TRUE(result.pageWritten);
        EXPECT_TRUE(result.error.isEmpty());
        EXPECT_EQ(result.pagePath, pagePath());
        EXPECT_EQ(fileBytes(pagePath()), QByteArray("<html lang=\"zh-cn\"></html>", 27));
    }
    EXPECT_EQ(entries(tempFolder()), QStringList{"tmp-map.html"});
}

TEST_F(MapPageFile, UnreadableTemplateIsReportedAndTheReadyMadePageShown)
{
    for (bool templateIsFolder : {false, true}) {
        if (templateIsFolder) {
            ASSERT_TRUE(QDir().mkdir(programFolder() + "/map.txt"));
        }
        const MapPageResult result = GenerateMapPageFile(programFolder(), tempFolder(), 0);
        EXPECT_FALSE(result.templateRead);
        EXPECT_FALSE(result.pageWritten);
        EXPECT_TRUE(result.error.contains(programFolder() + "/map.txt")) << result.error.toStdString();
        EXPECT_EQ(result.pagePath, readyMadePage());
        EXPECT_TRUE(entries(tempFolder()).isEmpty());
    }
}

TEST_F(MapPageFile, UnwritableTemporaryFolderFallsBackToTheReadyMadePage)
{
    writeTemplate("language");
    writeBytes(m_root.filePath("plain-file"), "x");
    for (const QString& temp : {m_root.filePath("missing"), m_root.filePath("plain-file"), QString()}) {
        const MapPageResult result = GenerateMapPageFile(programFolder(), temp, 0);
        EXPECT_TRUE(result.templateRead) << temp.toStdString();
        EXPECT_FALSE(result.pageWritten) << temp.toStdString();
        EXPECT_TRUE(result.error.isEmpty());
        EXPECT_EQ(result.pagePath, readyMadePage()) << temp.toStdString();
    }
}

TEST_F(MapPageFile, FolderAtThePageNameFallsBackToTheReadyMadePage)
{
    writeTemplate("language");
    ASSERT_TRUE(QDir().mkdir(pagePath()));
    const MapPageResult result = GenerateMapPageFile(programFolder(), tempFolder(), 0);
    EXPECT_EQ(result.pagePath, readyMadePage());
    EXPECT_EQ(entries(tempFolder()), QStringList{"tmp-map.html"});
}

TEST_F(MapPageFile, PlantedLinkIsReplacedNotFollowed)
{
    writeTemplate("language");
    const QString victim = m_root.filePath("victim.txt");
    writeBytes(victim, "precious");
    for (const QString& target : {victim, m_root.filePath("would-be-created")}) {
        QFile::remove(pagePath());
        ASSERT_TRUE(QFile::link(target, pagePath()));
        const MapPageResult result = GenerateMapPageFile(programFolder(), tempFolder(), 0);
        EXPECT_EQ(result.pagePath, pagePath());
        EXPECT_FALSE(QFileInfo(pagePath()).isSymLink());
        EXPECT_EQ(fileBytes(pagePath()), QByteArray("en", 3));
    }
    EXPECT_EQ(fileBytes(victim), QByteArray("precious"));
    EXPECT_FALSE(QFileInfo::exists(m_root.filePath("would-be-created")));
}

// A write that fails part-way (the file size limit binds root too) shows the
// ready-made page and leaves no half page behind.
TEST_F(MapPageFile, FailedWriteFallsBackAndLeavesNoPartialFile)
{
    writeTemplate(QByteArray(4000, 'a'));
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const MapPageResult result = GenerateMapPageFile(programFolder(), tempFolder(), 0);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(result.templateRead);
    EXPECT_FALSE(result.pageWritten);
    EXPECT_EQ(result.pagePath, readyMadePage());
    EXPECT_TRUE(entries(tempFolder()).isEmpty());
}

} // namespace
