#include "exprcalc/runtimeerror.h"

namespace vardo::exprcalc {

using namespace Qt::Literals::StringLiterals;

QString errorDescription(RuntimeError error) {
    switch (error) {
        case RuntimeError::InvalidCall:
            return u"Недопустимый вызов процедуры или аргумент"_s;
        case RuntimeError::Overflow:
            return u"Переполнение"_s;
        case RuntimeError::SubscriptOutOfRange:
            return u"Индекс вне допустимого диапазона"_s;
        case RuntimeError::DivisionByZero:
            return u"Деление на ноль"_s;
        case RuntimeError::TypeMismatch:
            return u"Несоответствие типа"_s;
        case RuntimeError::OutOfStackSpace:
            return u"Недостаточно места в стеке: слишком глубокая вложенность скобок или функций"_s;
    }
    return u"Неизвестная ошибка"_s;
}

QString errorText(RuntimeError error) {
    return u"Error: "_s + QString::number(static_cast<int>(error)) + u". "_s +
           errorDescription(error);
}

void reportError(const ErrorSink& sink, const QString& method, RuntimeError error) {
    if (sink) sink(method, errorText(error));
}

}  // namespace vardo::exprcalc
