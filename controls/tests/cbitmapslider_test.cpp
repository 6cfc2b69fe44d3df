#include "cbitmapslider.h"
#include "eventrecorder.h"
#include "skin.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <memory>

namespace {

const QRgb kActive = qRgb(200, 0, 0);
const QRgb kPlain = qRgb(0, 160, 0);
const QRgb kThumbBody = qRgb(0, 0, 220);
const QRgb kKey = qRgb(255, 0, 255);
constexpr int kPosition = 1033;

QImage filled(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// 29 x 16 thumb: a body with its four left columns in the key colour.
QImage thumbWithKeyColumns()
{
    QImage image = filled(QSize(29, 16), kThumbBody);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, kKey);
    return image;
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void press(QWidget* w, int x) { sendMouse(w, QEvent::MouseButtonPress, QPoint(x, 20), Qt::LeftButton, Qt::LeftButton); }
void drag(QWidget* w, int x) { sendMouse(w, QEvent::MouseMove, QPoint(x, 20), Qt::NoButton, Qt::LeftButton); }
void release(QWidget* w, int x) { sendMouse(w, QEvent::MouseButtonRelease, QPoint(x, 20), Qt::LeftButton, Qt::NoButton); }

SliderNote tracking(int pos) { return {WM_SLIDER_TRACKING, kPosition, pos}; }
SliderNote settled(int pos) { return {WM_SLIDER_SETTLED, kPosition, pos}; }

}  // namespace

class CBitmapSliderTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pressOffTheThumbJumpsThereAndPostsTracking();
    void dragPostsTrackingOnlyWhenThumbChangesPixel();
    void releasePostsSettledEvenWithoutChange();
    void moveWithoutButtonChangesNothing();
    void keysStepAndPostSettled_data();
    void keysStepAndPostSettled();
    void otherKeysPostNothing();
    void tabMovesFocusOnward();
    void thumbKeyColourShowsChannel();
    void explicitKeyColourShowsChannel();
    void channelSplitsAtThumbOrFixedPixel_data();
    void channelSplitsAtThumbOrFixedPixel();
    void focusRectangleAfterClickWhenEnabled_data();
    void focusRectangleAfterClickWhenEnabled();
    void setRangeAloneKeepsPosition();
    void skinBitmapsSizeTheControlAndReportFailures();
    void marksSitOnTheirRowAtTheirValues();
    void noMarksLeaveTheBitmapsAsTheyAre();
    void spanMarksAreAccentBracketsApartFromEventMarks();

private:
    // The playback position slider of the main window, with test pictures.
    void configurePositionSlider();

    std::unique_ptr<EventRecorder> m_window;
    CBitmapSlider* m_slider = nullptr;
};

void CBitmapSliderTest::init()
{
    m_window = std::make_unique<EventRecorder>();
    m_window->resize(800, 120);
    m_slider = new CBitmapSlider(m_window.get(), kPosition);
    m_slider->move(50, 10);
}

void CBitmapSliderTest::cleanup()
{
    m_window.reset();
    m_slider = nullptr;
}

void CBitmapSliderTest::configurePositionSlider()
{
    QVERIFY(m_slider->SetChannelImages(filled(QSize(597, 37), kPlain), filled(QSize(597, 37), kActive)));
    m_slider->SetRange(0, 1000, false);
    m_slider->SetFixedSplit(0.99, true);
    QVERIFY(m_slider->SetThumbImage(thumbWithKeyColumns(), CBitmapSlider::kKeyColourFromPixel, 0, 0));
    m_slider->SetFocusRectEnabled(false, false);
    m_slider->SetMargins(0, 10, 0);
    m_slider->SetPos(0);
}

