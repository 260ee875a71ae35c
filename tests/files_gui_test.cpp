// The main window as a desktop program's document window: a file named on the command line, the
// title with the file's name and the modified mark, the question before "Выход", the close box,
// "Новый расчет" and "Открыть" throw unsaved changes away (each answer), recent files (a vanished
// one too), dropped files, the folder the file dialogs start in, F1 and the help window, the tab
// order of the window, and Qt's own texts in Russian. What needs no window (the command line's
// second file, a save that asks for a name, a file another program changed) drives the document
// alone.

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
#include <cstdio>
#include <filesystem>

#include "core/datafile.h"
#include "core/version.h"
#include "document/calculation.h"
#include "document/memoryport.h"
#include "mainwindow/documentcontroller.h"
#include "mainwindow/recentfiles.h"
#include "mainwindow/taborder.h"
#include "mainwindow/translations.h"
#include "tables/datasource.h"
#include "tests/support/files.h"
#include "tests/support/form1fixture.h"

using namespace Qt::Literals::StringLiterals;
using vardo::mainwindow::RecentFiles;
using vardo::testing::fileBytes;
using vardo::testing::Form1Fixture;
using Answer = vardo::mainwindow::DocumentController::SaveAnswer;
using FileDialog = vardo::mainwindow::Form1::FileDialog;

namespace {

// The title as the window system shows it: "[*]" becomes "*" when modified, nothing otherwise.
QString shownTitle(const Form1Fixture& f) {
    return f.window->windowHandle()->title();
}

QString copyOf(const QTemporaryDir& dir, const QString& sample, const QString& name) {
    const QString path = dir.filePath(name);
    QFile::remove(path);
    return QFile::copy(QStringLiteral(VARDO_TEST_DATA "/") + sample, path) ? path : QString();
}

QString savedInput(const QString& path, const QString& field) {
    QString error;
    const auto calculation = vardo::document::readFile(path, &error);
    return calculation ? calculation->inputs.value(field) : u"unreadable: "_s + error;
}

// The document of a sheet without a window, its questions recorded and answered as set.
struct Document {
    using Controller = vardo::mainwindow::DocumentController;
    using Name = Controller::FileName;
    vardo::document::MemoryPort sheet;
    Controller doc{sheet};
    QStringList questions;
    Controller::SaveAnswer saveAnswer = Controller::SaveAnswer::Discard;
    Controller::ChangedFileAnswer changedAnswer = Controller::ChangedFileAnswer::Cancel;
    Document() {
        doc.setSaveQuestion([this](const QString& question) {
            questions << question;
            return saveAnswer;
        });
        doc.setChangedFileQuestion([this](const QString& question) {
            questions << question;
            return changedAnswer;
        });
        doc.markUnchanged();
    }
};

}  // namespace

class FilesGuiTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { RecentFiles::clear(); }
    void commandLineOpensTheFile();
    void commandLineWithTwoFiles();
    void modifiedMark();
    void pickedRowIsSaved();
    void prompts_data();
    void prompts();
    void noQuestionWhenNothingChanged_data();
    void noQuestionWhenNothingChanged();
    void saveOfNewCalculationAsksForName();
    void saveAsWorksOnTheNewFile();
    void fileChangedByAnotherProgram_data();
    void fileChangedByAnotherProgram();
    void questionBoxButtons();
    void recentFiles();
    void vanishedRecentFile();
    void droppedFileOpens_data();
    void droppedFileOpens();
    void dialogsStartInLastFolder();
    void helpKeyInEveryWindow();
    void helpFindsWords();
    void tabOrderFollowsLayout();
};

