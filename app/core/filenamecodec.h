#pragma once
// File names as QString without loss. Linux file names are bytes; most are
// UTF-8, but cards copied from old systems hold names in Latin-1 or a code
// page, which QFile::decodeName turns into U+FFFD for good. Here every byte
// that is not part of valid UTF-8 becomes a lone low surrogate U+DC80..U+DCFF
// (the "surrogateescape" convention), which no real text holds, and encoding
// turns it back into that byte. So a name from a folder scan reaches the
// media engine and the log reader as the bytes on disk. Any thread.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The name or path as text: valid UTF-8 decodes as usual, each other byte
// b (0x80..0xFF) becomes U+DC00 + b.
QString DecodeFileName(QByteArrayView bytes);

// The bytes for the file system: the exact inverse of DecodeFileName. Text
// that never came from it encodes as UTF-8, like QFile::encodeName; a lone
// surrogate outside U+DC80..U+DCFF, which names no byte, becomes U+FFFD.
QByteArray EncodeFileName(QStringView name);
