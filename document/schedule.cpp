#include "document/schedule.h"

#include <xlsxwriter.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>

#include "core/catalogue.h"
#include "core/clocale.h"
#include "core/messages.h"
#include "core/numbertext.h"
#include "core/safefile.h"
#include "document/gradeselection.h"
#include "document/recompute.h"

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

// An xlsx cell holds at most 32767 characters.
QByteArray xlsxText(const QString& text) {
    constexpr qsizetype kMaxCellText = 32767;
    if (text.size() <= kMaxCellText) return text.toUtf8();
    QString t = text.left(kMaxCellText - 1);
    if (t.back().isHighSurrogate()) t.chop(1);
    return (t + u"…"_s).toUtf8();
}

// The width of a column in characters: its longest text, or the longest word of its header (the
// header wraps), within limits.
std::array<double, 2> columnWidth(const QString& header, const QList<QList<Cell>>& rows, int c) {
    qsizetype longest = 0;
    for (const QString& word : header.split(u' ', Qt::SkipEmptyParts))
        longest = std::max(longest, word.size());
    for (const QList<Cell>& row : rows) longest = std::max(longest, row.value(c).text.size());
    const double width = std::clamp(static_cast<double>(longest) + 2.0, 6.0, 60.0);
    // The header's lines at that width.
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
    const CrossbeamCheck check = checkEveryGrade(c, again.results, allowable, tables.crossbeam);
    row.verdict = verdictText(check, c, allowable, allowableWorkbookName(c), allowableError);
    for (const Remark& r : remarks(c, again.results, check, tables.crossbeam, tables.mfs))
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
                                const ScheduleProgress& progress) {
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
    QString text;
    const auto line = [&text](const QList<Cell>& cells) {
        for (qsizetype i = 0; i < cells.size(); ++i)
            text += (i > 0 ? u";"_s : QString()) + csvField(cells[i]);
        text += u"\r\n"_s;
    };
    QList<Cell> header;
    for (const QString& h : scheduleHeader()) header << textCell(h);
    line(header);
    for (const ScheduleRow& row : rows) line(cellsOf(row));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

namespace {

// The working directory is folder while this lives, then the one before again.
class InFolder {
  public:
    explicit InFolder(const QString& folder)
        : previous_(QDir::currentPath()), entered_(QDir::setCurrent(folder)) {}
    ~InFolder() {
        if (entered_ && !previous_.isEmpty()) QDir::setCurrent(previous_);
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    bool entered() const { return entered_; }

  private:
    QString previous_;
    bool entered_;
};

}  // namespace

std::optional<QByteArray> scheduleXlsx(const QList<ScheduleRow>& rows, QString* why) {
    const auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return std::nullopt;
    };
    // The library writes to a file of its own: one in a private folder, read back whole. It is
    // given only names relative to that folder, made of Latin letters: its Windows build opens
    // files through the ANSI code page, where a Cyrillic folder name (a user's temporary folder
    // under C:\Users\Инженер) cannot be written.
    QTemporaryDir dir;
    if (!dir.isValid()) return fail(u"не удалось создать временную папку"_s);
    const QString path = dir.filePath(u"schedule.xlsx"_s);
    const InFolder inside(dir.path());
    if (!inside.entered()) return fail(u"не удалось перейти во временную папку"_s);
    char here[] = ".";
    // libxlsxwriter writes every number (cells, widths, heights) with snprintf, in the C
    // library's locale: under a decimal comma a spreadsheet would read 19,0253 as 19. This
    // thread writes the workbook in the C form whatever locale the calling program chose.
    const CNumericLocaleGuard cNumbers;
    if (!cNumbers.ok()) return fail(u"не хватает памяти"_s);
    lxw_workbook_options options{};
    options.tmpdir = here;
    lxw_workbook* book = workbook_new_opt("schedule.xlsx", &options);
    if (!book) return fail(u"не хватает памяти"_s);

    const QStringList header = scheduleHeader();
    QList<QList<Cell>> cells;
    cells.reserve(rows.size());
    for (const ScheduleRow& row : rows) cells << cellsOf(row);

    lxw_worksheet* sheet = workbook_add_worksheet(book, "Ведомость");
    lxw_format* head = workbook_add_format(book);
    format_set_bold(head);
    format_set_text_wrap(head);
    format_set_align(head, LXW_ALIGN_VERTICAL_TOP);
    format_set_bg_color(head, 0xEEEEEE);
    format_set_border(head, LXW_BORDER_THIN);
    lxw_format* percent = workbook_add_format(book);
    format_set_num_format(percent, "0.0");
    lxw_format* warning = workbook_add_format(book);
    format_set_font_color(warning, 0xB00000);

    lxw_error failed = LXW_NO_ERROR;
    const auto check = [&failed](lxw_error e) {
        if (failed == LXW_NO_ERROR) failed = e;
    };
    double headerLines = 1;
    for (int c = 0; c < header.size(); ++c) {
        check(worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c),
                                     xlsxText(header[c]).constData(), head));
        const auto [width, lines] = columnWidth(header[c], cells, c);
        headerLines = std::max(headerLines, lines);
        check(worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                   width, nullptr));
    }
    check(worksheet_set_row(sheet, 0, 15.0 * headerLines, nullptr));
    for (qsizetype r = 0; r < cells.size(); ++r) {
        const auto at = static_cast<lxw_row_t>(r + 1);
        for (int c = 0; c < cells[r].size(); ++c) {
            const Cell& cell = cells[r][c];
            const auto col = static_cast<lxw_col_t>(c);
            const bool marked = (c == verdictColumn() && !rows[r].read) ||
                                (c == gradeColumn() && rows[r].read && rows[r].grade.isEmpty());
            if (cell.number)
                check(worksheet_write_number(sheet, at, col, *cell.number,
                                             cell.percent ? percent : nullptr));
            else if (!cell.text.isEmpty())
                check(worksheet_write_string(sheet, at, col, xlsxText(cell.text).constData(),
                                             marked ? warning : nullptr));
        }
    }
    worksheet_freeze_panes(sheet, 1, 0);
    check(worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(cells.size()),
                               static_cast<lxw_col_t>(header.size() - 1)));
    // Closing writes the file and frees the workbook, whatever failed before.
    const lxw_error closed = workbook_close(book);
    if (failed != LXW_NO_ERROR)
        return fail(u"ячейку не удалось записать (ошибка libxlsxwriter %1)"_s.arg(int(failed)));
    if (closed != LXW_NO_ERROR)
        return fail(
            closed == LXW_ERROR_CREATING_XLSX_FILE || closed == LXW_ERROR_CREATING_TMPFILE
                ? u"во временной папке не удалось записать файл (нет места?)"_s
                : u"книгу не удалось составить (ошибка libxlsxwriter %1)"_s.arg(int(closed)));
    FileRead read = readRegularFile(path, qint64(1) << 31);
    if (!read.ok()) return fail(u"временный файл книги не прочитан: "_s + read.reason);
    return std::move(read.bytes);
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
