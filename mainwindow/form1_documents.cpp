// Form1's calculation files and report: "Открыть" (Ctrl+O), "Сохранить" (Ctrl+S) and "Отчет"
// (Ctrl+P). The window is seen through a CalculationPort over its widgets and data sources; what
// is saved, checked and restored is document/'s (calculation.h), the report is report.h's.

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

#include "core/catalogue.h"
#include "core/safefile.h"
#include "document/calculation.h"
#include "document/calculationport.h"
#include "document/recompute.h"
#include "document/report.h"
#include "mainwindow/form1.h"
#include "mainwindow/recentfiles.h"
#include "mainwindow/sheetassist.h"
#include "mainwindow/windowport.h"
#include "tables/datasource.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

QString withSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + u'.' + suffix;
}

}  // namespace

void Form1::wireDocuments() {
    const struct {
        const char16_t* button;
        QKeyCombination keys;
        void (Form1::*action)();
    } actions[] = {
        {names::cmdOpen.utf16(), Qt::CTRL | Qt::Key_O, &Form1::onOpen},
        {names::cmdSave.utf16(), Qt::CTRL | Qt::Key_S, &Form1::onSave},
        {names::cmdReport.utf16(), Qt::CTRL | Qt::Key_P, &Form1::onReport},
    };
    for (const auto& a : actions) {
        const QKeySequence keys(a.keys);
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, a.action);
        if (auto* button =
                qobject_cast<QPushButton*>(controls_.value(QString::fromUtf16(a.button)))) {
            connect(button, &QPushButton::clicked, this, a.action);
            button->setToolTip(keys.toString(QKeySequence::NativeText));
        }
    }
}

QString Form1::chooseFile(FileDialog dialog, const QString& suggested) {
    if (fileChooser_) return fileChooser_(dialog, suggested);
    const QString calculations = u"Расчеты Vardo (*.vardo);;Все файлы (*)"_s;
    switch (dialog) {
        case FileDialog::Open:
            return QFileDialog::getOpenFileName(this, u"Открыть расчет"_s, suggested, calculations);
        case FileDialog::Save:
            return withSuffix(
                QFileDialog::getSaveFileName(this, u"Сохранить расчет"_s, suggested, calculations),
                document::fileSuffix());
        case FileDialog::Report:
            return withSuffix(QFileDialog::getSaveFileName(this, u"Сохранить отчет"_s, suggested,
                                                           u"Документ PDF (*.pdf)"_s),
                              u"pdf"_s);
        case FileDialog::TablesFolder:
            return QFileDialog::getExistingDirectory(this, u"Папка таблиц"_s, suggested);
        case FileDialog::ScheduleFolder:
            return QFileDialog::getExistingDirectory(this, u"Папка файлов расчета для ведомости"_s,
                                                     suggested);
        case FileDialog::Schedule:
            return withSuffix(
                QFileDialog::getSaveFileName(this, u"Сохранить ведомость"_s, suggested,
                                             u"Книга Excel (*.xlsx);;Текст CSV (*.csv)"_s),
                u"xlsx"_s);
    }
    return {};
}

void Form1::onOpen() {
    // The question comes first: "Отмена" there leaves the calculation as it is, and no file is
    // asked for.
    if (!maySetAside()) return;
    const QString path = chooseFile(FileDialog::Open, RecentFiles::startFolder());
    if (!path.isEmpty()) openCalculation(path);
}

void Form1::onSave() {
    const QString suggested =
        calculationPath_.isEmpty()
            ? RecentFiles::startFolder() + u"/Расчет."_s + document::fileSuffix()
            : calculationPath_;
    const QString path = chooseFile(FileDialog::Save, suggested);
    if (!path.isEmpty()) saveCalculation(path);
}

