#include "core/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <atomic>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>

#include <iterator>
#include <string>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace vardo {

using namespace Qt::Literals::StringLiterals;

QString fileNameFromBytes(const QByteArray& bytes) {
#ifdef Q_OS_WIN
    return QFile::decodeName(bytes);
#else
    if (QUtf8StringView(bytes).isValidUtf8()) return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        // The sequence the lead byte begins; a longer form of a smaller code point, a surrogate
        // or a code point above U+10FFFF is not UTF-8.
        const int length = lead < 0x80   ? 1
                           : lead < 0xC2 ? 0
                           : lead < 0xE0 ? 2
                           : lead < 0xF0 ? 3
                           : lead < 0xF5 ? 4
                                         : 0;
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        bool whole = length > 0 && i + length <= bytes.size();
        for (int k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            whole = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (whole && code >= kLeast[length] && code <= 0x10FFFF &&
            (code < 0xD800 || code > 0xDFFF)) {
            name += QString::fromUcs4(&code, 1);
            i += length;
        } else {
            name += QChar(char16_t(0xDC00 + lead));
            ++i;
        }
    }
    return name;
#endif
}

QByteArray fileNameToBytes(const QString& name) {
#ifdef Q_OS_WIN
    return QFile::encodeName(name);
#else
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype from = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        // A lone U+DC80..U+DCFF stands for one byte; everything else is UTF-8.
        const bool kept = i < name.size() && name[i].unicode() >= 0xDC80 &&
                          name[i].unicode() <= 0xDCFF && (i == 0 || !name[i - 1].isHighSurrogate());
        if (!kept && i < name.size()) continue;
        bytes += QStringView(name).sliced(from, i - from).toUtf8();
        if (kept) bytes += char(name[i].unicode() - 0xDC00);
        from = i + 1;
    }
    return bytes;
#endif
}

QString describeSystemError(int errorNumber, const QString& folder) {
#ifdef Q_OS_WIN
    // errorNumber is a code of GetLastError().
    const QString where = QDir::toNativeSeparators(folder);
    switch (errorNumber) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return u"на диске нет места"_s;
        case ERROR_FILE_TOO_LARGE:
            return u"файл слишком велик для этого диска"_s;
        case ERROR_ACCESS_DENIED:
            return where.isEmpty() ? u"нет прав на доступ к файлу"_s
                                   : u"нет прав на запись в папку «%1»"_s.arg(where);
        case ERROR_WRITE_PROTECT:
            return u"диск доступен только для чтения"_s;
        case ERROR_FILENAME_EXCED_RANGE:
            return u"имя файла или путь к нему слишком длинные"_s;
        case ERROR_CRC:
        case ERROR_IO_DEVICE:
        case ERROR_SECTOR_NOT_FOUND:
            return u"ошибка ввода-вывода: диск или носитель неисправен"_s;
        case ERROR_FILE_NOT_FOUND:
            return u"файл не найден"_s;
        case ERROR_PATH_NOT_FOUND:
            return where.isEmpty() ? u"нет папки, в которой лежит файл"_s
                                   : u"нет папки «%1»"_s.arg(where);
        case ERROR_DIRECTORY:
            return u"часть пути к файлу — не папка"_s;
        case ERROR_CANT_RESOLVE_FILENAME:
            return u"символические ссылки пути замыкаются в петлю"_s;
        case ERROR_TOO_MANY_OPEN_FILES:
            return u"открыто слишком много файлов"_s;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return u"не хватает памяти"_s;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return u"файл занят другой программой"_s;
        case ERROR_NOT_SAME_DEVICE:
            return u"файл и его временная копия оказались на разных дисках"_s;
        case ERROR_NOT_READY:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_BAD_UNIT:
            return u"устройство не найдено или не готово"_s;
        case ERROR_BAD_NETPATH:
        case ERROR_NETNAME_DELETED:
        case ERROR_UNEXP_NET_ERR:
        case ERROR_BAD_NET_NAME:
            return u"файл на сетевом диске больше недоступен"_s;
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_PARAMETER:
        case ERROR_BAD_PATHNAME:
            return u"недопустимое имя файла или операция"_s;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return u"файл с таким именем уже есть"_s;
        default:
            return u"системная ошибка № %1"_s.arg(errorNumber);
    }