void CBitmapSliderTest::pressOffTheThumbJumpsThereAndPostsTracking()
{
    configurePositionSlider();
    press(m_slider, 200);
    QCOMPARE(m_window->notes.size(), 0);   // posted, not sent
    QCOMPARE(m_window->take(), QVector<SliderNote>{tracking(327)});
    QCOMPARE(m_slider->GetPos(), 327);
    QCOMPARE(m_slider->ThumbCentre(), 199);
    // The thumb is drawn from 199 - 14: its body starts after the 4 key columns.
    const QImage shot = m_slider->grab().toImage();
    QCOMPARE(shot.pixel(189, 18), kThumbBody);
    QCOMPARE(shot.pixel(213, 18), kThumbBody);
    QCOMPARE(shot.pixel(214, 18), kActive);
    QVERIFY(m_slider->IsDragging());
}

void CBitmapSliderTest::dragPostsTrackingOnlyWhenThumbChangesPixel()
{
    configurePositionSlider();
    press(m_slider, 20);               // on the thumb: hold 6 px right of its centre
    QCOMPARE(m_window->take(), QVector<SliderNote>{});
    drag(m_slider, 21);                // centre 15 -> trunc(1.76) = 1, drawn back at 14
    QCOMPARE(m_window->take(), QVector<SliderNote>{tracking(1)});
    drag(m_slider, 22);                // centre 16 -> 3, drawn at 15
    QCOMPARE(m_window->take(), QVector<SliderNote>{tracking(3)});
    drag(m_slider, 21);                // centre 15 is where 3 is drawn: nothing
    QCOMPARE(m_window->take(), QVector<SliderNote>{});
    drag(m_slider, 5000);              // past the end: limited to the maximum
    QCOMPARE(m_window->take(), QVector<SliderNote>{tracking(1000)});
    drag(m_slider, -5000);
    QCOMPARE(m_window->take(), QVector<SliderNote>{tracking(0)});
    release(m_slider, -5000);
    QCOMPARE(m_window->take(), QVector<SliderNote>{settled(0)});
    QVERIFY(!m_slider->IsDragging());
    drag(m_slider, 300);               // after release a move is no drag
    QCOMPARE(m_window->take(), QVector<SliderNote>{});
}

void CBitmapSliderTest::releasePostsSettledEvenWithoutChange()
{
    configurePositionSlider();
    m_slider->SetPos(500);
    press(m_slider, 298);
    release(m_slider, 298);
    QCOMPARE(m_window->take(), QVector<SliderNote>{settled(500)});
}

void CBitmapSliderTest::moveWithoutButtonChangesNothing()
{
    configurePositionSlider();
    sendMouse(m_slider, QEvent::MouseMove, QPoint(300, 20), Qt::NoButton, Qt::NoButton);
    QCOMPARE(m_window->take(), QVector<SliderNote>{});
    QCOMPARE(m_slider->GetPos(), 0);
}

void CBitmapSliderTest::keysStepAndPostSettled_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected");
    QTest::newRow("PageDown near end") << int(Qt::Key_PageDown) << 995 << 1000;
    QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 500 << 520;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 500 << 480;
    QTest::newRow("PageUp near start") << int(Qt::Key_PageUp) << 5 << 0;
    QTest::newRow("End") << int(Qt::Key_End) << 3 << 1000;
    QTest::newRow("Home at start") << int(Qt::Key_Home) << 0 << 0;
    QTest::newRow("Home") << int(Qt::Key_Home) << 700 << 0;
    QTest::newRow("Left") << int(Qt::Key_Left) << 10 << 9;
    QTest::newRow("Up") << int(Qt::Key_Up) << 10 << 9;
    QTest::newRow("Right") << int(Qt::Key_Right) << 10 << 11;
    QTest::newRow("Down") << int(Qt::Key_Down) << 10 << 11;
    QTest::newRow("Right at end") << int(Qt::Key_Right) << 1000 << 1000;
}

