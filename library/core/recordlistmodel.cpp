#include "recordlistmodel.h"

#include "memoryrecordrowstore.h"
#include "recordfolderscan.h"

#include <QDir>

QString RecordFolder;
int RecordCount = 0;
int CurrentRecordIndex = -1;
QString CurrentRecordName;
QString CurrentRecordNumber;

namespace {

RecordRowStore* g_activeStore = nullptr;

MemoryRecordRowStore& builtInStore()
{
    static MemoryRecordRowStore store;
    return store;
}

void clearModelRows()
{
    ActiveRecordRowStore().clearRows();
    RecordCount = 0;
}

} // namespace

void SetRecordRowStore(RecordRowStore* store) { g_activeStore = store; }

RecordRowStore& ActiveRecordRowStore() { return g_activeStore ? *g_activeStore : builtInStore(); }

QString RecordNumberText(int oneBasedRow) { return QString::asprintf("  %.4d", oneBasedRow); }

void AppendRecordRow(const QString& fileName)
{
    ActiveRecordRowStore().appendRow(RecordNumberText(RecordCount + 1), fileName, QString());
    ++RecordCount;
}

int LoadRecordFolderModel(const QString& path, const QString& extension)
{
    return LoadRecordFolderModel(path, QStringList{extension});
}

int LoadRecordFolderModel(const QString& path, const QStringList& extensions)
{
    clearModelRows();
    RecordFolder = path.endsWith(u'/') ? path : path + u'/';
    for (const QString& name : ScanRecordFolder(RecordFolder, extensions))
        AppendRecordRow(name);
    // An empty list has no current row; an index left from the previous list
    // would point past its end.
    if (RecordCount == 0)
        CurrentRecordIndex = -1;
    return RecordCount;
}

void FillRecordListFromFiles(const QStringList& chosenFullPaths)
{
    clearModelRows();
    // The rows are new and none is chosen yet: an index into the old list
    // would show its number and enable Previous/Next for rows that are gone.
    CurrentRecordIndex = -1;
    if (chosenFullPaths.isEmpty())
        return;
    const QString& first = chosenFullPaths.first();
    const qsizetype slash = first.lastIndexOf(u'/');
    if (slash >= 0) {
        RecordFolder = first.left(slash + 1);
    } else {
        const QString current = QDir::currentPath();
        RecordFolder = current.endsWith(u'/') ? current : current + u'/';
    }
    for (const QString& path : chosenFullPaths)
        AppendRecordRow(path.mid(path.lastIndexOf(u'/') + 1));
}
