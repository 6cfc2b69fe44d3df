#pragma once

#include <string>

// Windows drive roots as a Wine installation maps them onto this machine:
// drive X is whatever $WINEPREFIX/dosdevices/x: points to. Deletes files there
// with the Windows rules. Holds only the prefix; any thread.
class WineDrives
{
public:
    explicit WineDrives(std::string prefix);

    // $WINEPREFIX when set and not empty, else home + "/.wine"; empty when
    // neither is known (no drive then exists).
    static std::string prefixFromEnvironment(const char* winePrefix, const char* home);

    // The mapping entry of a drive letter (either case): prefix/dosdevices/x:
    std::string driveEntry(char driveLetter) const;

    // Deletes the file a path of the form "X:\name" names in the root of drive
    // X, as Windows would: the name is matched without regard to case (every
    // entry spelled so goes), and a missing drive or file, a directory, or a file
    // without any write permission bit (read-only) makes it fail; a symbolic
    // link is removed itself and its target is left alone. Only the root
    // itself is looked into: a name holding '\' or '/', "." or ".." fails.
    // Returns true when something was deleted.
    bool deleteFile(const std::string& windowsPath) const;

private:
    std::string m_prefix;
};
