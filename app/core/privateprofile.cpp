#include "privateprofile.h"

#include "programpaths.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class LoadResult { Loaded, Missing, Failed };

// Reads a whole profile. Opening non-blocking and checking for a regular file
// keeps a FIFO or device planted under the settings name from hanging the UI.
LoadResult loadProfile(const QString& path, QByteArray& data)
{
    data.clear();
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return (errno == ENOENT || errno == ENOTDIR) ? LoadResult::Missing : LoadResult::Failed;

    LoadResult result = LoadResult::Loaded;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > PrivateProfile::kMaxFileBytes) {
        result = LoadResult::Failed;
    } else {
        data.reserve(static_cast<qsizetype>(st.st_size));
        char buffer[16384];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                result = LoadResult::Failed;
                break;
            }
            if (got == 0)
                break;
            // The file may grow while we read it; the cap still holds.
            if (data.size() + got > PrivateProfile::kMaxFileBytes) {
                result = LoadResult::Failed;
                break;
            }
            data.append(buffer, static_cast<qsizetype>(got));
        }
    }
    ::close(fd);
    if (result != LoadResult::Loaded)
        data.clear();
    return result;
}

// A bare file name lives in the program's folder, like the platform's profile
// services never look in the current folder for it.
QString resolveProfilePath(const QString& path)
{
    if (path.isEmpty() || path.contains(QLatin1Char('/')))
        return path;
    return ProgramDirectory() + path;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

void trim(const QByteArray& data, qsizetype& begin, qsizetype& end)
{
    while (begin < end && isBlank(data[begin]))
        ++begin;
    while (end > begin && isBlank(data[end - 1]))
        --end;
}

bool sameName(const QByteArray& data, qsizetype begin, qsizetype end, const QString& name)
{
    const qsizetype length = end - begin;
    if (length <= 0)
        return false;
    // Case-insensitive UTF-8 compare; a byte count far off the wanted name
    // cannot match, which skips most conversions.
    if (length < name.size() || length > name.size() * 4)
        return false;
    return QString::fromUtf8(data.constData() + begin, length).compare(name, Qt::CaseInsensitive) == 0;
}

// Where a key lives in a profile, or where it would go.
struct Location
{
    bool sectionFound = false;
    // Offset at which a new key line of the first matching section is inserted:
    // just after its last key line, or after its header when it has none.
    qsizetype insertAt = -1;
    // The line before insertAt has no line break (last line of the file).
    bool insertNeedsBreak = false;

    bool keyFound = false;
    qsizetype keyContentEnd = 0; // end of the key's line text, before its line break
    qsizetype equalsAt = -1;     // the '=' of the key's line, -1 when it has none
    qsizetype valueBegin = 0;    // trimmed value
    qsizetype valueEnd = 0;

    QByteArray lineBreak = "\n"; // the file's own line break, for lines we add
};

Location locate(const QByteArray& data, const QString& section, const QString& key)
{
    Location where;
    const qsizetype size = data.size();
    const char* bytes = data.constData();

    if (const void* firstBreak = size > 0 ? std::memchr(bytes, '\n', static_cast<size_t>(size)) : nullptr) {
        const qsizetype at = static_cast<const char*>(firstBreak) - bytes;
        if (at > 0 && bytes[at - 1] == '\r')
            where.lineBreak = "\r\n";
    }

    bool inMatchingSection = false;
    bool inFirstMatchingSection = false;
    qsizetype pos = 0;
    while (pos < size) {
        const qsizetype begin = pos;
        const void* found = std::memchr(bytes + pos, '\n', static_cast<size_t>(size - pos));
        qsizetype contentEnd = found ? static_cast<const char*>(found) - bytes : size;
        const qsizetype next = found ? contentEnd + 1 : size;
        const bool hasBreak = found != nullptr;
        if (contentEnd > begin && bytes[contentEnd - 1] == '\r')
            --contentEnd;
        pos = next;

        qsizetype start = begin;
        qsizetype end = contentEnd;
        trim(data, start, end);
        if (start == end || bytes[start] == ';')
            continue;

        if (bytes[start] == '[') {
            qsizetype nameBegin = start + 1;
            qsizetype nameEnd = nameBegin;
            while (nameEnd < end && bytes[nameEnd] != ']')
                ++nameEnd;
            trim(data, nameBegin, nameEnd);
            inMatchingSection = sameName(data, nameBegin, nameEnd, section);
            inFirstMatchingSection = inMatchingSection && !where.sectionFound;
            if (inFirstMatchingSection) {
                where.sectionFound = true;
                where.insertAt = next;
                where.insertNeedsBreak = !hasBreak;
            }
            continue;
        }

        if (!inMatchingSection)
            continue;

        if (inFirstMatchingSection) {
            where.insertAt = next;
            where.insertNeedsBreak = !hasBreak;
        }
        if (where.keyFound)
            continue;

        qsizetype equals = start;
        while (equals < end && bytes[equals] != '=')
            ++equals;
        qsizetype nameBegin = start;
        qsizetype nameEnd = equals;
        trim(data, nameBegin, nameEnd);
        if (!sameName(data, nameBegin, nameEnd, key))
            continue;

        where.keyFound = true;
        where.keyContentEnd = contentEnd;
        if (equals < end) {
            where.equalsAt = equals;
            where.valueBegin = equals + 1;
            where.valueEnd = end;
            trim(data, where.valueBegin, where.valueEnd);
        } else {
            where.equalsAt = -1;
            where.valueBegin = where.valueEnd = end;
        }
    }
    return where;
}

QString stripQuotes(const QString& value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

bool breaksStructure(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))
        || text.contains(QChar(u'\0'));
}

} // namespace

