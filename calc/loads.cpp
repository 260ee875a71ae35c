#include "calc/loads.h"
#include "core/catalogue.h"

#include "core/sheet.h"
#include "core/step.h"

namespace vardo::calc {

namespace {

void readRow(const Sheet& sheet, const NameSeries& row, std::array<Fixed, kPointCount>& values) {
    for (int i = 0; i < kPointCount; ++i) {
        const QString name = row[i + 1];
        step([&] { values[i] = readFixed(sheet, name); });
    }
}

}  // namespace

SuspensionPoints readSuspensionPoints(const Sheet& sheet, Load load) {
    SuspensionPoints points;
    readRow(sheet, names::txtL, points.left);
    readRow(sheet, names::txtP, points.right);
    readRow(sheet, names::txtG, points.load);
    if (load == Load::Gice) readRow(sheet, names::txtGg, points.iceLoad);
    step([&] { points.span = readFixed(sheet, names::txtProlet); });
    if (load == Load::G) step([&] { points.pointWeight = readFixed(sheet, names::Combo2); });
    return points;
}

LoadMomentTerms loadMomentTerms(const SuspensionPoints& points, Load load, ArmFactors factors) {
    LoadMomentTerms t;
    for (int i = 0; i < kPointCount; ++i) {
        const Fixed pointLoad = load == Load::G
                                    ? points.load[i] * points.span + points.pointWeight
                                    : (points.iceLoad[i] - points.load[i]) * points.span;
        t.pointLoads[i] = pointLoad;
        t.leftSum += pointLoad * points.left[i];
        t.rightSum += pointLoad * points.right[i];
    }
    const double leftPart = t.leftSum.toDouble() * factors.left;
    t.result = Fixed::fromDouble(t.rightSum.toDouble() * factors.right + leftPart);
    return t;
}

}  // namespace vardo::calc
