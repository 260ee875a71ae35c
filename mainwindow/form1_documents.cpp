// Form1's calculation files and report: "Открыть" (Ctrl+O) and "Сохранить" (Ctrl+S) run the
// document's flows (documentcontroller.h), "Отчет" writes the report as a PDF and "Печать…"
// (Ctrl+P) prints it; the file dialogs of all of them. The window is seen through a CalculationPort
// over its widgets and data sources; what is saved, checked and restored is document/'s
// (calculation.h), the report is report.h's.

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
#include "mainwindow/printing.h"
#include "mainwindow/recentfiles.h"
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
        std::function<void()> action;
    } actions[] = {
        {names::cmdOpen.utf16(), Qt::CTRL | Qt::Key_O, [this] { document_->openChosen(); }},
        {names::cmdSave.utf16(), Qt::CTRL | Qt::Key_S, [this] { document_->saveChosen(); }},
        {names::cmdReport.utf16(), Qt::CTRL | Qt::SHIFT | Qt::Key_P, [this] { onReport(); }},
        {u"", Qt::CTRL | Qt::Key_P, [this] { printReport(); }},
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
        case FileDialog::SaveAs:
            return withSuffix(QFileDialog::getSaveFileName(this, u"Сохранить расчет как"_s,
                                                           suggested, calculations),
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
        case FileDialog::Scheme:
            return withSuffix(QFileDialog::getSaveFileName(this, u"Сохранить схему для САПР"_s,
                                                           suggested, u"Чертеж DXF (*.dxf)"_s),
                              u"dxf"_s);
    }
    return {};
}

void Form1::onReport() {
    const QString base =
        document_->path().isEmpty() ? u"Расчет"_s : QFileInfo(document_->path()).completeBaseName();
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

QString Form1::readFileAt(const QString& path, bool calculationToo) const {
    if (const QString open = document_->path();
        calculationToo && !open.isEmpty() && isSameFile(path, open))
        return u"файл расчета «"_s + QFileInfo(open).fileName() + u"»"_s;
    // The file is looked at once, and each table's file beside it.
    const QString identity = fileIdentity(path);
    if (identity.isEmpty()) return {};
    for (const QString& name : document::dataSources())
        if (const auto* source = qobject_cast<tables::DataSource*>(controls_.value(name)))
            if (!source->fileName().isEmpty() && fileIdentity(source->fileName()) == identity)
                return u"справочную таблицу «"_s + QFileInfo(source->fileName()).fileName() +
                       u"»"_s;
    return {};
}

bool Form1::writeReport(const QString& pdfPath) {
    if (const QString used = readFileAt(pdfPath, true); !used.isEmpty()) {
        sheet_->message(u"Отчет не записан: файл «"_s + QFileInfo(pdfPath).fileName() +
                        u"» — это "_s + used + u". Выберите другое имя."_s);
        return false;
    }
    document::ReportInput in = reportInputOf(*port_, document_->path());
    in.calculation.object = document_->objectData();
    const document::Report report(std::move(in));
    QString error;
    if (!report.writePdf(pdfPath, &error)) {
        sheet_->message(error);
        return false;
    }
    return true;
}

bool Form1::printReport() {
    document::ReportInput in = reportInputOf(*port_, document_->path());
    in.calculation.object = document_->objectData();
    const document::Report report(std::move(in));
    PrintJob job;
    job.parent = this;
    job.documentName = document_->path().isEmpty() ? u"Расчет жесткой поперечины"_s
                                                   : QFileInfo(document_->path()).fileName();
    job.dpi = document::Report::kDpi;
    job.paint = [&report](QPagedPaintDevice& device) { return report.paintPages(device); };
    job.preview = printPreview_ ? &printPreview_ : nullptr;
    PrintResult result;
    QString why;
    if (!mainwindow::printReport(job, &result, &why)) {
        sheet_->message(u"Отчет не напечатан: "_s + why + u'.');
        return false;
    }
    switch (result.end) {
        case PrintEnd::Printed:
            return true;
        case PrintEnd::Cancelled:
            sheet_->message(u"Печать отменена: отчет не напечатан."_s);
            break;
        case PrintEnd::NoPrinter:
            sheet_->message(
                u"Отчет не напечатан: в системе не установлен ни один принтер. "
                u"Отчет в PDF записывает кнопка «Отчет»."_s);
            break;
        case PrintEnd::Failed:
            sheet_->message(u"Отчет не напечатан: "_s + result.failure);
            break;
    }
    return false;
}

}  // namespace vardo::mainwindow
