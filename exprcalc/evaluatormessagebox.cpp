// The evaluator's default error sink: the program's message box (OK, no icon) titled with the
// method's name. It is built into vardo_exprcalc with the window, apart from the evaluator, so that
// vardo_evaluator needs Qt Core only; whoever links vardo_exprcalc gets the message box.

#include "exprcalc/cexpressionevaluator.h"
#include "widgets/messagebox.h"

namespace {

void showErrorBox(const QString& title, const QString& text) {
    vardo::widgets::showMessageBox(nullptr, text, title);
}

}  // namespace

CExpressionEvaluator::CExpressionEvaluator() : CExpressionEvaluator(showErrorBox) {}
