#include "uitexttable.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

QString fromUtf16(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// Screen width in character cells: East Asian wide characters take two.
int displayWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF)
                          || (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF)
                          || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60)
                          || (u >= 0xFFE0 && u <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

// Lookups depend on CurrentLanguage; every test leaves it as it found it, so the first-start
// value survives whatever order the tests run in.
class UiTextTableTest : public ::testing::Test {
protected:
    void TearDown() override { CurrentLanguage = m_savedLanguage; }

private:
    int m_savedLanguage = CurrentLanguage;
};

} // namespace

TEST_F(UiTextTableTest, FirstStartLooksEveryTextUpInGerman)
{
    ASSERT_EQ(CurrentLanguage, kLanguageGerman);
    for (int id = 0; id < kUiTextCount; ++id)
        EXPECT_EQ(GetUiText(id), (*UiTextTable[kLanguageGerman])[id]) << "id " << id;
    EXPECT_EQ(UiText(kTextApply), QStringLiteral(u"Übernehmen"));
    EXPECT_EQ(UiText(kTextClose), QStringLiteral(u"Schließen"));
}

TEST_F(UiTextTableTest, LookupFollowsCurrentLanguage)
{
    for (int language = 0; language < kLanguageCount; ++language) {
        CurrentLanguage = language;
        for (int id = 0; id < kUiTextCount; ++id) {
            ASSERT_EQ(GetUiText(id), (*UiTextTable[language])[id])
                << "language " << language << " id " << id;
            ASSERT_EQ(UiText(id), UiTextIn(language, id)) << "language " << language << " id " << id;
        }
    }
}

TEST_F(UiTextTableTest, HasNoTextOutsideTheIdRange)
{
    const int outside[] = {-1, kUiTextCount, kUiTextCount + 1, 1000, INT_MAX, INT_MIN};
    for (const int language : {int(kLanguageEnglish), int(kLanguageGerman), int(kLanguageItalian)}) {
        CurrentLanguage = language;
        for (const int id : outside) {
            EXPECT_EQ(GetUiText(id), nullptr) << "id " << id;
            EXPECT_TRUE(UiText(id).isNull()) << "id " << id;
            EXPECT_TRUE(UiTextIn(language, id).isNull()) << "id " << id;
        }
        EXPECT_NE(GetUiText(0), nullptr);
        EXPECT_NE(GetUiText(kUiTextCount - 1), nullptr);
    }
}

TEST_F(UiTextTableTest, StrayLanguageValueReadsEnglishInsteadOfPastTheTable)
{
    for (const int language : {-1, kLanguageCount, 1000, INT_MIN, INT_MAX}) {
        CurrentLanguage = language;
        EXPECT_EQ(UiText(kTextPlay), QStringLiteral("Play")) << "language " << language;
        EXPECT_TRUE(UiTextIn(language, kTextPlay).isNull()) << "language " << language;
    }
}

TEST(UiTextTable, EveryLanguageHasEveryText)
{
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_NE(UiTextTable[language], nullptr) << "language " << language;
        for (int id = 0; id < kUiTextCount; ++id) {
            const char16_t* text = (*UiTextTable[language])[id];
            ASSERT_NE(text, nullptr) << "language " << language << " id " << id;
            EXPECT_NE(text[0], u'\0') << "language " << language << " id " << id;
        }
    }
}

