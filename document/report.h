#pragma once
// The report of one calculation: a PDF of A4 pages, laid out once as a QTextDocument.
//
//   ReportInput (calculation, results, allowable-moment table)
//     --checkEveryGrade, remarks (gradeselection.h)--> CrossbeamCheck and the verdict's caveats
//     --reportHtml (reportcontent.h) + the diagram as a text object (diagram.h)--> QTextDocument
//     laid out at 300 dpi on A4
//     (header rows of a table repeat on every page it spans; a heading never ends a page)
//     --paintPage--> QPdfWriter pages (in memory, then writeFileAtomically) or a QImage of one page
//
// Both the PDF and the page images are painted by paintPage, so a picture of a page shows what the
// PDF holds.

#include <QImage>
#include <QString>
#include <memory>

#include "document/reportcontent.h"

class QPagedPaintDevice;
class QPainter;
class QTextDocument;

namespace vardo::document {

class Report {
  public:
    // How the document is laid out: once, or (the way it was, kept as the reference that the
    // page test compares with and the yardstick of report_bench) again after every change.
    enum class Layout { Once, AfterEveryEdit };

    explicit Report(ReportInput input, Layout layout = Layout::Once);
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
    // Paints the pages on device (the PDF's writer, a printer) as the PDF has them; false when the
    // device could not be painted on. The device should have 300 dpi and an A4 page.
    bool paintPages(QPagedPaintDevice& device) const;
    // Writes the PDF; the old file, if any, stays until the new one is complete.
    bool writePdf(const QString& path, QString* error) const;
    // The page as a picture at dpi dots per inch, white background.
    QImage pageImage(int page, int dpi = 150) const;

    static constexpr int kDpi = 300;

  private:
    void keepHeadingsWithTheirContent(Layout layout);
    bool keepFirstPageAboveTitleBlock();
    // The frame of the sheet and its title block (the first page) or stamp (the others).
    void paintTitleBlock(QPainter& painter, int page) const;

    ReportInput input_;
    CrossbeamCheck check_;
    QList<Remark> remarks_;
    std::unique_ptr<QImage> layoutDevice_;
    std::unique_ptr<QObject> diagram_;
    std::unique_ptr<QTextDocument> document_;
};

}  // namespace vardo::document