void FilesGuiTest::saveAsWorksOnTheNewFile() {
    // State: a calculation opened from a file. Action: Ctrl+Shift+S to another name, then to a
    // folder that does not exist. Expected: a name not yet taken is suggested; the window works on
    // the new file (title, recent files, unmodified), the opened file is as it was; the failed
    // save is told in Russian and changes neither the window's file nor any file.
    QTemporaryDir dir;
    const QString opened = copyOf(dir, u"road.vardo"_s, u"расчет.vardo"_s);
    QVERIFY(QFile::copy(opened, dir.filePath(u"расчет (2).vardo"_s)));
    const QByteArray openedBytes = fileBytes(opened);
    Form1Fixture f;
    QVERIFY(f.show());
    QVERIFY(f.window->document().open(opened));
    f.type(u"txtVm"_s, u"29"_s);
    QStringList asked;
    QString answer = dir.filePath(u"вариант.vardo"_s);
    f.window->setFileChooser([&](FileDialog dialog, const QString& suggested) {
        asked << QString::number(int(dialog)) + u' ' + QFileInfo(suggested).fileName();
        return answer;
    });
    QTest::keyClick(f.get(u"txtVm"_s), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(asked, QStringList{QString::number(int(FileDialog::SaveAs)) + u" расчет (3).vardo"_s});
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'\n')));
    QCOMPARE(f.window->document().path(), answer);
    QCOMPARE(shownTitle(f), u"вариант.vardo — Vardo v1.0"_s);
    QCOMPARE(RecentFiles::files().first(), answer);
    QCOMPARE(savedInput(answer, u"txtVm"_s), u"29"_s);
    QCOMPARE(fileBytes(opened), openedBytes);

    const QByteArray savedBytes = fileBytes(answer);
    f.type(u"txtVm"_s, u"31"_s);
    answer = dir.filePath(u"нет/вариант.vardo"_s);
    QTest::keyClick(f.get(u"txtVm"_s), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].contains(u"Не удалось сохранить"_s), qPrintable(f.messages[0]));
    QCOMPARE(f.window->document().path(), dir.filePath(u"вариант.vardo"_s));
    QVERIFY(f.window->isWindowModified());
    QCOMPARE(fileBytes(dir.filePath(u"вариант.vardo"_s)), savedBytes);
    QVERIFY(!QFileInfo::exists(answer));
}

void FilesGuiTest::commandLineOpensTheFile() {
    // State: a new window. Action: a file given on the command line, by a relative path.
    // Expected: the file is open, the title names it without a modified mark, it is recent.
    // The folder is on the working folder's drive: on Windows no path leads from one to another.
    QTemporaryDir dir(QDir::current().filePath(u"command-line-XXXXXX"_s));
    const QString path = copyOf(dir, u"road.vardo"_s, u"расчет.vardo"_s);
    Form1Fixture f;
    QVERIFY(f.show());
    QCOMPARE(shownTitle(f), u"Без имени — Vardo v1.0"_s);
    const QString relative = QDir::current().relativeFilePath(path);
    QVERIFY(QFileInfo(relative).isRelative());
    f.window->document().openFromCommandLine({relative});
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'\n')));
    QCOMPARE(f.window->document().path(), path);
    QCOMPARE(shownTitle(f), u"расчет.vardo — Vardo v1.0"_s);
    QVERIFY(!f.window->isWindowModified());
    QCOMPARE(f.text(u"txtProlet"_s), savedInput(path, u"txtProlet"_s));
    QCOMPARE(RecentFiles::files(), QStringList{path});
    // The user goes on typing in the sheet's first field (top left), not on a navigator.
    QVERIFY(f.window->focusWidget());
    QCOMPARE(f.window->focusWidget()->objectName(), u"txtProlet"_s);
}

void FilesGuiTest::commandLineWithTwoFiles() {
    QTemporaryDir dir;
    const QString first = dir.filePath(u"a.vardo"_s), second = dir.filePath(u"b.vardo"_s);
    Document d;
    QString error;
    QVERIFY(vardo::document::writeFile(first, d.doc.capture(), &error));
    QVERIFY(vardo::document::writeFile(second, d.doc.capture(), &error));
    d.doc.openFromCommandLine({first, second});
    QCOMPARE(d.doc.path(), first);
    QCOMPARE(d.sheet.messages().size(), 1);
    QVERIFY(d.sheet.messages()[0].contains(u"«b.vardo»"_s));
}

