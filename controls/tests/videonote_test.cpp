// The note on the picture: shown at the host's top-left, gone after its time,
// kept above a picture surface added later, and carried to another host.
#include "videonote.h"

#include <QTest>
#include <QWidget>

class VideoNoteTest : public QObject {
    Q_OBJECT
private slots:
    void showsItsTextAndGoesAfterItsTime()
    {
        QWidget host;
        host.resize(400, 300);
        host.setStyleSheet(QStringLiteral("background: white;"));
        host.show();
        VideoNote note(&host);
        QVERIFY(!note.isVisible());
        note.ShowNote(QStringLiteral("Event 1/2"), 150);
        QVERIFY(note.isVisible());
        QCOMPARE(note.NoteText(), QStringLiteral("Event 1/2"));
        QCOMPARE(note.pos(), QPoint(8, 8));
        QVERIFY(note.testAttribute(Qt::WA_TransparentForMouseEvents));
        // Legible on a white picture: a dark plate behind white letters.
        const QImage shot = host.grab(note.geometry()).toImage();
        int dark = 0;
        int white = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const int g = qGray(shot.pixel(x, y));
                dark += g < 70;
                white += g > 230;
            }
        }
        QVERIFY(dark > shot.width() * shot.height() / 2);
        QVERIFY(white > 10);
        QTRY_VERIFY_WITH_TIMEOUT(!note.isVisible(), 5000);
        QVERIFY(note.NoteText().isEmpty());

        // A new note replaces one still shown and restarts its time.
        note.ShowNote(QStringLiteral("A"), 60000);
        note.ShowNote(QStringLiteral("B"), 100);
        QCOMPARE(note.NoteText(), QStringLiteral("B"));
        QTRY_VERIFY_WITH_TIMEOUT(!note.isVisible(), 5000);
        note.ShowLastingNote(QStringLiteral("Speed 2x"));
        QTest::qWait(200);
        QVERIFY(note.isVisible());
    }

    void staysAboveASurfaceAddedLaterAndMovesWithItsHost()
    {
        QWidget host;
        host.resize(400, 300);
        host.show();
        VideoNote note(&host);
        note.ShowLastingNote(QStringLiteral("on top"));
        auto* surface = new QWidget(&host);
        surface->setGeometry(host.rect());
        surface->show();
        QTRY_COMPARE_WITH_TIMEOUT(host.children().constLast(), static_cast<QObject*>(&note), 2000);

        QWidget other;
        other.resize(300, 200);
        other.show();
        note.SetHost(&other);
        QCOMPARE(note.parentWidget(), &other);
        QVERIFY(note.isVisible());
        QCOMPARE(note.NoteText(), QStringLiteral("on top"));
        note.SetHost(&host);
        QCOMPARE(note.parentWidget(), &host);
        note.HideNote();
    }
};

QTEST_MAIN(VideoNoteTest)
#include "videonote_test.moc"
