#include "document/schedule.h"

#include <QFileInfo>
#include <cmath>

#include "core/catalogue.h"
#include "core/messages.h"
#include "core/numbertext.h"
#include "core/safefile.h"
#include "document/gradeselection.h"
#include "document/recompute.h"
#include "document/xlsxbook.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

// One cell: a text, or a number with the text it is written as in a CSV file.
struct Cell {
    QString text;
    std::optional<double> number;
    bool percent = false;  // a number shown with one decimal
};

Cell textCell(const QString& text) {
    return {text, std::nullopt};
}

Cell fixedCell(std::optional<Fixed> value) {
    if (!value) return {};
    return {formatFixed(*value), value->toDouble()};
}

// A typed number: a number when it is one in the program's sense, else the text as typed.
Cell typedCell(const QString& text) {
    if (const std::optional<Fixed> value = parseFixed(text.trimmed())) return fixedCell(value);
    return textCell(text);
}

Cell percentCell(std::optional<double> ratio) {
    if (!ratio) return {};
    const double percent = std::round(*ratio * 1000.0) / 10.0;
    QString text = QString::number(percent, 'f', 1);
    text.replace(u'.', kDecimalSeparator);
    return {text, percent, true};
}

// The columns of a row, in the order of scheduleHeader().
QList<Cell> cellsOf(const ScheduleRow& row) {
    QList<Cell> cells;
    for (const ObjectField& f : objectFields()) cells << textCell(row.object.*f.member);
    cells << typedCell(row.span) << typedCell(row.lp) << textCell(row.series)
          << textCell(row.section);
    for (const std::optional<Fixed>& m : row.moments) cells << fixedCell(m);
    cells << textCell(row.read ? (row.grade.isEmpty() ? u"не подобрана"_s : row.grade) : QString());
    cells << percentCell(row.highestUse) << textCell(row.governingMode) << textCell(row.verdict)
          << textCell(row.remarks.isEmpty() ? QString() : row.remarks.join(u". "_s) + u'.')
          << textCell(row.fileName);
    return cells;
}

// Where the verdict lies among the columns: an unread file or no grade is marked there.
int verdictColumn() {
    return static_cast<int>(scheduleHeader().indexOf(u"Вывод"_s));
}
int gradeColumn() {
    return verdictColumn() - 3;
}

// A text field of a CSV line: quoted when it holds a separator, a quote or a line break. A text
// that a spreadsheet would take for a formula ("=", "+", "-", "@" first) gets an apostrophe first,
// so that it is shown as text and never calculated.
QString csvField(const Cell& cell) {
    if (cell.number) return cell.text;
    QString text = cell.text;
    if (!text.isEmpty() && (text.front() == u'=' || text.front() == u'+' || text.front() == u'-' ||
                            text.front() == u'@' || text.front() == u'\t' || text.front() == u'\r'))
        text.prepend(u'\'');
    if (text.contains(u';') || text.contains(u'"') || text.contains(u'\n') ||
        text.contains(u'\r')) {
        text.replace(u"\""_s, u"\"\""_s);
        return u'"' + text + u'"';
    }
    return text;
}

// The width of a column in characters: its longest text, or the longest word of its header (the
// header wraps), within limits; and the header's lines at that width.
std::array<double, 2> columnWidth(const QString& header, qsizetype longestText) {
    qsizetype longest = longestText;
    for (const QString& word : header.split(u' ', Qt::SkipEmptyParts))
        longest = std::max(longest, word.size());
    const double width = std::clamp(static_cast<double>(longest) + 2.0, 6.0, 60.0);
    const double lines = std::ceil(static_cast<double>(header.size()) / (width - 1.0));
    return {width, lines};
}

}  // namespace

QStringList scheduleHeader() {
    QStringList header;
    for (const ObjectField& f : objectFields()) header << QString::fromUtf16(f.caption);
    header << u"Пролет l, м"_s << u"Расчетная длина Lр, м"_s << u"Серия"_s << u"Сечение у опоры"_s;
    for (const catalogue::Mode& m : catalogue::kModes)
        header << QString::fromUtf16(m.caption) + u", середина, тс·м"_s;
    for (const catalogue::Mode& m : catalogue::kModes)
        header << QString::fromUtf16(m.caption) + u", сечение 1/3 (1/4), тс·м"_s;
    header << u"Марка ригеля"_s << u"Наибольшее использование марки, %"_s << u"Определяющий режим"_s
           << u"Вывод"_s << u"Замечания"_s << u"Файл расчета"_s;
    return header;
}

