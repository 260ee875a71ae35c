#pragma once
// The report of one calculation: a PDF of A4 pages, laid out once as a QTextDocument.
//
//   ReportInput (calculation, results, allowable-moment table)
//     --checkCrossbeams--> CrossbeamCheck
//     --HTML + the diagram as a text object (diagram.h)--> QTextDocument laid out at 300 dpi on A4
//     (header rows of a table repeat on every page it spans; a heading never ends a page)
//     --paintPage--> QPdfWriter pages (in memory, then writeFileAtomically) or a QImage of one page
//
// Both the PDF and the page images are painted by paintPage, so a picture of a page shows what the
// PDF holds. The report has: title, date, the calculation file, the inputs, the diagram, every
// result ("не вычислено" where a result was not computed, never 0), the check of every grade of
// the series in use with colour bands and a mark on the first grade that passes, and the workbooks
// and rows the reference values came from.

#include <QDateTime>
#include <QImage>
#include <QMap>
#include <QString>
#include <memory>

#include "core/catalogue.h"
#include "document/calculation.h"
#include "document/crossbeamcheck.h"
#include "document/graderows.h"
#include "document/gradeselection.h"
#include "document/recompute.h"
#include "tables/workbook.h"

class QPainter;
class QTextDocument;

namespace vardo::document {

struct ReportInput {
    Calculation calculation;
    Results results;  // what the report presents as the results
    // For a result, another value to name beside it when it differs (the saved text when the
    // results were recomputed, the recomputed one when they are the window's).
    QMap<QString, QString> comparison;
    QString comparisonCaption;  // "в файле", "по текущим исходным данным"
    // The larger of the left and right values at 1/3 (1/4), to name when Text21/Text22 differ.
    QString governingG, governingGice;
    QString fileName;  // the calculation file, empty when it was never saved
    QDateTime date;
    tables::Table allowable;    // the allowable-moment table of the series in use
    QString allowableWorkbook;  // its bare file name
    QString allowableError;     // why it could not be read; empty when it was
    // The crossbeam's own rows of every grade come from these (Data1, Data5, Data3); a table that
    // could not be read is empty, and its grades are then not checked.
    CrossbeamTables crossbeamTables;
    tables::Table mfsTable;  // т38.1.xls (Data6): which row the Мфс values came from
};

// The series the calculation's "П/ОП" chooses in `table`, its name ("П", "ОП") and the data
// source of its allowable moments (Data7, Data8).
const catalogue::Series& series(const Calculation& calculation,
                                std::span<const catalogue::Series> table = catalogue::kSeries);
QString seriesName(const Calculation& calculation);
QString allowableSource(const Calculation& calculation);
// The ice thickness chosen: 0 .. 3 for b = 5, 10, 15, 20 mm, -1 when none is.
int iceColumn(const Calculation& calculation);
// The bare names of the workbooks the report reads: the allowable moments of the calculation's
// series, the crossbeam's own rows, the Мфс table.
QString allowableWorkbookName(const Calculation& calculation);
inline constexpr const char16_t* kWeightWorkbook = catalogue::kWorkbookWeight;
inline constexpr const char16_t* kIceWorkbook = catalogue::kWorkbookIce;
inline constexpr const char16_t* kWindWorkbook = catalogue::kWorkbookWind;
inline constexpr const char16_t* kMfsWorkbook = catalogue::kWorkbookMfs;

// The crossbeam check of the report, without the report, is checkEveryGrade (gradeselection.h):
// the report, the schedule of crossbeams (schedule.h) and the window "Подбор ригеля" check with it.
// One line: the grade chosen, or why none is. allowableError: why the allowable-moment table
// could not be read (empty when it was).
QString verdictText(const CrossbeamCheck& check, const Calculation& calculation,
                    const tables::Table& allowable, const QString& allowableWorkbook,
                    const QString& allowableError);

// Limits that keep a report of hostile or huge input readable and quick: a field's text in a
// table is shown up to kMaxShownText characters; a text of the title block (the object data and
// the calculation file's name) up to kMaxTitleText and a name or the date in the narrow columns
// of the signatures up to kMaxSignatureText, wrapped over as many lines as it takes (at most
// about 25 lines, so that even the longest stays on one page); the rest is named, not printed.
// The check table shows up to kMaxShownGrades grades (the first passing grade always among them).
inline constexpr int kMaxShownText = 60;
inline constexpr int kMaxTitleText = 2000;
inline constexpr int kMaxSignatureText = 200;
inline constexpr int kMaxShownGrades = 60;

class Report {
  public:
    explicit Report(ReportInput input);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    const ReportInput& input() const { return input_; }
    const CrossbeamCheck& check() const { return check_; }
    // The caveats of the verdict, as the report prints them under it.
    const QList<Remark>& remarks() const { return remarks_; }
    // One line: the grade chosen, or why none is.
    QString verdict() const;
    // The whole text, for reading it without a PDF viewer.
    QString plainText() const;

    int pageCount() const;
    // Paints page (0-based) on a painter whose device has 300 dpi and an A4 page.
    void paintPage(QPainter& painter, int page) const;
    // Writes the PDF; the old file, if any, stays until the new one is complete.
    bool writePdf(const QString& path, QString* error) const;
    // The page as a picture at dpi dots per inch, white background.
    QImage pageImage(int page, int dpi = 150) const;

    static constexpr int kDpi = 300;

  private:
    QString html() const;
    QString checkTable(const QString& section) const;
    QString gradeMomentsTable(const QString& section) const;
    QString sheetRowsNote() const;
    QString mfsNote() const;
    bool isShown(int grade) const;
    void keepHeadingsWithTheirContent();

    ReportInput input_;
    CrossbeamCheck check_;
    QList<Remark> remarks_;
    std::unique_ptr<QImage> layoutDevice_;
    std::unique_ptr<QObject> diagram_;
    std::unique_ptr<QTextDocument> document_;
};

}  // namespace vardo::document
