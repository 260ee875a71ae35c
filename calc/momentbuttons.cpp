// The mode buttons of the panel "Мо от ригеля": the groups "Середина" and "1/3 (1/4)".
#include <span>

#include "calc/calc.h"
#include "calc/moments.h"
#include "calc/trace.h"
#include "core/catalogue.h"
#include "core/messages.h"
#include "core/sheet.h"
#include "core/step.h"

namespace vardo::calc {

namespace {

enum class Input { Lp, Gp, Gpg, Hb, M, MIce, Mfs, Pp, Vm };

// What each mode reads, in reading order. Every input but h/b and Мфс must be non-zero; they are
// tested in the same order.
constexpr Input kEmergencyReads[] = {Input::Lp, Input::Gp,   Input::Gpg, Input::Hb,
                                     Input::M,  Input::MIce, Input::Mfs};
constexpr Input kIceReads[] = {Input::Lp,   Input::Gp,  Input::Gpg, Input::Hb, Input::M,
                               Input::MIce, Input::Mfs, Input::Pp,  Input::Vm};
constexpr Input kMaxWindReads[] = {Input::Lp,  Input::Gp, Input::Hb, Input::M,
                                   Input::Mfs, Input::Pp, Input::Vm};

bool mayBeZero(Input input) {
    return input == Input::Hb || input == Input::Mfs;
}

struct ModeRow {
    Mode mode;
    std::span<const Input> reads;
};

// In the order of catalogue::kModes, which names each mode's buttons, results and Мфс.
constexpr ModeRow kModeRows[]{
    {Mode::Emergency, kEmergencyReads}, {Mode::Ice, kIceReads}, {Mode::MaxWind, kMaxWindReads}};
static_assert(std::size(kModeRows) == catalogue::kModeCount);

struct Section {
    QStringView option;  // empty: always computed
    const SectionFactors* factors;
};

// A group of three buttons: where it takes the suspension moments from, and its sections.
struct Group {
    QStringView loadField;
    QStringView iceField;
    std::span<const Section> sections;
};

constexpr Section kMidSpanSections[] = {{{}, &kMidSpan}};
constexpr Section kThirdQuarterSections[] = {{names::Option9.view(), &kThirdPoint},
                                             {names::Option10.view(), &kQuarterPoint}};

constexpr Group kMidSpanGroup{names::kLoadMidMoment.view(), names::kIceLoadMidMoment.view(),
                              kMidSpanSections};
constexpr Group kThirdPointGroup{names::kLoadSectionMoment.view(),
                                 names::kIceLoadSectionMoment.view(), kThirdQuarterSections};

struct Source {
    QStringView field;
    Fixed MomentInputs::*value;
};

Source sourceOf(Input input, int mode, const Group& group) {
    switch (input) {
        case Input::Lp:
            return {names::txtLp.view(), &MomentInputs::lp};
        case Input::Gp:
            return {names::txtGp.view(), &MomentInputs::gp};
        case Input::Gpg:
            return {names::txtGpg.view(), &MomentInputs::gpg};
        case Input::Hb:
            return {names::Combo1.view(), &MomentInputs::hb};
        case Input::M:
            return {group.loadField, &MomentInputs::m};
        case Input::MIce:
            return {group.iceField, &MomentInputs::mIce};
        case Input::Mfs:
            return {catalogue::kModes[mode].mfs.view(), &MomentInputs::mfs};
        case Input::Pp:
            return {names::txtPp.view(), &MomentInputs::pp};
        case Input::Vm:
            return {names::txtVm.view(), &MomentInputs::vm};
    }
    return {};
}

const Group& groupOf(bool atSection) {
    return atSection ? kThirdPointGroup : kMidSpanGroup;
}

// Reads, then per selected section: the no-data message at the first required zero (one message),
// otherwise the moment; the result last, "0" when nothing was computed.
void clickMomentButton(Sheet& sheet, int mode, bool atSection) {
    const ModeRow& row = kModeRows[mode];
    const Group& group = groupOf(atSection);
    MomentInputs in;
    for (Input input : row.reads) {
        const Source source = sourceOf(input, mode, group);
        // The names are literals of the catalogue: read without a copy of the name.
        const QString name = QString::fromRawData(source.field.data(), source.field.size());
        step([&] { in.*source.value = readFixed(sheet, name); });
    }

    Fixed moment;
    for (const Section& section : group.sections) {
        if (!section.option.isEmpty() && !sheet.isChecked(section.option.toString())) continue;
        bool refused = false;
        for (Input input : row.reads) {
            if (!mayBeZero(input) && (in.*sourceOf(input, mode, group).value).isZero()) {
                refused = true;
                break;
            }
        }
        if (refused) {
            sheet.message(messages::noData());
            continue;
        }
        // An overflow or a result that is not a finite number abandons the whole formula: the
        // moment stays 0.
        const catalogue::Mode& m = catalogue::kModes[mode];
        step([&] {
            const MomentTerms terms = designMomentTerms(row.mode, in, *section.factors);
            moment = terms.result;
            if (Trace* trace = currentTrace())
                trace->moments.append({(atSection ? m.section : m.middle).toString(), row.mode,
                                       *section.factors, in, terms});
        });
    }
    const catalogue::Mode& m = catalogue::kModes[mode];
    writeFixed(sheet, atSection ? m.section : m.middle, moment);
}

}  // namespace

QStringList momentInputs(int mode, bool atSection) {
    const Group& group = groupOf(atSection);
    QStringList out;
    for (Input input : kModeRows[mode].reads) out << sourceOf(input, mode, group).field.toString();
    for (const Section& section : group.sections)
        if (!section.option.isEmpty()) out << section.option.toString();
    return out;
}

void Command7_Click(Sheet& sheet) {
    clickMomentButton(sheet, 0, false);
}
void Command8_Click(Sheet& sheet) {
    clickMomentButton(sheet, 1, false);
}
void Command9_Click(Sheet& sheet) {
    clickMomentButton(sheet, 2, false);
}

void Command11_Click(Sheet& sheet) {
    clickMomentButton(sheet, 0, true);
}
void Command12_Click(Sheet& sheet) {
    clickMomentButton(sheet, 1, true);
}
void Command13_Click(Sheet& sheet) {
    clickMomentButton(sheet, 2, true);
}

}  // namespace vardo::calc
