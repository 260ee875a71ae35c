#include "mainwindow/helpwindow.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "core/version.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kPositionRole = Qt::UserRole;  // where the heading's block starts
constexpr int kAnchorRole = Qt::UserRole + 1;

// The anchor a heading carries (<h2 id="arms">), empty when it has none.
QString anchorOf(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QStringList names = it.fragment().charFormat().anchorNames();
        if (!names.isEmpty()) return names.first();
    }
    return {};
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(u"HelpWindow"_s);
    setWindowTitle(u"Справка — "_s + version::programTitle());

    contents_ = new QTreeWidget;
    contents_->setObjectName(u"helpContents"_s);
    contents_->setHeaderHidden(true);
    contents_->setAccessibleName(u"Содержание"_s);
    text_ = new QTextBrowser;
    text_->setObjectName(u"helpText"_s);
    text_->setOpenExternalLinks(true);
    text_->setSource(QUrl(u"qrc:/help/help.html"_s));
    if (text_->document()->isEmpty())
        text_->setPlainText(u"Текст справки не встроен в эту сборку программы."_s);

    auto* splitter = new QSplitter;
    splitter->addWidget(contents_);
    splitter->addWidget(text_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 680});

    findField_ = new QLineEdit;
    findField_->setObjectName(u"helpFind"_s);
    findField_->setPlaceholderText(u"Найти в справке (Ctrl+F)"_s);
    findField_->setClearButtonEnabled(true);
    auto* previous = new QPushButton(u"Назад"_s);
    previous->setObjectName(u"helpFindPrevious"_s);
    previous->setToolTip(u"Предыдущее совпадение (Shift+F3)"_s);
    auto* next = new QPushButton(u"Далее"_s);
    next->setObjectName(u"helpFindNext"_s);
    next->setToolTip(u"Следующее совпадение (F3, Enter)"_s);
    findStatus_ = new QLabel;
    findStatus_->setObjectName(u"helpFindStatus"_s);
    findStatus_->setMinimumWidth(fontMetrics().horizontalAdvance(u"не найдено 000 из 000"_s));

    auto* findBar = new QHBoxLayout;
    findBar->addWidget(new QLabel(u"Найти:"_s));
    findBar->addWidget(findField_, 1);
    findBar->addWidget(previous);
    findBar->addWidget(next);
    findBar->addWidget(findStatus_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(findBar);

    fillContents();
    connect(contents_, &QTreeWidget::currentItemChanged, this, &HelpWindow::goTo);
    connect(contents_, &QTreeWidget::itemClicked, this, &HelpWindow::goTo);
    connect(text_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &HelpWindow::followReading);

    // Typing looks from the current match on; Enter, F3 and the buttons go to the next one.
    connect(findField_, &QLineEdit::textEdited, this, [this] {
        QTextCursor at = text_->textCursor();
        at.setPosition(at.selectionStart());
        text_->setTextCursor(at);
        find(findField_->text());
    });
    connect(findField_, &QLineEdit::returnPressed, this,
            [this] { findAgain(QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier)); });
    connect(next, &QPushButton::clicked, this, [this] { findAgain(false); });
    connect(previous, &QPushButton::clicked, this, [this] { findAgain(true); });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this,
            [this] { findAgain(false); });
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this,
            [this] { findAgain(true); });
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        findField_->setFocus();
        findField_->selectAll();
    });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    resize(940, 660);
    text_->setFocus();
}

void HelpWindow::fillContents() {
    QTreeWidgetItem* section = nullptr;
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 2 || level > 3) continue;  // h1 is the guide's title
        const QString title = block.text().simplified();
        QTreeWidgetItem* item =
            (level == 3 && section) ? new QTreeWidgetItem(section) : new QTreeWidgetItem(contents_);
        if (level == 2) section = item;
        item->setText(0, title);
        item->setToolTip(0, title);
        item->setData(0, kPositionRole, block.position());
        item->setData(0, kAnchorRole, anchorOf(block));
    }
    contents_->expandAll();
}

