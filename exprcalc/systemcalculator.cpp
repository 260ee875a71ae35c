#include "exprcalc/systemcalculator.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace vardo::exprcalc {

using namespace Qt::Literals::StringLiterals;

QStringList desktopCalculators() {
    return {u"gnome-calculator"_s, u"kcalc"_s,         u"galculator"_s,
            u"mate-calc"_s,        u"qalculate-gtk"_s, u"xcalc"_s};
}

CalculatorStarter systemCalculatorStarter(const QString& windowsDirectory) {
    CalculatorStarter starter;
#ifdef Q_OS_WIN
    if (!windowsDirectory.isEmpty()) starter.candidates << windowsDirectory + u"\\calc.exe"_s;
    starter.candidates << u"calc.exe"_s;
#else
    Q_UNUSED(windowsDirectory);
    starter.candidates = desktopCalculators();
#endif
    starter.findExecutable = [](const QString& candidate) -> QString {
        if (QDir::isAbsolutePath(candidate))
            return QFileInfo(candidate).isFile() ? candidate : QString();
        return QStandardPaths::findExecutable(candidate);
    };
    starter.startDetached = [](const QString& program) {
        return QProcess::startDetached(program, QStringList());
    };
    return starter;
}

bool startSystemCalculator(const CalculatorStarter& starter, QString* errorText) {
    QStringList failed;  // installed, but would not start
    for (const QString& candidate : starter.candidates) {
        const QString program = starter.findExecutable(candidate);
        if (program.isEmpty()) continue;
        if (starter.startDetached(program)) {
            if (errorText) errorText->clear();
            return true;
        }
        failed << program;
    }

    if (errorText) {
        const QString advice = u"\nВыберите «vardo», чтобы открыть калькулятор программы."_s;
        if (!failed.isEmpty()) {
            *errorText = u"Не удалось запустить калькулятор системы: "_s + failed.join(u", "_s) +
                         u"."_s + advice;
        } else {
            *errorText = u"Калькулятор системы не найден. Искали: "_s +
                         starter.candidates.join(u", "_s) + u"."_s + advice;
        }
    }
    return false;
}

bool startSystemCalculator(const QString& windowsDirectory, QString* errorText) {
    return startSystemCalculator(systemCalculatorStarter(windowsDirectory), errorText);
}

}  // namespace vardo::exprcalc
