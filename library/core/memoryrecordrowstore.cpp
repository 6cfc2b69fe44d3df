#include "memoryrecordrowstore.h"

void MemoryRecordRowStore::clearRows() { m_rows.clear(); }

void MemoryRecordRowStore::appendRow(const QString& number, const QString& fileName, const QString& event)
{
    m_rows.append({number, fileName, event});
}

int MemoryRecordRowStore::rowCount() const { return int(m_rows.size()); }

QString MemoryRecordRowStore::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= 3)
        return {};
    return m_rows[row][std::size_t(column)];
}