#else
    const QString where = QDir::toNativeSeparators(folder);
    switch (errorNumber) {
        case ENOSPC:
            return u"на диске нет места"_s;
        case EDQUOT:
            return u"исчерпана дисковая квота пользователя"_s;
        case EFBIG:
            return u"файл слишком велик для этого диска"_s;
        case EACCES:
        case EPERM:
            return where.isEmpty() ? u"нет прав на доступ к файлу"_s
                                   : u"нет прав на запись в папку «%1»"_s.arg(where);
        case EROFS:
            return u"диск доступен только для чтения"_s;
        case ENAMETOOLONG:
            return u"имя файла или путь к нему слишком длинные"_s;
        case EIO:
            return u"ошибка ввода-вывода: диск или носитель неисправен"_s;
        case ENOENT:
            return where.isEmpty() ? u"файл не найден"_s : u"нет папки «%1»"_s.arg(where);
        case ENOTDIR:
            return u"часть пути к файлу — не папка"_s;
        case ELOOP:
            return u"символические ссылки пути замыкаются в петлю"_s;
        case EISDIR:
            return u"это папка, а не файл"_s;
        case EMFILE:
        case ENFILE:
            return u"открыто слишком много файлов"_s;
        case ENOMEM:
            return u"не хватает памяти"_s;
        case ETXTBSY:
        case EBUSY:
            return u"файл занят другой программой"_s;
        case EXDEV:
            return u"файл и его временная копия оказались на разных дисках"_s;
        case ENXIO:
        case ENODEV:
            return u"устройство не найдено"_s;
        case EAGAIN:
            return u"файл временно недоступен"_s;
        case ESTALE:
            return u"файл на сетевом диске больше недоступен"_s;
        case EINVAL:
            return u"недопустимое имя файла или операция"_s;
        case EEXIST:
            return u"файл с таким именем уже есть"_s;
        case EMLINK:
            return u"в папке слишком много ссылок"_s;
        default:
            return u"системная ошибка № %1"_s.arg(errorNumber);
    }
#endif
}

namespace {

QString tooLarge(qint64 maxBytes) {
    if (maxBytes >= 1024 * 1024 && maxBytes % (1024 * 1024) == 0)
        return u"файл слишком велик (больше %1 МБ)"_s.arg(maxBytes / (1024 * 1024));
    return u"файл слишком велик (больше %1 байт)"_s.arg(maxBytes);
}

FileRead readFailure(FileProblem problem, QString reason) {
    FileRead r;
    r.problem = problem;
    r.reason = std::move(reason);
    return r;
}

}  // namespace

#ifndef Q_OS_WIN

namespace {

QString nonRegularText(mode_t mode) {
    if (S_ISDIR(mode)) return u"это папка, а не файл"_s;
    if (S_ISFIFO(mode)) return u"это не обычный файл, а канал (FIFO)"_s;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return u"это не обычный файл, а устройство"_s;
    if (S_ISSOCK(mode)) return u"это не обычный файл, а сокет"_s;
    return u"это не обычный файл"_s;
}

// Why an open of path for reading failed.
FileRead openFailure(const QByteArray& native, int error) {
    switch (error) {
        case ENOENT: {
            struct stat link;
            if (::lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode))
                return readFailure(FileProblem::NotFound,
                                   u"символическая ссылка ведет к несуществующему файлу"_s);
            return readFailure(FileProblem::NotFound, u"файл не найден"_s);
        }
        case ELOOP:
            return readFailure(FileProblem::LinkLoop, describeSystemError(ELOOP));
        case EACCES:
        case EPERM:
            return readFailure(FileProblem::NoAccess, u"нет прав на чтение файла"_s);
        case ENXIO:
        case ENODEV:
        case EOPNOTSUPP: {
            // A socket cannot be opened at all; say what it is.
            struct stat st;
            if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
                return readFailure(FileProblem::NotRegular, nonRegularText(st.st_mode));
            return readFailure(FileProblem::Failed, describeSystemError(error));
        }
        default:
            return readFailure(FileProblem::Failed, describeSystemError(error));
    }
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now; the error of the close, 0 when none.
    int close() {
        const int fd = std::exchange(fd_, -1);
        // After close fails with EINTR the descriptor is gone on Linux; it is not closed again.
        if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) return errno;
        return 0;
    }

  private:
    int fd_;
};

QString identityOf(const struct stat& st) {
    return QString::number(static_cast<quint64>(st.st_dev)) + u':' +
           QString::number(static_cast<quint64>(st.st_ino));
}

// The stamp of a file of these bytes that the system describes so.
FileStamp stampOf(const struct stat& st, const QByteArray& bytes) {
    FileStamp stamp;
    stamp.identity = identityOf(st);
    stamp.size = bytes.size();
    stamp.modified = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    stamp.bytes = bytes;
    return stamp;
}

