// The configuration dialog on fixture files: what it shows, what Apply writes.
#include "cconfiguration.h"
#include "controlid.h"
#include "uiseam.h"
#include "uitexttable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <csignal>

#include <sys/resource.h>

namespace {
QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

// The ten lines a camera expects, with the values a fresh file gets.
const QByteArray kDefaultFile =
    "[BEFORE_VIDEO_EVENT= 60]      ; Recording time before event per video, Second unit. Valid value is 2 ~ 60.\r\n"
    "[VIDEO_EVENT_LENGTH=300]      ; Recording time after event trigger per video, Second unit. Valid value is 10 ~ 300.\r\n"
    "[VIDEO_LENGTH=600]            ; Recording time per video after press key, Second unit. Valid value is 60 ~ 600.\r\n"
    "[SHOW_STRING=0]              ; 0: Don't show overlay string on video, 1: Show overlay string on video, 2: Show overlay string with version, 3: Only show time stamp on video.\r\n"
    "[G_LIMITX=1.00]              ; Capture video if X absolute G sensor value greater than G_LIMITX, valid value is 0 ~ 8.\r\n"
    "[G_LIMITY=1.00]              ; Capture video if Y absolute G sensor value greater than G_LIMITY, valid value is 0 ~ 8.\r\n"
    "[G_LIMITZ=2.00]              ; Capture video if Z absolute G sensor value greater than G_LIMITZ, valid value is 0 ~ 8.\r\n"
    "[OVERWRITE=  1]               ; 1: overwrite enable, 0: overwrite disable\r\n"
    "[CIS_MIRROR=  0]              ; 1: Image sensor row column mirror, 0: Otherwise\r\n"
    "[TIME_ZONE=  8]               ; Time zone, hour unit. Valid value is -12 ~ 12\r\n";
}  // namespace

class ConfigurationTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QStringList m_warnings;

    QString fixture(const QString& name, const QByteArray& content)
    {
        const QString path = m_dir.filePath(name);
        WriteAll(path, content);
        return path;
    }