void FilesGuiTest::modifiedMark() {
    // The mark follows exactly what a file keeps: a typed text, a table row, an option; undoing
    // the change takes the mark away, and saving clears it.
    QTemporaryDir dir;
    const QString path = copyOf(dir, u"road.vardo"_s, u"расчет.vardo"_s);
    Form1Fixture f;
    QVERIFY(f.show());
    QVERIFY(f.window->document().open(path));
    const QString span = f.text(u"txtProlet"_s);
    f.type(u"txtProlet"_s, u"77"_s);
    QVERIFY(f.window->isWindowModified());
    QCOMPARE(shownTitle(f), u"расчет.vardo* — Vardo v1.0"_s);
    f.type(u"txtProlet"_s, span);
    QVERIFY(!f.window->isWindowModified());
    QCOMPARE(shownTitle(f), u"расчет.vardo — Vardo v1.0"_s);

    auto* data2 = f.get<vardo::tables::DataSource>(u"Data2"_s);
    const int row = data2->currentRow();
    data2->moveTo(row == 0 ? 1 : 0);
    QVERIFY(f.window->isWindowModified());
    data2->moveTo(row);
    QVERIFY(!f.window->isWindowModified());

    f.click(u"Option17"_s);  // the launcher option is kept in the file
    QVERIFY(f.window->isWindowModified());
    QVERIFY(f.window->document().save(path));
    QVERIFY(!f.window->isWindowModified());
    QCOMPARE(shownTitle(f), u"расчет.vardo — Vardo v1.0"_s);

    // A result computed by a button is a change as well.
    f.click(u"Command23"_s);  // nothing changed since the save: no question
    QVERIFY(f.questions.isEmpty());
    QCOMPARE(shownTitle(f), u"Без имени — Vardo v1.0"_s);
    QVERIFY(!f.window->isWindowModified());
    f.type(u"txtProlet"_s, u"10"_s);
    QVERIFY(f.window->isWindowModified());
    QCOMPARE(shownTitle(f), u"Без имени* — Vardo v1.0"_s);
}

void FilesGuiTest::pickedRowIsSaved() {
    // State: the table "G" on its second row. Action: pick it into point 3, type over point 4's
    // pick, save. Expected: the file names the row point 3 was picked from, with the text picked;
    // point 4 keeps its pick and the text it had then, so the report sees it typed over.
    Form1Fixture f;
    QVERIFY(f.show());
    auto* data2 = f.get<vardo::tables::DataSource>(u"Data2"_s);
    data2->moveTo(1);
    f.click(u"txtG3"_s);
    f.click(u"txtG4"_s);
    const QString picked = f.text(u"txtG4"_s);
    f.type(u"txtG4"_s, u"7"_s);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"расчет.vardo"_s);
    QVERIFY(f.window->document().save(path));
    QString error;
    const auto saved = vardo::document::readFile(path, &error);
    QVERIFY2(saved, qPrintable(error));
    const QString caption = data2->table().rows[1].value(0);
    QVERIFY(!caption.isEmpty());
    QCOMPARE(saved->picks.value(u"txtG3"_s),
             (vardo::document::PickedRow{caption, saved->inputs.value(u"txtG3"_s)}));
    QCOMPARE(saved->picks.value(u"txtG4"_s), (vardo::document::PickedRow{caption, picked}));
    QVERIFY(saved->picks.contains(u"txtGg1"_s) &&
            saved->picks.value(u"txtGg1"_s).caption.isEmpty());
}

void FilesGuiTest::prompts_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");
    const struct {
        const char* name;
        QString action;
    } actions[] = {{"Выход", u"Command18"_s},
                   {"close box", u"close"_s},
                   {"Новый расчет", u"Command23"_s},
                   {"Открыть", u"cmdOpen"_s}};
    const struct {
        const char* name;
        Answer answer;
    } answers[] = {
        {"Отмена", Answer::Cancel}, {"Не сохранять", Answer::Discard}, {"Сохранить", Answer::Save}};
    for (const auto& a : actions)
        for (const auto& r : answers)
            QTest::addRow("%s, %s", a.name, r.name) << a.action << int(r.answer);
}

