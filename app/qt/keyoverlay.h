#pragma once
// The list of the window's keys laid over the whole window (F1 or ?): the key
// table's lines on a dark plate in the look of the notes on the picture. It
// closes on F1, ?, Escape or a click, and gives the focus back where it was.
// UI thread only; owned by the main window through Qt's parent chain.
#include <QKeyCombination>
#include <QPointer>
#include <QWidget>

class KeyOverlay : public QWidget {
    Q_OBJECT
public:
    explicit KeyOverlay(QWidget* host);

    void Open();
    void Close();
    void Toggle();

    // The lines as shown: keys, then what they do.
    QList<QPair<QString, QString>> Lines() const { return m_lines; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRect PlateRect() const;

    QList<QPair<QString, QString>> m_lines;
    QPointer<QWidget> m_focusBefore;
};

// A key combination as the overlay names it ("Shift+←", "Ctrl+O", "?").
QString KeyNameForOverlay(QKeyCombination keys);
