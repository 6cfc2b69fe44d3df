#include "mapoffsets.h"
#include "mapscript.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct FixCase {
    const char* name;
    std::optional<std::string> fileText;  // nullopt: no file
    double latitudeOffset;
    double longitudeOffset;
    const char* script;  // for the position 22.5, 113.25
};

class ManualFix : public ::testing::TestWithParam<FixCase> {};

TEST_P(ManualFix, GivesTheOffsetsAddedToThePosition)
{
    const FixCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("ManualFix.txt");
    if (c.fileText) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.fileText->data(), qint64(c.fileText->size()));
    }
    const MapOffsets offsets = ReadManualFix(path);
    EXPECT_DOUBLE_EQ(offsets.latitude, c.latitudeOffset);
    EXPECT_DOUBLE_EQ(offsets.longitude, c.longitudeOffset);
    EXPECT_EQ(SetLocationScript(22.5 + offsets.latitude, 113.25 + offsets.longitude).toStdString(), c.script);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ManualFix,
    ::testing::Values(
        FixCase{"NoFileGivesDefaults", std::nullopt, 0.001, -0.0003, R"(SetLocation("22.501000","113.249700"))"},
        FixCase{"ZerosLeaveThePosition", "0\n0\n", 0.0, 0.0, R"(SetLocation("22.500000","113.250000"))"},
        FixCase{"EmptyFileGivesZeros", "", 0.0, 0.0, R"(SetLocation("22.500000","113.250000"))"},
        FixCase{"MissingSecondLineGivesZero", "0.002\n", 0.002, 0.0, R"(SetLocation("22.502000","113.250000"))"},
        FixCase{"TooLargeKeepsDefaults", "0.1\r\n-0.25\r\n", 0.001, -0.0003,
                R"(SetLocation("22.501000","113.249700"))"},
        FixCase{"TextGivesZero", "north\n0.005\n", 0.0, 0.005, R"(SetLocation("22.500000","113.255000"))"},
        FixCase{"LeadingSpaceSignAndTrailingText", "  -0.002 deg\r\n+.0005x\r\n", -0.002, 0.0005,
                R"(SetLocation("22.498000","113.250500"))"},
        FixCase{"Exponents", "1e-3\n-5E-4\n", 0.001, -0.0005, R"(SetLocation("22.501000","113.249500"))"},
        FixCase{"NotANumberKeepsDefaults", "nan\ninf\n", 0.001, -0.0003, R"(SetLocation("22.501000","113.249700"))"},
        FixCase{"LinesAfterTheSecondIgnored", "0.003\n0.004\n0.09\n", 0.003, 0.004,
                R"(SetLocation("22.503000","113.254000"))"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ManualFixFile, FolderInsteadOfFileGivesDefaults)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkdir(dir.filePath("ManualFix.txt")));
    for (const QString& path : {dir.filePath("ManualFix.txt"), QString()}) {
        const MapOffsets offsets = ReadManualFix(path);
        EXPECT_DOUBLE_EQ(offsets.latitude, 0.001);
        EXPECT_DOUBLE_EQ(offsets.longitude, -0.0003);
    }
}

TEST(SetLocation, WritesSixDecimalsWithSign)
{
    struct Case {
        double latitude;
        double longitude;
        const char* script;
    };
    for (const Case& c : {Case{-33.8688, -151.2093, R"(SetLocation("-33.868800","-151.209300"))"},
                          Case{0.0, 0.0, R"(SetLocation("0.000000","0.000000"))"},
                          Case{12.3456789, -0.0000004, R"(SetLocation("12.345679","-0.000000"))"},
                          Case{-0.5, 179.9999996, R"(SetLocation("-0.500000","180.000000"))"}})
        EXPECT_EQ(SetLocationScript(c.latitude, c.longitude).toStdString(), c.script);
}

} // namespace
