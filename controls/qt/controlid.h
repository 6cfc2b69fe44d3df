#pragma once
// Controls keep the design's numeric identifiers (control 1007 is the play
// button). The identifier is stored as the widget's object name "ctl<id>" and
// as the property "ctrlId", so windows and tests find controls by number.
#include <QString>
#include <QWidget>

inline QString ControlObjectName(int id) { return QStringLiteral("ctl%1").arg(id); }

inline void SetControlId(QWidget* widget, int id)
{
    widget->setObjectName(ControlObjectName(id));
    widget->setProperty("ctrlId", id);
}

inline int ControlId(const QObject* object)
{
    const QVariant v = object ? object->property("ctrlId") : QVariant();
    return v.isValid() ? v.toInt() : -1;
}

template <class T = QWidget>
T* FindControl(const QObject* root, int id)
{
    return root ? root->findChild<T*>(ControlObjectName(id)) : nullptr;
}
