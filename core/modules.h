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

// The first module `name` (without prefix or suffix) found in folders(), loaded and kept loaded
// for the rest of the run, or nullptr: then *why says, in Russian, that it was not found (with
// the folders) or did not load, naming it as `what` ("модуль печати").
QLibrary* load(const QString& name, const QString& what, QString* why);

}  // namespace vardo::modules
