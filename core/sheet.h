#pragma once
// The calculation sheet as the procedures see it: named controls holding texts.
//
//   Sheet (texts, visibility, checked options, messages)
//     <- FormPort (selecting an option)  <- document::CalculationPort (reference tables)
//   implemented over widgets by the window (mainwindow/widgetsheet.h) and over maps by MapSheet
//   (core/mapsheet.h) for calculation files, tests and benchmarks.
//
// A procedure reads the texts it needs, converts, computes and writes texts back; it also reveals
// controls and shows messages. The main window implements this port over its widgets (found by
// object name); tests implement it with a map that records every effect in order.

#include <QString>
#include <QStringList>

#include "core/fixed.h"

namespace vardo {

class Sheet {
  public:
    virtual ~Sheet() = default;

    // The text of a text field, the caption of a label, the edit text of a list.
    virtual QString text(const QString& name) const = 0;
    virtual void setText(const QString& name, const QString& text) = 0;
    // The control's own visibility flag (not whether its container is shown).
    virtual bool isVisible(const QString& name) const = 0;
    virtual void setVisible(const QString& name, bool visible) = 0;
    virtual bool isChecked(const QString& name) const = 0;
    // A modal message box; returns when the user has closed it.
    virtual void message(const QString& text) = 0;
};

// The sheet as the window's own actions see it: also selecting an option button, as a user's
// selection would (it becomes checked, the other options of its group unchecked, and its click
// action runs). Calculation files extend it with the reference tables (document/calculationport.h).
class FormPort : public Sheet {
  public:
    virtual void setChecked(const QString& option) = 0;
};

// The text of a control converted to Fixed; throws ConversionError when it is not a number.
Fixed readFixed(const Sheet& sheet, const QString& name);
// The value's text into the control.
void writeFixed(Sheet& sheet, const QString& name, Fixed value);

}  // namespace vardo