TEST(UiTextTable, KeepsTheFixedEnglishAndChineseTexts)
{
    struct Case {
        int language;
        int id;
        const char16_t* expected;
    };
    const Case cases[] = {
        {kLanguageEnglish, kTextAbout, u"About ..."},
        {kLanguageEnglish, kTextRecord, u"Record"},
        {kLanguageEnglish, kTextRecording, u"Record"},
        {kLanguageEnglish, kTextExitQuestion, u"Are you sure to exit ?"},
        {kLanguageEnglish, kTextNotice, u"Notice"},
        {kLanguageEnglish, kTextApply, u"Apply"},
        {kLanguageEnglish, kTextClose, u"Close"},
        {kLanguageEnglish, kTextRecordingDuration, u"Recording Duration(seconds.)"},
        {kLanguageEnglish, kTextVideoFile, u"Video file"},
        {kLanguageEnglish, kTextProductLine, u"Vehicle DVR and GPS tracker version 3.2"},
        {kLanguageEnglish, kTextSubsectionDuration, u"Subsection Duration:"},
        {kLanguageSimplifiedChinese, kTextRecord, u"记录"},
        {kLanguageSimplifiedChinese, kTextRecording, u"录像"},
        {kLanguageSimplifiedChinese, kTextExitQuestion, u"您确定要退出吗？"},
        {kLanguageSimplifiedChinese, kTextGSensorSensitivity, u"G-Sensor灵敏度"},
        {kLanguageSimplifiedChinese, kTextXAxis, u"X 轴:"},
        {kLanguageSimplifiedChinese, kTextRecordingDuration, u"录像时长（秒）"},
        {kLanguageSimplifiedChinese, kTextProductLine, u"车载录像及GPS轨迹跟踪 V3.2"},
        {kLanguageSimplifiedChinese, kTextSubsectionDuration, u"分段时间:"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UiTextIn(c.language, c.id), fromUtf16(c.expected))
            << "language " << c.language << " id " << c.id;
}

TEST(UiTextTable, TranslationsAreNotEnglishLeftOvers)
{
    // Ids whose text may equal the English one: "ID" everywhere, plus words that really are
    // spelled the same in that language.
    struct Allowance {
        int language;
        std::set<int> ids;
    };
    const std::vector<Allowance> allowances = {
        {kLanguageFrench, {kTextPause, kTextConfiguration}},
        {kLanguageGerman, {kTextPause}},
        {kLanguageDanish, {kTextStop, kTextPause}},
        {kLanguageDutch, {kTextHelp}},
        {kLanguageNorwegian, {kTextPause}},
        {kLanguageSwedish, {kTextInformation}},
    };
    constexpr std::size_t kMaxSameAsEnglish = 4;

    for (int language = 1; language < kLanguageCount; ++language) {
        std::set<int> allowed = {kTextId};
        for (const Allowance& a : allowances)
            if (a.language == language)
                allowed.insert(a.ids.begin(), a.ids.end());
        ASSERT_LE(allowed.size(), kMaxSameAsEnglish);

        for (int id = 0; id < kUiTextCount; ++id) {
            if (UiTextIn(language, id) == UiTextIn(kLanguageEnglish, id)) {
                EXPECT_TRUE(allowed.count(id))
                    << "language " << language << " id " << id << " is still English: "
                    << UiTextIn(language, id).toStdString();
            }
        }
    }
}

TEST(UiTextTable, NoLanguageIsACopyOfAnother)
{
    // Close neighbours (Danish and Norwegian, Spanish and Portuguese) share a dozen short
    // words; a block pasted under the wrong language shares nearly all of them.
    constexpr int kMaxShared = 16;
    for (int a = 0; a < kLanguageCount; ++a) {
        for (int b = a + 1; b < kLanguageCount; ++b) {
            int shared = 0;
            for (int id = 0; id < kUiTextCount; ++id)
                shared += UiTextIn(a, id) == UiTextIn(b, id) ? 1 : 0;
            EXPECT_LE(shared, kMaxShared) << "languages " << a << " and " << b;
        }
    }
}

TEST(UiTextTable, NonLatinLanguagesWriteEveryTextInTheirScript)
{
    struct Script {
        int language;
        char16_t first;
        char16_t last;
        std::set<int> exempt;  // texts that legitimately carry no letter of the script
    };
    const Script scripts[] = {
        {kLanguageSimplifiedChinese, 0x4E00, 0x9FFF, {kTextId}},
        {kLanguageBulgarian, 0x0400, 0x04FF, {kTextId, kTextNumber}},
        {kLanguageRussian, 0x0400, 0x04FF, {kTextId, kTextNumber}},
        {kLanguageJapanese, 0x3040, 0x9FFF, {kTextId}},  // kana and kanji
        {kLanguageGreek, 0x0370, 0x03FF, {kTextId}},
    };
    for (const Script& s : scripts) {
        for (int id = 0; id < kUiTextCount; ++id) {
            if (s.exempt.count(id))
                continue;
            const QString text = UiTextIn(s.language, id);
            const bool inScript = std::any_of(text.begin(), text.end(), [&](QChar c) {
                return c.unicode() >= s.first && c.unicode() <= s.last;
            });
            EXPECT_TRUE(inScript) << "language " << s.language << " id " << id << ": "
                                  << text.toStdString();
        }
    }
}

TEST(UiTextTable, EveryStringIsCleanUtf16)
{
    std::vector<std::pair<std::string, const char16_t*>> strings;
    for (int language = 0; language < kLanguageCount; ++language) {
        for (int id = 0; id < kUiTextCount; ++id)
            strings.emplace_back("text " + std::to_string(language) + "/" + std::to_string(id),
                                 (*UiTextTable[language])[id]);
        strings.emplace_back("name " + std::to_string(language), LanguageNames[language]);
        strings.emplace_back("caption " + std::to_string(language), ChangeLanguageCaptions[language]);
    }

    for (const auto& [where, text] : strings) {
        ASSERT_NE(text, nullptr) << where;
        const QString s = fromUtf16(text);
        ASSERT_FALSE(s.isEmpty()) << where;
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar c = s.at(i);
            if (c.isHighSurrogate()) {
                EXPECT_TRUE(i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) << where;
                ++i;
                continue;
            }
            EXPECT_FALSE(c.isLowSurrogate()) << where << " unpaired surrogate at " << i;
            EXPECT_NE(c.unicode(), 0xFFFD) << where << " replacement character at " << i;
            EXPECT_GE(c.unicode(), 0x20) << where << " control character at " << i;
            EXPECT_NE(c.unicode(), 0xFEFF) << where << " byte order mark at " << i;
        }
        EXPECT_EQ(s, s.trimmed()) << where << " has surrounding white space";
        EXPECT_FALSE(s.contains(QStringLiteral("  "))) << where << " has a double space";
    }
}

