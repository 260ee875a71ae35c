#include "calc/navigation.h"
#include "core/catalogue.h"

#include <QStringList>

namespace vardo::calc {

using namespace Qt::Literals::StringLiterals;

namespace {

void setTexts(Sheet& sheet, const QStringList& names, const QString& text) {
    for (const QString& name : names) sheet.setText(name, text);
}

}  // namespace

void Command10_Click(Sheet& sheet) {
    setTexts(sheet, names::txtL.all() + names::txtP.all(), u"0"_s);
}

void Command23_Click(Sheet& sheet) {
    for (const QString name : {names::kLoadSectionMoment, names::kIceLoadSectionMoment,
                               names::Command3, names::Command4, names::Command5, names::Command6})
        sheet.setVisible(name, false);
    // The loads of points 1 and 2 come before the crossbeam's table values, the rest after them.
    setTexts(
        sheet,
        QStringList{names::kLoadSectionMoment, names::kIceLoadSectionMoment, names::txtProlet,
                    names::txtLp, names::txtVm} +
            names::txtL.all() + names::txtP.all() + names::txtGg.all() +
            QStringList{names::txtG[1], names::txtG[2], names::txtGpg, names::txtPp, names::txtGp} +
            names::txtG.all().mid(2),
        u"0"_s);
    setTexts(sheet,
             {names::kMfsIndicator, names::kEmergencyMidMoment, names::kIceMidMoment,
              names::kMaxWindMidMoment, names::kEmergencySectionMoment, names::kIceSectionMoment,
              names::kMaxWindSectionMoment},
             QString());
    setTexts(sheet, {names::kLoadMidMoment, names::kIceLoadMidMoment}, u"0"_s);
    setTexts(sheet,
             {names::kLoadLeftMoment, names::kIceLoadLeftMoment, names::kLoadRightMoment,
              names::kIceLoadRightMoment},
             QString());
}

void Command14_Click(Sheet& sheet) {
    sheet.setVisible(names::kBeamPanel, true);
}

void Command15_Click(Sheet& sheet) {
    sheet.setVisible(names::kBeamPanel, false);
}

void Command17_Click(Sheet& sheet) {
    sheet.setVisible(names::kAllowablePanel, false);
    sheet.setVisible(names::kMfsButtonsFrame, true);
}

void Command22_Click(Sheet& sheet) {
    sheet.setVisible(names::kMfsPanel, false);
    sheet.setVisible(names::kMfsButtonsFrame, true);
    sheet.setText(names::kMfsIndicator, QString());
}

}  // namespace vardo::calc
