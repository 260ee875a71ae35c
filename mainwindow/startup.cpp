#include "mainwindow/startup.h"

#include <QStringList>

#include "mainwindow/selectors.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

void setVisible(FormPort& form, const QStringList& names, bool visible) {
    for (const QString& name : names) form.setVisible(name, visible);
}

}  // namespace

QStringList pickPointerFields() {
    return QStringList{u"Text21"_s, u"Text22"_s} + numberedNames(u"txtG"_s, 1, 8) +
           numberedNames(u"txtGg"_s, 1, 8) + QStringList{u"txtGpg"_s, u"txtPp"_s, u"txtGp"_s};
}

void runStartUp(FormPort& form, const GivePickPointer& givePickPointer) {
    // The governing fields get the pointer first, the table-value fields at the end.
    givePickPointer(u"Text21"_s);
    givePickPointer(u"Text22"_s);
    form.setVisible(u"frmF1"_s, true);
    setVisible(form, {u"frmF2"_s, u"frmF3"_s, u"frmF4"_s, u"frmF5"_s}, false);
    setVisible(form, numberedNames(u"txtG"_s, 1, 8), true);
    setVisible(form, QStringList{u"Label13"_s} + numberedNames(u"txtGg"_s, 1, 8), false);
    setVisible(form, {u"Frame2"_s, u"Frame20"_s}, false);
    setVisible(form,
               {u"Data7"_s, u"Label33"_s, u"Label34"_s, u"Label35"_s, u"Label36"_s, u"Label41"_s,
                u"Label42"_s},
               true);
    setVisible(form, QStringList{u"Data8"_s} + numberedNames(u"Label"_s, 43, 48), false);
    selectStartOptions(form);
    setVisible(form, {u"Text18"_s, u"Text19"_s, u"Text20"_s, u"Text21"_s, u"Text22"_s}, false);
    setVisible(form, {u"Command5"_s, u"Command6"_s, u"Command3"_s, u"Command4"_s}, false);
    for (const QString& field : pickPointerFields().mid(2)) givePickPointer(field);
    form.setVisible(u"Command24"_s, true);
    form.setVisible(u"Command25"_s, false);
    form.setChecked(u"Option16"_s);
}

}  // namespace vardo::mainwindow
