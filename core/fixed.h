#pragma once
// The fixed-point decimal of every calculation: a signed 64-bit count of ten-thousandths.
//
//   text --parseFixed--> Fixed --(+ - exact, * rounded, toDouble/fromDouble)--> Fixed
//   --formatFixed--> text
//
// Sums and differences are exact; a product is rounded to four places when it is formed; a double
// is rounded to the nearest ten-thousandth. Every rounding is half to even. Leaving the range
// -922337203685477.5808 .. 922337203685477.5807 throws OverflowError.

#include <compare>
#include <cstdint>
#include <stdexcept>

namespace vardo {

// 128-bit integer for exact intermediate products (GCC and Clang).
__extension__ typedef __int128 Int128;

// A calculation step that cannot be completed; the step runner (core/step.h) swallows it.
class CalcError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class OverflowError : public CalcError {
  public:
    OverflowError() : CalcError("fixed-point overflow") {}
};

class Fixed {
  public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Fixed() = default;

    static constexpr Fixed fromRaw(std::int64_t tenThousandths) {
        Fixed f;
        f.raw_ = tenThousandths;
        return f;
    }
    // An integer, exactly; throws OverflowError outside the range.
    static Fixed fromInt(std::int64_t value);
    // The nearest ten-thousandth, ties to even; NaN, infinities and out-of-range values throw.
    static Fixed fromDouble(double value);

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / kScale; }
    constexpr bool isZero() const { return raw_ == 0; }

    friend Fixed operator+(Fixed a, Fixed b);
    friend Fixed operator-(Fixed a, Fixed b);
    friend Fixed operator*(Fixed a, Fixed b);
    Fixed operator-() const;
    Fixed& operator+=(Fixed b) { return *this = *this + b; }

    friend constexpr bool operator==(Fixed, Fixed) = default;
    friend constexpr auto operator<=>(Fixed a, Fixed b) { return a.raw_ <=> b.raw_; }

  private:
    std::int64_t raw_ = 0;
};

}  // namespace vardo
