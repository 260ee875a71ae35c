#pragma once
// The modules the programs load only when first needed (the .xlsx writer, printing), so that the
// libraries they need are not loaded at every start. A module is looked for beside the program,
// then where the package installs it, and, for a program of the build tree (the tests, the
// benchmarks), where the build put it; an installed program never looks in the build tree.

#include <QLibrary>
#include <QString>
#include <QStringList>

namespace vardo::modules {

// The folders looked in, in this order.
QStringList folders();

// A module's entry point: the first module `name` (without prefix or suffix) found in folders() is
// loaded and stays loaded for the rest of the run (nothing unloads it). It must export
// `int <name>_interface()` answering `interface`, the version of the calls between the program and
// the module, and the function `entry`, which is returned. Otherwise nullptr, and *why says in
// Russian, naming the module as `what` ("модуль печати"), that it was not found (with the
// folders), did not load, or is of another version of Vardo.
QFunctionPointer load(const QString& name, const QString& what, int interface, const char* entry,
                      QString* why);

// load() as the type of the entry point, with why it is missing; kept by its caller for the run.
template <typename Function>
struct Entry {
    Function function = nullptr;
    QString why;  // empty when there is a function
};
template <typename Function>
Entry<Function> entry(const QString& name, const QString& what, int interface, const char* symbol) {
    QString why;
    const auto function = reinterpret_cast<Function>(load(name, what, interface, symbol, &why));
    return {function, function ? QString() : why};
}

}  // namespace vardo::modules
