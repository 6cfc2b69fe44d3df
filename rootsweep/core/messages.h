#pragma once

// The program's one message text (string 103). It belongs to the socket
// start-up, which cannot fail on POSIX, so it is kept for the record of what
// the program would say rather than ever shown.
inline constexpr int kSocketInitFailedId = 103;
inline constexpr char kSocketInitFailedText[] = "Windows 通信端口初始化失败。";
inline constexpr char kProgramCaption[] = "rootsweep";
