#include "core/sheet.h"

#include "core/numbertext.h"
#include "core/step.h"

namespace vardo {

Fixed readFixed(const Sheet& sheet, const QString& name) {
    const std::optional<Fixed> value = parseFixed(sheet.text(name));
    if (!value) throw ConversionError();
    return *value;
}

void writeFixed(Sheet& sheet, const QString& name, Fixed value) {
    sheet.setText(name, formatFixed(value));
}

}  // namespace vardo
