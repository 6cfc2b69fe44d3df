#include "snapshotfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

quint32 le32(const QByteArray& b, int at)
{
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

// A packed bitmap of the given header fields followed by imageBytes of payload.
QByteArray makeDib(quint32 headerSize, quint16 bitCount, int payloadBytes,
                   quint32 compression = 0, quint32 coloursUsed = 0)
{
    QByteArray dib(int(headerSize) + payloadBytes, '\x5a');
    auto put32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            dib[at + i] = char(v >> (8 * i));
    };
    put32(0, headerSize);
    dib[14] = char(bitCount & 0xff);
    dib[15] = char(bitCount >> 8);
    if (headerSize >= 40) {
        put32(16, compression);
        put32(32, coloursUsed);
    }
    return dib;
}

struct OffsetCase {
    const char* name;
    quint32 headerSize;
    quint16 bitCount;
    quint32 compression;
    quint32 coloursUsed;
    quint32 expectedOffset;
};

class BitmapFileHeader : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(BitmapFileHeader, CarriesTypeSizeAndPixelOffset)
{
    const OffsetCase c = GetParam();
    const int payload = 4096;
    const QByteArray dib = makeDib(c.headerSize, c.bitCount, payload, c.compression, c.coloursUsed);
    const QByteArray header = BuildBitmapFileHeader(dib);
    ASSERT_EQ(header.size(), 14);
    EXPECT_EQ(header.left(2), QByteArray("BM"));
    EXPECT_EQ(le32(header, 2), quint32(dib.size() + 14));
    EXPECT_EQ(le32(header, 6), 0u);
    EXPECT_EQ(le32(header, 10), c.expectedOffset);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, BitmapFileHeader,
    ::testing::Values(
        OffsetCase{"Bits32Header40", 40, 32, 0, 0, 54},
        OffsetCase{"Bits24Header40", 40, 24, 0, 0, 54},
        OffsetCase{"Bits16Header40", 40, 16, 0, 0, 54},
        OffsetCase{"Bits8Header40", 40, 8, 0, 0, 14 + 40 + 1024},
        OffsetCase{"Bits4Header40", 40, 4, 0, 0, 14 + 40 + 64},
        OffsetCase{"Bits1Header40", 40, 1, 0, 0, 14 + 40 + 8},
        OffsetCase{"Bits8Header124", 124, 8, 0, 0, 14 + 124 + 1024},
        OffsetCase{"Bits32Header124", 124, 32, 0, 0, 14 + 124},
        OffsetCase{"Bits8ShortTable", 40, 8, 0, 16, 14 + 40 + 64},
        OffsetCase{"Bits16BitfieldMasks", 40, 16, 3, 0, 14 + 40 + 12},
        OffsetCase{"Bits32BitfieldsInV5Header", 124, 32, 3, 0, 14 + 124}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapFileHeaderShape, RefusesBlocksTooShortForTheirOwnHeader)
{
    EXPECT_TRUE(BuildBitmapFileHeader(QByteArray()).isEmpty());
    EXPECT_TRUE(BuildBitmapFileHeader(QByteArray(15, '\0')).isEmpty());
    // Declares a 40-byte header but holds only 20 bytes.
    QByteArray shortDib = makeDib(40, 32, 0).left(20);
    EXPECT_TRUE(BuildBitmapFileHeader(shortDib).isEmpty());
    // A header size below the bit-count field cannot be read.
    EXPECT_TRUE(BuildBitmapFileHeader(makeDib(12, 32, 64)).isEmpty());
}

TEST(PackedFrame, StoresRowsBottomUpWithA40ByteHeader)
{
    // 3 x 2 frame, stride padded to 16 bytes; every pixel distinct.
    const int w = 3, h = 2, stride = 16;
    QByteArray frame(stride * h, '\x77');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uchar* p = reinterpret_cast<uchar*>(frame.data()) + y * stride + 4 * x;
            p[0] = uchar(10 * y + x);     // B
            p[1] = uchar(100 + 10 * y + x); // G
            p[2] = uchar(200 + 10 * y + x); // R
            p[3] = 0xff;
        }
    const QByteArray dib = PackBgrxFrameAsDib(reinterpret_cast<const uchar*>(frame.constData()), w, h, stride);
    ASSERT_EQ(dib.size(), 40 + w * h * 4);
    EXPECT_EQ(le32(dib, 0), 40u);
    EXPECT_EQ(le32(dib, 4), quint32(w));
    EXPECT_EQ(le32(dib, 8), quint32(h));
    EXPECT_EQ(quint8(dib[14]), 32);
    EXPECT_EQ(le32(dib, 16), 0u);
    EXPECT_EQ(le32(dib, 20), quint32(w * h * 4));
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x) {
            const int srcY = h - 1 - row; // first stored row is the bottom one
            const auto* p = reinterpret_cast<const uchar*>(dib.constData()) + 40 + row * w * 4 + 4 * x;
            EXPECT_EQ(p[0], 10 * srcY + x);
            EXPECT_EQ(p[1], 100 + 10 * srcY + x);
            EXPECT_EQ(p[2], 200 + 10 * srcY + x);
            EXPECT_EQ(p[3], 0);
        }
}

