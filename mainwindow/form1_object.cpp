// Form1's menu "…" in the bottom row: "Данные объекта…" (the object data of the calculation, in a
// small dialog) and "Ведомость папки…" (the schedule of crossbeams of every calculation file of a
// folder, schedule.h), checked against the tables the window shows, and "Папка таблиц…" (the
// folder of an organisation's own tables, kept in the settings); "Схема в DXF…" (the suspension
// scheme for CAD, schemedxf.h).

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>

#include "core/catalogue.h"
#include "core/datafile.h"
#include "core/messages.h"
#include "core/safefile.h"
#include "document/calculation.h"
#include "document/schedule.h"
#include "document/schemedxf.h"
#include "mainwindow/form1.h"
#include "mainwindow/objectdialog.h"
#include "mainwindow/sheethistory.h"
#include "tables/datasource.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

QString startFolder(const QString& calculationPath) {
    if (!calculationPath.isEmpty()) return QFileInfo(calculationPath).absolutePath();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

// "3 файла", "5 файлов", "21 файл".
QString files(qsizetype n) {
    const qsizetype last = n % 10, lastTwo = n % 100;
    const QString word = (lastTwo >= 11 && lastTwo <= 14) ? u"файлов"_s
                         : last == 1                      ? u"файл"_s
                         : (last >= 2 && last <= 4)       ? u"файла"_s
                                                          : u"файлов"_s;
    return QString::number(n) + u' ' + word;
}

}  // namespace

void Form1::wireObject() {
    auto* button = qobject_cast<QPushButton*>(controls_.value(names::cmdMore));
    if (!button) return;
    button->setToolTip(u"Данные объекта, ведомость поперечин, схема в DXF"_s);
    auto* menu = new QMenu(button);
    QAction* object = menu->addAction(u"Данные объекта…"_s);
    object->setObjectName(u"actionObject"_s);
    connect(object, &QAction::triggered, this, &Form1::editObjectData);
    QAction* schedule = menu->addAction(u"Ведомость папки…"_s);
    schedule->setObjectName(u"actionSchedule"_s);
    connect(schedule, &QAction::triggered, this, &Form1::onSchedule);
    QAction* scheme = menu->addAction(u"Схема в DXF…"_s);
    scheme->setObjectName(u"actionScheme"_s);
    connect(scheme, &QAction::triggered, this, &Form1::onScheme);
    // The report: printed, or written as a PDF (as "Отчет" does).
    QAction* print = menu->addAction(u"Печать…\tCtrl+P"_s);
    print->setObjectName(u"actionPrint"_s);
    connect(print, &QAction::triggered, this, &Form1::printReport);
    QAction* pdf = menu->addAction(u"Сохранить PDF…\tCtrl+Shift+P"_s);
    pdf->setObjectName(u"actionPdf"_s);
    connect(pdf, &QAction::triggered, this, &Form1::onReport);
    QAction* tables = menu->addAction(u"Папка таблиц…"_s);
    tables->setObjectName(u"actionTablesFolder"_s);
    connect(tables, &QAction::triggered, this, &Form1::onTablesFolder);
    // Shown under the button on a click; not the button's own menu, whose arrow would take the
    // little room the button has.
    connect(button, &QPushButton::clicked, menu,
            [button, menu] { menu->popup(button->mapToGlobal(QPoint(0, button->height()))); });
}

void Form1::onTablesFolder() {
    const QString kept = tablesFolder();
    const QString folder = chooseFile(FileDialog::TablesFolder,
                                      kept.isEmpty() ? startFolder(document_->path()) : kept);
    if (!folder.isEmpty()) chooseTablesFolder(folder);
}

