#pragma once
// The crossbeam's own rows of one grade: its weight gр (т37Gp.xls), its ice load gрг
// (Т37Gрг.xls, the column of the ice thickness chosen) and its wind parameter Pp (т37gama.xls).
//
//   grade "П-3" --a row whose caption names it, in the series' caption column (the series'
//     GradeColumns, catalogue::kSeries)-->
//     gр: П F1/F2, ОП F3/F4    gрг: П F1/F2..F5, ОП F6/F7..F10    Pp: П F1/F2, ОП F3/F4
//
// A caption names a grade when it is the grade, or starts with it followed by something that
// cannot continue a grade's name ("П-1 (16–20 м)" names "П-1"; "П-10" does not).

#include <QString>
#include <optional>

#include "core/catalogue.h"
#include "tables/workbook.h"

namespace vardo::document {

struct CrossbeamTables {
    tables::Table weight;  // т37Gp.xls (Data1)
    tables::Table ice;     // Т37Gрг.xls (Data5)
    tables::Table wind;    // т37gama.xls (Data3)
};
// The data sources of the three tables, in the order of CrossbeamTables.
inline constexpr Name kCrossbeamSources[]{names::Data1, names::Data5, names::Data3};
// The three tables, each got from its data source's name by `tableOf`.
template <class TableOf>
CrossbeamTables crossbeamTablesOf(const TableOf& tableOf) {
    const auto& [weight, ice, wind] = kCrossbeamSources;
    return {tableOf(weight), tableOf(ice), tableOf(wind)};
}

struct GradeRows {
    QString gp, gpg, pp;                   // the cell texts, as a pick would copy them
    QString gpRow, gpgRow, ppRow;          // the captions of the rows they came from
    int gpAt = -1, gpgAt = -1, ppAt = -1;  // those rows, 0-based
};

bool captionNamesGrade(const QString& caption, const QString& grade);

// iceColumn: 0 .. 3 for b = 5, 10, 15, 20 mm; -1 when no thickness is chosen. On failure *why says
// which row or value is missing (a Russian phrase).
std::optional<GradeRows> findGradeRows(const CrossbeamTables& tables,
                                       const catalogue::Series& series, const QString& grade,
                                       int iceColumn, QString* why);

}  // namespace vardo::document
