// The embedded browser and the map page working together: the page loads
// from a local file, keeps the position the player sends, and the browser
// keeps script dialogs away while silent.
#include "cwebbrowser2.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

QString programDir()
{
    const QString dir = qEnvironmentVariable("KESTREL_PROGRAM_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

QByteArray templateText()
{
    QFile f(programDir() + QStringLiteral("/map.txt"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs script in the page and waits for its result.
QVariant evaluate(CWebBrowser2& browser, const QString& script)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    browser.EvaluateForTest(script, [result](const QVariant& v) { *result = v; });
    if (!QTest::qWaitFor([&] { return result->has_value(); }, 30000))
        return QStringLiteral("<no answer>");
    return **result;
}

}  // namespace

class CWebBrowser2Test : public QObject {
    Q_OBJECT

private:
    // Writes the page (the template with a language code) and loads it.
    bool loadPage(CWebBrowser2& browser, const QByteArray& page)
    {
        const QString path = m_dir.filePath(QStringLiteral("page%1.html").arg(m_pages++));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(page) != page.size())
            return false;
        f.close();
        QSignalSpy complete(&browser, &CWebBrowser2::DocumentComplete);
        browser.Navigate(path);
        return complete.wait(60000) || complete.count() > 0;
    }

    QTemporaryDir m_dir;
    int m_pages = 0;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(!templateText().isEmpty(), "map.txt is missing from the program folder");
    }

    void keepsTheLastPositionTheSenderGave_data()
    {
        QTest::addColumn<bool>("withMapLibrary");
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("lon");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("expectLat");
        QTest::addColumn<double>("expectLon");
        QTest::newRow("map loaded, east/north") << true << "22.501000" << "113.249700" << true << 22.501 << 113.2497;
        QTest::newRow("map loaded, west/south") << true << "-33.867000" << "-70.650300" << true << -33.867 << -70.6503;
        QTest::newRow("map missing, still kept") << false << "22.501000" << "113.249700" << true << 22.501 << 113.2497;
        QTest::newRow("not a number") << true << "abc" << "113.249700" << false << 0.0 << 0.0;
        QTest::newRow("latitude out of range") << true << "95.000000" << "10.000000" << false << 0.0 << 0.0;
        QTest::newRow("longitude out of range") << false << "10.000000" << "-181.000000" << false << 0.0 << 0.0;
    }

    void keepsTheLastPositionTheSenderGave()
    {
        QFETCH(bool, withMapLibrary);
        QFETCH(QString, lat);
        QFETCH(QString, lon);
        QFETCH(bool, accepted);
        QFETCH(double, expectLat);
        QFETCH(double, expectLon);

        QByteArray page = templateText();
        page.replace("language", "en");
        if (!withMapLibrary)  // as if Debian's copy were not installed and the web were away
            page.replace("file:///usr/share/javascript/leaflet/", "file:///nonexistent/leaflet/");
        CWebBrowser2 browser;
        browser.resize(313, 370);
        browser.SetSilent(true);
        QVERIFY(loadPage(browser, page));
        QVERIFY(browser.HasDocument());

        browser.ExecScript(QStringLiteral("SetLocation(\"%1\",\"%2\")").arg(lat, lon));
        const QVariant stored = evaluate(browser, QStringLiteral("window.lastLocation"));
        if (!accepted) {
            QVERIFY2(!stored.isValid() || stored.isNull(), qPrintable(stored.toString()));
            return;
        }
        const QVariantMap where = stored.toMap();
        QCOMPARE(where.value(QStringLiteral("lat")).toDouble(), expectLat);
        QCOMPARE(where.value(QStringLiteral("lon")).toDouble(), expectLon);
    }

    void moveTheMarkerAndGrowTheTrail()
    {
        QByteArray page = templateText();
        page.replace("language", "de");
        CWebBrowser2 browser;
        browser.resize(313, 370);
        browser.SetSilent(true);
        QVERIFY(loadPage(browser, page));
        QCOMPARE(evaluate(browser, QStringLiteral("typeof L")).toString(), QStringLiteral("object"));
        QCOMPARE(evaluate(browser, QStringLiteral("document.documentElement.lang")).toString(), QStringLiteral("de"));

        browser.ExecScript(QStringLiteral("SetLocation(\"22.501000\",\"113.249700\")"));
        browser.ExecScript(QStringLiteral("SetLocation(\"22.502000\",\"113.250700\")"));
        // A receiver without a fix: kept as the last position, but not drawn.
        browser.ExecScript(QStringLiteral("SetLocation(\"0.001000\",\"-0.000300\")"));
        QCOMPARE(evaluate(browser, QStringLiteral("KV.trail.getLatLngs().length")).toInt(), 2);
        QCOMPARE(evaluate(browser, QStringLiteral("KV.marker.getLatLng().lat")).toDouble(), 22.502);
        QCOMPARE(evaluate(browser, QStringLiteral("KV.marker.getLatLng().lng")).toDouble(), 113.2507);
        QCOMPARE(evaluate(browser, QStringLiteral("window.lastLocation.lat")).toDouble(), 0.001);
    }

    void saysTheMapIsOfflineInThePagesLanguageWhenNoTileLoads()
    {
        QByteArray page = templateText();
        page.replace("language", "de");
        page.replace("https://tile.openstreetmap.org/", "file:///nonexistent/tiles/");
        CWebBrowser2 browser;
        browser.resize(313, 370);
        browser.SetSilent(true);
        QVERIFY(loadPage(browser, page));
        const QString shown = QStringLiteral("getComputedStyle(document.getElementById('off')).display");
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(browser, shown).toString(), QStringLiteral("block"), 30000);
        QCOMPARE(evaluate(browser, QStringLiteral("document.getElementById('off').textContent")).toString(),
                 QStringLiteral("Karte offline"));
    }

    void silentPageRaisesNoDialogs()
    {
        CWebBrowser2 browser;
        browser.SetSilent(true);
        QVERIFY(browser.Silent());
        QVERIFY(loadPage(browser, "<html><body>x</body></html>"));
        // With a dialog the script would stop at the first call and never answer.
        QCOMPARE(evaluate(browser, QStringLiteral("alert('a'); [confirm('b'), prompt('c', 'd')].join(',')")).toString(),
                 QStringLiteral("false,"));
    }

    void sendsTheProgramsOwnUserAgent()
    {
        CWebBrowser2 browser;
        browser.SetSilent(true);
        QVERIFY(loadPage(browser, "<html><body>x</body></html>"));
        QCOMPARE(evaluate(browser, QStringLiteral("navigator.userAgent")).toString(),
                 QString::fromLatin1(CWebBrowser2::kUserAgent));
    }

    void remembersWhereItWasSent()
    {
        CWebBrowser2 browser;
        QVERIFY(!browser.HasDocument());
        QVERIFY(browser.CurrentPath().isEmpty());
        QVERIFY(loadPage(browser, "<html></html>"));
        QVERIFY(browser.CurrentPath().endsWith(QStringLiteral(".html")));
    }
};

int main(int argc, char** argv)
{
    CWebBrowser2::PrepareEnvironment();
    QApplication app(argc, argv);
    CWebBrowser2Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "cwebbrowser2_test.moc"
