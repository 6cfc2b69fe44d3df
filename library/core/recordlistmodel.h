#pragma once
// The record list model: which folder is listed, its numbered rows and the
// current record. Program-wide values of the UI thread; the record list panel,
// the open-file command and the information panel share them.

#include <QString>
#include <QStringList>

class RecordRowStore;

// Folder whose recordings are listed; ends with '/' after any load. Starts as
// the saved "LastLoadPath" (set at start-up), empty otherwise.
extern QString RecordFolder;
// Number of rows in the list.
extern int RecordCount;
// Row of the current record, -1 for none. Kept within -1 .. RecordCount - 1 by
// folder loads.
extern int CurrentRecordIndex;
// File name of the chosen row; the player replaces it with the full path it opens.
extern QString CurrentRecordName;
// Number text (cell 0) of the current record's row.
extern QString CurrentRecordNumber;

// The camera's own recordings; the list shows them first among
// RecordingExtensions().
inline constexpr char kRecordingExtension[] = ".asf";

// Registers the store that holds the rows (the panel's list control); nullptr
// returns to the built-in in-memory store. The store must outlive its
// registration: the panel unregisters itself before it is destroyed.
void SetRecordRowStore(RecordRowStore* store);
RecordRowStore& ActiveRecordRowStore();

// Number text of a row: two spaces and at least four zero-padded digits.
QString RecordNumberText(int oneBasedRow);

// Appends a row for `fileName` (no folder part) numbered RecordCount + 1.
void AppendRecordRow(const QString& fileName);

// Replaces all rows by the recordings of `path` (which gets a trailing '/' and
// becomes RecordFolder) and returns the new RecordCount. When nothing was found
// CurrentRecordIndex becomes -1; selecting row 0 is the panel's part.
int LoadRecordFolderModel(const QString& path, const QString& extension);
// The same for several extensions (see ScanRecordFolder): the player lists
// RecordingExtensions().
int LoadRecordFolderModel(const QString& path, const QStringList& extensions);

// The open-file command's part: replaces all rows by the chosen files in their
// order and sets RecordFolder to their folder (with a trailing '/'). No row is
// current afterwards (CurrentRecordIndex -1); the caller saves the folder. An
// empty choice only clears the rows.
void FillRecordListFromFiles(const QStringList& chosenFullPaths);
