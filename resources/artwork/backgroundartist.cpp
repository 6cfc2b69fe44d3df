#include "backgroundartist.h"

#include <QPainterPath>
#include <QRadialGradient>

#include "glyphs.h"
#include "instrumentartist.h"
#include "palette.h"
#include "panelartist.h"
#include "paintkit.h"
#include "windowplaces.h"

using namespace paintkit;

namespace {
// Bottom of the header band: clear of the wordmark, above the video bezel.
constexpr int kHeaderBottom = 46;

QPointF centreOf(QPoint topLeft, int size)
{
    return QPointF(topLeft) + QPointF(size / 2.0, size / 2.0);
}
}  // namespace

QImage BackgroundArtist::paint() const
{
    QImage image = canvas(places::kWindow, palette::kOutside);
    const QPainterPath window = roundRect(QRectF(QPointF(0, 0), places::kWindow), places::kWindowCorner);
    {
        QPainter p;
        begin(p, &image);
        p.fillPath(window, vertical(window.boundingRect(), palette::kBodyTop, palette::kBodyBottom));
        // A soft light pool behind the video, as if lit from above.
        QRadialGradient pool(QPointF(350, 120), 520);
        pool.setColorAt(0, QColor(120, 160, 200, 22));
        pool.setColorAt(1, QColor(120, 160, 200, 0));
        p.fillPath(window, pool);
    }
    brushedGrain(image, window, 202, 2);

    QPainter p;
    begin(p, &image);
    paintHeader(p);
    paintVideoBezel(p);
    paintSensorWell(p);
    paintConsole(p);
    paintCommandSockets(p);
    paintTabRail(p);
    paintVolumeArea(p);
    PanelArtist::paintFrame(p, QPointF(places::kPanelFrame.topLeft()));
    paintWindowButtonRail(p);

    // Outline of the window: a bright top edge fading into a dark bottom one.
    QLinearGradient rim(0, 0, 0, places::kWindow.height());
    rim.setColorAt(0, QColor(255, 255, 255, 46));
    rim.setColorAt(0.12, QColor(255, 255, 255, 8));
    rim.setColorAt(0.8, QColor(0, 0, 0, 40));
    rim.setColorAt(1, QColor(0, 0, 0, 140));
    p.setPen(QPen(QBrush(rim), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundRect(QRectF(0.5, 0.5, places::kWindow.width() - 1, places::kWindow.height() - 1),
                         places::kWindowCorner - 0.5));
    return image;
}

void BackgroundArtist::paintEmblem(QPainter& p, const QPointF& c, qreal r, qreal opacity)
{
    p.save();
    p.setOpacity(opacity);
    // Barrel: brushed metal ring.
    QLinearGradient metal(c.x(), c.y() - r, c.x(), c.y() + r);
    metal.setColorAt(0, QColor(0xc9, 0xd2, 0xdc));
    metal.setColorAt(0.5, QColor(0x6b, 0x75, 0x82));
    metal.setColorAt(1, QColor(0x2c, 0x32, 0x3a));
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawEllipse(c, r, r);
    // Glass.
    QRadialGradient glass(c - QPointF(r * 0.25, r * 0.3), r);
    glass.setColorAt(0, QColor(0x1d, 0x3a, 0x4c));
    glass.setColorAt(0.7, QColor(0x07, 0x10, 0x17));
    glass.setColorAt(1, QColor(0x02, 0x04, 0x06));
    p.setBrush(glass);
    p.drawEllipse(c, r * 0.8, r * 0.8);
    // The eye: amber ring round a dark pupil.
    QRadialGradient iris(c, r * 0.5);
    iris.setColorAt(0, palette::kAmber.lighter(115));
    iris.setColorAt(1, QColor(0xd9, 0x7a, 0x1c));
    p.setBrush(iris);
    p.drawEllipse(c, r * 0.46, r * 0.46);
    p.setBrush(QColor(0x05, 0x07, 0x09));
    p.drawEllipse(c, r * 0.3, r * 0.3);
    // Catch light.
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(c + QPointF(-r * 0.12, -r * 0.13), r * 0.09, r * 0.09);
    QColor cyan = palette::kAccent;
    cyan.setAlpha(170);
    p.setPen(QPen(cyan, std::max<qreal>(1.0, r * 0.07), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r * 0.64, c.y() - r * 0.64, r * 1.28, r * 1.28), 100 * 16, 70 * 16);
    p.restore();
}

void BackgroundArtist::paintWordmark(QPainter& p, const QPointF& origin, qreal size)
{
    const QFont strong = font(palette::kFont, size, QFont::Bold, 102);
    const QFont light = font(palette::kFont, size, QFont::ExtraLight, 104);
    const QString first = QStringLiteral("Kestrel");
    const QString second = QStringLiteral("view");
    QPainterPath a;
    a.addText(origin, strong, first);
    const qreal advance = QFontMetricsF(strong).horizontalAdvance(first) + size * 0.04;
    QPainterPath b;
    b.addText(origin + QPointF(advance, 0), light, second);
    p.save();
    // Engraved: a dark copy one pixel lower.
    p.fillPath(a.translated(0, 1), QColor(0, 0, 0, 150));
    p.fillPath(b.translated(0, 1), QColor(0, 0, 0, 150));
    p.fillPath(a, vertical(a.boundingRect(), QColor(0xf1, 0xf4, 0xf7), QColor(0xa9, 0xb3, 0xbe)));
    p.fillPath(b, palette::kAccent);
    p.restore();
}

void BackgroundArtist::paintHeader(QPainter& p) const
{
    // Header band: slightly raised, divided from the body by a groove.
    const QRectF band(0, 0, places::kWindow.width(), kHeaderBottom);
    QLinearGradient shade(band.topLeft(), band.bottomLeft());
    shade.setColorAt(0, QColor(255, 255, 255, 16));
    shade.setColorAt(1, QColor(255, 255, 255, 3));
    p.fillRect(band, shade);
    QLinearGradient groove(0, 0, places::kWindow.width(), 0);
    groove.setColorAt(0, QColor(0, 0, 0, 0));
    groove.setColorAt(0.04, QColor(0, 0, 0, 120));
    groove.setColorAt(0.62, QColor(0, 0, 0, 120));
    groove.setColorAt(0.68, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, kHeaderBottom, places::kWindow.width(), 1), groove);
    QLinearGradient lip(0, 0, places::kWindow.width(), 0);
    lip.setColorAt(0, QColor(255, 255, 255, 0));
    lip.setColorAt(0.04, QColor(255, 255, 255, 20));
    lip.setColorAt(0.62, QColor(255, 255, 255, 20));
    lip.setColorAt(0.68, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, kHeaderBottom + 1, places::kWindow.width(), 1), lip);

    // Accent line under the wordmark, fading to both sides.
    QLinearGradient accent(40, 0, 400, 0);
    QColor c = palette::kAccent;
    accent.setColorAt(0, QColor(c.red(), c.green(), c.blue(), 0));
    accent.setColorAt(0.08, QColor(c.red(), c.green(), c.blue(), 190));
    accent.setColorAt(0.35, QColor(c.red(), c.green(), c.blue(), 90));
    accent.setColorAt(1, QColor(c.red(), c.green(), c.blue(), 0));
    p.fillRect(QRectF(40, kHeaderBottom - 1, 360, 1), accent);

    paintEmblem(p, QPointF(63.5, 29.5), 13.5);
    paintWordmark(p, QPointF(86, 38), 22);
}

