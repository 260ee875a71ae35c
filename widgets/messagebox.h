#pragma once
// The program's message box: modal, OK only, no icon, the program's title as caption unless
// another is given (the evaluator's messages carry the name of its method).

#include <QString>

class QWidget;

namespace vardo::widgets {

void showMessageBox(QWidget* parent, const QString& text, const QString& title = QString());

}  // namespace vardo::widgets
