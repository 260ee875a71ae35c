#pragma once
// The main window's controls as data.
//
// Every control of the window is one row of a table: its object name, kind, caption or start text,
// place in twips relative to its container, the container, and whether it is shown at start. One
// builder walks the tables, creates the widgets and stacks them: within one container a row listed
// earlier lies above a row listed later. Bound fields of the reference tables and their columns are
// rows of a second table, walked when the data sources are opened.

#include <QRect>

#include <QString>
#include <QStringList>
#include <vector>
#include "widgets/twips.h"

class QWidget;

namespace vardo::mainwindow {

enum class Kind { Frame, Button, Option, Text, Label, List, DataSource };

// Style marks of a control beyond its kind.
enum Style : unsigned {
    Plain = 0,
    BoldItalic = 1u << 0,   // the captions of the calculation frames and the governing fields
    RedText = 1u << 1,      // the design-moment labels
    BlueBold = 1u << 2,     // the allowable-moment panel: blue bold labels
    BlueCaption = 1u << 3,  // the allowable-moment frame's caption
    Indicator = 1u << 4,    // the Мфс indicator: bold, larger
};

struct ControlRow {
    QString name;
    Kind kind;
    QString caption;               // caption, or start text of a text field or list
    int left, top, width, height;  // twips
    QString container;             // empty: the window itself
    bool shown = true;
    unsigned style = Plain;
};

// A field bound to a column of a data source: by position (F1 is 1) or by the header's text.
struct BindingRow {
    QString dataSource;
    QString field;
    int column;      // 1-based position, 0 when addressed by header text
    QString header;  // header text when column is 0
};

// A data source and the workbook it reads, by bare file name.
struct SourceRow {
    QString dataSource;
    QString workbook;
};

// Controls, upper first within each container; a container is listed before what it holds.
const std::vector<ControlRow>& controls();
const std::vector<BindingRow>& bindings();
const std::vector<SourceRow>& sources();

// Twips to logical pixels: the windows' one rule (widgets/twips.h).
using widgets::twipsRect;
using widgets::twipsToPixels;

// The window's client area in twips.
inline constexpr int kClientWidth = 10755;
inline constexpr int kClientHeight = 6375;

// The suspension-point diagram: the crossbeam and the eight point marks, in window twips.
struct DiagramLine {
    QString name;
    int x1, y1, x2, y2;
    int width;  // pixels
};
const std::vector<DiagramLine>& diagramLines();

}  // namespace vardo::mainwindow
