#include "cbitmapbutton.h"
#include "ccontrolbutton.h"
#include "skin.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QRgb kHover = qRgb(220, 0, 0);
const QRgb kNormal = qRgb(0, 180, 0);
const QRgb kPressed = qRgb(0, 0, 240);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

QImage filled(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A round picture: `inside` within radius 9 of (12, 12), `outside` elsewhere.
QImage disc(QSize size, QRgb inside, QRgb outside)
{
    QImage image = filled(size, outside);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if ((x - 12) * (x - 12) + (y - 12) * (y - 12) <= 81)
                image.setPixel(x, y, inside);
    return image;
}

// A skin-sized background whose every pixel tells where it came from.
QImage telltaleBackground()
{
    QImage image(1024, 724, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x >> 8) * 64 + (y >> 8)));
    return image;
}

void enter(QWidget* w)
{
    const QPointF centre(w->width() / 2.0, w->height() / 2.0);
    QEnterEvent event(centre, centre, w->mapToGlobal(centre));
    QApplication::sendEvent(w, &event);
}

void leave(QWidget* w)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(w, &event);
}

QRgb pixelAt(QWidget* w, QPoint p)
{
    return w->grab().toImage().pixel(p);
}

}  // namespace

class ButtonsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void hoverFaceWhileInsideNormalAfterLeave();
    void disabledButtonKeepsNormalFace();
    void pressedFaceOverTheCurrentFace_data();
    void pressedFaceOverTheCurrentFace();
    void clickEmitsClicked();
    void unmaskedFaceCoversWholeButton();
    void maskedButtonShowsBackgroundOutsideFace();
    void maskedButtonOnTheSkinMatchesTheBackground();
    void ellipticRegionTakesBitmapSize_data();
    void ellipticRegionTakesBitmapSize();

    void bitmapButtonSizesToNormalImage_data();
    void bitmapButtonSizesToNormalImage();
    void bitmapButtonShowsPushedImageForPushedState();
    void bitmapButtonShowsPushedImageWhileHeld();
    void bitmapButtonPicksImageByState_data();
    void bitmapButtonPicksImageByState();
    void bitmapButtonShowsFocusedImageWhileFocused();
    void bitmapButtonReportsFailedLoads();

private:
    std::unique_ptr<QWidget> m_window;
};

void ButtonsTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(1024, 724);
}

void ButtonsTest::cleanup()
{
    m_window.reset();
}

void ButtonsTest::hoverFaceWhileInsideNormalAfterLeave()
{
    auto* button = new CControlButton(m_window.get(), 1011);
    button->setGeometry(571, 635, 55, 55);
    button->SetFaceImages(filled(QSize(55, 55), kHover), filled(QSize(55, 55), kNormal),
                          filled(QSize(55, 55), kPressed));
    const QPoint centre(27, 27);
    QCOMPARE(pixelAt(button, centre), kNormal);
    enter(button);
    QVERIFY(button->IsHovering());
    QCOMPARE(pixelAt(button, centre), kHover);
    leave(button);
    QCOMPARE(pixelAt(button, centre), kNormal);
    enter(button);   // the next entry hovers again
    QCOMPARE(pixelAt(button, centre), kHover);
}

void ButtonsTest::disabledButtonKeepsNormalFace()
{
    auto* button = new CControlButton(m_window.get(), 1018);
    button->resize(50, 20);
    button->SetFaceImages(filled(QSize(50, 20), kHover), filled(QSize(50, 20), kNormal),
                          filled(QSize(50, 20), kPressed));
    button->setEnabled(false);
    enter(button);
    QCOMPARE(pixelAt(button, QPoint(25, 10)), kNormal);
    button->setEnabled(true);
    QCOMPARE(pixelAt(button, QPoint(25, 10)), kNormal);
}

void ButtonsTest::pressedFaceOverTheCurrentFace_data()
{
    QTest::addColumn<bool>("hovered");
    QTest::addColumn<QRgb>("around");
    QTest::newRow("mouse press over hover") << true << kHover;
    QTest::newRow("space press over normal") << false << kNormal;
}

void ButtonsTest::pressedFaceOverTheCurrentFace()
{
    QFETCH(bool, hovered);
    QFETCH(QRgb, around);
    auto* button = new CControlButton(m_window.get(), 1022);
    button->resize(31, 18);
    // A pressed face smaller than the button leaves the face under it visible.
    button->SetFaceImages(filled(QSize(31, 18), kHover), filled(QSize(31, 18), kNormal),
                          filled(QSize(10, 10), kPressed));
    if (hovered) {
        enter(button);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(15, 9));
    } else {
        QTest::keyPress(button, Qt::Key_Space);
    }
    QVERIFY(button->isDown());
    QCOMPARE(pixelAt(button, QPoint(2, 2)), kPressed);
    QCOMPARE(pixelAt(button, QPoint(20, 12)), around);
    if (hovered)
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(15, 9));
    else
        QTest::keyRelease(button, Qt::Key_Space);
    QVERIFY(!button->isDown());
    QCOMPARE(pixelAt(button, QPoint(2, 2)), around);
}

