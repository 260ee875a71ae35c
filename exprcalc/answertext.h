#pragma once
// The calculator's answer as text: at most 15 significant digits, the decimal comma, no digit
// grouping; exponent form ("1E+15", "1,5E-05") when the decimal exponent is below -4 or 15 and
// above. Zero is "0", also when it came out as -0.

#include <QString>

namespace vardo::exprcalc {

QString answerText(double value);

}  // namespace vardo::exprcalc
