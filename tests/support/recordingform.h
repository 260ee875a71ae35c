#pragma once
// The main window's port without widgets for the tests: a RecordingSheet (texts, visibility,
// checked options, the effects in order) plus the selection of option buttons. Selecting an option
// is recorded as "check NAME", unchecks the other options of its group and then runs its click
// action, as the window does, so the action's effects follow the "check" line.

#include <QString>

#include "mainwindow/formport.h"
#include "mainwindow/selectors.h"
#include "tests/support/recordingsheet.h"

namespace vardo::testing {

class RecordingForm : public mainwindow::FormPort {
  public:
    RecordingSheet sheet;

    QString text(const QString& name) const override { return sheet.text(name); }
    void setText(const QString& name, const QString& text) override { sheet.setText(name, text); }
    bool isVisible(const QString& name) const override { return sheet.isVisible(name); }
    void setVisible(const QString& name, bool on) override { sheet.setVisible(name, on); }
    bool isChecked(const QString& name) const override { return sheet.isChecked(name); }
    void message(const QString& text) override { sheet.message(text); }

    void setChecked(const QString& name) override {
        const QStringView group = mainwindow::groupOf(name);
        for (const mainwindow::OptionGroup& g : mainwindow::optionGroups())
            if (g.frame == group)
                for (QStringView option : g.options) sheet.check(option.toString(), false);
        sheet.check(name);
        sheet.effects << QStringLiteral("check ") + name;
        mainwindow::optionClick(*this, name);
    }
};

}  // namespace vardo::testing
