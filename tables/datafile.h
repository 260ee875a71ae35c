#pragma once
// The program's data files (the reference workbooks, the pick cursor, the help page) are named by
// their bare file names. They are looked up in the working directory first, where they have always
// been expected, then beside the executable, so that a program started from a desktop menu, with
// another working directory, still finds the files installed with it.

#include <QString>

namespace vardo {

// The path of the file found first; when neither place has it, the path in the working directory,
// so that opening it reports the missing file by its expected place. Needs a QCoreApplication for
// the second place.
QString locateDataFile(const QString& bareName);

}  // namespace vardo
