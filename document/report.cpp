#include "document/report.h"
#include "core/catalogue.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextObjectInterface>
#include <QTextTable>
#include <QtMath>

#include "core/numbertext.h"
#include "core/safefile.h"
#include "core/version.h"
#include "core/visibletext.h"
#include "document/diagram.h"
#include "document/gradeselection.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kUnitsPerMm = Report::kDpi / 25.4;
constexpr int kDiagramObject = QTextFormat::UserObject + 1;
// The grey of the header rows in the report's content.
const QColor kHeaderBackground(0xee, 0xee, 0xee);

const QSizeF kPage = QPageSize(QPageSize::A4).size(QPageSize::Millimeter) * kUnitsPerMm;
// The sheet's frame (20 mm at the binding, 5 mm elsewhere) holds the title block at its foot: the
// main one, 40 mm high, on the first page, a stamp of 15 mm with the sheet number on the others.
constexpr double kFrameLeftMm = 20.0;
constexpr double kFrameMm = 5.0;
constexpr double kTitleBlockWidthMm = 185.0;
constexpr double kFirstTitleBlockMm = 40.0;
constexpr double kStampMm = 15.0;
constexpr double kMarginMm = 12.0;  // the text's top margin
constexpr double kLeftMarginMm = kFrameLeftMm + 5.0;
constexpr double kRightMarginMm = kFrameMm + 5.0;
constexpr double kBottomMarginMm = kFrameMm + kStampMm + 5.0;
constexpr double kFirstPageBottomMm = kFrameMm + kFirstTitleBlockMm + 5.0;

QFont reportFont(double pointSize) {
    QFont font;
    font.setFamilies({u"Liberation Sans"_s, u"DejaVu Sans"_s, u"Arial"_s});
    font.setPointSizeF(pointSize);
    return font;
}

// The suspension-point diagram as an object in the text, drawn with the painter of the page.
class DiagramObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

  public:
    DiagramObject(DiagramModel model, QSizeF size) : model_(std::move(model)), size_(size) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat&) override { return size_; }
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat&) override {
        paintDiagram(*painter, rect, model_, kUnitsPerMm);
    }

  private:
    DiagramModel model_;
    QSizeF size_;
};

// The page a point of the laid-out document lies on.
int pageAt(double y) {
    return static_cast<int>(y / kPage.height());
}

// The rows of a table with the grey background of a header row, from the top.
int headerRowsOf(QTextTable* table) {
    int rows = 0;
    while (rows < table->rows() &&
           table->cellAt(rows, 0).format().background().color() == kHeaderBackground)
        ++rows;
    return rows;
}

}  // namespace

