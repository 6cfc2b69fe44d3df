#pragma once
// A read-only one-line text of the main window (time text 1035, speed 1069):
// white text on an opaque black text background, with nothing else painted,
// so the skin shows around the glyphs.
#include <QWidget>

class CReadout : public QWidget {
    Q_OBJECT
public:
    CReadout(QWidget* parent, int controlId);
    QString text() const { return m_text; }
    void setText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
