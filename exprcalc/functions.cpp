#include "exprcalc/functions.h"

#include <cmath>

namespace vardo::exprcalc {

namespace {

constexpr FunctionEntry kFunctions[] = {
    {u"cos", [](double x) { return std::cos(x); }, FunctionGuard::None},
    {u"sin", [](double x) { return std::sin(x); }, FunctionGuard::None},
    {u"tan", [](double x) { return std::tan(x); }, FunctionGuard::None},
    {u"atn", [](double x) { return std::atan(x); }, FunctionGuard::None},
    {u"exp", [](double x) { return std::exp(x); }, FunctionGuard::FiniteResult},
    {u"log", [](double x) { return std::log(x); }, FunctionGuard::PositiveArgument},
};

}  // namespace

std::span<const FunctionEntry> functions() {
    return kFunctions;
}

const FunctionEntry* findFunction(QStringView word) {
    for (const FunctionEntry& f : kFunctions)
        if (word == QStringView(f.name)) return &f;
    return nullptr;
}

}  // namespace vardo::exprcalc
