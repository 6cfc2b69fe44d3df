#pragma once

#include <array>
#include <cstddef>

// What the sweep deletes and where: the files the runtime installer leaves in
// a drive root, in the order they are tried, and the drive letters tried.

inline constexpr std::array<const char*, 24> kLeftoverNames = {
    "eula.1028.txt",        "eula.1031.txt",        "eula.1033.txt",        "eula.1036.txt",
    "eula.1040.txt",        "eula.1041.txt",        "eula.1042.txt",        "eula.2052.txt",
    "eula.3082.txt",        "globdata.ini",         "install.exe",          "install.ini",
    "install.res.1028.dll", "install.res.1031.dll", "install.res.1033.dll", "install.res.1036.dll",
    "install.res.1040.dll", "install.res.1041.dll", "install.res.1042.dll", "install.res.2052.dll",
    "install.res.3082.dll", "vc_red.msi",           "vc_red.cab",           "vcredist.bmp",
};

inline constexpr char kFirstDrive = 'C';
inline constexpr char kLastDrive = 'Z';
inline constexpr std::size_t kDriveCount = kLastDrive - kFirstDrive + 1; // 24

// Every path is formatted into a buffer of this many bytes.
inline constexpr std::size_t kPathBufferBytes = 2048;
