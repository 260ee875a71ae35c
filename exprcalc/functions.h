#pragma once
// The evaluator's functions, one table: the infix-to-postfix converter takes its words as function
// names, the postfix evaluation computes them from it. A function takes one argument in radians or
// plain numbers; what it refuses is said by its guard.

#include <QStringView>
#include <span>

namespace vardo::exprcalc {

enum class FunctionGuard {
    None,              // any argument, any result
    FiniteResult,      // a result that is not finite is an overflow ("exp")
    PositiveArgument,  // an argument <= 0 is an invalid call ("log")
};

struct FunctionEntry {
    const char16_t* name;
    double (*apply)(double);
    FunctionGuard guard;
};

std::span<const FunctionEntry> functions();
// The function named `word` (exactly, lower case); nullptr for any other word.
const FunctionEntry* findFunction(QStringView word);

}  // namespace vardo::exprcalc
