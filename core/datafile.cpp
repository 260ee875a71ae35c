#include "core/datafile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace vardo {

namespace {

using namespace Qt::Literals::StringLiterals;

// Set once by the command line of vardo-report, before any lookup; not kept.
QString& folderForThisRun() {
    static QString folder;
    return folder;
}

}  // namespace

QSettings programSettings() {
#ifdef Q_OS_WIN
    return QSettings(QSettings::IniFormat, QSettings::UserScope,
                     QString::fromUtf16(kSettingsOrganisation),
                     QString::fromUtf16(kSettingsApplication));
#else
    return QSettings(QString::fromUtf16(kSettingsOrganisation),
                     QString::fromUtf16(kSettingsApplication));
#endif
}

QString tablesFolder() {
    if (!folderForThisRun().isEmpty()) return folderForThisRun();
    return programSettings().value(QString::fromUtf16(kTablesFolderKey)).toString();
}

void setTablesFolder(const QString& folder) {
    QSettings kept = programSettings();
    if (folder.isEmpty())
        kept.remove(QString::fromUtf16(kTablesFolderKey));
    else
        kept.setValue(QString::fromUtf16(kTablesFolderKey), QDir(folder).absolutePath());
    kept.sync();
}

void useTablesFolderForThisRun(const QString& folder) {
    folderForThisRun() = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

QStringList dataSearchFolders() {
    QStringList folders{QDir::currentPath()};
    if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath();
    if (const QString chosen = tablesFolder(); !chosen.isEmpty()) folders << chosen;
#ifdef Q_OS_WIN
    // The user's own folder of the program in the application data folder, beside its settings.
    folders << QFileInfo(programSettings().fileName()).absolutePath();
#else
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << QDir(data).absoluteFilePath(u"vardo"_s);
#endif
    QStringList unique;
    for (const QString& folder : std::as_const(folders))
        if (const QString clean = QDir::cleanPath(folder); !unique.contains(clean)) unique << clean;
    return unique;
}

QString locateDataFile(const QString& bareName) {
    // Whatever lies in a folder under that name wins, even a folder or an unreadable file: the
    // user is then told about the file he put there.
    for (const QString& folder : dataSearchFolders())
        if (const QString path = QDir(folder).absoluteFilePath(bareName); QFileInfo::exists(path))
            return path;
    return QDir::current().absoluteFilePath(bareName);
}

bool dataFileExists(const QString& bareName) {
    return QFileInfo::exists(locateDataFile(bareName));
}

}  // namespace vardo
