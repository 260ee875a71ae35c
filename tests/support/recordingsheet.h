#pragma once
// The tests' sheet without widgets is the program's own map-backed sheet (core/mapsheet.h): every
// effect a procedure has on the sheet (a text written, a control shown or hidden, an option
// checked, a message) is recorded in order, so a test can check both the end state and the order
// of effects.

#include "core/mapsheet.h"

namespace vardo {

// The ids the window numbers one after another, as a test expects them: ("txtL", 1, 8) gives
// txtL1 .. txtL8.
inline QStringList numberedNames(const QString& stem, int from, int to) {
    QStringList names;
    for (int i = from; i <= to; ++i) names << stem + QString::number(i);
    return names;
}

}  // namespace vardo

namespace vardo::testing {

using RecordingSheet = MapSheet;

}  // namespace vardo::testing