bool Form1::chooseTablesFolder(const QString& folder) {
    const QDir dir(folder);
    QStringList present;
    for (const catalogue::DataSourceInfo& d : catalogue::dataSources())
        if (QFileInfo(dir.filePath(QString::fromUtf16(d.workbook))).isFile())
            present << QString::fromUtf16(d.workbook);
    const QString shown = QDir::toNativeSeparators(dir.absolutePath());
    if (present.isEmpty()) {
        sheet_->message(u"Папка таблиц не изменена: в папке «"_s + shown +
                        u"» нет ни одной справочной таблицы (т11.1.xls, т36.1.xls, ...)."_s);
        return false;
    }
    if (QString why; !setTablesFolder(dir.absolutePath(), &why)) {
        sheet_->message(u"Папка таблиц «"_s + shown + u"» не запомнена: "_s + why +
                        u". Таблицы из нее при следующем запуске прочитаны не будут."_s);
        return false;
    }
    sheet_->message(u"Папка таблиц «"_s + shown + u"» запомнена (таблиц в ней: "_s +
                    QString::number(present.size()) +
                    u"). Таблицы из нее будут прочитаны при следующем запуске программы, если их "
                    u"нет в рабочей папке и в папке программы."_s);
    return true;
}

void Form1::editObjectData() {
    // Window-modal, not a loop of its own: the window waits, the program does not.
    auto* dialog = new ObjectDialog(document_->objectData(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        history_->begin(u"«Данные объекта»"_s);
        document_->setObjectData(dialog->data());
    });
    dialog->open();
}

void Form1::onSchedule() {
    const QString folder = chooseFile(FileDialog::ScheduleFolder, startFolder(document_->path()));
    if (folder.isEmpty()) return;
    const QString path =
        chooseFile(FileDialog::Schedule, QDir(folder).filePath(u"Ведомость.xlsx"_s));
    if (!path.isEmpty()) writeFolderSchedule(folder, path);
}

