// The view from the driver's seat: it moves with the distance driven and only
// then, bends with the lateral G, rises at the brake, and stamps a running
// clock; make-recording puts it into recordings that follow a log, from its
// start or from a later second of it.
#include "driveview.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr double kStep = 1.0 / 30;

QImage paintFrame(DriveView& view, const DriveViewInput& input)
{
    QImage frame(kWidth, kHeight, QImage::Format_RGB32);
    frame.fill(Qt::magenta); // every pixel must be painted over
    view.paint(frame, input, kStep);
    return frame;
}

DriveViewInput moving(double speed, double lateralG = 0, double brakingG = 0)
{
    DriveViewInput input;
    input.speedMetresPerSecond = speed;
    input.lateralG = lateralG;
    input.brakingG = brakingG;
    input.stamp = QStringLiteral("2026/06/12 14:05:00  0 km/h");
    return input;
}
} // namespace

class DriveViewTest : public QObject {
    Q_OBJECT

private slots:
    void consecutiveFramesAreTheSameOnlyWhileTheCarStands_data()
    {
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("lateralG");
        QTest::addColumn<double>("brakingG");
        QTest::addColumn<bool>("same");
        QTest::newRow("standing") << 0.0 << 0.0 << 0.0 << true;
        QTest::newRow("standing, road noise in the G-sensor") << 0.0 << 0.02 << -0.03 << true;
        QTest::newRow("standing, steering held") << 0.0 << 0.3 << 0.0 << true;
        QTest::newRow("creeping") << 0.3 << 0.0 << 0.0 << false;
        QTest::newRow("town speed") << 14.0 << 0.0 << 0.0 << false;
        QTest::newRow("in a bend") << 10.0 << 0.3 << 0.0 << false;
    }
    void consecutiveFramesAreTheSameOnlyWhileTheCarStands()
    {
        QFETCH(double, speed);
        QFETCH(double, lateralG);
        QFETCH(double, brakingG);
        QFETCH(bool, same);
        DriveView view(kWidth, kHeight);
        // A drive with a bend and a hard brake first, then settling for a second.
        for (int i = 0; i < 60; ++i)
            paintFrame(view, moving(12.0, 0.25, i < 40 ? 0.0 : 0.7));
        for (int i = 0; i < 30; ++i)
            paintFrame(view, moving(speed, lateralG, brakingG));
        const QImage first = paintFrame(view, moving(speed, -lateralG, -brakingG));
        const QImage second = paintFrame(view, moving(speed, lateralG, brakingG));
        QCOMPARE(first.pixel(0, 0) == qRgb(255, 0, 255), false);
        QCOMPARE(first == second, same);
    }

    void roadMovesByTheDistanceDriven()
    {
        // Two frames at 10 m/s and one at 20 m/s cover the same road.
        DriveView slow(kWidth, kHeight);
        DriveView fast(kWidth, kHeight);
        paintFrame(slow, moving(10));
        const QImage slowFrame = paintFrame(slow, moving(10));
        const QImage fastFrame = paintFrame(fast, moving(20));
        QVERIFY(slowFrame == fastFrame);
        QVERIFY(slowFrame != paintFrame(slow, moving(10)));
    }

    void aDriveContinuedUnseenLooksAsIfItHadBeenPainted()
    {
        // The next clip of a drive advances over the frames before its first.
        DriveView painted(kWidth, kHeight);
        DriveView continued(kWidth, kHeight);
        for (int i = 0; i < 45; ++i) {
            const DriveViewInput input = moving(12.0 - i * 0.2, i < 20 ? 0.3 : 0.0, i > 30 ? 0.6 : 0.0);
            paintFrame(painted, input);
            continued.advance(input, kStep);
        }
        QVERIFY(paintFrame(painted, moving(3)) == paintFrame(continued, moving(3)));
    }

    void lateralGBendsTheRoadAndBrakingRaisesTheHorizon()
    {
        DriveView straight(kWidth, kHeight);
        DriveView left(kWidth, kHeight);
        DriveView right(kWidth, kHeight);
        DriveView braking(kWidth, kHeight);
        for (int i = 0; i < 60; ++i) {
            paintFrame(straight, moving(10));
            paintFrame(left, moving(10, 0.3));
            paintFrame(right, moving(10, -0.3));
            paintFrame(braking, moving(10, 0, 0.7));
        }
        QVERIFY2(left.vanishingPointX() < straight.vanishingPointX() - kWidth / 2,
                 qPrintable(QStringLiteral("%1 vs %2").arg(left.vanishingPointX()).arg(straight.vanishingPointX())));
        QVERIFY(right.vanishingPointX() > straight.vanishingPointX() + kWidth / 2);
        QCOMPARE(left.horizonY(), straight.horizonY());
        QVERIFY(braking.horizonY() < straight.horizonY() - 4);
        QCOMPARE(braking.vanishingPointX(), straight.vanishingPointX());
    }

