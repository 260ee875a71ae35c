// Fuzzes the text-to-number conversion and the fixed-point arithmetic: any text either converts or
// is refused; a converted value's text converts back to the same value; arithmetic either gives
// the exact (or correctly rounded) result or throws the overflow error, never wraps.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/fixed.h"
#include "core/numbertext.h"

using vardo::Fixed;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first 16 bytes, when present, are two raw values for the arithmetic; the rest is text.
    if (size >= 16) {
        int64_t a = 0, b = 0;
        for (int i = 0; i < 8; ++i) a = (a << 8) | data[i];
        for (int i = 8; i < 16; ++i) b = (b << 8) | data[i];
        const Fixed x = Fixed::fromRaw(a), y = Fixed::fromRaw(b);
        const __int128 sum = static_cast<__int128>(a) + b;
        try {
            check((x + y).raw() == sum);
        } catch (const vardo::OverflowError&) {
            check(sum > INT64_MAX || sum < INT64_MIN);
        }
        try {
            const Fixed p = x * y;
            // The product is within half a unit of the exact one.
            const __int128 exact = static_cast<__int128>(a) * b;
            const __int128 diff = exact - static_cast<__int128>(p.raw()) * Fixed::kScale;
            check(diff <= Fixed::kScale / 2 && diff >= -Fixed::kScale / 2);
        } catch (const vardo::OverflowError&) {
        }
        try {
            (void)(x - y);
            (void)-x;
        } catch (const vardo::OverflowError&) {
        }
        try {
            (void)Fixed::fromDouble(static_cast<double>(a) / 3.0e4);
        } catch (const vardo::OverflowError&) {
        }
    }
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto value = vardo::parseFixed(text)) {
        const QString written = vardo::formatFixed(*value);
        const auto again = vardo::parseFixed(written);
        check(again.has_value() && *again == *value);
    }
    return 0;
}
