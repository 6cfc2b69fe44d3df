#include "leftovernames.h"
#include "rootsweep.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

TEST(RootSweep, BuildsWindowsPathsInTheDriveRoot)
{
    const struct
    {
        char drive;
        std::string name;
        std::string expected;
    } cases[] = {
        {'C', "vcredist.bmp", "C:\\vcredist.bmp"},
        {'Z', "install.res.3082.dll", "Z:\\install.res.3082.dll"},
        {'D', "", "D:\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildDrivePath(c.drive, c.name.c_str()), c.expected);
}

TEST(RootSweep, CutsAPathToItsBuffer)
{
    const std::string name(3000, 'n');
    const std::string path = buildDrivePath('C', name.c_str());
    EXPECT_EQ(path.size(), kPathBufferBytes - 1);
    EXPECT_EQ(path.substr(0, 4), "C:\\n");
}

TEST(RootSweep, TriesEveryNameOnEveryDriveInOrder)
{
    std::vector<std::string> paths;
    const std::size_t attempts = sweepDriveRoots([&paths](const std::string& path) {
        paths.push_back(path);
        return false;
    });

    EXPECT_EQ(attempts, 576u);
    ASSERT_EQ(paths.size(), 576u);
    EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()).size(), 576u);
    const std::pair<std::size_t, const char*> landmarks[] = {
        {0, "C:\\eula.1028.txt"},   {9, "C:\\globdata.ini"},     {10, "C:\\install.exe"},
        {21, "C:\\vc_red.msi"},     {23, "C:\\vcredist.bmp"},    {24, "D:\\eula.1028.txt"},
        {35, "D:\\install.ini"},    {551, "Y:\\vcredist.bmp"},   {552, "Z:\\eula.1028.txt"},
        {575, "Z:\\vcredist.bmp"},
    };
    for (const auto& [index, path] : landmarks)
        EXPECT_EQ(paths[index], path) << "attempt " << index;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(paths[i][0], static_cast<char>('C' + i / 24)) << "attempt " << i;
        EXPECT_EQ(paths[i].substr(3), kLeftoverNames[i % 24]) << "attempt " << i;
    }
}

TEST(RootSweep, KeepsGoingWhateverADeletionReports)
{
    std::size_t calls = 0;
    const std::size_t attempts = sweepDriveRoots([&calls](const std::string&) { return ++calls % 3 == 0; });
    EXPECT_EQ(attempts, 576u);
    EXPECT_EQ(calls, 576u);
}

TEST(RootSweep, SocketStartUpNeverFails)
{
    EXPECT_TRUE(initialiseSockets());
}

} // namespace
