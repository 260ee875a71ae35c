#include "core/fixed.h"

#include <cmath>
#include <limits>

namespace vardo {

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

// n / d rounded to the nearest integer, ties to even (d > 0).
Int128 divideHalfEven(Int128 n, Int128 d) {
    Int128 q = n / d;
    Int128 r = n % d;  // same sign as n
    const Int128 twice = (r < 0 ? -r : r) * 2;
    if (twice > d || (twice == d && (q % 2) != 0)) q += (n < 0) ? -1 : 1;
    return q;
}

Fixed checked(Int128 raw) {
    if (raw < kMin || raw > kMax) throw OverflowError();
    return Fixed::fromRaw(static_cast<std::int64_t>(raw));
}

}  // namespace

Fixed Fixed::fromInt(std::int64_t value) {
    return checked(static_cast<Int128>(value) * kScale);
}

Fixed Fixed::fromDouble(double value) {
    if (!std::isfinite(value)) throw OverflowError();
    // The scaling is done in extended precision so that it adds no rounding of its own where the
    // platform has it; the rounding to an integer follows the default mode, to nearest even.
    // rint rounds as nearbyint does; it only may raise the inexact flag, which nothing reads,
    // where nearbyint saves and restores the floating-point environment around every call.
    const long double scaled = std::rint(static_cast<long double>(value) * kScale);
    // 2^63 is exactly representable; the valid range is [-2^63, 2^63).
    constexpr long double kLimit = 9223372036854775808.0L;
    if (scaled < -kLimit || scaled >= kLimit) throw OverflowError();
    return fromRaw(static_cast<std::int64_t>(scaled));
}

Fixed operator+(Fixed a, Fixed b) {
    std::int64_t r;
    if (__builtin_add_overflow(a.raw_, b.raw_, &r)) throw OverflowError();
    return Fixed::fromRaw(r);
}

Fixed operator-(Fixed a, Fixed b) {
    std::int64_t r;
    if (__builtin_sub_overflow(a.raw_, b.raw_, &r)) throw OverflowError();
    return Fixed::fromRaw(r);
}

Fixed operator*(Fixed a, Fixed b) {
    const Int128 product = static_cast<Int128>(a.raw_) * b.raw_;
    return checked(divideHalfEven(product, Fixed::kScale));
}

Fixed Fixed::operator-() const {
    if (raw_ == kMin) throw OverflowError();
    return fromRaw(-raw_);
}

}  // namespace vardo
