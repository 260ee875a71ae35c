#include "calc/launchers.h"
#include "core/catalogue.h"

namespace vardo::calc {

using namespace Qt::Literals::StringLiterals;

void Option16_Click(Sheet& sheet) {
    sheet.setVisible(names::Command24, true);
    sheet.setVisible(names::Command25, false);
}

void Option17_Click(Sheet& sheet) {
    sheet.setVisible(names::Command24, false);
    sheet.setVisible(names::Command25, true);
}

}  // namespace vardo::calc
