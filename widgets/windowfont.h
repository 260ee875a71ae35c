#pragma once
// The font of every window: "MS Sans Serif" 8.25 pt where it is installed, else the nearest sans
// serif with its proportions (Microsoft Sans Serif, Liberation Sans, Arial, DejaVu Sans). The
// family is looked up once among the installed families: naming families that are not installed
// makes Qt ask fontconfig for each one's fallbacks, once per style, a sizeable part of a window's
// start-up spent on fonts it never uses.

#include <QFont>
#include <QStringList>

namespace vardo::widgets {

// The families the windows ask for, best first.
QStringList wantedFamilies();
// The first of them that is installed (one family), or all of them when none is.
const QStringList& windowFamilies();

// Every property is set, so nothing is inherited from a container's own font.
QFont windowFont(double pointSize = 8.25, bool bold = false, bool italic = false);

}  // namespace vardo::widgets
