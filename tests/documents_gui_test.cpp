// Calculation files and the report through the real window: the three buttons and their
// shortcuts, a calculation saved and opened again in a new window identical in every control, a
// failed open that changes nothing on screen, rows found again or named when gone, and the report
// of the window beside the report program's recomputation of the same file.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "document/calculation.h"
#include "mainwindow/gradewindow.h"
#include "mainwindow/inventory.h"
#include "mainwindow/objectdialog.h"
#include "mainwindow/sheetassist.h"
#include "mainwindow/sheethistory.h"
#include "tables/datasource.h"
#include "tests/support/calculationroad.h"
#include "tests/support/files.h"
#include "tests/support/form1fixture.h"

using namespace Qt::Literals::StringLiterals;
using vardo::testing::copySampleData;
using vardo::testing::fileBytes;
using vardo::testing::Form1Fixture;
using vardo::testing::writeFileBytes;
using FileDialog = vardo::mainwindow::Form1::FileDialog;

namespace {

// Every control of the inventory as the user sees it: text, shown, checked; and every data
// source's row.
QStringList snapshot(const Form1Fixture& f) {
    QStringList state;
    for (const vardo::mainwindow::ControlRow& row : vardo::mainwindow::controls()) {
        if (auto* source = f.get<vardo::tables::DataSource>(row.name)) {
            state << u"%1 row %2 shown %3"_s.arg(row.name)
                         .arg(source->currentRow())
                         .arg(f.shown(row.name));
            continue;
        }
        state << u"%1 «%2» shown %3 checked %4"_s.arg(row.name, f.text(row.name))
                     .arg(f.shown(row.name))
                     .arg(f.checked(row.name));
    }
    return state;
}

// The road of the worked example of the design moments (calculationroad.h), ending with the
// allowable moments open on the third grade of the series.
void driveRoad(Form1Fixture& f) {
    vardo::testing::User user(f, vardo::testing::User::Reach::Direct);
    vardo::testing::CalculationRoad road(user, vardo::testing::CalculationRoad::workedExample());
    QVERIFY(road.to(vardo::testing::CalculationRoad::Compare));
    auto* data7 = f.get<vardo::tables::DataSource>(u"Data7"_s);
    data7->moveNext();
    data7->moveNext();
    f.messages.clear();
}

// The sheet as the user sees it, the marks on it and the object data kept with it.
QStringList sheetState(const Form1Fixture& f) {
    f.window->assist().refreshNow();
    QStringList state = snapshot(f);
    state << u"stale: "_s + f.window->assist().marks().staleResults().join(u' ');
    state << u"object: "_s + f.window->document().objectData().object;
    return state;
}

// A key as the user presses it: to the control with the focus, in the active main window.
void press(Form1Fixture& f, QKeyCombination keys) {
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : f.window.get(), keys.key(), keys.keyboardModifiers());
}

}  // namespace

class DocumentsGuiTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void buttonsInTheBottomRow();
    void buttonsAndShortcutsAskForFiles_data();
    void buttonsAndShortcutsAskForFiles();
    void undoAndRedoEachChange_data();
    void undoAndRedoEachChange();
    void copyResultsAsTable();
    void roundTripThroughWindow_data();
    void roundTripThroughWindow();
    void failedOpenChangesNothing_data();
    void failedOpenChangesNothing();
    void goneRowIsNamed();
    void failedSaveIsTold();
    void filesTheWindowReadsAreNeverReplaced();
    void reportOfWindowAndOfReportProgram();
    void sampleFilesRecomputedAlike_data();
    void sampleFilesRecomputedAlike();
};

void DocumentsGuiTest::buttonsInTheBottomRow() {
    Form1Fixture f;
    QVERIFY(f.show());
    const QWidget* left = f.get(u"Option17"_s);
    const QWidget* right = f.get(u"Command23"_s);
    int previousRight = left->geometry().right();
    for (const auto& [name, caption] :
         {std::pair{u"cmdOpen"_s, u"Открыть"_s}, std::pair{u"cmdSave"_s, u"Сохранить"_s},
          std::pair{u"cmdReport"_s, u"Отчет"_s}}) {
        auto* button = f.get<QPushButton>(name);
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(button->text(), caption);
        QVERIFY(button->isVisible());
        QCOMPARE(button->parentWidget(), f.window.get());
        // Side by side between "vardo" and "Новый расчет", in the row of the bottom buttons.
        QVERIFY(button->geometry().left() > previousRight);
        QCOMPARE(button->geometry().top(), right->geometry().top());
        QCOMPARE(button->geometry().height(), right->geometry().height());
        previousRight = button->geometry().right();
    }
    QVERIFY(previousRight < right->geometry().left());
}