Report::Report(ReportInput input, Layout layout) : input_(std::move(input)) {
    // Every grade with its own gр, gрг, Pp; the suspension loads and Мфс are the report's.
    const Calculation& c = input_.calculation;
    const EndLoads ends = endLoads(c, input_.results);
    check_ = checkEveryGrade(c, input_.results, input_.allowable, input_.crossbeamTables,
                             catalogue::kSeries, &ends);
    remarks_ = document::remarks(c, input_.results, check_, input_.crossbeamTables, input_.mfsTable,
                                 nullptr, &ends);

    // Laid out for a 300 dpi page; the same device resolution is used to paint.
    layoutDevice_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(kDpi / 0.0254);
    layoutDevice_->setDotsPerMeterX(dotsPerMetre);
    layoutDevice_->setDotsPerMeterY(dotsPerMetre);

    document_ = std::make_unique<QTextDocument>();
    // Put together with the layout off: laid out as it is built, the document would be laid out
    // again for each change after the HTML (the margins, the diagram, each table's header rows),
    // a whole layout each. It is laid out once, when the layout is switched back on.
    if (layout == Layout::Once) document_->setLayoutEnabled(false);
    document_->documentLayout()->setPaintDevice(layoutDevice_.get());
    document_->setDefaultFont(reportFont(9));
    document_->setPageSize(kPage);
    // A word longer than its line (a long file name, a text without blanks) breaks where the line
    // ends instead of pushing its table off the page.
    QTextOption wrap = document_->defaultTextOption();
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document_->setDefaultTextOption(wrap);
    const DiagramModel model = diagramModel(c);
    const QSizeF size((kPage.width() - (kLeftMarginMm + kRightMarginMm) * kUnitsPerMm) * 0.98,
                      diagramHeightMm(model) * kUnitsPerMm);
    diagram_ = std::make_unique<DiagramObject>(model, size);
    document_->documentLayout()->registerHandler(kDiagramObject, diagram_.get());
    document_->setHtml(reportHtml(input_, check_, remarks_));
    // Lengths in text formats are pixels of 96 dpi, which the layout scales to its device.
    constexpr double kFormatUnitsPerMm = 96.0 / 25.4;
    QTextFrameFormat frame = document_->rootFrame()->frameFormat();
    frame.setLeftMargin(kLeftMarginMm * kFormatUnitsPerMm);
    frame.setRightMargin(kRightMarginMm * kFormatUnitsPerMm);
    frame.setTopMargin(kMarginMm * kFormatUnitsPerMm);
    frame.setBottomMargin(kBottomMarginMm * kFormatUnitsPerMm);
    document_->rootFrame()->setFrameFormat(frame);

    // The diagram takes the place of its mark (the only one: user text cannot hold it).
    QTextCursor mark = document_->find(QString(QChar(kDiagramMark)));
    if (!mark.isNull()) {
        QTextCharFormat object;
        object.setObjectType(kDiagramObject);
        mark.insertText(QString(QChar::ObjectReplacementCharacter), object);
    }
    // The header rows of every table repeat on each page it spans.
    for (QTextFrame* child : document_->rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            const int headerRows = headerRowsOf(table);
            format.setHeaderRowCount(headerRows);
            table->setFormat(format);
            // A column header keeps its lines as written (the content breaks them where they may
            // break): squeezed, a column would otherwise split a word of its header.
            for (int r = 0; r < headerRows; ++r)
                for (int col = 0; col < table->columns(); ++col) {
                    const QTextTableCell cell = table->cellAt(r, col);
                    if (cell.row() != r || cell.column() != col) continue;  // spanned
                    QTextCursor cursor = cell.firstCursorPosition();
                    cursor.setPosition(cell.lastCursorPosition().position(),
                                       QTextCursor::KeepAnchor);
                    QTextBlockFormat unbroken;
                    unbroken.setNonBreakableLines(true);
                    cursor.mergeBlockFormat(unbroken);
                }
        }
    keepHeadingsWithTheirContent(layout);
}

Report::~Report() = default;

void Report::keepHeadingsWithTheirContent(Layout layout) {
    // Laid out once, whole: after a heading is moved, Qt lays out again only the heading and moves
    // the lines of what follows it to their new places, and a line not laid out yet would be lost.
    // The way it was laid out before, kept to compare with: the whole document again after every
    // change.
    const auto relayout = [this] {
        document_->markContentsDirty(0, document_->characterCount());
        document_->pageCount();
    };
    if (layout == Layout::Once) {
        document_->setLayoutEnabled(true);
        document_->pageCount();
        // Moving what reaches into the title block lays out again only what follows it.
        if (keepFirstPageAboveTitleBlock()) document_->pageCount();
    } else {
        relayout();
        if (keepFirstPageAboveTitleBlock()) relayout();
    }
    QAbstractTextDocumentLayout* documentLayout = document_->documentLayout();
    // A heading (a section title, or the caption of a table) must stand on the page of
    // what follows it: its table's first row below the header rows, or its first paragraph. A
    // heading that would end a page starts the next one. Moving a heading changes nothing above
    // it, so each is decided once, in the order of the text, and what is laid out again is only
    // what follows it.
    for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0) continue;
        const QRectF heading = documentLayout->blockBoundingRect(block);
        // What follows: the first body row of a table right after it, else the next block.
        double followsBottom = heading.bottom();
        // Headings in a row ("3. Результаты" and the caption of its first table) go together.
        QTextCursor after(block);
        do {
            after.movePosition(QTextCursor::NextBlock);
        } while (!after.atEnd() && !after.currentTable() &&
                 after.block().blockFormat().headingLevel() > 0);
        if (QTextTable* table = after.currentTable()) {
            // A short table stays whole with its heading; a long one keeps its first row.
            constexpr int kShortTableRows = 10;
            const int row = table->rows() <= kShortTableRows
                                ? table->rows() - 1
                                : std::min(table->format().headerRowCount(), table->rows() - 1);
            followsBottom =
                documentLayout
                    ->blockBoundingRect(table->cellAt(row, 0).firstCursorPosition().block())
                    .bottom();
        } else if (after.block().isValid() && after.block() != block) {
            followsBottom = documentLayout->blockBoundingRect(after.block()).bottom();
        }
        if (pageAt(heading.top()) != pageAt(followsBottom) &&
            block.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_Auto) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
            if (layout == Layout::AfterEveryEdit) relayout();
        }
    }
}