QString PrivateProfile::GetString(const QString& section, const QString& key,
                                  const QString& defaultValue, const QString& path)
{
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    if (wantedSection.isEmpty() || wantedKey.isEmpty())
        return defaultValue;

    QByteArray data;
    if (loadProfile(resolveProfilePath(path), data) != LoadResult::Loaded)
        return defaultValue;

    const Location where = locate(data, wantedSection, wantedKey);
    if (!where.keyFound)
        return defaultValue;
    return stripQuotes(QString::fromUtf8(data.constData() + where.valueBegin,
                                         where.valueEnd - where.valueBegin));
}

int PrivateProfile::GetInt(const QString& section, const QString& key, int defaultValue,
                           const QString& path)
{
    const QString value = GetString(section, key, QString(), path);
    if (value.isEmpty())
        return defaultValue;
    return ParseLeadingInt(value);
}

int PrivateProfile::ParseLeadingInt(const QString& text)
{
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < size && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 magnitude = 0;
    const qint64 limit = negative ? -static_cast<qint64>(INT_MIN) : INT_MAX;
    for (; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            break;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            magnitude = limit; // saturate, and keep reading the digits
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

bool PrivateProfile::WriteString(const QString& section, const QString& key,
                                 const QString& value, const QString& path)
{
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    if (wantedSection.isEmpty() || wantedKey.isEmpty())
        return false;
    if (breaksStructure(section) || breaksStructure(key) || breaksStructure(value))
        return false;
    if (wantedSection.contains(QLatin1Char(']')) || wantedKey.contains(QLatin1Char('='))
        || wantedKey.startsWith(QLatin1Char('[')) || wantedKey.startsWith(QLatin1Char(';')))
        return false;

    const QString target = resolveProfilePath(path);
    if (target.isEmpty())
        return false;

    QByteArray data;
    const LoadResult loaded = loadProfile(target, data);
    if (loaded == LoadResult::Failed)
        return false; // never replace a file we could not read

    const Location where = locate(data, wantedSection, wantedKey);
    const QByteArray valueBytes = value.toUtf8();
    QByteArray updated;
    updated.reserve(data.size() + valueBytes.size() + wantedKey.size() + wantedSection.size() + 8);

    if (where.keyFound) {
        // Keep the line's own key spelling and spacing around '='; only the
        // value changes.
        if (where.equalsAt >= 0) {
            qsizetype keep = where.equalsAt + 1;
            while (keep < where.keyContentEnd && (data[keep] == ' ' || data[keep] == '\t'))
                ++keep;
            updated.append(data.constData(), keep);
        } else {
            qsizetype keep = where.keyContentEnd;
            while (keep > 0 && isBlank(data[keep - 1]))
                --keep;
            updated.append(data.constData(), keep);
            updated.append('=');
        }
        updated.append(valueBytes);
        updated.append(data.constData() + where.keyContentEnd, data.size() - where.keyContentEnd);
    } else if (where.sectionFound) {
        updated.append(data.constData(), where.insertAt);
        if (where.insertNeedsBreak)
            updated.append(where.lineBreak);
        updated.append(wantedKey.toUtf8()).append('=').append(valueBytes).append(where.lineBreak);
        updated.append(data.constData() + where.insertAt, data.size() - where.insertAt);
    } else {
        updated = data;
        if (!updated.isEmpty() && !updated.endsWith('\n'))
            updated.append(where.lineBreak);
        updated.append('[').append(wantedSection.toUtf8()).append(']').append(where.lineBreak);
        updated.append(wantedKey.toUtf8()).append('=').append(valueBytes).append(where.lineBreak);
    }

    if (loaded == LoadResult::Loaded && updated == data)
        return true;

    // Write through a link to the file it names, so a settings file kept
    // elsewhere on purpose stays where the user put it.
    QString destination = target;
    const QFileInfo info(target);
    if (info.isSymLink()) {
        destination = info.symLinkTarget();
        if (destination.isEmpty())
            return false;
    }

    QSaveFile file(destination);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(updated) != updated.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
