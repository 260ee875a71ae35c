#include "mainwindow/recentfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSettings>
#include <QStandardPaths>
#include <QThreadPool>
#include <QWaitCondition>

#include "core/datafile.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kFilesKey = u"files/recent"_s;
const QString kFolderKey = u"files/lastFolder"_s;

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// What the settings keep.
struct Values {
    QStringList files;  // newest first, none twice, at most kMaxFiles
    QString folder;
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

Values read(const QSettings& kept) {
    return {unique(kept.value(kFilesKey).toStringList()), kept.value(kFolderKey).toString()};
}

// A change asked for here. It is applied to the values the settings hold when it is written, so
// the window's thread never reads the settings to make it; applying the same changes twice gives
// what applying them once gives.
struct Change {
    enum class Kind { Add, Remove, Clear, Folder };
    Kind kind;
    QString path;  // absolute: the file added or removed, or the folder
};

void apply(Values& values, const QList<Change>& changes) {
    for (const Change& c : changes) {
        switch (c.kind) {
            case Change::Kind::Add:
                values.files.removeAll(c.path);
                values.files.prepend(c.path);
                values.files = unique(values.files);
                values.folder = absolute(QFileInfo(c.path).absolutePath());
                break;
            case Change::Kind::Remove:
                values.files.removeAll(c.path);
                break;
            case Change::Kind::Clear:
                values.files.clear();
                break;
            case Change::Kind::Folder:
                values.folder = c.path;
                break;
        }
    }
}

// Writing the settings takes a lock file and syncs the file to disk: tens of milliseconds on a
// real disk, which the user would wait for after every open and save; even reading them looks at
// four files. So a change is only noted on the window's thread, and written off it: applied to
// what the settings hold then, written once with one sync for both keys, and only when it
// changes them; a change made while one is being written is written right after it. Until then
// what is read is the settings with the changes not yet written applied. A normal end waits for
// the write (when the application object goes); a crash loses at most the change not yet
// written, never the file, which QSettings replaces whole.
class Writer {
  public:
    static Writer& instance() {
        static Writer writer;
        return writer;
    }

    void change(Change c) {
        QMutexLocker locker(&mutex_);
        waiting_ << std::move(c);
        if (busy_) return;  // the write asked for or under way takes it up
        busy_ = true;
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) {
            // Nothing would wait for a write at the end: written now.
            locker.unlock();
            writeWaiting();
            return;
        }
        if (!flushAtEnd_) {
            qAddPostRoutine(&RecentFiles::flush);
            flushAtEnd_ = true;
        }
        // The write begins when the event loop next runs, once the open or save that made the
        // change is done: a thread woken now would take the processor from it.
        posted_ = true;
        QMetaObject::invokeMethod(
            app, [this] { startPosted(); }, Qt::QueuedConnection);
    }

    // The settings with the changes not yet written applied. Without usable settings (core/
    // datafile.h says why at start) nothing is kept.
    Values current() {
        QList<Change> pending;
        {
            // Taken before the settings are read: a change written meanwhile is then applied
            // twice, which changes nothing.
            QMutexLocker locker(&mutex_);
            pending = writing_ + waiting_;
        }
        const std::unique_ptr<QSettings> kept = openSettings();
        if (!kept) return {};
        Values values = read(*kept);
        apply(values, pending);
        return values;
    }

    void flush() {
        QMutexLocker locker(&mutex_);
        if (posted_) {
            // Not begun yet: written here and now.
            posted_ = false;
            locker.unlock();
            writeWaiting();
            return;
        }
        while (busy_) idle_.wait(&mutex_);
    }

  private:
    void startPosted() {
        QMutexLocker locker(&mutex_);
        if (!posted_) return;  // flushed meanwhile
        posted_ = false;
        QThreadPool::globalInstance()->start([this] { writeWaiting(); });
    }

    void writeWaiting() {
        QMutexLocker locker(&mutex_);
        while (!waiting_.isEmpty()) {
            writing_ = std::exchange(waiting_, {});
            locker.unlock();
            write(writing_);
            locker.relock();
            writing_.clear();
        }
        busy_ = false;
        idle_.wakeAll();
    }

    static void write(const QList<Change>& changes) {
        const std::unique_ptr<QSettings> kept = openSettings();
        if (!kept) return;
        const Values before = read(*kept);
        Values after = before;
        apply(after, changes);
        if (after.files == before.files && after.folder == before.folder) return;
        if (after.files != before.files) {
            if (after.files.isEmpty())
                kept->remove(kFilesKey);
            else
                kept->setValue(kFilesKey, after.files);
        }
        if (after.folder != before.folder) kept->setValue(kFolderKey, after.folder);
        kept->sync();
    }

    QMutex mutex_;
    QWaitCondition idle_;
    QList<Change> waiting_;  // asked for, not yet being written
    QList<Change> writing_;  // being written now
    bool busy_ = false;      // a write is asked for or under way
    bool posted_ = false;    // asked for, not begun
    bool flushAtEnd_ = false;
};

}  // namespace

QStringList RecentFiles::files() {
    return Writer::instance().current().files;
}

void RecentFiles::add(const QString& path) {
    Writer::instance().change({Change::Kind::Add, absolute(path)});
}

void RecentFiles::remove(const QString& path) {
    Writer::instance().change({Change::Kind::Remove, absolute(path)});
}

void RecentFiles::clear() {
    Writer::instance().change({Change::Kind::Clear, QString()});
}

void RecentFiles::flush() {
    Writer::instance().flush();
}

QString RecentFiles::documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString RecentFiles::startFolder() {
    const QString last = Writer::instance().current().folder;
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : documentsFolder();
}

void RecentFiles::setLastFolder(const QString& folder) {
    Writer::instance().change({Change::Kind::Folder, absolute(folder)});
}

}  // namespace vardo::mainwindow
