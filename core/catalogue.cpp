#include "core/catalogue.h"

#include <QSet>
#include <algorithm>
#include <vector>

namespace vardo {

using namespace Qt::Literals::StringLiterals;

QString NameSeries::operator[](int i) const {
    if (i < first_ || i > last_) return QString::fromUtf16(stem_) + QString::number(i);
    // Each series' names are made once per thread, then shared: the procedures ask for them on
    // every click, the recomputation for every grade of every file of a schedule.
    struct Made {
        const char16_t* stem;
        int first;
        QStringList names;
    };
    thread_local std::vector<Made> made;
    for (const Made& m : made)
        if (m.stem == stem_ && m.first == first_ && m.names.size() == last_ - first_ + 1)
            return m.names[i - first_];
    QStringList names;
    for (int k = first_; k <= last_; ++k) names << QString::fromUtf16(stem_) + QString::number(k);
    made.push_back({stem_, first_, names});
    return names[i - first_];
}

QStringList NameSeries::all() const {
    QStringList out;
    for (int i = first_; i <= last_; ++i) out << (*this)[i];
    return out;
}

int NameSeries::numberOf(QStringView name) const {
    const QStringView stem(stem_);
    if (!name.startsWith(stem)) return 0;
    bool ok = false;
    const int i = name.sliced(stem.size()).toInt(&ok);
    // "txtL01" is not a name of the series.
    return ok && i >= first_ && i <= last_ && name == (*this)[i] ? i : 0;
}

namespace catalogue {

namespace {

// Every control: those named by their role, then the others by their ids.
constexpr Name kRoleNames[]{names::kBeamPanel,
                            names::kMfsPanel,
                            names::kSectionFrame,
                            names::kAllowablePanel,
                            names::kMfsButtonsFrame,
                            names::kWeightP,
                            names::kWeightOp,
                            names::kLoadValue,
                            names::kWindP,
                            names::kWindOp,
                            names::kIceLoad5,
                            names::kIceLoad10,
                            names::kIceLoad15,
                            names::kIceLoad20,
                            names::kIceWeightP5,
                            names::kIceWeightP10,
                            names::kIceWeightP15,
                            names::kIceWeightP20,
                            names::kIceWeightOp5,
                            names::kIceWeightOp10,
                            names::kIceWeightOp15,
                            names::kIceWeightOp20,
                            names::kEmergencyMfs,
                            names::kIceMfs,
                            names::kMaxWindMfs,
                            names::kLoadSectionMoment,
                            names::kIceLoadSectionMoment,
                            names::kLoadMidMoment,
                            names::kIceLoadMidMoment,
                            names::kLoadRowCaption,
                            names::kIceLoadRowCaption,
                            names::kLoadLeftMoment,
                            names::kIceLoadLeftMoment,
                            names::kLoadRightMoment,
                            names::kIceLoadRightMoment,
                            names::kEmergencyMidMoment,
                            names::kIceMidMoment,
                            names::kMaxWindMidMoment,
                            names::kEmergencySectionMoment,
                            names::kIceSectionMoment,
                            names::kMaxWindSectionMoment,
                            names::kMidEmergencyAllowableP,
                            names::kMidIceWindAllowableP,
                            names::kEndEmergencyAllowableP,
                            names::kEndIceWindAllowableP,
                            names::kGradeP,
                            names::kLengthsP,
                            names::kMidEmergencyAllowableOp,
                            names::kMidIceWindAllowableOp,
                            names::kEndEmergencyAllowableOp,
                            names::kEndIceWindAllowableOp,
                            names::kGradeOp,
                            names::kLengthsOp,
                            names::kMfsIndicator};
constexpr Name kIdNames[]{
    names::Frame1,    names::Frame3,    names::Frame4,    names::Frame5,    names::Frame6,
    names::Frame7,    names::Frame8,    names::Frame9,    names::Frame10,   names::Frame12,
    names::Frame13,   names::Frame14,   names::Frame16,   names::Frame17,   names::Frame18,
    names::Frame19,   names::Frame21,   names::Frame22,   names::Frame23,   names::Frame24,
    names::Frame25,   names::Frame26,   names::Frame27,   names::Frame28,   names::frmF1,
    names::frmF2,     names::frmF3,     names::frmF4,     names::frmF5,     names::Command1,
    names::Command2,  names::Command3,  names::Command4,  names::Command5,  names::Command6,
    names::Command7,  names::Command8,  names::Command9,  names::Command10, names::Command11,
    names::Command12, names::Command13, names::Command14, names::Command15, names::Command16,
    names::Command17, names::Command18, names::Command19, names::Command20, names::Command21,
    names::Command22, names::Command23, names::Command24, names::Command25, names::cmdOpen,
    names::cmdReport, names::cmdSave,   names::Option1,   names::Option2,   names::Option3,
    names::Option4,   names::Option5,   names::Option6,   names::Option7,   names::Option8,
    names::Option9,   names::Option10,  names::Option11,  names::Option12,  names::Option13,
    names::Option14,  names::Option15,  names::Option16,  names::Option17,  names::txtGp,
    names::txtGpg,    names::txtLp,     names::txtMa1,    names::txtMa2,    names::txtMn1,
    names::txtMn2,    names::txtMnv1,   names::txtMnv2,   names::txtPp,     names::txtProlet,
    names::txtVm,     names::Label1,    names::Label2,    names::Label3,    names::Label4,
    names::Label5,    names::Label6,    names::Label7,    names::Label8,    names::Label9,
    names::Label16,   names::Label17,   names::Label18,   names::Label19,   names::Label25,
    names::Label26,   names::Label27,   names::Label28,   names::Label29,   names::Label37,
    names::Label38,   names::Label39,   names::Label40,   names::Combo1,    names::Combo2,
    names::Data1,     names::Data2,     names::Data3,     names::Data4,     names::Data5,
    names::Data6,     names::Data7,     names::Data8,     names::Line1,     names::Line2,
    names::Line3,     names::Line4,     names::Line5,     names::Line6,     names::Line7,
    names::Line8,     names::Line9,     names::cmdMore,   names::cmdGrades};

constexpr OptionGroup kOptionGroups[]{
    {names::Frame5.view(), kInputOptions},  {names::Frame7.view(), kThicknessOptions},
    {names::Frame3.view(), kSeriesOptions}, {names::kSectionFrame.view(), kSectionOptions},
    {names::kMfsPanel.view(), kMfsOptions}, {u"Form1", kLauncherOptions},
};

// The reference tables; the allowable-moment tables of the series follow (kSeries).
constexpr DataSourceInfo kReferenceSources[]{
    {names::Data1, kWorkbookWeight, 1, nullptr}, {names::Data2, kWorkbookG, 1, nullptr},
    {names::Data3, kWorkbookWind, 1, nullptr},   {names::Data4, kWorkbookGice, 1, nullptr},
    {names::Data5, kWorkbookIce, 1, nullptr},    {names::Data6, kWorkbookMfs, 0, u"Lр"},
};

// The fields of the reference tables; those of the allowable-moment tables follow (kSeries).
constexpr Binding kReferenceBindings[]{
    {names::Data2, names::Label3, 1, nullptr},
    {names::Data2, names::kLoadValue, 2, nullptr},
    {names::Data4, names::Label6, 1, nullptr},
    {names::Data4, names::kIceLoad5, 2, nullptr},
    {names::Data4, names::kIceLoad10, 3, nullptr},
    {names::Data4, names::kIceLoad15, 4, nullptr},
    {names::Data4, names::kIceLoad20, 5, nullptr},
    {names::Data1, names::Label1, 1, nullptr},
    {names::Data1, names::kWeightP, 2, nullptr},
    {names::Data1, names::Label2, 3, nullptr},
    {names::Data1, names::kWeightOp, 4, nullptr},
    {names::Data5, names::Label7, 1, nullptr},
    {names::Data5, names::kIceWeightP5, 2, nullptr},
    {names::Data5, names::kIceWeightP10, 3, nullptr},
    {names::Data5, names::kIceWeightP15, 4, nullptr},
    {names::Data5, names::kIceWeightP20, 5, nullptr},
    {names::Data5, names::Label8, 6, nullptr},
    {names::Data5, names::kIceWeightOp5, 7, nullptr},
    {names::Data5, names::kIceWeightOp10, 8, nullptr},
    {names::Data5, names::kIceWeightOp15, 9, nullptr},
    {names::Data5, names::kIceWeightOp20, 10, nullptr},
    {names::Data3, names::Label4, 1, nullptr},
    {names::Data3, names::kWindP, 2, nullptr},
    {names::Data3, names::Label5, 3, nullptr},
    {names::Data3, names::kWindOp, 4, nullptr},
    {names::Data6, names::Label9, 0, u"Lр"},
    {names::Data6, names::txtMa1, 0, u"авар"},
    {names::Data6, names::txtMn1, 0, u"норм гв"},
    {names::Data6, names::txtMnv1, 0, u"норм в"},
    {names::Data6, names::txtMa2, 0, u"авар1"},
    {names::Data6, names::txtMn2, 0, u"норм гв1"},
    {names::Data6, names::txtMnv2, 0, u"норм в1"},
};

// Table "G" (т11.1.xls): one value column.
constexpr PickSource kSourcesG[]{{names::kLoadValue, u""}};
// Table "Gг" (т11.2.xls): ice thickness 5, 10, 15, 20 mm.
constexpr PickSource kSourcesGg[]{{names::kIceLoad5, u""},
                                  {names::kIceLoad10, u""},
                                  {names::kIceLoad15, u""},
                                  {names::kIceLoad20, u""}};
// Table "gр" (т37Gp.xls): series "П", "ОП".
constexpr PickSource kSourcesGp[]{{names::kWeightP, u""}, {names::kWeightOp, u""}};
// Table "Pp" (т37gama.xls): series "П", "ОП".
constexpr PickSource kSourcesPp[]{{names::kWindP, u""}, {names::kWindOp, u""}};
// Table "gрг" (Т37Gрг.xls): the four thicknesses of "П" in Frame9, then those of "ОП" in Frame10.
// The thickness option sets the fields of both frames, so the frame decides between the series.
constexpr PickSource kSourcesGpg[]{
    {names::kIceWeightP5, names::Frame9},    {names::kIceWeightP10, names::Frame9},
    {names::kIceWeightP15, names::Frame9},   {names::kIceWeightP20, names::Frame9},
    {names::kIceWeightOp5, names::Frame10},  {names::kIceWeightOp10, names::Frame10},
    {names::kIceWeightOp15, names::Frame10}, {names::kIceWeightOp20, names::Frame10}};

struct PickRule {
    QStringList fields;
    std::span<const PickSource> sources;
};

// In the order of the pick pointer.
const QList<PickRule>& pickRules() {
    static const QList<PickRule> rules = {
        {names::txtG.all(), kSourcesG}, {names::txtGg.all(), kSourcesGg},
        {{names::txtGpg}, kSourcesGpg}, {{names::txtPp}, kSourcesPp},
        {{names::txtGp}, kSourcesGp},
    };
    return rules;
}

constexpr ResultField kResults[]{
    {names::kLoadMidMoment, u"G, середина", false},
    {names::kIceLoadMidMoment, u"Gг, середина", false},
    {names::kLoadLeftMoment, u"G слева", true},
    {names::kIceLoadLeftMoment, u"Gг слева", true},
    {names::kLoadRightMoment, u"G справа", true},
    {names::kIceLoadRightMoment, u"Gг справа", true},
    {names::kLoadSectionMoment, u"G расчетное", true},
    {names::kIceLoadSectionMoment, u"Gг расчетное", true},
    {names::kEmergencyMidMoment, u"аварийный, середина", false},
    {names::kIceMidMoment, u"гололед, середина", false},
    {names::kMaxWindMidMoment, u"V max, середина", false},
    {names::kEmergencySectionMoment, u"аварийный,", true},
    {names::kIceSectionMoment, u"гололед,", true},
    {names::kMaxWindSectionMoment, u"V max,", true},
    {names::kMfsIndicator, u"индикатор Мфс", false},
};

}  // namespace

const QStringList& allNames() {
    static const QStringList all = [] {
        QStringList out;
        for (const Name& n : kRoleNames) out << n;
        for (const Name& n : kIdNames) out << n;
        for (const NameSeries* s : {&names::txtL, &names::txtP, &names::txtG, &names::txtGg})
            out += s->all();
        return out;
    }();
    return all;
}

bool isKnown(QStringView name) {
    static const QSet<QString> known(allNames().cbegin(), allNames().cend());
    return known.contains(name.toString());
}

void checkKnown([[maybe_unused]] QStringView name) {
#ifndef QT_NO_DEBUG
    if (!isKnown(name))
        qWarning("%s is not in the catalogue of the sheet", qUtf8Printable(name.toString()));
#endif
}

std::span<const OptionGroup> optionGroups() {
    return kOptionGroups;
}

QStringView groupOf(QStringView option) {
    for (const OptionGroup& group : kOptionGroups)
        for (const Name& o : group.options)
            if (o.view() == option) return group.key;
    return {};
}

QStringList clearOnClickFields() {
    QStringList out;
    for (const Name& n : kBeamInputs) out << n;
    return out + names::txtL.all() + names::txtP.all();
}

std::span<const DataSourceInfo> dataSources() {
    static const std::vector<DataSourceInfo> all = [] {
        std::vector<DataSourceInfo> out(std::begin(kReferenceSources), std::end(kReferenceSources));
        for (const Series& s : kSeries)
            out.push_back({s.allowable.dataSource, s.allowable.workbook, 1, nullptr});
        return out;
    }();
    return all;
}

QString workbookOf(QStringView dataSource) {
    for (const DataSourceInfo& d : dataSources())
        if (d.name.view() == dataSource) return QString::fromUtf16(d.workbook);
    return {};
}

QStringList dataSourceNames() {
    QStringList out;
    for (const DataSourceInfo& d : dataSources()) out << d.name;
    return out;
}

std::span<const Binding> bindings() {
    static const std::vector<Binding> all = [] {
        std::vector<Binding> out(std::begin(kReferenceBindings), std::end(kReferenceBindings));
        for (const Series& s : kSeries)
            for (int f = 0; f < std::ssize(s.allowable.labels); ++f)
                out.push_back({s.allowable.dataSource, s.allowable.labels[f], f + 1, nullptr});
        return out;
    }();
    return all;
}

const Series& seriesOf(QStringView option, std::span<const Series> table) {
    for (const Series& s : table)
        if (s.option.view() == option) return s;
    return table.front();
}

QStringList allowableControls(const AllowableSet& set) {
    QStringList out{set.dataSource};
    for (int f : {1, 2, 3, 4, 0, 5}) out << set.labels[f];
    return out;
}

QStringList tableFields() {
    QStringList out;
    for (const Name& n :
         {names::kWeightP, names::kWeightOp, names::kLoadValue, names::kWindP, names::kWindOp})
        out << n;
    for (const Name& n : kIceFields) out << n;
    for (const MfsBox& b : kMfsBoxes) out << b.box;
    return out;
}

QStringList pickFields() {
    QStringList out;
    for (const PickRule& rule : pickRules()) out += rule.fields;
    return out;
}

std::span<const PickSource> pickSources(QStringView field) {
    for (const PickRule& rule : pickRules())
        if (rule.fields.contains(field)) return rule.sources;
    return {};
}

std::span<const ResultField> resultFieldInfo() {
    return kResults;
}

QStringList resultFields() {
    QStringList out;
    for (const ResultField& r : kResults) out << r.name;
    return out;
}

QString resultCaption(QStringView field, bool quarter) {
    for (const ResultField& r : kResults)
        if (r.name.view() == field)
            return QString::fromUtf16(r.caption) +
                   (r.atSection ? u' ' + sectionText(quarter) : QString());
    return field.toString();
}

QStringList inputFields() {
    QStringList out{names::txtProlet, names::txtLp, names::txtVm,  names::Combo1,
                    names::Combo2,    names::txtGp, names::txtGpg, names::txtPp};
    return out + names::txtL.all() + names::txtP.all() + names::txtG.all() + names::txtGg.all();
}

QStringList mfsFields() {
    QStringList out;
    for (const Mode& m : kModes) out << m.mfs;
    return out;
}

QStringList viewFields() {
    return {names::kBeamPanel,
            names::kMfsPanel,
            names::kMfsButtonsFrame,
            names::kAllowablePanel,
            names::kIceLoadRowCaption,
            names::Command3,
            names::Command4,
            names::Command5,
            names::Command6,
            names::kLoadSectionMoment,
            names::kIceLoadSectionMoment,
            names::Command24,
            names::Command25};
}

}  // namespace catalogue
}  // namespace vardo