void CBitmapSliderTest::keysStepAndPostSettled()
{
    QFETCH(int, key);
    QFETCH(int, start);
    QFETCH(int, expected);
    configurePositionSlider();
    m_slider->SetPos(start);
    QTest::keyClick(m_slider, Qt::Key(key));
    QCOMPARE(m_slider->GetPos(), expected);
    QCOMPARE(m_window->take(), QVector<SliderNote>{settled(expected)});

    // Auto-repeat: every repeated press is one more step.
    m_slider->SetPos(500);
    QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(m_slider, &repeat);
    QApplication::sendEvent(m_slider, &repeat);
    QCOMPARE(m_window->take().size(), 2);
}

void CBitmapSliderTest::otherKeysPostNothing()
{
    configurePositionSlider();
    m_slider->SetPos(40);
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return, Qt::Key_Plus})
        QTest::keyClick(m_slider, key);
    QCOMPARE(m_slider->GetPos(), 40);
    QCOMPARE(m_window->take(), QVector<SliderNote>{});
}

void CBitmapSliderTest::tabMovesFocusOnward()
{
    configurePositionSlider();
    auto* edit = new QLineEdit(m_window.get());
    edit->move(0, 60);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    press(m_slider, 200);
    release(m_slider, 200);
    m_window->take();
    QVERIFY(m_slider->hasFocus());
    QTest::keyClick(m_slider, Qt::Key_Tab);
    QVERIFY(edit->hasFocus());
    QCOMPARE(m_window->take(), QVector<SliderNote>{});
}

void CBitmapSliderTest::thumbKeyColourShowsChannel()
{
    configurePositionSlider();
    m_slider->SetPos(1000);   // thumb drawn from 582 - 14 = 568, past the fixed split at 591
    const QImage shot = m_slider->grab().toImage();
    // Key columns 568..571 show the channel, the body shows the thumb.
    QCOMPARE(shot.pixel(568, 10), kActive);
    QCOMPARE(shot.pixel(571, 25), kActive);
    QCOMPARE(shot.pixel(572, 10), kThumbBody);
    QCOMPARE(shot.pixel(592, 25), kThumbBody);
    QCOMPARE(shot.pixel(592, 26), kPlain);    // below the thumb
    QCOMPARE(shot.pixel(592, 9), kPlain);     // above the thumb
}

void CBitmapSliderTest::explicitKeyColourShowsChannel()
{
    configurePositionSlider();
    QImage thumb = filled(QSize(29, 16), kThumbBody);
    thumb.setPixel(14, 8, qRgb(0, 255, 0));
    QVERIFY(m_slider->SetThumbImage(thumb, CBitmapSlider::ColorRef(0, 255, 0), 0, 0));
    const QImage shot = m_slider->grab().toImage();
    QCOMPARE(shot.pixel(14, 18), kActive);
    QCOMPARE(shot.pixel(13, 18), kThumbBody);
    QCOMPARE(shot.pixel(0, 10), kThumbBody);   // the sample point is ignored with a given colour
}

void CBitmapSliderTest::channelSplitsAtThumbOrFixedPixel_data()
{
    QTest::addColumn<bool>("fixedSplit");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("boundary");
    // The volume slider: 157 px, margins 28 and 23, no thumb.
    QTest::newRow("follows at 500") << false << 500 << 81;
    QTest::newRow("follows at 0") << false << 0 << 28;
    QTest::newRow("follows at 1000") << false << 1000 << 134;
    // With the split fixed at 0.99 of the width (155).
    QTest::newRow("fixed at 0") << true << 0 << 155;
    QTest::newRow("fixed at 1000") << true << 1000 << 155;
}

void CBitmapSliderTest::channelSplitsAtThumbOrFixedPixel()
{
    QFETCH(bool, fixedSplit);
    QFETCH(int, position);
    QFETCH(int, boundary);
    QVERIFY(m_slider->SetChannelImages(filled(QSize(157, 18), kPlain), filled(QSize(157, 18), kActive)));
    m_slider->SetRange(0, 1000, false);
    if (fixedSplit)
        m_slider->SetFixedSplit(0.99, true);
    m_slider->SetMargins(28, 0, 23);
    m_slider->SetPos(position);
    const QImage shot = m_slider->grab().toImage();
    QCOMPARE(shot.size(), QSize(157, 18));
    QCOMPARE(shot.pixel(0, 9), kActive);
    QCOMPARE(shot.pixel(boundary - 1, 9), kActive);
    QCOMPARE(shot.pixel(boundary, 9), kPlain);
    QCOMPARE(shot.pixel(156, 17), kPlain);
}

