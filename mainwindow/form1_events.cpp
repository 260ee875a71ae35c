// Form1's event dispatch: every button click, mouse click on a field, option selection and change
// of a Мфс box goes to exactly one procedure, found by the control's name in the calculation's
// table (calc/procedures.h) or in the tables below.

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "about/form2.h"
#include "calc/allowable.h"
#include "calc/inputcells.h"
#include "calc/launchers.h"
#include "calc/navigation.h"
#include "calc/procedures.h"
#include "calc/selectors.h"
#include "core/catalogue.h"
#include "exprcalc/form3.h"
#include "exprcalc/systemcalculator.h"
#include "mainwindow/form1.h"
#include "mainwindow/sheetassist.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

using Procedure = void (*)(Sheet&);

struct ButtonAction {
    const char16_t* name;
    Procedure procedure;
};

// The buttons whose click is one of the sheet's own actions rather than a calculation procedure.
constexpr ButtonAction kButtonActions[] = {
    {names::Command10.utf16(), calc::Command10_Click},
    {names::Command14.utf16(), calc::Command14_Click},
    {names::Command15.utf16(), calc::Command15_Click},
    {names::Command16.utf16(), calc::Command16_Click},
    {names::Command17.utf16(), calc::Command17_Click},
    {names::Command22.utf16(), calc::Command22_Click},
};

// The launcher options; the option groups of the input panel are in selectors.h.
constexpr ButtonAction kLauncherOptions[] = {
    {names::Option16.utf16(), calc::Option16_Click},
    {names::Option17.utf16(), calc::Option17_Click},
};

Procedure actionFor(std::span<const ButtonAction> table, const QString& name) {
    for (const ButtonAction& a : table)
        if (name == QStringView(a.name)) return a.procedure;
    return nullptr;
}

// A window the user opens from the main window keeps the program running while it is open, as
// the main window does: the program ends when the last of them is closed. The toolkit leaves tool
// windows (the calculator is one) out of that rule unless they say otherwise.
void keepProgramWhileOpen(QWidget* window) {
    window->setAttribute(Qt::WA_QuitOnClose);
}

}  // namespace

void Form1::wireButtons() {
    for (QPushButton* button : findChildren<QPushButton*>()) {
        const QString name = button->objectName();
        if (name.isEmpty()) continue;
        connect(button, &QPushButton::clicked, this, [this, name] { onButton(name); });
    }
}

void Form1::wireFields() {
    const QStringList clickable =
        calc::clearOnClickFields() + calc::pickFields() +
        QStringList{names::kLoadSectionMoment, names::kIceLoadSectionMoment};
    for (const QString& name : clickable) {
        if (QWidget* w = controls_.value(name)) w->installEventFilter(this);
    }
    // A change of a Мфс box, typed or from a new table row, feeds the moment of its mode.
    for (const QString name : {names::txtMa1, names::txtMn1, names::txtMnv1, names::txtMa2,
                               names::txtMn2, names::txtMnv2}) {
        if (auto* edit = qobject_cast<QLineEdit*>(controls_.value(name)))
            connect(edit, &QLineEdit::textChanged, this,
                    [this, name] { calc::mfsBoxChange(*sheet_, name); });
    }
}

void Form1::wireOptions() {
    for (QRadioButton* option : findChildren<QRadioButton*>()) {
        const QString name = option->objectName();
        connect(option, &QRadioButton::toggled, this, [this, name](bool on) {
            if (!on) return;
            lastToggled_ = name;
            onOptionSelected(name);
        });
        // A click on the option already selected runs its action again (as a selector click
        // restores the Мфс values after "Мфс =0"); a click that selected it has run it above.
        connect(option, &QRadioButton::pressed, this, [this] { lastToggled_.clear(); });
        connect(option, &QRadioButton::clicked, this, [this, name] {
            if (lastToggled_ == name) {
                lastToggled_.clear();
                return;
            }
            onOptionSelected(name);
        });
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // A click with the mouse, not the focus arriving by keyboard, runs a field's action.
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && mouse->button() == Qt::LeftButton &&
            widget->rect().contains(mouse->position().toPoint())) {
            onFieldClick(widget->objectName());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::onFieldClick(const QString& name) {
    beginAction(name);
    // A click on a governing-value field takes the larger of the left and right results.
    if (const calc::ProcedureEntry* p = calc::findProcedure(name)) {
        p->run(*sheet_);
        assist_->ran(name);
        return;
    }
    if (calc::clearOnClick(*sheet_, name)) return;
    calc::pickOnClick(*sheet_, name);
    if (document::pickedFields().contains(name))
        if (const std::optional<QString> caption = pickedRowCaption(name))
            document_->recordPick(name, *caption);
}

void Form1::clickAsUser(const QString& name) {
    if (auto* button = qobject_cast<QPushButton*>(controls_.value(name))) {
        button->click();
        return;
    }
    onFieldClick(name);
    document_->refresh();
}

void Form1::onOptionSelected(const QString& name) {
    if (Procedure p = actionFor(kLauncherOptions, name)) {
        p(*sheet_);
        return;
    }
    calc::optionClick(*sheet_, name);
}

void Form1::onButton(const QString& name) {
    beginAction(name);
    // "Новый расчет" asks first when it would throw unsaved changes away (form1_files.cpp).
    if (name == names::Command23) {
        document_->startNew();
        return;
    }
    const calc::ProcedureEntry* calculation = calc::findProcedure(name);
    if (Procedure p = calculation ? calculation->run : actionFor(kButtonActions, name)) {
        p(*sheet_);
        assist_->ran(name);
    } else if (name == names::Command18) {
        close();
    } else if (name == names::Command19) {
        showOnly<Form2>(about_);
    } else if (name == names::Command24) {
        startSystemCalculator();
    } else if (name == names::Command25) {
        showOnly<Form3>(calculator_);
    }
}

template <typename Window>
void Form1::showOnly(QPointer<QWidget>& window) {
    // One window of its kind at a time, created on first use and unloaded when closed.
    if (!window) {
        auto* created = new Window;
        created->setAttribute(Qt::WA_DeleteOnClose);
        keepProgramWhileOpen(created);
        giveHelpKey(created);
        window = created;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void Form1::startSystemCalculator() {
    QString error;
    const bool started = calculatorStarter_
                             ? calculatorStarter_(windowsDirectory_, &error)
                             : exprcalc::startSystemCalculator(windowsDirectory_, &error);
    if (!started && !error.isEmpty()) sheet_->message(error);
}

QWidget* Form1::aboutWindow() const {
    return about_;
}
QWidget* Form1::calculatorWindow() const {
    return calculator_;
}

}  // namespace vardo::mainwindow
