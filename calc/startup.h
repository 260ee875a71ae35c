#pragma once
// The start-up procedure of the main window, run before the window is on screen and before the
// reference tables are opened. The order matters: selecting an option runs its click action at
// once, and later steps hide what those actions may have shown.

#include <QString>
#include <functional>

#include "core/sheet.h"

namespace vardo::calc {

// Gives the pick pointer to one field.
using GivePickPointer = std::function<void(const QString& field)>;

// Steps 2 to 11 (the Windows directory is read by the window itself, before).
void runStartUp(FormPort& form, const GivePickPointer& givePickPointer);

// The fields that show the pick pointer, in the order start-up gives it to them (Text21 and
// Text22 first, on their own).
QStringList pickPointerFields();

}  // namespace vardo::calc
