#pragma once
// Starting the system's own calculator program for the "windows" launcher of the main window.
//
// On Windows it is calc.exe in the Windows directory (then calc.exe on the search path, for a
// Windows directory that could not be read); elsewhere the first installed desktop calculator of
// desktopCalculators(). The program is started detached, in its own window, without waiting. When
// none starts, the caller gets a Russian text for a message box that says what was tried.

#include <functional>

#include <QString>
#include <QStringList>

namespace vardo::exprcalc {

// How the calculator is looked for and started; tests replace the parts.
struct CalculatorStarter {
    // Program names or paths, tried in order.
    QStringList candidates;
    // The full path of an installed candidate, or an empty text when it is not there.
    std::function<QString(const QString& candidate)> findExecutable;
    // Starts the program without waiting for it; true when it started.
    std::function<bool(const QString& program)> startDetached;
};

// gnome-calculator, kcalc, galculator, mate-calc, qalculate-gtk, xcalc.
QStringList desktopCalculators();

// This platform's candidates, found with QStandardPaths::findExecutable (an absolute path: when the
// file exists) and started with QProcess::startDetached.
CalculatorStarter systemCalculatorStarter(const QString& windowsDirectory);

// Starts the first candidate that is installed and starts. True on success (errorText, when given,
// is then emptied); false with the message text in errorText otherwise.
bool startSystemCalculator(const CalculatorStarter& starter, QString* errorText);
bool startSystemCalculator(const QString& windowsDirectory, QString* errorText);

}  // namespace vardo::exprcalc
