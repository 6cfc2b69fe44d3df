#pragma once
// VideoFrame: one frame as a VideoSurface shows it. Either a 32-bit image
// (the software path: GStreamer has converted and scaled it to the picture's
// size) or the three planes of an I420 frame at the video's native size with
// the colour matrix that turns them into RGB (the GL path: the GPU converts and
// scales). Cheap to copy; the memory it points to lives while any copy does.
// Made on the UI thread by CDXGraph.
#include <QImage>
#include <QSize>

#include <memory>

class VideoFrame {
public:
    VideoFrame() = default;
    // Implicit: a software frame is its image.
    VideoFrame(const QImage& image) // NOLINT(google-explicit-constructor)
        : m_image(image)
    {
    }

    // Y'CbCr to R'G'B' as Kr and Kb of the matrix (0.299 / 0.114 for BT.601,
    // 0.2126 / 0.0722 for BT.709) and whether the values span 0..255 or the
    // limited 16..235 (luma) / 16..240 (chroma).
    struct Colour {
        float kr = 0.299f;
        float kb = 0.114f;
        bool fullRange = false;
    };

    // planes/strides: Y at full size, then Cb and Cr at half width and height
    // (rounded up). keep owns the memory.
    static VideoFrame fromI420(QSize size, const uchar* const planes[3], const int strides[3], Colour colour,
                               std::shared_ptr<const void> keep)
    {
        VideoFrame frame;
        frame.m_yuvSize = size;
        for (int i = 0; i < 3; ++i) {
            frame.m_planes[i] = planes[i];
            frame.m_strides[i] = strides[i];
        }
        frame.m_colour = colour;
        frame.m_keep = std::move(keep);
        return frame;
    }

    bool isNull() const { return m_image.isNull() && !m_keep; }
    bool isYuv() const { return bool(m_keep); }
    QSize size() const { return isYuv() ? m_yuvSize : m_image.size(); }
    const QImage& image() const { return m_image; }
    const uchar* plane(int i) const { return m_planes[i]; }
    int stride(int i) const { return m_strides[i]; }
    const Colour& colour() const { return m_colour; }

private:
    QImage m_image;
    QSize m_yuvSize;
    const uchar* m_planes[3] = {nullptr, nullptr, nullptr};
    int m_strides[3] = {0, 0, 0};
    Colour m_colour;
    std::shared_ptr<const void> m_keep;
};