ScheduleRow scheduleRow(const QString& fileName, const Calculation& c,
                        const ScheduleTables& tables) {
    ScheduleRow row;
    row.fileName = fileName;
    row.read = true;
    row.object = c.object;
    row.span = c.inputs.value(names::txtProlet);
    row.lp = c.inputs.value(names::txtLp);
    row.series = seriesName(c);
    const QString sectionOption = c.options.value(names::Frame15);
    row.section = sectionOption == names::Option9    ? catalogue::sectionText(false)
                  : sectionOption == names::Option10 ? catalogue::sectionText(true)
                                                     : u"не выбрано"_s;

    // As the report of the file does: the results worked out again from the inputs.
    const Recomputation again = recompute(c);
    const DesignMoments moments = designMoments(again.results);
    for (int i = 0; i < 3; ++i) {
        row.moments[i] = moments.middle[i];
        row.moments[i + 3] = moments.end[i];
    }
    const AllowableTable own = tables.allowable.value(allowableWorkbookName(c));
    const tables::Table& allowable = own.table;
    const QString& allowableError = own.error;
    const EndLoads ends = endLoads(c, again.results);
    const CrossbeamCheck check =
        checkEveryGrade(c, again.results, allowable, tables.crossbeam, catalogue::kSeries, &ends);
    row.verdict = verdictText(check, c, allowable, allowableWorkbookName(c), allowableError);
    for (const Remark& r :
         remarks(c, again.results, check, tables.crossbeam, tables.mfs, &again.results, &ends))
        row.remarks << r.text;
    row.checked = allowableError.isEmpty() && allowable.rowCount() > 0 &&
                  tables.crossbeam.weight.rowCount() > 0 && tables.crossbeam.ice.rowCount() > 0 &&
                  tables.crossbeam.wind.rowCount() > 0;
    if (check.firstPassing >= 0) {
        const GradeCheck& grade = check.grades[check.firstPassing];
        row.grade = grade.grade;
        for (int i = 0; i < 6; ++i) {
            const std::optional<double>& ratio = grade.use[i].ratio;
            if (ratio && (!row.highestUse || *ratio > *row.highestUse)) {
                row.highestUse = ratio;
                row.governingMode = (i < 3 ? u"середина"_s : row.section) + u", "_s +
                                    QString::fromUtf16(catalogue::kModes[i % 3].name);
            }
        }
    }
    return row;
}

QList<ScheduleRow> makeSchedule(const QStringList& paths, const ScheduleTables& tables,
                                const ScheduleProgress& progress, const ScheduleRowMade& made) {
    QList<ScheduleRow> rows;
    rows.reserve(paths.size());
    for (const QString& path : paths) {
        if (progress && !progress(rows.size(), paths.size(), path)) break;
        const QString name = QFileInfo(path).fileName();
        QString error;
        if (const std::optional<Calculation> c = readFile(path, &error)) {
            rows << scheduleRow(name, *c, tables);
        } else {
            ScheduleRow row;
            row.fileName = name;
            row.verdict = error;
            rows << row;
        }
        if (made) made(rows.constLast());
    }
    return rows;
}

std::optional<ScheduleFormat> scheduleFormat(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"xlsx"_s) return ScheduleFormat::Xlsx;
    if (suffix == u"csv"_s) return ScheduleFormat::Csv;
    return std::nullopt;
}

QByteArray scheduleCsv(const QList<ScheduleRow>& rows) {
    // Line by line into the UTF-8 bytes: the whole text is never held twice.
    QByteArray bytes("\xEF\xBB\xBF");
    QString text;
    const auto line = [&](const QList<Cell>& cells) {
        text.clear();
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0) text += u';';
            text += csvField(cells[i]);
        }
        text += u"\r\n"_s;
        bytes += text.toUtf8();
    };
    QList<Cell> header;
    for (const QString& h : scheduleHeader()) header << textCell(h);
    line(header);
    for (const ScheduleRow& row : rows) line(cellsOf(row));
    return bytes;
}

