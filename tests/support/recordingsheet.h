#pragma once
// The tests' sheet without widgets is the program's own map-backed sheet (core/mapsheet.h): every
// effect a procedure has on the sheet (a text written, a control shown or hidden, an option
// checked, a message) is recorded in order, so a test can check both the end state and the order
// of effects.

#include "core/mapsheet.h"

namespace vardo::testing {

using RecordingSheet = MapSheet;

}  // namespace vardo::testing
