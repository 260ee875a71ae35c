#include "calc/inputcells.h"
#include "core/catalogue.h"

#include <algorithm>

namespace vardo::calc {

namespace {

bool onDisplay(const Sheet& sheet, const PickSource& source) {
    return sheet.isVisible(source.field) &&
           (source.frame.view().isEmpty() || sheet.isVisible(source.frame));
}

}  // namespace

QStringList clearOnClickFields() {
    return catalogue::clearOnClickFields();
}

QStringList pickFields() {
    return catalogue::pickFields();
}

bool clearOnClick(Sheet& sheet, const QString& name) {
    if (!catalogue::clearOnClickFields().contains(name)) return false;
    sheet.setText(name, QString());
    return true;
}

bool pickOnClick(Sheet& sheet, const QString& name) {
    const std::span<const PickSource> sources = pickSources(name);
    if (sources.empty()) return false;
    for (const PickSource& source : sources)
        if (onDisplay(sheet, source)) sheet.setText(name, sheet.text(source.field));
    return true;
}

}  // namespace vardo::calc
