#include "commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {
// The toolkit's own options that take a value; QApplication removes them
// from the arguments later.
constexpr const char* kToolkitValueOptions[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "display", "style", "stylesheet",
    "qwindowgeometry", "qwindowtitle", "qwindowicon", "session", "geometry", "title",
};
constexpr const char* kToolkitSwitches[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QString HelpText()
{
    return QStringLiteral(
        "Usage: kestrelview [OPTION] [PATH...]\n"
        "Plays dash-camera recordings with their telemetry.\n"
        "\n"
        "  PATH         a folder: lists its recordings;\n"
        "               one recording: lists its folder and plays it;\n"
        "               several recordings: lists just those.\n"
        "  -h, --help   show this help and exit\n"
        "  --version    show the version and exit\n");
}
}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments, const QString& version)
{
    QCommandLineParser parser;
    // "-platform" is one option of the toolkit, not the letters p, l, a, …
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringLiteral("version"));
    parser.addOption(help);
    parser.addOption(versionOption);
    for (const char* name : kToolkitValueOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char* name : kToolkitSwitches)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    CommandLine result;
    const QStringList withProgram = arguments.isEmpty() ? QStringList{QStringLiteral("kestrelview")} : arguments;
    if (!parser.parse(withProgram)) {
        result.exitAtOnce = true;
        result.exitCode = 2;
        // The parser's text ("Unknown option 'x'.") is one line already.
        result.error = QStringLiteral("kestrelview: %1 Try 'kestrelview --help'.")
                           .arg(parser.errorText().simplified());
        return result;
    }
    if (parser.isSet(help)) {
        result.exitAtOnce = true;
        result.output = HelpText();
        return result;
    }
    if (parser.isSet(versionOption)) {
        result.exitAtOnce = true;
        result.output = QStringLiteral("kestrelview %1\n").arg(version);
        return result;
    }
    result.paths = parser.positionalArguments();
    return result;
}

PathOpening ClassifyPaths(const QStringList& paths, const QString& workingDirectory,
                          const std::function<bool(const QString& fileName)>& isRecording)
{
    PathOpening opening;
    QString lastFolder;
    QStringList recordings;
    const QDir base(workingDirectory);
    for (const QString& given : paths) {
        if (given.isEmpty())
            continue;
        const QString path = QDir::cleanPath(base.absoluteFilePath(given));
        const QFileInfo info(path);
        if (info.isDir()) {
            lastFolder = path.endsWith(u'/') ? path : path + u'/';
        } else if (info.exists() && info.isFile() && isRecording(info.fileName())) {
            if (!recordings.contains(path))
                recordings.append(path);
        } else {
            opening.unusable.append({given, info.exists()});
        }
    }
    if (recordings.size() == 1) {
        opening.kind = PathOpening::Kind::Recording;
        opening.files = recordings;
        const QString folder = QFileInfo(recordings.first()).absolutePath();
        opening.folder = folder.endsWith(u'/') ? folder : folder + u'/';
    } else if (recordings.size() > 1) {
        opening.kind = PathOpening::Kind::Recordings;
        opening.files = recordings;
    } else if (!lastFolder.isEmpty()) {
        opening.kind = PathOpening::Kind::Folder;
        opening.folder = lastFolder;
    }
    return opening;
}

QString UnusablePathsMessage(const QList<PathOpening::Unusable>& unusable)
{
    QStringList lines;
    for (const PathOpening::Unusable& u : unusable) {
        lines.append(u.exists ? QStringLiteral("Not a recording: %1").arg(u.path)
                              : QStringLiteral("Not found: %1").arg(u.path));
    }
    return lines.join(u'\n');
}