void FilesGuiTest::prompts() {
    // State: a calculation file open and its span changed to 77. Action: the button (or the close
    // box), answered. Expected: Отмена changes nothing (no file asked for, nothing cleared or
    // written, the window open); Не сохранять leaves the file as it was and the button does what
    // it always does; Сохранить writes the change into the file, then the button does its work.
    QFETCH(QString, action);
    QFETCH(int, answer);
    QTemporaryDir dir;
    const QString path = copyOf(dir, u"road.vardo"_s, u"расчет.vardo"_s);
    const QString other = copyOf(dir, u"road-quarter.vardo"_s, u"другой.vardo"_s);
    const QByteArray before = fileBytes(path);
    Form1Fixture f;
    QVERIFY(f.show());
    QVERIFY(f.window->document().open(path));
    f.type(u"txtProlet"_s, u"77"_s);
    f.saveAnswer = Answer(answer);
    QStringList asked;
    f.window->setFileChooser([&](FileDialog dialog, const QString&) {
        asked << (dialog == FileDialog::Open ? u"open"_s : u"other"_s);
        return dialog == FileDialog::Open ? other : QString();
    });

    if (action == u"close"_s)
        f.window->close();
    else
        f.click(action);

    QCOMPARE(f.questions, QStringList{u"Сохранить изменения в «расчет.vardo»?"_s});
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'\n')));
    const bool closes = action == u"Command18"_s || action == u"close"_s;
    if (Answer(answer) == Answer::Cancel) {
        QVERIFY(asked.isEmpty());
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.text(u"txtProlet"_s), u"77"_s);
        QCOMPARE(f.window->document().path(), path);
        QVERIFY(f.window->isWindowModified());
        QCOMPARE(fileBytes(path), before);
        return;
    }
    if (Answer(answer) == Answer::Discard)
        QCOMPARE(fileBytes(path), before);
    else
        QCOMPARE(savedInput(path, u"txtProlet"_s), u"77"_s);
    // The button's own work.
    QCOMPARE(f.window->isVisible(), !closes);
    if (action == u"Command23"_s) {
        QCOMPARE(f.text(u"txtProlet"_s), u"0"_s);
        QCOMPARE(shownTitle(f), u"Без имени — Vardo v1.0"_s);
    } else if (action == u"cmdOpen"_s) {
        QCOMPARE(asked, QStringList{u"open"_s});
        QCOMPARE(f.window->document().path(), other);
        QCOMPARE(f.text(u"txtProlet"_s), savedInput(other, u"txtProlet"_s));
        QCOMPARE(shownTitle(f), u"другой.vardo — Vardo v1.0"_s);
    }
}

void FilesGuiTest::noQuestionWhenNothingChanged_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("Выход") << u"Command18"_s;
    QTest::newRow("close box") << u"close"_s;
    QTest::newRow("Новый расчет") << u"Command23"_s;
    QTest::newRow("Открыть") << u"cmdOpen"_s;
}

void FilesGuiTest::noQuestionWhenNothingChanged() {
    QFETCH(QString, action);
    Form1Fixture f;
    QVERIFY(f.show());
    f.window->setFileChooser([](FileDialog, const QString&) { return QString(); });
    if (action == u"close"_s)
        f.window->close();
    else
        f.click(action);
    QVERIFY(f.questions.isEmpty());
}

void FilesGuiTest::saveOfNewCalculationAsksForName() {
    // "Сохранить" for a calculation that has no file asks for a name; no name given, nothing goes
    // on ("Новый расчет" clears nothing); a name given, the file is written, then cleared.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"новый.vardo"_s);
    Document d;
    d.sheet.setText(u"txtProlet"_s, u"12"_s);
    d.saveAnswer = Answer::Save;
    QString name;
    d.doc.setFileNameChooser([&](Document::Name purpose, const QString&) {
        return purpose == Document::Name::Save ? name : QString();
    });
    QVERIFY(!d.doc.startNew());
    QCOMPARE(d.sheet.text(u"txtProlet"_s), u"12"_s);
    QVERIFY(!QFile::exists(path));
    name = path;
    QVERIFY(d.doc.startNew());
    QCOMPARE(d.questions, (QStringList(2, u"Сохранить изменения в «Без имени»?"_s)));
    QCOMPARE(savedInput(path, u"txtProlet"_s), u"12"_s);
    QCOMPARE(d.sheet.text(u"txtProlet"_s), u"0"_s);
}

void FilesGuiTest::fileChangedByAnotherProgram_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("answer");
    using A = vardo::mainwindow::DocumentController::ChangedFileAnswer;
    QTest::newRow("rewritten, Отмена") << u"rewritten"_s << int(A::Cancel);
    QTest::newRow("rewritten, Заменить") << u"rewritten"_s << int(A::Overwrite);
    QTest::newRow("rewritten, Сохранить как") << u"rewritten"_s << int(A::SaveAs);
    QTest::newRow("same size and time, Отмена") << u"same size"_s << int(A::Cancel);
    QTest::newRow("replaced by rename, Отмена") << u"replaced"_s << int(A::Cancel);
    QTest::newRow("deleted, Заменить") << u"deleted"_s << int(A::Overwrite);
    QTest::newRow("unchanged: no question") << QString() << int(A::Cancel);
}