bool Report::keepFirstPageAboveTitleBlock() {
    // The first page ends above its title block, which is taller than the stamp the bottom margin
    // leaves room for: the first block or table that reaches into it starts the second page.
    QAbstractTextDocumentLayout* layout = document_->documentLayout();
    const double limit = kPage.height() - kFirstPageBottomMm * kUnitsPerMm;
    bool first = true;
    QTextBlock heading;  // the first of the headings right before the current element
    for (QTextFrame::iterator it = document_->rootFrame()->begin(); !it.atEnd(); ++it) {
        QTextFrame* frame = it.currentFrame();
        const QRectF r =
            frame ? layout->frameBoundingRect(frame) : layout->blockBoundingRect(it.currentBlock());
        if (r.top() >= kPage.height()) return false;
        const bool crosses = r.bottom() > limit && !first;
        first = false;
        const bool isHeading = !frame && it.currentBlock().blockFormat().headingLevel() > 0;
        if (!crosses) {
            if (!isHeading)
                heading = QTextBlock();
            else if (!heading.isValid())
                heading = it.currentBlock();
            continue;
        }
        // Its headings go with it.
        if (heading.isValid()) {
            QTextBlockFormat format = heading.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(heading).setBlockFormat(format);
        } else if (frame) {
            QTextFrameFormat format = frame->frameFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            frame->setFrameFormat(format);
        } else {
            QTextBlockFormat format = it.currentBlock().blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(it.currentBlock()).setBlockFormat(format);
        }
        return true;
    }
    return false;
}

QString Report::verdict() const {
    return verdictText(check_, input_.calculation, input_.allowable, input_.allowableWorkbook,
                       input_.allowableError);
}

QString Report::plainText() const {
    return document_->toPlainText();
}

int Report::pageCount() const {
    return document_->pageCount();
}

void Report::paintPage(QPainter& painter, int page) const {
    painter.save();
    painter.translate(0, -page * kPage.height());
    document_->drawContents(&painter, QRectF(QPointF(0, page * kPage.height()), kPage));
    painter.restore();
    paintTitleBlock(painter, page);
}

