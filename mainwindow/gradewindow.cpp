#include "mainwindow/gradewindow.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <optional>

#include "core/catalogue.h"
#include "core/numbertext.h"
#include "document/gradeselection.h"
#include "document/recompute.h"
#include "mainwindow/gradecelldelegate.h"
#include "mainwindow/livelabel.h"
#include "mainwindow/windowport.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

QColor bandColour(document::Band band) {
    switch (band) {
        case document::Band::UpTo90:
            return QColor(0xcd, 0xeb, 0xc5);
        case document::Band::UpTo100:
            return QColor(0xfb, 0xe7, 0xa1);
        case document::Band::Over100:
            return QColor(0xf4, 0xb6, 0xb6);
        case document::Band::Unknown:
            break;
    }
    return {};
}

const QString kAllowableNames[] = {u"F2, Мн нп среднего блока"_s, u"F3, Мр вп среднего блока"_s,
                                   u"F4, Мн нп крайнего блока"_s, u"F5, Мр вп крайнего блока"_s};

QTableWidgetItem* item(const QString& text) {
    auto* it = new QTableWidgetItem(text);
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return it;
}

}  // namespace

GradeWindow::GradeWindow(WindowPort& port, Click click, QWidget* parent)
    : QWidget(parent, Qt::Tool), port_(port), click_(std::move(click)) {
    setObjectName(u"GradeWindow"_s);
    setWindowTitle(u"Подбор ригеля"_s);
    heading_ = new LiveLabel(this);
    heading_->setObjectName(u"heading"_s);
    notice_ = new LiveLabel(this);
    notice_->setObjectName(u"notice"_s);
    notice_->setWordWrap(true);
    notice_->setStyleSheet(u"color: #a05000"_s);
    grades_ = new QTableWidget(this);
    grades_->setObjectName(u"grades"_s);
    grades_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grades_->setSelectionMode(QAbstractItemView::SingleSelection);
    grades_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grades_->setWordWrap(true);
    grades_->verticalHeader()->setVisible(false);
    grades_->horizontalHeader()->setStretchLastSection(true);
    grades_->setItemDelegate(new GradeCellDelegate(grades_));
    // The selected grade is tinted, its band colours still seen through.
    QPalette tint = grades_->palette();
    tint.setColor(QPalette::Highlight, QColor(40, 90, 200, 70));
    tint.setColor(QPalette::HighlightedText, tint.color(QPalette::Text));
    grades_->setPalette(tint);
    // Opaque, filled with the window's own colour: when the notice above changes its height,
    // the table is moved on screen as it is (its headers, frame, scrollbar), and only what
    // changed in it is painted again.
    grades_->setAutoFillBackground(true);
    // The reasons scroll on their own, so that a long list neither pushes the window off the
    // screen nor has the window laid out again when it changes; only the lines in sight are laid
    // out. They read as the window's text, and can be selected and copied.
    // Two editors take turns, one shown, the other kept aside with the text shown before it.
    for (QPlainTextEdit** editor : {&reasons_, &keptReasons_}) {
        auto* e = *editor = new QPlainTextEdit(this);
        e->setReadOnly(true);
        e->setUndoRedoEnabled(false);
        e->setFrameShape(QFrame::NoFrame);
        e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QPalette plain = e->palette();
        plain.setBrush(QPalette::Base, plain.brush(QPalette::Window));
        e->setPalette(plain);
        e->setMinimumHeight(3 * e->fontMetrics().lineSpacing() +
                            2 * static_cast<int>(e->document()->documentMargin()));
    }
    reasons_->setObjectName(u"reasons"_s);
    keptReasons_->setObjectName(u"keptReasons"_s);
    keptReasons_->hide();
    verdict_ = new LiveLabel(this);
    // They show names from the tables and files (a workbook's, a grade's): shown as typed, never
    // as markup.
    for (QLabel* label : {heading_, notice_, verdict_}) label->setTextFormat(Qt::PlainText);
    verdict_->setObjectName(u"verdict"_s);
    verdict_->setWordWrap(true);
    QFont bold = verdict_->font();
    bold.setBold(true);
    verdict_->setFont(bold);
    apply_ = new QPushButton(u"Применить"_s, this);
    apply_->setObjectName(u"apply"_s);
    apply_->setToolTip(
        u"Перевести строки таблиц gр, gрг, Pp и допускаемых моментов на выбранную марку, "
        u"взять из них gр, gрг, Pp и пересчитать шесть расчетных моментов"_s);
    auto* close = new QPushButton(u"Закрыть"_s, this);
    close->setObjectName(u"close"_s);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(notice_);
    layout->addWidget(grades_);
    // The room left over goes to the reasons when there are any, else below the verdict.
    layout->addWidget(reasons_, 1);
    layout->addWidget(keptReasons_, 1);
    layout->addWidget(verdict_);
    layout->addStretch(0);
    layout->addLayout(buttons);

    connect(apply_, &QPushButton::clicked, this, &GradeWindow::applySelected);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(grades_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { applyGrade(row); });
    connect(grades_, &QTableWidget::itemSelectionChanged, this,
            [this] { apply_->setEnabled(!grades_->selectedItems().isEmpty()); });
}

void GradeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (pending_) recheck();
}

void GradeWindow::refresh(const QStringList& staleResults) {
    stale_ = staleResults;
    // Hidden, it only remembers that the sheet changed.
    if (!isVisible()) {
        pending_ = true;
        return;
    }
    recheck();
}

void GradeWindow::showFor(const QWidget* mainWindow) {
    if (!isVisible()) {
        ensurePolished();
        // Filled before it is shown, so that it is placed with the size its grades take.
        if (pending_) recheck();
        const QScreen* screen = mainWindow->screen();
        if (!placed_ || !screen || !screen->availableGeometry().contains(frameGeometry()))
            place(mainWindow);
    }
    QWidget::show();
    raise();
    activateWindow();
}

void GradeWindow::recheck() {
    pending_ = false;
    const document::Calculation c = document::capture(port_);
    // The procedures run once on the sheet's inputs: for the results as the sheet holds them and
    // for the caveats that compare them.
    const document::Results recomputed = document::recompute(c).results;
    const document::Results results = document::savedResults(c, recomputed);
    const QString allowable = document::allowableSource(c);
    const tables::Table table = port_.table(allowable);
    const document::CrossbeamTables crossbeamTables =
        document::crossbeamTablesOf([this](const QString& s) { return port_.table(s); });

    QString heading = u"Серия "_s + document::seriesName(c) + u" («"_s +
                      document::allowableWorkbookName(c) + u"»), сечение "_s +
                      catalogue::sectionText(c.options.value(names::Frame15) == names::Option10) +
                      u", Lр = "_s + c.inputs.value(names::txtLp).trimmed() + u" м"_s;
    heading_->setText(heading);

    missing_ = document::selectionMissing(c, results);
    if (table.rowCount() == 0)
        missing_.prepend(u"таблица допускаемых моментов «"_s + document::allowableWorkbookName(c) +
                         u"» не прочитана"_s);
    // The end loads are worked out from the inputs once, for the check and for its caveats.
    const std::optional<document::EndLoads> ends =
        missing_.isEmpty() ? std::optional(document::endLoads(c, results)) : std::nullopt;
    check_ = ends ? document::checkEveryGrade(c, results, table, crossbeamTables,
                                              catalogue::kSeries, &*ends)
                  : document::CrossbeamCheck{};
    QStringList notice;
    if (!missing_.isEmpty())
        notice << u"Подбор невозможен, на листе не хватает данных:\n— "_s +
                      missing_.join(u";\n— "_s) + u'.';
    if (!stale_.isEmpty())
        notice << u"Результаты листа устарели (исходные данные изменились) — пересчитайте их."_s;
    // The report's caveats of the verdict; the grades checked only in part have their own lines
    // below the table, and stale results are said above when the sheet marks them.
    QStringList caveats;
    if (ends)
        for (const document::Remark& r :
             document::remarks(c, results, check_, crossbeamTables, port_.table(names::Data6),
                               &recomputed, &*ends))
            if (r.kind != document::RemarkKind::Unchecked &&
                (r.kind != document::RemarkKind::Stale || stale_.isEmpty()))
                caveats << r.text + u'.';
    if (!caveats.isEmpty()) notice << u"Замечания к выводу:\n— "_s + caveats.join(u"\n— "_s);
    notice_->setText(notice.join(u'\n'));
    notice_->setVisible(!notice.isEmpty());
    QString verdict = u"Марка не подобрана: не хватает данных."_s;
    if (missing_.isEmpty()) {
        // The report's own conclusion, word for word.
        verdict =
            document::verdictText(check_, c, table, document::allowableWorkbookName(c), QString());
        verdict[0] = verdict[0].toUpper();
        verdict += u'.';
    }
    // A label given its text again is painted again.
    if (verdict != verdict_->text()) verdict_->setText(verdict);
    fill();
    // The window is laid out for what it now shows before it is painted: the first label given a
    // text asks for a paint before the layout asks to be redone, and a notice that grew would be
    // painted at its old height first, then everything below it again.
    if (isVisible()) layout()->activate();
}

