#pragma once
// A parent window for sliders that records the notifications posted to it.
#include "slidernotifyevent.h"

#include <QCoreApplication>
#include <QVector>
#include <QWidget>

struct SliderNote {
    int type;
    int controlId;
    int position;
    bool operator==(const SliderNote&) const = default;
};

inline char* toString(const SliderNote& n)
{
    return qstrdup(QByteArray::number(n.type) + " (" + QByteArray::number(n.controlId) + ", "
                   + QByteArray::number(n.position) + ")");
}

class EventRecorder : public QWidget {
public:
    QVector<SliderNote> notes;

    // Posted events arrive only after the handler that posted them returned.
    QVector<SliderNote> take()
    {
        QCoreApplication::sendPostedEvents(this);
        QVector<SliderNote> out;
        out.swap(notes);
        return out;
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == SliderNotifyEvent::kTracking || e->type() == SliderNotifyEvent::kSettled) {
            const auto* n = static_cast<SliderNotifyEvent*>(e);
            notes.append({int(e->type()), n->controlId(), n->position()});
            return true;
        }
        return QWidget::event(e);
    }
};
