#pragma once
// The bitmap slider's notifications to its parent window, posted (never sent)
// so the parent reads them after the slider's handler has returned. They keep
// the numbers of the design's window messages; wParam and lParam become the
// control id and the position at the time of posting.
#include <QEvent>

inline constexpr int WM_SLIDER_TRACKING = 10449;  // 0x28D1: the thumb moved while dragging
inline constexpr int WM_SLIDER_SETTLED = 10450;   // 0x28D2: button released or key handled

class SliderNotifyEvent : public QEvent {
public:
    static constexpr QEvent::Type kTracking = QEvent::Type(WM_SLIDER_TRACKING);
    static constexpr QEvent::Type kSettled = QEvent::Type(WM_SLIDER_SETTLED);

    SliderNotifyEvent(QEvent::Type type, int controlId, int position)
        : QEvent(type), m_controlId(controlId), m_position(position) {}

    int controlId() const { return m_controlId; }
    int position() const { return m_position; }

private:
    int m_controlId;
    int m_position;
};
