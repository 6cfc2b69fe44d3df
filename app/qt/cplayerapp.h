#pragma once
// The application object: runs the modal main window and ends the program
// when it closes. It holds no data of its own.
#include <QString>
#include <QStringList>

class CPlayerApp {
public:
    // Runs the whole program; false, as there is no second message loop.
    // paths: what the command line names, opened once the window is up.
    bool InitInstance(const QString& argv0, const QStringList& paths = {});
    // The exit code of the process.
    int ExitInstance();
};

class QApplication;

// Gives the standard dialogs, menus and tooltips the dark look of the skin
// (tooltips keep a palette of their own, set here too).
void ApplyDarkLook(QApplication& application);

// Writes RecordFolder as "LastLoadPath" (at most 1023 characters kept).
void SaveRecordFolder();

// Text of the about item (string 101): the GBK bytes of the Chinese word for
// "about", each widened to one character, as the item has always shown it.
QString AboutMenuText();
