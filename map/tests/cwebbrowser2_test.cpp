// The embedded browser and the map page working together: the page loads
// from a local file, keeps the position the player sends, and the browser
// keeps script dialogs away while silent.
#include "cwebbrowser2.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QBuffer>
#include <QDirIterator>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QTcpServer>
#include <QTcpSocket>
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

// The template as the program writes it, with the tile host out of reach as
// on a machine without a network.
QByteArray offlinePage(const char* code)
{
    QByteArray page = templateText();
    page.replace("language", code);
    page.replace("https://tile.openstreetmap.org/", "http://127.0.0.1:9/tiles/");
    return page;
}

// A drive of n samples (numbered from 5) along a street, about 3 m apart
// times step, speeds rising evenly from 0 to 60, as the page's route
// functions take it.
QString routePoints(int n, double latitude, double longitude, double step = 1.0)
{
    QStringList points;
    for (int i = 0; i < n; ++i)
        points << QStringLiteral("[%1,%2,%3,%4]")
                      .arg(latitude + i * step * 2e-5, 0, 'f', 6)
                      .arg(longitude + i * step * 3e-5, 0, 'f', 6)
                      .arg(60.0 * i / (n - 1), 0, 'f', 1)
                      .arg(i + 5);
    return QLatin1Char('[') + points.join(u',') + QLatin1Char(']');
}

// Strongly coloured: neither the page's dark background nor grey (the dim
// neighbours, the texts, the controls).
bool coloured(const QColor& c)
{
    return c.hsvSaturation() > 150 && c.value() > 150;
}

bool orange(const QColor& c)
{
    return coloured(c) && c.hsvHue() >= 15 && c.hsvHue() <= 35;
}

int colouredPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += coloured(image.pixelColor(x, y));
    return count;
}

// The most saturated coloured pixel within 3 pixels of p, or an invalid colour.
QColor colourNear(const QImage& image, QPoint p)
{
    QColor best;
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const QPoint q = p + QPoint(dx, dy);
            if (!image.rect().contains(q))
                continue;
            const QColor c = image.pixelColor(q);
            if (coloured(c) && (!best.isValid() || c.hsvSaturation() > best.hsvSaturation()))
                best = c;
        }
    return best;
}

// A dim grey line near p: lighter than the background, without colour.
bool dim(const QImage& image, QPoint p)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint q = p + QPoint(dx, dy);
            if (!image.rect().contains(q))
                continue;
            const QColor c = image.pixelColor(q);
            if (c.value() > 0x50 && c.value() < 0xc0 && c.hsvSaturation() < 90)
                return true;
        }
    return false;
}

// Where a route point ([lat,lon,...] in the page) lies in the browser, in pixels.
QPoint containerPoint(CWebBrowser2& browser, const QString& point)
{
    const QVariantMap p = evaluate(browser, QStringLiteral("(function(){var c=KV.map.latLngToContainerPoint(kvLL(%1));"
                                                           "return {x:c.x,y:c.y}})()")
                                                .arg(point))
                              .toMap();
    return QPoint(qRound(p.value(QStringLiteral("x")).toDouble()), qRound(p.value(QStringLiteral("y")).toDouble()));
}

