#pragma once
// Files the program reads by bare name (the reference workbooks, the cursor, the help page) are
// looked up, in this order:
//   1. the working directory (a folder of tables the user started the program in wins);
//   2. beside the executable (a program unpacked into one folder);
//   3. the tables folder the user chose ("Папка таблиц", kept in the settings): an
//      organisation's own tables, whatever folder the program is started from;
//   4. the XDG data folders, each with "vardo" appended ($XDG_DATA_HOME/vardo, then
//      /usr/local/share/vardo, /usr/share/vardo, ...): the copies an installed program brings;
//      on Windows, where the installed program's copies lie beside it, the user's own folder
//      %APPDATA%\Vardo (where the settings are kept).
// The window and vardo-report share this lookup, so both read the same tables.

#include <QSettings>
#include <QString>
#include <QStringList>

namespace vardo {

// The settings that keep the chosen tables folder: organisation "Vardo", application "Vardo",
// the same for the window and for vardo-report.
inline constexpr char16_t kSettingsOrganisation[] = u"Vardo";
inline constexpr char16_t kSettingsApplication[] = u"Vardo";
inline constexpr char16_t kTablesFolderKey[] = u"tables/folder";

// The program's settings (the tables folder, the recent files): on Windows the file
// Vardo\Vardo.ini in the user's application data folder (%APPDATA%), which an installed and an
// unpacked program share and which leaves the registry alone; elsewhere ~/.config/Vardo/Vardo.conf.
QSettings programSettings();

// The tables folder the user chose; empty when none. A folder given for this run only (see
// useTablesFolderForThisRun) takes the place of the kept one.
QString tablesFolder();
// Keeps folder as the chosen tables folder; an empty folder forgets the choice.
void setTablesFolder(const QString& folder);
// A folder that takes the place of the kept one until the program ends, without changing the
// settings (vardo-report --tables). Empty: the kept one again.
void useTablesFolderForThisRun(const QString& folder);

// The folders searched, in order, as absolute paths without duplicates; a folder that does not
// exist is still listed (the user is told where the program looked).
QStringList dataSearchFolders();

// The path of the first existing entry named bareName in dataSearchFolders(); when there is
// none, its path in the working directory (so a later open fails with the name the user knows).
QString locateDataFile(const QString& bareName);

// Whether an entry named bareName exists in any of the searched folders.
bool dataFileExists(const QString& bareName);

}  // namespace vardo
