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

// Whether `result` is at 1/3 (1/4) of the span, as the catalogue's results say.
bool atSection(const Name& result) {
    for (const catalogue::ResultField& r : catalogue::resultFieldInfo())
        if (r.name.view() == result.view()) return r.atSection;
    return false;
}

// A procedure that writes `result`; one at 1/3 (1/4) also tests the section options.
ProcedureEntry writing(const Name& control, void (*run)(Sheet&), const Name& result, Stage stage,
                       QStringList inputs) {
    const bool section = atSection(result);
    if (section && stage == Stage::Load) inputs << names::Option9 << names::Option10;
    return {control, run, result, stage, section, inputs};
}

const std::vector<ProcedureEntry>& table() {
    static const std::vector<ProcedureEntry> entries = [] {
        const QStringList g = pointsOf(Load::G);
        const QStringList gIce = pointsOf(Load::Gice);
        // The governing values compare the left and right results.
        const QStringList sidesG{names::kLoadLeftMoment, names::kLoadRightMoment};
        const QStringList sidesGice{names::kIceLoadLeftMoment, names::kIceLoadRightMoment};
        std::vector<ProcedureEntry> out{
            writing(names::Command1, Command1_Click, names::kLoadMidMoment, Stage::Load, g),
            writing(names::Command2, Command2_Click, names::kIceLoadMidMoment, Stage::Load, gIce),
            writing(names::Command3, Command3_Click, names::kLoadLeftMoment, Stage::Load, g),
            writing(names::Command4, Command4_Click, names::kIceLoadLeftMoment, Stage::Load, gIce),
            writing(names::Command5, Command5_Click, names::kLoadRightMoment, Stage::Load, g),
            writing(names::Command6, Command6_Click, names::kIceLoadRightMoment, Stage::Load, gIce),
            writing(names::kLoadSectionMoment, Text21_Click, names::kLoadSectionMoment,
                    Stage::Governing, sidesG),
            writing(names::kIceLoadSectionMoment, Text22_Click, names::kIceLoadSectionMoment,
                    Stage::Governing, sidesGice),
        };
        // The design moments: the buttons and results of each mode are the catalogue's, the
        // inputs what the procedure reads; mid-span first, then 1/3 (1/4).
        using Run = void (*)(Sheet&);
        constexpr Run kMiddle[]{Command7_Click, Command8_Click, Command9_Click};
        constexpr Run kSection[]{Command11_Click, Command12_Click, Command13_Click};
        static_assert(std::size(kMiddle) == catalogue::kModeCount);
        for (bool section : {false, true})
            for (int m = 0; m < catalogue::kModeCount; ++m) {
                const catalogue::Mode& mode = catalogue::kModes[m];
                out.push_back({section ? mode.sectionButton : mode.middleButton,
                               section ? kSection[m] : kMiddle[m],
                               section ? mode.section : mode.middle, Stage::Moment, section,
                               momentInputs(m, section)});
            }
        const Name none{u""};
        out.push_back({names::Command20, Command20_Click, none, Stage::Mfs, false, {}});
        out.push_back({names::Command21, Command21_Click, none, Stage::Mfs, false, {}});
        return out;
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