void DocumentsGuiTest::buttonsAndShortcutsAskForFiles_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("dialog");
    QTest::addColumn<bool>("shift");  // Ctrl+Shift, else Ctrl (Ctrl+P prints)
    QTest::newRow("open") << u"cmdOpen"_s << int(Qt::Key_O) << int(FileDialog::Open) << false;
    QTest::newRow("save") << u"cmdSave"_s << int(Qt::Key_S) << int(FileDialog::Save) << false;
    QTest::newRow("report") << u"cmdReport"_s << int(Qt::Key_P) << int(FileDialog::Report) << true;
}

void DocumentsGuiTest::buttonsAndShortcutsAskForFiles() {
    // State: a window whose file chooser answers "cancel". Action: the button, then its
    // shortcut. Expected: the chooser asked twice with the right dialog, nothing else happens.
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, dialog);
    QFETCH(bool, shift);
    Form1Fixture f;
    QVERIFY(f.show());
    QList<int> asked;
    f.window->setFileChooser([&asked](FileDialog d, const QString&) {
        asked << int(d);
        return QString();
    });
    const QStringList before = snapshot(f);
    f.click(button);
    // The shortcut works while the user is typing in a field.
    auto* field = f.get<QLineEdit>(u"txtL1"_s);
    field->setFocus();
    QTest::keyClick(field, Qt::Key(key),
                    shift ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    QCOMPARE(asked, (QList<int>{dialog, dialog}));
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(snapshot(f), before);
}

void DocumentsGuiTest::undoAndRedoEachChange_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("modifiedAfter");
    QTest::addColumn<bool>("modifiedAfterUndo");
    QTest::newRow("typing") << u"type"_s << u"ввод «Скорость ветра Vm»"_s << true << false;
    QTest::newRow("typing, undone in the field")
        << u"typing"_s << u"ввод «Скорость ветра Vm»"_s << true << false;
    QTest::newRow("click empties")
        << u"txtL1"_s << u"очистку поля «Плечо точки 1 от левой опоры (л)»"_s << true << false;
    QTest::newRow("pick")
        << u"txtGg3"_s << u"выбор из таблицы: «Нагрузка Gг точки 3 с гололедом, на 1 м пролета»"_s
        << true << false;
    QTest::newRow("reset") << u"Command10"_s << u"«Сброс»"_s << true << false;
    QTest::newRow("option") << u"Option10"_s << u"выбор «1/4»"_s << true << false;
    QTest::newRow("table row") << u"Data4"_s << u"строку таблицы «т11.2.xls»"_s << true << false;
    QTest::newRow("grade applied") << u"grade"_s << u"марку"_s << true << false;
    QTest::newRow("object data") << u"object"_s << u"«Данные объекта»"_s << true << false;
    // The new calculation is the unchanged state; the one taken back is in no file.
    QTest::newRow("new calculation") << u"Command23"_s << u"«Новый расчет»"_s << false << true;
}

