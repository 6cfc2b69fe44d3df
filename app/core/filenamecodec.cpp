#include "filenamecodec.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kReplacement = 0xFFFD;

// Length of the well-formed UTF-8 sequence at data[i] (Unicode's table 3-7:
// no overlong forms, no encoded surrogates, nothing above U+10FFFF), its code
// point in *codePoint; 0 when the byte there starts none.
int sequenceAt(const unsigned char* data, qsizetype size, qsizetype i, char32_t* codePoint)
{
    const unsigned char lead = data[i];
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    }
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > size)
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char c = data[i + k];
        if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
            return 0;
        value = (value << 6) | (c & 0x3F);
    }
    *codePoint = value;
    return length;
}

void appendUtf8(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

QString DecodeFileName(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    QString out;
    out.reserve(size);
    for (qsizetype i = 0; i < size;) {
        char32_t codePoint = 0;
        const int length = sequenceAt(data, size, i, &codePoint);
        if (length == 0) {
            out += QChar(char16_t(kEscapeBase + data[i]));
            ++i;
            continue;
        }
        if (codePoint >= 0x10000) {
            out += QChar(QChar::highSurrogate(codePoint));
            out += QChar(QChar::lowSurrogate(codePoint));
        } else {
            out += QChar(char16_t(codePoint));
        }
        i += length;
    }
    return out;
}

QByteArray EncodeFileName(QStringView name)
{
    QByteArray out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() && QChar::isLowSurrogate(name[i + 1].unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(unit, name[i + 1].unicode()));
            ++i;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            out += char(unit - kEscapeBase);
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}
