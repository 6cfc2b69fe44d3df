#include "playertexts.h"
#include "uitexttable.h"

#include <gtest/gtest.h>

#include <QString>

#include <set>

namespace {

class PlayerTextsTest : public ::testing::Test {
protected:
    void TearDown() override { CurrentLanguage = m_savedLanguage; }

private:
    int m_savedLanguage = CurrentLanguage;
};

}  // namespace

TEST_F(PlayerTextsTest, LookupFollowsCurrentLanguage)
{
    CurrentLanguage = kLanguageGerman;
    EXPECT_EQ(PlayerText(kPlayerTextSnapshotSaved), QStringLiteral(u"Schnappschuss gespeichert"));
    CurrentLanguage = kLanguageEnglish;
    EXPECT_EQ(PlayerText(kPlayerTextContinuousPlay), QStringLiteral(u"Continuous play"));
    EXPECT_EQ(PlayerText(kPlayerTextSpeed), QStringLiteral(u"Speed"));
}

TEST_F(PlayerTextsTest, StrayLanguageAndIdsReadEnglishOrNothing)
{
    CurrentLanguage = 99;
    EXPECT_EQ(PlayerText(kPlayerTextSnapshotSaved), QStringLiteral(u"Snapshot saved"));
    CurrentLanguage = kLanguageFrench;
    EXPECT_TRUE(PlayerText(-1).isEmpty());
    EXPECT_TRUE(PlayerText(kPlayerTextCount).isEmpty());
    EXPECT_TRUE(PlayerTextIn(kLanguageCount, kPlayerTextSpeed).isEmpty());
    EXPECT_TRUE(PlayerTextIn(-1, kPlayerTextSpeed).isEmpty());
}

TEST(PlayerTexts, EveryLanguageShowsATextForEveryId)
{
    for (int language = 0; language < kLanguageCount; ++language) {
        for (int id = 0; id < kPlayerTextCount; ++id) {
            const QString text = PlayerTextIn(language, id);
            EXPECT_FALSE(text.trimmed().isEmpty()) << "language " << language << " id " << id;
            EXPECT_EQ(text, text.trimmed()) << "language " << language << " id " << id;
            EXPECT_FALSE(text.contains(QChar::ReplacementCharacter)) << "language " << language << " id " << id;
        }
    }
}

TEST(PlayerTexts, TranslationsAreTheirOwnNotEnglishLeftOvers)
{
    // A language with a text of its own must not just repeat the English one.
    for (int language = 1; language < kLanguageCount; ++language) {
        for (int id = 0; id < kPlayerTextCount; ++id) {
            if (HasOwnPlayerText(language, id)) {
                EXPECT_NE(PlayerTextIn(language, id), PlayerTextIn(kLanguageEnglish, id))
                    << "language " << language << " id " << id;
            }
        }
    }
    // The ids do not share a wording within a language.
    for (int language = 0; language < kLanguageCount; ++language) {
        std::set<QString> seen;
        for (int id = 0; id < kPlayerTextCount; ++id)
            EXPECT_TRUE(seen.insert(PlayerTextIn(language, id)).second) << "language " << language << " id " << id;
    }
}

TEST(PlayerTexts, NonLatinLanguagesWriteInTheirScript)
{
    const struct {
        int language;
        QChar::Script script;
    } scripts[] = {
        {kLanguageRussian, QChar::Script_Cyrillic},   {kLanguageBulgarian, QChar::Script_Cyrillic},
        {kLanguageGreek, QChar::Script_Greek},        {kLanguageSimplifiedChinese, QChar::Script_Han},
    };
    for (const auto& s : scripts) {
        for (int id = 0; id < kPlayerTextCount; ++id) {
            const QString text = PlayerTextIn(s.language, id);
            ASSERT_FALSE(text.isEmpty());
            EXPECT_EQ(text.at(0).script(), s.script) << "language " << s.language << " id " << id;
        }
    }
}
