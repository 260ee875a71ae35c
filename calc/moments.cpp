#include "calc/moments.h"

#include <cmath>

namespace vardo::calc {

namespace {

// Load factors of the modes and the conversion of the sum into тсм.
constexpr double kWeightFactor = 1.1;
constexpr double kIceFactor = 1.26;
constexpr double kIceWindSpeed = 0.5;  // the ice mode takes half the maximum wind speed
constexpr double kDivisor = 1000.0;

double square(double x) {
    return std::pow(x, 2.0);
}

Fixed emergency(const MomentInputs& in, const SectionFactors& f) {
    const Fixed distributed = in.gp + in.gpg;
    const double lengthTerm = square(in.lp.toDouble()) * f.kq;
    const Fixed distributedMoment = Fixed::fromDouble(distributed.toDouble() * lengthTerm);
    // kc * Lр is exact (an integer multiple); the product with h/b is rounded to four places.
    const Fixed concentrated = (Fixed::fromInt(f.kc) * in.lp) * in.hb;
    const Fixed sum = distributedMoment + concentrated + in.m + in.mIce + in.mfs;
    return Fixed::fromDouble(sum.toDouble() / kDivisor);
}

Fixed ice(const MomentInputs& in, const SectionFactors& f) {
    const double lp = in.lp.toDouble();
    const double t1 = square(lp) * f.kq;
    const double t2 = in.gp.toDouble() * kWeightFactor;
    const double t3 = (in.gpg.toDouble() * kIceFactor + t2) * t1;
    const double t4 = in.pp.toDouble() * f.kv;
    const double t5 = square(in.vm.toDouble() * kIceWindSpeed) * t4;
    const double t6 = square(lp) * t5;
    const double t7 = in.hb.toDouble() * t6 + t3;
    const double t8 = in.m.toDouble() * kWeightFactor + t7;
    const double t9 = in.mIce.toDouble() * kIceFactor + t8;
    return Fixed::fromDouble((in.mfs.toDouble() * kWeightFactor + t9) / kDivisor);
}

Fixed maxWind(const MomentInputs& in, const SectionFactors& f) {
    const double lp = in.lp.toDouble();
    const double t1 = square(lp) * f.kqWind;
    const double t2 = in.gp.toDouble() * t1;
    const double t3 = square(in.vm.toDouble()) * in.pp.toDouble() * f.kvWind;
    const double t4 = square(lp) * t3;
    const double t5 = in.hb.toDouble() * t4 + t2;
    const double t6 = in.m.toDouble() * kWeightFactor + t5;
    return Fixed::fromDouble((in.mfs.toDouble() * kWeightFactor + t6) / kDivisor);
}

}  // namespace

Fixed designMoment(Mode mode, const MomentInputs& in, const SectionFactors& f) {
    switch (mode) {
        case Mode::Emergency:
            return emergency(in, f);
        case Mode::Ice:
            return ice(in, f);
        case Mode::MaxWind:
            return maxWind(in, f);
    }
    return Fixed();
}

}  // namespace vardo::calc