GradeWindow::Table GradeWindow::tableOfCheck() const {
    Table t;
    const QString section = catalogue::sectionText(port_.isChecked(names::Option10));
    t.headers << u"Марка"_s;
    for (int i = 0; i < 6; ++i)
        t.headers << (i < 3 ? u"Середина"_s : section) + u"\n"_s +
                         QString::fromUtf16(catalogue::kModes[i % 3].name) + u", тс·м"_s;
    t.headers << u"Lр"_s << u"Вывод"_s;
    for (int r = 0; r < check_.grades.size(); ++r) {
        const document::GradeCheck& g = check_.grades[r];
        const bool chosen = r == check_.firstPassing;
        QList<Cell> row;
        row << Cell{(chosen ? u"► "_s : QString()) + g.grade, {}, {}, chosen};
        for (int i = 0; i < 6; ++i) {
            const std::optional<Fixed> m = i < 3 ? g.moments.middle[i] : g.moments.end[i - 3];
            const document::Utilisation& u = g.use[i];
            const int k = document::kAllowableOf[i];
            QString text = m ? formatFixed(*m) : u"—"_s;
            if (u.ratio) text += u"\n"_s + document::percentText(*u.ratio);
            row << Cell{text,
                        u"Момент "_s + (m ? formatFixed(*m) + u" тс·м"_s : u"не вычислен"_s) +
                            u"; допускаемый ("_s + kAllowableNames[k] + u"): "_s +
                            (g.allowableText[k].trimmed().isEmpty() ? u"—"_s : g.allowableText[k]) +
                            u" тс·м"_s,
                        bandColour(u.band), chosen};
        }
        Cell length{u"?"_s, u"Возможные расчетные длины, м: "_s + g.lengthsText, {}, chosen};
        if (g.length == document::LengthFit::Allowed) {
            length.text = u"входит"_s;
            length.background = bandColour(document::Band::UpTo90);
        }
        if (g.length == document::LengthFit::NotAllowed) {
            length.text = u"не входит"_s;
            length.background = bandColour(document::Band::Over100);
        }
        row << length;
        row << Cell{document::gradeVerdictText(g) + (chosen ? u" — выбор"_s : QString()),
                    g.reasons.join(u'\n'),
                    {},
                    chosen};
        t.rows << row;
    }
    return t;
}

