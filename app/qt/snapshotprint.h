#pragma once
// Snapshot and print of the frame on screen. Both take the frame through the
// engine's bitmap writer into a working file of the private temporary folder.
// UI thread; every dialog goes through UiSeam.
#include <QString>

class CDXGraph;
class QWidget;

// The folder the snapshot's save dialog starts in: the user's Pictures folder
// when it exists, else the home folder. No file name is proposed.
QString SnapshotStartFolder();

// Saves the frame where the user chooses. A running engine is paused while
// the frame is taken and the dialog is open, and runs again afterwards.
// Returns the file the frame was saved as; empty when none was saved.
QString SnapshotCommand(QWidget* owner, CDXGraph* engine, const QString& tempDirectory);

// Prints the frame, fitted whole into the printable area at its top-left.
// The caller has paused the engine; it stays paused.
void PrintCommand(QWidget* owner, CDXGraph* engine, const QString& tempDirectory);

// Moves a finished file to the chosen place, replacing what is there; works
// across file systems. False (and the source kept) when it cannot.
bool MoveReplacing(const QString& from, const QString& to);
