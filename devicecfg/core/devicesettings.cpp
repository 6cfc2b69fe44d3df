#include "devicesettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcDeviceSettings, "kestrel.devicecfg")

// The camera's own reader works on lines of at most 511 bytes; a longer line is
// taken in pieces and every piece is looked at as a line of its own.
constexpr int kLineBufferBytes = 512;

enum class FieldKind { Integer, Real };

struct KeyField {
    const char* key;  // with the leading "["
    FieldKind kind;
    qint32 DeviceSettings::*integer;
    float DeviceSettings::*real;
};

// Searched in this order; the first key found on a line decides for that line.
const KeyField kKeyFields[] = {
    {"[BEFORE_VIDEO_EVENT", FieldKind::Integer, &DeviceSettings::BEFORE_VIDEO_EVENT, nullptr},
    {"[VIDEO_EVENT_LENGTH", FieldKind::Integer, &DeviceSettings::VIDEO_EVENT_LENGTH, nullptr},
    {"[VIDEO_LENGTH", FieldKind::Integer, &DeviceSettings::VIDEO_LENGTH, nullptr},
    {"[G_LIMITX", FieldKind::Real, nullptr, &DeviceSettings::G_LIMITX},
    {"[G_LIMITY", FieldKind::Real, nullptr, &DeviceSettings::G_LIMITY},
    {"[G_LIMITZ", FieldKind::Real, nullptr, &DeviceSettings::G_LIMITZ},
    {"[TIME_ZONE", FieldKind::Integer, &DeviceSettings::TIME_ZONE, nullptr},
    {"[SHOW_STRING", FieldKind::Integer, &DeviceSettings::SHOW_STRING, nullptr},
    {"[CIS_MIRROR", FieldKind::Integer, &DeviceSettings::CIS_MIRROR, nullptr},
};

// White space as the C library's number scanning skips it.
bool isScanSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "%d": optional white space, optional sign, at least one digit. Values beyond
// 32 bits saturate, so the bounds still bring them into range.
bool scanInteger(const char* p, qint32& out)
{
    while (isScanSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (!isDigit(*p))
        return false;
    qint64 magnitude = 0;
    for (; isDigit(*p); ++p)
        magnitude = std::min<qint64>(magnitude * 10 + (*p - '0'), qint64(INT_MAX) + 1);
    const qint64 value = negative ? -magnitude : std::min<qint64>(magnitude, INT_MAX);
    out = qint32(value);
    return true;
}

locale_t cNumericLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

// "%f" for plain decimal numbers: optional white space, sign, digits with an
// optional point, optional exponent. Infinity, NaN and hexadecimal forms are not
// taken: a G limit must stay a comparable number. The decimal point is always
// '.', whatever the process locale says.
bool scanReal(const char* p, float& out)
{
    while (isScanSpace(*p))
        ++p;
    const char* const begin = p;
    if (*p == '+' || *p == '-')
        ++p;
    int digits = 0;
    for (; isDigit(*p); ++p)
        ++digits;
    if (*p == '.')
        for (++p; isDigit(*p); ++p)
            ++digits;
    if (digits == 0)
        return false;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-')
            ++q;
        if (isDigit(*q)) {
            for (p = q; isDigit(*p); ++p) {
            }
        }
    }
    // The number is cut out so the converter sees nothing else (no "inf",
    // no hexadecimal); a line piece holds at most 511 bytes.
    char number[kLineBufferBytes] = {};
    const std::size_t length = std::min<std::size_t>(std::size_t(p - begin), sizeof number - 1);
    std::memcpy(number, begin, length);
    const locale_t locale = cNumericLocale();
    out = locale ? strtof_l(number, nullptr, locale) : std::strtof(number, nullptr);
    return true;
}

// One piece as the camera's reader sees it: `line` is a C string of at most 511
// bytes (a zero byte inside ends it early).
void applyLine(const char* line, DeviceSettings& settings)
{
    for (const KeyField& field : kKeyFields) {
        if (!std::strstr(line, field.key))
            continue;
        // The key must open the line: "[" KEY "=" and then the number.
        const std::size_t keyLength = std::strlen(field.key);
        if (std::strncmp(line, field.key, keyLength) == 0 && line[keyLength] == '=') {
            const char* number = line + keyLength + 1;
            if (field.kind == FieldKind::Integer)
                scanInteger(number, settings.*field.integer);
            else
                scanReal(number, settings.*field.real);
        }
        return;
    }
}