void FilesGuiTest::fileChangedByAnotherProgram() {
    // State: a calculation saved, its span changed to 77 here; meanwhile another program changes
    // the file. Action: "Сохранить" onto the same file. Expected: the question, and its answer
    // done: the other program's bytes kept (Отмена, Сохранить как: into the other name) or
    // replaced (Заменить). An unchanged file is saved over without a question.
    QFETCH(QString, change);
    QFETCH(int, answer);
    using A = vardo::mainwindow::DocumentController::ChangedFileAnswer;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"расчет.vardo"_s);
    const QString other = dir.filePath(u"копия.vardo"_s);
    Document d;
    d.sheet.setText(u"txtVm"_s, u"25"_s);
    QVERIFY(d.doc.save(path));
    d.sheet.setText(u"txtProlet"_s, u"77"_s);
    QByteArray theirs = fileBytes(QStringLiteral(VARDO_TEST_DATA "/road-quarter.vardo"));
    if (change == u"same size"_s) {
        // One digit of the wind speed, the size and the time of the file as they were.
        const QDateTime time = QFileInfo(path).lastModified();
        theirs = fileBytes(path);
        const qsizetype at = theirs.indexOf("\"txtVm\": \"") + 10;
        theirs[at] = theirs[at] == '9' ? '8' : '9';
        QVERIFY(vardo::testing::writeFileBytes(path, theirs));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(time, QFile::FileModificationTime));
    } else if (change == u"replaced"_s) {
        QVERIFY(vardo::testing::writeFileBytes(path + u".new"_s, theirs));
        // Replaces the file in one step on Windows too, as an editor's save does.
        std::error_code error;
        std::filesystem::rename((path + u".new"_s).toStdU16String(), path.toStdU16String(), error);
        QVERIFY2(!error, error.message().c_str());
    } else if (change == u"deleted"_s) {
        QVERIFY(QFile::remove(path));
    } else if (change == u"rewritten"_s) {
        QVERIFY(vardo::testing::writeFileBytes(path, theirs));
    }
    d.changedAnswer = A(answer);
    QStringList names{path, other};
    d.doc.setFileNameChooser([&](Document::Name, const QString&) { return names.takeFirst(); });
    d.doc.saveChosen();

    QCOMPARE(d.questions.size(), change.isEmpty() ? 0 : 1);
    if (!change.isEmpty())
        QVERIFY2(d.questions[0].startsWith(u"Файл «расчет.vardo» "_s), qPrintable(d.questions[0]));
    const bool ours = change.isEmpty() || A(answer) == A::Overwrite;
    if (ours)
        QCOMPARE(savedInput(path, u"txtProlet"_s), u"77"_s);
    else
        QCOMPARE(fileBytes(path), theirs);
    QCOMPARE(savedInput(other, u"txtProlet"_s).startsWith(u"unreadable"_s), A(answer) != A::SaveAs);
    QCOMPARE(d.doc.isModified(), !ours && A(answer) == A::Cancel);
}

void FilesGuiTest::questionBoxButtons() {
    // Without a test's answer the question is a message box captioned "Vardo" with the buttons
    // "Сохранить", "Не сохранять", "Отмена"; "Отмена" keeps the window open.
    QVERIFY(vardo::mainwindow::installToolkitTranslation(qApp));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(VARDO_SAMPLE_DATA));
    auto window = std::make_unique<Form1>();
    QDir::setCurrent(previous);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    QStringList messages;
    window->setMessageSink([&](const QString& text) { messages << text; });
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->findChild<QLineEdit*>(u"txtProlet"_s)->setText(u"5"_s);
    QStringList seen;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, window.get(), [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        answer.stop();
        seen << box->windowTitle() << box->text();
        for (QAbstractButton* b : box->buttons()) seen << b->text();
        box->button(QMessageBox::Cancel)->click();
    });
    answer.start();
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QVERIFY(messages.isEmpty());
    seen.sort();
    QCOMPARE(seen, (QStringList{u"Vardo"_s, u"Не сохранять"_s, u"Отмена"_s, u"Сохранить"_s,
                                u"Сохранить изменения в «Без имени»?"_s}));
    // Qt's own texts are Russian once the program's translation is installed: a field's menu.
    std::unique_ptr<QMenu> menu(
        window->findChild<QLineEdit*>(u"txtProlet"_s)->createStandardContextMenu());
    QStringList items;
    for (QAction* a : menu->actions()) items << a->text().section(u'\t', 0, 0);
    QVERIFY2(items.contains(u"&Копировать"_s), qPrintable(items.join(u'|')));
}

