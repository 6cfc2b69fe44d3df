#pragma once
// Lets a borderless window be dragged by its surface. Moving starts only once
// the pointer has travelled past the platform's drag distance with the left
// button held, so clicks and double clicks on the surface stay intact.
#include <QApplication>
#include <QPoint>
#include <QWidget>
#include <QWindow>

class WindowDragger {
public:
    void Press(const QPoint& globalPos)
    {
        m_start = globalPos;
        m_armed = true;
    }

    void Cancel() { m_armed = false; }

    // Hands the move to the window system; true when it started one.
    bool Move(QWidget* window, const QPoint& globalPos, Qt::MouseButtons buttons)
    {
        if (!m_armed || !(buttons & Qt::LeftButton))
            return false;
        if ((globalPos - m_start).manhattanLength() < QApplication::startDragDistance())
            return false;
        m_armed = false;
        if (QWindow* handle = window->windowHandle())
            handle->startSystemMove();
        return true;
    }

private:
    QPoint m_start;
    bool m_armed = false;
};
