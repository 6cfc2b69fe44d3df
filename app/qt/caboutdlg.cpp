#include "caboutdlg.h"

#include "ccontrolbutton.h"
#include "skin.h"
#include "uitexttable.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kWidth = 595;
constexpr int kHeight = 285;
constexpr int kCorner = 28;
constexpr int kPictureBitmap = 203;
constexpr QPoint kIconPlace(50, 40);
constexpr int kIconSize = 32;
constexpr int kTextTop = 100;
constexpr int kTextSideMargin = 30;
// Tahoma 8 is about 11 pixels high; the product line uses it doubled.
constexpr int kTextPixelSize = 22;
}  // namespace

CAboutDlg::CAboutDlg(QWidget* owner) : QDialog(owner)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kWidth, kHeight);

    m_closeButton = new CControlButton(this, 1);
    m_closeButton->setGeometry(520, 35, 25, 24);
    m_closeButton->SetEllipticRegion(205);
    m_closeButton->SetFaceBitmaps(204, 205, 205);
    connect(m_closeButton, &QAbstractButton::clicked, this, &QDialog::accept);
    m_closeButton->setFocus();
}

void CAboutDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    }
}

void CAboutDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, width(), height()), kCorner / 2.0, kCorner / 2.0);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
}

void CAboutDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), SkinImage(kPictureBitmap));
    painter.drawPixmap(QRect(kIconPlace, QSize(kIconSize, kIconSize)), SkinIcon().pixmap(kIconSize, kIconSize));

    QFont font = this->font();
    font.setPixelSize(kTextPixelSize);
    painter.setFont(font);
    painter.setPen(QColor(255, 0, 0));
    const QRect box = rect().adjusted(kTextSideMargin, kTextTop, -kTextSideMargin, 0);
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, UiText(51));
}

void CAboutDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragger.Press(event->globalPosition().toPoint());
    QDialog::mousePressEvent(event);
}

void CAboutDlg::mouseMoveEvent(QMouseEvent* event)
{
    m_dragger.Move(this, event->globalPosition().toPoint(), event->buttons());
    QDialog::mouseMoveEvent(event);
}
