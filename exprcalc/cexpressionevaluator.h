#pragma once
// The expression evaluator of the calculator window.
//
// Data flow: SetExpression(text) -> PostfixConverter (tokenizer splits the text at operators,
// recursive descent writes postfix items) -> Postfix() -> Evaluate() -> PostfixEvaluator (tokenizer
// reads the items, a 201-slot stack of doubles computes them) -> the value.
//
//   CExpressionEvaluator ev(sink);
//   ev.SetExpression(u"(2+3)*4"_s);   // ev.Postfix() == "2 3 + 4 * "
//   ev.Evaluate();                    // 20
//
// Errors never reach the caller: each is reported once to the error sink, titled with the name of
// the method where it happened ("Evaluate", "PushResult", "ParseFactor"), with the text
// "Error: <number>. <description>" (runtimeerror.h lists them); Evaluate then returns 0.
//
// The evaluator uses Qt Core only (library vardo_evaluator); with a sink it runs anywhere, on any
// thread. The constructor without a sink shows errors in a modal message box, for which the
// program needs a QApplication; it is defined on the window side (evaluatormessagebox.cpp, library
// vardo_exprcalc), so a program that links only vardo_evaluator and calls it fails to link instead
// of losing its messages.

#include <QString>

#include "exprcalc/postfixconverter.h"
#include "exprcalc/postfixevaluator.h"
#include "exprcalc/runtimeerror.h"

class CExpressionEvaluator {
  public:
    using ErrorSink = vardo::exprcalc::ErrorSink;

    // Errors go to a modal message box (OK button, no icon). Needs vardo_exprcalc.
    CExpressionEvaluator();
    // Errors go to `errorSink`; an empty sink drops them.
    explicit CExpressionEvaluator(ErrorSink errorSink);

    QString Expression() const { return expression_; }
    // Stores the expression and converts it to postfix at once.
    void SetExpression(const QString& expression);
    QString Postfix() const { return postfix_; }
    // The value of Postfix(); 0 after an error. Each call starts with an empty stack.
    double Evaluate();

  private:
    void ConvertToPostfix();

    QString expression_;
    QString postfix_;
    vardo::exprcalc::PostfixConverter converter_;
    vardo::exprcalc::PostfixEvaluator evaluator_;
};