void CBitmapSliderTest::focusRectangleAfterClickWhenEnabled_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled") << true;
    QTest::newRow("disabled") << false;
}

void CBitmapSliderTest::focusRectangleAfterClickWhenEnabled()
{
    QFETCH(bool, enabled);
    QVERIFY(m_slider->SetChannelImages(filled(QSize(157, 18), kPlain), filled(QSize(157, 18), kActive)));
    m_slider->SetRange(0, 1000, false);
    m_slider->SetMargins(28, 0, 23);
    m_slider->SetPos(500);
    m_slider->SetFocusRectEnabled(enabled, true);
    auto* other = new QLineEdit(m_window.get());
    other->move(0, 60);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

    const QRgb invertedActive = qRgb(255 - 200, 255, 255);
    const QRgb invertedPlain = qRgb(255, 255 - 160, 255);
    QCOMPARE(m_slider->grab().toImage().pixel(0, 0), kActive);

    press(m_slider, 81);
    release(m_slider, 81);
    QVERIFY(m_slider->hasFocus());
    QImage shot = m_slider->grab().toImage();
    // Dotted: every other border pixel inverted, the inside untouched.
    QCOMPARE(shot.pixel(0, 0), enabled ? invertedActive : kActive);
    QCOMPARE(shot.pixel(1, 0), kActive);
    QCOMPARE(shot.pixel(0, 2), enabled ? invertedActive : kActive);
    QCOMPARE(shot.pixel(156, 17), kPlain);          // 156 + 17 is odd
    QCOMPARE(shot.pixel(156, 16), enabled ? invertedPlain : kPlain);
    QCOMPARE(shot.pixel(100, 9), kPlain);
    QCOMPARE(shot.pixel(2, 8), kActive);

    other->setFocus();
    QVERIFY(!m_slider->hasFocus());
    QCOMPARE(m_slider->grab().toImage().pixel(0, 0), kActive);
}

void CBitmapSliderTest::setRangeAloneKeepsPosition()
{
    configurePositionSlider();
    m_slider->SetPos(800);
    m_slider->SetRange(0, 500, true);
    QCOMPARE(m_slider->GetPos(), 800);
    m_slider->SetPos(m_slider->GetPos());
    QCOMPARE(m_slider->GetPos(), 500);
    m_slider->SetPos(-3);
    QCOMPARE(m_slider->GetPos(), 0);
}

void CBitmapSliderTest::skinBitmapsSizeTheControlAndReportFailures()
{
    m_slider->setGeometry(50, 574, 608, 80);
    QVERIFY(m_slider->SetChannelBitmaps(188, 188));
    QCOMPARE(m_slider->geometry(), QRect(QPoint(50, 574), SkinImage(188).size()));
    QVERIFY(m_slider->SetThumbBitmap(189, CBitmapSlider::kKeyColourFromPixel, 0, 0));
    QCOMPARE(m_slider->Geometry().thumbWidth, SkinImage(189).width());

    QVERIFY(m_slider->SetChannelBitmaps(163, 164));
    QCOMPARE(m_slider->size(), SkinImage(163).size());
    QCOMPARE(m_slider->Geometry().channelWidth, SkinImage(163).width());

    QVERIFY(!m_slider->SetChannelBitmaps(163, 99999));
    QVERIFY(!m_slider->SetChannelBitmaps(99999, 0));
    QVERIFY(!m_slider->SetThumbBitmap(99999, CBitmapSlider::kKeyColourFromPixel, 0, 0));
    QCOMPARE(m_slider->Geometry().thumbWidth, 0);
    // Painting a slider whose bitmaps failed is harmless.
    QVERIFY(!m_slider->grab().isNull());
}


