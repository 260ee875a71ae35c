#pragma once
// The schedule of crossbeams: one row per calculation file of a station, in one sheet.
//
//   FILE.vardo --readFile--> Calculation --recompute--> the six design moments
//              --checkEveryGrade (report.h: each grade with its own gр, gрг, Pp)--> chosen grade
//   rows --> .xlsx (xlsxbook.h, libxlsxwriter in a module loaded on the first workbook: a title
//                   row, numbers as numbers, units in the header, widths that fit; printed
//                   landscape, one page wide, the header on every page)
//        --> .csv  (UTF-8 with a BOM, ";" between fields, the decimal comma: as Excel opens it
//                   in a Russian locale)
//   --> writeFileAtomically: the old schedule stays until the new one is complete
//
// The columns: the object data, l, Lр, the series, the section, the six design moments, the
// grade chosen (the first that passes every check) or "не подобрана", its highest utilisation
// and the mode that governs it, the verdict, the caveats the report gives beside it ("Замечания"),
// and the file's name. A file that cannot be read is a
// row with its name and the reason in the verdict.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

#include "core/fixed.h"
#include "document/calculation.h"
#include "document/graderows.h"
#include "document/objectdata.h"
#include "tables/workbook.h"

namespace vardo::document {

// The workbooks every row is checked against, read once for the whole schedule.
struct AllowableTable {
    tables::Table table;
    QString error;  // why it could not be read; empty when it was
};
struct ScheduleTables {
    // The allowable-moment table of each series, by its workbook (т36.1.xls for "П", ...).
    QMap<QString, AllowableTable> allowable;
    CrossbeamTables crossbeam;  // т37Gp.xls, Т37Gрг.xls, т37gama.xls
    tables::Table mfs;          // т38.1.xls: which row the Мфс values are, for the remarks
};

struct ScheduleRow {
    QString fileName;   // the bare name of the calculation file
    bool read = false;  // false: the file could not be read, `verdict` says why
    ObjectData object;
    QString span, lp;  // l and Lр as typed
    QString series;    // the series' name: "П", "ОП"
    QString section;   // "1/3", "1/4", or "не выбрано"
    // Mid-span emergency, ice, maximum wind; then the same at the section. Absent: not computed.
    std::array<std::optional<Fixed>, 6> moments;
    QString grade;                     // the chosen grade; empty when none passes
    std::optional<double> highestUse;  // of the chosen grade, 1.0 is 100 %
    QString governingMode;             // where it is: "середина, гололед"
    QString verdict;                   // the report's verdict, or why the file could not be read
    QStringList remarks;               // the report's caveats of the verdict (gradeselection.h)
    bool checked = false;              // every table of the check was read
};

// The row of a calculation that was read.
ScheduleRow scheduleRow(const QString& fileName, const Calculation& calculation,
                        const ScheduleTables& tables);
// Told before each file is read: how many are done, of how many, and the file's path. Returns
// false to stop there (the user's "Отмена").
using ScheduleProgress = std::function<bool(qsizetype done, qsizetype total, const QString& path)>;
// Told of each row once it is made, in the order of the files.
using ScheduleRowMade = std::function<void(const ScheduleRow& row)>;
// Reads each file (readFile: only regular files, every field checked) and makes its row. When
// progress stops it, the rows of the files done before.
QList<ScheduleRow> makeSchedule(const QStringList& paths, const ScheduleTables& tables,
                                const ScheduleProgress& progress = {},
                                const ScheduleRowMade& made = {});

// The header of every column, with its unit; `section` names the end block ("1/3 (1/4)").
QStringList scheduleHeader();

enum class ScheduleFormat { Xlsx, Csv };
// By the extension (case aside); nothing for any other.
std::optional<ScheduleFormat> scheduleFormat(const QString& path);

QByteArray scheduleCsv(const QList<ScheduleRow>& rows);
// The workbook's bytes; on failure nothing, and *why says why (a Russian phrase).
std::optional<QByteArray> scheduleXlsx(const QList<ScheduleRow>& rows, QString* why);

// Writes the schedule in the format of the path's extension. On failure *error is a whole Russian
// message naming the file and saying what is kept.
bool writeSchedule(const QString& path, const QList<ScheduleRow>& rows, QString* error);

}  // namespace vardo::document
