#include "filenamecodec.h"

#include "qstringprinter.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(FileNameCodec, ValidUtf8DecodesAsUsual)
{
    for (const char* name : {"", "REC0001.asf", "Fahrt-\xc3\xbc.ASF", "\xe2\x82\xac 5", "clip-\xf0\x9f\x98\x80.asf",
                             "\xef\xbf\xbd", "\xf4\x8f\xbf\xbf"}) {
        const QByteArray bytes(name);
        EXPECT_EQ(DecodeFileName(bytes), QString::fromUtf8(bytes)) << name;
        EXPECT_EQ(EncodeFileName(DecodeFileName(bytes)), bytes) << name;
    }
}

TEST(FileNameCodec, EveryOtherByteIsKeptAsALoneSurrogate)
{
    struct Case {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"\xe9t\xe9.asf", QString::fromUtf16(u"\xdce9t\xdce9.asf")},                          // Latin-1
        {"\x80", QString::fromUtf16(u"\xdc80")},                                              // lone continuation
        {"\xff\xfe", QString::fromUtf16(u"\xdcff\xdcfe")},
        {"\xe2\x82", QString::fromUtf16(u"\xdce2\xdc82")},                                    // cut short
        {"\xe2\x82" "A", QString::fromUtf16(u"\xdce2\xdc82" "A")},
        {"\xc0\xaf", QString::fromUtf16(u"\xdcc0\xdcaf")},                                    // overlong '/'
        {"\xed\xa0\x80", QString::fromUtf16(u"\xdced\xdca0\xdc80")},                          // an encoded surrogate
        {"\xed\xb3\xa9", QString::fromUtf16(u"\xdced\xdcb3\xdca9")},                          // ... even U+DCE9 itself
        {"\xf4\x90\x80\x80", QString::fromUtf16(u"\xdcf4\xdc90\xdc80\xdc80")},                // above U+10FFFF
        {"\xf0\x9f\x98\x80\xe9", QString::fromUtf16(u"\U0001F600\xdce9")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeFileName(c.bytes), c.text) << c.bytes.toHex().constData();
        EXPECT_EQ(EncodeFileName(c.text), c.bytes) << c.bytes.toHex().constData();
    }
}

TEST(FileNameCodec, AnyBytesComeBackExactly)
{
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(random() % 24), '\0');
        for (char& b : bytes)
            b = char(1 + random() % 255);
        ASSERT_EQ(EncodeFileName(DecodeFileName(bytes)), bytes) << bytes.toHex().constData();
    }
}

TEST(FileNameCodec, OrdinaryTextEncodesAsUtf8)
{
    for (const QString& text : {QStringLiteral("/media/card/DCIM"), QString::fromUtf8("\xc3\x84rger \xe2\x82\xac"),
                                QString::fromUtf16(u"\U0001F600")})
        EXPECT_EQ(EncodeFileName(text), QFile::encodeName(text));
    // Lone surrogates that stand for no byte cannot reach a disk name as such.
    EXPECT_EQ(EncodeFileName(QString::fromUtf16(u"a\xd800" "b")), QByteArray("a\xef\xbf\xbd" "b"));
    EXPECT_EQ(EncodeFileName(QString::fromUtf16(u"\xdc41")), QByteArray("\xef\xbf\xbd"));
}

} // namespace