void GradeWindow::fill() {
    QStringList reasons;
    for (const document::GradeCheck& g : check_.grades)
        if (g.verdict != document::Verdict::Passes && !g.reasons.isEmpty())
            reasons << g.grade + u" — "_s + g.reasons.join(u"; "_s);
    Table table = tableOfCheck();
    if (table != shown_) {
        showTable(table);
        shown_ = std::move(table);
    }
    apply_->setEnabled(!grades_->selectedItems().isEmpty());
    // Compared with the text set last: the editor gives its text back with plain spaces for
    // the non-breaking ones.
    QString text = reasons.join(u'\n');
    if (text == reasonsText_) {
        reasons_->setVisible(!reasons.isEmpty());
        return;
    }
    // An editor lays its text out anew, shaping every line, whenever it is given a text or its
    // width changes. So the one shown is put aside with its text and layout, and the other one
    // shown in its place (named "reasons" in turn): typing back and forth brings back the text
    // put aside, laid out already. It is shown as a text given anew is: from its start, nothing
    // selected.
    QPlainTextEdit* const aside = reasons_;
    const bool focused = focusWidget() == aside;
    const bool scrolled = aside->isVisible() && aside->verticalScrollBar()->isVisible();
    std::swap(reasons_, keptReasons_);
    std::swap(reasonsText_, keptReasonsText_);
    aside->hide();
    aside->setObjectName(u"keptReasons"_s);
    reasons_->setObjectName(u"reasons"_s);
    if (text == reasonsText_) {
        const QTextCursor cursor = reasons_->textCursor();
        if (cursor.position() != 0 || cursor.hasSelection())
            reasons_->moveCursor(QTextCursor::Start);
        reasons_->verticalScrollBar()->setValue(0);
        reasons_->setVisible(!reasons.isEmpty());
        if (focused) reasons_->setFocus();
        return;
    }
    // Else the editor lays its text out for the room it has, and again whenever its width changes
    // (its scrollbar comes or goes, the window's layout gives it another size). So the old text
    // goes first, the window is laid out with everything else it now shows, and the new text is
    // laid out once in the room it is shown in. It is set into the document itself, which lays
    // out only the lines in sight. When the reasons shown before needed the scrollbar, the new
    // ones most likely do too: they are laid out with the scrollbar in place, and the scrollbar
    // is left to come and go as the text needs once they are (a text that does not need it is
    // laid out a second time, without it).
    const bool shown = isVisible();
    if (shown && !reasonsText_.isEmpty()) reasons_->document()->clear();
    reasons_->setVisible(!reasons.isEmpty());
    if (shown) layout()->activate();
    if (scrolled) reasons_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QTextDocument* document = reasons_->document();
    document->setPlainText(text);
    reasons_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Each line's glyphs are kept between its paints, until it is laid out again.
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        block.layout()->setCacheEnabled(true);
    // The lines in sight are laid out now, not while the editor paints them: laid out while
    // painting, a block that takes more lines than it was counted for changes the scrollbar's
    // range, and the editor and its scrollbar are painted a second time.
    if (shown) {
        const QAbstractTextDocumentLayout* lines = document->documentLayout();
        const int room = reasons_->viewport()->height();
        qreal y = 0;
        for (QTextBlock block = document->begin(); block.isValid() && y < room;
             block = block.next())
            y += lines->blockBoundingRect(block).height();
    }
    reasonsText_ = std::move(text);
    if (focused) reasons_->setFocus();
}

