#include "mainwindow/navigation.h"

#include <QStringList>

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

void setTexts(Sheet& sheet, const QStringList& names, const QString& text) {
    for (const QString& name : names) sheet.setText(name, text);
}

}  // namespace

void Command10_Click(Sheet& sheet) {
    setTexts(sheet, numberedNames(u"txtL"_s, 1, 8) + numberedNames(u"txtP"_s, 1, 8), u"0"_s);
}

void Command23_Click(Sheet& sheet) {
    for (const QString& name :
         {u"Text21"_s, u"Text22"_s, u"Command3"_s, u"Command4"_s, u"Command5"_s, u"Command6"_s})
        sheet.setVisible(name, false);
    // The loads of points 1 and 2 come before the crossbeam's table values, the rest after them.
    setTexts(sheet,
             QStringList{u"Text21"_s, u"Text22"_s, u"txtProlet"_s, u"txtLp"_s, u"txtVm"_s} +
                 numberedNames(u"txtL"_s, 1, 8) + numberedNames(u"txtP"_s, 1, 8) +
                 numberedNames(u"txtGg"_s, 1, 8) +
                 QStringList{u"txtG1"_s, u"txtG2"_s, u"txtGpg"_s, u"txtPp"_s, u"txtGp"_s} +
                 numberedNames(u"txtG"_s, 3, 8),
             u"0"_s);
    setTexts(sheet,
             {u"Label49"_s, u"Label22"_s, u"Label23"_s, u"Label24"_s, u"Label30"_s, u"Label31"_s,
              u"Label32"_s},
             QString());
    setTexts(sheet, {u"Label10"_s, u"Label11"_s}, u"0"_s);
    setTexts(sheet, {u"Label14"_s, u"Label15"_s, u"Label20"_s, u"Label21"_s}, QString());
}

void Command14_Click(Sheet& sheet) {
    sheet.setVisible(u"Frame2"_s, true);
}

void Command15_Click(Sheet& sheet) {
    sheet.setVisible(u"Frame2"_s, false);
}

void Command17_Click(Sheet& sheet) {
    sheet.setVisible(u"Frame20"_s, false);
    sheet.setVisible(u"Frame29"_s, true);
}

void Command22_Click(Sheet& sheet) {
    sheet.setVisible(u"Frame11"_s, false);
    sheet.setVisible(u"Frame29"_s, true);
    sheet.setText(u"Label49"_s, QString());
}

}  // namespace vardo::mainwindow