void FilesGuiTest::recentFiles() {
    // Newest first, none twice, at most eight; the arrow on "Открыть" shows them, and choosing one
    // opens it.
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 1; i <= 10; ++i) paths << copyOf(dir, u"road.vardo"_s, u"%1.vardo"_s.arg(i));
    Form1Fixture f;
    QVERIFY(f.show());
    for (const QString& p : paths) QVERIFY(f.window->document().open(p));
    QVERIFY(f.window->document().open(paths[5]));
    const QStringList expected{paths[5], paths[9], paths[8], paths[7],
                               paths[6], paths[4], paths[3], paths[2]};
    QCOMPARE(RecentFiles::files(), expected);
    // Written for the next run, off the window's thread: the settings file holds the list.
    RecentFiles::flush();
    QCOMPARE(vardo::openSettings()->value(u"files/recent"_s).toStringList(), expected);

    auto* arrow = f.get<QToolButton>(u"cmdRecent"_s);
    QVERIFY(arrow && arrow->isVisible());
    QCOMPARE(arrow->menu(), f.window->recentMenu());
    // The arrow lies on "Открыть", which keeps its place and its click.
    const QRect open = f.get(u"cmdOpen"_s)->geometry();
    QVERIFY(open.contains(arrow->geometry()));
    Q_EMIT f.window->recentMenu()->aboutToShow();
    QStringList entries;
    QAction* third = nullptr;
    for (QAction* a : f.window->recentMenu()->actions()) {
        if (a->data().toString().isEmpty()) continue;
        entries << a->text();
        if (entries.size() == 3) third = a;
    }
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries.first(), u"&1 6.vardo"_s);
    QVERIFY(third);
    third->trigger();
    QCOMPARE(f.window->document().path(), paths[8]);
    QCOMPARE(RecentFiles::files().first(), paths[8]);

    // A file kept meanwhile by another copy of the program stays: an open's change is applied to
    // what the settings hold when it is written, after the open.
    RecentFiles::flush();
    QVERIFY(f.window->document().open(paths[0]));
    const QString theirs = dir.filePath(u"их.vardo"_s);
    vardo::openSettings()->setValue(u"files/recent"_s, QStringList{theirs});
    RecentFiles::flush();
    QCOMPARE(vardo::openSettings()->value(u"files/recent"_s).toStringList(),
             (QStringList{paths[0], theirs}));
}

void FilesGuiTest::vanishedRecentFile() {
    // A recent file that is gone: a message names it and its folder, it leaves the list, and the
    // window is left as it was (not even the question is asked).
    QTemporaryDir dir;
    const QString kept = copyOf(dir, u"road.vardo"_s, u"есть.vardo"_s);
    const QString gone = copyOf(dir, u"road-quarter.vardo"_s, u"нет.vardo"_s);
    Form1Fixture f;
    QVERIFY(f.show());
    QVERIFY(f.window->document().open(gone));
    QVERIFY(f.window->document().open(kept));
    QVERIFY(QFile::remove(gone));
    f.type(u"txtProlet"_s, u"77"_s);
    Q_EMIT f.window->recentMenu()->aboutToShow();
    QAction* entry = nullptr;
    for (QAction* a : f.window->recentMenu()->actions())
        if (a->data().toString() == gone) entry = a;
    QVERIFY(entry);
    entry->trigger();
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].contains(u"«нет.vardo»"_s) &&
                 f.messages[0].contains(QDir::toNativeSeparators(dir.path())) &&
                 f.messages[0].contains(u"недавних"_s),
             qPrintable(f.messages[0]));
    QCOMPARE(RecentFiles::files(), QStringList{kept});
    QVERIFY(f.questions.isEmpty());
    QCOMPARE(f.text(u"txtProlet"_s), u"77"_s);
    QCOMPARE(f.window->document().path(), kept);
}

void FilesGuiTest::droppedFileOpens_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("on the window") << QString();
    QTest::newRow("on a text field") << u"txtProlet"_s;
}

