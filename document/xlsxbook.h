#pragma once
// A workbook of one sheet as the schedule hands it to the .xlsx writer: plain Qt data, nothing of
// libxlsxwriter.
//
//   schedule.cpp --XlsxBook--> writeXlsxBook --(module vardo_xlsx, loaded on the first call)-->
//   libxlsxwriter --> the workbook's bytes
//
// The writer is a module of its own so that the programs do not load libxlsxwriter, and the
// libraries it needs (minizip, libcrypto), at every start for a schedule that most sessions never
// make. The module is looked up beside the program, then where the package installs it (lib/vardo
// beside the program's bin), then, for a program run from its build tree, in that tree. On
// Windows, where libxlsxwriter is a static library, the writer is linked into the programs.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace vardo::document {

enum class XlsxStyle {
    Plain,
    Moment,   // tf·m to four decimals
    Percent,  // one decimal
    Warning,  // a text in dark red: the file not read, no grade
};

struct XlsxCell {
    QString text;  // written when there is no number; an empty text leaves the cell empty
    std::optional<double> number;
    XlsxStyle style = XlsxStyle::Plain;
};

enum class XlsxPaper { A4, A3 };

struct XlsxBook {
    QString sheetName;
    QString title;             // the first row, above the header
    QStringList header;        // the second row: repeated on each printed page, frozen, filtered
    QList<double> widths;      // of each column, in characters
    double headerHeight = 15;  // points
    XlsxPaper paper = XlsxPaper::A4;  // landscape, fitted to one page wide
    // The rows below the header, made one at a time as they are written, so that a workbook of
    // many rows is never held whole (the writer keeps only the row it is on).
    qsizetype rowCount = 0;
    std::function<QList<XlsxCell>(qsizetype row)> row;
};

// The module and the program that loads it agree on this version of the structures above: a
// module of another version is refused, never called.
inline constexpr int kXlsxInterface = 1;

// The workbook's bytes. On failure nothing, and *why says why (a Russian phrase), also when the
// module cannot be found or loaded.
std::optional<QByteArray> writeXlsxBook(const XlsxBook& book, QString* why);

}  // namespace vardo::document

// What the module exports: its interface version, and the writer.
extern "C" {
using VardoXlsxInterface = int (*)();
using VardoXlsxWrite = bool (*)(const vardo::document::XlsxBook* book, QByteArray* bytes,
                                QString* why);
}
