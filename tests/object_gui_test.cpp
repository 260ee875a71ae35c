// The main window's menu "…": the object data edited in its dialog, kept in the calculation file
// and printed in the report; the report printed; the schedule of the calculation files of a folder;
// the suspension scheme for CAD.

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPdfDocument>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>

#include "core/datafile.h"
#include "document/calculation.h"
#include "document/schedule.h"
#include "mainwindow/form1.h"
#include "mainwindow/objectdialog.h"
#include "tests/support/files.h"
#include "tests/support/form1fixture.h"

using namespace Qt::Literals::StringLiterals;
using vardo::document::ObjectData;
using vardo::mainwindow::Form1;
using vardo::mainwindow::ObjectDialog;
using vardo::testing::Form1Fixture;

namespace {

const ObjectData kSigned = {u"ст. Ясная"_s,    u"12 (опоры 23, 24)"_s, u"Иванов И. И."_s,
                            u"Петров П. П."_s, u"07.12.2026"_s,        u"пролет над путями"_s};

QAction* action(Form1Fixture& f, const QString& name) {
    auto* button = f.get<QPushButton>(u"cmdMore"_s);
    auto* menu = button ? button->findChild<QMenu*>() : nullptr;
    return menu ? menu->findChild<QAction*>(name) : nullptr;
}

// Fills the dialog as a user types, and presses "ОК" or "Отмена".
void fillDialog(Form1Fixture& f, const ObjectData& data, bool accept) {
    f.window->editObjectData();
    auto* dialog = f.window->findChild<ObjectDialog*>();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), u"Данные объекта"_s);
    for (const vardo::document::ObjectField& field : vardo::document::objectFields()) {
        QLineEdit* line = dialog->field(QString::fromUtf16(field.key));
        QVERIFY(line);
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
        // Typed as one input (QTest types Latin-1 only).
        line->insert(data.*field.member);
    }
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    QTest::mouseClick(buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                      Qt::LeftButton);
    // The one window-modal dialog the test opened.
    const QStringList seen = f.modalGuard.takeSeen();
    QCOMPARE(seen.size(), 1);
    QVERIFY(seen.first().contains(u"Данные объекта"_s));
}

QString pdfText(const QString& path) {
    QPdfDocument pdf;
    if (pdf.load(path) != QPdfDocument::Error::None) return {};
    return pdf.getAllText(0).text().simplified();
}

// The pages of a PDF file as Qt PDF renders them, at 100 dpi.
QList<QImage> pdfImages(const QString& path) {
    QPdfDocument pdf;
    QList<QImage> pages;
    if (pdf.load(path) != QPdfDocument::Error::None) return pages;
    for (int p = 0; p < pdf.pageCount(); ++p)
        pages << pdf.render(p, (pdf.pagePointSize(p) * 100 / 72).toSize());
    return pages;
}

}  // namespace

class ObjectGuiTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void menuButtonInTheFreePartOfTheBottomRow();
    void objectDataThroughDialogFileAndReport();
    void cancelKeepsObjectData();
    void printedAsThePdf();
    void olderFileOpensWithoutObjectData();
    void folderSchedule();
    void folderWithoutCalculations();
    void folderScheduleSummaryAndStop_data();
    void folderScheduleSummaryAndStop();
    void tablesFolderIsKeptForTheNextStart();
    void schemeForCad_data();
    void schemeForCad();
};

