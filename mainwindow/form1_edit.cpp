// Form1's "Правка" and "Сохранить как…": undo and redo of the sheet (sheethistory.h), the copy of
// the results as a table, and saving under a new name. They are in the menu of "…" and on their
// keys: Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y, Ctrl+C outside a text field, Ctrl+Shift+S.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "calc/inputcells.h"
#include "calc/procedures.h"
#include "core/catalogue.h"
#include "core/quantities.h"
#include "document/crossbeamcheck.h"
#include "document/gradeselection.h"
#include "mainwindow/form1.h"
#include "mainwindow/sheetassist.h"
#include "mainwindow/sheethistory.h"
#include "mainwindow/windowport.h"
#include "tables/datasource.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

const QList<QKeySequence>& undoKeys() {
    static const QList<QKeySequence> keys{QKeySequence(Qt::CTRL | Qt::Key_Z)};
    return keys;
}
const QList<QKeySequence>& redoKeys() {
    static const QList<QKeySequence> keys{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                          QKeySequence(Qt::CTRL | Qt::Key_Y)};
    return keys;
}

bool isOneOf(const QKeyEvent* key, const QList<QKeySequence>& keys) {
    const QKeySequence pressed(key->keyCombination());
    return keys.contains(pressed);
}

// A text field undoes its own typing on Ctrl+Z, and only since its text was last set: the sheet's
// undo is the one that brings back what a click emptied, so these keys are the window's.
class SheetUndoKeys : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (isOneOf(key, undoKeys()) || isOneOf(key, redoKeys())) {
                key->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// The name of a field, list or result without its unit: "Скорость ветра Vm" of "Скорость ветра
// Vm, м/с"; and the unit apart.
QString quantityName(const QString& control) {
    const QString text = catalogue::quantityText(control).section(u'\n', 0, 0);
    const qsizetype comma = text.lastIndexOf(u", "_s);
    return comma < 0 ? text : text.left(comma);
}
QString quantityUnit(const QString& control) {
    const QString text = catalogue::quantityText(control).section(u'\n', 0, 0);
    const qsizetype comma = text.lastIndexOf(u", "_s);
    return comma < 0 ? QString() : text.mid(comma + 2);
}

// The control whose text a widget holds: an editable list's own line is the list.
QString fieldOf(const QWidget* w) {
    if (!w) return {};
    if (w->objectName().isEmpty() && qobject_cast<const QComboBox*>(w->parentWidget()))
        return w->parentWidget()->objectName();
    return w->objectName();
}

}  // namespace

void Form1::beginAction(const QString& control) {
    if (!history_) return;
    QString what = quantityName(control);
    if (auto* button = qobject_cast<QAbstractButton*>(controls_.value(control)))
        what = button->text().remove(u'&');
    if (what.isEmpty()) what = control;
    if (calc::clearOnClickFields().contains(control))
        history_->begin(u"очистку поля «"_s + what + u'»');
    else if (calc::pickFields().contains(control))
        history_->begin(u"выбор из таблицы: «"_s + what + u'»');
    else
        history_->begin(u'«' + what + u'»');
}

