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
    for (const QString name : {names::Text21, names::Text22, names::Command3, names::Command4,
                               names::Command5, names::Command6})
        sheet.setVisible(name, false);
    // The loads of points 1 and 2 come before the crossbeam's table values, the rest after them.
    setTexts(
        sheet,
        QStringList{names::Text21, names::Text22, names::txtProlet, names::txtLp, names::txtVm} +
            names::txtL.all() + names::txtP.all() + names::txtGg.all() +
            QStringList{names::txtG[1], names::txtG[2], names::txtGpg, names::txtPp, names::txtGp} +
            names::txtG.all().mid(2),
        u"0"_s);
    setTexts(sheet,
             {names::kMfsIndicator, names::kEmergencyMidMoment, names::kIceMidMoment,
              names::kMaxWindMidMoment, names::kEmergencySectionMoment, names::kIceSectionMoment,
              names::kMaxWindSectionMoment},
             QString());
    setTexts(sheet, {names::Label10, names::Label11}, u"0"_s);
    setTexts(sheet, {names::Label14, names::Label15, names::Label20, names::Label21}, QString());
}

void Command14_Click(Sheet& sheet) {
    sheet.setVisible(names::Frame2, true);
}

void Command15_Click(Sheet& sheet) {
    sheet.setVisible(names::Frame2, false);
}

void Command17_Click(Sheet& sheet) {
    sheet.setVisible(names::Frame20, false);
    sheet.setVisible(names::Frame29, true);
}

void Command22_Click(Sheet& sheet) {
    sheet.setVisible(names::Frame11, false);
    sheet.setVisible(names::Frame29, true);
    sheet.setText(names::Label49, QString());
}

}  // namespace vardo::calc
