#pragma once
// Places of the main window's children and of the panels' controls, in pixels
// of their window's client area. The artwork leaves room for them and the
// faces are composed over the exact piece of background they cover.
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QPainterPath>

namespace places {

constexpr QSize kWindow{1024, 724};
constexpr qreal kWindowCorner = 20;           // 40 x 40 corner ellipses

constexpr QRect kVideo{50, 63, 605, 382};
constexpr QRect kGSensor{50, 464, 600, 95};
constexpr QRect kPositionSlider{50, 574, 597, 37};
constexpr QPoint kTransportFirst{128, 649};
constexpr int kTransportStep = 35;
constexpr QSize kTransportSize{34, 28};
constexpr QRect kTimeText{198, 685, 153, 18};
constexpr QRect kSpeedReadout{492, 661, 32, 16};
constexpr QPoint kGauge{461, 628};
constexpr QRect kRecordTab{672, 585, 147, 26};
constexpr QRect kInfoTab{832, 585, 147, 26};
constexpr QRect kVolume{661, 690, 157, 18};
constexpr QRect kPanelFrame{670, 55, 316, 521};
constexpr QRect kKmhRadio{438, 692, 40, 16};
constexpr QRect kMphRadio{546, 692, 36, 16};

// Round command buttons: 50 x 50 windows clipped by the ellipse of their 55 x 55 face.
constexpr QPoint kOpenButton{571, 635};
constexpr QPoint kSnapshotButton{664, 635};
constexpr QPoint kPrintButton{757, 635};
constexpr QPoint kSettingsButton{850, 635};
constexpr int kRoundWindow = 50;

// Small round buttons drawn over the background through mask 197.
constexpr QPoint kHelpButton{907, 21};
constexpr QPoint kLanguageButton{933, 29};
constexpr QPoint kMinimiseButton{957, 44};
constexpr QPoint kCloseButton{980, 64};
constexpr int kSmallRound = 24;

// Transport button i (0..8) of the row 1002..1010.
constexpr QPoint transportPlace(int i) { return {kTransportFirst.x() + kTransportStep * i, kTransportFirst.y()}; }

// Record list panel (bitmap 154).
constexpr QPoint kLoadButton{86, 5};
constexpr QPoint kOpenRecordButton{138, 5};
constexpr QRect kRecordList{11, 50, 289, 210};
constexpr QRect kPreview{11, 294, 289, 215};
constexpr int kLabelTop = 30;

// Information panel (bitmap 160).
constexpr QPoint kPreviousButton{10, 30};
constexpr QPoint kNextButton{250, 30};
constexpr QRect kRecordText{5, 70, 300, 52};
constexpr QRect kResolutionLabel{50, 130, 185, 20};
constexpr QRect kResolutionText{240, 130, 60, 20};
constexpr QRect kMap{3, 151, 313, 370};

// About box (bitmap 203).
constexpr QSize kAbout{595, 285};
constexpr qreal kAboutCorner = 14;            // 28 x 28 corner ellipses
constexpr QPoint kAboutClose{520, 35};
constexpr QRect kAboutIcon{50, 40, 32, 32};
constexpr QRect kAboutText{30, 100, 535, 185};

// Visible outline of a panel inside the frame: its window region, a rounded
// rectangle (-87,-57)-(349,642) with 440 x 440 corners, cut to the panel.
inline QPainterPath panelOutline()
{
    QPainterPath region;
    region.addRoundedRect(QRectF(-87, -57, 436, 699), 220, 220);
    QPainterPath panel;
    panel.addRect(QRectF(0, 0, kPanelFrame.width(), kPanelFrame.height()));
    return region.intersected(panel);
}

}  // namespace places
