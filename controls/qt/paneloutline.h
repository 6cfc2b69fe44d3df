#pragma once
// The outline both panels of the main window's right-hand frame share: a
// rounded rectangle from (-87, -57) to (349, 642) with corner ellipses of
// 440 x 440, so the visible card has large soft corners at the bottom.
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

inline QRegion PanelOutlineRegion()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(-87, -57, 349 + 87, 642 + 57), 220, 220);
    return QRegion(path.toFillPolygon().toPolygon());
}
