#include "creadout.h"

#include "controlid.h"

#include <QPainter>

CReadout::CReadout(QWidget* parent, int controlId) : QWidget(parent)
{
    SetControlId(this, controlId);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CReadout::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void CReadout::paintEvent(QPaintEvent*)
{
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    // An edit control draws its single line from the top-left, with one pixel of margin.
    const QRect textRect(1, 1, metrics.horizontalAdvance(m_text), metrics.height());
    painter.fillRect(textRect, Qt::black);
    painter.setPen(Qt::white);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, m_text);
}
