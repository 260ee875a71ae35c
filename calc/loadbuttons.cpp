// The load buttons of the frame "Мо от подвески": mid-span, left and right third (quarter) points,
// and the clicks on the two governing fields.
#include <span>

#include "calc/calc.h"
#include "calc/loads.h"
#include "calc/trace.h"
#include "core/catalogue.h"
#include "core/messages.h"
#include "core/sheet.h"
#include "core/step.h"

namespace vardo::calc {

namespace {

using MessageText = QString (*)();

// One section a button can compute. Mid-span is computed unconditionally; the third and quarter
// point sections each belong to an option button of the frame "Пр. ригеля".
struct LoadSection {
    QStringView option;  // empty: always computed
    ArmFactors factors;
    MessageText noData;  // shown when l is 0; the punctuation differs from branch to branch
};

struct LoadButton {
    Load load;
    QStringView showFirst;  // made visible before anything is read (empty: none)
    std::span<const LoadSection> sections;
    MessageText guidance;  // shown after a result (nullptr: none)
    QStringView reveal;    // the next button of the chain, shown after a result (empty: none)
    QStringView label;
};

constexpr ArmFactors kMid{0.5, 0.5};
constexpr ArmFactors kLeftThird{0.67, 0.33};
constexpr ArmFactors kLeftQuarter{0.75, 0.25};
constexpr ArmFactors kRightThird{0.33, 0.67};
constexpr ArmFactors kRightQuarter{0.25, 0.75};

constexpr LoadSection kMidSpanLoads[] = {{{}, kMid, &messages::noData}};
constexpr LoadSection kLeftG[] = {{names::Option9.view(), kLeftThird, &messages::noDataColonSpace},
                                  {names::Option10.view(), kLeftQuarter, &messages::noData}};
constexpr LoadSection kLeftGice[] = {
    {names::Option9.view(), kLeftThird, &messages::noDataColon},
    {names::Option10.view(), kLeftQuarter, &messages::noDataColonSpace}};
constexpr LoadSection kRight[] = {{names::Option9.view(), kRightThird, &messages::noData},
                                  {names::Option10.view(), kRightQuarter, &messages::noData}};

// The order inside a click: the field shown first, the reads, then per selected section either the
// no-data message or the result followed by the guidance message and the reveal; the label last,
// so that it changes only after every message has been closed.
void clickLoadButton(Sheet& sheet, const LoadButton& button) {
    if (!button.showFirst.isEmpty()) sheet.setVisible(button.showFirst.toString(), true);
    const SuspensionPoints points = readSuspensionPoints(sheet, button.load);

    Fixed result;
    for (const LoadSection& section : button.sections) {
        if (!section.option.isEmpty() && !sheet.isChecked(section.option.toString())) continue;
        if (points.span.isZero()) {
            sheet.message(section.noData());
            continue;
        }
        // An overflow abandons the whole computation: the result stays 0, and the chain goes on.
        step([&] {
            const LoadMomentTerms terms = loadMomentTerms(points, button.load, section.factors);
            result = terms.result;
            if (Trace* trace = currentTrace())
                trace->loads.append(
                    {button.label.toString(), button.load, section.factors, points, terms});
        });
        if (button.guidance) sheet.message(button.guidance());
        if (!button.reveal.isEmpty()) sheet.setVisible(button.reveal.toString(), true);
    }
    writeFixed(sheet, button.label.toString(), result);
}

// A label that holds no number (blank before its button ran, or typed over) counts as 0.
void takeLarger(Sheet& sheet, QStringView left, QStringView right, QStringView target) {
    Fixed a;
    Fixed b;
    step([&] { a = readFixed(sheet, left.toString()); });
    step([&] { b = readFixed(sheet, right.toString()); });
    writeFixed(sheet, target.toString(), a >= b ? a : b);
}

}  // namespace

void Command1_Click(Sheet& sheet) {
    clickLoadButton(sheet, {Load::G,
                            {},
                            kMidSpanLoads,
                            nullptr,
                            names::Command3.view(),
                            names::kLoadMidMoment.view()});
}

void Command2_Click(Sheet& sheet) {
    clickLoadButton(sheet, {Load::Gice,
                            {},
                            kMidSpanLoads,
                            nullptr,
                            names::Command4.view(),
                            names::kIceLoadMidMoment.view()});
}

void Command3_Click(Sheet& sheet) {
    clickLoadButton(sheet, {Load::G,
                            {},
                            kLeftG,
                            &messages::nowRight,
                            names::Command5.view(),
                            names::kLoadLeftMoment.view()});
}

void Command4_Click(Sheet& sheet) {
    clickLoadButton(sheet, {Load::Gice,
                            {},
                            kLeftGice,
                            &messages::nowRight,
                            names::Command6.view(),
                            names::kIceLoadLeftMoment.view()});
}

void Command5_Click(Sheet& sheet) {
    clickLoadButton(sheet, {Load::G,
                            names::kLoadSectionMoment.view(),
                            kRight,
                            &messages::clickG13,
                            {},
                            names::kLoadRightMoment.view()});
}

void Command6_Click(Sheet& sheet) {
    clickLoadButton(sheet, {Load::Gice,
                            names::kIceLoadSectionMoment.view(),
                            kRight,
                            &messages::clickGg13,
                            {},
                            names::kIceLoadRightMoment.view()});
}

void Text21_Click(Sheet& sheet) {
    takeLarger(sheet, names::kLoadLeftMoment.view(), names::kLoadRightMoment.view(),
               names::kLoadSectionMoment.view());
}

void Text22_Click(Sheet& sheet) {
    takeLarger(sheet, names::kIceLoadLeftMoment.view(), names::kIceLoadRightMoment.view(),
               names::kIceLoadSectionMoment.view());
}

}  // namespace vardo::calc