void DocumentsGuiTest::undoAndRedoEachChange() {
    // State: the worked example saved to a file (no modified mark). Action: one change, then
    // Ctrl+Z, then Ctrl+Y. Expected: the change is one named step; undo brings back every control,
    // the marks and the object data as they were, redo as the change left them, the modified mark
    // following.
    QFETCH(QString, change);
    QFETCH(QString, step);
    QFETCH(bool, modifiedAfter);
    QFETCH(bool, modifiedAfterUndo);
    Form1Fixture f;
    QVERIFY(f.show());
    driveRoad(f);
    f.type(u"txtVm"_s, u"26"_s);  // an input changed since the moments: they are out of date
    auto* data4 = f.get<vardo::tables::DataSource>(u"Data4"_s);
    if (change == u"txtGg3"_s) data4->moveNext();
    QTemporaryDir dir;
    QVERIFY(f.window->document().save(dir.filePath(u"a.vardo"_s)));
    vardo::mainwindow::GradeWindow* grades = nullptr;
    if (change == u"grade"_s) grades = f.window->assist().showGradeWindow();
    vardo::mainwindow::SheetHistory& history = f.window->history();
    history.commit();
    const QStringList before = sheetState(f);
    QVERIFY(!f.window->isWindowModified());
    const int steps = history.stack().count();

    if (change.startsWith(u"typ"_s)) {
        f.type(u"txtVm"_s, u"31"_s);
        if (change == u"type"_s) QTest::keyClick(f.get(u"txtVm"_s), Qt::Key_Return);
    } else if (change == u"Data4"_s) {
        data4->moveNext();
    } else if (change == u"grade"_s) {
        QVERIFY(!grades->check().grades.isEmpty());
        grades->applyGrade(int(grades->check().grades.size()) - 1);
    } else if (change == u"object"_s) {
        f.window->editObjectData();
        auto* dialog = f.window->findChild<vardo::mainwindow::ObjectDialog*>();
        QVERIFY(dialog);
        dialog->field(u"object"_s)->setText(u"Перегон А — Б"_s);
        dialog->accept();
        QCOMPARE(f.modalGuard.takeSeen().size(), 1);
    } else {
        f.click(change);
    }
    const QStringList after = sheetState(f);
    QVERIFY(after != before);
    QCOMPARE(f.window->isWindowModified(), modifiedAfter);
    const QStringList messages = f.messages;

    press(f, Qt::CTRL | Qt::Key_Z);
    QCOMPARE(sheetState(f), before);
    QCOMPARE(f.window->isWindowModified(), modifiedAfterUndo);
    QCOMPARE(history.stack().count(), steps + 1);
    auto* redo = f.window->findChild<QAction*>(u"actionRedo"_s);
    QVERIFY2(redo->text().startsWith(u"Повторить "_s + step), qPrintable(redo->text()));
    press(f, Qt::CTRL | Qt::Key_Y);
    QCOMPARE(sheetState(f), after);
    QCOMPARE(f.window->isWindowModified(), modifiedAfter);
    press(f, Qt::CTRL | Qt::SHIFT | Qt::Key_Z);  // nothing more to redo
    QCOMPARE(sheetState(f), after);
    QCOMPARE(f.messages, messages);
}

void DocumentsGuiTest::copyResultsAsTable() {
    // State: the worked example with its moments. Action: Ctrl+C in a text field, then outside.
    // Expected: the field copies its own text; outside, the clipboard holds the table: inputs with
    // units, the six design moments as the labels show them, the grade check.
    Form1Fixture f;
    QVERIFY(f.show());
    driveRoad(f);
    f.type(u"txtVm"_s, u"25"_s);
    f.get<QLineEdit>(u"txtVm"_s)->selectAll();
    QApplication::clipboard()->setText(u"—"_s);
    press(f, Qt::CTRL | Qt::Key_C);
    QCOMPARE(QApplication::clipboard()->text(), u"25"_s);
    f.get(u"cmdSave"_s)->setFocus();
    press(f, Qt::CTRL | Qt::Key_C);
    // The menu of "…" begins with "Сохранить как…" and "Правка".
    const QList<QAction*> more = f.get(u"cmdMore"_s)->findChild<QMenu*>()->actions();
    QCOMPARE(more.value(0)->objectName(), u"actionSaveAs"_s);
    QCOMPARE(more.value(1)->text(), u"Правка"_s);
    QStringList edit;
    for (const QAction* a : more.value(1)->menu()->actions()) edit << a->objectName();
    QCOMPARE(edit,
             (QStringList{u"actionUndo"_s, u"actionRedo"_s, QString(), u"actionCopyResults"_s}));
    const QStringList lines = QApplication::clipboard()->text().split(u'\n');
    QVERIFY(lines.contains(u"Скорость ветра Vm\t25\tм/с"_s));
    QVERIFY(lines.contains(u"Расчетная длина ригеля Lр\t18\tм"_s));
    QVERIFY(lines.contains(u"Плечо л\t42\t0\t0\t0\t0\t0\t0\t0\tм"_s));
    for (const auto& [caption, middle, end] :
         {std::tuple{u"Аварийный (Мн нп)"_s, u"Label22"_s, u"Label30"_s},
          std::tuple{u"Гололед (Мр вп)"_s, u"Label23"_s, u"Label31"_s},
          std::tuple{u"V max (Мр вп)"_s, u"Label24"_s, u"Label32"_s}}) {
        QVERIFY(!f.text(middle).isEmpty());
        const QString row = caption + u'\t' + f.text(middle) + u'\t' + f.text(end) + u"\tтс·м"_s;
        QVERIFY2(lines.contains(row), qPrintable(row));
    }
    const auto verdict = std::find_if(lines.cbegin(), lines.cend(), [](const QString& l) {
        return l.startsWith(u"Подбор ригеля\t"_s);
    });
    QVERIFY(verdict != lines.cend());
    // One row per grade under the header, each with its eight cells after the grade.
    const qsizetype header = lines.indexOf(*verdict) + 1;
    QVERIFY(lines.value(header).startsWith(u"Марка\t"_s));
    QVERIFY(lines.size() > header + 2);
    for (qsizetype i = header + 1; i < lines.size() && !lines[i].isEmpty(); ++i)
        QCOMPARE(lines[i].count(u'\t'), 8);
}