bool Form1::writeFolderSchedule(const QString& folder, const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const auto refuse = [&](const QString& why) {
        sheet_->message(u"Ведомость «"_s + name + u"» не записана: "_s + why);
        return false;
    };
    if (!document::scheduleFormat(path))
        return refuse(u"ее имя должно кончаться на .xlsx или .csv."_s);
    QStringList paths;
    const QFileInfoList found =
        QDir(folder).entryInfoList({u"*."_s + document::fileSuffix()}, QDir::Files, QDir::Name);
    for (const QFileInfo& f : found) paths << f.absoluteFilePath();
    if (paths.isEmpty())
        return refuse(u"в папке «"_s + QDir::toNativeSeparators(folder) +
                      u"» нет файлов расчета (*."_s + document::fileSuffix() + u")."_s);
    // Nothing the schedule reads is replaced by it.
    for (const QString& p : paths)
        if (isSameFile(path, p))
            return refuse(u"это файл расчета «"_s + QFileInfo(p).fileName() +
                          u"», который входит в ведомость. Выберите другое имя."_s);
    if (const QString used = readFileAt(path, true); !used.isEmpty())
        return refuse(u"это "_s + used + u". Выберите другое имя."_s);

    const auto source = [this](const QString& dataSource) {
        return qobject_cast<const tables::DataSource*>(controls_.value(dataSource));
    };
    const auto table = [&](const QString& dataSource) {
        const tables::DataSource* s = source(dataSource);
        return s ? s->table() : tables::Table{};
    };
    const auto error = [&](const QString& dataSource) {
        const tables::DataSource* s = source(dataSource);
        return s ? s->errorText() : u"таблица не открыта"_s;
    };
    document::ScheduleTables tables;
    for (const catalogue::Series& s : catalogue::kSeries)
        tables.allowable.insert(QString::fromUtf16(s.allowable.workbook),
                                {table(s.allowable.dataSource), error(s.allowable.dataSource)});
    tables.crossbeam = document::crossbeamTablesOf(table);
    tables.mfs = table(names::Data6);

    // Every file read is shown, and "Отмена" stops before the next one: nothing is written then.
    std::unique_ptr<QProgressDialog> dialog;
    Progress progress = progress_;
    if (!progress) {
        dialog = std::make_unique<QProgressDialog>(u"Ведомость: чтение файлов расчета…"_s,
                                                   u"Отмена"_s, 0, int(paths.size()), this);
        dialog->setWindowTitle(messages::appTitle());
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(500);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        progress = [d = dialog.get()](qsizetype done, qsizetype total, const QString& file) {
            const QString shown =
                d->fontMetrics().elidedText(QFileInfo(file).fileName(), Qt::ElideMiddle, 360);
            d->setLabelText(
                u"Ведомость: файл %1 из %2\n«%3»"_s.arg(done + 1).arg(total).arg(shown));
            // A modal dialog's setValue lets the window paint and "Отмена" be pressed.
            d->setValue(int(done));
            return !d->wasCanceled();
        };
    }
    const QList<document::ScheduleRow> rows = document::makeSchedule(paths, tables, progress);
    if (rows.size() < paths.size()) {
        dialog.reset();
        return refuse(u"составление остановлено («Отмена»), прочитано файлов расчета: "_s +
                      QString::number(rows.size()) + u" из "_s + QString::number(paths.size()) +
                      u". "_s +
                      (QFileInfo::exists(path) ? u"Прежний файл с этим именем не изменен."_s
                                               : u"Файл не создан."_s));
    }
    if (dialog) dialog->setLabelText(u"Ведомость: запись файла «"_s + name + u"»…"_s);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QString failure;
    const bool written = document::writeSchedule(path, rows, &failure);
    QGuiApplication::restoreOverrideCursor();
    dialog.reset();
    if (!written) {
        sheet_->message(failure);
        return false;
    }
    QStringList unread;
    qsizetype chosen = 0;
    for (const document::ScheduleRow& row : rows) {
        if (!row.read) unread << row.verdict;
        if (!row.grade.isEmpty()) ++chosen;
    }
    QString text = u"Ведомость «"_s + name + u"» записана: "_s + files(rows.size()) +
                   u" расчета; марка подобрана в "_s + QString::number(chosen) + u" из них."_s;
    // The first few reasons, so that the message fits the screen; every one is in the schedule.
    constexpr qsizetype kShownProblems = 5;
    if (!unread.isEmpty()) {
        text += u"\nНе прочитаны ("_s + QString::number(unread.size()) +
                u"), в ведомости они — строки с причиной:\n"_s +
                unread.mid(0, kShownProblems).join(u"\n"_s);
        if (unread.size() > kShownProblems)
            text += u"\n… и ещё "_s + files(unread.size() - kShownProblems) +
                    u" (все причины — в ведомости)."_s;
    }
    sheet_->message(text);
    return true;
}

void Form1::onScheme() {
    const QString base =
        document_->path().isEmpty() ? u"Схема"_s : QFileInfo(document_->path()).completeBaseName();
    const QString path = chooseFile(
        FileDialog::Scheme, QDir(startFolder(document_->path())).filePath(base + u".dxf"_s));
    if (!path.isEmpty()) writeScheme(path);
}

bool Form1::writeScheme(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (const QString used = readFileAt(path, true); !used.isEmpty()) {
        sheet_->message(u"Схема «"_s + name + u"» не записана: это "_s + used +
                        u". Выберите другое имя."_s);
        return false;
    }
    const document::Calculation calculation = document_->capture();
    QString error;
    if (!document::writeSchemeDxf(path, calculation, &error)) {
        sheet_->message(error);
        return false;
    }
    QString text = u"Схема подвеса записана в файл «"_s + QDir::toNativeSeparators(path) +
                   u"» (DXF, метры, масштаб 1:1)."_s;
    const QStringList notes = document::diagramModel(calculation).notes;
    if (!notes.isEmpty()) text += u"\nНа схеме: "_s + notes.join(u"; "_s) + u'.';
    sheet_->message(text);
    return true;
}

}  // namespace vardo::mainwindow
