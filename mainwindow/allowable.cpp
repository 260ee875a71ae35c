#include "mainwindow/allowable.h"

#include <algorithm>

namespace vardo::mainwindow {

namespace {

void copyBox(Sheet& sheet, const MfsBox& box) {
    sheet.setText(box.target.toString(), sheet.text(box.box.toString()));
}

void change(Sheet& sheet, const MfsBox& box) {
    if (sheet.isVisible(box.frame.toString())) copyBox(sheet, box);
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
    const auto it = std::ranges::find(kMfsBoxes, QStringView(name), &MfsBox::box);
    if (it == kMfsBoxes.end()) return false;
    change(sheet, *it);
    return true;
}

void copyMfsSet(Sheet& sheet, QStringView frame) {
    for (const MfsBox& box : kMfsBoxes)
        if (box.frame == frame) copyBox(sheet, box);
}

void Command16_Click(Sheet& sheet) {
    sheet.setVisible(QStringLiteral("Frame20"), true);
    sheet.setVisible(QStringLiteral("Frame29"), false);
}

}  // namespace vardo::mainwindow
