#pragma once
// The option groups of the input panel and their click actions.
//
// Data flow: an option's click action only sets the visibility of panels, rows and bound fields
// (and "пер"/"пост" copies the Мфс set on display into Text18 .. Text20). What is visible then
// decides what a pick copies (calc/inputcells.h), which Мфс boxes feed the moments
// (calc/allowable.h) and which allowable-moment workbook is seen. No action moves a table row
// or reads a choice of another group; "Пр. ригеля" has no action, the calculations read it.
// Every action sets the same visibilities whatever was shown before, so running it twice is the
// same as once.

#include <array>
#include <span>

#include <QString>
#include <QStringView>

#include "core/sheet.h"

namespace vardo::calc {

// The option groups themselves (Frame5 "Ввод 1-2-3-4-5", Frame7 "b мм", Frame3 "П/ОП", Frame11
// "Mфс", Frame15 "Пр. ригеля", and the launchers) are the catalogue's (core/catalogue.h).

// "Ввод 1-2-3-4-5": the table panel frmF1 .. frmF5 shown, the other four hidden; "1 " and "2" also
// switch the load row of the diagram to G (Label12, txtG1 .. txtG8) or Gг (Label13, txtGg1 ..).
void Option11_Click(Sheet& sheet);  // "1 ": table "G", row G
void Option12_Click(Sheet& sheet);  // "2":  table "Gг", row Gг
void Option13_Click(Sheet& sheet);  // "3":  table "gр"
void Option14_Click(Sheet& sheet);  // "4":  table "gрг"
void Option15_Click(Sheet& sheet);  // "5":  table "Pp"
// "b мм": of Text6 .. Text17 (the ice columns of "Gг", "gрг" П and "gрг" ОП) the field of the
// thickness shown and the other three of each group hidden, in the order Text6 .. Text17.
void Option3_Click(Sheet& sheet);  // 5 mm
void Option4_Click(Sheet& sheet);  // 10 mm
void Option5_Click(Sheet& sheet);  // 15 mm
void Option6_Click(Sheet& sheet);  // 20 mm
// "П/ОП": the row captions and value fields of "gр", "Pp", the frames of "gрг" and the
// allowable-moment set (Data7 with its labels, or Data8 with its labels) of the series.
void Option1_Click(Sheet& sheet);  // "П"
void Option2_Click(Sheet& sheet);  // "ОП"
// "пер"/"пост": Frame12 or Frame13 shown (the other hidden), then that set copied into
// Text18 .. Text20.
void Option7_Click(Sheet& sheet);  // "пер"
void Option8_Click(Sheet& sheet);  // "пост"

// Runs the click action of the option `name`. True when `name` is an option of the input panel's
// groups (Option9 "1/3" and Option10 "1/4" have no action); false, with nothing done, otherwise
// (the launcher options' actions are the window's own).
bool optionClick(Sheet& sheet, const QString& name);

// The start-up selections, in this order: Option4 "10", Option11 "1 ", Option9 "1/3",
// Option8 "пост", each through FormPort::setChecked, so each runs its action.
void selectStartOptions(FormPort& form);
// "П" (Option1), selected when the window first takes the input focus; the window selects it then
// through this, so its action runs as a user's selection would.
void selectOnFirstFocus(FormPort& form);

}  // namespace vardo::calc
