#pragma once
// The run-time errors of the expression evaluator and how they are reported.
//
// Each method of the evaluator traps its own errors: it reports one message titled with the
// method's name ("Evaluate", "PushResult", "ParseFactor"), whose text is "Error: ", the error's
// number, ". " and its description, and then returns normally. The numbers are those of the
// classic Basic run-time, so that a user who knows them recognises them:
//
//   5  InvalidCall          log(0), log(-1), (-8)^(1/3)
//   6  Overflow             0/0, 10^400, exp(1000), 1e400, 3e9%2
//   9  SubscriptOutOfRange  a 202nd value pending on the 201-slot stack: 1+(1+(1+ ... nested 201
//   deep 11 DivisionByZero       1/0, 5%0, 5%0,4, 0^-1 13 TypeMismatch         abc, --3, 1.5, 1e-5
//   (split at "-"), an empty expression 28 OutOfStackSpace      more than 1000 nested groups or
//   functions: ((((...1...))))

#include <functional>

#include <QString>

namespace vardo::exprcalc {

enum class RuntimeError {
    InvalidCall = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    OutOfStackSpace = 28,
};

// Receives one error message: the title (the method's name) and the text.
using ErrorSink = std::function<void(const QString& title, const QString& text)>;

// The Russian description of an error, shown after its number.
QString errorDescription(RuntimeError error);

// "Error: 13. Несоответствие типа"
QString errorText(RuntimeError error);

// Sends the message of `error` raised in `method` to `sink`; an empty sink drops it.
void reportError(const ErrorSink& sink, const QString& method, RuntimeError error);

}  // namespace vardo::exprcalc