// Byte sources for the line reader; get() gives the next byte or -1 at the end.
class MemorySource {
public:
    explicit MemorySource(QByteArrayView data) : m_data(data) {}
    int get() { return m_pos < m_data.size() ? static_cast<unsigned char>(m_data[m_pos++]) : -1; }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

class FileSource {
public:
    explicit FileSource(std::FILE* file) : m_file(file) {}
    int get()
    {
        const int c = getc_unlocked(m_file);
        return c == EOF ? -1 : c;
    }

private:
    std::FILE* m_file;
};

// Reads pieces the way a text-mode fgets into the 512-byte buffer does: a CR
// right before an LF is dropped before anything else sees it.
template <typename Source>
void parsePieces(Source& source, DeviceSettings& settings)
{
    constexpr int kNothingPending = -2;
    int pending = kNothingPending;
    auto nextChar = [&]() {
        int c;
        if (pending != kNothingPending) {
            c = pending;
            pending = kNothingPending;
            return c;
        }
        c = source.get();
        if (c == '\r') {
            const int following = source.get();
            if (following == '\n')
                return following;
            pending = following;
        }
        return c;
    };

    char buffer[kLineBufferBytes];
    for (;;) {
        std::memset(buffer, 0, sizeof buffer);
        int length = 0;
        while (length < kLineBufferBytes - 1) {
            const int c = nextChar();
            if (c < 0)
                break;
            buffer[length++] = char(c);
            if (c == '\n')
                break;
        }
        if (length == 0)
            break;
        applyLine(buffer, settings);
    }
    ApplyDeviceSettingsBounds(settings);
}

QByteArray paddedInteger(qint32 value, const char* format)
{
    char text[16];
    std::snprintf(text, sizeof text, format, int(value));
    return QByteArray(text);
}

// "%.2f" exactly as the C library rounds it (the exact binary value, ties to
// even), with '.' as the decimal point whatever the process locale is.
QByteArray twoDecimals(float value)
{
    const locale_t locale = cNumericLocale();
    const locale_t previous = locale ? uselocale(locale) : locale_t(nullptr);
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", double(value));
    if (previous)
        uselocale(previous);
    return QByteArray(text);
}

void appendLine(QByteArray& out, const QByteArray& head, int spaces, const char* comment)
{
    out += head;
    out += QByteArray(spaces, ' ');
    out += "; ";
    out += comment;
    out += "\r\n";
}

QByteArray timeLineHead(const QDateTime& value)
{
    const QDateTime local = value.toLocalTime();
    const QDate date = local.date();
    const QTime time = local.time();
    char text[96];
    std::snprintf(text, sizeof text, "[TIME=%02d/%02d/%02d/%02d/%02d/%02d]", date.year(), date.month(),
                  date.day(), time.hour(), time.minute(), time.second());
    return QByteArray(text);
}

QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, p, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += written;
        left -= written;
    }
    return true;
}

// Temporary files of a write are named ".<name>.kestrelview-save-<8 of 0-9a-z>.tmp"
// beside the settings file: no user or camera file looks like that, so the
// ones a killed write leaves behind can be removed without doubt.
constexpr char kTemporaryMiddle[] = ".kestrelview-save-";
constexpr char kTemporaryEnd[] = ".tmp";
constexpr int kTemporaryRandomCharacters = 8;
constexpr char kTemporaryAlphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";

QByteArray temporaryName(const QByteArray& name)
{
    QByteArray random(kTemporaryRandomCharacters, '0');
    for (char& c : random)
        c = kTemporaryAlphabet[QRandomGenerator::global()->bounded(int(sizeof kTemporaryAlphabet - 1))];
    return '.' + name + kTemporaryMiddle + random + kTemporaryEnd;
}

