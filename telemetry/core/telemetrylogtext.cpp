#include "telemetrylogtext.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kAfterDateCharacters = 22;

bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The fields before the first number: two tokens and the 22 characters after them.
std::string_view discardedPrefix(std::string_view text)
{
    std::size_t p = 0;
    for (int token = 0; token < 2; ++token) {
        while (p < text.size() && isSpace(text[p]))
            ++p;
        while (p < text.size() && !isSpace(text[p]))
            ++p;
    }
    return text.substr(0, std::min(text.size(), p + kAfterDateCharacters));
}

int number(const std::string& digits)
{
    return std::stoi(digits);
}

}  // namespace

std::string_view TelemetryLogText::pass(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= passStarts.size())
        return {};
    const std::size_t begin = std::min(passStarts[index], bytes.size());
    const std::size_t end = std::min(passStarts[index + 1], bytes.size());
    return std::string_view(bytes).substr(begin, end > begin ? end - begin : 0);
}

bool ReadTelemetryLogText(const char* path, TelemetryLogText& text, TelemetryTrack& track,
                          TelemetryParseReport* report)
{
    const int fd = OpenTelemetryLogFile(path);
    if (fd < 0)
        return false;
    text.bytes.clear();
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        // A read error ends the input like the end of the file, as for the player's reader.
        if (n <= 0)
            break;
        text.bytes.append(chunk, static_cast<std::size_t>(n));
        if (text.bytes.size() >= kTelemetryLogTextLimit) {
            text.bytes.resize(kTelemetryLogTextLimit);
            break;
        }
    }
    ::close(fd);
    ParseTelemetryLog(text.bytes.data(), text.bytes.size(), track, report, &text.passStarts);
    return true;
}

std::string CutTelemetryLog(const TelemetryLogText& text, int first, int end)
{
    std::string out;
    const int passes = static_cast<int>(text.passStarts.size()) - 1;
    first = std::max(first, 0);
    end = std::min(end, passes);
    if (end <= first)
        return out;
    const std::size_t begin = std::min(text.passStarts[first], text.bytes.size());
    const std::size_t stop = std::min(text.passStarts[end], text.bytes.size());
    std::string_view bytes = std::string_view(text.bytes).substr(begin, stop - begin);
    while (!bytes.empty() && isSpace(bytes.front()))
        bytes.remove_prefix(1);
    while (!bytes.empty() && isSpace(bytes.back()))
        bytes.remove_suffix(1);
    out.assign(bytes);
    out += "\r\n";
    return out;
}

std::optional<std::string> RecordDateTime(std::string_view passText)
{
    static const std::regex kDate(R"((^|[^0-9])((?:19|20)[0-9]{2})([-/]?)([0-9]{2})\3([0-9]{2})($|[^0-9]))");
    static const std::regex kTime(R"((^|[^0-9])([0-9]{2}):([0-9]{2}):([0-9]{2})(\.[0-9]{1,9})?($|[^0-9]))");
    const std::string prefix(discardedPrefix(passText));
    std::smatch date;
    std::smatch time;
    if (!std::regex_search(prefix, date, kDate) || !std::regex_search(prefix, time, kTime))
        return std::nullopt;
    const int month = number(date[4]);
    const int day = number(date[5]);
    const int hour = number(time[2]);
    const int minute = number(time[3]);
    const int second = number(time[4]);
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return date[2].str() + "-" + date[4].str() + "-" + date[5].str() + "T" + time[2].str() + ":" + time[3].str() + ":"
        + time[4].str() + time[5].str();
}
