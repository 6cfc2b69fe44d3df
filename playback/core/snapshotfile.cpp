#include "snapshotfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr quint32 kCompressionBitfields = 3;
constexpr quint32 kCompressionAlphaBitfields = 6;

quint32 readLe32(const QByteArray& b, int at)
{
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

quint16 readLe16(const QByteArray& b, int at)
{
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return quint16(p[0] | p[1] << 8);
}

void putLe32(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xff);
}

void putLe16(QByteArray& b, int at, quint16 v)
{
    b[at] = char(v & 0xff);
    b[at + 1] = char(v >> 8);
}

bool writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

} // namespace

std::optional<quint32> BitmapPixelOffset(const QByteArray& packedDib)
{
    // The bit count sits at bytes 14..15 of the information header.
    if (packedDib.size() < 16)
        return std::nullopt;
    const quint32 headerSize = readLe32(packedDib, 0);
    if (headerSize < 16 || headerSize > quint32(packedDib.size()))
        return std::nullopt;
    const quint16 bitCount = readLe16(packedDib, 14);

    quint64 tableBytes = 0;
    if (bitCount <= 8)
        tableBytes = 4ull << bitCount;
    if (headerSize >= kBitmapInfoHeaderSize) {
        const quint32 compression = readLe32(packedDib, 16);
        const quint32 coloursUsed = readLe32(packedDib, 32);
        if (bitCount <= 8 && coloursUsed > 0 && coloursUsed < (1u << bitCount))
            tableBytes = 4ull * coloursUsed;
        // Only the bare 40-byte header keeps its colour masks outside itself.
        if (headerSize == kBitmapInfoHeaderSize && compression == kCompressionBitfields)
            tableBytes += 12;
        else if (headerSize == kBitmapInfoHeaderSize && compression == kCompressionAlphaBitfields)
            tableBytes += 16;
    }
    const quint64 offset = quint64(kBitmapFileHeaderSize) + headerSize + tableBytes;
    if (offset > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return quint32(offset);
}

QByteArray BuildBitmapFileHeader(const QByteArray& packedDib)
{
    const std::optional<quint32> offset = BitmapPixelOffset(packedDib);
    const quint64 fileSize = quint64(packedDib.size()) + kBitmapFileHeaderSize;
    if (!offset || fileSize > std::numeric_limits<quint32>::max())
        return {};
    QByteArray header(kBitmapFileHeaderSize, '\0');
    header[0] = 'B';
    header[1] = 'M';
    putLe32(header, 2, quint32(fileSize));
    // Bytes 6..9: two reserved 16-bit zeros.
    putLe32(header, 10, *offset);
    return header;
}

bool WriteSnapshotFile(const QString& path, const QByteArray& packedDib)
{
    const QByteArray header = BuildBitmapFileHeader(packedDib);
    if (header.isEmpty() || path.isEmpty())
        return false;

    const QFileInfo target(path);
    const QByteArray finalPath = QFile::encodeName(target.absoluteFilePath());
    QByteArray tempPath = QFile::encodeName(target.absolutePath() + QStringLiteral("/.snapshot-XXXXXX"));
    // mkstemp creates the file exclusively (O_EXCL) under a fresh name, so nothing
    // planted in the folder can redirect the write.
    const int fd = ::mkstemp(tempPath.data());
    if (fd < 0)
        return false;
    // An ordinary user file, not the private 0600 that mkstemp gives.
    ::fchmod(fd, 0644);
    bool ok = writeAll(fd, header.constData(), header.size())
        && writeAll(fd, packedDib.constData(), packedDib.size());
    if (::close(fd) != 0)
        ok = false;
    // rename() replaces a link at the destination by the file; it never follows it.
    if (ok && ::rename(tempPath.constData(), finalPath.constData()) == 0)
        return true;
    ::unlink(tempPath.constData());
    return false;
}

QByteArray PackBgrxFrameAsDib(const uchar* pixels, int width, int height, qsizetype strideBytes)
{
    if (!pixels || width <= 0 || height <= 0 || strideBytes < qsizetype(width) * 4)
        return {};
    const quint64 rowBytes = quint64(width) * 4;
    const quint64 imageBytes = rowBytes * quint64(height);
    if (imageBytes + kBitmapInfoHeaderSize + kBitmapFileHeaderSize > quint64(std::numeric_limits<qint32>::max()))
        return {};

    QByteArray dib(qsizetype(kBitmapInfoHeaderSize + imageBytes), '\0');
    putLe32(dib, 0, kBitmapInfoHeaderSize);
    putLe32(dib, 4, quint32(width));
    putLe32(dib, 8, quint32(height)); // positive: bottom-up rows
    putLe16(dib, 12, 1);              // planes
    putLe16(dib, 14, 32);             // bits per pixel
    putLe32(dib, 16, 0);              // no compression
    putLe32(dib, 20, quint32(imageBytes));
    // Resolution, colours used and colours important stay 0.

    auto* out = reinterpret_cast<uchar*>(dib.data()) + kBitmapInfoHeaderSize;
    for (int y = 0; y < height; ++y) {
        const uchar* src = pixels + qsizetype(height - 1 - y) * strideBytes;
        uchar* dst = out + qsizetype(y) * qsizetype(rowBytes);
        for (int x = 0; x < width; ++x) {
            dst[4 * x + 0] = src[4 * x + 0];
            dst[4 * x + 1] = src[4 * x + 1];
            dst[4 * x + 2] = src[4 * x + 2];
            dst[4 * x + 3] = 0;
        }
    }
    return dib;
}
