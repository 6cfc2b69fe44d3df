// Snapshot and print of the frame on screen, on a generated recording.
#include "cdxgraph.h"
#include "snapshotprint.h"
#include "uiseam.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A frame of the generator's picture is neither empty nor one flat colour.
bool LooksLikeAFrame(const QImage& image, const QSize& size)
{
    if (image.isNull() || image.size() != size)
        return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            if (image.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}
}  // namespace

class SnapshotPrintTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_recording;
    QString m_temp;
    QWidget m_videoArea;
    std::unique_ptr<CDXGraph> m_engine;
    QStringList m_warnings;

    void openEngine(bool running)
    {
        m_engine = std::make_unique<CDXGraph>();
        QVERIFY(m_engine->Create());
        QVERIFY(m_engine->RenderFile(m_recording));
        m_engine->SetDisplayWindow(&m_videoArea);
        if (running) {
            QVERIFY(m_engine->Run());
            QTRY_VERIFY_WITH_TIMEOUT(m_engine->IsRunning(), 3000);
        } else {
            QVERIFY(m_engine->Pause());
            QTRY_VERIFY_WITH_TIMEOUT(m_engine->IsPaused(), 3000);
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_recording = m_dir.filePath(QStringLiteral("clip.asf"));
        QProcess generator;
        generator.start(QStringLiteral(KESTREL_MAKE_RECORDING),
                        {QStringLiteral("--out"), m_recording, QStringLiteral("--seconds"), QStringLiteral("6"),
                         QStringLiteral("--width"), QStringLiteral("320"), QStringLiteral("--height"),
                         QStringLiteral("240"), QStringLiteral("--no-log")});
        if (!generator.waitForFinished(60000) || generator.exitCode() != 0)
            QSKIP("the recording generator could not make a recording (GStreamer plugins missing?)");
        m_temp = m_dir.filePath(QStringLiteral("private")) + QLatin1Char('/');
        QDir().mkpath(m_temp);
        m_videoArea.resize(320, 240);
        m_videoArea.show();
        UiSeam::warnHook = [this](QWidget*, const QString&, const QString& text) { m_warnings << text; };
    }

    void cleanupTestCase() { UiSeam::ResetHooks(); }

    void init()
    {
        m_warnings.clear();
        QFile::remove(m_temp + QStringLiteral("mysnapshot.bmp"));
        QFile::remove(m_temp + QStringLiteral("print.bmp"));
    }

    void cleanup()
    {
        m_engine.reset();
        UiSeam::saveHook = nullptr;
        UiSeam::printHook = nullptr;
    }

    void snapshotWhilePlayingSavesTheFrameAndResumes()
    {
        openEngine(true);
        const QString chosen = m_dir.filePath(QStringLiteral("frame.bmp"));
        bool pausedDuringDialog = false;
        QString startFolder;
        UiSeam::saveHook = [&](QWidget*, const SaveFileRequest& request) {
            pausedDuringDialog = !m_engine->IsRunning();
            startFolder = request.directory;
            return chosen;
        };
        SnapshotCommand(nullptr, m_engine.get(), m_temp);
        QVERIFY(pausedDuringDialog);
        QVERIFY(!startFolder.isEmpty());
        QVERIFY(LooksLikeAFrame(QImage(chosen), QSize(320, 240)));
        QVERIFY(!QFile::exists(m_temp + QStringLiteral("mysnapshot.bmp")));
        QTRY_VERIFY_WITH_TIMEOUT(m_engine->IsRunning(), 3000);
        QVERIFY(m_warnings.isEmpty());
    }

    void saveDialogStartsInAnExistingFolderWithNoName_data()
    {
        QTest::addColumn<bool>("picturesExists");
        QTest::newRow("Pictures folder") << true;
        QTest::newRow("no Pictures folder") << false;
    }

    void saveDialogStartsInAnExistingFolderWithNoName()
    {
        QFETCH(bool, picturesExists);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QByteArray oldHome = qgetenv("HOME");
        const bool configSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        const QString pictures = home.filePath(QStringLiteral("Pictures"));
        if (picturesExists)
            QVERIFY(QDir().mkpath(pictures));
        openEngine(false);

        // The real dialog, answered once it is up.
        bool shown = false;
        QString folder;
        QString name = QStringLiteral("<no name field>");
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || shown)
                return;
            shown = true;
            folder = dialog->directory().absolutePath();
            if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                name = edit->text();
            dialog->reject();
        });
        poll.start(20);
        SnapshotCommand(nullptr, m_engine.get(), m_temp);
        poll.stop();
        qputenv("HOME", oldHome);
        if (configSet)
            qputenv("XDG_CONFIG_HOME", oldConfig);
        else
            qunsetenv("XDG_CONFIG_HOME");

        QVERIFY(shown);
        QCOMPARE(folder, picturesExists ? pictures : home.path());
        QCOMPARE(name, QString());
        QVERIFY(QFile::exists(m_temp + QStringLiteral("mysnapshot.bmp")));
        QVERIFY(!QFile::exists(pictures + QStringLiteral(".bmp")));
    }

    void cancelledDialogKeepsTheWorkingFileAndThePause()
    {
        openEngine(false);
        UiSeam::saveHook = [](QWidget*, const SaveFileRequest&) { return QString(); };
        SnapshotCommand(nullptr, m_engine.get(), m_temp);
        QVERIFY(LooksLikeAFrame(QImage(m_temp + QStringLiteral("mysnapshot.bmp")), QSize(320, 240)));
        QVERIFY(m_engine->IsPaused());
    }

    void confirmedChoiceReplacesAnExistingFile()
    {
        openEngine(false);
        const QString chosen = m_dir.filePath(QStringLiteral("existing.bmp"));
        QFile old(chosen);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("not a picture");
        old.close();
        UiSeam::saveHook = [&](QWidget*, const SaveFileRequest&) { return chosen; };
        SnapshotCommand(nullptr, m_engine.get(), m_temp);
        QVERIFY(LooksLikeAFrame(QImage(chosen), QSize(320, 240)));
    }

    void failedMoveIsReportedAndTheWorkingFileStays()
    {
        openEngine(false);
        UiSeam::saveHook = [&](QWidget*, const SaveFileRequest&) {
            return m_dir.filePath(QStringLiteral("no/such/folder/frame.bmp"));
        };
        SnapshotCommand(nullptr, m_engine.get(), m_temp);
        QCOMPARE(m_warnings.size(), 1);
        QVERIFY(QFile::exists(m_temp + QStringLiteral("mysnapshot.bmp")));
    }

    void moveWorksAcrossFileSystems()
    {
        if (!QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            QSKIP("no second file system (/dev/shm) to move from");
        QTemporaryDir other(QStringLiteral("/dev/shm/kestrel-move-XXXXXX"));
        QVERIFY(other.isValid());
        const QString from = other.filePath(QStringLiteral("mysnapshot.bmp"));
        QFile source(from);
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write("BM frame bytes");
        source.close();
        const QString to = m_dir.filePath(QStringLiteral("moved.bmp"));
        QVERIFY(MoveReplacing(from, to));
        QCOMPARE(ReadAll(to), QByteArray("BM frame bytes"));
        QVERIFY(!QFile::exists(from));
    }

    void printProducesOnePageWithTheWholeFrame()
    {
        openEngine(false);
        const QString pdf = m_dir.filePath(QStringLiteral("frame.pdf"));
        QString documentName;
        UiSeam::printHook = [&](QWidget*, QPrinter* printer) {
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            documentName = printer->docName();
            return true;
        };
        PrintCommand(nullptr, m_engine.get(), m_temp);
        QCOMPARE(documentName, QStringLiteral("Print Window"));
        QVERIFY(!QFile::exists(m_temp + QStringLiteral("print.bmp")));
        const QByteArray bytes = ReadAll(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
        // The frame goes in whole, at its own pixel size.
        QVERIFY(bytes.contains("/Width 320"));
        QVERIFY(bytes.contains("/Height 240"));
        QVERIFY(m_engine->IsPaused());
    }

    void cancelledPrintStillRemovesTheWorkingFile()
    {
        openEngine(false);
        bool asked = false;
        UiSeam::printHook = [&](QWidget*, QPrinter*) {
            asked = true;
            return false;
        };
        PrintCommand(nullptr, m_engine.get(), m_temp);
        QVERIFY(asked);
        QVERIFY(!QFile::exists(m_temp + QStringLiteral("print.bmp")));
    }

    void commandsWithoutAnEngineDoNothing()
    {
        bool asked = false;
        UiSeam::saveHook = [&](QWidget*, const SaveFileRequest&) {
            asked = true;
            return QString();
        };
        SnapshotCommand(nullptr, nullptr, m_temp);
        PrintCommand(nullptr, nullptr, m_temp);
        QVERIFY(!asked);
        QVERIFY(QDir(m_temp).entryList(QDir::Files).isEmpty());
    }
};

QTEST_MAIN(SnapshotPrintTest)
#include "tst_snapshotprint.moc"
