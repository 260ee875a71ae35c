#pragma once
// The selection of the crossbeam's grade, as the report prints it and the window "Подбор ригеля"
// shows it live: every grade of the series in use checked with its own rows (graderows.h), the
// suspension loads and Мфс being the sheet's.
//
//   sheet --capture--> Calculation --sheetResults--> Results (what the labels hold, "0" of a
//   refusal not computed) --selectionMissing--> what keeps the selection from being made
//   --checkEveryGrade (designMomentsWith per grade, checkCrossbeams)--> CrossbeamCheck

#include <QString>
#include <QStringList>

#include "document/calculation.h"
#include "document/crossbeamcheck.h"
#include "document/graderows.h"
#include "document/recompute.h"
#include "tables/workbook.h"

namespace vardo::document {

// The results as the sheet holds them, each computed or not as the report tells it.
Results sheetResults(const Calculation& calculation);

// What the grades' moments need that the sheet does not have: the suspension moments at mid-span
// and at the section (Label10, Label11, Text21, Text22) computed (the governing fields also shown),
// and the three Мфс values numbers.
// Each is a Russian phrase ("не вычислен момент от нагрузок подвески: G, середина"); empty when
// nothing is missing.
QStringList selectionMissing(const Calculation& calculation, const Results& results);

// Every grade of `allowable` with its own gр, gрг, Pp from `crossbeamTables`.
CrossbeamCheck checkEveryGrade(const Calculation& calculation, const Results& results,
                               const tables::Table& allowable,
                               const CrossbeamTables& crossbeamTables);

}  // namespace vardo::document
