#include "winedrives.h"

#include <cctype>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Case-insensitive in ASCII only, as the leftover names are; no locale.
bool sameNameIgnoringCase(const char* entry, const std::string& name)
{
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    std::size_t i = 0;
    for (; entry[i] != '\0'; ++i) {
        if (i >= name.size() || lower(static_cast<unsigned char>(entry[i])) != lower(static_cast<unsigned char>(name[i])))
            return false;
    }
    return i == name.size();
}

} // namespace

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

    // Windows finds a name whatever its case, so every entry that differs from
    // the name only in case is the file (a Linux folder may hold several).
    bool deleted = false;
    const int listing = ::dup(root);
    DIR* dir = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!dir && listing >= 0)
        ::close(listing);
    while (dir) {
        const dirent* entry = ::readdir(dir);
        if (!entry)
            break;
        if (!sameNameIgnoringCase(entry->d_name, name))
            continue;
        struct stat st {};
        if (::fstatat(root, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        const bool readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
        if (S_ISLNK(st.st_mode) || (!S_ISDIR(st.st_mode) && !readOnly)) {
            // Flags 0: should a directory have replaced the file meanwhile,
            // unlinkat refuses it.
            deleted = ::unlinkat(root, entry->d_name, 0) == 0 || deleted;
        }
    }
    if (dir)
        ::closedir(dir);
    ::close(root);
    return deleted;
}
