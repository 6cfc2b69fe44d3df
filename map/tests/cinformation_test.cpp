// The information panel: record details and which neighbour can be opened,
// the Previous/Next requests, relabelling, and the map page road from
// GenerateMapPage through the probe to the page's SetLocation.
#include "cinformation.h"

#include "appstate.h"
#include "ccontrolbutton.h"
#include "controlid.h"
#include "cwebbrowser2.h"
#include "recordlistmodel.h"
#include "telemetryrecordformat.h"
#include "uiseam.h"
#include "uitexttable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QVariantMap>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

QString programDirOfBuild()
{
    const QString dir = qEnvironmentVariable("KESTREL_PROGRAM_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

QVariant evaluate(CWebBrowser2* browser, const QString& script)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    browser->EvaluateForTest(script, [result](const QVariant& v) { *result = v; });
    if (!QTest::qWaitFor([&] { return result->has_value(); }, 30000))
        return QStringLiteral("<no answer>");
    return **result;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

// A loopback port that nothing listens on.
int closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const int port = server.serverPort();
    server.close();
    return port;
}

// A recording of the folder and its log: `records` samples heading north-east
// from the given latitude, the first `withoutFix` of them at 0/0.
QString writeRecording(const QString& folder, const QString& name, int records, double latitude, int withoutFix = 0)
{
    std::string log;
    for (int i = 0; i < records; ++i) {
        TelemetrySample s;
        if (i >= withoutFix) {
            s.latitude = latitude + i * 2e-5;
            s.longitude = 2.312 + i * 3e-5;
        }
        s.speed = 10 + i;
        log += FormatTelemetryRecord(s, i) + "\r\n";
    }
    writeFile(folder + name + QStringLiteral(".LOG"), QByteArray::fromStdString(log));
    writeFile(folder + name + QStringLiteral(".asf"), QByteArray());
    return folder + name + QStringLiteral(".asf");
}

void setModel(int index, int count, const QString& number, const QString& name)
{
    CurrentRecordIndex = index;
    RecordCount = count;
    CurrentRecordNumber = number;
    CurrentRecordName = name;
}

}  // namespace

class CInformationTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_programDir;
    QString m_tempDir;
    QStringList m_warnings;
    QTcpServer m_tileHost;  // stands in for the tile host

    std::unique_ptr<CInformation> makePanel()
    {
        auto panel = std::make_unique<CInformation>();
        panel->SetFolders(m_programDir, m_tempDir);
        ProbeTarget reachable;
        reachable.host = "127.0.0.1";
        reachable.port = m_tileHost.serverPort();
        panel->SetProbeTarget(reachable);
        panel->show();
        return panel;
    }

    // Generates the page and waits until it has loaded and the probe got through.
    bool loadReachablePage(CInformation& panel, int language)
    {
        QSignalSpy complete(panel.browser(), &CWebBrowser2::DocumentComplete);
        panel.GenerateMapPage(language);
        if (!QTest::qWaitFor([&] { return complete.count() > 0; }, 60000))
            return false;
        return QTest::qWaitFor([&] { return panel.mapReachable() == 1; }, 60000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_tileHost.listen(QHostAddress::LocalHost));
        m_programDir = m_dir.filePath(QStringLiteral("program")) + u'/';
        m_tempDir = m_dir.filePath(QStringLiteral("temp")) + u'/';
        QVERIFY(QDir().mkpath(m_programDir));
        QVERIFY(QDir().mkpath(m_tempDir));
        QVERIFY(QFile::copy(programDirOfBuild() + QStringLiteral("/map.txt"), m_programDir + QStringLiteral("map.txt")));
        UiSeam::warnHook = [this](QWidget*, const QString&, const QString& text) { m_warnings << text; };
    }

    void init()
    {
        CurrentLanguage = kLanguageEnglish;
        m_warnings.clear();
        QFile::remove(m_programDir + QStringLiteral("ManualFix.txt"));
    }

    void cleanupTestCase() { UiSeam::ResetHooks(); }

    void showsTheRecordAndWhichNeighboursExist_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("recordText");
        QTest::addColumn<QString>("resolution");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<bool>("next");

        const QString path = QStringLiteral("/media/card/REC0002.asf");
        QTest::newRow("middle row") << 1 << 3 << "  0002" << path << 640 << 480
                                    << "No.  0002 Record: /media/card/REC0002.asf" << "640*480" << true << true;
        QTest::newRow("first of several") << 0 << 3 << "  0001" << path << 1920 << 1080
                                          << "No.  0001 Record: /media/card/REC0002.asf" << "1920*1080" << false
                                          << true;
        QTest::newRow("last row") << 2 << 3 << "  0003" << path << 640 << 480
                                  << "No.  0003 Record: /media/card/REC0002.asf" << "640*480" << true << false;
        QTest::newRow("only row") << 0 << 1 << "  0001" << path << 640 << 480
                                  << "No.  0001 Record: /media/card/REC0002.asf" << "640*480" << false << false;
        QTest::newRow("opened outside the list") << -1 << 3 << "  0002" << path << 0 << 0
                                                 << "Record: /media/card/REC0002.asf" << "0*0" << false << false;
        QTest::newRow("index left past a shrunk list") << 4 << 2 << "  0005" << path << 640 << 480
                                                       << "No.  0005 Record: /media/card/REC0002.asf" << "640*480"
                                                       << false << false;
    }

    void showsTheRecordAndWhichNeighboursExist()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, recordText);
        QFETCH(QString, resolution);
        QFETCH(bool, previous);
        QFETCH(bool, next);

        CInformation panel;
        setModel(index, count, number, name);
        VideoWidth = width;
        VideoHeight = height;
        panel.RefreshRecordInfo();
        QCOMPARE(FindControl<QTextEdit>(&panel, CInformation::kRecordText)->toPlainText(), recordText);
        QCOMPARE(FindControl<QLineEdit>(&panel, CInformation::kResolutionText)->text(), resolution);
        QCOMPARE(FindControl(&panel, CInformation::kPreviousButton)->isEnabled(), previous);
        QCOMPARE(FindControl(&panel, CInformation::kNextButton)->isEnabled(), next);
    }

    void previousAndNextNeverAskForARowOutsideTheList_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("asked");
        QTest::newRow("next from the middle") << 1 << 3 << int(CInformation::kNextButton) << true;
        QTest::newRow("previous from the middle") << 1 << 3 << int(CInformation::kPreviousButton) << true;
        QTest::newRow("next from the last row") << 2 << 3 << int(CInformation::kNextButton) << false;
        QTest::newRow("previous from the first row") << 0 << 3 << int(CInformation::kPreviousButton) << false;
        QTest::newRow("previous with no current row") << -1 << 3 << int(CInformation::kPreviousButton) << false;
        QTest::newRow("next with no current row") << -1 << 3 << int(CInformation::kNextButton) << true;
        QTest::newRow("next in an empty list") << -1 << 0 << int(CInformation::kNextButton) << false;
        QTest::newRow("previous past a shrunk list") << 5 << 2 << int(CInformation::kPreviousButton) << false;
    }

    void previousAndNextNeverAskForARowOutsideTheList()
    {
        QFETCH(int, index);
        QFETCH(int, count);
        QFETCH(int, button);
        QFETCH(bool, asked);

        CInformation panel;
        panel.show();
        QSignalSpy previous(&panel, &CInformation::previousRequested);
        QSignalSpy next(&panel, &CInformation::nextRequested);
        setModel(index, count, QString(), QString());
        // The buttons stay enabled until the next start of playback refreshes
        // them, so a press can come from a stale state.
        auto* pressed = FindControl<CControlButton>(&panel, button);
        QVERIFY(pressed->isEnabled());
        QTest::mouseClick(pressed, Qt::LeftButton);
        const QSignalSpy& expected = button == CInformation::kNextButton ? next : previous;
        const QSignalSpy& other = button == CInformation::kNextButton ? previous : next;
        QCOMPARE(expected.count(), asked ? 1 : 0);
        QCOMPARE(other.count(), 0);
    }

    void aLanguageChangeRelabelsButKeepsTheRecordTextEnglish()
    {
        CInformation panel;
        QCOMPARE(FindControl<QLabel>(&panel, CInformation::kResolutionCaption)->text(), UiTextIn(kLanguageEnglish, 28));
        CurrentLanguage = kLanguageGerman;
        panel.RelabelInformationPanel();
        QCOMPARE(FindControl<QLabel>(&panel, CInformation::kResolutionCaption)->text(), UiTextIn(kLanguageGerman, 28));
        QCOMPARE(FindControl(&panel, CInformation::kNextButton)->toolTip(), UiTextIn(kLanguageGerman, 21));
        QCOMPARE(FindControl(&panel, CInformation::kPreviousButton)->toolTip(), UiTextIn(kLanguageGerman, 22));
        setModel(0, 2, QStringLiteral("  0001"), QStringLiteral("/a.asf"));
        panel.RefreshRecordInfo();
        QCOMPARE(FindControl<QTextEdit>(&panel, CInformation::kRecordText)->toPlainText(),
                 QStringLiteral("No.  0001 Record: /a.asf"));
    }

    void hasTheRoundedOutlineAndHidesTheUnusedControls()
    {
        CInformation panel;
        panel.show();
        const QRegion outline = panel.mask();
        QVERIFY(outline.contains(QPoint(158, 260)));
        QVERIFY(outline.contains(QPoint(5, 70)));
        QVERIFY(!outline.contains(QPoint(315, 0)));  // the rounded top right
        for (int hidden : {CInformation::kCurrentRecordCaption, CInformation::kEventCaption, CInformation::kEventText})
            QVERIFY(!FindControl(&panel, hidden)->isVisible());
        QVERIFY(FindControl(&panel, CInformation::kBrowser)->isVisible());
        // The map fills the panel below the resolution line.
        QCOMPARE(FindControl(&panel, CInformation::kBrowser)->geometry().bottom(), panel.height() - 1);
    }

    void aMissingTemplateIsReportedOnceAndTheRestGoesOn()
    {
        QTemporaryDir empty;
        CInformation panel;
        panel.SetFolders(empty.path() + u'/', m_tempDir);
        panel.GenerateMapPage(kLanguageEnglish);
        panel.GenerateMapPage(kLanguageGerman);
        QCOMPARE(m_warnings.size(), 1);
        QVERIFY2(m_warnings.first().contains(QStringLiteral("map.txt")), qPrintable(m_warnings.first()));
        QVERIFY(panel.mapPagePath().isEmpty());
        QVERIFY(panel.browser()->CurrentPath().isEmpty());
    }

    void thePageCarriesTheLanguageCode_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("code");
        QTest::newRow("English") << int(kLanguageEnglish) << "en";
        QTest::newRow("Simplified Chinese") << int(kLanguageSimplifiedChinese) << "zh-cn";
        QTest::newRow("Norwegian") << int(kLanguageNorwegian) << "nn";
    }

    void thePageCarriesTheLanguageCode()
    {
        QFETCH(int, language);
        QFETCH(QString, code);
        auto panel = makePanel();
        QVERIFY(loadReachablePage(*panel, language));
        QCOMPARE(panel->mapPagePath(), m_tempDir + QStringLiteral("tmp-map.html"));
        QCOMPARE(evaluate(panel->browser(), QStringLiteral("document.documentElement.lang")).toString(), code);
        QVERIFY(panel->browser()->Silent());
    }

    void movesTheMarkerWithTheCorrectionOfTheMoment()
    {
        auto panel = makePanel();
        QVERIFY(loadReachablePage(*panel, kLanguageEnglish));
        const QString fixPath = m_programDir + QStringLiteral("ManualFix.txt");
        const struct {
            const char* name;
            std::optional<QByteArray> fix;
            double lat, lon, expectLat, expectLon;
        } cases[] = {
            {"built-in correction", std::nullopt, 22.5, 113.25, 22.501, 113.2497},
            {"correction switched off", QByteArray("0\n0\n"), 22.5, 113.25, 22.5, 113.25},
            {"only a latitude line", QByteArray("0.002\n"), 22.5, 113.25, 22.502, 113.25},
            {"too large, defaults kept", QByteArray("0.1\n-0.25\n"), 22.5, 113.25, 22.501, 113.2497},
            {"south and west", std::nullopt, -33.5, -70.5, -33.499, -70.5003},
        };
        for (const auto& c : cases) {
            if (c.fix)
                QVERIFY(writeFile(fixPath, *c.fix));
            else
                QFile::remove(fixPath);
            panel->UpdateMapPosition(c.lat, c.lon);
            const QVariantMap where = evaluate(panel->browser(), QStringLiteral("window.lastLocation")).toMap();
            QVERIFY2(qAbs(where.value(QStringLiteral("lat")).toDouble() - c.expectLat) < 1e-9, c.name);
            QVERIFY2(qAbs(where.value(QStringLiteral("lon")).toDouble() - c.expectLon) < 1e-9, c.name);
        }
    }

    void sendsNothingWhileTheTileHostIsUnreachable()
    {
        auto panel = makePanel();
        ProbeTarget unreachable;
        unreachable.host = "127.0.0.1";
        unreachable.port = closedPort();
        panel->SetProbeTarget(unreachable);
        QSignalSpy complete(panel->browser(), &CWebBrowser2::DocumentComplete);
        panel->GenerateMapPage(kLanguageEnglish);
        QVERIFY(complete.wait(60000) || complete.count() > 0);
        panel->UpdateMapPosition(22.5, 113.25);
        QCOMPARE(panel->mapReachable(), 0);
        const QVariant where = evaluate(panel->browser(), QStringLiteral("window.lastLocation"));
        QVERIFY(!where.isValid() || where.isNull());
    }

    void aNewRecordingsFirstPositionStartsANewTrail()
    {
        auto panel = makePanel();
        QVERIFY(loadReachablePage(*panel, kLanguageEnglish));
        panel->UpdateMapPosition(48.86, 2.31);
        panel->UpdateMapPosition(48.87, 2.32);
        QCOMPARE(evaluate(panel->browser(), QStringLiteral("KV.trail.getLatLngs().length")).toInt(), 2);
        // Stop, the open-file command and Play: the page stays, a new recording starts.
        panel->ShowRecordingRoute(m_dir.filePath(QStringLiteral("elsewhere/REC0009.asf")));
        panel->UpdateMapPosition(50.0, 8.0);
        const QVariantList trail = evaluate(panel->browser(), QStringLiteral("KV.trail.getLatLngs().map(function(p){return p.lat})")).toList();
        QCOMPARE(trail.size(), 1);
        QCOMPARE(trail.first().toDouble(), 50.001);
    }

    void drawsTheWholeRouteAndItsNeighboursWithoutTheTileHost()
    {
        QTemporaryDir card;
        const QString folder = card.path() + u'/';
        writeRecording(folder, QStringLiteral("REC0001"), 60, 48.860);
        const QString playing = writeRecording(folder, QStringLiteral("REC0002"), 80, 48.861, 5);
        writeRecording(folder, QStringLiteral("REC0003"), 50, 48.863);
        writeRecording(folder, QStringLiteral("REC0004"), 40, 48.0, 40);  // no fix at all
        QCOMPARE(LoadRecordFolderModel(folder, QStringLiteral(".asf")), 4);
        CurrentRecordIndex = 0;  // whatever row the list model points at, the playing path counts

        auto panel = makePanel();
        ProbeTarget unreachable;
        unreachable.host = "127.0.0.1";
        unreachable.port = closedPort();
        panel->SetProbeTarget(unreachable);
        QSignalSpy complete(panel->browser(), &CWebBrowser2::DocumentComplete);
        panel->GenerateMapPage(kLanguageEnglish);
        QVERIFY(complete.wait(60000) || complete.count() > 0);

        panel->ShowRecordingRoute(playing);
        panel->UpdateRouteMarker(30, 1, 1);
        const QString state = QStringLiteral("[R.p.length, R.p[0][3], R.n.length, R.n.map(function(r){return r.p.length}).sort().join('/'),"
                                             " R.u, R.f, R.i].join()");
        // 75 fixes from sample 5; both neighbours with a fix, the one without none is not drawn.
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(panel->browser(), state).toString(),
                                  QStringLiteral("75,5,2,50/60,km/h,1.609344,30"), 30000);
        QCOMPARE(panel->mapReachable(), 0);
        QCOMPARE(evaluate(panel->browser(), QStringLiteral("R.mk.getLatLng().lat")).toDouble(), 48.861 + 30 * 2e-5);

        // A new page (a language change) gets the whole route again.
        complete.clear();
        panel->GenerateMapPage(kLanguageGerman);
        QVERIFY(complete.wait(60000) || complete.count() > 0);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(panel->browser(), state).toString(),
                                  QStringLiteral("75,5,2,50/60,km/h,1.609344,30"), 30000);

        // The unit of the speed box, with the log in km/h.
        panel->UpdateRouteMarker(31, 0, 0);
        QCOMPARE(evaluate(panel->browser(), QStringLiteral("[R.u, R.f, R.i].join()")).toString(),
                 QStringLiteral("mph,0.62137,31"));

        // The next recording without a log: the old route goes at once.
        panel->ShowRecordingRoute(folder + QStringLiteral("MISSING.asf"));
        QCOMPARE(evaluate(panel->browser(), QStringLiteral("R.p.length")).toInt(), 0);
        RecordCount = 0;
        CurrentRecordIndex = -1;
    }

    void aClickOnARouteNamesItsRecordingAndSample()
    {
        QTemporaryDir card;
        const QString folder = card.path() + u'/';
        const QString first = writeRecording(folder, QStringLiteral("REC0001"), 60, 48.860);
        const QString second = writeRecording(folder, QStringLiteral("REC0002"), 80, 48.861);
        QCOMPARE(LoadRecordFolderModel(folder, QStringLiteral(".asf")), 2);
        CurrentRecordIndex = 0;

        auto panel = makePanel();
        QVERIFY(loadReachablePage(*panel, kLanguageEnglish));
        panel->ShowRecordingRoute(first);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(panel->browser(), QStringLiteral("R.n.length")).toInt(), 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(panel->browser(), QStringLiteral("KV.host !== null")).toBool(), 30000);

        QSignalSpy clicked(panel.get(), &CInformation::RouteSampleClicked);
        const struct {
            const char* script;
            QString path;
            int sample, count;
        } cases[] = {
            {"KV.host.routeClicked(0, 12)", first, 12, 61},
            {"KV.host.routeClicked(1, 70)", second, 70, 81},
            {"KV.host.routeClicked(1, 81)", QString(), 0, 0},   // past the log's samples
            {"KV.host.routeClicked(0, -1)", QString(), 0, 0},
            {"KV.host.routeClicked(5, 3)", QString(), 0, 0},    // no such route
        };
        for (const auto& c : cases) {
            clicked.clear();
            panel->browser()->ExecScript(QString::fromLatin1(c.script));
            evaluate(panel->browser(), QStringLiteral("1"));  // the page has run the call
            QTest::qWait(100);
            if (c.path.isEmpty()) {
                QCOMPARE(clicked.count(), 0);
                continue;
            }
            QTRY_COMPARE_WITH_TIMEOUT(clicked.count(), 1, 10000);
            QCOMPARE(clicked.first().at(0).toString(), c.path);
            QCOMPARE(clicked.first().at(1).toInt(), c.sample);
            QCOMPARE(clicked.first().at(2).toInt(), c.count);
        }
        RecordCount = 0;
        CurrentRecordIndex = -1;
    }

    void aNewPageForgetsTheEarlierReachability()
    {
        auto panel = makePanel();
        QVERIFY(loadReachablePage(*panel, kLanguageEnglish));
        ProbeTarget unreachable;
        unreachable.host = "127.0.0.1";
        unreachable.port = closedPort();
        panel->SetProbeTarget(unreachable);
        panel->GenerateMapPage(kLanguageGerman);
        // At once, before the new probe has ended, and it can only confirm 0.
        QCOMPARE(panel->mapReachable(), 0);
    }
};

int main(int argc, char** argv)
{
    CWebBrowser2::PrepareEnvironment();
    QApplication app(argc, argv);
    CInformationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "cinformation_test.moc"
