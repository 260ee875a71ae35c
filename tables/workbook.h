#pragma once
// A reference table read from a sheet of an Excel 97 workbook (.xls, BIFF8).
//
//   file --readRegularFile--> bytes --CompoundFile (OLE2, compoundfile.h)--> "Workbook" stream
//        --BIFF8 records (biff8.h)--> cells of the sheet "Лист1" --> Table of texts
//
// The table is what the bound fields show: row 1 of the sheet is the header, the rows below it
// are the data rows, and column A is F1. Every cell is a text: a number in the sheet's comma form
// (numberText), a text cell as it is, a formula its value as last computed, an empty cell "".
// Any failure, whatever the bytes of the file, is one ReadError with a Russian description that
// can be put after the file's name in a message to the user.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace vardo::tables {

struct Table {
    QStringList header;       // row 1 of the sheet
    QList<QStringList> rows;  // rows 2 .. last used row; each as wide as the header

    int columnCount() const { return static_cast<int>(header.size()); }
    int rowCount() const { return static_cast<int>(rows.size()); }
};

enum class ReadError {
    None,
    NotFound,       // no file or folder of that name
    NotAFile,       // a folder, a FIFO, a device
    Unreadable,     // no permission, an I/O error
    Empty,          // a file of 0 bytes
    FileTooLarge,   // larger than kMaxWorkbookBytes
    NotExcel,       // a text file renamed .xls, a Word document, ...
    NewerFormat,    // an Excel 2007+ workbook (.xlsx, a ZIP package) under an .xls name
    OlderFormat,    // Excel 5.0/95 (BIFF5) or an earlier BIFF
    Encrypted,      // saved with a password to open
    NoSheet,        // no sheet of the name asked for
    NotWorksheet,   // the sheet of that name is a chart or a macro sheet
    SheetTooLarge,  // more cells than kMaxTableCells
    Damaged,        // a record or an offset points outside the data, a count does not match
};

struct ReadResult {
    Table table;
    ReadError error = ReadError::None;
    QString errorText;  // empty when error is None

    bool ok() const { return error == ReadError::None; }
};

// Reference tables are small; these limits keep a damaged or hostile file from taking the memory.
inline constexpr qint64 kMaxWorkbookBytes = 64 * 1024 * 1024;
inline constexpr qint64 kMaxTableCells = 1'000'000;

// The sheet every reference table is read from.
inline QString referenceSheetName() {
    return QStringLiteral("Лист1");
}

// The Russian description of an error, e.g. "файл не найден", "в книге нет листа «Лист1»".
QString describe(ReadError error, const QString& sheetName = referenceSheetName());

// Reads the sheet of the workbook file at path (any file name, Cyrillic included).
ReadResult readWorkbook(const QString& path, const QString& sheetName = referenceSheetName());
// The same from the bytes of a file, e.g. from memory.
ReadResult readWorkbookBytes(QByteArrayView bytes, const QString& sheetName = referenceSheetName());

// A number as a bound field shows it: the shortest text of its value rounded to 15 significant
// digits, with the decimal comma, a minus when negative, no grouping, no trailing zeros; "0" for
// zero. 0.0001 <= |x| < 1e15 is written plainly (1.59 -> "1,59", 1234567 -> "1234567"); smaller
// and larger magnitudes as the workbook's own program shows them, with an exponent
// (1e20 -> "1E+20", 1e-7 -> "1E-07", 123456789012345678 -> "1,23456789012346E+17").
// Not a number or infinite: "#ЧИСЛО!".
QString numberText(double value);

}  // namespace vardo::tables