void DocumentsGuiTest::roundTripThroughWindow_data() {
    QTest::addColumn<bool>("odd");
    QTest::newRow("worked example") << false;
    QTest::newRow("odd texts") << true;
}

void DocumentsGuiTest::roundTripThroughWindow() {
    // State: the worked example driven through the window (panels open, rows moved, options
    // changed), or a window full of odd texts. Action: "Сохранить", then "Открыть" in a new window.
    // Expected: the new window is the same in every control, choice and row.
    QFETCH(bool, odd);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"расчет.vardo"_s);
    Form1Fixture a;
    QVERIFY(a.show());
    if (odd) {
        a.click(u"Option2"_s);
        a.click(u"Option6"_s);
        a.click(u"Option10"_s);
        a.click(u"Option7"_s);
        // "vardo" (Option17) is left alone: the window's two launcher options do not exclude
        // each other (Qt counts the options of the frames in their group), so the window can
        // show both selected.
        a.type(u"txtProlet"_s, u"abc"_s);
        a.type(u"txtLp"_s, u"1e15"_s);
        a.type(u"txtVm"_s, QString());
        a.type(u"txtL3"_s, u"1.59"_s);
        a.window->sheet().setText(u"Combo2"_s, u"«44»"_s);
        a.type(u"txtMa1"_s, u"-7,25"_s);  // "пер" is on display: it goes into Text18
        a.get<vardo::tables::DataSource>(u"Data6"_s)->moveLast();
        a.type(u"txtMn1"_s, QString());
        a.click(u"Command20"_s);  // "Мфс =0"
        a.type(u"txtMnv1"_s, u"x"_s);
        a.get<vardo::tables::DataSource>(u"Data8"_s)->moveLast();
        a.click(u"Command14"_s);
    } else {
        driveRoad(a);
        a.get<vardo::tables::DataSource>(u"Data2"_s)->moveNext();
    }
    const QStringList saved = snapshot(a);
    a.window->setFileChooser([&](FileDialog, const QString&) { return path; });
    a.click(u"cmdSave"_s);
    QVERIFY2(a.messages.isEmpty(), qPrintable(a.messages.join(u'\n')));
    QCOMPARE(a.window->document().path(), path);

    Form1Fixture b;
    QVERIFY(b.show());
    b.window->setFileChooser([&](FileDialog, const QString&) { return path; });
    b.click(u"cmdOpen"_s);
    QVERIFY2(b.messages.isEmpty(), qPrintable(b.messages.join(u'\n')));
    const QStringList restored = snapshot(b);
    for (qsizetype i = 0; i < saved.size(); ++i) QCOMPARE(restored.value(i), saved[i]);
    QCOMPARE(b.window->document().path(), path);

    // Saved again from the new window: the same file, but for the time of saving.
    const QString again = dir.filePath(u"снова.vardo"_s);
    QVERIFY(b.window->document().save(again));
    const auto withoutTime = [](const QByteArray& bytes) {
        QJsonObject o = QJsonDocument::fromJson(bytes).object();
        o.remove(u"saved"_s);
        return o;
    };
    QCOMPARE(withoutTime(fileBytes(again)), withoutTime(fileBytes(path)));
}

