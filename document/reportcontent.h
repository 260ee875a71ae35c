#pragma once
// The content of the report of one calculation, as the HTML that report.h lays out on A4 pages:
//
//   ReportInput (calculation, results, allowable-moment table) + the check of every grade and
//   the remarks on its verdict (gradeselection.h)
//     --reportHtml--> title block (date, calculation file, object data, lines to sign),
//     1. inputs, 2. the diagram's place (kDiagramMark), 3. every result ("не вычислено" where
//     one was not computed, never 0), 4. the check of every grade of the series in use with colour
//     bands and a mark on the first that passes, 5. the workbooks and rows of the reference values
//
// Every text that came from the user or a file is shown inert: HTML-escaped, each character that
// would act unseen as a visible mark, a long one shortened with its length named.

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

#include "document/calculation.h"
#include "document/crossbeamcheck.h"
#include "document/gradeselection.h"
#include "document/recompute.h"
#include "tables/workbook.h"

namespace vardo::document {

struct ReportInput {
    Calculation calculation;
    Results results;  // what the report presents as the results
    // For a result, another value to name beside it when it differs (the saved text when the
    // results were recomputed, the recomputed one when they are the window's).
    QMap<QString, QString> comparison;
    QString comparisonCaption;  // "в файле", "по текущим исходным данным"
    // The larger of the left and right values at 1/3 (1/4), to name when Text21/Text22 differ.
    QString governingG, governingGice;
    QString fileName;  // the calculation file, empty when it was never saved
    QDateTime date;
    tables::Table allowable;    // the allowable-moment table of the series in use
    QString allowableWorkbook;  // its bare file name
    QString allowableError;     // why it could not be read; empty when it was
    // The crossbeam's own rows of every grade come from these (Data1, Data5, Data3); a table that
    // could not be read is empty, and its grades are then not checked.
    CrossbeamTables crossbeamTables;
    tables::Table mfsTable;  // т38.1.xls (Data6): which row the Мфс values came from
};

// Limits that keep a report of hostile or huge input readable and quick: a field's text in a
// table is shown up to kMaxShownText characters (gradeselection.h); a text of the title block (the
// object data and the calculation file's name) up to kMaxTitleText and a name or the date in the
// narrow columns of the signatures up to kMaxSignatureText, wrapped over as many lines as it takes
// (at most about 25 lines, so that even the longest stays on one page); the rest is named, not
// printed. The check table shows up to kMaxShownGrades grades (the first passing grade always among
// them).
inline constexpr int kMaxTitleText = 2000;
inline constexpr int kMaxSignatureText = 200;
inline constexpr int kMaxShownGrades = 60;

// Where the diagram goes in the text: a character of the private-use area, which the content
// keeps out of everything the user wrote, so no field can place (or remove) the diagram.
inline constexpr char16_t kDiagramMark = u'\uE000';

// The whole report as HTML: the check of every grade `check` and the caveats of its verdict
// `remarks` are those of `input`.
QString reportHtml(const ReportInput& input, const CrossbeamCheck& check,
                   const QList<Remark>& remarks);

}  // namespace vardo::document
