#include "core/datafile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vardo {

QString locateDataFile(const QString& bareName) {
    if (QFileInfo::exists(bareName)) return QDir::current().absoluteFilePath(bareName);
    if (QCoreApplication::instance()) {
        const QString beside = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(bareName);
        if (QFileInfo::exists(beside)) return beside;
    }
    return bareName;
}

}  // namespace vardo
