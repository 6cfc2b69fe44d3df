#pragma once

#include <QByteArray>
#include <QString>

// Where the program finds its own files and where it keeps working files.
// Free functions, safe on any thread.

// The settings file's name beside the program.
inline constexpr char kPlayerSettingsFileName[] = "ZELPlayer.ini";

// The folder of the running executable, from /proc/self/exe, with a trailing
// '/'. Empty when the kernel does not tell.
QString ProgramDirectory();

// The folder part of the program path the process was started with (argv[0]),
// up to and including its last '/', kept as given (a relative "./" stays
// relative). When argv0 holds no '/' (started through PATH), the program's real
// folder from ProgramDirectory().
QString ModuleDirectoryFromArgument(const QString& argv0);

// moduleDirectory + "ZELPlayer.ini".
QString SettingsPathFor(const QString& moduleDirectory);

// The settings file the program reads and writes: SettingsPathFor(moduleDirectory)
// while it can be written there (the file, and its folder for the atomic
// replacement), else "ZELPlayer.ini" in the user's own folder for the program,
// $XDG_CONFIG_HOME/kestrelview/ (~/.config/kestrelview/ when that variable is
// unset or not absolute). A user file that does not exist yet starts as a copy
// of the program folder's one, when there is one. When no user folder can be
// made either, the program folder's file (read-only, as before).
QString SettingsPathInUse(const QString& moduleDirectory);

// The same rule with the user's configuration folder given (stands for
// $XDG_CONFIG_HOME; ignored unless absolute, then `home` + "/.config").
QString SettingsPathInUseUnder(const QString& moduleDirectory, const QString& configHome, const QString& home);

// The user's private folder for working files, with a trailing '/':
// $XDG_RUNTIME_DIR/kestrelview/ when that variable names an absolute folder,
// else /tmp/kestrelview-<uid>/. The folder is created with mode 0700 and is
// never reached through a symbolic link. An existing folder of ours with a
// looser mode is tightened to 0700; a link, a non-folder or a folder owned by
// someone else at that place is left alone and a fresh mkdtemp folder under
// /tmp is used instead (one per process). Empty only when no private folder
// can be made at all.
QString PrivateTempDirectory();

// The same rule with its two places given: runtimeDirectory stands for
// $XDG_RUNTIME_DIR (ignored unless absolute) and temporaryRoot for /tmp.
QString PrivateTempDirectoryUnder(const QString& runtimeDirectory, const QString& temporaryRoot);

// Writes data as the whole content of path, refusing to write through a
// symbolic link (or onto anything but a regular file) at that name. The data
// goes to a fresh temporary file in the same folder (mode 0600) that is then
// renamed over path, so readers see the old or the new content, never half.
// Returns false, leaving any existing file untouched, on any failure.
bool WriteFileNoFollow(const QString& path, const QByteArray& data);
