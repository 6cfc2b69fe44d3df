#include "mapscript.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <locale.h>
#include <string>
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

// A number for JavaScript: to_chars never looks at the locale. Values that
// are no finite number become 0, which the page reads as nothing special.
void appendNumber(std::string& out, double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0.0;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    out.append(text, result.ec == std::errc() ? result.ptr : text);
}

void appendInteger(std::string& out, long long value)
{
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

void appendRoute(std::string& out, const std::vector<RoutePoint>& route)
{
    out += '[';
    bool first = true;
    for (const RoutePoint& p : route) {
        if (!first)
            out += ',';
        first = false;
        out += '[';
        appendNumber(out, p.latitude, 6);
        out += ',';
        appendNumber(out, p.longitude, 6);
        out += ',';
        appendNumber(out, p.speed, 1);
        out += ',';
        appendInteger(out, p.sampleIndex);
        out += ']';
    }
    out += ']';
}

}  // namespace

QString SetLocationScript(double latitude, double longitude)
{
    return QStringLiteral("SetLocation(\"%1\",\"%2\")").arg(fixedSixDecimals(latitude), fixedSixDecimals(longitude));
}

QString SetRouteScript(int routeId, const std::vector<RoutePoint>& route)
{
    std::string out = "SetRoute(";
    appendInteger(out, routeId);
    out += ',';
    out.reserve(out.size() + route.size() * 36 + 2);
    appendRoute(out, route);
    out += ')';
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

QString AddNeighbourRoutesScript(const std::vector<NeighbourRoute>& routes)
{
    std::string out = "AddNeighbourRoutes([";
    bool first = true;
    for (const NeighbourRoute& r : routes) {
        if (!r.second)
            continue;
        if (!first)
            out += ',';
        first = false;
        out += '[';
        appendInteger(out, r.first);
        out += ',';
        appendRoute(out, *r.second);
        out += ']';
    }
    out += "])";
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

QString SetRouteSampleScript(int sampleIndex)
{
    return QStringLiteral("SetRouteSample(%1)").arg(sampleIndex);
}

QString SetRouteUnitScript(const char* unit, double factor)
{
    std::string out = "SetRouteUnit(\"";
    // Only the program's own unit names pass; they need no escaping.
    for (const char* c = unit; c && *c; ++c)
        if ((*c >= 'a' && *c <= 'z') || *c == '/')
            out += *c;
    out += "\",";
    appendNumber(out, factor, 6);
    out += ')';
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}
