#pragma once
// The texts of the program's messages, in one place.

#include <QString>

#include "core/version.h"

namespace vardo::messages {

// The caption of every message box of the main window.
inline QString appTitle() {
    return version::programName();
}

// No data: a value that a calculation needs is 0 (or did not convert). Three punctuation variants
// are shown by different branches of the third-point buttons.
inline QString noData() {
    return QStringLiteral("Нет данных l,Lp,Vm плечи,нагрузки или десятичные");
}
inline QString noDataColonSpace() {
    return QStringLiteral("Нет данных: l,Lp,Vm плечи,нагрузки или десятичные");
}
inline QString noDataColon() {
    return QStringLiteral("Нет данных:l,Lp,Vm плечи,нагрузки или десятичные");
}

// Guidance along the chain of the third-point buttons.
inline QString nowRight() {
    return QStringLiteral("Теперь справа");
}
inline QString clickG13() {
    return QStringLiteral("Щелкни на текстовом поле G-1/3(1/4)");
}
inline QString clickGg13() {
    return QStringLiteral("Щелкни на текстовом поле Gг-1/3(1/4)");
}

// Said after the reason a file could not be written: the file under that name is as it was.
inline QString fileKept(bool existed) {
    return existed ? QStringLiteral("Прежний файл не изменен.")
                   : QStringLiteral("Файл не записан.");
}

}  // namespace vardo::messages
