#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The sweep itself: every leftover name on every drive letter, in order, each
// handed to a deleter whose result is ignored. The deleter is the seam: the
// program passes WineDrives, tests pass a recorder. Single thread.

// Formats "%c:\%s" into a kPathBufferBytes buffer, as the Windows path of
// fileName in the root of drive driveLetter; a longer result is cut to fit.
std::string buildDrivePath(char driveLetter, const char* fileName);

// Deletes the file a Windows path names; true when it was deleted.
using DeleteFileFunction = std::function<bool(const std::string& windowsPath)>;

// Tries every leftover name on drives C to Z (24 x 24 paths, letters outer,
// names in table order) and returns how many deletions were attempted.
std::size_t sweepDriveRoots(const DeleteFileFunction& deleteFile);

// Socket start-up of the original platform; POSIX sockets need none.
bool initialiseSockets();
