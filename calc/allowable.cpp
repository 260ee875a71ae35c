#include "calc/allowable.h"
#include "core/catalogue.h"

#include <algorithm>

namespace vardo::calc {

namespace {

using catalogue::kMfsBoxes;
using catalogue::MfsBox;

void copyBox(Sheet& sheet, const MfsBox& box) {
    sheet.setText(box.target, sheet.text(box.box));
}

void change(Sheet& sheet, const MfsBox& box) {
    if (sheet.isVisible(box.frame)) copyBox(sheet, box);
}

}  // namespace

void txtMa1_Change(Sheet& sheet) {
    change(sheet, kMfsBoxes[0]);
}
void txtMn1_Change(Sheet& sheet) {
    change(sheet, kMfsBoxes[1]);
}
void txtMnv1_Change(Sheet& sheet) {
    change(sheet, kMfsBoxes[2]);
}
void txtMa2_Change(Sheet& sheet) {
    change(sheet, kMfsBoxes[3]);
}
void txtMn2_Change(Sheet& sheet) {
    change(sheet, kMfsBoxes[4]);
}
void txtMnv2_Change(Sheet& sheet) {
    change(sheet, kMfsBoxes[5]);
}

bool mfsBoxChange(Sheet& sheet, const QString& name) {
    for (const MfsBox& box : kMfsBoxes)
        if (box.box.view() == name) {
            change(sheet, box);
            return true;
        }
    return false;
}

void copyMfsSet(Sheet& sheet, const Name& frame) {
    for (const MfsBox& box : kMfsBoxes)
        if (box.frame.view() == frame.view()) copyBox(sheet, box);
}

void Command16_Click(Sheet& sheet) {
    sheet.setVisible(names::kAllowablePanel, true);
    sheet.setVisible(names::kMfsButtonsFrame, false);
}

}  // namespace vardo::calc