void DocumentsGuiTest::failedOpenChangesNothing_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    Form1Fixture sample;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"s.vardo"_s);
    sample.window->document().save(path);
    const QByteArray valid = fileBytes(path);
    QJsonObject newer = QJsonDocument::fromJson(valid).object();
    newer.insert(u"version"_s, vardo::document::kFormatVersion + 1);
    QJsonObject wrongField = QJsonDocument::fromJson(valid).object();
    QJsonObject inputs = wrongField.value(u"inputs"_s).toObject();
    inputs.insert(u"txtL5"_s, true);
    wrongField.insert(u"inputs"_s, inputs);
    QTest::newRow("truncated") << valid.left(valid.size() * 2 / 3) << u"обрезан"_s;
    QTest::newRow("corrupt") << QByteArray(valid).replace(':', ';') << u"поврежден"_s;
    QTest::newRow("empty") << QByteArray() << u"пуст"_s;
    QTest::newRow("foreign") << QByteArray(R"({"format": "other", "version": 1})")
                             << u"не файл расчета"_s;
    QTest::newRow("newer") << QJsonDocument(newer).toJson() << u"более новой версией"_s;
    // The bad field comes late in the file: the fields before it must not reach the window.
    QTest::newRow("bad field") << QJsonDocument(wrongField).toJson() << u"txtL5"_s;
    QTest::newRow("unreadable") << QByteArray("folder") << u"папка"_s;
}

void DocumentsGuiTest::failedOpenChangesNothing() {
    // State: a window in the middle of a calculation. Action: open a bad file. Expected: one
    // message naming the file and the reason, and every control exactly as it was.
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = dir.filePath(u"плохой.vardo"_s);
    if (content == "folder")
        QVERIFY(QDir().mkpath(path));
    else
        QVERIFY(writeFileBytes(path, content));
    Form1Fixture f;
    QVERIFY(f.show());
    driveRoad(f);
    const QStringList before = snapshot(f);
    QVERIFY(!f.window->document().open(path));
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].contains(u"«плохой.vardo»"_s) && f.messages[0].contains(reason),
             qPrintable(f.messages[0]));
    QCOMPARE(snapshot(f), before);
    QVERIFY(f.window->document().path().isEmpty());
}

void DocumentsGuiTest::goneRowIsNamed() {
    // State: a file whose allowable-moment row "П-3" is no longer in the workbook, and whose
    // Мфс row moved. Expected: the other rows and texts restored, one message naming the row.
    Form1Fixture a;
    QVERIFY(a.show());
    driveRoad(a);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"r.vardo"_s);
    QVERIFY(a.window->document().save(path));
    QJsonObject root = QJsonDocument::fromJson(fileBytes(path)).object();
    QJsonObject sources = root.value(u"sources"_s).toObject();
    QJsonObject data7 = sources.value(u"Data7"_s).toObject();
    QCOMPARE(data7.value(u"caption"_s).toString(), u"П-3"_s);
    data7.insert(u"caption"_s, u"П-9"_s);
    sources.insert(u"Data7"_s, data7);
    QJsonObject data6 = sources.value(u"Data6"_s).toObject();
    data6.insert(u"row"_s, 5);  // the row "16" now stands elsewhere: found by its caption
    sources.insert(u"Data6"_s, data6);
    root.insert(u"sources"_s, sources);
    QVERIFY(writeFileBytes(path, QJsonDocument(root).toJson()));

    Form1Fixture b;
    QVERIFY(b.show());
    QVERIFY(b.window->document().open(path));
    QCOMPARE(b.messages.size(), 1);
    QVERIFY2(b.messages[0].contains(u"«П-9»"_s) && b.messages[0].contains(u"т36.1.xls"_s),
             qPrintable(b.messages[0]));
    QCOMPARE(b.get<vardo::tables::DataSource>(u"Data7"_s)->currentRow(), 0);
    QCOMPARE(b.get<vardo::tables::DataSource>(u"Data6"_s)->currentRow(), 0);
    QCOMPARE(b.text(u"Label22"_s), u"14,3207"_s);
    QCOMPARE(b.text(u"Text18"_s), a.text(u"Text18"_s));
}