void Report::paintTitleBlock(QPainter& painter, int page) const {
    // Places in millimetres: from the page's top left corner, then from the block's.
    const auto mm = [](double x) { return x * kUnitsPerMm; };
    const double pageW = kPage.width() / kUnitsPerMm, pageH = kPage.height() / kUnitsPerMm;
    const bool first = page == 0;
    const double height = first ? kFirstTitleBlockMm : kStampMm;
    const QPointF corner(pageW - kFrameMm - kTitleBlockWidthMm, pageH - kFrameMm - height);
    const auto line = [&](double x1, double y1, double x2, double y2) {
        painter.drawLine(QPointF(mm(corner.x() + x1), mm(corner.y() + y1)),
                         QPointF(mm(corner.x() + x2), mm(corner.y() + y2)));
    };
    // A text in a cell on one line, shortened with "…" where it does not fit; the characters that
    // would act unseen shown as marks, never read as markup.
    const auto text = [&](double x, double y, double w, double h, const QString& t,
                          double points = 7, Qt::Alignment align = Qt::AlignHCenter,
                          bool bold = false) {
        QFont font = reportFont(points);
        font.setBold(bold);
        painter.setFont(font);
        const QRectF box(mm(corner.x() + x + 0.5), mm(corner.y() + y), mm(w - 1.0), mm(h));
        const QFontMetricsF metrics(font, painter.device());
        QTextOption option(align | Qt::AlignVCenter);
        option.setTextDirection(Qt::LeftToRight);
        option.setWrapMode(QTextOption::NoWrap);
        painter.drawText(box, metrics.elidedText(markedText(t), Qt::ElideMiddle, box.width()),
                         option);
    };

    painter.save();
    // The line that names the report and the page comes first in the page's text, right after
    // what the document holds.
    const ObjectData& object = input_.calculation.object;
    const QString title = version::programTitle() + u" — отчет"_s;
    const QString number =
        u" — стр. "_s + QString::number(page + 1) + u" из "_s + QString::number(pageCount());
    {
        // A file name is shown as it is, never read as a pattern, with its unseen characters as
        // marks (a direction control would reverse the page number), and shortened in the middle
        // to leave the line's room to the page number.
        const QFont font = reportFont(7);
        painter.setFont(font);
        const QRectF line(mm(corner.x() + 65.8), mm(corner.y() + (first ? 7.5 : 0)),
                          mm((first ? 120 : 110) - 1.6), mm(7.5));
        QString name;
        if (!input_.fileName.isEmpty()) {
            const QFontMetricsF metrics(font, painter.device());
            const double room = line.width() - metrics.horizontalAdvance(title + u" «»"_s + number);
            name = u" «"_s +
                   metrics.elidedText(markedText(input_.fileName), Qt::ElideMiddle,
                                      std::max(room, 0.0)) +
                   u"»"_s;
        }
        QTextOption option(Qt::AlignCenter);
        option.setTextDirection(Qt::LeftToRight);
        option.setWrapMode(QTextOption::NoWrap);
        painter.drawText(line, title + name + number, option);
    }
    painter.setPen(QPen(Qt::black, mm(0.35)));
    painter.drawRect(QRectF(mm(kFrameLeftMm), mm(kFrameMm), mm(pageW - kFrameLeftMm - kFrameMm),
                            mm(pageH - 2 * kFrameMm)));
    line(0, 0, kTitleBlockWidthMm, 0);
    // The block of changes and signatures: Изм., Кол.уч., Лист, № док., Подп., Дата.
    const double columns[] = {0, 10, 20, 30, 40, 55, 65};
    const int rows = first ? 8 : 3;
    const int header = 2;  // the row of the column captions
    for (int r = 1; r < rows; ++r) line(0, 5.0 * r, 65, 5.0 * r);
    for (double x : columns) {
        // Below the captions of the first page the first two and the next two columns are one.
        const bool joined = first && (x == 10 || x == 30);
        line(x, 0, x, joined ? 5.0 * (header + 1) : height);
    }
    const QStringList captions = {u"Изм."_s,   u"Кол.уч."_s, u"Лист"_s,
                                  u"№ док."_s, u"Подп."_s,   u"Дата"_s};
    for (int c = 0; c < captions.size(); ++c)
        text(columns[c], 5.0 * header, columns[c + 1] - columns[c], 5, captions[c], 5.5);
    if (first) {
        // Names and the date from the object data; the rest left blank to be written by hand.
        const QString names[] = {object.designedBy, object.checkedBy, {}, {}, {}};
        const char16_t* roles[] = {u"Разраб.", u"Пров.", u"", u"Н. контр.", u"Утв."};
        for (int r = 0; r < 5; ++r) {
            const double y = 5.0 * (header + 1 + r);
            text(0, y, 20, 5, QString::fromUtf16(roles[r]), 6.5, Qt::AlignLeft);
            text(20, y, 20, 5, names[r].simplified(), 6.5, Qt::AlignLeft);
        }
        text(55, 5.0 * (header + 1), 10, 5, object.date.simplified(), 4.6);
        // Designation, the document's name, stage / sheet / sheets, the organisation.
        line(65, 15, 185, 15);
        line(135, 15, 135, 40);
        line(135, 20, 185, 20);
        line(135, 25, 185, 25);
        line(150, 15, 150, 25);
        line(165, 15, 165, 25);
        text(65, 0, 120, 7.5, object.object.simplified(), 8);
        text(65, 15, 70, 12.5, u"Расчет жесткой поперечины"_s, 9, Qt::AlignHCenter, true);
        text(65, 27.5, 70, 7, object.crossbeam.simplified(), 7);
        text(135, 15, 15, 5, u"Стадия"_s, 6);
        text(150, 15, 15, 5, u"Лист"_s, 6);
        text(165, 15, 20, 5, u"Листов"_s, 6);
        text(150, 20, 15, 5, QString::number(page + 1), 7);
        text(165, 20, 20, 5, QString::number(pageCount()), 7);
    } else {
        // The stamp: designation and the sheet number.
        line(175, 0, 175, 15);
        line(175, 7, 185, 7);
        text(175, 0, 10, 7, u"Лист"_s, 6);
        text(175, 7, 10, 8, QString::number(page + 1), 8);
        text(65, 7.5, 110, 7.5, object.object.simplified(), 7);
    }
    painter.restore();
}

