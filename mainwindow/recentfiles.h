#pragma once
// The calculation files the user opened or saved last, newest first, and the folder used last;
// kept in the program's settings (the same organisation and application as the tables folder,
// core/datafile.h), so every window and every later run sees them. They are written to disk
// off the window's thread, so opening and saving a calculation never waits for the settings.

#include <QString>
#include <QStringList>

namespace vardo::mainwindow {

class RecentFiles {
  public:
    // At most this many files are kept.
    static constexpr int kMaxFiles = 8;

    // The kept files, newest first, as absolute paths; none twice.
    static QStringList files();
    // Puts path first (moving it when it is kept already) and forgets the oldest beyond the
    // eighth; the folder of path becomes the folder used last.
    static void add(const QString& path);
    // Forgets path (a file that is gone).
    static void remove(const QString& path);
    static void clear();
    // Waits until every change made here is written to the settings (at the end of the program
    // this happens by itself, when the application object is destroyed).
    static void flush();

    // The folder a file dialog starts in: the folder used last when it still exists, else the
    // user's documents folder, else the home folder.
    static QString startFolder();
    // Keeps folder as the folder used last.
    static void setLastFolder(const QString& folder);
    // The user's documents folder when it exists, else the home folder.
    static QString documentsFolder();
};

}  // namespace vardo::mainwindow
