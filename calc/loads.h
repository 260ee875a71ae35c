#pragma once
// The sum core of the suspension loads: the moment that the vertical loads of the eight suspension
// points put on one section of the crossbeam.
//
// Every point i carries the load Fi (per unit of span, times the span l) at its left arm Li and its
// right arm Pi. The left-arm and right-arm sums are weighted by the influence ordinates of the
// section: fL = 1 - s and fP = s, s being the section's place from the left support (1/2 at
// mid-span; the thirds are written to two decimals, 0.67 and 0.33).

#include <array>

#include "core/fixed.h"

namespace vardo {
class Sheet;
}

namespace vardo::calc {

enum class Load {
    G,    // without ice: Fi = Gi * l + Gт (the point weight of Combo2)
    Gice  // the ice alone: Fi = (Gгi - Gi) * l
};

// Weights of the left-arm sum and of the right-arm sum, double-precision constants.
struct ArmFactors {
    double left;
    double right;
};

inline constexpr int kPointCount = 8;

struct SuspensionPoints {
    std::array<Fixed, kPointCount> left{};     // txtL1 .. txtL8
    std::array<Fixed, kPointCount> right{};    // txtP1 .. txtP8
    std::array<Fixed, kPointCount> load{};     // txtG1 .. txtG8
    std::array<Fixed, kPointCount> iceLoad{};  // txtGg1 .. txtGg8 (read for Load::Gice only)
    Fixed span;                                // txtProlet, l
    Fixed pointWeight;                         // Combo2, Gт (read for Load::G only)
};

// Reads the fields in the order txtL1..8, txtP1..8, txtG1..8, [txtGg1..8], txtProlet, [Combo2].
// A text that is not a number leaves its value at 0, silently.
SuspensionPoints readSuspensionPoints(const Sheet& sheet, Load load);

// The terms of the moment as they are formed: the point loads Fi, the arm sums and the result.
struct LoadMomentTerms {
    std::array<Fixed, kPointCount> pointLoads{};  // Fi
    Fixed leftSum;                                // SL = sum of Fi * Li
    Fixed rightSum;                               // SP = sum of Fi * Pi
    Fixed result;
};

// The moment at the section with the given arm factors: the point loads and the arm sums in fixed
// point (each product rounded to four places), then left * fL first and right * fP + that in
// double, rounded half to even into Fixed. Throws OverflowError when a value leaves the fixed-point
// range.
LoadMomentTerms loadMomentTerms(const SuspensionPoints& points, Load load, ArmFactors factors);
inline Fixed loadMoment(const SuspensionPoints& points, Load load, ArmFactors factors) {
    return loadMomentTerms(points, load, factors).result;
}

}  // namespace vardo::calc
