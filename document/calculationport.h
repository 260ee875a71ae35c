#pragma once
// The calculation sheet as calculation files see it: the window's port (texts, visibility, checked
// options, selecting an option) plus what a file also keeps and restores, the current row of each
// reference table.
//
// The main window implements it over its widgets and data sources (mainwindow/widgetsheet.h);
// MemoryPort (memoryport.h) implements it with maps, for the command-line report and the tests.

#include <QString>

#include "core/sheet.h"
#include "tables/workbook.h"

namespace vardo::document {

class CalculationPort : public virtual FormPort {
  public:
    // The table a data source shows; empty when its workbook could not be read.
    virtual tables::Table table(const QString& dataSource) const = 0;
    // The current data row, 0-based; -1 when the table has no rows.
    virtual int currentRow(const QString& dataSource) const = 0;
    // Makes the row current; its values reach the bound fields and raise their change actions.
    virtual void moveTo(const QString& dataSource, int row) = 0;
    // The bare file name of the workbook the data source reads ("т36.1.xls").
    virtual QString workbookName(const QString& dataSource) const = 0;
};

}  // namespace vardo::document
