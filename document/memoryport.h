#pragma once
// A calculation sheet without widgets: the map-backed sheet of core/mapsheet.h plus a table with
// a current row per data source. The command-line report recomputes a saved calculation on it;
// tests use it as a window double. Messages are collected, never shown.
//
// Selecting an option unchecks the other options of its group but runs no click action: the maps
// hold what the options' actions would show.

#include <QMap>

#include "core/mapsheet.h"
#include "document/calculationport.h"

namespace vardo::document {

class MemoryPort : public MapSheet, public CalculationPort {
  public:
    struct Source {
        tables::Table table;
        int row = -1;
        QString workbook;
    };
    QMap<QString, Source> sources;

    tables::Table table(const QString& dataSource) const override;
    int currentRow(const QString& dataSource) const override;
    void moveTo(const QString& dataSource, int row) override;
    QString workbookName(const QString& dataSource) const override;

    // A table for the data source, its first row current (none without rows).
    void setTable(const QString& dataSource, tables::Table table, const QString& workbook);
};

}  // namespace vardo::document
