#pragma once
// The sample data the document tests work on: a sample workbook read by its bare name, a saved
// calculation of tests/data read and checked. A sample that cannot be read stops the test run:
// every test of the file depends on it.

#include <QString>

#include "document/calculation.h"
#include "tables/workbook.h"

namespace vardo::testing {

inline tables::Table sampleWorkbook(const char16_t* bareName) {
    const QString path = QStringLiteral(VARDO_SAMPLE_DATA) + u'/' + QString::fromUtf16(bareName);
    const tables::ReadResult read = tables::readWorkbook(path);
    if (!read.ok()) qFatal("%s: %s", qPrintable(path), qPrintable(read.errorText));
    return read.table;
}

inline document::Calculation sampleCalculation(const QString& fileName) {
    QString error;
    const std::optional<document::Calculation> c =
        document::readFile(QStringLiteral(VARDO_TEST_DATA) + u'/' + fileName, &error);
    if (!c) qFatal("%s", qPrintable(error));
    return *c;
}

}  // namespace vardo::testing
