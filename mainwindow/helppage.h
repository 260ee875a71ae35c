#pragma once
// The program's help page, help.html, found where the workbooks are found (core/datafile.h: the
// working directory, beside the program, the chosen tables folder, then the installed copy in
// share/vardo) and shown by the desktop's browser.

#include <QString>
#include <functional>

namespace vardo::mainwindow {

// Shows the page at path; true when it is shown.
using HelpViewer = std::function<bool(const QString& path)>;

// Finds the page and shows it with viewer (the desktop's browser when empty). On failure returns
// false and *error is a whole Russian message: the page is missing (naming the folders searched)
// or no program shows it.
bool openHelpPage(const HelpViewer& viewer, QString* error);

}  // namespace vardo::mainwindow
