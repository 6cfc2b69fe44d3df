// kestrelview: a player for dash-camera recordings with their telemetry.
#include "cplayerapp.h"
#include "cwebbrowser2.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The embedded browser reads its settings from the environment before Qt starts.
    CWebBrowser2::PrepareEnvironment();
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("kestrelview"));
    application.setOrganizationName(QStringLiteral("Kestrelview"));
    // Named in the clip reports the player exports.
    application.setApplicationVersion(QStringLiteral(KESTREL_VERSION));
    ApplyDarkLook(application);

    CPlayerApp app;
    app.InitInstance(argc > 0 ? QString::fromLocal8Bit(argv[0]) : QString());
    return app.ExitInstance();
}
