#include "keyoverlay.h"

#include "keytable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kLineHeight = 21;
constexpr int kPaddingX = 22;
constexpr int kPaddingY = 16;
constexpr int kTitleHeight = 34;
constexpr int kKeyColumnWidth = 190;
constexpr int kActionColumnWidth = 300;
const QColor kBackdrop(0, 0, 0, 120);
const QColor kPlate(12, 16, 22, 228);
const QColor kEdge(70, 160, 230, 220);
const QColor kKeyText(120, 200, 240);
const QColor kHintText(150, 160, 172);

// What the mouse and the list do besides the key table.
const char* const kOtherLines[][2] = {
    {"Return (in the list)", "Play the selected recording"},
    {"Wheel on video or slider", "3 s back / forward a notch"},
    {"Wheel on the volume", "Volume up / down"},
    {"Esc", "Leave full screen, else exit (asks first)"},
};
}  // namespace

QString KeyNameForOverlay(QKeyCombination keys)
{
    QString modifiers;
    if (keys.keyboardModifiers() & Qt::ControlModifier)
        modifiers += QStringLiteral("Ctrl+");
    if (keys.keyboardModifiers() & Qt::AltModifier)
        modifiers += QStringLiteral("Alt+");
    if (keys.keyboardModifiers() & Qt::ShiftModifier)
        modifiers += QStringLiteral("Shift+");
    QString key;
    switch (keys.key()) {
    case Qt::Key_Left: key = QStringLiteral(u"\u2190"); break;
    case Qt::Key_Right: key = QStringLiteral(u"\u2192"); break;
    case Qt::Key_Up: key = QStringLiteral(u"\u2191"); break;
    case Qt::Key_Down: key = QStringLiteral(u"\u2193"); break;
    case Qt::Key_Minus: key = QStringLiteral(u"\u2212"); break;
    default: key = QKeySequence(keys.key()).toString(QKeySequence::NativeText); break;
    }
    return modifiers + key;
}

KeyOverlay::KeyOverlay(QWidget* host) : QWidget(host)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    QFont overlayFont = font();
    overlayFont.setFamily(QStringLiteral("DejaVu Sans"));
    overlayFont.setPointSize(10);
    setFont(overlayFont);
    for (const PlayerKeyHelpLine& line : PlayerKeyHelpLines()) {
        QStringList names;
        for (QKeyCombination keys : line.keys)
            names.append(KeyNameForOverlay(keys));
        m_lines.append({names.join(QStringLiteral(" / ")), QString::fromUtf8(line.action)});
    }
    for (const auto& other : kOtherLines)
        m_lines.append({QString::fromUtf8(other[0]), QString::fromUtf8(other[1])});
    if (host)
        host->installEventFilter(this);
    hide();
}

void KeyOverlay::Open()
{
    if (isVisible())
        return;
    m_focusBefore = QApplication::focusWidget();
    if (parentWidget())
        setGeometry(parentWidget()->rect());
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void KeyOverlay::Close()
{
    if (!isVisible())
        return;
    hide();
    if (m_focusBefore && m_focusBefore->isVisible())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    m_focusBefore = nullptr;
}

void KeyOverlay::Toggle()
{
    if (isVisible())
        Close();
    else
        Open();
}

QRect KeyOverlay::PlateRect() const
{
    const QSize size(2 * kPaddingX + kKeyColumnWidth + kActionColumnWidth,
                     2 * kPaddingY + kTitleHeight + kLineHeight * static_cast<int>(m_lines.size()));
    QRect plate(QPoint(0, 0), size);
    plate.moveCenter(rect().center());
    return plate;
}

void KeyOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kBackdrop);
    const QRect plate = PlateRect();
    QPainterPath outline;
    outline.addRoundedRect(QRectF(plate).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(outline, kPlate);
    painter.setPen(kEdge);
    painter.drawPath(outline);

    QFont bold = font();
    bold.setBold(true);
    const int left = plate.left() + kPaddingX;
    int y = plate.top() + kPaddingY;
    painter.setFont(bold);
    painter.setPen(Qt::white);
    painter.drawText(QRect(left, y, kKeyColumnWidth, kTitleHeight - 10), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Keys"));
    painter.setFont(font());
    painter.setPen(kHintText);
    painter.drawText(QRect(left, y, kKeyColumnWidth + kActionColumnWidth, kTitleHeight - 10),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("F1, ? or Esc closes"));
    y += kTitleHeight;
    for (const auto& [keys, action] : m_lines) {
        painter.setFont(bold);
        painter.setPen(kKeyText);
        painter.drawText(QRect(left, y, kKeyColumnWidth - 8, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter, keys);
        painter.setFont(font());
        painter.setPen(Qt::white);
        painter.drawText(QRect(left + kKeyColumnWidth, y, kActionColumnWidth, kLineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, action);
        y += kLineHeight;
    }
}

void KeyOverlay::keyPressEvent(QKeyEvent* event)
{
    const int command = CommandForKey(event->keyCombination());
    if (event->key() == Qt::Key_Escape || command == PlayerKeyCommand::kShowKeys) {
        Close();
        event->accept();
        return;
    }
    // Every other key is the window's.
    event->ignore();
}

void KeyOverlay::mousePressEvent(QMouseEvent* event)
{
    Close();
    event->accept();
}

bool KeyOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
