#pragma once
// Creates the main window's controls from the inventory tables and stacks them.

#include <QFont>
#include <QHash>
#include <QString>

class QWidget;

namespace vardo::mainwindow {

// The window's font: "MS Sans Serif" 8.25 pt where it exists, else the nearest sans serif the
// system has with the same proportions.
QFont baseFont();

// Builds every control of the inventory inside form; returns them by object name.
QHash<QString, QWidget*> buildControls(QWidget* form);

}  // namespace vardo::mainwindow
