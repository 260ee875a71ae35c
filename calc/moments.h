#pragma once
// The design bending moments of the crossbeam in the three design modes, in тсм.
//
// Each mode has one formula; the section (mid-span, third point, quarter point) enters only through
// its row of factors. The order of operations and the mixing of fixed point and double are part of
// the method: changing either changes the last digits of the results.
//
//   emergency  [ (gр + gрг) * kq * Lр² + kc * Lр * h/b + M + Mг + Мфс ] / 1000
//              (gр + gрг, the concentrated term and the final sum in fixed point; kq * Lр² in
//              double)
//   ice        [ (1.1 gр + 1.26 gрг) * kq * Lр² + h/b * Lр² * (0.5 Vm)² * kv * Pp
//                + 1.1 M + 1.26 Mг + 1.1 Мфс ] / 1000                            (all in double)
//   max wind   [ kq' * gр * Lр² + h/b * Lр² * Vm² * Pp * kv' + 1.1 M + 1.1 Мфс ] / 1000  (double)
//
// M and Mг are the moments of the suspension loads at the section (without ice, ice alone).

#include <cstdint>

#include "core/fixed.h"

namespace vardo::calc {

enum class Mode { Emergency, Ice, MaxWind };

struct SectionFactors {
    double kq;        // factor of Lр² in the distributed-load moment (emergency, ice)
    std::int64_t kc;  // concentrated term per unit of Lр (emergency), an integer
    double kv;        // wind term factor (ice)
    double kqWind;    // factor of gр * Lр² (maximum wind)
    double kvWind;    // wind term factor (maximum wind)
};

// The rows of the factor table. The mid-span wind factor of the own weight is 0.138, not
// 1.1 * 0.125; all of them are the constants of the standard, not derived from each other.
inline constexpr SectionFactors kMidSpan{0.125, 187, 0.166, 0.138, 0.185};
inline constexpr SectionFactors kThirdPoint{0.111, 166, 0.147, 0.122, 0.164};
inline constexpr SectionFactors kQuarterPoint{0.0935, 140, 0.124, 0.103, 0.138};

// Load factors of the modes and the conversion of the sum into тсм.
inline constexpr double kWeightFactor = 1.1;
inline constexpr double kIceFactor = 1.26;
inline constexpr double kIceWindSpeed = 0.5;  // the ice mode takes half the maximum wind speed
inline constexpr double kDivisor = 1000.0;

struct MomentInputs {
    Fixed lp;    // Lр, design length of the crossbeam
    Fixed gp;    // gр, distributed own weight
    Fixed gpg;   // gрг, distributed ice load
    Fixed hb;    // h/b
    Fixed m;     // moment of the suspension loads without ice at the section
    Fixed mIce;  // moment of the ice on the suspension at the section
    Fixed mfs;   // Мфс of the mode
    Fixed pp;    // Pp, wind load parameter
    Fixed vm;    // Vm, wind speed
};

// The terms of the bracket as the formula of the mode forms them, in kgf·m, and the result:
//   distributed   (gр + gрг) kq Lр² | (1.1 gр + 1.26 gрг) kq Lр² | kq' gр Lр²
//   second        kc Lр h/b         | h/b Lр² (0.5 Vm)² kv Pp    | h/b Lр² Vm² Pp kv'
//   load, iceLoad M, Mг             | 1.1 M, 1.26 Mг            | 1.1 M, 0
//   mfs           Мфс               | 1.1 Мфс                   | 1.1 Мфс
//   sum           the bracket, which divided by 1000 and rounded is the result
struct MomentTerms {
    double distributed = 0;
    double second = 0;
    double load = 0;
    double iceLoad = 0;
    double mfs = 0;
    double sum = 0;
    Fixed result;
};

// The design moment rounded half to even to four places, with its terms. Throws OverflowError
// when a fixed-point step leaves the range or the result is not a finite number within it.
MomentTerms designMomentTerms(Mode mode, const MomentInputs& in, const SectionFactors& f);
inline Fixed designMoment(Mode mode, const MomentInputs& in, const SectionFactors& f) {
    return designMomentTerms(mode, in, f).result;
}

}  // namespace vardo::calc