void Form1::wireEdit() {
    history_ = new SheetHistory(
        [this] {
            return SheetHistory::State{document_->capture(), assist_->marks().memory()};
        },
        [this](const SheetHistory::State& state) {
            document_->restore(state.calculation);
            assist_->marks().setMemory(state.marks);
            assist_->refreshNow();
        },
        this);
    // The window's own message boxes hold the history too.
    setMessageSink([this](const QString& text) { showMessageBox(this, text); });

    // Every change a user can make ends in one of these signals.
    // Each connection is the history's, so that none outlives it while the window is destroyed.
    SheetHistory* history = history_;
    const auto changed = [history] { history->changed(); };
    auto* keys = new SheetUndoKeys(this);
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        connect(edit, &QLineEdit::textChanged, history, changed);
        const QString field = fieldOf(edit);
        // Named when typed into, not at start-up for every field.
        connect(edit, &QLineEdit::textEdited, history, [history, field] {
            const QString what = quantityName(field);
            history->typing(field, u"ввод «"_s + (what.isEmpty() ? field : what) + u'»');
        });
        connect(edit, &QLineEdit::editingFinished, history,
                [history, field] { history->typingEnded(field); });
        edit->installEventFilter(keys);
    }
    for (QComboBox* list : findChildren<QComboBox*>()) {
        connect(list, &QComboBox::editTextChanged, history, changed);
        list->installEventFilter(keys);
    }
    connect(qApp, &QApplication::focusChanged, history,
            [history](QWidget* old, QWidget*) { history->typingEnded(fieldOf(old)); });
    for (QRadioButton* option : findChildren<QRadioButton*>()) {
        const QString text = option->text().trimmed();
        connect(option, &QRadioButton::toggled, history, [history, text](bool on) {
            if (!on) return;
            history->name(u"выбор «"_s + text + u'»');
            history->changed();
        });
    }
    for (tables::DataSource* source : findChildren<tables::DataSource*>()) {
        QString workbook;  // named even when it could not be read
        for (const catalogue::DataSourceInfo& d : catalogue::dataSources())
            if (d.name.view() == source->objectName()) workbook = QString::fromUtf16(d.workbook);
        connect(source, &tables::DataSource::currentRowChanged, history, [history, workbook] {
            history->name(u"строку таблицы «"_s + workbook + u'»');
            history->changed();
        });
    }
    connect(document_, &DocumentController::opened, history_, &SheetHistory::restart);
    // A save has just captured the sheet: the history takes that, not a capture of its own.
    connect(document_, &DocumentController::saved, history_,
            [this](const document::Calculation& sheet) {
                history_->setClean(SheetHistory::State{sheet, assist_->marks().memory()});
            });
    connect(document_, &DocumentController::cleared, history_,
            qOverload<>(&SheetHistory::setClean));
    connect(assist_, &SheetAssist::gradeWindowCreated, this, [this](GradeWindow* grades) {
        connect(grades, &GradeWindow::applying, history_, [this](const QString& grade) {
            history_->begin(u"марку «"_s + grade + u"» из «Подбор ригеля»"_s);
            history_->hold();
        });
        connect(grades, &GradeWindow::applied, history_, &SheetHistory::release);
    });

    // The actions: on the window for their keys, in the menu of "…" to be found.
    auto* undo = new QAction(u"Отменить"_s, this);
    undo->setObjectName(u"actionUndo"_s);
    undo->setShortcuts(undoKeys());
    connect(undo, &QAction::triggered, history_, &SheetHistory::undo);
    auto* redo = new QAction(u"Повторить"_s, this);
    redo->setObjectName(u"actionRedo"_s);
    redo->setShortcuts(redoKeys());
    connect(redo, &QAction::triggered, history_, &SheetHistory::redo);
    const auto update = [this, undo, redo] {
        undo->setEnabled(history_->canUndo());
        undo->setText(history_->canUndo() ? u"Отменить "_s + history_->undoText() : u"Отменить"_s);
        redo->setEnabled(history_->canRedo());
        redo->setText(history_->canRedo() ? u"Повторить "_s + history_->stack().redoText()
                                          : u"Повторить"_s);
    };
    connect(history_, &SheetHistory::actionsChanged, this, update);
    update();
    auto* copy = new QAction(u"Копировать результаты"_s, this);
    copy->setObjectName(u"actionCopyResults"_s);
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, &Form1::copyResults);
    auto* saveAs = new QAction(u"Сохранить как…"_s, this);
    saveAs->setObjectName(u"actionSaveAs"_s);
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAs, &QAction::triggered, document_, &DocumentController::saveAsChosen);
    for (QAction* action : {undo, redo, copy, saveAs}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    auto* more = qobject_cast<QPushButton*>(controls_.value(names::cmdMore));
    if (QMenu* menu = more ? more->findChild<QMenu*>() : nullptr) {
        auto* edit = new QMenu(u"Правка"_s, menu);
        edit->setObjectName(u"editMenu"_s);
        edit->addActions({undo, redo});
        edit->addSeparator();
        edit->addAction(copy);
        QAction* first = menu->actions().value(0);
        menu->insertAction(first, saveAs);
        menu->insertMenu(first, edit);
        menu->insertSeparator(first);
    }
}

void Form1::copyResults() {
    QApplication::clipboard()->setText(resultsText());
}

