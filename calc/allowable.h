#pragma once
// The Мфс block and the allowable-moment panel.
//
// Data flow: the Мфс table (data source Data6) writes the current row into six bound boxes, two
// sets of three: the "пер" set in Frame12 and the "пост" set in Frame13, of which the option group
// "пер"/"пост" shows one. A change of a box of the set on display copies its text, unchanged, into
// the hidden field that carries the Мфс value of its design mode (Text18 emergency, Text19 ice,
// Text20 maximum wind), which the moment procedures read. A box of the hidden set changes nothing,
// so stepping the table never mixes the two sets.
//
// The allowable-moment panel (Frame20) only shows the reference rows; the user compares them with
// the computed moments, no code does.

#include <QString>
#include <QStringView>

#include "core/catalogue.h"
#include "core/sheet.h"

namespace vardo::calc {

// The six bound Мфс boxes, their frames and targets are the catalogue's (core/catalogue.h:
// kMfsBoxes, kMfsSetPer, kMfsSetPost).

// Change actions of the six boxes: raised by typing and by every row change of Data6. Each copies
// the box's text into its Мфс field when the box's frame is shown, and does nothing otherwise.
void txtMa1_Change(Sheet& sheet);
void txtMn1_Change(Sheet& sheet);
void txtMnv1_Change(Sheet& sheet);
void txtMa2_Change(Sheet& sheet);
void txtMn2_Change(Sheet& sheet);
void txtMnv2_Change(Sheet& sheet);
// The change action of the box `name`; false (and nothing done) when it is none of the six.
bool mfsBoxChange(Sheet& sheet, const QString& name);

// Copies every box of the set held by `frame` into its Мфс field, whether the frame is shown or
// not: Text18, Text19, Text20 in this order. The "пер"/"пост" options do this after switching.
void copyMfsSet(Sheet& sheet, const Name& frame);

// "Сравнить": the allowable-moment panel Frame20 is shown, then the Мфс buttons Frame29 hidden
// (the panel covers the place where they stand).
void Command16_Click(Sheet& sheet);

}  // namespace vardo::calc
