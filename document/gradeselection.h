#pragma once
// The selection of the crossbeam's grade, as the report prints it and the window "Подбор ригеля"
// shows it live: every grade of the series in use checked with its own rows (graderows.h), the
// suspension loads and Мфс being the sheet's.
//
//   sheet --capture--> Calculation --sheetResults--> Results (what the labels hold, "0" of a
//   refusal not computed) --selectionMissing--> what keeps the selection from being made
//   --checkEveryGrade (designMomentsWith per grade, the governing end loads, checkCrossbeams)-->
//   CrossbeamCheck --remarks--> the caveats of the verdict

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "core/catalogue.h"
#include "document/calculation.h"
#include "document/crossbeamcheck.h"
#include "document/graderows.h"
#include "document/recompute.h"
#include "tables/workbook.h"

namespace vardo::document {

// The series the calculation's "П/ОП" chooses in `table`, its name ("П", "ОП") and the data
// source of its allowable moments (Data7, Data8).
const catalogue::Series& series(const Calculation& calculation,
                                std::span<const catalogue::Series> table = catalogue::kSeries);
QString seriesName(const Calculation& calculation);
QString allowableSource(const Calculation& calculation);
// The ice thickness chosen: 0 .. 3 for b = 5, 10, 15, 20 mm, -1 when none is.
int iceColumn(const Calculation& calculation);
// The bare names of the workbooks the check reads: the allowable moments of the calculation's
// series, the crossbeam's own rows, the Мфс table.
QString allowableWorkbookName(const Calculation& calculation);
inline constexpr const char16_t* kWeightWorkbook = catalogue::kWorkbookWeight;
inline constexpr const char16_t* kIceWorkbook = catalogue::kWorkbookIce;
inline constexpr const char16_t* kWindWorkbook = catalogue::kWorkbookWind;
inline constexpr const char16_t* kMfsWorkbook = catalogue::kWorkbookMfs;

// A text that came from the user or a file is shown up to kMaxShownText characters, in the
// report's tables and in the verdict; the rest is named, not shown.
inline constexpr int kMaxShownText = 60;

// The results as the sheet holds them, each computed or not as the report tells it.
Results sheetResults(const Calculation& calculation);

// What the grades' moments need that the sheet does not have: the suspension moments at mid-span
// and at the section (Label10, Label11, Text21, Text22) computed (the governing fields also shown),
// and the three Мфс values numbers.
// Each is a Russian phrase ("не вычислен момент от нагрузок подвески: G, середина"); empty when
// nothing is missing.
QStringList selectionMissing(const Calculation& calculation, const Results& results);

// One governing load at 1/3 (1/4), Text21 (G) or Text22 (Gг): the value in `results` and the left
// and right values the inputs give now. The end block is never checked with less than the largest
// of them; where the smallest would give a moment of the other sign larger in size, with that.
struct EndLoad {
    QString field;
    std::optional<Fixed> saved;              // nothing: not computed, the moments refuse
    std::optional<Fixed> left, right;        // nothing: the inputs give none
    std::optional<Fixed> largest, smallest;  // of the three; nothing when `saved` is nothing
};
using EndLoads = std::array<EndLoad, 2>;
EndLoads endLoads(const Calculation& calculation, const Results& results);

// Every grade of `allowable` with its own gр, gрг, Pp from `crossbeamTables` (the columns of the
// calculation's series in `seriesTable`), the end block with the governing loads (endLoads).
// `ends`: what endLoads(calculation, results) gives, when the caller has it already (it works
// the end loads out again for every check, from the inputs).
CrossbeamCheck checkEveryGrade(const Calculation& calculation, const Results& results,
                               const tables::Table& allowable,
                               const CrossbeamTables& crossbeamTables,
                               std::span<const catalogue::Series> seriesTable = catalogue::kSeries,
                               const EndLoads* ends = nullptr);

// The row of the Мфс table (т38.1.xls) the calculation's Мфс values are: the row shown when it
// matches, else the first that does; -1 when none does.
struct MfsRow {
    bool allZero = false;  // "Мфс =0": no row is meant
    int matched = -1;
    int shown = -1;  // the row the table showed, -1 when none
};
MfsRow mfsRowOf(const Calculation& calculation, const tables::Table& mfsTable);

// The grade and series whose rows of the three crossbeam tables the sheet's gр, gрг, Pp are (the
// series in use searched first, then the others of `seriesTable` in its order); nothing when they
// are no grade's.
struct SheetRowsOwner {
    const catalogue::Series* series = nullptr;  // an entry of the table searched
    QString caption;
};
std::optional<SheetRowsOwner> sheetRowsOwner(
    const Calculation& calculation, const CrossbeamTables& crossbeamTables,
    std::span<const catalogue::Series> seriesTable = catalogue::kSeries);

// Names in a sentence: the first ten joined by commas, then how many more.
QString namesList(const QStringList& names);

// What the verdict of a calculation holds only with a caveat: one sentence each, without the final
// full stop, the same in the report, the window "Подбор ригеля" and the schedule.
enum class RemarkKind { EndLoad, Stale, OtherSeriesRows, MfsRow, Unchecked, Negative };
struct Remark {
    RemarkKind kind;
    QString text;
};
// `recomputed`, `ends`: what recompute(calculation) and endLoads(calculation, results) give, when
// the caller has them already.
QList<Remark> remarks(const Calculation& calculation, const Results& results,
                      const CrossbeamCheck& check, const CrossbeamTables& crossbeamTables,
                      const tables::Table& mfsTable, const Results* recomputed = nullptr,
                      const EndLoads* ends = nullptr);

// One line: the grade chosen, or why none is; the same in the report, the schedule of crossbeams
// and the window "Подбор ригеля". allowableError: why the allowable-moment table could not be
// read (empty when it was).
QString verdictText(const CrossbeamCheck& check, const Calculation& calculation,
                    const tables::Table& allowable, const QString& allowableWorkbook,
                    const QString& allowableError);

}  // namespace vardo::document
