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

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace vardo {

// The settings that keep the chosen tables folder: organisation "Vardo", application "Vardo",
// the same for the window and for vardo-report.
inline constexpr char16_t kSettingsOrganisation[] = u"Vardo";
inline constexpr char16_t kSettingsApplication[] = u"Vardo";
inline constexpr char16_t kTablesFolderKey[] = u"tables/folder";

// The settings hold a folder and a few file names: a file of them larger than this is not theirs.
inline constexpr qint64 kMaxSettingsBytes = 1024 * 1024;

// Why the settings can be neither read nor kept, as a whole Russian message naming the file: a
// file they are read from is a FIFO, a device or a folder, or larger than kMaxSettingsBytes.
// Empty when they can be used. Nothing is opened to find out, so a FIFO never holds the program up.
QString settingsProblem();
// The program's settings (the tables folder, the recent files), or nothing when settingsProblem()
// says why not: the program then works with its defaults (no tables folder chosen, no recent
// files) and keeps nothing. On Windows the file Vardo\Vardo.ini in the user's application data
// folder (%APPDATA%), which an installed and an unpacked program share and which leaves the
// registry alone; elsewhere ~/.config/Vardo/Vardo.conf.
std::unique_ptr<QSettings> openSettings();

// The tables folder the user chose; empty when none. A folder given for this run only (see
// useTablesFolderForThisRun) takes the place of the kept one.
QString tablesFolder();
// Keeps folder as the chosen tables folder; an empty folder forgets the choice. False when the
// settings could not be written (their file is a folder, read-only, the disk is full, ...), and
// *why says why, naming the file.
bool setTablesFolder(const QString& folder, QString* why = nullptr);
// A folder that takes the place of the kept one until the program ends, without changing the
// settings (vardo-report --tables). Empty: the kept one again.
void useTablesFolderForThisRun(const QString& folder);

// The folders searched, in order, as absolute paths without duplicates; a folder that does not
// exist is still listed (the user is told where the program looked).
QStringList dataSearchFolders();

// The path of the first existing entry named bareName in dataSearchFolders(); when there is
// none, its path in the working directory (so a later open fails with the name the user knows).
QString locateDataFile(const QString& bareName);
// The same in folders, a dataSearchFolders() taken once for many lookups: each taking of it reads
// the settings.
QString locateDataFile(const QString& bareName, const QStringList& folders);

// Whether an entry named bareName exists in any of the searched folders.
bool dataFileExists(const QString& bareName);

}  // namespace vardo
