// Form1's reference tables: each data source opens its workbook by bare name, its fields are bound
// to their columns, and the first row is shown. A workbook that cannot be read leaves its fields
// with their design texts; all such failures are told in one message when the window is shown.

#include <QDir>
#include <QStringList>

#include "core/catalogue.h"
#include "core/datafile.h"
#include "document/calculation.h"
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
    bool notFound = false;  // a workbook in none of the searched folders
    for (const SourceRow& s : sources()) {
        auto* source = qobject_cast<tables::DataSource*>(controls_.value(s.dataSource));
        if (!source) continue;
        if (source->open(locateDataFile(s.workbook))) continue;
        notFound = notFound || !dataFileExists(s.workbook);
        // What the user now sees in that table's fields: their design texts, named as shown.
        QStringList shown;
        for (const BindingRow& b : bindings())
            if (b.dataSource == s.dataSource && shown.size() < 3)
                if (const QString text = sheet_->text(b.field).trimmed();
                    !text.isEmpty() && !shown.contains(u"«"_s + text + u"»"_s))
                    shown << u"«"_s + text + u"»"_s;
        failures << u"«"_s + s.workbook + u"»: "_s + source->errorText() +
                        (shown.isEmpty() ? QString()
                                         : u" (в полях таблицы: "_s + shown.join(u", "_s) + u")"_s);
    }
    if (!failures.isEmpty()) {
        workbookReport_ =
            u"Не удалось прочитать справочные таблицы:\n"_s + failures.join(u'\n') +
            (notFound ? u"\n\nНе найденные таблицы искались в папках:\n"_s +
                            QDir::toNativeSeparators(dataSearchFolders().join(u'\n'))
                      : QString()) +
            u"\n\nВместо значений в полях этих таблиц стоят условные надписи. Щелчок по такому "
            u"полю переносит в расчет не число, и оно считается равным 0. Остальное работает."_s;
    }
}

std::optional<QString> Form1::pickedRowCaption(const QString& field) const {
    std::optional<QString> caption;
    for (const catalogue::PickSource& s : catalogue::pickSources(field)) {
        if (!sheet_->isVisible(s.field) ||
            (!s.frame.view().isEmpty() && !sheet_->isVisible(s.frame)))
            continue;
        for (const catalogue::Binding& b : catalogue::bindings())
            if (b.field.view() == s.field.view())
                if (auto* source = qobject_cast<tables::DataSource*>(controls_.value(b.dataSource)))
                    caption =
                        document::rowCaption(source->table(), b.dataSource, source->currentRow());
    }
    return caption;
}

}  // namespace vardo::mainwindow
