// The evaluator's default error sink: a modal message box titled with the method's name, with an
// OK button and no icon. It is built into vardo_exprcalc with the window, apart from the evaluator,
// so that vardo_evaluator needs Qt Core only; whoever links vardo_exprcalc gets the message box.

#include <QMessageBox>

#include "exprcalc/cexpressionevaluator.h"

namespace {

void showErrorBox(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.exec();
}

}  // namespace

CExpressionEvaluator::CExpressionEvaluator() : CExpressionEvaluator(showErrorBox) {}