void GradeWindow::showTable(const Table& table) {
    // The cells are rewritten in place: the selection stays, a cell's role that is the same is
    // left alone by the item, and only the columns and rows whose cells' texts or fonts changed
    // are measured again (a column's width follows its cells' texts, a row's height their
    // lines).
    const bool reshaped =
        table.headers != shown_.headers || table.rows.size() != shown_.rows.size();
    if (table.headers != shown_.headers) {
        grades_->setColumnCount(static_cast<int>(table.headers.size()));
        grades_->setHorizontalHeaderLabels(table.headers);
        // Measured once for each set of headers: a header's width is a layout of its lines.
        headerWidths_.clear();
        for (int col = 0; col < table.headers.size(); ++col)
            headerWidths_ << grades_->horizontalHeader()->sectionSizeHint(col);
        headerHeight_ = grades_->horizontalHeader()->sizeHint().height();
    }
    grades_->setRowCount(static_cast<int>(table.rows.size()));
    QList<bool> columnChanged(table.headers.size(), false);
    QList<bool> rowChanged(table.rows.size(), false);
    QFont bold;
    bold.setBold(true);
    qsizetype cells = 0, changed = 0;
    QRect changedArea;  // of the cells rewritten, on the view as it is
    for (int r = 0; r < table.rows.size(); ++r) {
        for (int col = 0; col < table.rows[r].size(); ++col) {
            const Cell& cell = table.rows[r][col];
            const Cell* was = reshaped ? nullptr : &shown_.rows[r][col];
            ++cells;
            // A cell that looks as it did (its tooltip aside) is not painted again.
            if (!was || was->text != cell.text || was->background != cell.background ||
                was->bold != cell.bold) {
                ++changed;
                if (was)
                    changedArea |=
                        QRect(grades_->columnViewportPosition(col), grades_->rowViewportPosition(r),
                              grades_->columnWidth(col), grades_->rowHeight(r));
            }
            if (!was || was->text != cell.text || was->bold != cell.bold) columnChanged[col] = true;
            if (!was || was->text.count(u'\n') != cell.text.count(u'\n') || was->bold != cell.bold)
                rowChanged[r] = true;
        }
    }
    // Most cells new: the cells that changed are painted again as one piece (the rectangle
    // around them) rather than cell by cell: each piece of what is to be painted has the grid
    // and every cell it touches painted for it. Asked first, it takes in each cell's own request
    // as the cell is rewritten. The cells around it that stay the same are not painted again.
    if (changed * 2 > cells) {
        if (reshaped)
            grades_->viewport()->update();
        else
            grades_->viewport()->update(changedArea);
    }
    for (int r = 0; r < table.rows.size(); ++r) {
        for (int col = 0; col < table.rows[r].size(); ++col) {
            const Cell& cell = table.rows[r][col];
            QTableWidgetItem* it = grades_->item(r, col);
            if (!it) {
                it = item(cell.text);
                grades_->setItem(r, col, it);
            }
            it->setText(cell.text);
            if (it->toolTip() != cell.toolTip) {
                // A tooltip is read when it is shown: a new one is no reason to paint the cell
                // again, and the view is not told of it.
                const QSignalBlocker quiet(grades_->model());
                it->setToolTip(cell.toolTip);
            }
            it->setData(Qt::BackgroundRole,
                        cell.background.isValid() ? QVariant(QBrush(cell.background)) : QVariant());
            it->setData(Qt::FontRole, cell.bold ? QVariant(bold) : QVariant());
        }
    }
    if (reshaped) {
        grades_->resizeColumnsToContents();
        grades_->resizeRowsToContents();
    } else {
        // While the grades stay the same, a column only widens: columns that do not jump as the
        // user types, and only the cells that changed are painted again.
        const auto* view = static_cast<const QAbstractItemView*>(grades_);
        for (int col = 0; col < columnChanged.size(); ++col) {
            if (!columnChanged[col]) continue;
            const int wanted = std::max(view->sizeHintForColumn(col), headerWidths_.value(col));
            if (wanted > grades_->columnWidth(col)) grades_->setColumnWidth(col, wanted);
        }
        for (int r = 0; r < rowChanged.size(); ++r)
            if (rowChanged[r]) grades_->resizeRowToContents(r);
    }
    fitTable();
}

void GradeWindow::fitTable() {
    // As tall as its rows, up to kRowsShown without a scrollbar (with room for a horizontal one),
    // so the lines below it have the room they need; as wide as its columns where the screen has
    // the room, growing only, so that a keystroke that narrows a column changes no limit.
    const int chrome = std::max(headerHeight_, grades_->horizontalHeader()->height()) +
                       2 * grades_->frameWidth() + 4 +
                       grades_->horizontalScrollBar()->sizeHint().height();
    int all = chrome;
    int shown = chrome;
    for (int r = 0; r < grades_->rowCount(); ++r) {
        all += grades_->rowHeight(r);
        if (r < kRowsShown) shown += grades_->rowHeight(r);
    }
    int width = 2 * grades_->frameWidth() + 4;
    if (grades_->rowCount() > kRowsShown) width += grades_->verticalScrollBar()->sizeHint().width();
    const int last = grades_->columnCount() - 1;
    for (int col = 0; col <= last; ++col)
        width +=
            col < last
                ? grades_->columnWidth(col)
                : std::max(static_cast<const QAbstractItemView*>(grades_)->sizeHintForColumn(col),
                           headerWidths_.value(col));
    const QScreen* screen = this->screen();
    if (screen) width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    const QSize least(std::max(width, grades_->minimumWidth()), std::max(shown, 120));
    const int most = std::max(all, 120);
    if (least == grades_->minimumSize() && most == grades_->maximumHeight()) return;
    grades_->setMinimumSize(least);
    grades_->setMaximumHeight(most);
    fitWindow();
}

