#include "mainwindow/windowport.h"

#include <QFileInfo>

#include "core/catalogue.h"
#include "document/calculation.h"
#include "document/recompute.h"
#include "tables/datasource.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

tables::Table WindowPort::table(const QString& name) const {
    const tables::DataSource* s = source(name);
    return s ? s->table() : tables::Table{};
}

int WindowPort::currentRow(const QString& name) const {
    const tables::DataSource* s = source(name);
    return s ? s->currentRow() : -1;
}

void WindowPort::moveTo(const QString& name, int row) {
    if (tables::DataSource* s = source(name)) s->moveTo(row);
}

QString WindowPort::workbookName(const QString& name) const {
    const tables::DataSource* s = source(name);
    return s ? QFileInfo(s->fileName()).fileName() : QString();
}

tables::DataSource* WindowPort::source(const QString& name) const {
    return qobject_cast<tables::DataSource*>(sheet_.widget(name));
}

document::ReportInput reportInputOf(const WindowPort& port, const QString& calculationPath) {
    document::ReportInput in;
    in.calculation = document::capture(port);
    // The report shows the window's results; where the window's inputs give another value now,
    // it says so beside the result.
    const document::Recomputation again = document::recompute(in.calculation);
    in.results = document::savedResults(in.calculation, again.results);
    for (const QString& field : document::recomputedFields()) {
        const document::ResultValue v = again.results.value(field);
        if (v.computed) in.comparison.insert(field, v.text);
    }
    in.comparisonCaption = u"по текущим исходным данным"_s;
    in.governingG = again.governingG;
    in.governingGice = again.governingGice;
    in.fileName = QFileInfo(calculationPath).fileName();
    in.date = QDateTime::currentDateTime();
    const QString allowable = document::allowableSource(in.calculation);
    in.allowable = port.table(allowable);
    in.allowableWorkbook = port.workbookName(allowable);
    if (const tables::DataSource* s = port.source(allowable)) in.allowableError = s->errorText();
    // Each grade is checked with its own rows of the crossbeam tables the window shows.
    in.crossbeamTables =
        document::crossbeamTablesOf([&port](const QString& s) { return port.table(s); });
    in.mfsTable = port.table(names::Data6);
    return in;
}

}  // namespace vardo::mainwindow
