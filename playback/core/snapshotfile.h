#pragma once
// The snapshot file: a Windows bitmap file made of a 14-byte file header
// followed by a packed device-independent bitmap (information header, colour
// table if any, pixels), all little-endian. The engine delivers frames as such a
// packed bitmap; these helpers build and write the file. No display needed.
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

inline constexpr int kBitmapFileHeaderSize = 14;
inline constexpr int kBitmapInfoHeaderSize = 40;

// Byte offset of the pixels in the file. The colour table counts 2^bitCount
// entries of 4 bytes when bitCount is 8 or less, none above 8. A header that
// declares a shorter table (colours used) or bit-field masks is honoured as the
// bitmap format defines it, so such files still show the right pixels.
// Nothing when the block is too short to hold the fields it is read from or
// declares a header larger than itself.
std::optional<quint32> BitmapPixelOffset(const QByteArray& packedDib);

// The 14-byte file header for a packed bitmap: "BM", file size = block size + 14,
// two reserved zeros, pixel offset. Empty when BitmapPixelOffset has nothing.
QByteArray BuildBitmapFileHeader(const QByteArray& packedDib);

// Writes header + block to path, replacing an existing file. The data goes to a
// fresh temporary file in the same folder which is then renamed over the path, so
// a symbolic link planted at the path is replaced, never followed, and a failed
// write leaves whatever was there untouched. False when anything fails.
bool WriteSnapshotFile(const QString& path, const QByteArray& packedDib);

// Packs a top-down 32-bit frame (bytes B, G, R, x per pixel, stride in bytes)
// into a packed bitmap: 40-byte information header, 32 bits per pixel, no
// compression, positive height with rows stored bottom-up (the layout every
// viewer reads). The unused fourth byte is written as 0. Empty on a bad size.
QByteArray PackBgrxFrameAsDib(const uchar* pixels, int width, int height, qsizetype strideBytes);
