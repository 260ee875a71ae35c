#pragma once
// What each field and result of the sheet holds: the quantity's name and its unit, as the report
// writes them (l, Lр in m; Vm in m/s; G, Gг, gр, gрг in kgf/m; Gт in kgf; Pp in kgf·s²/m³; Мфс and
// the suspension moments in kgf·m; the design moments in tf·m; h/b has none). The window shows it
// as the tooltip of the control. What each result is computed from is in calc/procedures.h.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vardo::catalogue {

// "Скорость ветра Vm, м/с", "Плечо точки 3 от левой опоры (л), м" (with a second line on what
// the arm is), "h/b"; empty for a control that holds no quantity.
QString quantityText(QStringView control);
// Every control that has a quantityText.
QStringList quantityControls();

}  // namespace vardo::catalogue
