// The buttons of the small frame "Мфс": they set the additional moments of the three modes
// (Text18 emergency, Text19 ice, Text20 maximum wind) that the mode buttons read.
#include "calc/calc.h"
#include "core/catalogue.h"
#include "core/sheet.h"

namespace vardo::calc {

// "Мфс =0": the moments without Мфс; the indicator Label49 says so. The frames stay as they are.
void Command20_Click(Sheet& sheet) {
    sheet.setText(names::kEmergencyMfs, QStringLiteral("0"));
    sheet.setText(names::kIceMfs, QStringLiteral("0"));
    sheet.setText(names::kMaxWindMfs, QStringLiteral("0"));
    sheet.setText(names::kMfsIndicator, QStringLiteral("0"));
}

// "Мфс >0": opens the Мфс table panel in place of this frame and restores the standard values,
// whatever the table shows; a later choice in the panel overwrites them.
void Command21_Click(Sheet& sheet) {
    sheet.setVisible(names::kMfsPanel, true);
    sheet.setVisible(names::kMfsButtonsFrame, false);
    const QStringList start = catalogue::mfsStartValues();
    for (int m = 0; m < catalogue::kModeCount; ++m)
        sheet.setText(catalogue::kModes[m].mfs, start[m]);
}

}  // namespace vardo::calc