TEST(PackedFrame, RefusesImpossibleSizes)
{
    const uchar px[16] = {};
    EXPECT_TRUE(PackBgrxFrameAsDib(nullptr, 1, 1, 4).isEmpty());
    EXPECT_TRUE(PackBgrxFrameAsDib(px, 0, 1, 4).isEmpty());
    EXPECT_TRUE(PackBgrxFrameAsDib(px, 1, -1, 4).isEmpty());
    EXPECT_TRUE(PackBgrxFrameAsDib(px, 2, 1, 4).isEmpty()); // stride shorter than a row
    EXPECT_TRUE(PackBgrxFrameAsDib(px, 1 << 16, 1 << 16, qsizetype(1) << 18).isEmpty());
}

class SnapshotFileWrite : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray readAll(const QString& p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QByteArray dib = makeDib(40, 32, 4 * 4 * 3);
};

TEST_F(SnapshotFileWrite, WritesHeaderThenTheWholeBlock)
{
    ASSERT_TRUE(WriteSnapshotFile(path("a.bmp"), dib));
    const QByteArray written = readAll(path("a.bmp"));
    EXPECT_EQ(written, BuildBitmapFileHeader(dib) + dib);
    // Only the snapshot is left behind, no working file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(SnapshotFileWrite, ReplacesAnExistingFile)
{
    {
        QFile old(path("a.bmp"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(10000, 'x'));
    }
    ASSERT_TRUE(WriteSnapshotFile(path("a.bmp"), dib));
    EXPECT_EQ(readAll(path("a.bmp")).size(), dib.size() + 14);
}

TEST_F(SnapshotFileWrite, ReplacesAPlantedLinkWithoutTouchingItsTarget)
{
    const QString victim = path("victim.txt");
    {
        QFile v(victim);
        ASSERT_TRUE(v.open(QIODevice::WriteOnly));
        v.write("keep me");
    }
    ASSERT_EQ(::symlink(QFile::encodeName(victim).constData(), QFile::encodeName(path("a.bmp")).constData()), 0);
    ASSERT_TRUE(WriteSnapshotFile(path("a.bmp"), dib));
    EXPECT_EQ(readAll(victim), QByteArray("keep me"));
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(path("a.bmp")).constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
}

TEST_F(SnapshotFileWrite, FailsWithoutLeavingFilesWhenTheFolderIsMissingOrTheBlockIsBad)
{
    EXPECT_FALSE(WriteSnapshotFile(path("no-such-folder/a.bmp"), dib));
    EXPECT_FALSE(WriteSnapshotFile(path("b.bmp"), QByteArray(8, '\0')));
    EXPECT_FALSE(WriteSnapshotFile(QString(), dib));
    // A folder at the path is not replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("c.bmp")));
    EXPECT_FALSE(WriteSnapshotFile(path("c.bmp"), dib));
    EXPECT_TRUE(QFileInfo(path("c.bmp")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

} // namespace
