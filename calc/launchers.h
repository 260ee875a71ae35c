#pragma once
// The calculator launchers: one button place, two buttons, chosen with "windows" / "vardo".

#include "core/sheet.h"

namespace vardo::calc {

void Option16_Click(Sheet& sheet);  // "windows": the system calculator's button
void Option17_Click(Sheet& sheet);  // "vardo": the button of the program's own calculator

}  // namespace vardo::calc
