#include "videopath.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* what;
    const char* override;
    bool contextMade;
    const char* renderer;
    VideoPath expected;
};

class VideoPathChoice : public ::testing::TestWithParam<PathCase> {};

TEST_P(VideoPathChoice, TakesTheGpuOnlyWhereItIsRealOrAskedFor)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(ChooseVideoPath(QString::fromUtf8(c.override), c.contextMade, QString::fromUtf8(c.renderer)),
              c.expected)
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VideoPathChoice,
    ::testing::Values(
        PathCase{"hardware renderer", "", true, "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)", VideoPath::Gl},
        PathCase{"Intel hardware", "", true, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", VideoPath::Gl},
        PathCase{"llvmpipe (Xvfb)", "", true, "llvmpipe (LLVM 15.0.6, 256 bits)", VideoPath::Software},
        PathCase{"softpipe", "", true, "softpipe", VideoPath::Software},
        PathCase{"swrast", "", true, "Software Rasterizer", VideoPath::Software},
        PathCase{"no renderer name", "", true, "", VideoPath::Software},
        PathCase{"no context", "", false, "AMD Radeon RX 6600", VideoPath::Software},
        PathCase{"forced gl on llvmpipe", "gl", true, "llvmpipe (LLVM 15.0.6, 256 bits)", VideoPath::Gl},
        PathCase{"forced gl, case and spaces", " GL ", true, "llvmpipe", VideoPath::Gl},
        PathCase{"forced gl without a context", "gl", false, "", VideoPath::Software},
        PathCase{"forced software on hardware", "software", true, "AMD Radeon RX 6600", VideoPath::Software},
        PathCase{"unknown value is automatic", "vulkan", true, "AMD Radeon RX 6600", VideoPath::Gl},
        PathCase{"unknown value on llvmpipe", "fast", true, "llvmpipe", VideoPath::Software}));

TEST(VideoPathChoice, OnlySoftwareSparesTheProbe)
{
    EXPECT_TRUE(VideoPathForcedSoftware(QStringLiteral("software")));
    EXPECT_TRUE(VideoPathForcedSoftware(QStringLiteral("Software\n")));
    EXPECT_FALSE(VideoPathForcedSoftware(QStringLiteral("gl")));
    EXPECT_FALSE(VideoPathForcedSoftware(QString()));
}

} // namespace
