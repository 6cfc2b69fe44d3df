// The map page files the build puts beside the program.
#include "mappage.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString kProgramDir = QStringLiteral(KESTREL_PROGRAM_DIR);

TEST(MapPageFiles, TemplateFitsTheReadBufferWhole)
{
    const QByteArray page = readAll(kProgramDir + QStringLiteral("/map.txt"));
    ASSERT_FALSE(page.isEmpty());
    // One byte of the buffer stays for the terminating zero.
    EXPECT_LE(page.size(), kMapPageBufferBytes - 1);
}

TEST(MapPageFiles, TemplateIsPlainAsciiSoNoEncodingStepCanAlterIt)
{
    const QByteArray page = readAll(kProgramDir + QStringLiteral("/map.txt"));
    ASSERT_FALSE(page.isEmpty());
    for (qsizetype i = 0; i < page.size(); ++i)
        ASSERT_LT(static_cast<unsigned char>(page[i]), 0x80u) << "at byte " << i;
    EXPECT_EQ(page.indexOf('\0'), -1);
}

TEST(MapPageFiles, GeneratedPageTellsThePageItsLanguageAndDefinesSetLocation)
{
    const QByteArray page = MapPageBytes(readAll(kProgramDir + QStringLiteral("/map.txt")), 1);
    EXPECT_TRUE(page.contains("<html lang=\"zh-cn\">"));
    EXPECT_TRUE(page.contains("code: \"zh-cn\""));
    EXPECT_TRUE(page.contains("function SetLocation(lat, lon)"));
    EXPECT_FALSE(page.contains("language"));
}

TEST(MapPageFiles, ReadyMadePageIsTheTemplateInEnglish)
{
    QByteArray expected = readAll(kProgramDir + QStringLiteral("/map.txt"));
    ASSERT_FALSE(expected.isEmpty());
    expected.replace("language", "en");
    EXPECT_EQ(readAll(kProgramDir + QStringLiteral("/Google-earth.html")), expected);
}

}  // namespace
