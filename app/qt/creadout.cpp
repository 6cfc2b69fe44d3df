#include "creadout.h"

#include "controlid.h"
#include "fittingfont.h"

#include <QEvent>
#include <QPainter>

CReadout::CReadout(QWidget* parent, int controlId) : QWidget(parent)
{
    SetControlId(this, controlId);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_textFont = font();
}

void CReadout::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    fitText();
    update();
}

void CReadout::fitText()
{
    m_textFont = FontFittingWidth(font(), m_text, width() - 2 * kTextMargin);
}

void CReadout::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitText();
        update();
    }
}

void CReadout::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitText();
}

void CReadout::paintEvent(QPaintEvent*)
{
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(m_textFont);
    const QFontMetrics metrics(m_textFont);
    // An edit control draws its single line from the top-left, with one pixel of margin.
    const QRect textRect(kTextMargin, kTextMargin, TextExtent(m_textFont, m_text), metrics.height());
    painter.fillRect(textRect, Qt::black);
    painter.setPen(Qt::white);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, m_text);
}