TEST(UiTextTable, TextsFitTheFixedSizeWindows)
{
    struct Limit {
        std::vector<int> ids;
        int maxWidth;
        const char* where;
    };
    const Limit limits[] = {
        {{kTextEvent, kTextFileName}, 12, "record list painted labels"},
        {{kTextResolution}, 14, "information panel label 1031"},
        {{kTextApply, kTextClose}, 14, "configuration dialog buttons"},
        {{kTextPrerecordTime, kTextVideoDuration, kTextSubsectionDuration, kTextXAxis, kTextYAxis,
          kTextZAxis, kTextTimeZone, kTextDisplayText},
         24,
         "configuration dialog labels"},
        {{kTextNotice}, 24, "exit question caption"},
        {{kTextSetSystemTime}, 40, "configuration dialog check box"},
        {{kTextGSensorSensitivity, kTextRecordingDuration}, 40, "configuration dialog group boxes"},
        {{kTextImageMirror, kTextNoTimestamp, kTextTimestamp, kTextTimestampAndVersion,
          kTextOnlyTimestamp},
         56,
         "configuration dialog radio buttons"},
        {{kTextHelp, kTextMinimize, kTextExit, kTextBackToHead, kTextFrameBackward,
          kTextSkipBackward, kTextStop, kTextPause, kTextPlay, kTextSkipForward,
          kTextFrameForward, kTextJumpToBottom, kTextOpenFile, kTextSnapshot, kTextPrintImage,
          kTextConfiguration, kTextLoadSearchDirectory, kTextOpenSelectedVideo, kTextNextRecord,
          kTextPreviousRecord},
         48,
         "tooltips"},
        {{kTextProductLine}, 56, "about box"},
        {{kTextExitQuestion}, 64, "exit question"},
    };
    for (const Limit& limit : limits) {
        for (const int id : limit.ids) {
            for (int language = 0; language < kLanguageCount; ++language) {
                const QString text = UiTextIn(language, id);
                EXPECT_LE(displayWidth(text), limit.maxWidth)
                    << limit.where << ": language " << language << " id " << id << " \""
                    << text.toStdString() << "\"";
            }
        }
    }
}

TEST(UiTextTable, LabelsKeepTheirColonAndTheExitQuestionItsMark)
{
    const QString english26 = UiTextIn(kLanguageEnglish, kTextExitQuestion);
    ASSERT_TRUE(english26.endsWith(u'?'));
    for (int language = 0; language < kLanguageCount; ++language) {
        for (int id = 0; id < kUiTextCount; ++id) {
            if (!UiTextIn(kLanguageEnglish, id).endsWith(u':'))
                continue;
            const QString text = UiTextIn(language, id);
            EXPECT_TRUE(text.endsWith(u':') || text.endsWith(u'：'))
                << "language " << language << " id " << id << ": " << text.toStdString();
        }
        // Greek writes its question mark as a semicolon.
        const QString question = UiTextIn(language, kTextExitQuestion);
        const bool marked = language == kLanguageGreek
                                ? question.endsWith(u';')
                                : question.endsWith(u'?') || question.endsWith(u'？');
        EXPECT_TRUE(marked) << "language " << language << ": " << question.toStdString();
    }
}

