#pragma once
// The main window as its actions see it: the calculation sheet plus the one thing an action of the
// window does that a calculation procedure never does, selecting an option button.
//
// Form1 implements it over its widgets; tests implement it with a recording double. Most actions
// need only the Sheet part and take a Sheet&, so a FormPort can be handed to them as it is.

#include <QString>

#include "core/sheet.h"

namespace vardo::mainwindow {

class FormPort : public Sheet {
  public:
    // Selects the option button `name` as a user's selection would: it becomes checked, the other
    // options of its frame become unchecked, and then its click action runs
    // (optionClick in mainwindow/selectors.h for the option groups of the input panel).
    virtual void setChecked(const QString& name) = 0;
};

}  // namespace vardo::mainwindow
