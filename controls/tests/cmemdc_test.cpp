#include "cmemdc.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {
const QRgb kTargetFill = qRgb(0, 0, 255);
const QRgb kBackground = qRgb(255, 255, 0);
const QRgb kInk = qRgb(255, 0, 0);

QImage freshTarget()
{
    QImage image(100, 80, QImage::Format_ARGB32_Premultiplied);
    image.fill(kTargetFill);
    return image;
}
}  // namespace

class CMemDCTest : public QObject {
    Q_OBJECT
private slots:
    void drawsInTargetCoordinatesAtTheRectangle_data();
    void drawsInTargetCoordinatesAtTheRectangle();
    void emptyPaintShowsBackgroundColourOnlyInsideTheRectangle();
    void drawingOutsideTheRectangleNeverReachesTheTarget();
    void followsTheTargetsWorldTransform();
    void inactiveTargetIsHarmless();
};

void CMemDCTest::drawsInTargetCoordinatesAtTheRectangle_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::newRow("origin") << QRect(0, 0, 40, 30);
    QTest::newRow("inside") << QRect(30, 20, 40, 30);
    QTest::newRow("bottomRightCorner") << QRect(90, 70, 10, 10);
    QTest::newRow("onePixel") << QRect(55, 5, 1, 1);
}

void CMemDCTest::drawsInTargetCoordinatesAtTheRectangle()
{
    QFETCH(QRect, rect);
    QImage target = freshTarget();
    {
        QPainter p(&target);
        p.setBackground(QColor(kBackground));
        CMemDC dc(&p, rect);
        dc->fillRect(QRect(rect.topLeft(), QSize(1, 1)), QColor(kInk));
        // Nothing reaches the target before the surface is released.
        QCOMPARE(target.pixel(rect.topLeft()), kTargetFill);
    }
    QCOMPARE(target.pixel(rect.topLeft()), kInk);
    if (rect.width() > 1)
        QCOMPARE(target.pixel(rect.bottomRight()), kBackground);
}

void CMemDCTest::emptyPaintShowsBackgroundColourOnlyInsideTheRectangle()
{
    const QRect rect(30, 20, 40, 30);
    QImage target = freshTarget();
    {
        QPainter p(&target);
        p.setBackground(QColor(kBackground));
        CMemDC dc(&p, rect);
    }
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            const QRgb expected = rect.contains(x, y) ? kBackground : kTargetFill;
            if (target.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3").arg(x).arg(y).arg(target.pixel(x, y), 8, 16)));
        }
    }
}

void CMemDCTest::drawingOutsideTheRectangleNeverReachesTheTarget()
{
    QImage target = freshTarget();
    {
        QPainter p(&target);
        p.setBackground(QColor(kBackground));
        CMemDC dc(&p, QRect(30, 20, 40, 30));
        dc->fillRect(QRect(0, 0, 100, 20), QColor(kInk));   // wholly above
        dc->fillRect(QRect(0, 40, 100, 1), QColor(kInk));   // crosses it
    }
    QCOMPARE(target.pixel(10, 10), kTargetFill);
    QCOMPARE(target.pixel(10, 40), kTargetFill);
    QCOMPARE(target.pixel(30, 40), kInk);
    QCOMPARE(target.pixel(69, 40), kInk);
    QCOMPARE(target.pixel(70, 40), kTargetFill);
    QCOMPARE(target.pixel(30, 20), kBackground);
}

void CMemDCTest::followsTheTargetsWorldTransform()
{
    QImage target = freshTarget();
    {
        QPainter p(&target);
        p.setBackground(QColor(kBackground));
        p.translate(10, 5);
        CMemDC dc(&p, QRect(20, 15, 10, 10));   // device (30, 20)-(39, 29)
        dc->fillRect(QRect(20, 15, 1, 1), QColor(kInk));
    }
    QCOMPARE(target.pixel(30, 20), kInk);
    QCOMPARE(target.pixel(39, 29), kBackground);
    QCOMPARE(target.pixel(20, 15), kTargetFill);
    QCOMPARE(target.pixel(40, 30), kTargetFill);
}

void CMemDCTest::inactiveTargetIsHarmless()
{
    QPainter idle;
    { CMemDC dc(&idle, QRect(0, 0, 10, 10)); }
    { CMemDC dc(nullptr, QRect(0, 0, 10, 10)); }
    QImage target = freshTarget();
    QPainter p(&target);
    { CMemDC dc(&p, QRect(5, 5, 0, 10)); }   // empty rectangle: nothing copied
    p.end();
    QCOMPARE(target.pixel(5, 5), kTargetFill);
}

QTEST_MAIN(CMemDCTest)
#include "cmemdc_test.moc"
