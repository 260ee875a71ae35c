#pragma once
// A calculation sheet without widgets: texts, visibility and checked options in maps, and a table
// with a current row per data source. The command-line report recomputes a saved calculation on
// it; tests use it as a window double. Messages are collected, never shown.
//
// Selecting an option unchecks the other options of its group (the groups of calculation files,
// optionGroups()) but runs no click action: the maps hold what the options' actions would show.

#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>

#include "document/calculationport.h"

namespace vardo::document {

class MemoryPort : public CalculationPort {
  public:
    QHash<QString, QString> texts;
    QHash<QString, bool> visible;
    QSet<QString> checked;
    QStringList messages;

    struct Source {
        tables::Table table;
        int row = -1;
        QString workbook;
    };
    QMap<QString, Source> sources;

    QString text(const QString& name) const override { return texts.value(name); }
    void setText(const QString& name, const QString& text) override { texts.insert(name, text); }
    bool isVisible(const QString& name) const override { return visible.value(name, false); }
    void setVisible(const QString& name, bool on) override { visible.insert(name, on); }
    bool isChecked(const QString& name) const override { return checked.contains(name); }
    void message(const QString& text) override { messages << text; }

    void setChecked(const QString& option) override;
    tables::Table table(const QString& dataSource) const override;
    int currentRow(const QString& dataSource) const override;
    void moveTo(const QString& dataSource, int row) override;
    QString workbookName(const QString& dataSource) const override;

    // A table for the data source, its first row current (none without rows).
    void setTable(const QString& dataSource, tables::Table table, const QString& workbook);
};

}  // namespace vardo::document
