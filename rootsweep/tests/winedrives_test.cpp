#include "rootsweep.h"
#include "winedrives.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void makeFile(const fs::path& path, const std::string& content = "leftover")
{
    std::ofstream(path) << content;
}

bool present(const fs::path& path)
{
    return fs::exists(fs::symlink_status(path));
}

std::string contentOf(const fs::path& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A Wine prefix with two drives: c: -> drive_c (relative link, as Wine makes
// it) and d: -> an absolute folder elsewhere. Files outside both roots live in
// outside/.
class FakePrefix : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/rootsweep-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_base = pattern;
        m_prefix = m_base / "prefix";
        m_c = m_prefix / "drive_c";
        m_d = m_base / "second-disk";
        m_outside = m_base / "outside";
        fs::create_directories(m_prefix / "dosdevices");
        fs::create_directories(m_c);
        fs::create_directories(m_d);
        fs::create_directories(m_outside);
        fs::create_directory_symlink("../drive_c", m_prefix / "dosdevices" / "c:");
        fs::create_directory_symlink(m_d, m_prefix / "dosdevices" / "d:");
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(m_c, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_base, ignored);
    }

    // The cases every run must satisfy, planted before it.
    void plantLeftovers()
    {
        makeFile(m_c / "vcredist.bmp");
        makeFile(m_d / "install.ini");
        makeFile(m_c / "globdata.ini");
        fs::permissions(m_c / "globdata.ini", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        makeFile(m_c / "install.exe");        // after the read-only one in the list
        makeFile(m_d / "install.res.3082.dll");
        fs::create_directories(m_c / "sub");
        makeFile(m_c / "sub" / "install.exe"); // below a root
        makeFile(m_outside / "target.msi", "target");
        fs::create_symlink(m_outside / "target.msi", m_c / "vc_red.msi");
        fs::create_directories(m_outside / "folder");
        makeFile(m_outside / "folder" / "inside.txt", "kept");
        fs::create_directory_symlink(m_outside / "folder", m_d / "vc_red.cab");
        fs::create_directories(m_c / "install.ini"); // a directory of a leftover's name
        makeFile(m_c / "install.ini" / "eula.1033.txt");
        makeFile(m_c / "keep.txt", "user file");
        makeFile(m_c / "Install.exe.bak");
        makeFile(m_prefix / "vcredist.bmp");   // beside the root, not in it
        // Windows matches names without regard to case.
        makeFile(m_d / "VC_RED.MSI");
        makeFile(m_d / "Install.Res.1033.dll");
        makeFile(m_d / "EULA.1041.txt");
        makeFile(m_d / "eula.1041.TXT");      // two spellings on Linux: both go
        makeFile(m_c / "EULA.1033.TXT");
        fs::permissions(m_c / "EULA.1033.TXT", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        fs::create_directories(m_d / "GlobData.ini");
        makeFile(m_d / "VC_RED.MSI.old");
    }

    void expectLeftoversSwept()
    {
        EXPECT_FALSE(present(m_c / "vcredist.bmp"));
        EXPECT_FALSE(present(m_d / "install.ini"));
        EXPECT_TRUE(present(m_c / "globdata.ini")) << "read-only stays";
        EXPECT_FALSE(present(m_c / "install.exe")) << "the list goes on after a failure";
        EXPECT_FALSE(present(m_d / "install.res.3082.dll"));
        EXPECT_TRUE(present(m_c / "sub" / "install.exe"));
        EXPECT_FALSE(present(m_c / "vc_red.msi")) << "the link itself goes";
        EXPECT_EQ(contentOf(m_outside / "target.msi"), "target");
        EXPECT_FALSE(present(m_d / "vc_red.cab"));
        EXPECT_EQ(contentOf(m_outside / "folder" / "inside.txt"), "kept");
        EXPECT_TRUE(fs::is_directory(fs::symlink_status(m_c / "install.ini")));
        EXPECT_TRUE(present(m_c / "install.ini" / "eula.1033.txt"));
        EXPECT_TRUE(present(m_c / "keep.txt"));
        EXPECT_TRUE(present(m_c / "Install.exe.bak"));
        EXPECT_TRUE(present(m_prefix / "vcredist.bmp"));
        EXPECT_FALSE(present(m_d / "VC_RED.MSI"));
        EXPECT_FALSE(present(m_d / "Install.Res.1033.dll"));
        EXPECT_FALSE(present(m_d / "EULA.1041.txt"));
        EXPECT_FALSE(present(m_d / "eula.1041.TXT"));
        EXPECT_TRUE(present(m_c / "EULA.1033.TXT")) << "read-only stays in any case";
        EXPECT_TRUE(fs::is_directory(fs::symlink_status(m_d / "GlobData.ini")));
        EXPECT_TRUE(present(m_d / "VC_RED.MSI.old"));
        EXPECT_TRUE(fs::is_symlink(m_prefix / "dosdevices" / "c:"));
        EXPECT_TRUE(fs::is_symlink(m_prefix / "dosdevices" / "d:"));
    }

    fs::path m_base, m_prefix, m_c, m_d, m_outside;
};

TEST_F(FakePrefix, SweepRemovesLeftoversWithTheWindowsRules)
{
    plantLeftovers();
    const WineDrives drives(m_prefix.string());
    std::size_t deleted = 0;
    std::size_t seen = 0;
    const std::size_t attempts = sweepDriveRoots([&](const std::string& path) {
        ++seen;
        const bool gone = drives.deleteFile(path);
        deleted += gone ? 1 : 0;
        return gone;
    });
    EXPECT_EQ(attempts, 576u);
    EXPECT_EQ(seen, 576u);
    // vcredist.bmp, install.exe, vc_red.msi on C; install.ini, the dll, vc_red.cab,
    // VC_RED.MSI, Install.Res.1033.dll and both spellings of eula.1041.txt (one
    // call) on D.
    EXPECT_EQ(deleted, 9u);
    expectLeftoversSwept();
}

TEST_F(FakePrefix, DeleteReportsWhatHappened)
{
    plantLeftovers();
    const WineDrives drives(m_prefix.string());
    const std::pair<const char*, bool> cases[] = {
        {"C:\\vcredist.bmp", true},
        {"C:\\vcredist.bmp", false},        // already gone
        {"c:\\install.exe", true},          // lower-case drive letter
        {"C:\\globdata.ini", false},        // read-only
        {"D:\\vc_red.msi", true},           // VC_RED.MSI
        {"D:\\VC_RED.MSI", false},          // already gone
        {"D:\\globdata.ini", false},        // GlobData.ini, a directory
        {"C:\\eula.1033.txt", false},       // EULA.1033.TXT, read-only
        {"C:\\install.ini", false},         // a directory
        {"E:\\install.exe", false},         // no such drive
        {"C:\\sub\\install.exe", false},    // below the root
        {"C:\\sub/install.exe", false},
        {"C:\\..", false},
        {"C:\\.", false},
        {"C:\\", false},
        {"C:", false},
        {"C:keep.txt", false},
        {"1:\\keep.txt", false},
        {"", false},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(drives.deleteFile(path), expected) << path;
    EXPECT_TRUE(present(m_c / "sub" / "install.exe"));
    EXPECT_TRUE(present(m_c / "keep.txt"));
    EXPECT_TRUE(present(m_c / "globdata.ini"));
}

TEST_F(FakePrefix, MappingThatIsNoFolderIsAMissingDrive)
{
    makeFile(m_outside / "file");
    fs::create_symlink(m_outside / "file", m_prefix / "dosdevices" / "e:");
    fs::create_directory_symlink(m_base / "nowhere", m_prefix / "dosdevices" / "f:");
    const WineDrives drives(m_prefix.string());
    EXPECT_FALSE(drives.deleteFile("E:\\file"));
    EXPECT_FALSE(drives.deleteFile("F:\\install.exe"));
    EXPECT_TRUE(present(m_outside / "file"));
    EXPECT_FALSE(WineDrives(std::string()).deleteFile("C:\\vcredist.bmp"));
}

TEST(WineDrivesPrefix, ComesFromTheEnvironment)
{
    const struct
    {
        const char* winePrefix;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/srv/wine", "/home/u", "/srv/wine"},
        {"", "/home/u", "/home/u/.wine"},
        {nullptr, "/home/u", "/home/u/.wine"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WineDrives::prefixFromEnvironment(c.winePrefix, c.home), c.expected);
    EXPECT_EQ(WineDrives("/p").driveEntry('Q'), "/p/dosdevices/q:");
}

// The built program, run the way the player starts it.
TEST_F(FakePrefix, ProgramSweepsSilentlyAndExitsZero)
{
    plantLeftovers();
    int output[2];
    ASSERT_EQ(::pipe(output), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::dup2(output[1], STDERR_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        ::setenv("WINEPREFIX", m_prefix.c_str(), 1);
        ::setenv("HOME", m_base.c_str(), 1); // never the real home, whatever happens
        ::execl(ROOTSWEEP_PROGRAM, "rootsweep", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(output[1]);
    std::string said;
    std::array<char, 256> chunk {};
    ssize_t got;
    while ((got = ::read(output[0], chunk.data(), chunk.size())) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        said.append(chunk.data(), static_cast<std::size_t>(got));
    }
    ::close(output[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(said, "");
    expectLeftoversSwept();
}

} // namespace
