#pragma once
// Calculation files: one calculation of the sheet kept in a .vardo file and brought back.
//
//   window --capture--> Calculation --toJson--> bytes --writeFileAtomically--> FILE.vardo
//   FILE.vardo --readFile (size, JSON, format, version, every field checked)--> Calculation
//              --apply--> window
//
// A Calculation holds texts exactly as the controls hold them (a number stays the text the user
// typed, "1e15" and "abc" included), the option chosen in each group, the current row of each
// reference table (its index and the caption of that row, so it can be found again when the
// workbook's rows have moved), the results and which panels and chain buttons were shown.
// Reading checks the whole file before anything reaches the sheet: a file that fails any check
// gives one Russian message and changes nothing.
//
// The file is JSON: {"format": "vardo-calculation", "version": 3, "program", "saved", "inputs",
// "options", "mfs", "sources", "tableFields", "results", "view", "object", "picks"}; every section
// names every field. The reader keeps the layout of every version it ever wrote (what each section
// of version N holds), never today's list of controls, so a file of every earlier version opens: a
// field its version did not have comes in empty. Version 2 added the section "object"
// (objectdata.h); version 3 the section "picks": the table row each suspension load was picked
// from, or null where that was not recorded. A field the program gains needs a new version, whose
// layout is the previous one with the field. A file of a later version is refused: its data could
// not all be kept, and an input this program does not know may change what its results mean. Only a
// flag of "view" (what was on the screen) that this program does not know is passed over.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

#include "document/objectdata.h"
#include "tables/workbook.h"

namespace vardo {
struct FileStamp;
}

namespace vardo::document {

class CalculationPort;

inline constexpr int kFormatVersion = 3;
inline QString formatName() {
    return QStringLiteral("vardo-calculation");
}
// The file extension, without the dot.
inline QString fileSuffix() {
    return QStringLiteral("vardo");
}
// A calculation file is a few kilobytes; the largest one the window can write (every text at its
// longest, each character written as a six-byte escape) is under 20 MB. Writing refuses anything
// larger than this and reading accepts all up to it, so every file that is saved opens again.
inline constexpr qint64 kMaxFileBytes = 32 * 1024 * 1024;
// A line edit holds at most this many characters; a longer text could not be restored as it was.
inline constexpr int kMaxTextLength = 32767;

// The current row of one reference table.
struct SourceRow {
    int row = -1;      // 0-based; -1: the table had no rows
    QString caption;   // the row's caption cell (column F1, or "Lр" of the Мфс table)
    QString workbook;  // bare file name, for the reader of the file and the report
    friend bool operator==(const SourceRow&, const SourceRow&) = default;
};

// The table row a suspension load was picked from: the row's caption (the name of the suspension)
// and the text the pick copied into the field. An empty caption: the field's text was never picked.
struct PickedRow {
    QString caption;
    QString value;
    friend bool operator==(const PickedRow&, const PickedRow&) = default;
};

// An option group: its key in the file (the frame's name, "Form1" for the launcher options on
// the window itself) and its options.
struct OptionGroupRow {
    QString key;
    QStringList options;
};

// The fields each section of a file holds, in the order they are restored.
const QStringList& inputFields();  // typed, listed or picked inputs: l, Lр, Vm, h/b, Gт, gр, ...
const QStringList& mfsFields();    // Text18, Text19, Text20
const QStringList& tableFields();  // the text fields bound to table columns (Text1 .. Text17,
                                   // the six Мфс boxes): a user may type over them
const QStringList& resultFields();  // Label10 .. Label32, the governing Text21/Text22, Label49
const QStringList& viewFields();    // panels and chain buttons whose visibility the user changed
const QStringList& dataSources();   // Data1 .. Data8
const QStringList& pickedFields();  // the load fields whose pick is recorded: txtG1 .. txtGg8
const QList<OptionGroupRow>& optionGroups();

// The column that names a row of the data source's table: "Lр" in the Мфс table, F1 elsewhere.
int captionColumn(const tables::Table& table, const QString& dataSource);
// That column's cell in `row`; empty outside the table.
QString rowCaption(const tables::Table& table, const QString& dataSource, int row);

struct Calculation {
    QMap<QString, QString> inputs;
    QMap<QString, QString> options;  // group key -> chosen option, "" when none is chosen
    QMap<QString, QString> mfs;
    QMap<QString, SourceRow> sources;
    QMap<QString, QString> tableFields;
    QMap<QString, QString> results;
    QMap<QString, bool> view;
    ObjectData object;  // not on the sheet: kept by the window beside it
    // The row each of pickedFields() was last picked from; a field that is missing was not
    // recorded (a file of an older version). Not on the sheet either.
    QMap<QString, PickedRow> picks;
    friend bool operator==(const Calculation&, const Calculation&) = default;
};

// Everything a file keeps, read from the sheet.
Calculation capture(const CalculationPort& port);

// Brings the calculation back: options (each runs its click action), table rows, table fields,
// inputs, Мфс values, results, visibility, in this order, so that what a row move or an option
// copies into the Мфс values is replaced by the saved values. A saved row is found by its index
// when the caption there is unchanged, otherwise by its caption; the texts returned name each row
// that is gone (its table then stays on its row).
QStringList apply(CalculationPort& port, const Calculation& calculation);

QByteArray toJson(const Calculation& calculation);
// Checks the whole text; on failure returns nothing and says why (a Russian phrase to put after
// the file's name).
std::optional<Calculation> fromJson(QByteArrayView bytes, QString* error);

// Reads and checks a file; on failure *error is a whole Russian message naming the file. The
// stamp, when asked for, is that of the bytes read (core/safefile.h), empty on failure.
std::optional<Calculation> readFile(const QString& path, QString* error,
                                    FileStamp* stamp = nullptr);
// Checks the file as readFile would, then writes it through a temporary file that replaces the
// old one only when complete: a failure at any point leaves the old file as it was. On failure
// *error is a whole Russian message. The stamp, when asked for, is that of the file written.
bool writeFile(const QString& path, const Calculation& calculation, QString* error,
               FileStamp* stamp = nullptr);

}  // namespace vardo::document