void ObjectGuiTest::menuButtonInTheFreePartOfTheBottomRow() {
    // State: the window at start. Expected: "…" between "Отчет" and "Новый расчет", in the row of
    // the bottom buttons, with the two commands.
    Form1Fixture f;
    QVERIFY(f.show());
    auto* more = f.get<QPushButton>(u"cmdMore"_s);
    QVERIFY(more && more->isVisible());
    const QRect report = f.get(u"cmdReport"_s)->geometry();
    const QRect next = f.get(u"Command23"_s)->geometry();
    QVERIFY(more->geometry().left() > report.right());
    QVERIFY(more->geometry().right() < next.left());
    QCOMPARE(more->geometry().top(), next.top());
    QCOMPARE(more->geometry().height(), next.height());
    // It covers none of the window's own controls.
    for (QWidget* w : more->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != more && w->isVisible())
            QVERIFY2(!w->geometry().intersects(more->geometry()), qPrintable(w->objectName()));
    QVERIFY(action(f, u"actionObject"_s));
    QCOMPARE(action(f, u"actionObject"_s)->text(), u"Данные объекта…"_s);
    QVERIFY(action(f, u"actionSchedule"_s));
    QCOMPARE(action(f, u"actionSchedule"_s)->text(), u"Ведомость папки…"_s);
    // A click shows the whole menu under the button; where the screen ends below, Qt lifts it
    // to the screen's edge or shows it above.
    f.click(u"cmdMore"_s);
    auto* menu = more->findChild<QMenu*>();
    QTRY_VERIFY(menu->isVisible());
    const QRect screen = menu->screen()->geometry(), shown = menu->geometry();
    QVERIFY(screen.contains(shown));
    QVERIFY(shown.top() >= more->mapToGlobal(QPoint(0, more->height())).y() - 1 ||
            shown.bottom() == screen.bottom() ||
            shown.bottom() <= more->mapToGlobal(QPoint(0, 0)).y() + 1);
    menu->close();
}

void ObjectGuiTest::objectDataThroughDialogFileAndReport() {
    // State: a window; the object data typed in the dialog. Action: save, open in another
    // window, write the report. Expected: the same object data everywhere, in the PDF too.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"расчет.vardo"_s);
    {
        Form1Fixture f;
        QVERIFY(f.show());
        fillDialog(f, kSigned, true);
        QVERIFY(f.window->document().objectData() == kSigned);
        QVERIFY(f.window->document().save(path));
        QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'\n')));
    }
    QString error;
    const std::optional<vardo::document::Calculation> saved =
        vardo::document::readFile(path, &error);
    QVERIFY2(saved, qPrintable(error));
    QVERIFY(saved->object == kSigned);

    Form1Fixture g;
    QVERIFY(g.show());
    QVERIFY(g.window->document().objectData().isEmpty());
    QVERIFY(g.window->document().open(path));
    QVERIFY(g.window->document().objectData() == kSigned);
    const QString pdf = dir.filePath(u"отчет.pdf"_s);
    QVERIFY(g.window->writeReport(pdf));
    const QString text = pdfText(pdf);
    for (const QString& e :
         {u"Объект (станция, перегон): ст. Ясная"_s, u"Поперечина / опоры №: 12 (опоры 23, 24)"_s,
          u"Разработал Иванов И. И. 07.12.2026"_s, u"Проверил Петров П. П."_s,
          u"Примечание: пролет над путями"_s})
        QVERIFY2(text.contains(e), qPrintable(e + u"\n"_s + text.left(800)));
    // Reopened, the dialog shows what the file holds.
    g.window->editObjectData();
    auto* dialog = g.window->findChild<ObjectDialog*>();
    QVERIFY(dialog);
    QCOMPARE(dialog->field(u"checkedBy"_s)->text(), kSigned.checkedBy);
    dialog->reject();
    g.modalGuard.takeSeen();
}