private slots:
    void initTestCase()
    {
        CurrentLanguage = 0;
        UiSeam::warnHook = [this](QWidget*, const QString&, const QString& text) { m_warnings << text; };
    }
    void cleanupTestCase() { UiSeam::ResetHooks(); }
    void init() { m_warnings.clear(); }

    void showsTheLocalisedTexts()
    {
        CurrentLanguage = 0;
        Cconfiguration dialog;
        dialog.SetFilePath(fixture(QStringLiteral("setup.ini"), ""));
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Configuration"));
        QCOMPARE(FindControl<QPushButton>(&dialog, 1)->text(), QStringLiteral("Apply"));
        QCOMPARE(FindControl<QPushButton>(&dialog, 2)->text(), QStringLiteral("Close"));
        QVERIFY(!FindControl(&dialog, Cconfiguration::kOverlayVersion)->isVisible());
        QVERIFY(!FindControl(&dialog, Cconfiguration::kTimestampOnly)->isVisible());
        QCOMPARE(FindControl<QComboBox>(&dialog, Cconfiguration::kTimeZone)->count(), 25);
        QCOMPARE(FindControl<QComboBox>(&dialog, Cconfiguration::kTimeZone)->itemText(12), QStringLiteral("GTM"));
        dialog.reject();
    }

    void showsWhatTheFileHolds_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<int>("checkedRadio");
        QTest::addColumn<QString>("limitX");
        QTest::newRow("no time zone") << QByteArray("[VIDEO_LENGTH=120]\r\n") << "GTM +08:00" << 1053 << "1";
        QTest::newRow("zone -5") << QByteArray("[TIME_ZONE=-5]\n") << "GTM -05:00" << 1053 << "1";
        QTest::newRow("show string 2 shows 1") << QByteArray("[SHOW_STRING=2]\n") << "GTM +08:00" << 1054 << "1";
        QTest::newRow("limit clamped") << QByteArray("[G_LIMITX=9.5]\n") << "GTM +08:00" << 1053 << "8";
        QTest::newRow("zone out of range") << QByteArray("[TIME_ZONE=20]\n") << "" << 1053 << "1";
    }

    void showsWhatTheFileHolds()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, zone);
        QFETCH(int, checkedRadio);
        QFETCH(QString, limitX);
        Cconfiguration dialog;
        dialog.SetFilePath(fixture(QStringLiteral("setup.ini"), content));
        dialog.show();
        QCOMPARE(FindControl<QComboBox>(&dialog, Cconfiguration::kTimeZone)->currentText(), zone);
        QVERIFY(FindControl<QRadioButton>(&dialog, checkedRadio)->isChecked());
        QCOMPARE(FindControl<QLineEdit>(&dialog, Cconfiguration::kLimitX)->text(), limitX);
        QVERIFY(!FindControl(&dialog, Cconfiguration::kDate)->isEnabled());
        dialog.reject();
    }

    void applyWritesTheWholeFileExactly()
    {
        const QString path = fixture(QStringLiteral("setup.ini"), "[SHOW_STRING=2]\r\n; my own note\r\n");
        Cconfiguration dialog;
        dialog.SetFilePath(path);
        dialog.show();
        FindControl<QRadioButton>(&dialog, Cconfiguration::kNoOverlay)->setChecked(true);
        QTest::mouseClick(FindControl<QPushButton>(&dialog, 1), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(ReadAll(path), kDefaultFile);
    }

    void applyKeepsTheOverlayChoiceAndTheUnknownZone()
    {
        const QString path = fixture(QStringLiteral("setup.ini"), "[SHOW_STRING=2]\n[TIME_ZONE=20]\n");
        Cconfiguration dialog;
        dialog.SetFilePath(path);
        dialog.show();
        dialog.accept();
        const QByteArray written = ReadAll(path);
        QVERIFY(written.contains("[SHOW_STRING=1]"));
        QVERIFY(written.contains("[TIME_ZONE= 20]"));
    }

    void refusesOutOfRangeValuesAndWritesNothing_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("61 pre-event") << int(Cconfiguration::kBeforeEvent) << "61";
        QTest::newRow("9 for X") << int(Cconfiguration::kLimitX) << "9";
        QTest::newRow("text length") << int(Cconfiguration::kVideoLength) << "ten";
        QTest::newRow("signed nan for Y") << int(Cconfiguration::kLimitY) << "-nan";
        QTest::newRow("infinity for Z") << int(Cconfiguration::kLimitZ) << "Infinity";
    }

    void refusesOutOfRangeValuesAndWritesNothing()
    {
        QFETCH(int, control);
        QFETCH(QString, text);
        const QByteArray original = "[VIDEO_LENGTH=120]\n";
        const QString path = fixture(QStringLiteral("setup.ini"), original);
        Cconfiguration dialog;
        dialog.SetFilePath(path);
        dialog.show();
        FindControl<QLineEdit>(&dialog, control)->setText(text);
        dialog.accept();
        QCOMPARE(m_warnings.size(), 1);
        QVERIFY(dialog.isVisible());
        QCOMPARE(ReadAll(path), original);
        dialog.reject();
    }

    void refusesNotANumberAndInfinityLikeAnOutOfRangeLimit_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<QString>("text");
        for (const char* text : {"nan", "NaN", "NAN", "inf", "INF", "-Inf", "+inf"})
            QTest::newRow(text) << int(Cconfiguration::kLimitX) << QString::fromLatin1(text);
        QTest::newRow("nan for Z") << int(Cconfiguration::kLimitZ) << "nan";
    }

    void refusesNotANumberAndInfinityLikeAnOutOfRangeLimit()
    {
        QFETCH(int, control);
        QFETCH(QString, text);
        const QByteArray original = "[G_LIMITX=1.50]\r\n";
        const QString path = fixture(QStringLiteral("setup.ini"), original);
        Cconfiguration dialog;
        dialog.SetFilePath(path);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* edit = FindControl<QLineEdit>(&dialog, control);
        FindControl<QLineEdit>(&dialog, Cconfiguration::kBeforeEvent)->setFocus();
        edit->setText(text);
        dialog.accept();
        QCOMPARE(m_warnings, QStringList{QStringLiteral("Please enter a number between -8 and 8.")});
        QVERIFY(edit->hasFocus());
        QVERIFY(dialog.isVisible());
        QCOMPARE(ReadAll(path), original);
        dialog.reject();
    }

    // A file that cannot be written (here: the file size limit, which binds
    // root too) is reported once, with the reason, and the dialog does not
    // close as if it had saved.
    void applyThatCannotWriteSaysSoAndStaysOpen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("setup.ini"));
        const QByteArray original = "[VIDEO_LENGTH=120]\r\n";
        QVERIFY(WriteAll(path, original));
        Cconfiguration dialog;
        dialog.SetFilePath(path);
        dialog.show();

        rlimit saved {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        FindControl<QPushButton>(&dialog, Cconfiguration::kApply)->click();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(m_warnings.size(), 1);
        QVERIFY(m_warnings.first().contains(path));
        QVERIFY(m_warnings.first().contains(QStringLiteral("not saved")));
        QVERIFY(m_warnings.first().contains(qt_error_string(EFBIG)));
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.result() != QDialog::Accepted);
        QCOMPARE(ReadAll(path), original);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("setup.ini")});

        // Once the card takes the file again, Apply saves and closes.
        FindControl<QPushButton>(&dialog, Cconfiguration::kApply)->click();
        QCOMPARE(m_warnings.size(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(ReadAll(path).contains("[OVERWRITE=  1]"));
    }

    void openingRemovesWhatAKilledWriteLeftAndNothingElse()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("setup.ini"));
        QVERIFY(WriteAll(path, "[VIDEO_LENGTH=120]\r\n"));
        const QString stale = QStringLiteral(".setup.ini.kestrelview-save-0a1b2c3d.tmp");
        const QStringList others{QStringLiteral(".setup.ini.0a1b2c3d.tmp"), QStringLiteral("setup.bak"),
                                 QStringLiteral(".setup.bak.kestrelview-save-0a1b2c3d.tmp"),
                                 QStringLiteral("REC0001.asf")};
        QVERIFY(WriteAll(dir.filePath(stale), "[VIDEO_LENGTH=6"));
        for (const QString& name : others)
            QVERIFY(WriteAll(dir.filePath(name), "mine"));
        Cconfiguration dialog;
        dialog.SetFilePath(path);
        dialog.show();
        QCOMPARE(FindControl<QLineEdit>(&dialog, Cconfiguration::kVideoLength)->text(), QStringLiteral("120"));
        QVERIFY(!QFile::exists(dir.filePath(stale)));
        for (const QString& name : others)
            QVERIFY2(QFile::exists(dir.filePath(name)), qPrintable(name));
        dialog.reject();
    }

    void acceptsANegativeLimitWithTwoDecimals()
    {
        const QString path = fixture(QStringLiteral("setup.ini"), "");
        Cconfiguration dialog;
        dialog.SetFilePath(path);
        dialog.show();
        FindControl<QLineEdit>(&dialog, Cconfiguration::kLimitX)->setText(QStringLiteral("-3.5"));
        dialog.accept();
        QVERIFY(m_warnings.isEmpty());
        QVERIFY(ReadAll(path).contains("[G_LIMITX=-3.50]"));
    }

    void setTimeAddsTheTimeLineFirst()
    {
        const QString path = fixture(QStringLiteral("setup.ini"), "");
        Cconfiguration dialog;
        dialog.SetFilePath(path);
        dialog.show();
        FindControl<QCheckBox>(&dialog, Cconfiguration::kSetTime)->setChecked(true);
        QVERIFY(FindControl(&dialog, Cconfiguration::kDate)->isEnabled());
        FindControl<QDateEdit>(&dialog, Cconfiguration::kDate)->setDate(QDate(2026, 3, 4));
        FindControl<QTimeEdit>(&dialog, Cconfiguration::kTime)->setTime(QTime(5, 6, 7));
        dialog.accept();
        const QByteArray written = ReadAll(path);
        QVERIFY(written.startsWith("[TIME=2026/03/04/05/06/07]   ; YYYY/MM/DD/HH/MM/SS.\r\n"));
        QCOMPARE(written.count("\r\n"), 11);
    }

    void enterAppliesFromAnyField()
    {
        const QString path = fixture(QStringLiteral("setup.ini"), "");
        Cconfiguration dialog;
        dialog.SetFilePath(path);
        dialog.show();
        auto* edit = FindControl<QLineEdit>(&dialog, Cconfiguration::kVideoLength);
        edit->setFocus();
        edit->setText(QStringLiteral("300"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(ReadAll(path).contains("[VIDEO_LENGTH=300]"));
    }

    void theBackupFileIsRewrittenAndTheOtherLeftAlone()
    {
        const QByteArray ini = "[VIDEO_LENGTH=90]\n";
        const QString iniPath = fixture(QStringLiteral("setup.ini"), ini);
        const QString bakPath = fixture(QStringLiteral("setup.bak"), "[VIDEO_LENGTH=120]\n");
        UiSeam::openHook = [&](QWidget*, const OpenFileRequest&) { return QStringList{bakPath}; };
        bool sawDialog = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<Cconfiguration*>(QApplication::activeModalWidget());
            sawDialog = dialog != nullptr;
            if (dialog) {
                QCOMPARE(FindControl<QLineEdit>(dialog, Cconfiguration::kVideoLength)->text(), QStringLiteral("120"));
                dialog->accept();
            }
        });
        ShowConfigurationDialog(nullptr, m_dir.path());
        UiSeam::openHook = nullptr;
        QVERIFY(sawDialog);
        QCOMPARE(ReadAll(iniPath), ini);
        QVERIFY(ReadAll(bakPath).contains("[VIDEO_LENGTH=120]"));
        QVERIFY(ReadAll(bakPath).contains("[OVERWRITE=  1]"));
    }
};

QTEST_MAIN(ConfigurationTest)
#include "tst_configuration.moc"
