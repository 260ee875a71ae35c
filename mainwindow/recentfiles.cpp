#include "mainwindow/recentfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSettings>
#include <QStandardPaths>
#include <QThreadPool>
#include <QWaitCondition>
#include <optional>

#include "core/datafile.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kFilesKey = u"files/recent"_s;
const QString kFolderKey = u"files/lastFolder"_s;

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// What this program set and has not yet seen written; a value that is not set is unchanged.
struct Values {
    std::optional<QStringList> files;
    std::optional<QString> folder;
    bool empty() const { return !files && !folder; }
};

// Writing the settings takes a lock file and syncs the file to disk: tens of milliseconds on a
// real disk, which the user would wait for after every open and save. So the values are written
// off the window's thread, each change once, with one sync for both keys; a change made while
// one is being written is written right after it. Until then the values set here are what this
// program reads. A normal end waits for the write (when the application object goes); a crash
// loses at most the change not yet written, never the file, which QSettings replaces whole.
class Writer {
  public:
    static Writer& instance() {
        static Writer writer;
        return writer;
    }

    void set(const Values& changed) {
        if (!settingsProblem().isEmpty()) return;  // nothing is kept
        QMutexLocker locker(&mutex_);
        if (changed.files) waiting_.files = changed.files;
        if (changed.folder) waiting_.folder = changed.folder;
        if (busy_) return;  // the write under way takes it up after its own
        busy_ = true;
        if (!QCoreApplication::instance()) {
            // Nothing would wait for a write at the end: written now.
            locker.unlock();
            writeWaiting();
            return;
        }
        if (!flushAtEnd_) {
            qAddPostRoutine(&RecentFiles::flush);
            flushAtEnd_ = true;
        }
        QThreadPool::globalInstance()->start([this] { writeWaiting(); });
    }

    // The values set here and not yet written, else those read from the settings (read once for
    // both keys).
    Values current() {
        Values known;
        {
            QMutexLocker locker(&mutex_);
            for (const Values* v : {&waiting_, &writing_}) {
                if (!known.files && v->files) known.files = v->files;
                if (!known.folder && v->folder) known.folder = v->folder;
            }
        }
        if (known.files && known.folder) return known;
        const std::unique_ptr<QSettings> kept = openSettings();
        if (!known.files)
            known.files = kept ? kept->value(kFilesKey).toStringList() : QStringList();
        if (!known.folder) known.folder = kept ? kept->value(kFolderKey).toString() : QString();
        return known;
    }

    void flush() {
        QMutexLocker locker(&mutex_);
        while (busy_) idle_.wait(&mutex_);
    }

  private:
    void writeWaiting() {
        QMutexLocker locker(&mutex_);
        while (!waiting_.empty()) {
            writing_ = std::exchange(waiting_, {});
            locker.unlock();
            write(writing_);
            locker.relock();
            writing_ = {};
        }
        busy_ = false;
        idle_.wakeAll();
    }

    // Without usable settings (core/datafile.h says why at start) nothing is kept.
    static void write(const Values& values) {
        const std::unique_ptr<QSettings> kept = openSettings();
        if (!kept) return;
        if (values.files && values.files->isEmpty()) kept->remove(kFilesKey);
        if (values.files && !values.files->isEmpty()) kept->setValue(kFilesKey, *values.files);
        if (values.folder) kept->setValue(kFolderKey, *values.folder);
        kept->sync();
    }

    QMutex mutex_;
    QWaitCondition idle_;
    Values waiting_;  // set, not yet being written
    Values writing_;  // being written now
    bool busy_ = false;
    bool flushAtEnd_ = false;
};

// The kept files, newest first, none twice, at most kMaxFiles.
QStringList unique(const QStringList& files) {
    QStringList out;
    for (const QString& path : files) {
        if (path.isEmpty() || out.contains(path)) continue;
        out << path;
        if (out.size() == RecentFiles::kMaxFiles) break;
    }
    return out;
}

void keep(const QStringList& files) {
    if (RecentFiles::files() != files) Writer::instance().set({files, std::nullopt});
}

}  // namespace

QStringList RecentFiles::files() {
    return unique(*Writer::instance().current().files);
}

void RecentFiles::add(const QString& path) {
    const QString file = absolute(path);
    const Values now = Writer::instance().current();
    const QStringList before = unique(*now.files);
    QStringList list = before;
    list.removeAll(file);
    list.prepend(file);
    while (list.size() > kMaxFiles) list.removeLast();
    Values changed;
    if (list != before) changed.files = list;
    if (const QString folder = absolute(QFileInfo(file).absolutePath()); *now.folder != folder)
        changed.folder = folder;
    if (!changed.empty()) Writer::instance().set(changed);
}

void RecentFiles::remove(const QString& path) {
    QStringList list = files();
    if (list.removeAll(absolute(path)) > 0) keep(list);
}

void RecentFiles::clear() {
    keep({});
}

void RecentFiles::flush() {
    Writer::instance().flush();
}

QString RecentFiles::documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString RecentFiles::startFolder() {
    const QString last = *Writer::instance().current().folder;
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : documentsFolder();
}

void RecentFiles::setLastFolder(const QString& folder) {
    const QString kept = absolute(folder);
    if (*Writer::instance().current().folder != kept) Writer::instance().set({std::nullopt, kept});
}

}  // namespace vardo::mainwindow