void DocumentsGuiTest::failedSaveIsTold() {
    Form1Fixture f;
    QVERIFY(f.show());
    QTemporaryDir dir;
    f.window->setFileChooser(
        [&](FileDialog, const QString&) { return dir.filePath(u"нет/a.vardo"_s); });
    f.click(u"cmdSave"_s);
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].contains(u"Не удалось сохранить"_s), qPrintable(f.messages[0]));
    QVERIFY(f.window->document().path().isEmpty());
    // A report that cannot be written is told too, and no viewer is started.
    int viewed = 0;
    f.window->setReportViewer([&](const QString&) { return ++viewed > 0; });
    f.window->setFileChooser(
        [&](FileDialog, const QString&) { return dir.filePath(u"нет/a.pdf"_s); });
    f.click(u"cmdReport"_s);
    QCOMPARE(f.messages.size(), 2);
    QVERIFY2(f.messages[1].contains(u"Не удалось записать отчет"_s), qPrintable(f.messages[1]));
    QCOMPARE(viewed, 0);
}

void DocumentsGuiTest::filesTheWindowReadsAreNeverReplaced() {
    // State: the sample data copied, a calculation saved and open, a link to it. Action: write the
    // report onto the calculation (by its name and through the link), save onto a workbook.
    // Expected: each refused with a message, every file byte for byte as it was.
    QTemporaryDir dir;
    QVERIFY(copySampleData(dir.path()));
    Form1Fixture f(dir.path());
    QVERIFY(f.show());
    const QString calculation = dir.filePath(u"расчет.vardo"_s);
    QVERIFY(f.window->document().save(calculation));
    QStringList targets = {calculation};
#ifndef Q_OS_WIN  // a link of Windows is a shortcut file of its own
    QVERIFY(QFile::link(calculation, dir.filePath(u"ссылка.pdf"_s)));
    targets << dir.filePath(u"ссылка.pdf"_s);
#endif
    const QByteArray saved = fileBytes(calculation);
    const QByteArray workbook = fileBytes(dir.filePath(u"т36.1.xls"_s));
    int viewed = 0;
    f.window->setReportViewer([&](const QString&) { return ++viewed > 0; });
    for (const QString& target : targets) {
        f.messages.clear();
        f.window->setFileChooser([&](FileDialog, const QString&) { return target; });
        f.click(u"cmdReport"_s);
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages[0].contains(u"файл расчета «расчет.vardo»"_s),
                 qPrintable(f.messages[0]));
    }
    QCOMPARE(viewed, 0);
    QCOMPARE(fileBytes(calculation), saved);
    f.messages.clear();
    QVERIFY(!f.window->document().save(dir.filePath(u"т36.1.xls"_s)));
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].contains(u"справочную таблицу «т36.1.xls»"_s),
             qPrintable(f.messages[0]));
    QCOMPARE(fileBytes(dir.filePath(u"т36.1.xls"_s)), workbook);
    QCOMPARE(f.window->document().path(), calculation);
}

