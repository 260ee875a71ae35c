// The mode buttons of the panel "Мо от ригеля": the groups "Середина" and "1/3 (1/4)".
#include <span>

#include "calc/calc.h"
#include "calc/moments.h"
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
    QStringView mfsField;
};

constexpr ModeRow kEmergency{Mode::Emergency, kEmergencyReads, names::Text18.view()};
constexpr ModeRow kIce{Mode::Ice, kIceReads, names::Text19.view()};
constexpr ModeRow kMaxWind{Mode::MaxWind, kMaxWindReads, names::Text20.view()};

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

constexpr Group kMidSpanGroup{names::Label10.view(), names::Label11.view(), kMidSpanSections};
constexpr Group kThirdPointGroup{names::Text21.view(), names::Text22.view(), kThirdQuarterSections};

struct Source {
    QStringView field;
    Fixed MomentInputs::*value;
};

Source sourceOf(Input input, const ModeRow& mode, const Group& group) {
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
            return {mode.mfsField, &MomentInputs::mfs};
        case Input::Pp:
            return {names::txtPp.view(), &MomentInputs::pp};
        case Input::Vm:
            return {names::txtVm.view(), &MomentInputs::vm};
    }
    return {};
}

// Reads, then per selected section: the no-data message at the first required zero (one message),
// otherwise the moment; the label last, "0" when nothing was computed.
void clickMomentButton(Sheet& sheet, const ModeRow& mode, const Group& group, QStringView label) {
    MomentInputs in;
    for (Input input : mode.reads) {
        const Source source = sourceOf(input, mode, group);
        step([&] { in.*source.value = readFixed(sheet, source.field.toString()); });
    }

    Fixed moment;
    for (const Section& section : group.sections) {
        if (!section.option.isEmpty() && !sheet.isChecked(section.option.toString())) continue;
        bool refused = false;
        for (Input input : mode.reads) {
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
        step([&] { moment = designMoment(mode.mode, in, *section.factors); });
    }
    writeFixed(sheet, label.toString(), moment);
}

}  // namespace

void Command7_Click(Sheet& sheet) {
    clickMomentButton(sheet, kEmergency, kMidSpanGroup, names::Label22.view());
}
void Command8_Click(Sheet& sheet) {
    clickMomentButton(sheet, kIce, kMidSpanGroup, names::Label23.view());
}
void Command9_Click(Sheet& sheet) {
    clickMomentButton(sheet, kMaxWind, kMidSpanGroup, names::Label24.view());
}

void Command11_Click(Sheet& sheet) {
    clickMomentButton(sheet, kEmergency, kThirdPointGroup, names::Label30.view());
}
void Command12_Click(Sheet& sheet) {
    clickMomentButton(sheet, kIce, kThirdPointGroup, names::Label31.view());
}
void Command13_Click(Sheet& sheet) {
    clickMomentButton(sheet, kMaxWind, kThirdPointGroup, names::Label32.view());
}

}  // namespace vardo::calc
