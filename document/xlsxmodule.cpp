// The module vardo_xlsx: an XlsxBook written with libxlsxwriter (see xlsxbook.h). On Windows the
// same code is linked into the programs (VARDO_XLSX_LINKED).
#include <xlsxwriter.h>
#include <QDir>
#include <QTemporaryDir>

#include "core/clocale.h"
#include "core/safefile.h"
#include "document/xlsxbook.h"

#ifdef VARDO_XLSX_LINKED
#define VARDO_XLSX_EXPORT
#else
#define VARDO_XLSX_EXPORT Q_DECL_EXPORT
#endif

using namespace Qt::Literals::StringLiterals;
using vardo::document::XlsxBook;
using vardo::document::XlsxCell;
using vardo::document::XlsxStyle;

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

// An xlsx cell holds at most 32767 characters.
QByteArray xlsxText(const QString& text) {
    constexpr qsizetype kMaxCellText = 32767;
    if (text.size() <= kMaxCellText) return text.toUtf8();
    QString t = text.left(kMaxCellText - 1);
    if (t.back().isHighSurrogate()) t.chop(1);
    return (t + u"…"_s).toUtf8();
}

// Paper sizes of the page setup.
constexpr uint8_t kPaperA4 = 9;
constexpr uint8_t kPaperA3 = 8;

std::optional<QByteArray> write(const XlsxBook& book, QString* why) {
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
    const vardo::CNumericLocaleGuard cNumbers;
    if (!cNumbers.ok()) return fail(u"не хватает памяти"_s);
    lxw_workbook_options options{};
    options.tmpdir = here;
    // Each row goes to the temporary file as soon as the next one is begun, its texts inline:
    // the memory a workbook takes does not grow with its rows.
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt("schedule.xlsx", &options);
    if (!workbook) return fail(u"не хватает памяти"_s);

    lxw_worksheet* sheet = workbook_add_worksheet(workbook, xlsxText(book.sheetName).constData());
    lxw_format* title = workbook_add_format(workbook);
    format_set_bold(title);
    format_set_font_size(title, 14);
    lxw_format* head = workbook_add_format(workbook);
    format_set_bold(head);
    format_set_text_wrap(head);
    format_set_align(head, LXW_ALIGN_VERTICAL_TOP);
    format_set_bg_color(head, 0xEEEEEE);
    format_set_border(head, LXW_BORDER_THIN);
    lxw_format* moment = workbook_add_format(workbook);
    format_set_num_format(moment, "0.0000");
    lxw_format* percent = workbook_add_format(workbook);
    format_set_num_format(percent, "0.0");
    lxw_format* warning = workbook_add_format(workbook);
    format_set_font_color(warning, 0xB00000);
    const auto formatOf = [&](XlsxStyle style) -> lxw_format* {
        switch (style) {
            case XlsxStyle::Moment:
                return moment;
            case XlsxStyle::Percent:
                return percent;
            case XlsxStyle::Warning:
                return warning;
            case XlsxStyle::Plain:
                break;
        }
        return nullptr;
    };

    lxw_error failed = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    const auto check = [&failed](lxw_error e) {
        if (failed == LXW_NO_ERROR) failed = e;
    };
    constexpr lxw_row_t kTitleRow = 0;
    constexpr lxw_row_t kHeaderRow = 1;
    const auto lastColumn = static_cast<lxw_col_t>(std::max<qsizetype>(book.header.size(), 1) - 1);
    if (sheet) {
        check(worksheet_write_string(sheet, kTitleRow, 0, xlsxText(book.title).constData(), title));
        check(worksheet_set_row(sheet, kTitleRow, 21.0, nullptr));
        for (int c = 0; c < book.header.size(); ++c) {
            const auto col = static_cast<lxw_col_t>(c);
            check(worksheet_write_string(sheet, kHeaderRow, col,
                                         xlsxText(book.header[c]).constData(), head));
            check(worksheet_set_column(sheet, col, col, book.widths.value(c, 10.0), nullptr));
        }
        check(worksheet_set_row(sheet, kHeaderRow, book.headerHeight, nullptr));
        for (qsizetype r = 0; r < book.rowCount; ++r) {
            const auto at = static_cast<lxw_row_t>(kHeaderRow + 1 + r);
            const QList<XlsxCell> cells = book.row(r);
            for (int c = 0; c < cells.size(); ++c) {
                const XlsxCell& cell = cells[c];
                const auto col = static_cast<lxw_col_t>(c);
                if (cell.number)
                    check(
                        worksheet_write_number(sheet, at, col, *cell.number, formatOf(cell.style)));
                else if (!cell.text.isEmpty())
                    check(worksheet_write_string(sheet, at, col, xlsxText(cell.text).constData(),
                                                 formatOf(cell.style)));
            }
        }
        // On screen: the header stays while the rows scroll, and filters every column. On paper:
        // landscape, one page wide (as many pages long as it takes), the header on every page,
        // the sheet's number at the foot.
        worksheet_freeze_panes(sheet, kHeaderRow + 1, 0);
        check(worksheet_autofilter(sheet, kHeaderRow, 0,
                                   static_cast<lxw_row_t>(kHeaderRow + book.rowCount), lastColumn));
        worksheet_set_landscape(sheet);
        worksheet_set_paper(sheet,
                            book.paper == vardo::document::XlsxPaper::A3 ? kPaperA3 : kPaperA4);
        worksheet_fit_to_pages(sheet, 1, 0);
        check(worksheet_repeat_rows(sheet, kHeaderRow, kHeaderRow));
        check(worksheet_set_footer(sheet, "&CЛист &P из &N"));
    }
    // Closing writes the file and frees the workbook, whatever failed before.
    const lxw_error closed = workbook_close(workbook);
    if (failed != LXW_NO_ERROR)
        return fail(u"ячейку не удалось записать (ошибка libxlsxwriter %1)"_s.arg(int(failed)));
    if (closed != LXW_NO_ERROR)
        return fail(
            closed == LXW_ERROR_CREATING_XLSX_FILE || closed == LXW_ERROR_CREATING_TMPFILE
                ? u"во временной папке не удалось записать файл (нет места?)"_s
                : u"книгу не удалось составить (ошибка libxlsxwriter %1)"_s.arg(int(closed)));
    vardo::FileRead read = vardo::readRegularFile(path, qint64(1) << 31);
    if (!read.ok()) return fail(u"временный файл книги не прочитан: "_s + read.reason);
    return std::move(read.bytes);
}

}  // namespace

extern "C" {

VARDO_XLSX_EXPORT int vardo_xlsx_interface() {
    return vardo::document::kXlsxInterface;
}

VARDO_XLSX_EXPORT bool vardo_xlsx_write(const XlsxBook* book, QByteArray* bytes, QString* why) {
    std::optional<QByteArray> written = write(*book, why);
    if (!written) return false;
    *bytes = std::move(*written);
    return true;
}
}
