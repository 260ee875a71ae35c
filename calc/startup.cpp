#include "calc/startup.h"
#include "core/catalogue.h"

#include <QStringList>

#include "calc/selectors.h"

namespace vardo::calc {

using namespace Qt::Literals::StringLiterals;

namespace {

void setVisible(FormPort& form, const QStringList& names, bool visible) {
    for (const QString& name : names) form.setVisible(name, visible);
}

}  // namespace

QStringList pickPointerFields() {
    return QStringList{names::kLoadSectionMoment, names::kIceLoadSectionMoment} +
           names::txtG.all() + names::txtGg.all() +
           QStringList{names::txtGpg, names::txtPp, names::txtGp};
}

void runStartUp(FormPort& form, const GivePickPointer& givePickPointer) {
    // The governing fields get the pointer first, the table-value fields at the end.
    givePickPointer(names::kLoadSectionMoment);
    givePickPointer(names::kIceLoadSectionMoment);
    form.setVisible(names::frmF1, true);
    setVisible(form, {names::frmF2, names::frmF3, names::frmF4, names::frmF5}, false);
    setVisible(form, names::txtG.all(), true);
    setVisible(form, QStringList{names::kIceLoadRowCaption} + names::txtGg.all(), false);
    setVisible(form, {names::kBeamPanel, names::kAllowablePanel}, false);
    // The allowable moments of the first series, which is chosen first.
    for (const catalogue::Series& s : catalogue::kSeries)
        setVisible(form, catalogue::allowableControls(s.allowable), &s == &catalogue::kSeries[0]);
    selectStartOptions(form);
    setVisible(form,
               {names::kEmergencyMfs, names::kIceMfs, names::kMaxWindMfs, names::kLoadSectionMoment,
                names::kIceLoadSectionMoment},
               false);
    setVisible(form, {names::Command5, names::Command6, names::Command3, names::Command4}, false);
    for (const QString& field : pickPointerFields().mid(2)) givePickPointer(field);
    form.setVisible(names::Command24, true);
    form.setVisible(names::Command25, false);
    form.setChecked(names::Option16);
}

}  // namespace vardo::calc