void FilesGuiTest::droppedFileOpens() {
    // A .vardo file dropped on the window, or on a field, opens (after the question), and a field
    // does not take the file's name as its text.
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString path = copyOf(dir, u"road.vardo"_s, u"брошен.vardo"_s);
    Form1Fixture f;
    QVERIFY(f.show());
    f.type(u"txtProlet"_s, u"77"_s);
    QWidget* on = target.isEmpty() ? f.window.get() : f.get(target);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    mime.setText(path);
    const QPoint at = on->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(on, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(on, &drop);
    QTRY_COMPARE(f.window->document().path(), path);
    QCOMPARE(f.questions, QStringList{u"Сохранить изменения в «Без имени»?"_s});
    QCOMPARE(f.text(u"txtProlet"_s), savedInput(path, u"txtProlet"_s));

    // Something else dropped is not taken.
    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(QStringLiteral(VARDO_SAMPLE_DATA "/т11.1.xls"))});
    QDragEnterEvent other(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
    other.setAccepted(false);
    QApplication::sendEvent(f.window.get(), &other);
    QVERIFY(!other.isAccepted());
}

void FilesGuiTest::dialogsStartInLastFolder() {
    // The file dialogs start in the folder used last; before any, and when it is gone, in the
    // documents folder (the home folder without one), never among the program's tables.
    Form1Fixture f;
    QVERIFY(f.show());
    QStringList starts;
    f.window->setFileChooser([&](FileDialog, const QString& suggested) {
        starts << suggested;
        return QString();
    });
    const QString documents = RecentFiles::documentsFolder();
    QVERIFY(QFileInfo(documents).isDir());
    QVERIFY(documents != QDir::currentPath());
    f.click(u"cmdOpen"_s);
    f.click(u"cmdSave"_s);
    QCOMPARE(starts, (QStringList{documents, documents + u"/Расчет.vardo"_s}));

    auto dir = std::make_unique<QTemporaryDir>();
    const QString path = dir->filePath(u"здесь.vardo"_s);
    QVERIFY(f.window->document().save(path));
    starts.clear();
    f.click(u"cmdOpen"_s);
    f.click(u"cmdReport"_s);
    QCOMPARE(starts, (QStringList{dir->path(), dir->path() + u"/здесь.pdf"_s}));

    const QString gone = dir->path();
    dir.reset();
    QVERIFY(!QFileInfo::exists(gone));
    starts.clear();
    f.click(u"cmdOpen"_s);
    QCOMPARE(starts, QStringList{documents});
}

void FilesGuiTest::helpKeyInEveryWindow() {
    // State: no help page in any folder and no browser (an empty working folder). Action: F1 in
    // the main window on an arm, in the calculator, in the grade window, "Помощь" of About.
    // Expected: the program's own help window with the guide and its contents, opened at the
    // section of the focused control.
    QTemporaryDir empty;
    Form1Fixture f(empty.path());
    QVERIFY(f.show());
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    f.messages.clear();  // the tables are missing
    f.window->findChild<QWidget*>(u"txtL3"_s)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QWidget* help = f.window->helpWindow();
    QVERIFY(help && QTest::qWaitForWindowExposed(help));
    auto* text = help->findChild<QTextBrowser*>(u"helpText"_s);
    QVERIFY(text->toPlainText().contains(u"Что считает программа"_s));
    QVERIFY(help->findChild<QTreeWidget*>(u"helpContents"_s)->topLevelItemCount() >= 10);
    const auto topLine = [text] {
        return text->cursorForPosition(QPoint(8, 8)).block().text().trimmed();
    };
    QCOMPARE(topLine(), u"Плечи, пролёт и вес Gт"_s);

    f.click(u"Option17"_s);
    f.click(u"Command25"_s);
    QWidget* calculator = f.window->calculatorWindow();
    QVERIFY(calculator && QTest::qWaitForWindowActive(calculator));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(f.window->helpWindow(), help);
    QCOMPARE(topLine(), u"Калькулятор"_s);
    f.click(u"Command14"_s);
    f.click(u"cmdGrades"_s);
    auto* grades = f.window->findChild<QWidget*>(u"GradeWindow"_s);
    QVERIFY(grades && QTest::qWaitForWindowActive(grades));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(topLine(), u"Подбор ригеля"_s);

    help->close();
    QTRY_VERIFY(!f.window->helpWindow());
    f.click(u"Command19"_s);
    QWidget* about = f.window->aboutWindow();
    QVERIFY(about && QTest::qWaitForWindowExposed(about));
    about->findChild<QPushButton*>(u"Command2"_s)->click();
    QVERIFY(f.window->helpWindow() && f.window->helpWindow()->isVisible());
    QVERIFY(f.messages.isEmpty());
}

