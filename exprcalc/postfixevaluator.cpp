#include "exprcalc/postfixevaluator.h"

#include "exprcalc/functions.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/numbertext.h"

namespace vardo::exprcalc {

using namespace Qt::Literals::StringLiterals;

namespace {

// Thrown inside Evaluate and caught by its trap.
struct Raised {
    RuntimeError error;
};

constexpr double kE = 2.718282;
constexpr double kPi = 3.14159265358979;

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

double checked(double result) {
    // Inputs are always finite, so a non-finite result is an overflow or an invalid operation.
    if (!std::isfinite(result)) throw Raised{RuntimeError::Overflow};
    return result;
}

// Rounds to the nearest 32-bit integer, halves to even, as the integer remainder needs.
std::int64_t toInt32(double x) {
    double whole = std::floor(x);
    const double fraction = x - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    if (whole < -2147483648.0 || whole > 2147483647.0) throw Raised{RuntimeError::Overflow};
    return static_cast<std::int64_t>(whole);
}

double power(double base, double exponent) {
    if (base < 0 && exponent != std::trunc(exponent)) throw Raised{RuntimeError::InvalidCall};
    if (base == 0 && exponent < 0) throw Raised{RuntimeError::DivisionByZero};
    return checked(std::pow(base, exponent));
}

double integerRemainder(double dividend, double divisor) {
    const std::int64_t b = toInt32(dividend);
    const std::int64_t a = toInt32(divisor);
    if (a == 0) throw Raised{RuntimeError::DivisionByZero};
    // In 64 bits, -2147483648 % -1 is simply 0; the sign follows the dividend.
    return static_cast<double>(b % a);
}

// b op a, where a was on top of the stack.
double applyOperator(QChar op, double b, double a) {
    switch (op.unicode()) {
        case u'+':
            return checked(a + b);
        case u'*':
            return checked(a * b);
        case u'-':
            return checked(b - a);
        case u'/':
            if (a == 0)
                throw Raised{b == 0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero};
            return checked(b / a);
        case u'^':
            return power(b, a);
        default:  // u'%'
            return integerRemainder(b, a);
    }
}

bool isOperator(const QString& token) {
    if (token.size() != 1) return false;
    switch (token.front().unicode()) {
        case u'+':
        case u'*':
        case u'/':
        case u'-':
        case u'^':
        case u'%':
            return true;
        default:
            return false;
    }
}

double applyFunction(const FunctionEntry& f, double x) {
    if (f.guard == FunctionGuard::PositiveArgument && x <= 0)
        throw Raised{RuntimeError::InvalidCall};
    const double result = f.apply(x);
    return f.guard == FunctionGuard::FiniteResult ? checked(result) : result;
}

}  // namespace

NumberConversion convertNumber(QStringView text, double& value) {
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text[i])) ++i;
    while (end > i && isBlank(text[end - 1])) --end;

    // The number is rewritten in the C form that std::from_chars reads, whatever the locale.
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(end - i) + 1);
    qsizetype integerDigits = 0;  // significant digits before the comma
    qsizetype leadingZeros = 0;   // zeros after the comma before the first significant digit
    bool significant = false;     // a non-zero digit was seen
    bool inFraction = false;
    qsizetype mantissaDigits = 0;
    for (; i < end && (isAsciiDigit(text[i]) || text[i] == kDecimalSeparator); ++i) {
        const QChar c = text[i];
        if (c == kDecimalSeparator) {
            if (inFraction) return NumberConversion::NotANumber;
            inFraction = true;
            ascii += '.';
            continue;
        }
        ++mantissaDigits;
        ascii += static_cast<char>(c.unicode());
        if (c != u'0') significant = true;
        if (!inFraction && significant) ++integerDigits;
        if (inFraction && !significant) ++leadingZeros;
    }
    if (mantissaDigits == 0) return NumberConversion::NotANumber;

    std::int64_t exponent = 0;
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ascii += 'e';
        ++i;
        const qsizetype firstExponentDigit = i;
        for (; i < end && isAsciiDigit(text[i]); ++i) {
            ascii += static_cast<char>(text[i].unicode());
            // Saturated: beyond a billion only "huge" matters.
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i].unicode() - u'0');
        }
        if (i == firstExponentDigit) return NumberConversion::NotANumber;
    }
    if (i != end) return NumberConversion::NotANumber;

    double parsed = 0;
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    const auto [ptr, ec] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the decimal magnitude tells which.
        const std::int64_t magnitude =
            (integerDigits > 0 ? integerDigits : -leadingZeros) + exponent;
        if (significant && magnitude > 0) return NumberConversion::OutOfRange;
        value = 0;
        return NumberConversion::Converted;
    }
    if (ec != std::errc() || ptr != last) return NumberConversion::NotANumber;
    value = parsed;
    return NumberConversion::Converted;
}

double PostfixEvaluator::Evaluate(const QString& postfix) {
    try {
        stackCount_ = 0;
        tokenizer_.setSeparatorSet(QString());
        tokenizer_.setWhitespaceSet(u" "_s);
        tokenizer_.SetTokenString(postfix);

        QString token;
        QChar unusedSeparator;
        while (tokenizer_.GetNextToken(token, unusedSeparator)) {
            if (isOperator(token)) {
                double a = 0;
                double b = 0;
                PopResult(a);
                PopResult(b);
                PushResult(applyOperator(token.front(), b, a));
                continue;
            }

            QStringView word(token);
            const bool negative = word.startsWith(u'-');
            if (negative) word = word.mid(1);

            double value = 0;
            if (const FunctionEntry* f = findFunction(word)) {
                double x = 0;
                PopResult(x);
                value = applyFunction(*f, x);
            } else if (word == QStringView(u"e")) {
                value = kE;
            } else if (word == QStringView(u"pi")) {
                value = kPi;
            } else {
                switch (convertNumber(word, value)) {
                    case NumberConversion::Converted:
                        break;
                    case NumberConversion::NotANumber:
                        throw Raised{RuntimeError::TypeMismatch};
                    case NumberConversion::OutOfRange:
                        throw Raised{RuntimeError::Overflow};
                }
            }
            PushResult(negative ? -value : value);
        }

        double result = 0;
        PopResult(result);
        return result;
    } catch (const Raised& raised) {
        reportError(errorSink_, u"Evaluate"_s, raised.error);
        return 0;
    }
}

void PostfixEvaluator::PushResult(double value) {
    if (stackCount_ >= kStackSlots) {
        // The value is dropped; the evaluation goes on with the values already on the stack.
        reportError(errorSink_, u"PushResult"_s, RuntimeError::SubscriptOutOfRange);
        return;
    }
    stack_[static_cast<std::size_t>(stackCount_)] = value;
    ++stackCount_;
}

bool PostfixEvaluator::PopResult(double& value) {
    if (stackCount_ <= 0) {
        value = 0;
        return false;
    }
    --stackCount_;
    value = stack_[static_cast<std::size_t>(stackCount_)];
    return true;
}

}  // namespace vardo::exprcalc
