#pragma once
// Files the program reads by bare name (the reference workbooks, the cursor, the help page) are
// looked up in the working directory first, then beside the executable, so that a program started
// from a desktop menu still finds them.

#include <QString>

namespace vardo {

// The path of the first existing entry named bareName; when there is none, its path in the working
// directory (so a later open fails with the name the user knows).
QString locateDataFile(const QString& bareName);

}  // namespace vardo
