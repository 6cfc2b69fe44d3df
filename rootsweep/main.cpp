// rootsweep: removes the runtime installer's leftover files from the roots of
// the Windows drives (the Wine drive mappings) and ends. No arguments, no
// settings, no output; every failure passes in silence.
#include "messages.h"
#include "rootsweep.h"
#include "winedrives.h"

#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

const char* homeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user ? user->pw_dir : nullptr;
}

} // namespace

int main()
{
    if (!initialiseSockets()) {
        std::fprintf(stderr, "%s: %s\n", kProgramCaption, kSocketInitFailedText);
        return 0;
    }
    const WineDrives drives(WineDrives::prefixFromEnvironment(std::getenv("WINEPREFIX"), homeFolder()));
    sweepDriveRoots([&drives](const std::string& path) { return drives.deleteFile(path); });
    return 0;
}
