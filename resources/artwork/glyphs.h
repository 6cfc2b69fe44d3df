#pragma once
// Pictograms of the skin's buttons, designed on a 16 x 16 grid and scaled to
// the box they are drawn in; at 16 px they sit on whole pixels.
#include <QColor>
#include <QPainter>
#include <QRectF>

enum class Glyph {
    Play, Pause, Stop, ToStart, ToEnd, FrameBack, FrameForward, Back3, Forward3,
    Folder, Camera, Printer, Gear, Help, Minimise, Close, Globe,
    List, Info, Speaker, Previous, Next, VideoCamera, MapPin, Minus, Plus,
};

void drawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& color);
