#include "calc/procedures.h"

#include <algorithm>
#include <vector>

#include "calc/calc.h"
#include "calc/loads.h"

namespace vardo::calc {

namespace {

// The suspension points as readSuspensionPoints reads them (loads.h).
QStringList pointsOf(Load load) {
    QStringList out = names::txtL.all() + names::txtP.all() + names::txtG.all();
    if (load == Load::Gice) out += names::txtGg.all();
    out << names::txtProlet;
    if (load == Load::G) out << names::Combo2;
    return out;
}

const std::vector<ProcedureEntry>& table() {
    static const std::vector<ProcedureEntry> entries = [] {
        const QStringList g = pointsOf(Load::G);
        const QStringList gIce = pointsOf(Load::Gice);
        const QStringList section{names::Option9, names::Option10};
        // The governing values compare the left and right results.
        const QStringList sidesG{names::Label14, names::Label20};
        const QStringList sidesGice{names::Label15, names::Label21};
        // The moments read Lр, gр, [gрг], h/b, the suspension moments, the Мфс of the mode and
        // [Pp, Vm], as each mode's formula needs them (moments.h).
        const auto emergency = [](const Name& load, const Name& ice) {
            return QStringList{names::txtLp, names::txtGp, names::txtGpg, names::Combo1,
                               load,         ice,          names::Text18};
        };
        const auto ice = [](const Name& load, const Name& iceLoad) {
            return QStringList{names::txtLp, names::txtGp,  names::txtGpg, names::Combo1, load,
                               iceLoad,      names::Text19, names::txtPp,  names::txtVm};
        };
        const auto wind = [](const Name& load) {
            return QStringList{names::txtLp,  names::txtGp, names::Combo1, load,
                               names::Text20, names::txtPp, names::txtVm};
        };
        const Name none{u""};
        return std::vector<ProcedureEntry>{
            {names::Command1, Command1_Click, names::Label10, Stage::Load, false, g},
            {names::Command2, Command2_Click, names::Label11, Stage::Load, false, gIce},
            {names::Command3, Command3_Click, names::Label14, Stage::Load, true, g + section},
            {names::Command4, Command4_Click, names::Label15, Stage::Load, true, gIce + section},
            {names::Command5, Command5_Click, names::Label20, Stage::Load, true, g + section},
            {names::Command6, Command6_Click, names::Label21, Stage::Load, true, gIce + section},
            {names::Text21, Text21_Click, names::Text21, Stage::Governing, true, sidesG},
            {names::Text22, Text22_Click, names::Text22, Stage::Governing, true, sidesGice},
            {names::Command7, Command7_Click, names::Label22, Stage::Moment, false,
             emergency(names::Label10, names::Label11)},
            {names::Command8, Command8_Click, names::Label23, Stage::Moment, false,
             ice(names::Label10, names::Label11)},
            {names::Command9, Command9_Click, names::Label24, Stage::Moment, false,
             wind(names::Label10)},
            {names::Command11, Command11_Click, names::Label30, Stage::Moment, true,
             emergency(names::Text21, names::Text22) + section},
            {names::Command12, Command12_Click, names::Label31, Stage::Moment, true,
             ice(names::Text21, names::Text22) + section},
            {names::Command13, Command13_Click, names::Label32, Stage::Moment, true,
             wind(names::Text21) + section},
            {names::Command20, Command20_Click, none, Stage::Mfs, false, {}},
            {names::Command21, Command21_Click, none, Stage::Mfs, false, {}},
        };
    }();
    return entries;
}

}  // namespace

std::span<const ProcedureEntry> procedures() {
    return table();
}

std::span<const ProcedureEntry> resultProcedures() {
    static const std::span<const ProcedureEntry> withResult = [] {
        const std::span<const ProcedureEntry> all = procedures();
        const auto mfs = std::find_if(
            all.begin(), all.end(), [](const ProcedureEntry& p) { return p.stage == Stage::Mfs; });
        return all.first(static_cast<std::size_t>(mfs - all.begin()));
    }();
    return withResult;
}

const ProcedureEntry* findProcedure(QStringView control) {
    for (const ProcedureEntry& p : procedures())
        if (p.control.view() == control) return &p;
    return nullptr;
}

const ProcedureEntry* producerOf(QStringView result) {
    for (const ProcedureEntry& p : resultProcedures())
        if (p.result.view() == result) return &p;
    return nullptr;
}

}  // namespace vardo::calc
