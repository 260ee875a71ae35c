#include "core/numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

namespace vardo {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == QChar(0x00A0);
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The C form of to_chars with the decimal comma and a capital exponent letter.
QString displayed(double value, std::chars_format format, int precision) {
    if (!std::isfinite(value)) return QStringLiteral("—");
    if (value == 0) value = 0;  // -0 reads as 0
    char buffer[400];
    const std::to_chars_result r =
        std::to_chars(std::begin(buffer), std::end(buffer), value, format, precision);
    QString text = QString::fromLatin1(buffer, r.ptr - buffer);
    text.replace(u'.', kDecimalSeparator);
    text.replace(u'e', u'E');
    return text;
}

}  // namespace

QString formatDecimals(double value, int decimals) {
    return displayed(value, std::chars_format::fixed, decimals);
}

QString formatSignificant(double value, int digits) {
    return displayed(value, std::chars_format::general, digits);
}

std::optional<Fixed> parseFixed(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;

    bool negative = false;
    if (begin < end && (text[begin] == u'+' || text[begin] == u'-')) {
        negative = text[begin] == u'-';
        ++begin;
    }

    // Accumulate the magnitude in ten-thousandths; digits past the fourth decimal only decide
    // the rounding: the fifth one against 5, the rest whether the tail is exactly one half.
    constexpr Int128 kLimit = static_cast<Int128>(std::numeric_limits<std::int64_t>::max()) + 1;
    Int128 magnitude = 0;
    int decimals = -1;  // -1 while in the integer part
    int digits = 0;
    int roundDigit = -1;
    bool stickyTail = false;
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = text[i];
        if (c == kDecimalSeparator) {
            if (decimals >= 0) return std::nullopt;
            decimals = 0;
            continue;
        }
        if (!isAsciiDigit(c)) return std::nullopt;
        const int d = c.unicode() - u'0';
        ++digits;
        if (decimals < 0) {
            magnitude = magnitude * 10 + d;
            if (magnitude > kLimit) return std::nullopt;
        } else if (decimals < 4) {
            magnitude = magnitude * 10 + d;
            ++decimals;
        } else if (roundDigit < 0) {
            roundDigit = d;
        } else if (d != 0) {
            stickyTail = true;
        }
    }
    if (digits == 0) return std::nullopt;
    for (int k = decimals < 0 ? 0 : decimals; k < 4; ++k) magnitude *= 10;
    if (roundDigit > 5 || (roundDigit == 5 && (stickyTail || magnitude % 2 != 0))) ++magnitude;

    const Int128 raw = negative ? -magnitude : magnitude;
    if (raw > std::numeric_limits<std::int64_t>::max() ||
        raw < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return Fixed::fromRaw(static_cast<std::int64_t>(raw));
}

QString formatFixed(Fixed value) {
    const std::int64_t raw = value.raw();
    // The magnitude of the most negative value does not fit an int64; unsigned holds it.
    const std::uint64_t magnitude =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    std::uint64_t whole = magnitude / Fixed::kScale;
    std::uint64_t fraction = magnitude % Fixed::kScale;

    // Written from the end into one buffer: a result text is made for every moment of every
    // grade checked, and one allocation is what it costs. Sign, 20 digits, separator, 4 digits.
    char16_t text[32];
    qsizetype at = std::size(text);
    if (fraction != 0) {
        int width = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --width;
        }
        for (int i = 0; i < width; ++i, fraction /= 10)
            text[--at] = static_cast<char16_t>(u'0' + fraction % 10);
        text[--at] = kDecimalSeparator;
    }
    do {
        text[--at] = static_cast<char16_t>(u'0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (raw < 0) text[--at] = u'-';
    return QString(reinterpret_cast<const QChar*>(text + at), std::ssize(text) - at);
}

QString numberProblem(QStringView text) {
    using namespace Qt::Literals::StringLiterals;
    if (parseFixed(text)) return {};
    const QString t = text.toString().trimmed();
    if (t.isEmpty()) return u"поле пустое"_s;
    if (t.contains(u'.')) {
        QString comma = t;
        comma.replace(u'.', kDecimalSeparator);
        if (parseFixed(comma)) return u"десятичный разделитель — запятая"_s;
    }
    if (t.count(kDecimalSeparator) > 1) return u"в числе больше одной запятой"_s;
    qsizetype begin = 0;
    if (t.front() == u'+' || t.front() == u'-') begin = 1;
    bool digits = false;
    for (qsizetype i = begin; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isAsciiDigit(c)) {
            digits = true;
            continue;
        }
        if (c == kDecimalSeparator) continue;
        if (isBlank(c)) return u"пробел внутри числа"_s;
        if ((c == u'e' || c == u'E') && digits) return u"запись с порядком (e) не принимается"_s;
        if (c == u'+' || c == u'-') return u"знак не в начале числа"_s;
        return u"недопустимый знак «"_s + c + u"»"_s;
    }
    if (!digits) return u"в поле нет цифр"_s;
    return u"число вне допустимого диапазона"_s;
}

QString countText(qint64 count, QStringView one, QStringView few, QStringView many) {
    // The form follows the last two digits of the magnitude: 11-14 take "many" whatever their
    // last digit is.
    const qint64 magnitude = count < 0 ? -(count % 100) : count % 100;
    const qint64 last = magnitude % 10;
    const QStringView noun = magnitude >= 11 && magnitude <= 14 ? many
                             : last == 1                        ? one
                             : last >= 2 && last <= 4           ? few
                                                                : many;
    return QString::number(count) + u' ' + noun.toString();
}

}  // namespace vardo