void ButtonsTest::clickEmitsClicked()
{
    auto* button = new CControlButton(m_window.get(), 1013);
    button->resize(55, 55);
    button->SetFaceImages(filled(QSize(55, 55), kHover), filled(QSize(55, 55), kNormal),
                          filled(QSize(55, 55), kPressed));
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(27, 27));
    QCOMPARE(clicked.count(), 1);
}

void ButtonsTest::unmaskedFaceCoversWholeButton()
{
    auto* button = new CControlButton(m_window.get(), 1017);
    button->resize(50, 20);
    QImage face = filled(QSize(50, 20), kWhite);
    face.setPixel(0, 0, kNormal);
    button->SetFaceImages(face, face, face);
    const QImage shot = button->grab().toImage();
    QCOMPARE(shot.pixel(0, 0), kNormal);
    QCOMPARE(shot.pixel(49, 19), kWhite);   // white is opaque, not transparent
    QCOMPARE(qAlpha(shot.pixel(49, 19)), 255);
}

void ButtonsTest::maskedButtonShowsBackgroundOutsideFace()
{
    const QRect place(907, 21, 24, 24);
    const QImage background = telltaleBackground();
    auto* button = new CControlButton(m_window.get(), 1036);
    button->setGeometry(place);
    button->SetBackgroundImage(background, place);
    // One grey mask pixel where the face is white: the raster operations give
    // (NOT mask) OR background there, a lightened background.
    QImage mask = disc(QSize(26, 26), kBlack, kWhite);
    mask.setPixel(1, 12, qRgb(128, 128, 128));
    button->SetMaskImage(mask);
    const QRgb under = background.pixel(place.topLeft() + QPoint(1, 12));
    const QRgb lightened = qRgb(qRed(under) | 127, qGreen(under) | 127, qBlue(under) | 127);
    button->SetFaceImages(disc(QSize(24, 24), kHover, kWhite), disc(QSize(24, 24), kNormal, kWhite),
                          disc(QSize(24, 24), kPressed, kWhite));
    QVERIFY(button->IsMasking());

    const auto check = [&](QRgb faceColour) {
        const QImage shot = button->grab().toImage();
        for (QPoint p : {QPoint(0, 0), QPoint(23, 0), QPoint(0, 23), QPoint(23, 23), QPoint(12, 1)})
            QCOMPARE(shot.pixel(p), background.pixel(place.topLeft() + p));
        QCOMPARE(shot.pixel(12, 12), faceColour);
        QCOMPARE(shot.pixel(12, 4), faceColour);
        QCOMPARE(shot.pixel(1, 12), lightened);
    };
    check(kNormal);
    enter(button);
    check(kHover);
    button->setDown(true);
    check(kPressed);
}

// With the real skin, wherever the mask is white and the face is white, the
// button shows the window's background picture at its own place.
void ButtonsTest::maskedButtonOnTheSkinMatchesTheBackground()
{
    const QRect place(907, 21, 24, 24);
    const QImage mask = SkinImage(197);
    const QImage face = SkinImage(196);
    if (mask.pixel(0, 0) != kWhite || face.pixel(0, 0) != kWhite)
        QSKIP("the skin's mask and face artwork is not in place yet");
    auto* button = new CControlButton(m_window.get(), 1036);
    button->setGeometry(place);
    button->SetBackgroundBitmap(202, place);
    button->SetMaskBitmap(197);
    button->SetFaceBitmaps(191, 196, 191);
    QCOMPARE(pixelAt(button, QPoint(0, 0)), SkinImage(202).pixel(place.topLeft()));
}

void ButtonsTest::ellipticRegionTakesBitmapSize_data()
{
    QTest::addColumn<int>("bitmap");
    QTest::newRow("about box close") << 205;
    QTest::newRow("open file") << 150;
    QTest::newRow("help") << 196;
}

void ButtonsTest::ellipticRegionTakesBitmapSize()
{
    QFETCH(int, bitmap);
    auto* button = new CControlButton(m_window.get(), 1);
    button->resize(60, 60);
    button->SetEllipticRegion(bitmap);
    const QSize size = SkinImage(bitmap).size();
    // The rasterised ellipse may lose an edge row; it never leaves its box.
    const QRect box = button->mask().boundingRect();
    QVERIFY(QRect(QPoint(0, 0), size).contains(box));
    QVERIFY(box.width() >= size.width() - 1 && box.height() >= size.height() - 1);
    // An ellipse, not a rectangle: the corners are outside.
    QVERIFY(!button->mask().contains(QPoint(0, 0)));
    QVERIFY(!button->mask().contains(QPoint(size.width() - 1, size.height() - 1)));
    QVERIFY(button->mask().contains(QPoint(size.width() / 2, size.height() / 2)));
    if (bitmap == 205)
        QCOMPARE(button->mask().boundingRect().size(), QSize(25, 24));
}

