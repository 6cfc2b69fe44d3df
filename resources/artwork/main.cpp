// make-skin: paints the skin bitmaps of kestrelview into a folder, one
// <id>.png per bitmap number; optionally composes preview pictures.
//
//   make-skin <folder> [--preview <folder>]
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include "skinbook.h"
#include "skinpreview.h"

int main(int argc, char** argv)
{
    // Painting text needs a font database, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args.at(2) == QLatin1String("--preview"))) {
        err << "usage: make-skin <folder> [--preview <folder>]\n";
        return 2;
    }

    SkinBook book;
    book.paint();
    const QStringList problems = book.problems();
    for (const QString& problem : problems)
        err << problem << '\n';
    if (!problems.isEmpty())
        return 1;
    QString error;
    if (!book.write(args.at(1), &error)) {
        err << error << '\n';
        return 1;
    }

    if (args.size() == 4) {
        const QDir folder(args.at(3));
        QDir().mkpath(folder.path());
        const SkinPreview preview(book.images());
        const bool ok = preview.mainWindow(false).save(folder.filePath(QStringLiteral("skin-preview.png")))
            && preview.mainWindow(true).save(folder.filePath(QStringLiteral("skin-preview-playing.png")))
            && preview.aboutBox().save(folder.filePath(QStringLiteral("skin-preview-about.png")))
            && preview.contactSheet(3).save(folder.filePath(QStringLiteral("skin-preview-sheet.png")));
        if (!ok) {
            err << "cannot write the previews to " << folder.path() << '\n';
            return 1;
        }
    }
    return 0;
}