void DocumentsGuiTest::reportOfWindowAndOfReportProgram() {
    // State: the worked example on the window, saved. Action: "Отчет", then vardo-report on the
    // saved file. Expected: the window's PDF written and shown, and the program's recomputed
    // moments equal to the window's labels.
    Form1Fixture f;
    QVERIFY(f.show());
    driveRoad(f);
    QTemporaryDir dir;
    const QString file = dir.filePath(u"дорога.vardo"_s);
    QVERIFY(f.window->document().save(file));
    QStringList viewed;
    QString suggested;
    f.window->setReportViewer([&](const QString& pdf) {
        viewed << pdf;
        return true;
    });
    f.window->setFileChooser([&](FileDialog, const QString& s) {
        suggested = s;
        return dir.filePath(u"окно.pdf"_s);
    });
    f.click(u"cmdReport"_s);
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'\n')));
    QCOMPARE(viewed, QStringList{dir.filePath(u"окно.pdf"_s)});
    QCOMPARE(suggested, dir.filePath(u"дорога.pdf"_s));
    QVERIFY(fileBytes(viewed[0]).startsWith("%PDF-"));

    // A viewer that cannot be started: the message says where the report is.
    f.window->setReportViewer([](const QString&) { return false; });
    f.click(u"cmdReport"_s);
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].contains(u"окно.pdf"_s), qPrintable(f.messages[0]));

#ifdef VARDO_REPORT_EXE
    QProcess run;
    run.setWorkingDirectory(QStringLiteral(VARDO_SAMPLE_DATA));
    run.start(QStringLiteral(VARDO_REPORT_EXE), {file, u"-o"_s, dir.filePath(u"cli.pdf"_s)});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitCode(), 0);
    const QString out = QString::fromUtf8(run.readAllStandardOutput());
    const QString moments = u"середина %1; %2; %3 | 1/3 %4; %5; %6"_s.arg(
        f.text(u"Label22"_s), f.text(u"Label23"_s), f.text(u"Label24"_s), f.text(u"Label30"_s),
        f.text(u"Label31"_s), f.text(u"Label32"_s));
    QVERIFY2(out.contains(moments), qPrintable(out + u"\nexpected: "_s + moments));
    QVERIFY(fileBytes(dir.filePath(u"cli.pdf"_s)).startsWith("%PDF-"));
#endif
}

void DocumentsGuiTest::sampleFilesRecomputedAlike_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("section");
    // The worked example saved from the window; the same with 1/4, ОП, Lр 24 and Vm 27,5 and the
    // results of the first left as they were (stale on purpose).
    QTest::newRow("road") << u"road.vardo"_s << u"1/3"_s;
    QTest::newRow("road-quarter") << u"road-quarter.vardo"_s << u"1/4"_s;
}

void DocumentsGuiTest::sampleFilesRecomputedAlike() {
    // State: a sample calculation file. Action: opened in the window and every calculation
    // button pressed again; vardo-report on the same file. Expected: the same six moments.
    QFETCH(QString, file);
    QFETCH(QString, section);
    const QString path = QStringLiteral(VARDO_TEST_DATA "/") + file;
    Form1Fixture f;
    QVERIFY(f.show());
    QVERIFY(f.window->document().open(path));
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'\n')));
    vardo::testing::User user(f, vardo::testing::User::Reach::Direct);
    QVERIFY(user.run({u"Command15"_s, u"Command1"_s, u"Command2"_s, u"Command3"_s, u"Command5"_s,
                      u"Command4"_s, u"Command6"_s, u"Command14"_s, u"Command7"_s, u"Command8"_s,
                      u"Command9"_s, u"Command11"_s, u"Command12"_s, u"Command13"_s}));
    QCOMPARE(f.text(u"Text21"_s), u"3900"_s);  // typed over, and kept by the file
#ifndef VARDO_REPORT_EXE
    QSKIP("vardo-report is not built");
#else
    QTemporaryDir dir;
    QProcess run;
    run.setWorkingDirectory(QStringLiteral(VARDO_SAMPLE_DATA));
    run.start(QStringLiteral(VARDO_REPORT_EXE), {path, u"-o"_s, dir.filePath(u"r.pdf"_s)});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitCode(), 0);
    const QString out = QString::fromUtf8(run.readAllStandardOutput());
    const QString moments = u"середина %1; %2; %3 | %4 %5; %6; %7"_s.arg(
        f.text(u"Label22"_s), f.text(u"Label23"_s), f.text(u"Label24"_s), section,
        f.text(u"Label30"_s), f.text(u"Label31"_s), f.text(u"Label32"_s));
    QVERIFY2(out.contains(moments), qPrintable(out + u"\nexpected: "_s + moments));
#endif
}

QTEST_MAIN(DocumentsGuiTest)
#include "documents_gui_test.moc"
