#include "mainwindow/launchers.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

void Option16_Click(Sheet& sheet) {
    sheet.setVisible(u"Command24"_s, true);
    sheet.setVisible(u"Command25"_s, false);
}

void Option17_Click(Sheet& sheet) {
    sheet.setVisible(u"Command24"_s, false);
    sheet.setVisible(u"Command25"_s, true);
}

}  // namespace vardo::mainwindow
