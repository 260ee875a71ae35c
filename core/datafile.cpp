#include "core/datafile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "core/safefile.h"

namespace vardo {

namespace {

using namespace Qt::Literals::StringLiterals;

// The files QSettings reads for organisation "Vardo", application "Vardo": on Windows the one INI
// file in the user's application data folder; elsewhere the application's and the organisation's
// file in each configuration folder, the user's first.
QStringList settingsFiles() {
#ifdef Q_OS_WIN
    return {QDir(qEnvironmentVariable("APPDATA"))
                .filePath(QString::fromUtf16(kSettingsOrganisation) + u'/' +
                          QString::fromUtf16(kSettingsApplication) + u".ini"_s)};
#elif defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    const QString organisation = QString::fromUtf16(kSettingsOrganisation);
    const QString application =
        organisation + u'/' + QString::fromUtf16(kSettingsApplication) + u".conf"_s;
    QStringList files;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        files << folder + u'/' + application << folder + u'/' + organisation + u".conf"_s;
    return files;
#else
    return {};
#endif
}

// settingsProblem() as a phrase: "файл настроек «…» — не обычный файл, а канал (FIFO)".
QString settingsFileProblem() {
    // QSettings opens each of its files as it is constructed, with a blocking open and no bound:
    // so each is looked at first (stat only), and the settings are not used when one is wrong.
    for (const QString& file : settingsFiles()) {
        QString why = describeNonRegular(file);
        if (why.startsWith(u"это "_s)) why.remove(0, 4);
        if (const QFileInfo info(file);
            why.isEmpty() && info.isFile() && info.size() > kMaxSettingsBytes)
            why = u"слишком большой файл (%1 МБ; настройки занимают не больше %2 МБ)"_s
                      .arg((info.size() + (1 << 20) - 1) >> 20)
                      .arg(kMaxSettingsBytes >> 20);
        if (!why.isEmpty())
            return u"файл настроек «%1» — %2"_s.arg(QDir::toNativeSeparators(file), why);
    }
    return {};
}

// Set once by the command line of vardo-report, before any lookup; not kept.
QString& folderForThisRun() {
    static QString folder;
    return folder;
}

}  // namespace

QString settingsProblem() {
    const QString why = settingsFileProblem();
    return why.isEmpty() ? QString()
                         : u"Настройки не прочитаны: "_s + why +
                               u". Программа работает с настройками по умолчанию (папка таблиц "
                               u"не выбрана, недавних расчетов нет) и ничего в них не запоминает; "
                               u"уберите или замените этот файл."_s;
}

std::unique_ptr<QSettings> openSettings() {
    if (!settingsProblem().isEmpty()) return nullptr;
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QString::fromUtf16(kSettingsOrganisation),
                                       QString::fromUtf16(kSettingsApplication));
#else
    return std::make_unique<QSettings>(QString::fromUtf16(kSettingsOrganisation),
                                       QString::fromUtf16(kSettingsApplication));
#endif
}

QString tablesFolder() {
    if (!folderForThisRun().isEmpty()) return folderForThisRun();
    const std::unique_ptr<QSettings> kept = openSettings();
    return kept ? kept->value(QString::fromUtf16(kTablesFolderKey)).toString() : QString();
}

bool setTablesFolder(const QString& folder, QString* why) {
    const auto fail = [why](const QString& text) {
        if (why) *why = text;
        return false;
    };
    const std::unique_ptr<QSettings> kept = openSettings();
    if (!kept) return fail(settingsFileProblem());
    if (folder.isEmpty())
        kept->remove(QString::fromUtf16(kTablesFolderKey));
    else
        kept->setValue(QString::fromUtf16(kTablesFolderKey), QDir(folder).absolutePath());
    // Said kept only once the file is written: sync() tells its failure only through status().
    kept->sync();
    if (kept->status() != QSettings::NoError)
        return fail(
            u"файл настроек «%1» не удалось записать (его папка недоступна для записи, "
            u"на диске нет места или это не файл)"_s.arg(
                QDir::toNativeSeparators(kept->fileName())));
    return true;
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
    folders << QFileInfo(settingsFiles().constFirst()).absolutePath();
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
    return locateDataFile(bareName, dataSearchFolders());
}

QString locateDataFile(const QString& bareName, const QStringList& folders) {
    // Whatever lies in a folder under that name wins, even a folder or an unreadable file: the
    // user is then told about the file he put there.
    for (const QString& folder : folders)
        if (const QString path = QDir(folder).absoluteFilePath(bareName); QFileInfo::exists(path))
            return path;
    return QDir::current().absoluteFilePath(bareName);
}

bool dataFileExists(const QString& bareName) {
    return QFileInfo::exists(locateDataFile(bareName));
}

}  // namespace vardo
