#include "videonote.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kMargin = 8;    // from the host's top-left corner
constexpr int kPaddingX = 8;
constexpr int kPaddingY = 4;
constexpr int kPointSize = 10;
}  // namespace

VideoNote::VideoNote(QWidget* host) : QWidget(host)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    QFont noteFont = font();
    noteFont.setFamily(QStringLiteral("DejaVu Sans"));
    noteFont.setPointSize(kPointSize);
    noteFont.setBold(true);
    setFont(noteFont);
    m_hideTimer.setSingleShot(true);
    connect(&m_hideTimer, &QTimer::timeout, this, &VideoNote::HideNote);
    if (host)
        host->installEventFilter(this);
    hide();
}

void VideoNote::ShowNote(const QString& text, int showMs)
{
    ShowLastingNote(text);
    m_hideTimer.start(showMs);
}

void VideoNote::ShowLastingNote(const QString& text)
{
    m_hideTimer.stop();
    m_text = text;
    Place();
    show();
    raise();
    update();
}

void VideoNote::HideNote()
{
    m_hideTimer.stop();
    m_text.clear();
    hide();
}

void VideoNote::SetHost(QWidget* host)
{
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    const bool visible = isVisible();
    setParent(host);
    if (host)
        host->installEventFilter(this);
    if (visible && !m_text.isEmpty()) {
        Place();
        show();
        raise();
    }
}

void VideoNote::Place()
{
    const QFontMetrics metrics(font());
    const QSize size(metrics.horizontalAdvance(m_text) + 2 * kPaddingX, metrics.height() + 2 * kPaddingY);
    setGeometry(QRect(QPoint(kMargin, kMargin), size));
}

bool VideoNote::eventFilter(QObject* watched, QEvent* event)
{
    // A surface made after the note (a new engine's picture) would cover it.
    if (watched == parentWidget() && event->type() == QEvent::ChildAdded && isVisible())
        QMetaObject::invokeMethod(this, [this] { raise(); }, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

void VideoNote::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    // Dark enough that white letters read over the brightest picture.
    painter.fillPath(plate, QColor(12, 16, 22, 215));
    painter.setPen(QColor(70, 160, 230, 220));
    painter.drawPath(plate);
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, m_text);
}
