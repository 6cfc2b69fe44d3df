// The fscanf conversions of the log reader, checked against the expected
// results and against glibc's own fscanf on the same bytes.

#include "telemetrylogscanner.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Outcome {
    bool ok = false;
    double value = 0;
    long consumed = 0;
    bool eof = false;
};

// Characters left in the scanner, taken one by one.
long drain(TelemetryLogScanner& in)
{
    return in.takeCharacters(INT_MAX);
}

Outcome scanNumber(const std::string& text)
{
    TelemetryLogScanner in(text.data(), text.size());
    Outcome o;
    o.ok = in.readNumber(o.value);
    o.eof = in.endOfFile();
    o.consumed = static_cast<long>(text.size()) - drain(in);
    return o;
}

Outcome glibcNumber(std::string text)
{
    std::FILE* file = fmemopen(text.data(), text.size(), "r");
    Outcome o;
    o.ok = std::fscanf(file, "%lf", &o.value) == 1;
    o.consumed = std::ftell(file);
    o.eof = std::feof(file) != 0;
    std::fclose(file);
    return o;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct NumberCase {
    const char* text;
    bool ok;
    double value;  // when ok
    long consumed;
    bool eof;
};

constexpr double kInf = HUGE_VAL;

const NumberCase kNumberCases[] = {
    {"1.5 ", true, 1.5, 3, false},
    {"  \n\t-0.034,", true, -0.034, 10, false},
    {"+12", true, 12, 3, true},
    {".5", true, 0.5, 2, true},
    {"5.", true, 5, 2, true},
    {"1.2.3", true, 1.2, 3, false},
    {"1,5", true, 1, 1, false},
    {"1e ", true, 1, 2, false},        // a dangling exponent stays consumed
    {"1e+ ", true, 1, 3, false},
    {"1e+5x", true, 1e5, 4, false},
    {"1E-2", true, 0.01, 4, true},
    {"1e5e6", true, 1e5, 3, false},
    {"-x", false, 0, 1, false},        // the sign stays consumed
    {"-", false, 0, 1, true},
    {". ", false, 0, 1, false},
    {"+.e1", false, 0, 2, false},
    {"e5", false, 0, 0, false},        // nothing consumed: the input stays put
    {"N22", false, 0, 2, false},       // "N2": taken as the start of "nan"
    {"GPS", false, 0, 0, false},
    {"", false, 0, 0, true},
    {" \n ", false, 0, 3, true},
    {"nan", true, NAN, 3, false},      // no look-ahead after "nan"
    {"-NaN(1)", true, -NAN, 4, false},
    {"nax", false, 0, 3, false},
    {"na", false, 0, 2, true},
    {"inf", true, kInf, 3, true},
    {"-infx", true, -kInf, 4, false},
    {"INFINITY9", true, kInf, 8, false},
    {"infix", false, 0, 5, false},
    {"0x1p3", true, 8, 5, true},
    {"0X1.8P+1z", true, 3, 8, false},
    {"0x.p", true, 0, 3, false},
    {"0x", false, 0, 2, true},
    {"0xp", false, 0, 2, false},
    {"00x1", true, 0, 2, false},
    {"0x1g", true, 1, 3, false},
    {"1e999", true, kInf, 5, true},
    {"-1e-400", true, -0.0, 7, true},
    {"4e-320", true, 4e-320, 6, true},
    {"12345678901234567890123456789", true, 12345678901234567890123456789.0, 29, true},
    {"0.1000000000000000055511151231257827021181583404541015625000000000000000000001", true, 0.1, 78, true},
};

class ScannerNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(ScannerNumber, ConvertsLikeGlibcFscanf)
{
    const NumberCase& c = GetParam();
    const Outcome got = scanNumber(c.text);
    EXPECT_EQ(got.ok, c.ok);
    EXPECT_EQ(got.consumed, c.consumed);
    EXPECT_EQ(got.eof, c.eof);
    if (c.ok && got.ok) {
        if (std::isnan(c.value)) {
            EXPECT_TRUE(std::isnan(got.value) && std::signbit(got.value) == std::signbit(c.value));
        } else {
            EXPECT_TRUE(sameBits(got.value, c.value)) << got.value;
        }
    }

    const Outcome glibc = glibcNumber(c.text);
    EXPECT_EQ(got.ok, glibc.ok);
    EXPECT_EQ(got.consumed, glibc.consumed);
    EXPECT_EQ(got.eof, glibc.eof);
    if (got.ok && glibc.ok) {
        EXPECT_TRUE(sameBits(got.value, glibc.value)) << got.value << " vs " << glibc.value;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ScannerNumber, testing::ValuesIn(kNumberCases));

TEST(ScannerNumber, FailedConversionLeavesTheValueAlone)
{
    const std::string text = "-x";
    TelemetryLogScanner in(text.data(), text.size());
    double value = 42;
    EXPECT_FALSE(in.readNumber(value));
    EXPECT_EQ(value, 42);
}

TEST(ScannerNumber, NumbersOfKilobytesConvertLikeShortOnes)
{
    const std::string digits = "1" + std::string(5000, '0') + "e-5000 ";
    EXPECT_TRUE(sameBits(scanNumber(digits).value, 1.0));
    const std::string hex = "0x" + std::string(3000, 'f') + "p-12000 ";
    const Outcome got = scanNumber(hex);
    const Outcome glibc = glibcNumber(hex);
    EXPECT_TRUE(got.ok);
    EXPECT_EQ(got.consumed, glibc.consumed);
    EXPECT_TRUE(sameBits(got.value, glibc.value));
}

struct TokenCase {
    const char* name;
    std::string text;
    int calls;
    bool lastResult;
    long left;
    bool eof;
};

const TokenCase kTokenCases[] = {
    {"EndsAtWhitespace", "  abc def", 1, true, 4, false},
    {"EndsAtTheEnd", "abc", 1, true, 0, true},
    {"WhitespaceOnly", " \r\n\t ", 1, false, 0, true},
    {"Empty", "", 1, false, 0, true},
    {"NinetyNineInOnePiece", std::string(99, 'a') + " ", 1, true, 1, false},
    {"HundredLeavesOne", std::string(100, 'a') + " ", 2, true, 1, false},
    {"ThreeHundredInFourPieces", std::string(300, 'a'), 4, true, 0, true},
    {"ThreeHundredFirstPiece", std::string(300, 'a'), 1, true, 201, false},
    {"NulBytesAreCharacters", std::string("a\0b c", 5), 1, true, 2, false},
};

class ScannerToken : public testing::TestWithParam<TokenCase> {};

TEST_P(ScannerToken, TakesAtMostNinetyNineCharacters)
{
    const TokenCase& c = GetParam();
    TelemetryLogScanner in(c.text.data(), c.text.size());
    bool result = false;
    for (int i = 0; i < c.calls; ++i)
        result = in.skipToken();
    EXPECT_EQ(result, c.lastResult);
    EXPECT_EQ(in.endOfFile(), c.eof);
    EXPECT_EQ(drain(in), c.left);
}

INSTANTIATE_TEST_SUITE_P(Table, ScannerToken, testing::ValuesIn(kTokenCases),
                         [](const testing::TestParamInfo<TokenCase>& info) { return std::string(info.param.name); });

struct CharactersCase {
    const char* name;
    std::string text;
    int count;
    int taken;
    int last;
    bool eof;
};

const CharactersCase kCharactersCases[] = {
    {"TakesWhitespaceAsItComes", " \tab", 3, 3, 'a', false},
    {"ReadsWhatIsLeftAtTheEnd", "ab", 3, 2, 'b', true},
    {"NothingAtTheEnd", "", 1, 0, -1, true},
    {"CarriageReturnBeforeLineFeedIsDropped", "\r\nX", 1, 1, '\n', false},
    {"OnlyTheReturnRightBeforeTheFeed", "\r\r\n", 2, 2, '\n', false},
    {"LoneCarriageReturnStays", "a\rb", 2, 2, '\r', false},
    {"CarriageReturnAtTheEndStays", "a\r", 2, 2, '\r', false},
    {"CountsTranslatedCharacters", "x\r\ny\r\nz", 5, 5, 'z', false},
};

class ScannerCharacters : public testing::TestWithParam<CharactersCase> {};

TEST_P(ScannerCharacters, TakesExactlyTheCount)
{
    const CharactersCase& c = GetParam();
    TelemetryLogScanner in(c.text.data(), c.text.size());
    int last = -1;
    EXPECT_EQ(in.takeCharacters(c.count, &last), c.taken);
    EXPECT_EQ(last, c.last);
    EXPECT_EQ(in.endOfFile(), c.eof);
}

INSTANTIATE_TEST_SUITE_P(Table, ScannerCharacters, testing::ValuesIn(kCharactersCases),
                         [](const testing::TestParamInfo<CharactersCase>& info) { return std::string(info.param.name); });

TEST(ScannerText, CarriageReturnBeforeLineFeedIsWhitespaceToNumbersAndTokens)
{
    const std::string text = "A\r\n1.5\r\n";
    TelemetryLogScanner in(text.data(), text.size());
    double value = 0;
    EXPECT_TRUE(in.skipToken());
    EXPECT_TRUE(in.readNumber(value));
    EXPECT_EQ(value, 1.5);
    int last = 0;
    EXPECT_EQ(in.takeCharacters(1, &last), 1);
    EXPECT_EQ(last, '\n');
    EXPECT_FALSE(in.endOfFile());
}

}  // namespace
