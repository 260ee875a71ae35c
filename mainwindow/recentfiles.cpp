#include "mainwindow/recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "core/datafile.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kFilesKey = u"files/recent"_s;
const QString kFolderKey = u"files/lastFolder"_s;

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Without usable settings (core/datafile.h says why at start) nothing is kept, nothing is read.
void keep(const QStringList& files) {
    const std::unique_ptr<QSettings> kept = openSettings();
    if (!kept) return;
    if (files.isEmpty())
        kept->remove(kFilesKey);
    else
        kept->setValue(kFilesKey, files);
    kept->sync();
}

QVariant value(const QString& key) {
    const std::unique_ptr<QSettings> kept = openSettings();
    return kept ? kept->value(key) : QVariant();
}

}  // namespace

QStringList RecentFiles::files() {
    QStringList unique;
    for (const QString& path : value(kFilesKey).toStringList()) {
        if (path.isEmpty() || unique.contains(path)) continue;
        unique << path;
        if (unique.size() == kMaxFiles) break;
    }
    return unique;
}

void RecentFiles::add(const QString& path) {
    const QString file = absolute(path);
    QStringList list = files();
    list.removeAll(file);
    list.prepend(file);
    while (list.size() > kMaxFiles) list.removeLast();
    keep(list);
    setLastFolder(QFileInfo(file).absolutePath());
}

void RecentFiles::remove(const QString& path) {
    QStringList list = files();
    if (list.removeAll(absolute(path)) > 0) keep(list);
}

void RecentFiles::clear() {
    keep({});
}

QString RecentFiles::documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString RecentFiles::startFolder() {
    const QString last = value(kFolderKey).toString();
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : documentsFolder();
}

void RecentFiles::setLastFolder(const QString& folder) {
    const std::unique_ptr<QSettings> kept = openSettings();
    if (!kept) return;
    kept->setValue(kFolderKey, absolute(folder));
    kept->sync();
}

}  // namespace vardo::mainwindow
