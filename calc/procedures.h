#pragma once
// The calculation procedures, one table: the control whose click runs each procedure, the result
// it writes, the controls it reads, and its stage on the road of a calculation. The window runs a
// click by it, the recomputation of a saved calculation (document/recompute.h) walks it, the marks
// on the sheet take from it what each result was computed from, and the report compares the results
// it lists with the ones the inputs give.
//
//   Load       Command1/2 at mid-span, Command3/4 left and Command5/6 right at 1/3 (1/4)
//   Governing  Text21/Text22: the larger of left and right, taken by a click on the field
//   Moment     Command7/8/9 at mid-span, Command11/12/13 at 1/3 (1/4)
//   Mfs        Command20/Command21 set the Мфс of the three modes, which the moments read; they
//              write no result of their own
//
// The table is in the order of the road: a result is listed after every result it reads, and the
// Мфс buttons come last.

#include <QStringList>
#include <QStringView>
#include <span>

#include "core/catalogue.h"

namespace vardo {
class Sheet;
}

namespace vardo::calc {

enum class Stage { Load, Governing, Moment, Mfs };

struct ProcedureEntry {
    Name control;  // the button or field whose click runs it
    void (*run)(Sheet&);
    Name result;  // the result it writes last; empty for the Мфс buttons
    Stage stage;
    bool atSection;      // a result at 1/3 (1/4) of the span: a load or moment there is computed
                         // only when "1/3" (Option9) or "1/4" (Option10) is chosen
    QStringList inputs;  // every control it reads: texts, and the section options it tests
};

// Every procedure, in the order of the road.
std::span<const ProcedureEntry> procedures();
// The procedures that write a result: every one but the Мфс buttons, in the same order.
std::span<const ProcedureEntry> resultProcedures();
// The procedure a click on `control` runs; nullptr for any other control.
const ProcedureEntry* findProcedure(QStringView control);
// The procedure that writes `result`; nullptr for a control that is no result of one.
const ProcedureEntry* producerOf(QStringView result);

}  // namespace vardo::calc
