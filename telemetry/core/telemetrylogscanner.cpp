#include "telemetrylogscanner.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>
#include <system_error>

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

// The "C" locale's classes; the log is 8-bit text in the camera's own syntax.
inline bool isSpace(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

inline bool isHexDigit(int c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

inline int toLower(int c)
{
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

// The characters of one number as fscanf collects them before converting.
// Numbers of a sane length stay on the stack; only an absurdly long one
// (kilobytes of digits) costs an allocation.
class NumberText {
public:
    void push(char c)
    {
        if (m_size < kInline) {
            m_inline[m_size++] = c;
            return;
        }
        if (m_size == kInline)
            m_long.assign(m_inline, kInline);
        m_long.push_back(c);
        ++m_size;
    }
    std::size_t size() const { return m_size; }
    const char* data() const { return m_size <= kInline ? m_inline : m_long.data(); }
    char back() const { return data()[m_size - 1]; }

private:
    static constexpr std::size_t kInline = 64;
    char m_inline[kInline];
    std::string m_long;
    std::size_t m_size = 0;
};

// strtod in the "C" locale, for the rare numbers std::from_chars reports as out
// of range: strtod then gives what glibc's fscanf stores (an infinity, a
// subnormal or a signed zero).
double strtodC(const char* text, std::size_t size)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const std::string copy(text, size);
    return strtod_l(copy.c_str(), nullptr, cLocale);
}

// Converts what fscanf collected, as its final strtod call does: the longest
// prefix that forms a number counts; nothing convertible is a failure.
bool convertNumber(const NumberText& text, bool hex, double& value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* p = begin;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    double magnitude = 0;
    std::from_chars_result result{};
    if (hex) {
        p += 2;  // "0x"
        result = std::from_chars(p, end, magnitude, std::chars_format::hex);
        // "0x." has no digit after the prefix: strtod converts its "0" alone.
        if (result.ec == std::errc::invalid_argument) {
            value = negative ? -0.0 : 0.0;
            return true;
        }
    } else {
        result = std::from_chars(p, end, magnitude, std::chars_format::general);
        if (result.ec == std::errc::invalid_argument)
            return false;
    }
    if (result.ec == std::errc::result_out_of_range) {
        value = strtodC(begin, text.size());
        return true;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

TelemetryLogScanner::TelemetryLogScanner(const char* data, std::size_t size)
    : m_begin(reinterpret_cast<const unsigned char*>(data)), m_pos(m_begin), m_end(m_pos + (data ? size : 0))
{
}

TelemetryLogScanner::TelemetryLogScanner(std::FILE* file)
    : m_file(file), m_chunk(std::make_unique<unsigned char[]>(kChunkSize + 1))
{
    m_chunk[0] = 0;
    m_pos = m_end = m_chunk.get() + 1;
}

TelemetryLogScanner::~TelemetryLogScanner() = default;

bool TelemetryLogScanner::refill()
{
    if (!m_file)
        return false;
    // Keep the byte before m_pos so that unget() stays valid across chunks.
    const unsigned char carry = m_pos[-1];
    const std::size_t n = std::fread(m_chunk.get() + 1, 1, kChunkSize, m_file);
    if (n == 0)
        return false;
    m_chunk[0] = carry;
    m_pos = m_chunk.get() + 1;
    m_end = m_pos + n;
    return true;
}

// One character as a text-mode stream delivers it: a carriage return right
// before a line feed is dropped. -1 at the end, which sets the indicator.
inline int TelemetryLogScanner::get()
{
    if (m_pos == m_end && (m_eof || !refill())) {
        m_eof = true;
        return -1;
    }
    int c = *m_pos++;
    if (c == '\r' && (m_pos != m_end || refill()) && *m_pos == '\n')
        c = *m_pos++;
    return c;
}

// Skips whitespace and returns the first other character, consumed; -1 at the end.
inline int TelemetryLogScanner::skipSpace()
{
    int c;
    do
        c = get();
    while (c >= 0 && isSpace(c));
    return c;
}

// Matches the rest of "nan" / "inf" / "infinity" letter by letter. Like
// glibc, a letter that does not match is consumed with the failure.
bool TelemetryLogScanner::expectLetters(const char* lowerCase)
{
    for (const char* l = lowerCase; *l; ++l) {
        const int c = get();
        if (c < 0 || toLower(c) != *l)
            return false;
    }
    return true;
}

bool TelemetryLogScanner::skipToken()
{
    int c = skipSpace();
    if (c < 0)
        return false;
    for (int taken = 1; taken < kTokenLimit; ++taken) {
        c = get();
        if (c < 0)
            return true;
        if (isSpace(c)) {
            unget();
            return true;
        }
    }
    return true;
}

int TelemetryLogScanner::takeCharacters(int count, int* last)
{
    int taken = 0;
    while (taken < count) {
        const int c = get();
        if (c < 0)
            break;
        if (last)
            *last = c;
        ++taken;
    }
    return taken;
}

bool TelemetryLogScanner::readNumber(double& value)
{
    int c = skipSpace();
    if (c < 0)
        return false;

    NumberText text;
    bool gotSign = false;
    bool negative = false;
    if (c == '-' || c == '+') {
        gotSign = true;
        negative = c == '-';
        text.push(static_cast<char>(c));
        c = get();
        if (c < 0)
            return false;
    }

    if (toLower(c) == 'n') {
        // "nan": no look-ahead after the last letter.
        if (!expectLetters("an"))
            return false;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        value = negative ? -nan : nan;
        return true;
    }
    if (toLower(c) == 'i') {
        if (!expectLetters("nf"))
            return false;
        // "inf" may go on to "infinity"; once an 'i' follows, it must.
        c = get();
        if (c >= 0) {
            if (toLower(c) == 'i') {
                if (!expectLetters("nity"))
                    return false;
            } else {
                unget();
            }
        }
        const double inf = std::numeric_limits<double>::infinity();
        value = negative ? -inf : inf;
        return true;
    }

    // Plain decimals (no exponent, at most 15 significant digits, at most 22
    // decimals) are exact as integer / power of ten, and one IEEE division
    // rounds that correctly: the common case converts without from_chars.
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int kExactDigits = 15;
    constexpr int kMostDecimals = 22;
    bool plain = true;
    std::uint64_t mantissa = 0;
    int significantDigits = 0;
    int decimals = 0;

    bool hex = false;
    bool gotDigit = false;
    bool gotDot = false;
    bool gotExponent = false;
    char exponentChar = 'e';
    if (c == '0') {
        text.push('0');
        c = get();
        if (c >= 0 && toLower(c) == 'x') {
            text.push(static_cast<char>(c));
            hex = true;
            plain = false;
            exponentChar = 'p';
            c = get();
        } else {
            gotDigit = true;
        }
    }

    while (c >= 0) {
        if (isDigit(c) || (hex && !gotExponent && isHexDigit(c))) {
            text.push(static_cast<char>(c));
            gotDigit = true;
            if (plain) {
                if (significantDigits == kExactDigits) {
                    plain = false;
                } else {
                    mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
                    significantDigits += mantissa != 0;
                    decimals += gotDot;
                }
            }
        } else if (gotExponent && text.back() == exponentChar && (c == '-' || c == '+')) {
            text.push(static_cast<char>(c));
        } else if (gotDigit && !gotExponent && toLower(c) == exponentChar) {
            text.push(exponentChar);
            gotExponent = gotDot = true;
            plain = false;
        } else if (c == '.' && !gotDot) {
            text.push('.');
            gotDot = true;
        } else {
            unget();
            break;
        }
        c = get();
    }

    // Nothing after the sign, or a bare "0x", is a failure before conversion.
    const std::size_t prefix = gotSign ? 1 : 0;
    if (text.size() == prefix || (hex && text.size() == prefix + 2))
        return false;
    if (plain && gotDigit && decimals <= kMostDecimals) {
        const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
        value = negative ? -magnitude : magnitude;
        return true;
    }
    return convertNumber(text, hex, value);
}
