// printReport: the module vardo_print found and loaded on the first print (printing.h).
#include <QDir>
#include <QLibrary>

#include "core/modules.h"
#include "mainwindow/printing.h"

using namespace Qt::Literals::StringLiterals;

extern "C" void vardo_print_report(const vardo::mainwindow::PrintJob* job,
                                   vardo::mainwindow::PrintResult* result);

namespace vardo::mainwindow {

namespace {

#ifndef VARDO_PRINT_LINKED
struct Module {
    VardoPrintReport print = nullptr;
    QString why;
};

Module load() {
    QString why;
    QLibrary* library = modules::load(u"vardo_print"_s, u"модуль печати"_s, &why);
    if (!library) return {nullptr, why};
    const auto interface =
        reinterpret_cast<VardoPrintInterface>(library->resolve("vardo_print_interface"));
    const auto print = reinterpret_cast<VardoPrintReport>(library->resolve("vardo_print_report"));
    if (!interface || !print || interface() != kPrintInterface)
        return {nullptr, u"модуль печати «%1» от другой версии Vardo"_s.arg(
                             QDir::toNativeSeparators(library->fileName()))};
    return {print, {}};
}
#endif

}  // namespace

bool printReport(const PrintJob& job, PrintResult* result, QString* why) {
#ifdef VARDO_PRINT_LINKED
    Q_UNUSED(why);
    vardo_print_report(&job, result);
#else
    static const Module module = load();
    if (!module.print) {
        if (why) *why = module.why;
        return false;
    }
    module.print(&job, result);
#endif
    return true;
}

}  // namespace vardo::mainwindow
