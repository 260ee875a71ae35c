#include "exprcalc/answertext.h"

#include "core/numbertext.h"

namespace vardo::exprcalc {

QString answerText(double value) {
    if (value == 0) value = 0;  // -0 (from -sin(0), say) reads as 0
    // QString::number uses the C form whatever the locale: '.' and 'e' are replaced.
    QString text = QString::number(value, 'g', 15);
    text.replace(u'.', kDecimalSeparator);
    text.replace(u'e', u'E');
    return text;
}

}  // namespace vardo::exprcalc
