#pragma once
// The value of a postfix text, computed on a stack of 201 double slots.
//
// The text is read item by item (items are separated by spaces; extra spaces are skipped):
//   "+" "-" "*" "/" "^" "%"   pop a, pop b, push b op a; a pop from the empty stack gives 0
//   [-]sin cos tan atn exp log   pop x, push f(x), negated with the "-" prefix
//   [-]e  [-]pi                push 2.718282 or 3.14159265358979 (these decimal values)
//   [-]number                  digits with the decimal comma, optionally e and exponent digits
// At the end the top value is the result (0 when the stack is empty).
//
// Errors (see runtimeerror.h) stop the evaluation: Evaluate reports them under its own name and
// returns 0. A push onto the full stack is PushResult's error 9: that value is dropped and the
// evaluation goes on. No infinity or NaN ever reaches the stack or the result.

#include <array>

#include <QString>
#include <QStringView>

#include "exprcalc/exprtokenizer.h"
#include "exprcalc/runtimeerror.h"

namespace vardo::exprcalc {

enum class NumberConversion { Converted, NotANumber, OutOfRange };

// A number as the user types it: digits with at most one decimal comma, then optionally "e" and
// exponent digits (1e5, 2,5e3), with tabs and line breaks around it allowed. No sign: the "-" is
// taken off by the caller. Beyond the double range is OutOfRange; too small to tell from 0 gives 0.
NumberConversion convertNumber(QStringView text, double& value);

class PostfixEvaluator {
  public:
    static constexpr int kStackSlots = 201;

    explicit PostfixEvaluator(ErrorSink errorSink = {}) : errorSink_(std::move(errorSink)) {}

    double Evaluate(const QString& postfix);

    void PushResult(double value);
    // The top value and true; 0 and false when the stack is empty.
    bool PopResult(double& value);
    int stackCount() const { return stackCount_; }

  private:
    ErrorSink errorSink_;
    ExprTokenizer tokenizer_;
    std::array<double, kStackSlots> stack_{};
    qint16 stackCount_ = 0;
};

}  // namespace vardo::exprcalc