void ObjectGuiTest::printedAsThePdf() {
    // State: a window with object data; the print preview replaced by a printer that writes a
    // PDF file. Action: "Печать…" in the menu, then the report's PDF. Expected: the same pages,
    // pixel for pixel.
    Form1Fixture f;
    QVERIFY(f.show());
    fillDialog(f, kSigned, true);
    QTemporaryDir dir;
    QString printed = dir.filePath(u"печать.pdf"_s);
    Form1::PrintEnd end = Form1::PrintEnd::Printed;
    f.window->setPrintPreview([&](QPrinter& printer, const std::function<bool(QPrinter&)>& paint) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        if (end != Form1::PrintEnd::Printed) return end;
        return paint(printer) ? end : Form1::PrintEnd::Failed;
    });
    // The report is dated to the minute: both made in the same one.
    while (QTime::currentTime().second() >= 55) QTest::qWait(500);
    action(f, u"actionPrint"_s)->trigger();
    const QString pdf = dir.filePath(u"отчет.pdf"_s);
    QVERIFY(f.window->writeReport(pdf));
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'\n')));
    const QList<QImage> pages = pdfImages(printed), expected = pdfImages(pdf);
    QVERIFY(!pages.isEmpty());
    QCOMPARE(pages.size(), expected.size());
    for (int p = 0; p < pages.size(); ++p)
        QVERIFY2(pages[p] == expected[p], qPrintable(QString::number(p + 1)));

    // Ctrl+P: a preview closed without printing, no printer, a printer that takes nothing: each
    // is told, none as printed. The key reaches the window's shortcut once the window is active
    // again after the object data dialog (on a busy machine, not at once).
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    const struct {
        Form1::PrintEnd end;
        QString printTo;
        QString message;
    } failures[] = {
        {Form1::PrintEnd::Cancelled, printed, u"Печать отменена: отчет не напечатан."_s},
        {Form1::PrintEnd::NoPrinter, printed, u"не установлен ни один принтер"_s},
        {Form1::PrintEnd::Printed, dir.filePath(u"нет/печать.pdf"_s),
         u"Отчет не напечатан: файл «печать.pdf» не записан."_s},
    };
    for (const auto& failure : failures) {
        end = failure.end;
        printed = failure.printTo;
        f.messages.clear();
        QTest::keyClick(f.window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages[0].contains(failure.message), qPrintable(f.messages[0]));
    }
}

void ObjectGuiTest::cancelKeepsObjectData() {
    Form1Fixture f;
    QVERIFY(f.show());
    f.window->document().setObjectData(kSigned);
    ObjectData other = kSigned;
    other.designedBy = u"Сидоров"_s;
    fillDialog(f, other, false);
    QVERIFY(f.window->document().objectData() == kSigned);
}

void ObjectGuiTest::olderFileOpensWithoutObjectData() {
    // State: object data in the window. Action: open a file of the first version of the format.
    // Expected: it opens, and the window holds its (empty) object data, not the previous one.
    Form1Fixture f;
    QVERIFY(f.show());
    f.window->document().setObjectData(kSigned);
    QVERIFY(f.window->document().open(QStringLiteral(VARDO_TEST_DATA "/road.vardo")));
    QVERIFY(f.window->document().objectData().isEmpty());
}

void ObjectGuiTest::folderSchedule() {
    // State: a folder with two calculations, one cut short, and a file of another kind.
    QTemporaryDir dir;
    for (const QString& name : {u"road.vardo"_s, u"road-quarter.vardo"_s})
        QVERIFY(QFile::copy(QStringLiteral(VARDO_TEST_DATA) + u'/' + name, dir.filePath(name)));
    QFile broken(dir.filePath(u"обрыв.vardo"_s));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{\"format\": \"vardo-calculation\", \"version\": 2,");
    broken.close();
    QFile other(dir.filePath(u"заметки.txt"_s));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    Form1Fixture f;
    QVERIFY(f.show());
    QStringList asked;
    const QString csv = dir.filePath(u"ведомость.csv"_s);
    f.window->setFileChooser([&](Form1::FileDialog dialog, const QString&) {
        asked << QString::number(int(dialog));
        return dialog == Form1::FileDialog::ScheduleFolder ? dir.path() : csv;
    });
    // Action: "Ведомость папки…". Expected: the folder, then the file asked for; the schedule
    // written with a row per calculation file; the message says so and names the broken file.
    action(f, u"actionSchedule"_s)->trigger();
    QCOMPARE(asked, (QStringList{QString::number(int(Form1::FileDialog::ScheduleFolder)),
                                 QString::number(int(Form1::FileDialog::Schedule))}));
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].startsWith(u"Ведомость «ведомость.csv» записана: 3 файла расчета"_s),
             qPrintable(f.messages[0]));
    QVERIFY2(f.messages[0].contains(u"Не прочитаны (1)"_s) &&
                 f.messages[0].contains(u"«обрыв.vardo»: файл обрезан"_s),
             qPrintable(f.messages[0]));
    QFile written(csv);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(written.readAll().mid(3)).split(u"\r\n"_s);
    QCOMPARE(lines.size(), 5);  // the header, three rows, and the end of the last line
    QVERIFY(lines[1].endsWith(u";road-quarter.vardo"_s) || lines[1].endsWith(u";road.vardo"_s));
    QVERIFY(lines[3].endsWith(u";обрыв.vardo"_s));
}