void FilesGuiTest::helpFindsWords() {
    // State: the help window. Action: a word typed in the find field, then "Далее"; a word the
    // guide does not hold. Expected: the match selected whatever its case, the count shown, the
    // next match after it; "не найдено".
    Form1Fixture f;
    QVERIFY(f.show());
    QTest::keyClick(f.window.get(), Qt::Key_F1);
    QWidget* help = f.window->helpWindow();
    QVERIFY(help);
    auto* text = help->findChild<QTextBrowser*>(u"helpText"_s);
    auto* status = help->findChild<QLabel*>(u"helpFindStatus"_s);
    QTest::keyClicks(help->findChild<QLineEdit*>(u"helpFind"_s), u"vm"_s);
    QCOMPARE(text->textCursor().selectedText(), u"Vm"_s);
    QVERIFY2(status->text().startsWith(u"1 из "_s), qPrintable(status->text()));
    const int first = text->textCursor().selectionStart();
    help->findChild<QPushButton*>(u"helpFindNext"_s)->click();
    QVERIFY2(status->text().startsWith(u"2 из "_s), qPrintable(status->text()));
    QVERIFY(text->textCursor().selectionStart() > first);

    auto* field = help->findChild<QLineEdit*>(u"helpFind"_s);
    field->clear();
    QTest::keyClicks(field, u"vmz"_s);
    QCOMPARE(status->text(), u"не найдено"_s);
}

void FilesGuiTest::tabOrderFollowsLayout() {
    // Tab from the first control goes through the shown controls as they are read: the input
    // panel's rows, the arm and load rows point by point, the bottom row from left to right;
    // hidden controls are passed over, and take their place once shown.
    Form1Fixture f;
    QVERIFY(f.show());
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    const auto chain = [&f] {
        QWidget* start = f.get(u"Command24"_s);
        start->setFocus(Qt::TabFocusReason);
        QStringList names;
        for (int i = 0; i < 200; ++i) {
            QWidget* w = QApplication::focusWidget();
            if (!w || (i > 0 && w == start)) break;
            names << w->objectName();
            QTest::keyClick(w, Qt::Key_Tab);
        }
        return names;
    };
    QStringList names = chain();
    for (const QString& n : names) QVERIFY2(f.get(n) && f.get(n)->isVisible(), qPrintable(n));
    // A group of options is one stop, at its chosen option (the arrow keys choose within it).
    QVERIFY(f.checked(u"Option16"_s));
    const QStringList bottom{u"Command24"_s, u"Option16"_s,  u"cmdOpen"_s, u"cmdRecent"_s,
                             u"cmdSave"_s,   u"cmdReport"_s, u"cmdMore"_s, u"Command23"_s,
                             u"Command19"_s, u"Command18"_s};
    QCOMPARE(names.mid(0, bottom.size()), bottom);
    QStringList points;
    for (int i = 1; i <= 8; ++i) points << u"txtL%1"_s.arg(i) << u"txtP%1"_s.arg(i);
    const qsizetype arms = names.indexOf(u"txtL1"_s);
    QVERIFY(arms > 0);
    QCOMPARE(names.mid(arms, points.size()), points);
    QStringList loads;
    for (int i = 1; i <= 8; ++i) loads << u"txtG%1"_s.arg(i);
    const qsizetype g = names.indexOf(u"txtG1"_s);
    QVERIFY(g > arms);
    QCOMPARE(names.mid(g, loads.size()), loads);
    QVERIFY(!names.contains(u"txtGg1"_s));
    // The navigators are stops of their own.
    QVERIFY(names.contains(u"Data1"_s) || names.contains(u"Data2"_s));

    // With ice, the Gг row takes the G row's place in the order.
    f.window->sheet().setVisible(u"txtG1"_s, false);
    f.window->sheet().setVisible(u"txtGg1"_s, true);
    names = chain();
    QCOMPARE(names.indexOf(u"txtGg1"_s), g);
    QVERIFY(!names.contains(u"txtG1"_s));
}

QTEST_MAIN(FilesGuiTest)
#include "files_gui_test.moc"
