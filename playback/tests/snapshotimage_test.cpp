// The written snapshot must open in an ordinary image reader with the same pixels.
#include "snapshotfile.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct SizeCase {
    int width;
    int height;
};

class SnapshotImage : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SnapshotImage, OpensInAnImageReaderWithTheSamePixels)
{
    const auto [w, h] = GetParam();
    QImage frame(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            frame.setPixel(x, y, qRgb((x * 37) & 0xff, (y * 59) & 0xff, (x * y) & 0xff));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("frame.bmp"));
    const QByteArray dib = PackBgrxFrameAsDib(frame.constBits(), w, h, frame.bytesPerLine());
    ASSERT_TRUE(WriteSnapshotFile(path, dib));

    QImage back(path);
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), frame.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(back.pixel(x, y) | 0xff000000u, frame.pixel(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Sizes, SnapshotImage,
                         ::testing::Values(SizeCase{1, 1}, SizeCase{7, 3}, SizeCase{64, 48}, SizeCase{640, 480}));

} // namespace