void ObjectGuiTest::folderWithoutCalculations() {
    // State: an empty folder. Action: its schedule. Expected: nothing written, the reason told.
    QTemporaryDir dir;
    Form1Fixture f;
    const QString path = dir.filePath(u"ведомость.xlsx"_s);
    QVERIFY(!f.window->writeFolderSchedule(dir.path(), path));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].contains(u"нет файлов расчета"_s), qPrintable(f.messages[0]));
}

void ObjectGuiTest::folderScheduleSummaryAndStop_data() {
    QTest::addColumn<int>("unreadable");
    QTest::addColumn<int>("stopAt");  // the file at which "Отмена" is pressed; -1: none
    QTest::addColumn<QString>("expected");
    QTest::newRow("3 unread: all named")
        << 3 << -1 << u"причиной:\nНе удалось открыть файл расчета «0.vardo»"_s;
    QTest::newRow("6 unread") << 6 << -1 << u"\n… и ещё 1 файл (все причины — в ведомости)."_s;
    QTest::newRow("8 unread") << 8 << -1 << u"\n… и ещё 3 файла (все"_s;
    QTest::newRow("26 unread") << 26 << -1 << u"\n… и ещё 21 файл (все"_s;
    QTest::newRow("17 unread") << 17 << -1 << u"\n… и ещё 12 файлов (все"_s;
    QTest::newRow("Отмена at the third file")
        << 8 << 2
        << u"Ведомость «ведомость.csv» не записана: составление остановлено («Отмена»), "
           u"прочитано файлов расчета: 2 из 8. Прежний файл с этим именем не изменен."_s;
}

void ObjectGuiTest::folderScheduleSummaryAndStop() {
    // State: a folder of files that cannot be read, and an older schedule. Action: its schedule,
    // stopped or not. Expected: progress told before each file; the message names the first five
    // reasons and counts the rest, or, stopped, says that nothing was written and the old file is
    // as it was.
    QFETCH(int, unreadable);
    QFETCH(int, stopAt);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    for (int i = 0; i < unreadable; ++i) {
        QFile broken(dir.filePath(QString::number(i) + u".vardo"_s));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("{") == 1);
    }
    const QString csv = dir.filePath(u"ведомость.csv"_s);
    QVERIFY(vardo::testing::writeFileBytes(csv, "older"));
    Form1Fixture f;
    f.stopAt = stopAt;
    QCOMPARE(f.window->writeFolderSchedule(dir.path(), csv), stopAt < 0);
    QCOMPARE(f.progress.size(), stopAt < 0 ? unreadable : stopAt + 1);
    QCOMPARE(f.progress.last(), stopAt < 0 ? unreadable - 1 : stopAt);
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].contains(expected), qPrintable(f.messages[0]));
    QVERIFY(f.messages[0].count(u'\n') <= 7);
    QCOMPARE(f.messages[0].contains(u"ещё"_s), stopAt < 0 && unreadable > 5);
    QCOMPARE(vardo::testing::fileBytes(csv) == "older", stopAt >= 0);
}

