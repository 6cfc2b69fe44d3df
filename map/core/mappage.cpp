#include "mappage.h"

#include "maplanguage.h"

#include <QFile>
#include <QLoggingCategory>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcMapPage, "kestrel.map")

using PageBuffer = char[kMapPageBufferBytes];

QString filePath(const QString& folder, const char* name)
{
    if (folder.isEmpty())
        return QString::fromLatin1(name);
    return folder.endsWith(u'/') ? folder + QLatin1String(name) : folder + u'/' + QLatin1String(name);
}

// Replaces the text in `buffer` (up to its first zero byte) by the page text and
// its terminating zero; returns the number of bytes to write, zero included.
qsizetype substituteInPlace(PageBuffer& buffer, int languageIndex)
{
    const qsizetype templateLength = qstrnlen(buffer, kMapPageBufferBytes);
    // The locale's 8-bit encoding is UTF-8; ASCII passes through unchanged.
    QString text = QString::fromUtf8(buffer, templateLength);
    text.replace(QLatin1String("language"), QLatin1String(MapLanguageCode(languageIndex)), Qt::CaseSensitive);
    const QByteArray encoded = text.toUtf8();

    // Bytes that were no valid UTF-8 come back as three-byte replacement
    // characters, so the page can outgrow the buffer: cut it before the first
    // character that does not fit whole.
    qsizetype length = encoded.size();
    if (length > kMapPageBufferBytes - 1) {
        length = kMapPageBufferBytes - 1;
        while (length > 0 && (static_cast<unsigned char>(encoded[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memset(buffer, 0, sizeof buffer);
    std::memcpy(buffer, encoded.constData(), std::size_t(length));
    return length + 1;
}

// Reads at most kMapPageBufferBytes - 1 bytes of the template into the
// zero-filled buffer. Returns 0 or the errno of the failure.
int readTemplate(const QString& path, PageBuffer& buffer)
{
    std::memset(buffer, 0, sizeof buffer);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return error;
    }
    std::size_t used = 0;
    while (used < kMapPageBufferBytes - 1) {
        const ssize_t got = ::read(fd, buffer + used, kMapPageBufferBytes - 1 - used);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return error;
        }
        if (got == 0)
            break;
        used += std::size_t(got);
    }
    ::close(fd);
    return 0;
}

// Writes the page to a fresh file in the temporary folder and renames it to
// `pagePath`. rename() replaces whatever sits at that name, a symbolic link
// included, without following it.
bool writePage(const QString& tempFolder, const QString& pagePath, const char* bytes, qsizetype size)
{
    if (tempFolder.isEmpty())
        return false;
    QByteArray temporary = QFile::encodeName(filePath(tempFolder, ".tmp-map.html.XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = true;
    for (qsizetype done = 0; ok && done < size;) {
        const ssize_t written = ::write(fd, bytes + done, std::size_t(size - done));
        if (written < 0 && errno == EINTR)
            continue;
        ok = written > 0;
        done += ok ? written : 0;
    }
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.constData(), QFile::encodeName(pagePath).constData()) == 0;
    if (!ok)
        ::unlink(temporary.constData());
    return ok;
}

} // namespace

QByteArray MapPageBytes(QByteArrayView templateBytes, int languageIndex)
{
    PageBuffer buffer = {};
    const qsizetype used = std::min<qsizetype>(templateBytes.size(), kMapPageBufferBytes - 1);
    if (used > 0)
        std::memcpy(buffer, templateBytes.data(), std::size_t(used));
    const qsizetype size = substituteInPlace(buffer, languageIndex);
    return QByteArray(buffer, size);
}

MapPageResult GenerateMapPageFile(const QString& programFolder, const QString& tempFolder, int languageIndex)
{
    MapPageResult result;
    const QString readyMadePage = filePath(programFolder, kReadyMadeMapPageFileName);
    const QString templatePath = filePath(programFolder, kMapTemplateFileName);

    PageBuffer buffer;
    if (const int error = readTemplate(templatePath, buffer)) {
        result.error = QStringLiteral("The map page template \"%1\" could not be read: %2")
                           .arg(templatePath, qt_error_string(error));
        result.pagePath = readyMadePage;
        qCWarning(lcMapPage).noquote() << result.error;
        return result;
    }
    result.templateRead = true;

    const qsizetype size = substituteInPlace(buffer, languageIndex);
    const QString pagePath = filePath(tempFolder, kMapPageFileName);
    result.pageWritten = writePage(tempFolder, pagePath, buffer, size);
    if (result.pageWritten) {
        result.pagePath = pagePath;
    } else {
        qCWarning(lcMapPage) << "map page not written, showing the ready-made page:" << pagePath;
        result.pagePath = readyMadePage;
    }
    return result;
}