bool isTemporaryNameOf(const char* entry, const QByteArray& name)
{
    const QByteArray head = '.' + name + kTemporaryMiddle;
    const std::size_t length = std::strlen(entry);
    const std::size_t endLength = sizeof kTemporaryEnd - 1;
    if (length != std::size_t(head.size()) + kTemporaryRandomCharacters + endLength)
        return false;
    if (std::memcmp(entry, head.constData(), std::size_t(head.size())) != 0
        || std::memcmp(entry + length - endLength, kTemporaryEnd, endLength) != 0)
        return false;
    for (int i = 0; i < kTemporaryRandomCharacters; ++i) {
        const char c = entry[head.size() + i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

// The file a write really replaces: a symbolic link stays a link, its
// destination is what gets written. Split into folder (with its '/') and name.
struct WriteTarget {
    QByteArray path;
    QByteArray folder;
    QByteArray name;
};

WriteTarget resolveTarget(const QString& target)
{
    WriteTarget result;
    result.path = nativePath(target);
    if (result.path.isEmpty())
        return result;
    if (char* resolved = ::realpath(result.path.constData(), nullptr)) {
        result.path = resolved;
        std::free(resolved);
    }
    const qsizetype slash = result.path.lastIndexOf('/');
    result.folder = slash < 0 ? QByteArray("./") : result.path.left(slash + 1);
    result.name = slash < 0 ? result.path : result.path.mid(slash + 1);
    return result;
}

void setReason(QString* whyNot, int error)
{
    if (whyNot)
        *whyNot = qt_error_string(error);
}

// Writes `bytes` to a fresh file beside the target and renames it over the
// target, so the old file stays whole until the new one is complete. The new
// file takes the old one's mode and, where allowed, its owner. False with
// errno set when it did not replace the target; *couldNotCreate tells that no
// temporary file could be made in the folder at all.
bool replaceAtomically(const WriteTarget& target, const struct stat* existing, const QByteArray& bytes,
                       bool* couldNotCreate)
{
    *couldNotCreate = false;
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = target.folder + temporaryName(target.name);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST) {
            *couldNotCreate = true;
            return false;
        }
    }
    if (fd < 0) {
        *couldNotCreate = true;
        return false;
    }

    if (existing) {
        // Both may fail on file systems without owners (a FAT memory card): harmless.
        (void)::fchown(fd, existing->st_uid, existing->st_gid);
        (void)::fchmod(fd, existing->st_mode & 07777);
    }
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.constData(), target.path.constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        errno = error;
    }
    return ok;
}

// Where the folder cannot take a new file (a card mounted so, a folder of
// someone else) but the file itself may be written: truncate, write, flush
// and sync in place. Should that fail half-way, the old text is put back as
// far as the card lets it.
bool rewriteInPlace(const WriteTarget& target, const QByteArray& bytes)
{
    const int fd = ::open(target.path.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return false;
    }
    QByteArray previous;
    bool canRestore = false;
    constexpr off_t kKeepForRestoreBytes = 1 << 20;
    if (info.st_size <= kKeepForRestoreBytes) {
        previous.resize(qsizetype(info.st_size));
        const ssize_t got = ::pread(fd, previous.data(), size_t(previous.size()), 0);
        canRestore = got == ssize_t(previous.size());
    }
    const auto writeFromStart = [fd](const QByteArray& text) {
        return ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, text) && ::fsync(fd) == 0;
    };
    bool ok = writeFromStart(bytes);
    int error = ok ? 0 : errno;
    if (!ok && canRestore)
        (void)writeFromStart(previous);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok)
        errno = error;
    return ok;
}

bool writeSettingsFile(const QString& path, const QByteArray& bytes, QString* whyNot)
{
    const WriteTarget target = resolveTarget(path);
    if (target.path.isEmpty()) {
        setReason(whyNot, ENOENT);
        return false;
    }
    struct stat existing {};
    const bool exists = ::stat(target.path.constData(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        setReason(whyNot, S_ISDIR(existing.st_mode) ? EISDIR : EINVAL);
        return false;
    }
    // A file we may not write is left alone, as an in-place rewrite would be.
    if (exists && ::access(target.path.constData(), W_OK) != 0) {
        setReason(whyNot, errno);
        return false;
    }

    bool couldNotCreate = false;
    if (replaceAtomically(target, exists ? &existing : nullptr, bytes, &couldNotCreate))
        return true;
    const int atomicError = errno;
    // Only a folder that refuses new files sends the write in place; a write
    // that failed on its way (a full card) must leave the old file as it was.
    const bool folderRefused = couldNotCreate && (atomicError == EACCES || atomicError == EPERM);
    if (!exists || !folderRefused) {
        setReason(whyNot, atomicError);
        return false;
    }
    if (rewriteInPlace(target, bytes))
        return true;
    setReason(whyNot, errno);
    return false;
}

} // namespace

void ApplyDeviceSettingsBounds(DeviceSettings& settings)
{
    for (float DeviceSettings::*limit : {&DeviceSettings::G_LIMITX, &DeviceSettings::G_LIMITY,
                                         &DeviceSettings::G_LIMITZ}) {
        if (settings.*limit > 8.0f)
            settings.*limit = 8.0f;
        if (settings.*limit < -8.0f)
            settings.*limit = -8.0f;
    }
    settings.BEFORE_VIDEO_EVENT = std::clamp(settings.BEFORE_VIDEO_EVENT, 2, 60);
    settings.VIDEO_EVENT_LENGTH = std::clamp(settings.VIDEO_EVENT_LENGTH, 10, 300);
    settings.VIDEO_LENGTH = std::clamp(settings.VIDEO_LENGTH, 60, 600);
}