void BackgroundArtist::paintVideoBezel(QPainter& p) const
{
    const QRect video = places::kVideo;
    const QRectF frame = QRectF(video).adjusted(-12, -12, 12, 10);
    const QPainterPath framePath = roundRect(frame, 12);
    dropShadow(p, framePath, QColor(0, 0, 0, 170), 10, QPointF(0, 4));
    p.fillPath(framePath, vertical(frame, palette::kBezelTop, palette::kBezelBottom));
    QLinearGradient rim(frame.topLeft(), frame.bottomLeft());
    rim.setColorAt(0, QColor(255, 255, 255, 60));
    rim.setColorAt(0.1, QColor(255, 255, 255, 12));
    rim.setColorAt(1, QColor(0, 0, 0, 120));
    p.setPen(QPen(QBrush(rim), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 11.5));

    const QPainterPath hole = roundRect(QRectF(video).adjusted(-5, -5, 5, 5), 6);
    recess(p, hole, palette::kWell, 5);
    p.fillRect(video, Qt::black);

    // Idle screen: a lens drawn in faint lines, until a video covers it.
    const QPointF centre = QRectF(video).center();
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 150, 180, 26), 1.5));
    p.drawEllipse(centre, 44, 44);
    p.setPen(QPen(QColor(120, 150, 180, 18), 1));
    p.drawEllipse(centre, 36, 36);
    p.setPen(QPen(QColor(255, 174, 66, 34), 2));
    p.drawEllipse(centre, 18, 18);
    QColor glint = palette::kAccent;
    glint.setAlpha(40);
    p.setPen(QPen(glint, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre.x() - 29, centre.y() - 29, 58, 58), 100 * 16, 60 * 16);
    p.restore();

    // Viewfinder corners on the bezel.
    QColor corner = palette::kAccent;
    corner.setAlpha(150);
    p.setPen(QPen(corner, 1.5, Qt::SolidLine, Qt::SquareCap));
    const QRectF marks = QRectF(video).adjusted(-8.25, -8.25, 8.25, 8.25);
    const qreal len = 14;
    auto bracket = [&](QPointF at, qreal dx, qreal dy) {
        p.drawLine(at, at + QPointF(dx * len, 0));
        p.drawLine(at, at + QPointF(0, dy * len));
    };
    bracket(marks.topLeft(), 1, 1);
    bracket(marks.topRight(), -1, 1);
    bracket(marks.bottomLeft(), 1, -1);
    bracket(marks.bottomRight(), -1, -1);
}

