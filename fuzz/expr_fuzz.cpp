// Fuzz target of the expression evaluator: any bytes, read as UTF-8, are an expression. The
// evaluator must neither crash nor leave its contract: the postfix text is empty (too deep) or
// ends with one space, the value is finite and the same on a second evaluation, and every message
// has the "Error: " form under a method's name.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include <QString>

#include "exprcalc/cexpressionevaluator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Longer texts add nothing but time: the grammar is the same at every length.
    if (size > 64 * 1024) return 0;
    const QString expression =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    bool badMessage = false;
    CExpressionEvaluator evaluator([&](const QString& title, const QString& text) {
        const bool knownTitle = title == QStringLiteral("Evaluate") ||
                                title == QStringLiteral("PushResult") ||
                                title == QStringLiteral("ParseFactor");
        if (!knownTitle || !text.startsWith(QStringLiteral("Error: "))) badMessage = true;
    });
    evaluator.SetExpression(expression);
    const QString postfix = evaluator.Postfix();
    if (!postfix.isEmpty() && !postfix.endsWith(u' ')) __builtin_trap();

    const double value = evaluator.Evaluate();
    if (!std::isfinite(value)) __builtin_trap();
    const double again = evaluator.Evaluate();
    if (!(again == value)) __builtin_trap();
    if (badMessage) __builtin_trap();
    return 0;
}