    void stampTellsTheClockInWholeSecondsAndTheSpeedInKmh_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("speed");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("first frame") << "2026-06-12 14:05:00" << 0.0 << 0.0 << "2026/06/12 14:05:00  0 km/h";
        QTest::newRow("late in a second") << "2026-06-12 14:05:00" << 1.99 << 17.2 << "2026/06/12 14:05:01  62 km/h";
        QTest::newRow("past midnight") << "2026-12-31 23:59:59" << 1.0 << 13.9 << "2027/01/01 00:00:00  50 km/h";
    }
    void stampTellsTheClockInWholeSecondsAndTheSpeedInKmh()
    {
        QFETCH(QString, start);
        QFETCH(double, seconds);
        QFETCH(double, speed);
        QFETCH(QString, stamp);
        const QDateTime at = QDateTime::fromString(start, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QCOMPARE(DriveView::stampText(at, seconds, speed), stamp);
    }

    void stampShowsOnTheFrameAndAdvances()
    {
        DriveView view(kWidth, kHeight);
        DriveViewInput input = moving(0);
        input.stamp.clear();
        const QImage bare = paintFrame(view, input);
        const QDateTime start = QDateTime::fromString(QStringLiteral("2026-06-12 14:05:00"),
                                                      QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        input.stamp = DriveView::stampText(start, 0, 0);
        const QImage first = paintFrame(view, input);
        input.stamp = DriveView::stampText(start, 1, 0);
        const QImage second = paintFrame(view, input);
        // Only the bottom rows carry the stamp; the rest of a standing car's picture stays.
        const QRect stampRows(0, kHeight * 3 / 4, kWidth, kHeight / 4);
        const QRect above(0, 0, kWidth, kHeight * 3 / 4);
        QVERIFY(bare.copy(stampRows) != first.copy(stampRows));
        QVERIFY(first.copy(stampRows) != second.copy(stampRows));
        QVERIFY(bare.copy(above) == second.copy(above));
    }

    void recordingFollowsALogAndRefusesOneThatIsMissing()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        auto run = [](const QStringList& arguments) {
            QProcess generator;
            generator.start(QStringLiteral(KESTREL_MAKE_RECORDING), arguments);
            return generator.waitForFinished(120000) && generator.exitStatus() == QProcess::NormalExit
                ? generator.exitCode()
                : -1;
        };
        const QString log = dir.filePath(QStringLiteral("DRIVE.LOG"));
        const QString common = QStringLiteral("--seconds 1 --width 160 --height 120 --no-log --drive-view --follow");
        QCOMPARE(run({QStringLiteral("--out"), dir.filePath(QStringLiteral("DRIVE.asf")), QStringLiteral("--seconds"),
                      QStringLiteral("2"), QStringLiteral("--log-only")}),
                 0);
        QVERIFY(QFileInfo(log).size() > 0);
        const QString out = dir.filePath(QStringLiteral("VIEW.asf"));
        QCOMPARE(run(QStringList{QStringLiteral("--out"), out} + common.split(u' ') + QStringList{log}), 0);
        QVERIFY(QFileInfo(out).size() > 10000);
        const QString later = dir.filePath(QStringLiteral("LATER.asf"));
        QCOMPARE(run(QStringList{QStringLiteral("--out"), later} + common.split(u' ')
                     + QStringList{log, QStringLiteral("--follow-from"), QStringLiteral("1")}),
                 0);
        QVERIFY(QFileInfo(later).size() > 10000);

        const QString orphan = dir.filePath(QStringLiteral("ORPHAN.asf"));
        QVERIFY(run(QStringList{QStringLiteral("--out"), orphan} + common.split(u' ')
                    + QStringList{dir.filePath(QStringLiteral("NONE.LOG"))})
                != 0);
        QVERIFY(!QFile::exists(orphan));
        QVERIFY(run({QStringLiteral("--out"), orphan, QStringLiteral("--drive-view"), QStringLiteral("--follow-from"),
                     QStringLiteral("1")})
                != 0);
        QVERIFY(!QFile::exists(orphan));
    }
};

QTEST_MAIN(DriveViewTest)
#include "tst_driveview.moc"