void BackgroundArtist::paintSensorWell(QPainter& p) const
{
    const QRect strip = places::kGSensor;
    recess(p, roundRect(QRectF(strip).adjusted(-6, -6, 6, 6), 7), QColor(0x0b, 0x0e, 0x12), 4);
    // An empty scope: faint graticule until the telemetry strip is shown.
    p.save();
    p.setPen(QPen(QColor(80, 160, 200, 22), 1));
    for (int x = strip.left() + 50; x < strip.right(); x += 50)
        p.drawLine(QPointF(x + 0.5, strip.top() + 4), QPointF(x + 0.5, strip.bottom() - 3));
    for (int k = 1; k < 4; ++k) {
        const qreal y = strip.top() + k * strip.height() / 4 + 0.5;
        p.drawLine(QPointF(strip.left() + 4, y), QPointF(strip.right() - 3, y));
    }
    p.setPen(QPen(QColor(80, 160, 200, 40), 1));
    const qreal mid = strip.top() + strip.height() / 2 + 0.5;
    p.drawLine(QPointF(strip.left() + 4, mid), QPointF(strip.right() - 3, mid));
    p.restore();

    InstrumentArtist::paintPositionGroove(p, QPointF(places::kPositionSlider.topLeft()));
}

void BackgroundArtist::paintConsole(QPainter& p) const
{
    // Tray of the transport keys, with a tongue below for the time display.
    const QPoint first = places::transportPlace(0);
    const QPoint last = places::transportPlace(8);
    const QRectF keys(QPointF(first), QPointF(last + QPoint(places::kTransportSize.width(),
                                                           places::kTransportSize.height())));
    QPainterPath tray = roundRect(keys.adjusted(-8, -7, 8, 5), 10);
    const QRectF time = QRectF(places::kTimeText).adjusted(-4, -3, 4, 3);
    tray = tray.united(roundRect(time.adjusted(-8, -14, 8, 5), 8));
    p.fillPath(tray, QColor(0, 0, 0, 70));
    innerShadow(p, tray, QColor(0, 0, 0, 170), 6, QPointF(0, 2));
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tray.translated(0, 1));
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    p.drawPath(tray);

    // Time display: a black window with a faint cyan edge, like a dash readout.
    const QPainterPath well = roundRect(time, 4);
    recess(p, well, Qt::black, 3);
    QColor edge = palette::kAccent;
    edge.setAlpha(50);
    p.setPen(QPen(edge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundRect(time.adjusted(0.5, 0.5, -0.5, -0.5), 3.5));
}

void BackgroundArtist::paintCommandSockets(QPainter& p) const
{
    for (QPoint at : {places::kOpenButton, places::kSnapshotButton, places::kPrintButton,
                      places::kSettingsButton}) {
        const QPointF c = centreOf(at, places::kRoundWindow);
        recess(p, ellipse(c, 26.5), QColor(0x0c, 0x0e, 0x11), 3);
    }
    // Speedometer pod behind the gauge.
    const QPointF gauge = QPointF(places::kGauge) + QPointF(48, 41);
    recess(p, ellipse(gauge, 41.5), QColor(0x0c, 0x0e, 0x11), 3);
}

void BackgroundArtist::paintWindowButtonRail(QPainter& p) const
{
    const QPoint buttons[] = {places::kHelpButton, places::kLanguageButton, places::kMinimiseButton,
                              places::kCloseButton};
    QPainterPath rail;
    rail.moveTo(centreOf(buttons[0], places::kSmallRound));
    for (int i = 1; i < 4; ++i)
        rail.lineTo(centreOf(buttons[i], places::kSmallRound));
    QPainterPathStroker stroker;
    stroker.setWidth(19);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath tray = stroker.createStroke(rail).simplified();
    for (QPoint at : buttons)
        tray = tray.united(ellipse(centreOf(at, places::kSmallRound), 14));
    p.fillPath(tray, QColor(0, 0, 0, 80));
    innerShadow(p, tray, QColor(0, 0, 0, 170), 4, QPointF(0, 1.5));
    p.setPen(QPen(QColor(255, 255, 255, 24), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tray.translated(0, 1));
    p.setPen(QPen(QColor(0, 0, 0, 130), 1));
    p.drawPath(tray);
}

void BackgroundArtist::paintTabRail(QPainter& p) const
{
    const QRectF rail = QRectF(places::kRecordTab).united(QRectF(places::kInfoTab)).adjusted(-4, -3, 4, 3);
    recess(p, roundRect(rail, 8), QColor(0x10, 0x13, 0x17), 3);
}

void BackgroundArtist::paintVolumeArea(QPainter& p) const
{
    const QRect v = places::kVolume;
    drawGlyph(p, Glyph::Speaker, QRectF(v.left() - 22, v.top() + 1, 16, 16).translated(0, 1),
              QColor(0, 0, 0, 150));
    drawGlyph(p, Glyph::Speaker, QRectF(v.left() - 22, v.top() + 1, 16, 16), palette::kGlyphDim);
    InstrumentArtist::paintVolumeBed(p, QPointF(v.topLeft()));
}
