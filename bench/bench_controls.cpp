// Repaint cost of the skinned controls. The position slider is repainted by
// the display timer up to about seven times a second, so one repaint should
// stay well under a millisecond (goal: 0.3 ms).
#include "cbitmapslider.h"
#include "ccontrolbutton.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace {

QImage filled(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The playback position slider as the main window configures it.
struct PositionSlider {
    QWidget window;
    CBitmapSlider* slider;
    QImage target{QSize(597, 37), QImage::Format_ARGB32_Premultiplied};

    PositionSlider() : slider(new CBitmapSlider(&window, 1033))
    {
        slider->SetChannelImages(filled(QSize(597, 37), qRgb(40, 40, 40)), filled(QSize(597, 37), qRgb(90, 0, 0)));
        slider->SetRange(0, 1000, false);
        slider->SetFixedSplit(0.99, true);
        QImage thumb = filled(QSize(29, 16), qRgb(200, 200, 200));
        thumb.setPixel(0, 0, qRgb(255, 0, 255));
        slider->SetThumbImage(thumb, CBitmapSlider::kKeyColourFromPixel, 0, 0);
        slider->SetFocusRectEnabled(false, false);
        slider->SetMargins(0, 10, 0);
        slider->SetPos(0);
    }
};

void BM_PositionSliderRepaint(benchmark::State& state)
{
    PositionSlider s;
    int pos = 0;
    for (auto _ : state) {
        s.slider->SetPos(pos);
        pos = (pos + 7) % 1001;
        s.slider->render(&s.target);
        benchmark::DoNotOptimize(s.target.constBits());
    }
}
BENCHMARK(BM_PositionSliderRepaint)->Unit(benchmark::kMicrosecond);

// The volume slider: the split follows the thumb, so the channel is recomposed.
void BM_VolumeSliderRepaint(benchmark::State& state)
{
    QWidget window;
    auto* slider = new CBitmapSlider(&window, 1028);
    slider->SetChannelImages(filled(QSize(157, 18), qRgb(40, 40, 40)), filled(QSize(157, 18), qRgb(0, 90, 0)));
    slider->SetRange(0, 1000, false);
    slider->SetMargins(28, 0, 23);
    QImage target(QSize(157, 18), QImage::Format_ARGB32_Premultiplied);
    int pos = 0;
    for (auto _ : state) {
        slider->SetPos(pos);
        pos = (pos + 13) % 1001;
        slider->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_VolumeSliderRepaint)->Unit(benchmark::kMicrosecond);

// A masked round button on the skin: the first paint composes, later ones copy.
void BM_MaskedButtonRepaint(benchmark::State& state)
{
    QWidget window;
    auto* button = new CControlButton(&window, 1036);
    const QRect place(907, 21, 24, 24);
    button->setGeometry(place);
    button->SetBackgroundImage(filled(QSize(1024, 724), qRgb(10, 20, 30)), place);
    button->SetMaskImage(filled(QSize(26, 26), qRgb(0, 0, 0)));
    button->SetFaceImages(filled(QSize(24, 24), qRgb(1, 2, 3)), filled(QSize(24, 24), qRgb(4, 5, 6)),
                          filled(QSize(24, 24), qRgb(7, 8, 9)));
    QImage target(place.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        button->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_MaskedButtonRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
