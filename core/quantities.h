#pragma once
// What each field and result of the sheet holds: the quantity's name and its unit, as the report
// writes them (l, Lр in m; Vm in m/s; G, Gг, gр, gрг in kgf/m; Gт in kgf; Pp in kgf·s²/m³; Мфс and
// the suspension moments in kgf·m; the design moments in tf·m; h/b has none). The window shows it
// as the tooltip of the control.
//
// And what the results were computed from: for each result of the sheet, the control whose click
// computes it and the controls its procedure reads (texts, and the section options it tests).
// The table follows the reads of calc/ procedure by procedure; a result read by another one is
// listed among that one's inputs, so the table is in the order of the road of a calculation.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vardo::catalogue {

// "Скорость ветра Vm, м/с", "Плечо точки 3 от левой опоры (л), м" (with a second line on what
// the arm is), "h/b"; empty for a control that holds no quantity.
QString quantityText(QStringView control);
// Every control that has a quantityText.
QStringList quantityControls();

struct ResultInputs {
    QString result;      // Label10, ..., Text21, ..., Label32
    QString producer;    // the control whose click runs its procedure: Command1, ..., Text21
    QStringList inputs;  // the controls the procedure reads
};
// The results with their inputs, in the order of the road of a calculation: a result is listed
// after every result it reads.
const QList<ResultInputs>& resultInputs();
// The inputs of `result`; empty for a control that is none of them.
QStringList inputsOf(QStringView result);
// The results computed by a click on `producer`; empty for other controls.
QStringList resultsOf(QStringView producer);

}  // namespace vardo::catalogue