void HelpWindow::scrollToHeading(int position) {
    const QTextBlock block = text_->document()->findBlock(position);
    const QRectF place = text_->document()->documentLayout()->blockBoundingRect(block);
    text_->verticalScrollBar()->setValue(qRound(place.top()));
}

void HelpWindow::goTo(QTreeWidgetItem* item) {
    if (!item) return;
    scrollToHeading(item->data(0, kPositionRole).toInt());
    // A section near the end cannot come to the top: it is still the one asked for.
    const QSignalBlocker quiet(contents_);
    contents_->setCurrentItem(item);
}

void HelpWindow::followReading() {
    // The contents mark the section being read: the last heading at or above the top line.
    const int top = text_->cursorForPosition(QPoint(0, 0)).position();
    QTreeWidgetItem* reading = nullptr;
    for (QTreeWidgetItemIterator it(contents_); *it; ++it)  // in the order of the guide
        if ((*it)->data(0, kPositionRole).toInt() <= top) reading = *it;
    const QSignalBlocker quiet(contents_);
    contents_->setCurrentItem(reading);
}

void HelpWindow::showSection(const QString& section) {
    if (!section.isEmpty()) {
        for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
            if ((*it)->data(0, kAnchorRole).toString() != section) continue;
            goTo(*it);
            return;
        }
    }
    contents_->setCurrentItem(nullptr);
    text_->verticalScrollBar()->setValue(0);
}

void HelpWindow::findAgain(bool backward) {
    if (findField_->text().isEmpty()) {
        findField_->setFocus();
        return;
    }
    find(findField_->text(), backward);
}

bool HelpWindow::find(const QString& text, bool backward) {
    QTextDocument* document = text_->document();
    QList<QTextCursor> matches;  // plain text, any case: what a user types is never a pattern
    if (!text.isEmpty())
        for (QTextCursor c = document->find(text, 0); !c.isNull(); c = document->find(text, c))
            matches << c;

    QList<QTextEdit::ExtraSelection> marks;
    if (matches.isEmpty()) {
        text_->setExtraSelections(marks);
        findStatus_->setText(text.isEmpty() ? QString() : u"не найдено"_s);
        findStatus_->setStyleSheet(u"color: #b00000"_s);
        return false;
    }

    // The match after the current one (or at it, when typing), else before it; round the end.
    const QTextCursor current = text_->textCursor();
    const bool here = !current.hasSelection();
    qsizetype chosen = -1;
    if (backward) {
        for (qsizetype i = matches.size() - 1; i >= 0 && chosen < 0; --i)
            if (matches[i].selectionStart() < current.selectionStart()) chosen = i;
        if (chosen < 0) chosen = matches.size() - 1;
    } else {
        for (qsizetype i = 0; i < matches.size() && chosen < 0; ++i)
            if (here ? matches[i].selectionStart() >= current.position()
                     : matches[i].selectionStart() > current.selectionStart())
                chosen = i;
        if (chosen < 0) chosen = 0;
    }

    for (qsizetype i = 0; i < matches.size(); ++i) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = matches[i];
        mark.format.setBackground(i == chosen ? QColor(0xff, 0x9f, 0x40)
                                              : QColor(0xff, 0xe8, 0x70));
        marks << mark;
    }
    text_->setExtraSelections(marks);
    text_->setTextCursor(matches[chosen]);
    // The match a third of the way down, with the lines before it in sight.
    QScrollBar* bar = text_->verticalScrollBar();
    bar->setValue(bar->value() + text_->cursorRect().top() - text_->viewport()->height() / 3);
    findStatus_->setText(u"%1 из %2"_s.arg(chosen + 1).arg(matches.size()));
    findStatus_->setStyleSheet(QString());
    return true;
}

HelpWindow* showHelpWindow(QPointer<HelpWindow>& window, const QString& section) {
    if (!window) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->showSection(section);
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace vardo::mainwindow
