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

// Why a text is not a number in this form, as a Russian phrase ("десятичный разделитель —
// запятая"); empty when parseFixed accepts it.
QString numberProblem(QStringView text);

}  // namespace vardo
