#include "core/sheet.h"

#include "core/numbertext.h"
#include "core/step.h"

namespace vardo {

QStringList numberedNames(const QString& stem, int from, int to) {
    QStringList names;
    for (int i = from; i <= to; ++i) names << stem + QString::number(i);
    return names;
}

Fixed readFixed(const Sheet& sheet, const QString& name) {
    const std::optional<Fixed> value = parseFixed(sheet.text(name));
    if (!value) throw ConversionError();
    return *value;
}

void writeFixed(Sheet& sheet, const QString& name, Fixed value) {
    sheet.setText(name, formatFixed(value));
}

}  // namespace vardo