void CBitmapSliderTest::marksSitOnTheirRowAtTheirValues()
{
    configurePositionSlider();
    m_slider->SetPos(500);
    m_slider->SetMarkRow(27, 8);
    m_slider->SetMarks({0, 250, 1000, 1500});
    // 568 px of track from x 14: values 0, 250, 1000 and the clamped 1500.
    QCOMPARE(m_slider->MarkPixels(), (QVector<int>{14, 156, 582, 582}));
    const QImage shot = m_slider->grab().toImage();
    for (const int x : {14, 156, 582}) {
        QCOMPARE(shot.pixel(x, 32), CBitmapSlider::kMarkColour);
        // Beside the wedge and above its row the channel shows as before.
        QCOMPARE(shot.pixel(x + 8, 32), kActive);
        QCOMPARE(shot.pixel(x, 26), kActive);
        QCOMPARE(shot.pixel(x, 36), kActive);
    }
    // The thumb at 500 is drawn over the channel, not hidden by a mark.
    QCOMPARE(shot.pixel(298, 20), kThumbBody);

    m_slider->SetMarks({});
    QCOMPARE(m_slider->grab().toImage().pixel(156, 32), kActive);
}

void CBitmapSliderTest::noMarksLeaveTheBitmapsAsTheyAre()
{
    configurePositionSlider();
    m_slider->SetPos(300);
    const QImage before = m_slider->grab().toImage();
    m_slider->SetMarkRow(27, 8);
    QCOMPARE(m_slider->grab().toImage(), before);
    m_slider->SetMarks({600});
    m_slider->SetMarkRow(27, 0);
    QCOMPARE(m_slider->grab().toImage(), before);
}

void CBitmapSliderTest::spanMarksAreAccentBracketsApartFromEventMarks()
{
    configurePositionSlider();
    m_slider->SetPos(900);
    m_slider->SetMarkRow(27, 8);
    const QImage before = m_slider->grab().toImage();
    m_slider->SetMarks({500});
    m_slider->SetSpanMarks(250, 750);
    QCOMPARE(m_slider->SpanInPixel(), 156);
    QCOMPARE(m_slider->SpanOutPixel(), 440);
    const QImage shot = m_slider->grab().toImage();
    // Uprights over the whole row, feet into the span, nothing outside it.
    for (const int y : {27, 31, 34}) {
        QCOMPARE(shot.pixel(156, y), CBitmapSlider::kSpanMarkColour);
        QCOMPARE(shot.pixel(440, y), CBitmapSlider::kSpanMarkColour);
    }
    QCOMPARE(shot.pixel(158, 27), CBitmapSlider::kSpanMarkColour);
    QCOMPARE(shot.pixel(438, 34), CBitmapSlider::kSpanMarkColour);
    QCOMPARE(shot.pixel(152, 31), kActive);
    QCOMPARE(shot.pixel(445, 31), before.pixel(445, 31));
    QCOMPARE(shot.pixel(156, 24), before.pixel(156, 24));
    // The event mark between them keeps its amber.
    QCOMPARE(shot.pixel(298, 32), CBitmapSlider::kMarkColour);

    // One side alone, then none: the slider looks as before.
    m_slider->SetMarks({});
    m_slider->SetSpanMarks(-1, 750);
    QCOMPARE(m_slider->SpanInPixel(), -1);
    QCOMPARE(m_slider->grab().toImage().pixel(156, 31), before.pixel(156, 31));
    QCOMPARE(m_slider->grab().toImage().pixel(440, 31), CBitmapSlider::kSpanMarkColour);
    m_slider->SetSpanMarks(-1, -1);
    QCOMPARE(m_slider->grab().toImage(), before);
}

QTEST_MAIN(CBitmapSliderTest)
#include "cbitmapslider_test.moc"