// The widget that takes the page's mouse input inside the browser.
QWidget* inputSurface(CWebBrowser2& browser)
{
    // The engine draws into a widget of its own inside the view (a Qt Quick
    // widget in this Qt) that takes the page's input.
    for (QWidget* child : browser.findChildren<QWidget*>()) {
        const QByteArray name = child->metaObject()->className();
        if (name.contains("RenderWidgetHostViewQtDelegate") || name == "QQuickWidget")
            return child;
    }
    return nullptr;
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

    bool loadOfflinePage(CWebBrowser2& browser)
    {
        browser.resize(313, 370);
        browser.SetSilent(true);
        browser.show();
        if (!loadPage(browser, offlinePage("en")))
            return false;
        return evaluate(browser, QStringLiteral("typeof L")).toString() == QStringLiteral("object");
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

    void drawsTheRouteColouredBySpeedWithoutTiles()
    {
        CWebBrowser2 browser;
        QVERIFY(loadOfflinePage(browser));
        QCOMPARE(colouredPixels(browser.grab().toImage()), 0);

        browser.ExecScript(QStringLiteral("SetRouteUnit(\"km/h\",1)"));
        browser.ExecScript(QStringLiteral("SetRoute(0,%1)").arg(routePoints(120, 48.8660, 2.3120)));
        // Fitted: the whole route lies in the view.
        QVERIFY(evaluate(browser, QStringLiteral("R.p.every(function(q){return KV.map.getBounds().contains(kvLL(q))})"))
                    .toBool());
        const QPoint slow = containerPoint(browser, QStringLiteral("R.p[8]"));
        const QPoint fast = containerPoint(browser, QStringLiteral("R.p[112]"));
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT((shot = browser.grab().toImage(), colourNear(shot, fast).isValid()), 30000);
        // One line coloured by speed: blue where it is slow, red where it is fast.
        const int slowHue = colourNear(shot, slow).hsvHue();
        const int fastHue = colourNear(shot, fast).hsvHue();
        QVERIFY2(slowHue >= 180 && slowHue <= 225, qPrintable(QString::number(slowHue)));
        QVERIFY2(fastHue <= 20 || fastHue >= 345, qPrintable(QString::number(fastHue)));
        // Between them the line is unbroken and coloured all along.
        for (int k = 1; k < 10; ++k) {
            const QPoint between = slow + (fast - slow) * k / 10;
            QVERIFY2(colourNear(shot, between).isValid(), qPrintable(QStringLiteral("gap at %1/10").arg(k)));
        }
        // The legend speaks the display unit, one scale for the drive; a scale bar and the offline note show.
        QCOMPARE(evaluate(browser, QStringLiteral("document.getElementById('lg').textContent")).toString(),
                 QStringLiteral("060 km/h"));
        QCOMPARE(evaluate(browser, QStringLiteral("getComputedStyle(document.getElementById('lg')).display")).toString(),
                 QStringLiteral("block"));
        QVERIFY(evaluate(browser, QStringLiteral("document.querySelector('.leaflet-control-scale-line').textContent"))
                    .toString()
                    .endsWith(QStringLiteral(" m")));
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(browser, QStringLiteral("getComputedStyle(document.getElementById('off')).display")).toString(),
            QStringLiteral("block"), 30000);

        // In mph the legend and the scale bar follow; the colours stay.
        browser.ExecScript(QStringLiteral("SetRouteUnit(\"mph\",0.62137)"));
        QCOMPARE(evaluate(browser, QStringLiteral("document.getElementById('lg').textContent")).toString(),
                 QStringLiteral("037 mph"));
        QImage inMph;
        QTRY_VERIFY_WITH_TIMEOUT((inMph = browser.grab().toImage(), colourNear(inMph, fast).isValid()), 30000);
        QCOMPARE(colourNear(inMph, slow).hsvHue(), slowHue);
        QCOMPARE(colourNear(inMph, fast).hsvHue(), fastHue);
        QVERIFY(evaluate(browser, QStringLiteral("document.querySelector('.leaflet-control-scale-line').textContent"))
                    .toString()
                    .endsWith(QStringLiteral(" ft")));

        // An empty route clears the drawing.
        browser.ExecScript(QStringLiteral("SetRoute(0,[])"));
        QTRY_COMPARE_WITH_TIMEOUT(colouredPixels(browser.grab().toImage()), 0, 30000);
    }

    void theMarkerFollowsThePlayingSampleAndNeighboursDrawDim()
    {
        CWebBrowser2 browser;
        QVERIFY(loadOfflinePage(browser));
        browser.ExecScript(QStringLiteral("SetRoute(0,%1)").arg(routePoints(120, 48.8660, 2.3120)));
        // Samples are numbered from 5; 64 is the point at index 59.
        browser.ExecScript(QStringLiteral("SetRouteSample(64)"));
        QCOMPARE(evaluate(browser, QStringLiteral("R.mk.getLatLng().lat")).toDouble(), 48.8660 + 59 * 2e-5);
        const QPoint marker = containerPoint(browser, QStringLiteral("R.p[59]"));
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT((shot = browser.grab().toImage(), orange(shot.pixelColor(marker))), 30000);
        // Before the first fix the marker waits at the route's start.
        browser.ExecScript(QStringLiteral("SetRouteSample(0)"));
        QCOMPARE(evaluate(browser, QStringLiteral("R.mk.getLatLng().lat")).toDouble(), 48.8660);

        // A neighbour recording beside it, thin and grey.
        browser.ExecScript(QStringLiteral("AddNeighbourRoutes([[1,%1]])").arg(routePoints(120, 48.8660, 2.3126)));
        const QPoint neighbour = containerPoint(browser, QStringLiteral("R.n[0].p[60]"));
        QTRY_VERIFY_WITH_TIMEOUT((shot = browser.grab().toImage(), dim(shot, neighbour)), 30000);
        QVERIFY(!colourNear(shot, neighbour).isValid());
    }

    void aClickOnARouteAsksForItsNearestSample()
    {
        CWebBrowser2 browser;
        QVERIFY(loadOfflinePage(browser));
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(browser, QStringLiteral("KV.host !== null")).toBool(), 30000);
        // Samples some 12 pixels apart, so that each click has one nearest.
        browser.ExecScript(QStringLiteral("SetRoute(0,%1)").arg(routePoints(24, 48.8660, 2.3120, 5)));
        browser.ExecScript(QStringLiteral("AddNeighbourRoutes([[7,%1]])").arg(routePoints(24, 48.8660, 2.3126, 5)));
        QSignalSpy clicked(&browser, &CWebBrowser2::RouteClicked);

        QWidget* surface = inputSurface(browser);
        QVERIFY(surface);

        const struct {
            const char* where;
            QPoint offset;
            int route;
            int sample;
        } clicks[] = {
            {"R.p[10]", {0, 0}, 0, 15},
            {"R.p[10]", {4, 4}, 0, 15},    // beside the line, across it
            {"R.p[10]", {3, -2}, 0, 15},   // along it, nearer this sample than the next
            {"R.n[0].p[20]", {0, 0}, 7, 25},
        };
        for (const auto& c : clicks) {
            clicked.clear();
            const QPoint at = containerPoint(browser, QString::fromLatin1(c.where)) + c.offset;
            QTest::mouseClick(surface, Qt::LeftButton, {}, surface->mapFrom(&browser, at));
            QTRY_COMPARE_WITH_TIMEOUT(clicked.count(), 1, 30000);
            QCOMPARE(clicked.first().at(0).toInt(), c.route);
            QCOMPARE(clicked.first().at(1).toInt(), c.sample);
        }
        // Far from every route: nothing is asked.
        clicked.clear();
        QTest::mouseClick(surface, Qt::LeftButton, {}, surface->mapFrom(&browser, QPoint(20, 300)));
        QTest::qWait(300);
        QCOMPARE(clicked.count(), 0);
    }

    void aNewRecordingStartsANewTrail()
    {
        CWebBrowser2 browser;
        QVERIFY(loadOfflinePage(browser));
        browser.ExecScript(QStringLiteral("SetLocation(\"48.866000\",\"2.312000\")"));
        browser.ExecScript(QStringLiteral("SetLocation(\"48.867000\",\"2.313000\")"));
        QCOMPARE(evaluate(browser, QStringLiteral("KV.trail.getLatLngs().length")).toInt(), 2);
        // The next recording, without a route of its own.
        browser.ExecScript(QStringLiteral("SetRoute(0,[])"));
        browser.ExecScript(QStringLiteral("SetLocation(\"48.900000\",\"2.400000\")"));
        QCOMPARE(evaluate(browser, QStringLiteral("KV.trail.getLatLngs().length")).toInt(), 1);
        QCOMPARE(evaluate(browser, QStringLiteral("KV.trail.getLatLngs()[0].lat")).toDouble(), 48.9);
        QCOMPARE(evaluate(browser, QStringLiteral("KV.map.hasLayer(KV.marker)")).toBool(), true);
        // With a route, its own marker shows the drive; SetLocation still keeps the position.
        browser.ExecScript(QStringLiteral("SetRoute(0,%1)").arg(routePoints(20, 48.8660, 2.3120)));
        browser.ExecScript(QStringLiteral("SetLocation(\"48.866500\",\"2.312500\")"));
        QCOMPARE(evaluate(browser, QStringLiteral("window.lastLocation.lat")).toDouble(), 48.8665);
        QCOMPARE(evaluate(browser, QStringLiteral("KV.map.hasLayer(KV.marker)")).toBool(), false);
        QCOMPARE(evaluate(browser, QStringLiteral("KV.map.hasLayer(R.mk)")).toBool(), true);
    }

    void routesSentBeforeTheMapLibraryAreDrawnOnceItIsThere()
    {
        // The functions exist from the start; without the map library they keep the route.
        QByteArray page = offlinePage("en");
        page.replace("file:///usr/share/javascript/leaflet/", "file:///nonexistent/leaflet/");
        CWebBrowser2 browser;
        browser.resize(313, 370);
        browser.SetSilent(true);
        QVERIFY(loadPage(browser, page));
        browser.ExecScript(QStringLiteral("SetRoute(0,%1)").arg(routePoints(20, 48.8660, 2.3120)));
        browser.ExecScript(QStringLiteral("AddNeighbourRoutes([[1,%1]]); SetRouteSample(9); SetRouteUnit(\"mph\",1)")
                               .arg(routePoints(20, 48.87, 2.32)));
        QCOMPARE(evaluate(browser, QStringLiteral("[R.p.length, R.n.length, R.i, R.u].join()")).toString(),
                 QStringLiteral("20,1,9,mph"));
    }

    void sharesOneProfileCachedInTheUsersCacheFolder()
    {
        const QString cache = CWebBrowser2::CachePath();
        QVERIFY(!cache.isEmpty());
        QCOMPARE(cache, qEnvironmentVariable("XDG_CACHE_HOME") + QStringLiteral("/kestrelview"));
        QCOMPARE(QFileInfo(cache).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    }

    void aClickOnTheMapLeavesTheKeyboardWhereItWas()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* field = new QLineEdit(&window);
        auto* browser = new CWebBrowser2(&window);
        browser->setMinimumSize(313, 370);
        layout->addWidget(field);
        layout->addWidget(browser);
        browser->SetSilent(true);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(loadPage(*browser, offlinePage("en")));
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());

        QWidget* surface = inputSurface(*browser);
        QVERIFY(surface);
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(150, 200));
        QTRY_VERIFY_WITH_TIMEOUT(field->hasFocus(), 5000);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ok"));
        QCOMPARE(field->text(), QStringLiteral("ok"));
    }

    void keepsFetchedTilesInTheCacheFolder()
    {
        // A tile server on the loopback that says its tiles keep for a day.
        QImage tile(256, 256, QImage::Format_RGB32);
        tile.fill(QColor(40, 120, 60));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        tile.save(&buffer, "PNG");
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        int served = 0;
        connect(&server, &QTcpServer::newConnection, &server, [&] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    ++served;
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: public, max-age=86400\r\n"
                                  "Connection: close\r\nContent-Length: " + QByteArray::number(png.size()) + "\r\n\r\n" + png);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        const QByteArray url = "http://127.0.0.1:" + QByteArray::number(server.serverPort()) + "/17/66390/45087.png";
        CWebBrowser2 browser;
        browser.SetSilent(true);
        QVERIFY(loadPage(browser, "<html><body><img id=t src=\"" + url + "\"></body></html>"));
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(browser, QStringLiteral("document.getElementById('t').naturalWidth")).toInt(),
                                  256, 30000);
        QCOMPARE(served, 1);
        // The tile itself on disk, under the user's cache folder, where a later run finds it.
        const auto cachedOnDisk = [&] {
            QDirIterator files(CWebBrowser2::CachePath(), QDir::Files, QDirIterator::Subdirectories);
            while (files.hasNext()) {
                QFile f(files.next());
                const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
                if (bytes.contains(url) && bytes.contains(png.right(64)))
                    return true;
            }
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(cachedOnDisk(), 30000);
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
