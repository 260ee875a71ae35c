#pragma once
// The BIFF8 record layer: the "Workbook" stream of an Excel 97 file to the cells of one sheet.
//
//   workbook globals: BOF, BOUNDSHEET (name -> stream offset of the sheet's BOF), SST (shared
//     strings, continued in CONTINUE records), EOF
//   the sheet at its offset: BOF, cell records (LABELSST, LABEL, RSTRING, NUMBER, RK, MULRK,
//     FORMULA with its cached value and the STRING record after it, BOOLERR), EOF
//
// Every record length, count and offset is checked against the bytes present before it is used;
// a stream that does not hold together is ReadError::Damaged. Exposed for the tests and the fuzzer;
// the program reads workbooks through readWorkbook (workbook.h).

#include <QByteArrayView>
#include <QString>

#include "tables/workbook.h"

namespace vardo::tables {

ReadResult readBiff8Stream(QByteArrayView stream, const QString& sheetName = referenceSheetName());

}  // namespace vardo::tables
