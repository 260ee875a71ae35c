#pragma once
// Mouse-click actions of the input fields of the calculation sheet.
//
// A click on a typed-value field (span, design length, wind speed, the sixteen arms) empties it for
// a new entry. A click on a table-value field (the loads G and Gг of the suspension points, gр,
// gрг, Pp) is a pick: it copies, as text and unchanged, the value field of the reference table
// that is on display. Which value field is on display is decided by the option groups (ice
// thickness, series) through visibility alone, so the pick tests the candidate sources in a fixed
// order and takes the one that is shown. Both act on a mouse click only; the window wires them to
// the click, never to focus or typing. (The governing-value fields Text21/Text22 belong to the
// calculation procedures.)

#include <array>
#include <span>

#include <QString>
#include <QStringList>
#include <QStringView>

#include "core/catalogue.h"
#include "core/sheet.h"

namespace vardo::calc {

// The 19 fields emptied by a click: txtProlet, txtLp, txtVm, txtL1 .. txtL8, txtP1 .. txtP8.
QStringList clearOnClickFields();
// The 19 fields filled by a pick, in the order the pick pointer is given to them: txtG1 .. txtG8,
// txtGg1 .. txtGg8, txtGpg, txtPp, txtGp.
QStringList pickFields();

// The sources of the pick field `field` in the order they are tested (a bound value field, and the
// frame that must be shown too); empty for other names. The catalogue's (core/catalogue.h).
using catalogue::PickSource;
using catalogue::pickSources;

// Empties the field `name` when it is one of clearOnClickFields(); false (nothing done) otherwise.
bool clearOnClick(Sheet& sheet, const QString& name);
// The pick into the field `name`: each source on display, in order, gives its text (so the last
// shown one would win); with none on display the field keeps its text. Only the field `name` is
// written. False (nothing done) when `name` is not one of pickFields().
bool pickOnClick(Sheet& sheet, const QString& name);

}  // namespace vardo::calc
