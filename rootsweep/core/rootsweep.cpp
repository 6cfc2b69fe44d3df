#include "rootsweep.h"

#include "leftovernames.h"

#include <cstdio>

std::string buildDrivePath(char driveLetter, const char* fileName)
{
    char buffer[kPathBufferBytes];
    const int length = std::snprintf(buffer, sizeof buffer, "%c:\\%s", driveLetter, fileName);
    if (length < 0)
        return std::string();
    return std::string(buffer);
}

std::size_t sweepDriveRoots(const DeleteFileFunction& deleteFile)
{
    std::size_t attempts = 0;
    for (char drive = kFirstDrive; drive <= kLastDrive; ++drive) {
        for (const char* name : kLeftoverNames) {
            ++attempts;
            (void)deleteFile(buildDrivePath(drive, name)); // failures pass in silence
        }
    }
    return attempts;
}

bool initialiseSockets()
{
    return true;
}
