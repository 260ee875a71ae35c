#include "calc/moments.h"

#include <cmath>

namespace vardo::calc {

namespace {

double square(double x) {
    return std::pow(x, 2.0);
}

MomentTerms emergency(const MomentInputs& in, const SectionFactors& f) {
    MomentTerms t;
    const Fixed distributed = in.gp + in.gpg;
    const double lengthTerm = square(in.lp.toDouble()) * f.kq;
    const Fixed distributedMoment = Fixed::fromDouble(distributed.toDouble() * lengthTerm);
    // kc * Lр is exact (an integer multiple); the product with h/b is rounded to four places.
    const Fixed concentrated = (Fixed::fromInt(f.kc) * in.lp) * in.hb;
    const Fixed sum = distributedMoment + concentrated + in.m + in.mIce + in.mfs;
    t.distributed = distributedMoment.toDouble();
    t.second = concentrated.toDouble();
    t.load = in.m.toDouble();
    t.iceLoad = in.mIce.toDouble();
    t.mfs = in.mfs.toDouble();
    t.sum = sum.toDouble();
    t.result = Fixed::fromDouble(sum.toDouble() / kDivisor);
    return t;
}

MomentTerms ice(const MomentInputs& in, const SectionFactors& f) {
    MomentTerms t;
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
    t.distributed = t3;
    t.second = in.hb.toDouble() * t6;
    t.load = in.m.toDouble() * kWeightFactor;
    t.iceLoad = in.mIce.toDouble() * kIceFactor;
    t.mfs = in.mfs.toDouble() * kWeightFactor;
    t.sum = in.mfs.toDouble() * kWeightFactor + t9;
    t.result = Fixed::fromDouble((in.mfs.toDouble() * kWeightFactor + t9) / kDivisor);
    return t;
}

MomentTerms maxWind(const MomentInputs& in, const SectionFactors& f) {
    MomentTerms t;
    const double lp = in.lp.toDouble();
    const double t1 = square(lp) * f.kqWind;
    const double t2 = in.gp.toDouble() * t1;
    const double t3 = square(in.vm.toDouble()) * in.pp.toDouble() * f.kvWind;
    const double t4 = square(lp) * t3;
    const double t5 = in.hb.toDouble() * t4 + t2;
    const double t6 = in.m.toDouble() * kWeightFactor + t5;
    t.distributed = t2;
    t.second = in.hb.toDouble() * t4;
    t.load = in.m.toDouble() * kWeightFactor;
    t.mfs = in.mfs.toDouble() * kWeightFactor;
    t.sum = in.mfs.toDouble() * kWeightFactor + t6;
    t.result = Fixed::fromDouble((in.mfs.toDouble() * kWeightFactor + t6) / kDivisor);
    return t;
}

}  // namespace

MomentTerms designMomentTerms(Mode mode, const MomentInputs& in, const SectionFactors& f) {
    switch (mode) {
        case Mode::Emergency:
            return emergency(in, f);
        case Mode::Ice:
            return ice(in, f);
        case Mode::MaxWind:
            return maxWind(in, f);
    }
    return {};
}

}  // namespace vardo::calc
