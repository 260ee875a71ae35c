// printReport: the module vardo_print found and loaded on the first print (printing.h).

#include "mainwindow/printing.h"
#include "core/modules.h"

using namespace Qt::Literals::StringLiterals;

extern "C" void vardo_print_report(const vardo::mainwindow::PrintJob* job,
                                   vardo::mainwindow::PrintResult* result);

namespace vardo::mainwindow {

bool printReport(const PrintJob& job, PrintResult* result, QString* why) {
#ifdef VARDO_PRINT_LINKED
    Q_UNUSED(why);
    vardo_print_report(&job, result);
#else
    static const auto module = modules::entry<VardoPrintReport>(
        u"vardo_print"_s, u"модуль печати"_s, kPrintInterface, "vardo_print_report");
    if (!module.function) {
        if (why) *why = module.why;
        return false;
    }
    module.function(&job, result);
#endif
    return true;
}

}  // namespace vardo::mainwindow
