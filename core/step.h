#pragma once
// The skip-on-error rule of the calculation procedures: a procedure is a sequence of steps; a step
// that fails (a text that does not convert, an overflow) is abandoned alone, the values it was to
// set keep what they held, and the procedure goes on with the next step.

#include <utility>

#include "core/fixed.h"

namespace vardo {

class ConversionError : public CalcError {
  public:
    ConversionError() : CalcError("text is not a number") {}
};

// Runs one step; returns false when the step failed and was abandoned.
template <class Step>
bool step(Step&& body) {
    try {
        std::forward<Step>(body)();
        return true;
    } catch (const CalcError&) {
        return false;
    }
}

}  // namespace vardo