namespace {

// The paper of the printed schedule: A4 when its columns fitted to one page wide keep two thirds of
// their size or more, else A3. A column of width w characters is 7w + 5 pixels at 96 dpi; a
// landscape page between the default margins (0,7") is 987 pixels wide on A4.
XlsxPaper paperFor(const QList<double>& widths) {
    constexpr double kA4Pixels = 987.0;
    double pixels = 0;
    for (const double w : widths) pixels += 7.0 * w + 5.0;
    return pixels <= kA4Pixels * 3.0 / 2.0 ? XlsxPaper::A4 : XlsxPaper::A3;
}

// "Ведомость ригелей жестких поперечин", with the object when every file read names the same one.
QString scheduleTitle(const QList<ScheduleRow>& rows) {
    QString object;
    bool same = true;
    for (const ScheduleRow& row : rows) {
        if (!row.read) continue;
        if (object.isNull()) object = row.object.object;
        same = same && row.object.object == object;
    }
    QString title = u"Ведомость ригелей жестких поперечин"_s;
    if (same && !object.trimmed().isEmpty()) title += u": "_s + object.trimmed();
    return title;
}

}  // namespace

std::optional<QByteArray> scheduleXlsx(const QList<ScheduleRow>& rows, QString* why) {
    XlsxBook book;
    book.sheetName = u"Ведомость"_s;
    book.title = scheduleTitle(rows);
    book.header = scheduleHeader();
    const int verdict = verdictColumn();
    const int grade = gradeColumn();
    const int firstMoment = grade - 6;
    const auto xlsxRow = [&](qsizetype r) {
        const ScheduleRow& row = rows[r];
        const QList<Cell> cells = cellsOf(row);
        QList<XlsxCell> out;
        out.reserve(cells.size());
        for (int c = 0; c < cells.size(); ++c) {
            const Cell& cell = cells[c];
            XlsxStyle style = XlsxStyle::Plain;
            if (cell.percent)
                style = XlsxStyle::Percent;
            else if (cell.number && c >= firstMoment && c < grade)
                style = XlsxStyle::Moment;
            else if ((c == verdict && !row.read) || (c == grade && row.read && row.grade.isEmpty()))
                style = XlsxStyle::Warning;
            out << XlsxCell{cell.text, cell.number, style};
        }
        return out;
    };
    book.rowCount = rows.size();
    book.row = xlsxRow;
    // The widths: each column's longest text, over every row, before any is written.
    QList<qsizetype> longest(book.header.size(), 0);
    for (const ScheduleRow& row : rows) {
        const QList<Cell> cells = cellsOf(row);
        for (int c = 0; c < cells.size() && c < longest.size(); ++c)
            longest[c] = std::max(longest[c], cells[c].text.size());
    }
    double headerLines = 1;
    for (int c = 0; c < book.header.size(); ++c) {
        const auto [width, lines] = columnWidth(book.header[c], longest[c]);
        headerLines = std::max(headerLines, lines);
        book.widths << width;
    }
    book.headerHeight = 15.0 * headerLines;
    book.paper = paperFor(book.widths);
    return writeXlsxBook(book, why);
}

bool writeSchedule(const QString& path, const QList<ScheduleRow>& rows, QString* error) {
    const QFileInfo info(path);
    const bool existed = info.exists();
    const auto fail = [&](const QString& why) {
        if (error)
            *error = u"Не удалось записать ведомость «%1»: %2. %3"_s.arg(
                info.fileName(), why, messages::fileKept(existed));
        return false;
    };
    const std::optional<ScheduleFormat> format = scheduleFormat(path);
    if (!format) return fail(u"ведомость записывается в файл .xlsx или .csv"_s);
    if (const QString what = describeNonRegular(path); !what.isEmpty())
        return fail(what + u"; записывается только обычный файл"_s);
    QByteArray bytes;
    if (*format == ScheduleFormat::Csv) {
        bytes = scheduleCsv(rows);
    } else {
        QString why;
        std::optional<QByteArray> book = scheduleXlsx(rows, &why);
        if (!book) return fail(why);
        bytes = std::move(*book);
    }
    QString why;
    if (!writeFileAtomically(path, bytes, &why)) return fail(why);
    return true;
}

}  // namespace vardo::document
