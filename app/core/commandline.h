#pragma once
// The program's command line: `kestrelview [OPTION] [PATH...]`, and what the
// paths given there (or dropped on the window) ask the player to open. QtCore
// only; read before the window system is reached, so --help and --version
// work without a display.
#include <QString>
#include <QStringList>

#include <functional>

struct CommandLine {
    // Help or version text printed on standard output, or the one line of an
    // error printed on standard error; the program then ends with exitCode.
    bool exitAtOnce = false;
    int exitCode = 0;
    QString output;
    QString error;
    // The paths, in their order, as given (relative ones not yet resolved).
    QStringList paths;
};

// arguments: the program's own argument vector, argv[0] first. Options of the
// toolkit itself (-platform NAME, -style NAME, …) are let through for it.
CommandLine ParseCommandLine(const QStringList& arguments, const QString& version);

// What a list of paths opens:
// - one or more folders and no recording: the last folder is listed;
// - one recording: its folder is listed, its row selected and played;
// - several recordings: they are listed as the open-file command lists them.
// Paths that do not exist, or name a file that is no recording, are left out
// and named in Unusable.
struct PathOpening {
    enum class Kind { Nothing, Folder, Recording, Recordings };
    struct Unusable {
        QString path;
        bool exists;  // a file that is no recording, else nothing is there
    };
    Kind kind = Kind::Nothing;
    QString folder;     // absolute, ending in '/': Folder and Recording
    QStringList files;  // absolute: the recording(s)
    QList<Unusable> unusable;
};

// Relative paths are taken from workingDirectory; isRecording tells a
// recording by its file name.
PathOpening ClassifyPaths(const QStringList& paths, const QString& workingDirectory,
                          const std::function<bool(const QString& fileName)>& isRecording);

// The one message about the unusable paths, a line each; empty when none.
QString UnusablePathsMessage(const QList<PathOpening::Unusable>& unusable);
