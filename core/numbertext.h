#pragma once
// Numbers as the sheet writes them: the decimal comma of the Russian number format, whatever the
// machine's locale. Every field, table text and result uses this one form.
//
// Accepted on input: optional blanks, an optional sign, digits with at most one decimal comma
// (digits on at least one side of it), optional blanks. Nothing else: "1.59", "1e5", "1 000",
// an empty text and a lone sign do not convert. More than four decimals round half to even.
// Written on output: a minus when negative, the integer digits, and the fraction without
// trailing zeros after a comma; zero is "0". Output always converts back to the same value.

#include <optional>

#include <QString>

#include "core/fixed.h"

namespace vardo {

inline constexpr char16_t kDecimalSeparator = u',';

std::optional<Fixed> parseFixed(QStringView text);
QString formatFixed(Fixed value);

// A double shown to a person, with the decimal comma and no grouping; -0 is "0" and a value that is
// not a number or infinite is "—". Rounding is that of the exact binary value (std::to_chars), so
// every display of the same value agrees.
// With exactly `decimals` digits after the comma: 87.25 with 1 is "87,2" or "87,3" as the double
// really lies (0.1 steps are not exact), 90 with 1 is "90,0".
QString formatDecimals(double value, int decimals);
// At most `digits` significant digits, trailing zeros dropped, an exponent ("1,5E-05", "1E+15")
// when the decimal exponent is below -4 or at least `digits`.
QString formatSignificant(double value, int digits);

// Why a text is not a number in this form, as a Russian phrase ("десятичный разделитель —
// запятая"); empty when parseFixed accepts it.
QString numberProblem(QStringView text);

// A count with its noun in the Russian form the count takes: countText(73, u"знак", u"знака",
// u"знаков") is "73 знака"; one for 1, 21, 101, ..., few for 2-4, 22-24, ..., many for 0, 5-20,
// 25-30, ... and for 11-14 of every hundred.
QString countText(qint64 count, QStringView one, QStringView few, QStringView many);

}  // namespace vardo
