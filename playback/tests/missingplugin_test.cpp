#include "missingplugin.h"

#include <gtest/gtest.h>

TEST(MissingPlugin, NamesThePackageThatBringsThePart)
{
    const std::pair<const char*, const char*> cases[] = {
        {"gstreamer|1.0|kestrelview|H.264 (Main Profile) decoder|decoder-video/x-h264, profile=(string)main",
         "gstreamer1.0-libav"},
        {"gstreamer|1.0|kestrelview|H.265 decoder|decoder-video/x-h265", "gstreamer1.0-libav"},
        {"gstreamer|1.0|kestrelview|MPEG-4 AAC decoder|decoder-audio/mpeg, mpegversion=(int)4", "gstreamer1.0-libav"},
        {"gstreamer|1.0|kestrelview|Windows Media Video 8|decoder-video/x-wmv, wmvversion=(int)2",
         "gstreamer1.0-libav"},
        {"gstreamer|1.0|kestrelview|Quicktime demuxer|decoder-video/quicktime", "gstreamer1.0-plugins-good"},
        {"gstreamer|1.0|kestrelview|Matroska demuxer|decoder-video/x-matroska", "gstreamer1.0-plugins-good"},
        {"gstreamer|1.0|kestrelview|MPEG-2 Transport Stream demuxer|decoder-video/mpegts, systemstream=(boolean)true",
         "gstreamer1.0-plugins-bad"},
        {"gstreamer|1.0|kestrelview|ASF demuxer|decoder-video/x-ms-asf", "gstreamer1.0-plugins-ugly"},
        {"decoder-video/QuickTime", "gstreamer1.0-plugins-good"},
        {"", "gstreamer1.0-libav"},
        {"|||||", "gstreamer1.0-libav"},
    };
    for (const auto& [detail, package] : cases)
        EXPECT_EQ(DebianPackageForMissingPlugin(QString::fromUtf8(detail)), QString::fromUtf8(package)) << detail;
}

TEST(MissingPlugin, EachPartIsReportedOnce)
{
    const QString h265 = "gstreamer|1.0|kestrelview|H.265 decoder|decoder-video/x-h265, profile=(string)main";
    EXPECT_TRUE(FirstReportOfMissingPlugin(h265));
    EXPECT_FALSE(FirstReportOfMissingPlugin(h265));
    // Another profile of the same decoder is the same missing part.
    EXPECT_FALSE(FirstReportOfMissingPlugin("gstreamer|1.0|other|H.265 decoder|decoder-video/x-h265, profile=main-10"));
    EXPECT_TRUE(FirstReportOfMissingPlugin("gstreamer|1.0|kestrelview|H.264 decoder|decoder-video/x-h264"));
}