QString Form1::resultsText() const {
    const document::Calculation c = document_->capture();
    QStringList lines;
    const auto row = [&lines](const QStringList& cells) { lines << cells.join(u'\t'); };
    const auto input = [&](const QString& field, const QString& text) {
        row({quantityName(field), text, quantityUnit(field)});
    };
    row({u"Расчет жесткой поперечины"_s, document_->name()});
    lines << QString();
    row({u"Исходные данные"_s, u"Значение"_s, u"Единица"_s});
    for (const Name& field : {names::txtProlet, names::txtLp, names::txtVm, names::Combo1,
                              names::Combo2, names::txtGp, names::txtGpg, names::txtPp})
        input(field, c.inputs.value(field));
    row({u"Серия ригеля"_s, document::seriesName(c)});
    QString ice;
    for (const Name& option : {names::Option3, names::Option4, names::Option5, names::Option6})
        if (sheet_->isChecked(option)) ice = sheet_->text(option).trimmed();
    row({u"Толщина гололеда b"_s, ice, u"мм"_s});
    const bool quarter = sheet_->isChecked(names::Option10);
    row({u"Сечение у опоры"_s, catalogue::sectionText(quarter)});
    for (const catalogue::Mode& m : catalogue::kModes)
        row({u"Мфс "_s + QString::fromUtf16(m.name), c.mfs.value(m.mfs), u"кгс·м"_s});
    lines << QString();
    QStringList points{u"Точка"_s};
    for (int i = 1; i <= 8; ++i) points << QString::number(i);
    row(points << u"Единица"_s);
    const std::pair<QString, const NameSeries*> pointRows[] = {{u"Плечо л"_s, &names::txtL},
                                                               {u"Плечо п"_s, &names::txtP},
                                                               {u"G"_s, &names::txtG},
                                                               {u"Gг"_s, &names::txtGg}};
    for (const auto& [caption, series] : pointRows) {
        QStringList cells{caption};
        for (const QString& name : series->all()) cells << c.inputs.value(name);
        row(cells << quantityUnit(series->all().first()));
    }
    lines << QString();
    row({u"Расчетные моменты ригеля"_s, u"Середина"_s, catalogue::sectionText(quarter),
         u"Единица"_s});
    for (const catalogue::Mode& m : catalogue::kModes)
        row({QString::fromUtf16(m.caption), c.results.value(m.middle), c.results.value(m.section),
             u"тс·м"_s});
    lines << QString();

    // The check of every grade, as the window "Подбор ригеля" and the report make it.
    const document::Results results = document::sheetResults(c);
    const tables::Table table = port_->table(document::allowableSource(c));
    QStringList missing = document::selectionMissing(c, results);
    if (table.rowCount() == 0)
        missing.prepend(u"таблица допускаемых моментов «"_s + document::allowableWorkbookName(c) +
                        u"» не прочитана"_s);
    if (!missing.isEmpty()) {
        row({u"Подбор ригеля"_s, u"невозможен, не хватает данных: "_s + missing.join(u"; "_s)});
        return lines.join(u'\n') + u'\n';
    }
    const document::CrossbeamCheck check = document::checkEveryGrade(
        c, results, table,
        document::crossbeamTablesOf([this](const QString& s) { return port_->table(s); }));
    row({u"Подбор ригеля"_s,
         document::verdictText(check, c, table, document::allowableWorkbookName(c), QString())});
    QStringList header{u"Марка"_s};
    for (int i = 0; i < 6; ++i)
        header << (i < 3 ? u"Середина"_s : catalogue::sectionText(quarter)) + u", "_s +
                      QString::fromUtf16(catalogue::kModes[i % 3].name) + u", %"_s;
    row(header << u"Lр"_s << u"Вывод"_s);
    for (const document::GradeCheck& g : check.grades) {
        QStringList cells{g.grade};
        for (const document::Utilisation& u : g.use)
            cells << (u.ratio ? document::percentText(*u.ratio).remove(u" %"_s) : QString());
        cells << (g.length == document::LengthFit::Allowed      ? u"входит"_s
                  : g.length == document::LengthFit::NotAllowed ? u"не входит"_s
                                                                : u"?"_s);
        row(cells << document::gradeVerdictText(g));
    }
    return lines.join(u'\n') + u'\n';
}

}  // namespace vardo::mainwindow