QString parentFolder(const QByteArray& nativePath) {
    const QString path = fileNameFromBytes(nativePath);
    const QFileInfo info(path);
    return info.absolutePath();
}

// The file that writing to path would reach: path itself, or the end of its chain of symbolic
// links. *exists and *status describe what is there; returns 0 or an errno.
int resolveForWriting(const QByteArray& path, QByteArray* target, bool* exists,
                      struct stat* status) {
    QByteArray current = path;
    for (int hops = 0;; ++hops) {
        if (::lstat(current.constData(), status) != 0) {
            if (errno != ENOENT) return errno;
            *target = current;
            *exists = false;
            return 0;
        }
        if (!S_ISLNK(status->st_mode)) {
            *target = current;
            *exists = true;
            return 0;
        }
        if (hops >= 40) return ELOOP;
        QByteArray link(4096, Qt::Uninitialized);
        const ssize_t n = ::readlink(current.constData(), link.data(), link.size());
        if (n < 0) return errno;
        if (n >= link.size()) return ENAMETOOLONG;
        link.truncate(n);
        if (!link.startsWith('/')) {
            const qsizetype slash = current.lastIndexOf('/');
            link.prepend(slash < 0 ? QByteArray() : current.left(slash + 1));
        }
        current = link;
    }
}

// A name for a temporary file in folder: short, since the target's may already be as long as
// names can be.
QByteArray temporaryName(const QByteArray& folder) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray candidate = folder + "/.vardo-";
    for (int i = 0; i < 6; ++i)
        candidate += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return candidate;
}

// A new empty file with a temporary name in folder, readable and writable as a new file of the
// user is (the umask applies).
int createTemporary(const QByteArray& folder, QByteArray* name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate = temporaryName(folder);
        int fd;
        do {
            fd = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                        0666);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0) {
            *name = candidate;
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    errno = EEXIST;
    return -1;
}

// The same without a name (Linux): the file is named only once it is complete (nameTemporary),
// so that a write cut short, by a crash or a power cut, leaves nothing behind in the folder; it
// also costs the disk less. -1 where the system or the file system cannot make one.
int createUnnamed(const QByteArray& folder) {
#ifdef O_TMPFILE
    int fd;
    do {
        fd = ::open(folder.constData(), O_WRONLY | O_TMPFILE | O_CLOEXEC | O_NOCTTY, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
#else
    Q_UNUSED(folder);
    return -1;
#endif
}

// Gives the unnamed file fd a temporary name in folder; 0, or the error (no /proc to name it by,
// say).
int nameTemporary(int fd, const QByteArray& folder, QByteArray* name) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate = temporaryName(folder);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, candidate.constData(),
                     AT_SYMLINK_FOLLOW) == 0) {
            *name = candidate;
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

// writeFileAtomically, the temporary file made unnamed first where it can be.
bool writeAtomically(const QString& path, QByteArrayView bytes, QString* reason, FileStamp* stamp,
                     bool unnamedFirst);

}  // namespace

FileRead readRegularFile(const QString& path, qint64 maxBytes, FileStamp* stamp) {
    if (stamp) *stamp = {};
    if (path.isEmpty()) return readFailure(FileProblem::NotFound, u"имя файла не указано"_s);
    const QByteArray native = fileNameToBytes(path);
    int fd;
    // O_NONBLOCK: opening a FIFO with no writer, or a device, must not wait.
    do {
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return openFailure(native, errno);
    Descriptor file(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0) return readFailure(FileProblem::Failed, describeSystemError(errno));
    if (!S_ISREG(st.st_mode))
        return readFailure(FileProblem::NotRegular, nonRegularText(st.st_mode));
    if (st.st_size > maxBytes) return readFailure(FileProblem::TooLarge, tooLarge(maxBytes));

    // The size said by fstat is a hint (files of /proc say 0); the bound is what is read.
    FileRead result;
    QByteArray& bytes = result.bytes;
    const qint64 limit = maxBytes + 1;
    bytes.resize(static_cast<qsizetype>(std::min<qint64>(limit, std::max<qint64>(st.st_size, 0))) +
                 1);
    qint64 done = 0;
    while (done < limit) {
        if (done == bytes.size())
            bytes.resize(static_cast<qsizetype>(std::min<qint64>(limit, 2 * done + 4096)));
        const ssize_t n = ::read(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return readFailure(FileProblem::Failed,
                               u"ошибка чтения: "_s + describeSystemError(errno));
        }
        if (n == 0) break;
        done += n;
    }
    if (done > maxBytes) return readFailure(FileProblem::TooLarge, tooLarge(maxBytes));
    bytes.truncate(static_cast<qsizetype>(done));
    if (stamp) *stamp = stampOf(st, bytes);
    return result;
}

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* reason,
                         FileStamp* stamp) {
    return writeAtomically(path, bytes, reason, stamp, true);
}

