#include "mainwindow/selectors.h"

#include <algorithm>

#include "mainwindow/allowable.h"
#include "mainwindow/inputcells.h"

namespace vardo::mainwindow {

namespace {

void setVisible(Sheet& sheet, QStringView name, bool visible) {
    sheet.setVisible(name.toString(), visible);
}

void setAllVisible(Sheet& sheet, std::span<const QStringView> names, bool visible) {
    for (QStringView name : names) setVisible(sheet, name, visible);
}

// --- "Ввод 1-2-3-4-5" ---

constexpr QStringView kTablePanels[]{u"frmF1", u"frmF2", u"frmF3", u"frmF4", u"frmF5"};

enum class LoadRow { Unchanged, G, Gg };

// The panel of table `panel` first, then the others in their order; then the load row, captions
// first: Label12, txtG1 .. txtG8, Label13, txtGg1 .. txtGg8.
void showTablePanel(Sheet& sheet, int panel, LoadRow row) {
    setVisible(sheet, kTablePanels[panel], true);
    for (int i = 0; i < std::ssize(kTablePanels); ++i)
        if (i != panel) setVisible(sheet, kTablePanels[i], false);
    if (row == LoadRow::Unchanged) return;
    const bool g = row == LoadRow::G;
    setVisible(sheet, u"Label12", g);
    setAllVisible(sheet, kLoadFieldsG, g);
    setVisible(sheet, u"Label13", !g);
    setAllVisible(sheet, kLoadFieldsGg, !g);
}

// --- "b мм" ---

// Three groups of four thickness columns (5, 10, 15, 20 mm): table "Gг", "gрг" П, "gрг" ОП.
constexpr QStringView kIceFields[]{u"Text6",  u"Text7",  u"Text8",  u"Text9",
                                   u"Text10", u"Text11", u"Text12", u"Text13",
                                   u"Text14", u"Text15", u"Text16", u"Text17"};
constexpr int kThicknesses = 4;

void showThickness(Sheet& sheet, int thickness) {
    for (int i = 0; i < std::ssize(kIceFields); ++i)
        setVisible(sheet, kIceFields[i], i % kThicknesses == thickness);
}

// --- "П/ОП" ---

struct SeriesPair {
    QStringView p;
    QStringView op;
};
// Row captions and value fields of "gр" and "Pp", the value frames and row captions of "gрг".
constexpr SeriesPair kSeriesPairs[]{{u"Label1", u"Label2"},  {u"Text1", u"Text2"},
                                    {u"Label4", u"Label5"},  {u"Text4", u"Text5"},
                                    {u"Frame9", u"Frame10"}, {u"Label7", u"Label8"}};
// The allowable-moment sets: data source and its six bound labels.
constexpr QStringView kAllowableP[]{u"Data7",   u"Label33", u"Label34", u"Label35",
                                    u"Label36", u"Label41", u"Label42"};
constexpr QStringView kAllowableOp[]{u"Data8",   u"Label43", u"Label44", u"Label45",
                                     u"Label46", u"Label47", u"Label48"};

void showSeries(Sheet& sheet, bool p) {
    for (const SeriesPair& pair : kSeriesPairs) {
        setVisible(sheet, pair.p, p);
        setVisible(sheet, pair.op, !p);
    }
    setAllVisible(sheet, kAllowableP, p);
    setAllVisible(sheet, kAllowableOp, !p);
}

// --- "пер"/"пост" ---

void showMfsSet(Sheet& sheet, bool per) {
    setVisible(sheet, kMfsSetPer, per);
    setVisible(sheet, kMfsSetPost, !per);
    copyMfsSet(sheet, per ? kMfsSetPer : kMfsSetPost);
}

// --- the groups ---

constexpr QStringView kInputOptions[]{u"Option11", u"Option12", u"Option13", u"Option14",
                                      u"Option15"};
constexpr QStringView kThicknessOptions[]{u"Option3", u"Option4", u"Option5", u"Option6"};
constexpr QStringView kSeriesOptions[]{u"Option1", u"Option2"};
constexpr QStringView kMfsOptions[]{u"Option7", u"Option8"};
constexpr QStringView kSectionOptions[]{u"Option9", u"Option10"};

constexpr OptionGroup kOptionGroups[]{
    {u"Frame5", kInputOptions}, {u"Frame7", kThicknessOptions}, {u"Frame3", kSeriesOptions},
    {u"Frame11", kMfsOptions},  {u"Frame15", kSectionOptions},
};

struct OptionAction {
    QStringView option;
    void (*click)(Sheet&);
};
constexpr OptionAction kOptionActions[]{
    {u"Option11", Option11_Click}, {u"Option12", Option12_Click}, {u"Option13", Option13_Click},
    {u"Option14", Option14_Click}, {u"Option15", Option15_Click}, {u"Option3", Option3_Click},
    {u"Option4", Option4_Click},   {u"Option5", Option5_Click},   {u"Option6", Option6_Click},
    {u"Option1", Option1_Click},   {u"Option2", Option2_Click},   {u"Option7", Option7_Click},
    {u"Option8", Option8_Click},
};

constexpr QStringView kStartOptions[]{u"Option4", u"Option11", u"Option9", u"Option8"};
constexpr QStringView kFirstFocusOption = u"Option1";

}  // namespace

std::span<const OptionGroup> optionGroups() {
    return kOptionGroups;
}

QStringView groupOf(QStringView option) {
    for (const OptionGroup& group : kOptionGroups)
        if (std::ranges::find(group.options, option) != group.options.end()) return group.frame;
    return {};
}

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
    showSeries(sheet, true);
}
void Option2_Click(Sheet& sheet) {
    showSeries(sheet, false);
}

void Option7_Click(Sheet& sheet) {
    showMfsSet(sheet, true);
}
void Option8_Click(Sheet& sheet) {
    showMfsSet(sheet, false);
}

bool optionClick(Sheet& sheet, const QString& name) {
    const auto it = std::ranges::find(kOptionActions, QStringView(name), &OptionAction::option);
    if (it != std::end(kOptionActions)) {
        it->click(sheet);
        return true;
    }
    return !groupOf(name).isEmpty();
}

void selectStartOptions(FormPort& form) {
    for (QStringView option : kStartOptions) form.setChecked(option.toString());
}

void selectOnFirstFocus(FormPort& form) {
    form.setChecked(kFirstFocusOption.toString());
}

}  // namespace vardo::mainwindow
