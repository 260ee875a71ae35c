#include "core/datafile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vardo {

QString locateDataFile(const QString& bareName) {
    const QString inWorkingDirectory = QDir::current().absoluteFilePath(bareName);
    // Whatever lies in the working directory under that name wins, even a folder or an unreadable
    // file: the user is then told about the file he put there.
    if (QFileInfo::exists(inWorkingDirectory)) return inWorkingDirectory;
    if (QCoreApplication::instance()) {
        const QString besideProgram =
            QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(bareName);
        if (QFileInfo::exists(besideProgram)) return besideProgram;
    }
    return inWorkingDirectory;
}

}  // namespace vardo
