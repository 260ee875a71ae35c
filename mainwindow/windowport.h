#pragma once
// The window as a calculation file, the report and the grade selection see it: the sheet's texts,
// options and visibility through WidgetSheet, and the reference tables through the data sources
// (tables/datasource.h) found by name.

#include <QString>

#include "document/calculationport.h"
#include "document/report.h"
#include "mainwindow/widgetsheet.h"

namespace vardo::tables {
class DataSource;
}

namespace vardo::mainwindow {

class WindowPort : public document::CalculationPort {
  public:
    explicit WindowPort(WidgetSheet& sheet) : sheet_(sheet) {}

    QString text(const QString& name) const override { return sheet_.text(name); }
    void setText(const QString& name, const QString& text) override { sheet_.setText(name, text); }
    bool isVisible(const QString& name) const override { return sheet_.isVisible(name); }
    void setVisible(const QString& name, bool on) override { sheet_.setVisible(name, on); }
    bool isChecked(const QString& name) const override { return sheet_.isChecked(name); }
    void message(const QString& text) override { sheet_.message(text); }
    void setChecked(const QString& option) override { sheet_.setChecked(option); }

    tables::Table table(const QString& name) const override;
    int currentRow(const QString& name) const override;
    void moveTo(const QString& name, int row) override;
    QString workbookName(const QString& name) const override;
    tables::DataSource* source(const QString& name) const;

  private:
    WidgetSheet& sheet_;
};

// What the report of the window's sheet presents: the window's results (and, beside them, what
// the current inputs give where that differs), the allowable moments of the series in use and the
// crossbeam tables every grade is checked with. `calculationPath` names the calculation file.
document::ReportInput reportInputOf(const WindowPort& port, const QString& calculationPath);

}  // namespace vardo::mainwindow
