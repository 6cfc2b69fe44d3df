// kestrelview: a player for dash-camera recordings with their telemetry.
#include "commandline.h"
#include "cplayerapp.h"
#include "cwebbrowser2.h"
#include "filenamecodec.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // The command line is read before the window system is reached, so
    // --help and --version need no display. Paths keep bytes that are no
    // UTF-8, as every file name of the program does.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(DecodeFileName(QByteArrayView(argv[i])));
    const CommandLine line = ParseCommandLine(arguments, QStringLiteral(KESTREL_VERSION));
    if (line.exitAtOnce) {
        if (!line.output.isEmpty())
            std::fputs(line.output.toLocal8Bit().constData(), stdout);
        if (!line.error.isEmpty())
            std::fprintf(stderr, "%s\n", line.error.toLocal8Bit().constData());
        return line.exitCode;
    }

    // The embedded browser reads its settings from the environment before Qt starts.
    CWebBrowser2::PrepareEnvironment();
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("kestrelview"));
    application.setOrganizationName(QStringLiteral("Kestrelview"));
    // Named in the clip reports the player exports.
    application.setApplicationVersion(QStringLiteral(KESTREL_VERSION));
    ApplyDarkLook(application);

    CPlayerApp app;
    app.InitInstance(argc > 0 ? QString::fromLocal8Bit(argv[0]) : QString(), line.paths);
    return app.ExitInstance();
}