void Form1::onReport() {
    const QString base =
        calculationPath_.isEmpty() ? u"Расчет"_s : QFileInfo(calculationPath_).completeBaseName();
    const QString path =
        chooseFile(FileDialog::Report, RecentFiles::startFolder() + u'/' + base + u".pdf"_s);
    if (path.isEmpty() || !writeReport(path)) return;
    RecentFiles::setLastFolder(QFileInfo(path).absolutePath());
    const bool shown =
        reportViewer_ ? reportViewer_(path) : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!shown)
        sheet_->message(
            u"Отчет записан в файл «%1», но открыть его не удалось: "
            u"нет программы для просмотра PDF."_s.arg(QDir::toNativeSeparators(path)));
}

document::Calculation Form1::captureWindow() const {
    WindowPort port(*sheet_);
    document::Calculation c = document::capture(port);
    c.object = objectData_;
    return c;
}

bool Form1::openCalculation(const QString& path) {
    // The whole file is read and checked before the first control changes.
    QString error;
    const std::optional<document::Calculation> calculation = document::readFile(path, &error);
    if (!calculation) {
        sheet_->message(error);
        return false;
    }
    WindowPort port(*sheet_);
    restoring_ = true;
    const QStringList warnings = document::apply(port, *calculation);
    objectData_ = calculation->object;
    restoring_ = false;
    calculationPath_ = QFileInfo(path).absoluteFilePath();
    stampCalculationFile();
    RecentFiles::add(calculationPath_);
    assist_->opened();
    // Unchanged is the window as the file brought it back (a row found by its caption at another
    // index, an option group the file leaves unchosen). A row that is gone is not the file's:
    // compared with the file itself, that is a change to save.
    markSaved(warnings.isEmpty() ? captureWindow() : *calculation);
    if (!warnings.isEmpty())
        sheet_->message(u"Расчет «%1» открыт, но строки таблиц восстановлены не все:\n%2."_s.arg(
            QFileInfo(path).fileName(), warnings.join(u";\n"_s)));
    return true;
}

QString Form1::readFileAt(const QString& path, bool calculationToo) const {
    if (calculationToo && !calculationPath_.isEmpty() && isSameFile(path, calculationPath_))
        return u"файл расчета «"_s + QFileInfo(calculationPath_).fileName() + u"»"_s;
    for (const QString& name : document::dataSources())
        if (const auto* source = qobject_cast<tables::DataSource*>(controls_.value(name)))
            if (!source->fileName().isEmpty() && isSameFile(path, source->fileName()))
                return u"справочную таблицу «"_s + QFileInfo(source->fileName()).fileName() +
                       u"»"_s;
    return {};
}

bool Form1::saveCalculation(const QString& chosenPath) {
    // Another program's change to the calculation file is not lost without a word.
    QString path = chosenPath;
    if (!mayReplace(&path)) return false;
    // A file the window reads is never replaced by what it writes.
    if (const QString used = readFileAt(path, false); !used.isEmpty()) {
        sheet_->message(u"Расчет не сохранен: файл «"_s + QFileInfo(path).fileName() +
                        u"» — это "_s + used +
                        u", которую читает программа. Выберите другое имя."_s);
        return false;
    }
    const document::Calculation calculation = captureWindow();
    QString error;
    if (!document::writeFile(path, calculation, &error)) {
        sheet_->message(error);
        return false;
    }
    calculationPath_ = QFileInfo(path).absoluteFilePath();
    stampCalculationFile();
    RecentFiles::add(calculationPath_);
    markSaved(calculation);
    return true;
}

bool Form1::writeReport(const QString& pdfPath) {
    if (const QString used = readFileAt(pdfPath, true); !used.isEmpty()) {
        sheet_->message(u"Отчет не записан: файл «"_s + QFileInfo(pdfPath).fileName() +
                        u"» — это "_s + used + u". Выберите другое имя."_s);
        return false;
    }
    document::ReportInput in = reportInputOf(WindowPort(*sheet_), calculationPath_);
    in.calculation.object = objectData_;
    const document::Report report(std::move(in));
    QString error;
    if (!report.writePdf(pdfPath, &error)) {
        sheet_->message(error);
        return false;
    }
    return true;
}

}  // namespace vardo::mainwindow
