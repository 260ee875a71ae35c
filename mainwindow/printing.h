#pragma once
// Printing the report: Qt's print preview and print dialog (Qt Print Support). On Linux the code
// is the module vardo_print, loaded on the first "Печать…", so that Qt Print Support is not
// loaded at every start; on Windows it is linked in.

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace vardo::mainwindow {

enum class PrintEnd { Printed, Cancelled, NoPrinter, Failed };
// What shows the preview and prints (replaceable: tests do): given the printer, set up for the
// report's pages, and what paints the report on a printer; says how it ended.
using PrintPreview =
    std::function<PrintEnd(QPrinter& printer, const std::function<bool(QPrinter&)>& paint)>;

struct PrintJob {
    QWidget* parent = nullptr;
    QString documentName;
    int dpi = 300;
    std::function<bool(QPagedPaintDevice&)> paint;
    const PrintPreview* preview = nullptr;  // Qt's preview when null
};

struct PrintResult {
    PrintEnd end = PrintEnd::Failed;
    // What did not take the report, for a failure: "принтер «…» не принял задание." or
    // "файл «…» не записан."
    QString failure;
};

// The module's interface; its version is checked when it is loaded.
inline constexpr int kPrintInterface = 1;
using VardoPrintInterface = int (*)();
using VardoPrintReport = void (*)(const PrintJob* job, PrintResult* result);

// Prints through the module; false with *why (Russian) when the module cannot be had.
bool printReport(const PrintJob& job, PrintResult* result, QString* why);

}  // namespace vardo::mainwindow
