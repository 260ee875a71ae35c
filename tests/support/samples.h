#pragma once
// The sample data the document tests work on: a sample workbook read by its bare name, a saved
// calculation of tests/data read and checked, the worked examples and the hand-made grade table
// (tests/data/grades.xls). A sample that cannot be read stops the test run: every test of the
// file depends on it.

#include <QString>

#include "document/calculation.h"
#include "document/crossbeamcheck.h"
#include "tables/workbook.h"

namespace vardo::testing {

using namespace Qt::Literals::StringLiterals;

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

// A calculation as the window holds it right after start-up.
inline document::Calculation startCalculation() {
    using namespace document;
    Calculation c;
    for (const QString& name : inputFields()) c.inputs.insert(name, u"0"_s);
    c.inputs[u"Combo1"_s] = u"1,59"_s;
    c.inputs[u"Combo2"_s] = u"131"_s;
    c.options = {{u"Frame5"_s, u"Option11"_s}, {u"Frame7"_s, u"Option4"_s},
                 {u"Frame3"_s, u"Option1"_s},  {u"Frame15"_s, u"Option9"_s},
                 {u"Frame11"_s, u"Option8"_s}, {u"Form1"_s, u"Option16"_s}};
    c.mfs = {{u"Text18"_s, u"320"_s}, {u"Text19"_s, u"380"_s}, {u"Text20"_s, u"500"_s}};
    for (const QString& name : dataSources()) c.sources.insert(name, {});
    for (const QString& name : resultFields()) c.results.insert(name, QString());
    for (const QString& name : tableFields()) c.tableFields.insert(name, name);
    for (const QString& name : {u"Label10"_s, u"Label11"_s, u"Text21"_s, u"Text22"_s})
        c.results[name] = u"0"_s;
    for (const QString& name : viewFields()) c.view.insert(name, false);
    c.view[u"Frame29"_s] = true;
    c.view[u"Frame11"_s] = true;
    c.view[u"Command24"_s] = true;
    return c;
}

// The worked example of the design moments: G = 4200 and Gг = 1350,5 at mid-span, the governing
// values typed over (3900 and 1200,5), gр 55, gрг 21,5, Pp 0,35, Lр 18, Vm 25, Мфс 320/380/500.
inline document::Calculation momentExample() {
    using namespace document;
    Calculation c = startCalculation();
    const QList<std::pair<QString, QString>> typed = {
        {u"txtProlet"_s, u"1"_s}, {u"txtL1"_s, u"42"_s},   {u"txtP2"_s, u"1"_s},
        {u"txtG1"_s, u"69"_s},    {u"txtG2"_s, u"-131"_s}, {u"txtGg1"_s, u"133"_s},
        {u"txtGg2"_s, u"-118"_s}, {u"txtGp"_s, u"55"_s},   {u"txtGpg"_s, u"21,5"_s},
        {u"txtPp"_s, u"0,35"_s},  {u"txtLp"_s, u"18"_s},   {u"txtVm"_s, u"25"_s}};
    for (const auto& [name, text] : typed) c.inputs[name] = text;
    c.results[u"Text21"_s] = u"3900"_s;
    c.results[u"Text22"_s] = u"1200,5"_s;
    return c;
}

// The worked example of the suspension loads: two points, l = 70; no crossbeam data.
inline document::Calculation loadExample() {
    using namespace document;
    Calculation c = startCalculation();
    const QList<std::pair<QString, QString>> typed = {
        {u"txtL1"_s, u"5"_s},     {u"txtP2"_s, u"4,5"_s},  {u"txtG1"_s, u"1,59"_s},
        {u"txtG2"_s, u"1,66"_s},  {u"txtGg1"_s, u"2,5"_s}, {u"txtGg2"_s, u"2,6"_s},
        {u"txtProlet"_s, u"70"_s}};
    for (const auto& [name, text] : typed) c.inputs[name] = text;
    return c;
}

inline tables::Table gradeTable() {
    const tables::ReadResult read =
        tables::readWorkbook(QStringLiteral(VARDO_TEST_DATA "/grades.xls"));
    if (!read.ok()) qFatal("grades.xls: %s", qPrintable(read.errorText));
    return read.table;
}

// Every grade's own rows are the calculation's gр, gрг, Pp: the check then sets each grade
// against the calculation's own moments.
inline document::CrossbeamTables ownRows(const document::Calculation& c,
                                         const tables::Table& allowable) {
    tables::Table weight, ice, wind;
    const QString gp = c.inputs.value(u"txtGp"_s), gpg = c.inputs.value(u"txtGpg"_s),
                  pp = c.inputs.value(u"txtPp"_s);
    for (const QStringList& row : allowable.rows) {
        weight.rows << QStringList{row.value(0), gp, QString(), QString()};
        ice.rows << QStringList{row.value(0), gpg, gpg, gpg, gpg};
        wind.rows << QStringList{row.value(0), pp, QString(), QString()};
    }
    return {weight, ice, wind};
}

}  // namespace vardo::testing
