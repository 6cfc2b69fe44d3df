#include "winedrives.h"

#include <cctype>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

WineDrives::WineDrives(std::string prefix)
    : m_prefix(std::move(prefix))
{
}

std::string WineDrives::prefixFromEnvironment(const char* winePrefix, const char* home)
{
    if (winePrefix && *winePrefix)
        return winePrefix;
    if (home && *home)
        return std::string(home) + "/.wine";
    return std::string();
}

std::string WineDrives::driveEntry(char driveLetter) const
{
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(driveLetter)));
    return m_prefix + "/dosdevices/" + letter + ':';
}

bool WineDrives::deleteFile(const std::string& windowsPath) const
{
    if (m_prefix.empty() || windowsPath.size() < 4)
        return false;
    const unsigned char letter = static_cast<unsigned char>(windowsPath[0]);
    if (!std::isalpha(letter) || windowsPath[1] != ':' || windowsPath[2] != '\\')
        return false;
    const std::string name = windowsPath.substr(3);
    if (name == "." || name == ".." || name.find_first_of("\\/") != std::string::npos
        || name.find('\0') != std::string::npos)
        return false;

    // The mapping link is followed once, to reach the root; from there on
    // everything goes through the root's descriptor without following links.
    const int root = ::open(driveEntry(static_cast<char>(letter)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root < 0)
        return false; // no such drive

    bool deleted = false;
    struct stat st {};
    if (::fstatat(root, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        const bool readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
        if (S_ISLNK(st.st_mode) || (!S_ISDIR(st.st_mode) && !readOnly)) {
            // Flags 0: should a directory have replaced the file meanwhile,
            // unlinkat refuses it.
            deleted = ::unlinkat(root, name.c_str(), 0) == 0;
        }
    }
    ::close(root);
    return deleted;
}
