#pragma once
// Rows of the record list kept in memory: the store in use until the record list
// panel registers its list control, and the one tests and tools use.

#include "recordrowstore.h"

#include <QList>

#include <array>

class MemoryRecordRowStore final : public RecordRowStore {
public:
    void clearRows() override;
    void appendRow(const QString& number, const QString& fileName, const QString& event) override;
    int rowCount() const override;
    QString cell(int row, int column) const override;

private:
    QList<std::array<QString, 3>> m_rows;
};
