#pragma once
// Where the rows of the record list live. The record list panel implements this
// with its list control; tests and tools use MemoryRecordRowStore. UI thread only.

#include <QString>

class RecordRowStore {
public:
    // Cell numbers of a row.
    static constexpr int kNumberColumn = 0;
    static constexpr int kFileNameColumn = 1;
    static constexpr int kEventColumn = 2;

    virtual ~RecordRowStore();
    virtual void clearRows() = 0;
    virtual void appendRow(const QString& number, const QString& fileName, const QString& event) = 0;
    virtual int rowCount() const = 0;
    // Empty for a row or column that does not exist.
    virtual QString cell(int row, int column) const = 0;
};
