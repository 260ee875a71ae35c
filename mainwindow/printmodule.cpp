// The module vardo_print (printing.h): the report in Qt's print preview, then on the printer.
#include <QFileInfo>
#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <optional>

#include "mainwindow/printing.h"

using namespace Qt::Literals::StringLiterals;
using vardo::mainwindow::PrintEnd;

namespace {

// The report is painted for the preview, and once more for the printer when the print dialog
// that "Печать" opens is accepted.
PrintEnd previewAndPrint(QWidget* parent, QPrinter& printer,
                         const std::function<bool(QPrinter&)>& paint) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) return PrintEnd::NoPrinter;
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(u"Печать отчета"_s);
    std::optional<bool> printed;  // how painting for the printer went, once it was painted
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        // The preview paints into pictures of its own.
        const QPaintEngine* engine = target->paintEngine();
        const bool preview = engine && engine->type() == QPaintEngine::Picture;
        const bool painted = paint(*target);
        if (!preview) printed = painted;
    });
    dialog.exec();
    if (!printed) return PrintEnd::Cancelled;
    return *printed ? PrintEnd::Printed : PrintEnd::Failed;
}

}  // namespace

extern "C" Q_DECL_EXPORT int vardo_print_interface() {
    return vardo::mainwindow::kPrintInterface;
}

extern "C" Q_DECL_EXPORT void vardo_print_report(const vardo::mainwindow::PrintJob* job,
                                                 vardo::mainwindow::PrintResult* result) {
    // The page of the PDF: A4 at the report's resolution, the margins the report's own.
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(job->dpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    printer.setDocName(job->documentName);
    const auto paint = [job](QPrinter& target) { return job->paint(target); };
    result->end = job->preview ? (*job->preview)(printer, paint)
                               : previewAndPrint(job->parent, printer, paint);
    result->failure =
        printer.outputFileName().isEmpty()
            ? u"принтер «"_s + printer.printerName() + u"» не принял задание."_s
            : u"файл «"_s + QFileInfo(printer.outputFileName()).fileName() + u"» не записан."_s;
}
