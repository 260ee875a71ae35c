#include "mainwindow/gradewindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/catalogue.h"
#include "core/numbertext.h"
#include "document/gradeselection.h"
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
    : QWidget(parent, Qt::Window), port_(port), click_(std::move(click)) {
    setObjectName(u"GradeWindow"_s);
    setWindowTitle(u"Подбор ригеля"_s);
    heading_ = new QLabel(this);
    heading_->setObjectName(u"heading"_s);
    notice_ = new QLabel(this);
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
    // The selected grade is tinted, its band colours still seen through.
    QPalette tint = grades_->palette();
    tint.setColor(QPalette::Highlight, QColor(40, 90, 200, 70));
    tint.setColor(QPalette::HighlightedText, tint.color(QPalette::Text));
    grades_->setPalette(tint);
    reasons_ = new QLabel(this);
    reasons_->setObjectName(u"reasons"_s);
    reasons_->setWordWrap(true);
    reasons_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    verdict_ = new QLabel(this);
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
    layout->addWidget(reasons_);
    layout->addWidget(verdict_);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(apply_, &QPushButton::clicked, this, &GradeWindow::applySelected);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(grades_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { applyGrade(row); });
    connect(grades_, &QTableWidget::itemSelectionChanged, this,
            [this] { apply_->setEnabled(!grades_->selectedItems().isEmpty()); });
    resize(980, 520);
}

void GradeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (pending_) refresh(stale_);
}

void GradeWindow::refresh(const QStringList& staleResults) {
    stale_ = staleResults;
    // Hidden, it only remembers that the sheet changed.
    if (!isVisible()) {
        pending_ = true;
        return;
    }
    pending_ = false;
    const document::Calculation c = document::capture(port_);
    const document::Results results = document::sheetResults(c);
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
    check_ = missing_.isEmpty() ? document::checkEveryGrade(c, results, table, crossbeamTables)
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
    if (missing_.isEmpty())
        for (const document::Remark& r :
             document::remarks(c, results, check_, crossbeamTables, port_.table(names::Data6)))
            if (r.kind != document::RemarkKind::Unchecked &&
                (r.kind != document::RemarkKind::Stale || stale_.isEmpty()))
                caveats << r.text + u'.';
    if (!caveats.isEmpty()) notice << u"Замечания к выводу:\n— "_s + caveats.join(u"\n— "_s);
    notice_->setText(notice.join(u'\n'));
    notice_->setVisible(!notice.isEmpty());
    fill();
    if (missing_.isEmpty()) {
        // The report's own conclusion, word for word.
        QString verdict =
            document::verdictText(check_, c, table, document::allowableWorkbookName(c), QString());
        verdict[0] = verdict[0].toUpper();
        verdict_->setText(verdict + u'.');
    } else {
        verdict_->setText(u"Марка не подобрана: не хватает данных."_s);
    }
}

void GradeWindow::fill() {
    const int selected = grades_->currentRow();
    grades_->clear();
    const bool quarter = port_.isChecked(names::Option10);
    const QString section = catalogue::sectionText(quarter);
    QStringList headers{u"Марка"_s};
    for (int i = 0; i < 6; ++i)
        headers << (i < 3 ? u"Середина"_s : section) + u"\n"_s +
                       QString::fromUtf16(catalogue::kModes[i % 3].name) + u", тс·м"_s;
    headers << u"Lр"_s << u"Вывод"_s;
    grades_->setColumnCount(headers.size());
    grades_->setHorizontalHeaderLabels(headers);
    grades_->setRowCount(static_cast<int>(check_.grades.size()));
    QStringList reasons;

    for (int r = 0; r < check_.grades.size(); ++r) {
        const document::GradeCheck& g = check_.grades[r];
        const bool chosen = r == check_.firstPassing;
        grades_->setItem(r, 0, item((chosen ? u"► "_s : QString()) + g.grade));
        for (int i = 0; i < 6; ++i) {
            const std::optional<Fixed> m = i < 3 ? g.moments.middle[i] : g.moments.end[i - 3];
            const document::Utilisation& u = g.use[i];
            const int k = document::kAllowableOf[i];
            QString text = m ? formatFixed(*m) : u"—"_s;
            if (u.ratio) text += u"\n"_s + document::percentText(*u.ratio);
            QTableWidgetItem* cell = item(text);
            if (u.band != document::Band::Unknown) cell->setBackground(bandColour(u.band));
            cell->setToolTip(
                u"Момент "_s + (m ? formatFixed(*m) + u" тс·м"_s : u"не вычислен"_s) +
                u"; допускаемый ("_s + kAllowableNames[k] + u"): "_s +
                (g.allowableText[k].trimmed().isEmpty() ? u"—"_s : g.allowableText[k]) +
                u" тс·м"_s);
            grades_->setItem(r, kFirstMomentColumn + i, cell);
        }
        QString fit = u"?"_s;
        if (g.length == document::LengthFit::Allowed) fit = u"входит"_s;
        if (g.length == document::LengthFit::NotAllowed) fit = u"не входит"_s;
        QTableWidgetItem* length = item(fit);
        length->setToolTip(u"Возможные расчетные длины, м: "_s + g.lengthsText);
        if (g.length == document::LengthFit::Allowed)
            length->setBackground(bandColour(document::Band::UpTo90));
        if (g.length == document::LengthFit::NotAllowed)
            length->setBackground(bandColour(document::Band::Over100));
        grades_->setItem(r, kLengthColumn, length);
        grades_->setItem(
            r, kVerdictColumn,
            item(document::gradeVerdictText(g) + (chosen ? u" — выбор"_s : QString())));
        grades_->item(r, kVerdictColumn)->setToolTip(g.reasons.join(u'\n'));
        if (g.verdict != document::Verdict::Passes && !g.reasons.isEmpty())
            reasons << g.grade + u" — "_s + g.reasons.join(u"; "_s);
        if (chosen) {
            for (int col = 0; col < grades_->columnCount(); ++col) {
                QFont font = grades_->item(r, col)->font();
                font.setBold(true);
                grades_->item(r, col)->setFont(font);
            }
        }
    }
    reasons_->setText(reasons.join(u'\n'));
    reasons_->setVisible(!reasons.isEmpty());
    grades_->resizeColumnsToContents();
    grades_->resizeRowsToContents();
    // As tall as its rows, so the lines below it have the room they need.
    int height = std::max(grades_->horizontalHeader()->sizeHint().height(),
                          grades_->horizontalHeader()->height()) +
                 2 * grades_->frameWidth() + 4 +
                 grades_->horizontalScrollBar()->sizeHint().height();
    for (int r = 0; r < grades_->rowCount(); ++r) height += grades_->rowHeight(r);
    grades_->setMaximumHeight(std::max(height, 120));
    if (selected >= 0 && selected < grades_->rowCount()) grades_->selectRow(selected);
    apply_->setEnabled(!grades_->selectedItems().isEmpty());
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
