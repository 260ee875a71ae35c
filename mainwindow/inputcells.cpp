#include "mainwindow/inputcells.h"

#include <algorithm>

namespace vardo::mainwindow {

namespace {

constexpr std::array<QStringView, 19> kClearOnClickFields{
    u"txtProlet", u"txtLp", u"txtVm",                                                    //
    u"txtL1",     u"txtL2", u"txtL3", u"txtL4", u"txtL5", u"txtL6", u"txtL7", u"txtL8",  //
    u"txtP1",     u"txtP2", u"txtP3", u"txtP4", u"txtP5", u"txtP6", u"txtP7", u"txtP8"};

// Table "G" (т11.1.xls): one value column.
constexpr PickSource kSourcesG[]{{u"Text3", {}}};
// Table "Gг" (т11.2.xls): ice thickness 5, 10, 15, 20 mm.
constexpr PickSource kSourcesGg[]{{u"Text6", {}}, {u"Text7", {}}, {u"Text8", {}}, {u"Text9", {}}};
// Table "gр" (т37Gp.xls): series "П", "ОП".
constexpr PickSource kSourcesGp[]{{u"Text1", {}}, {u"Text2", {}}};
// Table "Pp" (т37gama.xls): series "П", "ОП".
constexpr PickSource kSourcesPp[]{{u"Text4", {}}, {u"Text5", {}}};
// Table "gрг" (Т37Gрг.xls): the four thicknesses of "П" in Frame9, then those of "ОП" in Frame10.
// The thickness option sets the fields of both frames, so the frame decides between the series.
constexpr PickSource kSourcesGpg[]{{u"Text10", u"Frame9"},  {u"Text11", u"Frame9"},
                                   {u"Text12", u"Frame9"},  {u"Text13", u"Frame9"},
                                   {u"Text14", u"Frame10"}, {u"Text15", u"Frame10"},
                                   {u"Text16", u"Frame10"}, {u"Text17", u"Frame10"}};

constexpr QStringView kFieldGpg[]{u"txtGpg"};
constexpr QStringView kFieldPp[]{u"txtPp"};
constexpr QStringView kFieldGp[]{u"txtGp"};

struct PickRule {
    std::span<const QStringView> fields;
    std::span<const PickSource> sources;
};

// In the order of the pick pointer.
constexpr PickRule kPickRules[]{
    {kLoadFieldsG, kSourcesG}, {kLoadFieldsGg, kSourcesGg}, {kFieldGpg, kSourcesGpg},
    {kFieldPp, kSourcesPp},    {kFieldGp, kSourcesGp},
};

bool onDisplay(const Sheet& sheet, const PickSource& source) {
    return sheet.isVisible(source.field.toString()) &&
           (source.frame.isEmpty() || sheet.isVisible(source.frame.toString()));
}

}  // namespace

QStringList clearOnClickFields() {
    QStringList names;
    for (QStringView name : kClearOnClickFields) names << name.toString();
    return names;
}

QStringList pickFields() {
    QStringList names;
    for (const PickRule& rule : kPickRules)
        for (QStringView name : rule.fields) names << name.toString();
    return names;
}

std::span<const PickSource> pickSources(QStringView field) {
    for (const PickRule& rule : kPickRules)
        if (std::ranges::find(rule.fields, field) != rule.fields.end()) return rule.sources;
    return {};
}

bool clearOnClick(Sheet& sheet, const QString& name) {
    if (std::ranges::find(kClearOnClickFields, QStringView(name)) == kClearOnClickFields.end())
        return false;
    sheet.setText(name, QString());
    return true;
}

bool pickOnClick(Sheet& sheet, const QString& name) {
    const std::span<const PickSource> sources = pickSources(name);
    if (sources.empty()) return false;
    for (const PickSource& source : sources)
        if (onDisplay(sheet, source)) sheet.setText(name, sheet.text(source.field.toString()));
    return true;
}

}  // namespace vardo::mainwindow
