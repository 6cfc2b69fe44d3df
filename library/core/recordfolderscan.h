#pragma once
// Enumerates the recordings of one folder (not its subfolders).

#include <QString>
#include <QStringList>

// File names in `folder` whose full path, from its last '.', lower-cased, equals
// `extension` (lower case, with the dot), in the order of their names
// (CompareRecordNames), not the file system's enumeration order. Directories
// (and links to them), "." and ".." are skipped; hidden files are not. A folder
// that cannot be read gives an empty list.
QStringList ScanRecordFolder(const QString& folder, const QString& extension);

// The same for several extensions in one pass: the names with the first
// extension come first, then those with any other, each part in name order.
QStringList ScanRecordFolder(const QString& folder, const QStringList& extensions);
