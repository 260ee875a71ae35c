// Form1's reference tables: each data source opens its workbook by bare name, its fields are bound
// to their columns, and the first row is shown. A workbook that cannot be read leaves its fields
// with their design texts; all such failures are told in one message when the window is shown.

#include <QStringList>

#include "core/datafile.h"
#include "mainwindow/form1.h"
#include "mainwindow/inventory.h"
#include "tables/datasource.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

void Form1::openDataSources() {
    // Bind first, so the first row read reaches every field and raises its change actions.
    for (const BindingRow& b : bindings()) {
        auto* source = qobject_cast<tables::DataSource*>(controls_.value(b.dataSource));
        QWidget* field = controls_.value(b.field);
        if (!source || !field) continue;
        if (b.column > 0)
            source->bindField(field, b.column - 1);
        else
            source->bindField(field, b.header);
    }
    QStringList failures;
    for (const SourceRow& s : sources()) {
        auto* source = qobject_cast<tables::DataSource*>(controls_.value(s.dataSource));
        if (!source) continue;
        if (!source->open(locateDataFile(s.workbook)))
            failures << u"«%1»: %2"_s.arg(s.workbook, source->errorText());
    }
    if (!failures.isEmpty()) {
        workbookReport_ =
            u"Не удалось прочитать справочные таблицы:\n%1\n\n"
            u"Поля этих таблиц остаются пустыми; остальное работает."_s.arg(failures.join(u'\n'));
    }
}

}  // namespace vardo::mainwindow
