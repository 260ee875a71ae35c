#include "document/memoryport.h"

#include "document/calculation.h"

namespace vardo::document {

tables::Table MemoryPort::table(const QString& dataSource) const {
    return sources.value(dataSource).table;
}

int MemoryPort::currentRow(const QString& dataSource) const {
    return sources.value(dataSource).row;
}

void MemoryPort::moveTo(const QString& dataSource, int row) {
    auto it = sources.find(dataSource);
    if (it == sources.end() || row < 0 || row >= it->table.rowCount()) return;
    it->row = row;
}

QString MemoryPort::workbookName(const QString& dataSource) const {
    return sources.value(dataSource).workbook;
}

void MemoryPort::setTable(const QString& dataSource, tables::Table table, const QString& workbook) {
    const int row = table.rowCount() > 0 ? 0 : -1;
    sources.insert(dataSource, {std::move(table), row, workbook});
}

}  // namespace vardo::document
