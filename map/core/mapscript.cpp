#include "mapscript.h"

#include <cstdio>
#include <locale.h>
#include <vector>

namespace {

// "%f" in the "C" locale, whatever locale the process runs in.
QString fixedSixDecimals(double value)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const locale_t previous = cLocale ? uselocale(cLocale) : locale_t(nullptr);
    const int length = std::snprintf(nullptr, 0, "%f", value);
    std::vector<char> text(std::size_t(length > 0 ? length : 0) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%f", value);
    if (previous)
        uselocale(previous);
    return QString::fromLatin1(text.data());
}

} // namespace

QString SetLocationScript(double latitude, double longitude)
{
    return QStringLiteral("SetLocation(\"%1\",\"%2\")").arg(fixedSixDecimals(latitude), fixedSixDecimals(longitude));
}
