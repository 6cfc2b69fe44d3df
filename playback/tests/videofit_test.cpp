#include "videofit.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    const char* what;
    QSize area;
    QSize video;
    int parN;
    int parD;
    QRect expected;
};

class FitVideoPlace : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitVideoPlace, KeepsTheProportionsCentredWithBars)
{
    const FitCase& c = GetParam();
    const QRect r = FitVideo(c.area, c.video, c.parN, c.parD);
    EXPECT_EQ(r, c.expected) << c.what << ": got " << r.x() << "," << r.y() << " " << r.width() << "x"
                             << r.height();
}

// The main window's video area is 605 x 382 (about 1.58:1).
INSTANTIATE_TEST_SUITE_P(
    Areas, FitVideoPlace,
    ::testing::Values(
        FitCase{"16:9 in the video area: bars above and below", {605, 382}, {1920, 1080}, 1, 1, {0, 21, 605, 340}},
        FitCase{"4:3 in the video area: bars left and right", {605, 382}, {640, 480}, 1, 1, {48, 0, 509, 382}},
        FitCase{"16:9 on a 16:9 screen fills it", {1920, 1080}, {1280, 720}, 1, 1, {0, 0, 1920, 1080}},
        FitCase{"4:3 on a 16:9 screen", {1920, 1080}, {640, 480}, 1, 1, {240, 0, 1440, 1080}},
        FitCase{"same size", {605, 382}, {605, 382}, 1, 1, {0, 0, 605, 382}},
        FitCase{"wide pixels make 720x576 16:9", {1024, 576}, {720, 576}, 64, 45, {0, 0, 1024, 576}},
        FitCase{"tall area", {300, 900}, {1280, 720}, 1, 1, {0, 365, 300, 169}},
        FitCase{"a sliver never vanishes", {605, 382}, {10000, 1}, 1, 1, {0, 190, 605, 1}},
        FitCase{"empty area", {0, 382}, {640, 480}, 1, 1, {}},
        FitCase{"unknown picture", {605, 382}, {0, 0}, 1, 1, {}},
        FitCase{"bad pixel aspect", {605, 382}, {640, 480}, 0, 1, {}}));

} // namespace