void ButtonsTest::bitmapButtonSizesToNormalImage_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("normal");
    QTest::addColumn<int>("pushed");
    QTest::addColumn<int>("focused");
    QTest::addColumn<int>("disabled");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("record tab") << 1000 << 138 << 139 << 139 << 138 << QSize(147, 26);
    QTest::newRow("information tab") << 1001 << 136 << 137 << 137 << 136 << QSize(147, 26);
    QTest::newRow("play") << 1007 << 168 << 169 << 0 << 0 << QSize(34, 28);
    QTest::newRow("frame forward") << 1009 << 172 << 165 << 0 << 0 << QSize(34, 28);
}

void ButtonsTest::bitmapButtonSizesToNormalImage()
{
    QFETCH(int, id);
    QFETCH(int, normal);
    QFETCH(int, pushed);
    QFETCH(int, focused);
    QFETCH(int, disabled);
    QFETCH(QSize, expected);
    auto* button = new CBitmapButton(m_window.get(), id);
    button->setGeometry(672, 585, 150, 30);
    QVERIFY(button->LoadBitmaps(normal, pushed, focused, disabled));
    QCOMPARE(button->geometry(), QRect(QPoint(672, 585), expected));
    QCOMPARE(pixelAt(button, QPoint(5, 5)), SkinImage(normal).pixel(5, 5));
    button->SetPushedState(true);
    QCOMPARE(pixelAt(button, QPoint(5, 5)), SkinImage(pushed).pixel(5, 5));
}

void ButtonsTest::bitmapButtonShowsPushedImageForPushedState()
{
    auto* button = new CBitmapButton(m_window.get(), 1007);
    QVERIFY(button->LoadImages(filled(QSize(34, 28), kNormal), filled(QSize(34, 28), kPressed)));
    QVERIFY(!button->PushedState());
    QCOMPARE(pixelAt(button, QPoint(3, 3)), kNormal);
    button->SetPushedState(true);
    QVERIFY(button->PushedState());
    QCOMPARE(pixelAt(button, QPoint(3, 3)), kPressed);
    // A pushed look stays while disabled: the program's state wins.
    button->setEnabled(false);
    QCOMPARE(pixelAt(button, QPoint(3, 3)), kPressed);
    button->SetPushedState(false);
    QCOMPARE(pixelAt(button, QPoint(3, 3)), kNormal);
}

void ButtonsTest::bitmapButtonShowsPushedImageWhileHeld()
{
    auto* button = new CBitmapButton(m_window.get(), 1006);
    QVERIFY(button->LoadImages(filled(QSize(34, 28), kNormal), filled(QSize(34, 28), kPressed)));
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(pixelAt(button, QPoint(3, 3)), kPressed);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(pixelAt(button, QPoint(3, 3)), kNormal);
    QCOMPARE(clicked.count(), 1);
}

void ButtonsTest::bitmapButtonPicksImageByState_data()
{
    QTest::addColumn<bool>("withDisabledImage");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("enabled") << true << true << kNormal;
    QTest::newRow("disabled with image") << true << false << kHover;
    QTest::newRow("disabled without image") << false << false << kNormal;
}

void ButtonsTest::bitmapButtonPicksImageByState()
{
    QFETCH(bool, withDisabledImage);
    QFETCH(bool, enabled);
    QFETCH(QRgb, expected);
    auto* button = new CBitmapButton(m_window.get(), 1001);
    const QSize size(147, 26);
    QVERIFY(button->LoadImages(filled(size, kNormal), filled(size, kPressed), QImage(),
                               withDisabledImage ? filled(size, kHover) : QImage()));
    button->setEnabled(enabled);
    QCOMPARE(pixelAt(button, QPoint(70, 13)), expected);
}

void ButtonsTest::bitmapButtonShowsFocusedImageWhileFocused()
{
    auto* tab = new CBitmapButton(m_window.get(), 1000);
    auto* other = new QLineEdit(m_window.get());
    other->move(0, 100);
    const QSize size(147, 26);
    QVERIFY(tab->LoadImages(filled(size, kNormal), filled(size, kPressed), filled(size, kHover)));
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    other->setFocus();
    QCOMPARE(pixelAt(tab, QPoint(70, 13)), kNormal);
    tab->setFocus();
    QVERIFY(tab->hasFocus());
    QCOMPARE(pixelAt(tab, QPoint(70, 13)), kHover);
    tab->SetPushedState(true);   // pushed wins over focused
    QCOMPARE(pixelAt(tab, QPoint(70, 13)), kPressed);
}

void ButtonsTest::bitmapButtonReportsFailedLoads()
{
    auto* button = new CBitmapButton(m_window.get(), 1002);
    button->resize(35, 28);
    QVERIFY(!button->LoadBitmaps(99999, 175));
    QVERIFY(!button->LoadBitmaps(174, 99999));
    QCOMPARE(button->size(), SkinImage(174).size());   // the normal image still applies
    QVERIFY(button->LoadBitmaps(174, 175));
    QVERIFY(!button->grab().isNull());
}

QTEST_MAIN(ButtonsTest)
#include "buttons_test.moc"