namespace {

bool writeAtomically(const QString& path, QByteArrayView bytes, QString* reason, FileStamp* stamp,
                     bool unnamedFirst) {
    const auto fail = [reason](const QString& why) {
        if (reason) *reason = why;
        return false;
    };
    if (path.isEmpty()) return fail(u"имя файла не указано"_s);
    if (path.endsWith(u'/')) {
        struct stat st;
        if (::stat(fileNameToBytes(path).constData(), &st) == 0 && S_ISDIR(st.st_mode))
            return fail(u"это папка, а не файл"_s);
        return fail(u"имя файла не указано: путь кончается знаком «/»"_s);
    }

    QByteArray target;
    bool exists = false;
    struct stat old;
    if (const int error = resolveForWriting(fileNameToBytes(path), &target, &exists, &old))
        return fail(describeSystemError(error));
    const QString folder = parentFolder(target);
    if (exists) {
        // Only a regular file is ever replaced: a device, a FIFO, a socket or a folder under this
        // name stays what it is.
        if (!S_ISREG(old.st_mode)) return fail(nonRegularText(old.st_mode));
        if (::access(target.constData(), W_OK) != 0) {
            if (errno == EACCES || errno == EPERM) return fail(u"файл защищен от записи"_s);
            return fail(describeSystemError(errno));
        }
    }

    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray nativeFolder =
        slash < 0 ? QByteArray(".") : (slash == 0 ? QByteArray("/") : target.left(slash));
    // Once an unnamed file could not be named here, the files are named from the start: not
    // written twice on every save.
    static std::atomic<bool> namingWorks{true};
    QByteArray temporary;  // empty while the file has no name
    const int unnamed = unnamedFirst && namingWorks ? createUnnamed(nativeFolder) : -1;
    const int fd = unnamed >= 0 ? unnamed : createTemporary(nativeFolder, &temporary);
    if (fd < 0) return fail(describeSystemError(errno, folder));
    Descriptor file(fd);
    const auto abandon = [&](int error) {
        const QString why = describeSystemError(error, folder);
        file.close();
        if (!temporary.isEmpty()) ::unlink(temporary.constData());
        return fail(why);
    };

    if (exists) {
        // The new file keeps the old one's permissions and, where allowed, its owner.
        if (::fchmod(fd, old.st_mode & 07777) != 0) return abandon(errno);
        if (::geteuid() == 0 && (old.st_uid != 0 || old.st_gid != 0)) {
            [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        }
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const size_t chunk = static_cast<size_t>(std::min<qsizetype>(bytes.size() - done, 1 << 30));
        const ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return abandon(errno);
        }
        if (n == 0) return abandon(ENOSPC);
        done += n;
    }
    int synced;
    do {
        synced = ::fsync(fd);
    } while (synced != 0 && errno == EINTR);
    if (synced != 0) return abandon(errno);
    if (temporary.isEmpty()) {
        if (nameTemporary(fd, nativeFolder, &temporary) != 0) {
            // It cannot be named so (no /proc, say): written again into a file named from the
            // start. The unnamed one goes with its descriptor.
            file.close();
            namingWorks = false;
            return writeAtomically(path, bytes, reason, stamp, false);
        }
        // Its name is on the disk with the rename's, synced below.
    }
    if (const int error = file.close()) {
        ::unlink(temporary.constData());
        return fail(describeSystemError(error, folder));
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return fail(describeSystemError(error, folder));
    }
    // The new name on the disk too; a failure here loses nothing already written.
    const int dirFd = ::open(nativeFolder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    if (stamp) {
        // The file that now has the name; renaming kept its identity and time.
        struct stat written;
        *stamp = ::stat(target.constData(), &written) == 0 ? stampOf(written, bytes.toByteArray())
                                                           : FileStamp{};
    }
    return true;
}

}  // namespace

QString describeNonRegular(const QString& path) {
    struct stat st;
    if (::stat(fileNameToBytes(path).constData(), &st) != 0 || S_ISREG(st.st_mode)) return {};
    return nonRegularText(st.st_mode);
}

bool isSameFile(const QString& a, const QString& b) {
    struct stat sa, sb;
    if (::stat(fileNameToBytes(a).constData(), &sa) != 0 ||
        ::stat(fileNameToBytes(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

QString fileIdentity(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return identityOf(st);
}

#else  // Q_OS_WIN: the same guarantees with the calls of Windows.

namespace {

std::wstring wide(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    // Closes now; the error of the close, 0 when none.
    DWORD close() {
        const HANDLE h = std::exchange(h_, INVALID_HANDLE_VALUE);
        if (h != INVALID_HANDLE_VALUE && !::CloseHandle(h)) return ::GetLastError();
        return 0;
    }

  private:
    HANDLE h_;
};

// Opens path without reading or writing it, to see what it is: a folder opens too, a console, a
// pipe or a device is not read from, so nothing waits.
HANDLE openToInspect(const QString& path, DWORD access) {
    return ::CreateFileW(wide(path).c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// What an open handle is when it is not a regular file; empty for a regular file.
QString nonRegularText(HANDLE h) {
    switch (::GetFileType(h)) {
        case FILE_TYPE_DISK: {
            BY_HANDLE_FILE_INFORMATION info;
            if (::GetFileInformationByHandle(h, &info) &&
                (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                return u"это папка, а не файл"_s;
            return {};
        }
        case FILE_TYPE_PIPE:
            return u"это не обычный файл, а канал (FIFO)"_s;
        case FILE_TYPE_CHAR:
            return u"это не обычный файл, а устройство"_s;
        default:
            return u"это не обычный файл"_s;
    }
}

FileProblem problemOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return FileProblem::NotFound;
        case ERROR_ACCESS_DENIED:
            return FileProblem::NoAccess;
        case ERROR_CANT_RESOLVE_FILENAME:
            return FileProblem::LinkLoop;
        default:
            return FileProblem::Failed;
    }
}

QString identityOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return QString::number(info.dwVolumeSerialNumber) + u':' +
           QString::number((quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
}

// The stamp of a file of these bytes that the system describes so.
FileStamp stampOf(const BY_HANDLE_FILE_INFORMATION& info, const QByteArray& bytes) {
    // FILETIME counts 100 ns from 1601-01-01.
    constexpr qint64 kUnixEpoch = 116444736000000000LL;
    const qint64 written = static_cast<qint64>(
        (quint64(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime);
    FileStamp stamp;
    stamp.identity = identityOf(info);
    stamp.size = bytes.size();
    stamp.modified = (written - kUnixEpoch) / 10000;
    stamp.bytes = bytes;
    return stamp;
}

FileRead openFailure(DWORD error) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return readFailure(FileProblem::NotFound, u"файл не найден"_s);
    if (error == ERROR_ACCESS_DENIED)
        return readFailure(FileProblem::NoAccess, u"нет прав на чтение файла"_s);
    return readFailure(problemOf(error), describeSystemError(int(error)));
}

// The file that writing to path reaches: the end of its links, or path itself when nothing is
// there yet.
QString resolveForWriting(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() || info.isJunction()) {
        const QString target = info.canonicalFilePath();
        return target.isEmpty() ? info.symLinkTarget() : target;
    }
    return info.absoluteFilePath();
}

}  // namespace

FileRead readRegularFile(const QString& path, qint64 maxBytes, FileStamp* stamp) {
    if (stamp) *stamp = {};
    if (path.isEmpty()) return readFailure(FileProblem::NotFound, u"имя файла не указано"_s);
    Handle file(openToInspect(path, GENERIC_READ));
    if (!file.valid()) return openFailure(::GetLastError());
    if (const QString what = nonRegularText(file.get()); !what.isEmpty())
        return readFailure(FileProblem::NotRegular, what);
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.get(), &size))
        return readFailure(FileProblem::Failed, describeSystemError(int(::GetLastError())));
    if (size.QuadPart > maxBytes) return readFailure(FileProblem::TooLarge, tooLarge(maxBytes));

    FileRead result;
    QByteArray& bytes = result.bytes;
    const qint64 limit = maxBytes + 1;
    bytes.resize(static_cast<qsizetype>(std::min<qint64>(limit, size.QuadPart + 1)));
    qint64 done = 0;
    while (done < limit) {
        if (done == bytes.size())
            bytes.resize(static_cast<qsizetype>(std::min<qint64>(limit, 2 * done + 4096)));
        const DWORD chunk = static_cast<DWORD>(std::min<qint64>(bytes.size() - done, 1 << 30));
        DWORD n = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, chunk, &n, nullptr))
            return readFailure(FileProblem::Failed,
                               u"ошибка чтения: "_s + describeSystemError(int(::GetLastError())));
        if (n == 0) break;
        done += n;
    }
    if (done > maxBytes) return readFailure(FileProblem::TooLarge, tooLarge(maxBytes));
    bytes.truncate(static_cast<qsizetype>(done));
    if (BY_HANDLE_FILE_INFORMATION info; stamp && ::GetFileInformationByHandle(file.get(), &info))
        *stamp = stampOf(info, bytes);
    return result;
}

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* reason,
                         FileStamp* stamp) {
    const auto fail = [reason](const QString& why) {
        if (reason) *reason = why;
        return false;
    };
    if (path.isEmpty()) return fail(u"имя файла не указано"_s);
    if (path.endsWith(u'/') || path.endsWith(u'\\')) {
        if (QFileInfo(path).isDir()) return fail(u"это папка, а не файл"_s);
        return fail(u"имя файла не указано: путь кончается знаком «\\»"_s);
    }
    const QString target = resolveForWriting(path);
    const QString folder = QFileInfo(target).absolutePath();
    {
        Handle old(openToInspect(target, 0));
        if (old.valid()) {
            // Only a regular file is ever replaced.
            if (const QString what = nonRegularText(old.get()); !what.isEmpty()) return fail(what);
            BY_HANDLE_FILE_INFORMATION info;
            if (::GetFileInformationByHandle(old.get(), &info) &&
                (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY))
                return fail(u"файл защищен от записи"_s);
        } else if (const DWORD error = ::GetLastError();
                   error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            return fail(describeSystemError(int(error), folder));
        }
    }

    // A new file with a short name beside the target.
    static constexpr char16_t kLetters[] =
        u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = folder + u"/.vardo-"_s;
        for (int i = 0; i < 6; ++i)
            temporary +=
                QChar(kLetters[QRandomGenerator::global()->bounded(int(std::size(kLetters) - 1))]);
        created = ::CreateFileW(wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE) {
            error = ::GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
        }
    }
    if (created == INVALID_HANDLE_VALUE) return fail(describeSystemError(int(error), folder));
    Handle file(created);
    const auto abandon = [&](DWORD why) {
        file.close();
        ::DeleteFileW(wide(temporary).c_str());
        return fail(describeSystemError(int(why), folder));
    };

    qsizetype done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(bytes.size() - done, 1 << 30));
        DWORD n = 0;
        if (!::WriteFile(file.get(), bytes.data() + done, chunk, &n, nullptr))
            return abandon(::GetLastError());
        if (n == 0) return abandon(ERROR_DISK_FULL);
        done += n;
    }
    if (!::FlushFileBuffers(file.get())) return abandon(::GetLastError());
    if (const DWORD closeError = file.close()) return abandon(closeError);
    // The new name is on the disk when the call returns.
    if (!::MoveFileExW(wide(temporary).c_str(), wide(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return abandon(::GetLastError());
    if (stamp) {
        // The file that now has the name, looked at once its handle is closed: the time of the
        // last write is then final.
        Handle written(openToInspect(target, 0));
        BY_HANDLE_FILE_INFORMATION info;
        *stamp = written.valid() && ::GetFileInformationByHandle(written.get(), &info)
                     ? stampOf(info, bytes.toByteArray())
                     : FileStamp{};
    }
    return true;
}

QString describeNonRegular(const QString& path) {
    Handle h(openToInspect(path, 0));
    return h.valid() ? nonRegularText(h.get()) : QString();
}

bool isSameFile(const QString& a, const QString& b) {
    Handle ha(openToInspect(a, 0)), hb(openToInspect(b, 0));
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (!ha.valid() || !hb.valid() || !::GetFileInformationByHandle(ha.get(), &ia) ||
        !::GetFileInformationByHandle(hb.get(), &ib))
        return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

QString fileIdentity(const QString& path) {
    Handle h(openToInspect(path, 0));
    BY_HANDLE_FILE_INFORMATION info;
    if (!h.valid() || !::GetFileInformationByHandle(h.get(), &info)) return {};
    return identityOf(info);
}

#endif

FileStamp stampFile(const QString& path, qint64 maxBytes) {
    FileStamp stamp;
    readRegularFile(path, maxBytes, &stamp);
    return stamp;
}

}  // namespace vardo