bool Report::paintPages(QPagedPaintDevice& device) const {
    // The pages, one a device page, at 300 dpi on A4 (a device of another resolution or paper is
    // painted to scale). Only the pages the device asks for, when it asks for some (a printer's
    // "pages from ... to").
    const QPageRanges ranges = device.pageRanges();
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // Device pixels per pixel of the page, shrunk to fit a smaller paper (a pixel's rounding of
    // the A4 page aside).
    double scale = double(device.logicalDpiX()) / kDpi;
    if (device.width() + 1 < kPage.width() * scale || device.height() + 1 < kPage.height() * scale)
        scale = std::min(device.width() / kPage.width(), device.height() / kPage.height());
    if (scale != 1.0) painter.scale(scale, scale);
    bool first = true;
    for (int page = 0; page < pageCount(); ++page) {
        if (!ranges.isEmpty() && !ranges.contains(page + 1)) continue;
        if (!first && !device.newPage()) return false;
        first = false;
        paintPage(painter, page);
    }
    return painter.end();
}

bool Report::writePdf(const QString& path, QString* error) const {
    const auto fail = [&](const QString& why) {
        if (error)
            *error = u"Не удалось записать отчет «%1»: %2."_s.arg(QFileInfo(path).fileName(), why);
        return false;
    };
    // The whole PDF is made in memory first; the file is then written in one checked step, so a
    // full disk never leaves a report cut short under its name.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(u"Расчет жесткой поперечины"_s);
        writer.setCreator(version::programTitle());
        if (!paintPages(writer)) return fail(u"PDF не создается"_s);
    }
    QString why;
    const bool existed = QFileInfo::exists(path);
    if (!writeFileAtomically(path, pdf, &why))
        return fail(why + (existed ? u"; прежний файл не изменен"_s : u"; файл не записан"_s));
    return true;
}

QImage Report::pageImage(int page, int dpi) const {
    const double scale = static_cast<double>(dpi) / kDpi;
    QImage image(qCeil(kPage.width() * scale), qCeil(kPage.height() * scale), QImage::Format_RGB32);
    // The page's fonts are sized for 300 dpi; the painter scales the whole page down.
    image.setDotsPerMeterX(layoutDevice_->dotsPerMeterX());
    image.setDotsPerMeterY(layoutDevice_->dotsPerMeterY());
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    paintPage(painter, page);
    painter.end();
    return image;
}

}  // namespace vardo::document

#include "report.moc"