void ObjectGuiTest::tablesFolderIsKeptForTheNextStart() {
    // State: no tables folder chosen. Action: choose a folder without workbooks, then one with the
    // sample tables, through the menu's action. Expected: the first is refused and nothing is
    // kept; the second is kept, and the next start reads a table from it that the working folder
    // lacks.
    vardo::setTablesFolder(QString());
    QTemporaryDir empty, tables, work;
    const QDir sample(QStringLiteral(VARDO_SAMPLE_DATA));
    for (const QString& name : sample.entryList({u"*.xls"_s}, QDir::Files))
        QVERIFY(QFile::copy(sample.filePath(name), QDir(tables.path()).filePath(name)));
    QString answer;
    {
        Form1Fixture f;
        QVERIFY(f.show());
        f.window->setFileChooser([&](Form1::FileDialog d, const QString&) {
            return d == Form1::FileDialog::TablesFolder ? answer : QString();
        });
        auto* action = f.window->findChild<QAction*>(u"actionTablesFolder"_s);
        QVERIFY(action);
        answer = empty.path();
        action->trigger();
        QCOMPARE(f.messages.size(), 1);
        QVERIFY2(f.messages[0].contains(u"нет ни одной справочной таблицы"_s),
                 qPrintable(f.messages[0]));
        QVERIFY(vardo::tablesFolder().isEmpty());
        answer = tables.path();
        action->trigger();
        QCOMPARE(f.messages.size(), 2);
        QVERIFY2(f.messages[1].contains(u"запомнена"_s), qPrintable(f.messages[1]));
        QCOMPARE(vardo::tablesFolder(), QDir(tables.path()).absolutePath());
    }
    // The next start, in a folder with no tables at all: every table comes from the chosen one.
    Form1Fixture next(work.path());
    QVERIFY(next.show());
    QTest::qWait(50);
    QVERIFY2(next.messages.isEmpty(), qPrintable(next.messages.join(u'\n')));
    QCOMPARE(next.text(u"Label3"_s), u"ПБСМ70+МФ85"_s);
    vardo::setTablesFolder(QString());
}

void ObjectGuiTest::schemeForCad_data() {
    QTest::addColumn<QString>("name");  // in a fresh folder; "<workbook>": the sample т36.1.xls
    QTest::addColumn<QString>("message");
    QTest::newRow("written") << u"схема.dxf"_s << u"Схема подвеса записана в файл"_s;
    QTest::newRow("a folder") << u"папка"_s
                              << u"Не удалось записать схему «папка»: это папка, а не файл"_s;
    QTest::newRow("a workbook the window reads")
        << u"<workbook>"_s << u"Схема «т36.1.xls» не записана: это справочную таблицу"_s;
}

void ObjectGuiTest::schemeForCad() {
    // State: point 1 typed at the left arm 3,5. Action: "Схема в DXF…", the file chosen.
    // Expected: the drawing written with the arm in the texts of its code page, and a message
    // that says so; a folder or a table the window reads is refused, and stays as it was.
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"папка"_s));
    const QString path = name == u"<workbook>"_s
                             ? QStringLiteral(VARDO_SAMPLE_DATA) + u"/т36.1.xls"_s
                             : dir.filePath(name);
    const QByteArray before = vardo::testing::fileBytes(path);
    Form1Fixture f;
    f.type(u"txtL1"_s, u"3,5"_s);
    f.type(u"txtG1"_s, u"1,59"_s);
    f.window->setFileChooser([&](Form1::FileDialog dialog, const QString& suggested) {
        return dialog == Form1::FileDialog::Scheme && suggested.endsWith(u".dxf"_s) ? path
                                                                                    : QString();
    });
    action(f, u"actionScheme"_s)->trigger();
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages[0].startsWith(message), qPrintable(f.messages[0]));
    const QByteArray after = vardo::testing::fileBytes(path);
    if (name != u"схема.dxf"_s) {
        QCOMPARE(after, before);
        return;
    }
    QVERIFY(after.contains("$DWGCODEPAGE\n  3\nANSI_1251\n"));
    QVERIFY(after.contains("\n  1\nL1 = 3,5\n"));
    // "Ригель" in Windows-1251.
    QVERIFY(after.contains("\n  2\n\xD0\xE8\xE3\xE5\xEB\xFC\n"));
}

QTEST_MAIN(ObjectGuiTest)
#include "object_gui_test.moc"