void ParseDeviceSettings(QByteArrayView text, DeviceSettings& settings)
{
    MemorySource source(text);
    parsePieces(source, settings);
}

QByteArray FormatDeviceSettings(const DeviceSettings& s)
{
    QByteArray out;
    out.reserve(1024);
    if (s.setTime && s.setTimeValue.isValid())
        appendLine(out, timeLineHead(s.setTimeValue), 3, "YYYY/MM/DD/HH/MM/SS.");
    appendLine(out, "[BEFORE_VIDEO_EVENT=" + paddedInteger(s.BEFORE_VIDEO_EVENT, "%3d") + "]", 6,
               "Recording time before event per video, Second unit. Valid value is 2 ~ 60.");
    appendLine(out, "[VIDEO_EVENT_LENGTH=" + paddedInteger(s.VIDEO_EVENT_LENGTH, "%3d") + "]", 6,
               "Recording time after event trigger per video, Second unit. Valid value is 10 ~ 300.");
    appendLine(out, "[VIDEO_LENGTH=" + paddedInteger(s.VIDEO_LENGTH, "%3d") + "]", 12,
               "Recording time per video after press key, Second unit. Valid value is 60 ~ 600.");
    appendLine(out, "[SHOW_STRING=" + paddedInteger(s.SHOW_STRING, "%d") + "]", 14,
               "0: Don't show overlay string on video, 1: Show overlay string on video, 2: Show overlay "
               "string with version, 3: Only show time stamp on video.");
    appendLine(out, "[G_LIMITX=" + twoDecimals(s.G_LIMITX) + "]", 14,
               "Capture video if X absolute G sensor value greater than G_LIMITX, valid value is 0 ~ 8.");
    appendLine(out, "[G_LIMITY=" + twoDecimals(s.G_LIMITY) + "]", 14,
               "Capture video if Y absolute G sensor value greater than G_LIMITY, valid value is 0 ~ 8.");
    appendLine(out, "[G_LIMITZ=" + twoDecimals(s.G_LIMITZ) + "]", 14,
               "Capture video if Z absolute G sensor value greater than G_LIMITZ, valid value is 0 ~ 8.");
    appendLine(out, "[OVERWRITE=  1]", 15, "1: overwrite enable, 0: overwrite disable");
    appendLine(out, "[CIS_MIRROR=" + paddedInteger(s.CIS_MIRROR, "%3d") + "]", 14,
               "1: Image sensor row column mirror, 0: Otherwise");
    appendLine(out, "[TIME_ZONE=" + paddedInteger(s.TIME_ZONE, "%3d") + "]", 15,
               "Time zone, hour unit. Valid value is -12 ~ 12");
    return out;
}

bool ReadDeviceSettings(const QString& path, DeviceSettings& settings)
{
    const QByteArray native = nativePath(path);
    if (native.isEmpty())
        return false;
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
        return false;
    }
    FileSource source(file);
    parsePieces(source, settings);
    std::fclose(file);
    return true;
}

QString FindDeviceSettingsFile(const QString& folder)
{
    if (folder.isEmpty())
        return QString();
    const QDir dir(folder);
    const QLatin1String names[] = {QLatin1String(kDeviceSettingsFileName), QLatin1String(kDeviceSettingsBackupFileName)};
    // The exact names first: no folder listing in the usual case.
    for (const QLatin1String name : names) {
        const QFileInfo exact(dir, name);
        if (exact.isFile())
            return exact.filePath();
    }
    // One listing for both, in any letter case; setup.ini still wins.
    const QStringList found = dir.entryList({names[0], names[1]}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QLatin1String name : names) {
        for (const QString& candidate : found) {
            if (candidate.compare(name, Qt::CaseInsensitive) == 0)
                return dir.filePath(candidate);
        }
    }
    return QString();
}

bool WriteDeviceSettings(const QString& path, const DeviceSettings& settings, QString* whyNot)
{
    QString reason;
    if (writeSettingsFile(path, FormatDeviceSettings(settings), &reason))
        return true;
    qCWarning(lcDeviceSettings) << "settings file not written:" << path << reason;
    if (whyNot)
        *whyNot = reason;
    return false;
}

int RemoveStaleDeviceSettingsTemporaries(const QString& path)
{
    const WriteTarget target = resolveTarget(path);
    if (target.name.isEmpty())
        return 0;
    DIR* dir = ::opendir(target.folder.constData());
    if (!dir)
        return 0;
    const int folderFd = ::dirfd(dir);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryNameOf(entry->d_name, target.name))
            continue;
        // Only a plain file of that name was ever made by a write.
        struct stat info {};
        if (::fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (::unlinkat(folderFd, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}
