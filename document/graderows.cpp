#include "document/graderows.h"

#include "core/catalogue.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

// The row of `table` whose caption names the grade; -1 when none does.
int rowOf(const tables::Table& table, int captionColumn, const QString& grade) {
    for (int r = 0; r < table.rowCount(); ++r)
        if (captionNamesGrade(table.rows[r].value(captionColumn), grade)) return r;
    return -1;
}

}  // namespace

bool captionNamesGrade(const QString& caption, const QString& grade) {
    const QString c = caption.trimmed();
    const QString g = grade.trimmed();
    if (g.isEmpty() || !c.startsWith(g)) return false;
    if (c.size() == g.size()) return true;
    const QChar next = c.at(g.size());
    return !next.isLetterOrNumber() && next != u'-' && next != u'.' && next != u',';
}

std::optional<GradeRows> findGradeRows(const CrossbeamTables& tables,
                                       const catalogue::Series& series, const QString& grade,
                                       int iceColumn, QString* why) {
    using Columns = catalogue::GradeColumns;
    const struct {
        const tables::Table& table;
        const char16_t* workbook;
        const char16_t* symbol;
        Columns columns;
        QString GradeRows::*value;
        QString GradeRows::*row;
        int GradeRows::*at;
    } lookups[] = {
        {tables.weight, catalogue::kWorkbookWeight, u"gр", series.weight, &GradeRows::gp,
         &GradeRows::gpRow, &GradeRows::gpAt},
        {tables.ice, catalogue::kWorkbookIce, u"gрг",
         Columns{series.ice.caption, series.ice.value + iceColumn}, &GradeRows::gpg,
         &GradeRows::gpgRow, &GradeRows::gpgAt},
        {tables.wind, catalogue::kWorkbookWind, u"Pp", series.wind, &GradeRows::pp,
         &GradeRows::ppRow, &GradeRows::ppAt},
    };
    GradeRows out;
    for (const auto& l : lookups) {
        // (Named only when something is missing.)
        const auto workbook = [&l] { return QString::fromUtf16(l.workbook); };
        if (l.table.rowCount() == 0) {
            if (why) *why = u"таблица «"_s + workbook() + u"» не прочитана"_s;
            return std::nullopt;
        }
        if (l.value == &GradeRows::gpg && iceColumn < 0) {
            if (why) *why = u"не выбрана толщина гололеда b для значения gрг"_s;
            return std::nullopt;
        }
        const int r = rowOf(l.table, l.columns.caption, grade);
        if (r < 0) {
            if (why) *why = u"в таблице «"_s + workbook() + u"» нет строки марки"_s;
            return std::nullopt;
        }
        const QString cell = l.table.rows[r].value(l.columns.value).trimmed();
        if (cell.isEmpty()) {
            if (why)
                *why = u"в таблице «"_s + workbook() + u"» у марки нет значения "_s +
                       QString::fromUtf16(l.symbol);
            return std::nullopt;
        }
        out.*(l.value) = cell;
        out.*(l.row) = l.table.rows[r].value(l.columns.caption);
        out.*(l.at) = r;
    }
    return out;
}

}  // namespace vardo::document