TEST(UiTextTable, ProductLineAndCopyrightKeepTheirMarks)
{
    for (int language = 0; language < kLanguageCount; ++language) {
        const QString product = UiTextIn(language, kTextProductLine);
        EXPECT_TRUE(product.contains(QStringLiteral("GPS"))) << language;
        EXPECT_TRUE(product.contains(QStringLiteral("3.2"))) << language;
        // The Chinese product line is fixed and says "录像" where others keep "DVR".
        if (language != kLanguageSimplifiedChinese) {
            EXPECT_TRUE(product.contains(QStringLiteral("DVR"))) << language;
        }

        const QString copyright = UiTextIn(language, kTextCopyright);
        for (const QString& mark : {QStringLiteral(u"©"), QStringLiteral("2026"),
                                    QStringLiteral("Kestrelview")})
            EXPECT_TRUE(copyright.contains(mark)) << "language " << language << " lacks "
                                                  << mark.toStdString();
    }
}

TEST(LanguageNames, ListsTheTwentySevenMenuTextsThenNull)
{
    std::set<QString> seen;
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_NE(LanguageNames[language], nullptr) << language;
        EXPECT_TRUE(seen.insert(fromUtf16(LanguageNames[language])).second)
            << "duplicate menu text " << language;
    }
    EXPECT_EQ(LanguageNames[kLanguageCount], nullptr);

    struct Case {
        int language;
        const char16_t* expected;
    };
    const Case cases[] = {
        {kLanguageEnglish, u"English (English)"},
        {kLanguageSimplifiedChinese, u"简体中文 (Simplified Chinese)"},
        {kLanguageGerman, u"Deutsch (German)"},
        {kLanguageEstonian, u"Eesti (Estonia)"},
        {kLanguageHungarian, u"Magyarország (Hungary)"},
        {kLanguagePolish, u"Puolan (Polish)"},
        {kLanguageSlovak, u"Slovenského jazyka (Slovak language)"},
        {kLanguageGreek, u"Ελληνικά (Greek)"},
        {kLanguageItalian, u"Italiano (Italian)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fromUtf16(LanguageNames[c.language]), fromUtf16(c.expected)) << c.language;
}

TEST(ChangeLanguageCaptions, KeepEachLanguagesTooltip)
{
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_NE(ChangeLanguageCaptions[language], nullptr) << language;
        EXPECT_NE(ChangeLanguageCaptions[language][0], u'\0') << language;
    }

    struct Case {
        int language;
        const char16_t* expected;
    };
    const Case cases[] = {
        {kLanguageEnglish, u"Change Language"},
        {kLanguageSimplifiedChinese, u"更改语言"},
        {kLanguageGerman, u"Sprache ändern"},
        {kLanguageEstonian, u"Keele"},
        {kLanguageJapanese, u"言語を変更"},
        {kLanguageTurkish, u"Dil Değiştir"},
        {kLanguageItalian, u"Cambia lingua"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fromUtf16(ChangeLanguageCaptions[c.language]), fromUtf16(c.expected))
            << c.language;
}

TEST(ChangeLanguageCaptions, KeepTheBulgarianCaptionCodeUnitForCodeUnit)
{
    // Spelled out so nobody "corrects" the ASCII 6 and c into Cyrillic letters.
    const std::vector<char16_t> expected = {
        0x0438, 0x0437, u'6',   0x043E, 0x0440, u'/',   u'c',   0x043C, 0x044F, 0x043D,
        0x0430, u' ',   0x043D, 0x0430, u' ',   0x0435, 0x0437, 0x0438, 0x043A,
    };
    const char16_t* caption = ChangeLanguageCaptions[kLanguageBulgarian];
    ASSERT_NE(caption, nullptr);
    std::vector<char16_t> actual;
    for (const char16_t* p = caption; *p; ++p)
        actual.push_back(*p);
    EXPECT_EQ(actual, expected);
}