void GradeWindow::fitWindow() {
    // The window's lower limit is set here, when the table's changes, and not by its layout on
    // each change of a text: a limit changed is a round trip to the window system.
    QSize least = layout()->totalMinimumSize();
    if (const QScreen* screen = this->screen())
        least = least.boundedTo(screen->availableGeometry().size());
    setMinimumSize(least);
}

void GradeWindow::place(const QWidget* mainWindow) {
    const QScreen* screen = mainWindow->screen();
    if (!screen) return;
    placed_ = true;
    const QRect room = screen->availableGeometry();
    // The frame the window system puts around a window, as it put it around the main window.
    const QRect main = mainWindow->frameGeometry();
    const QMargins frame(mainWindow->geometry().left() - main.left(),
                         mainWindow->geometry().top() - main.top(),
                         main.right() - mainWindow->geometry().right(),
                         main.bottom() - mainWindow->geometry().bottom());
    const QSize most = room.size().shrunkBy(frame);
    QSize size = sizeHint().expandedTo(minimumSizeHint()).expandedTo({980, 520}).boundedTo(most);
    resize(size);
    size = this->size().grownBy(frame);  // what the window took, with its frame
    // Beside the main window where there is room (right, left, below, above), else over its
    // lower part, always wholly on its screen.
    const QPoint candidates[] = {{main.right() + 1, main.top()},
                                 {main.left() - size.width(), main.top()},
                                 {main.left(), main.bottom() + 1},
                                 {main.left(), main.top() - size.height()}};
    QPoint at(main.left(), main.bottom() - size.height());
    for (const QPoint& p : candidates)
        if (room.contains(QRect(p, size))) {
            at = p;
            break;
        }
    at.setX(
        std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width())));
    at.setY(
        std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height())));
    move(at);
}

void GradeWindow::applySelected() {
    applyGrade(grades_->currentRow());
}

void GradeWindow::applyGrade(int index) {
    if (index < 0 || index >= check_.grades.size()) return;
    const document::GradeCheck g = check_.grades[index];
    Q_EMIT applying(g.grade);
    const auto done = qScopeGuard([this] { Q_EMIT applied(); });
    // As the user would step the navigators: each move writes the row into its bound fields.
    if (g.rows) {
        port_.moveTo(names::Data1, g.rows->gpAt);
        port_.moveTo(names::Data5, g.rows->gpgAt);
        port_.moveTo(names::Data3, g.rows->ppAt);
    }
    const catalogue::Series* series = &catalogue::kSeries[0];
    for (const catalogue::Series& s : catalogue::kSeries)
        if (port_.isChecked(s.option)) series = &s;
    port_.moveTo(series->allowable.dataSource, g.row);
    if (!g.rows) {
        port_.message(u"Для марки "_s + g.grade + u" не найдены строки gр, gрг, Pp ("_s +
                      g.notChecked +
                      u"): на марку переведена только таблица допускаемых моментов, "
                      u"gр, gрг, Pp и моменты листа не изменены."_s);
        return;
    }
    // Then as the user goes on: the three picks in the order of the road (gр, gрг, Pp), then the
    // six mode buttons, each with its own messages, so the moments are the grade's.
    if (!click_) return;
    for (const QString field : {names::txtGp, names::txtGpg, names::txtPp}) click_(field);
    for (const catalogue::Mode& m : catalogue::kModes) click_(m.middleButton);
    for (const catalogue::Mode& m : catalogue::kModes) click_(m.sectionButton);
}

}  // namespace vardo::mainwindow
