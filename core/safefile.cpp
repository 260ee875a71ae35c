#include "core/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <utility>

#ifdef Q_OS_WIN
#include <QSaveFile>
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
    Q_UNUSED(folder);
    return u"системная ошибка № %1"_s.arg(errorNumber);
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

// A new empty file with a short name in folder, readable and writable as a new file of the user
// is (the umask applies): the name of the target may already be as long as names can be.
int createTemporary(const QByteArray& folder, QByteArray* name) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray candidate = folder + "/.vardo-";
        for (int i = 0; i < 6; ++i)
            candidate += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
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

}  // namespace

FileRead readRegularFile(const QString& path, qint64 maxBytes) {
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
    return result;
}

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* reason) {
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
    QByteArray temporary;
    const int fd = createTemporary(nativeFolder, &temporary);
    if (fd < 0) return fail(describeSystemError(errno, folder));
    Descriptor file(fd);
    const auto abandon = [&](int error) {
        const QString why = describeSystemError(error, folder);
        file.close();
        ::unlink(temporary.constData());
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
    return true;
}

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

#else  // Q_OS_WIN: no FIFOs to hang on; Qt's own checks, every step of the save checked.

FileRead readRegularFile(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return readFailure(FileProblem::NotFound, u"файл не найден"_s);
    if (info.isDir()) return readFailure(FileProblem::NotRegular, u"это папка, а не файл"_s);
    if (!info.isFile()) return readFailure(FileProblem::NotRegular, u"это не обычный файл"_s);
    if (info.size() > maxBytes) return readFailure(FileProblem::TooLarge, tooLarge(maxBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(FileProblem::NoAccess, u"нет прав на чтение файла"_s);
    FileRead result;
    result.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return readFailure(FileProblem::Failed, u"ошибка чтения файла"_s);
    if (result.bytes.size() > maxBytes)
        return readFailure(FileProblem::TooLarge, tooLarge(maxBytes));
    return result;
}

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* reason) {
    const auto fail = [reason](const QString& why) {
        if (reason) *reason = why;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return fail(u"это не обычный файл"_s);
    QSaveFile file(info.exists() ? info.canonicalFilePath() : path);
    if (!file.open(QIODevice::WriteOnly)) return fail(u"файл не удалось создать"_s);
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return fail(u"файл не удалось записать: на диске нет места или нет доступа"_s);
    }
    if (!file.commit())
        return fail(u"файл не удалось записать: на диске нет места или нет доступа"_s);
    return true;
}

QString describeNonRegular(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isFile()) return {};
    return info.isDir() ? u"это папка, а не файл"_s : u"это не обычный файл"_s;
}

bool isSameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
}

#endif

}  // namespace vardo
