#include "snapshotprint.h"

#include "cdxgraph.h"
#include "uiseam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>

namespace {
constexpr auto kSnapshotFile = "mysnapshot.bmp";
constexpr auto kPrintFile = "print.bmp";
constexpr auto kDocumentName = "Print Window";
}  // namespace

bool MoveReplacing(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    // Another file system: copy into a temporary file beside the target, then replace.
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 16);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return false;
        }
    }
    if (!target.commit())
        return false;
    source.close();
    QFile::remove(from);
    return true;
}

QString SnapshotStartFolder()
{
    // A folder that does not exist would reach the save dialog as a file name
    // ("Pictures", saved as "~/Pictures.bmp"), so only an existing one is offered.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

QString SnapshotCommand(QWidget* owner, CDXGraph* engine, const QString& tempDirectory)
{
    if (!engine)
        return QString();
    QString saved;
    const bool wasRunning = engine->IsRunning();
    if (wasRunning)
        engine->Pause();

    const QString working = tempDirectory + QLatin1String(kSnapshotFile);
    if (engine->SaveSnapshot(working)) {
        SaveFileRequest request;
        request.directory = SnapshotStartFolder();
        request.filter = QStringLiteral("BMP File (*.bmp)");
        request.defaultSuffix = QStringLiteral("bmp");
        const QString chosen = UiSeam::SaveFile(owner, request);
        if (!chosen.isEmpty()) {
            if (MoveReplacing(working, chosen)) {
                saved = chosen;
            } else {
                UiSeam::Warn(owner, QStringLiteral("Snapshot"),
                             QStringLiteral("The snapshot could not be saved as \"%1\". It is kept as \"%2\".")
                                 .arg(chosen, working));
            }
        }
    }

    if (wasRunning)
        engine->Run();
    return saved;
}

void PrintCommand(QWidget* owner, CDXGraph* engine, const QString& tempDirectory)
{
    if (!engine)
        return;
    const QString working = tempDirectory + QLatin1String(kPrintFile);
    if (!engine->SaveSnapshot(working))
        return;
    const QImage frame(working);
    QFile::remove(working);
    if (frame.isNull())
        return;

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QLatin1String(kDocumentName));
    if (!UiSeam::Print(owner, &printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    // The whole frame, as large as the printable area allows, at its top-left.
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize fitted = frame.size().scaled(area.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), fitted), frame);
    painter.end();
}
