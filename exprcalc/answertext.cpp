#include "exprcalc/answertext.h"

#include "core/numbertext.h"

namespace vardo::exprcalc {

QString answerText(double value) {
    return formatSignificant(value, 15);
}

}  // namespace vardo::exprcalc
