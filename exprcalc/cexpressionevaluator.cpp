#include "exprcalc/cexpressionevaluator.h"

// The default constructor, which shows errors in a message box, lives in evaluatormessagebox.cpp
// (library vardo_exprcalc): this file and its library vardo_evaluator stay free of widgets.

CExpressionEvaluator::CExpressionEvaluator(ErrorSink errorSink)
    : converter_(errorSink), evaluator_(errorSink) {}

void CExpressionEvaluator::SetExpression(const QString& expression) {
    expression_ = expression;
    ConvertToPostfix();
}

void CExpressionEvaluator::ConvertToPostfix() {
    postfix_ = converter_.ConvertToPostfix(expression_);
}

double CExpressionEvaluator::Evaluate() {
    return evaluator_.Evaluate(postfix_);
}
