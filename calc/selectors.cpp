#include "calc/selectors.h"
#include "core/catalogue.h"

#include <algorithm>

#include "calc/allowable.h"
#include "calc/inputcells.h"

namespace vardo::calc {

namespace {

using catalogue::kIceFields;
using catalogue::kTablePanels;
using catalogue::kThicknesses;

void setAllVisible(Sheet& sheet, const QStringList& names, bool visible) {
    for (const QString& name : names) sheet.setVisible(name, visible);
}

// --- "Ввод 1-2-3-4-5" ---

enum class LoadRow { Unchanged, G, Gg };

// The panel of table `panel` first, then the others in their order; then the load row, captions
// first: Label12, txtG1 .. txtG8, Label13, txtGg1 .. txtGg8.
void showTablePanel(Sheet& sheet, int panel, LoadRow row) {
    sheet.setVisible(kTablePanels[panel], true);
    for (int i = 0; i < std::ssize(kTablePanels); ++i)
        if (i != panel) sheet.setVisible(kTablePanels[i], false);
    if (row == LoadRow::Unchanged) return;
    const bool g = row == LoadRow::G;
    sheet.setVisible(names::kLoadRowCaption, g);
    setAllVisible(sheet, names::txtG.all(), g);
    sheet.setVisible(names::kIceLoadRowCaption, !g);
    setAllVisible(sheet, names::txtGg.all(), !g);
}

// --- "b мм" ---

// Three groups of four thickness columns (5, 10, 15, 20 mm): table "Gг", "gрг" П, "gрг" ОП.
void showThickness(Sheet& sheet, int thickness) {
    for (int i = 0; i < std::ssize(kIceFields); ++i)
        sheet.setVisible(kIceFields[i], i % kThicknesses == thickness);
}

// --- "П/ОП" ---

// The controls of `chosen` shown and those of the other series hidden, control by control; then
// the allowable-moment sets.
void showSeries(Sheet& sheet, const catalogue::Series& chosen) {
    for (int k = 0; k < std::ssize(chosen.shown); ++k)
        for (const catalogue::Series& s : catalogue::kSeries)
            sheet.setVisible(s.shown[k], &s == &chosen);
    for (const catalogue::Series& s : catalogue::kSeries)
        for (const QString& name : catalogue::allowableControls(s.allowable))
            sheet.setVisible(name, &s == &chosen);
}

// --- "пер"/"пост" ---

void showMfsSet(Sheet& sheet, bool per) {
    sheet.setVisible(catalogue::kMfsSetPer, per);
    sheet.setVisible(catalogue::kMfsSetPost, !per);
    copyMfsSet(sheet, per ? catalogue::kMfsSetPer : catalogue::kMfsSetPost);
}

// --- the groups ---

struct OptionAction {
    Name option;
    void (*click)(Sheet&);
};
constexpr OptionAction kOptionActions[]{
    {names::Option11, Option11_Click}, {names::Option12, Option12_Click},
    {names::Option13, Option13_Click}, {names::Option14, Option14_Click},
    {names::Option15, Option15_Click}, {names::Option3, Option3_Click},
    {names::Option4, Option4_Click},   {names::Option5, Option5_Click},
    {names::Option6, Option6_Click},   {names::Option1, Option1_Click},
    {names::Option2, Option2_Click},   {names::Option7, Option7_Click},
    {names::Option8, Option8_Click},
};

}  // namespace

void Option11_Click(Sheet& sheet) {
    showTablePanel(sheet, 0, LoadRow::G);
}
void Option12_Click(Sheet& sheet) {
    showTablePanel(sheet, 1, LoadRow::Gg);
}
void Option13_Click(Sheet& sheet) {
    showTablePanel(sheet, 2, LoadRow::Unchanged);
}
void Option14_Click(Sheet& sheet) {
    showTablePanel(sheet, 3, LoadRow::Unchanged);
}
void Option15_Click(Sheet& sheet) {
    showTablePanel(sheet, 4, LoadRow::Unchanged);
}

void Option3_Click(Sheet& sheet) {
    showThickness(sheet, 0);
}
void Option4_Click(Sheet& sheet) {
    showThickness(sheet, 1);
}
void Option5_Click(Sheet& sheet) {
    showThickness(sheet, 2);
}
void Option6_Click(Sheet& sheet) {
    showThickness(sheet, 3);
}

void Option1_Click(Sheet& sheet) {
    showSeries(sheet, catalogue::kSeries[0]);
}
void Option2_Click(Sheet& sheet) {
    showSeries(sheet, catalogue::kSeries[1]);
}

void Option7_Click(Sheet& sheet) {
    showMfsSet(sheet, true);
}
void Option8_Click(Sheet& sheet) {
    showMfsSet(sheet, false);
}

bool optionClick(Sheet& sheet, const QString& name) {
    for (const OptionAction& a : kOptionActions)
        if (a.option.view() == name) {
            a.click(sheet);
            return true;
        }
    // "1/3" and "1/4" have no action: the calculations read them.
    return std::ranges::any_of(catalogue::kSectionOptions,
                               [&name](const Name& o) { return o.view() == name; });
}

void selectStartOptions(FormPort& form) {
    for (const Name& option : catalogue::kStartOptions) form.setChecked(option);
}

void selectOnFirstFocus(FormPort& form) {
    form.setChecked(catalogue::kFirstFocusOption);
}

}  // namespace vardo::calc
