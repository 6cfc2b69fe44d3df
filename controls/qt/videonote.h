#pragma once
// A short note laid over the picture (an on-screen display): one line of
// white text on a translucent dark plate in the top-left corner of its host,
// gone after a while. It never takes the mouse, and since it is a widget of
// its own it never reaches a frame saved or printed from the engine.
// UI thread only; owned by its host through Qt's parent chain.
#include <QTimer>
#include <QWidget>

class VideoNote : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultShowMs = 2000;

    explicit VideoNote(QWidget* host);

    // Shows text at once, replacing a note still on screen, for showMs.
    void ShowNote(const QString& text, int showMs = kDefaultShowMs);
    // Keeps text on screen until HideNote or the next ShowNote (a state that
    // lasts, such as a playback rate other than 1x).
    void ShowLastingNote(const QString& text);
    void HideNote();
    QString NoteText() const { return m_text; }

    // Moves the note onto another host (the picture in or out of full
    // screen), keeping what it shows.
    void SetHost(QWidget* host);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    QString m_text;
    QTimer m_hideTimer;
};
