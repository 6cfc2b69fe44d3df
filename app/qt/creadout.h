#pragma once
// A read-only one-line text of the main window (time text 1035, speed 1069):
// white text on an opaque black text background, with nothing else painted,
// so the skin shows around the glyphs. A text wider than the box is drawn in a
// narrower or smaller font, chosen once when the text is set, never cut off.
#include <QFont>
#include <QWidget>

class CReadout : public QWidget {
    Q_OBJECT
public:
    CReadout(QWidget* parent, int controlId);
    QString text() const { return m_text; }
    void setText(const QString& text);
    // The font the current text is drawn in: the widget's font, or a fitted one.
    const QFont& textFont() const { return m_textFont; }
    // Pixels between the box's edges and its text.
    static constexpr int kTextMargin = 1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitText();

    QString m_text;
    QFont m_textFont;
};
