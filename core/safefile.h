#pragma once
// Every file the program reads or writes goes through here.
//
//   readRegularFile:     open without blocking --fstat--> only a regular file, at most maxBytes
//   writeFileAtomically: the real file behind any links --> a temporary file beside it (on
//                        Linux without a name until complete), every byte written and synced
//                        --> renamed over the old file, the folder synced
//
// Reading never waits on a FIFO or a device and never takes more memory than its bound. Writing
// never replaces anything that is not a regular file and never leaves half a file: on any
// failure the old file keeps its bytes and the temporary file is removed. Every failure comes
// back as a Russian phrase that can follow the file's name in a message ("на диске нет места");
// no text of the operating system reaches the user.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vardo {

enum class FileProblem {
    None,
    NotFound,    // no such file (or a link to nothing)
    NotRegular,  // a folder, a FIFO, a device, a socket
    LinkLoop,    // symbolic links that lead back to themselves
    NoAccess,    // no permission
    TooLarge,    // more than the bound
    Failed,      // any other failure of the system: a read error, no space, ...
};

struct FileRead {
    QByteArray bytes;
    FileProblem problem = FileProblem::None;
    QString reason;  // empty when problem is None

    bool ok() const { return problem == FileProblem::None; }
};

struct FileStamp;

// The whole file at path if it is a regular file of at most maxBytes bytes. TooLarge is told
// before the file is read; at most maxBytes + 1 bytes are ever read. When stamp is given it gets
// the stamp of the file read (empty on failure), taken from the same open file, so that the
// file need not be looked at again.
FileRead readRegularFile(const QString& path, qint64 maxBytes, FileStamp* stamp = nullptr);

// Replaces the file at path (or the file its symbolic links lead to) with bytes, or creates it.
// On failure returns false, *reason says why, and whatever was at path is as it was. When stamp
// is given and the file was written, it gets the stamp of the new file.
bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* reason,
                         FileStamp* stamp = nullptr);

// What the file at path is when it is not a regular file ("это папка, а не файл", "это не обычный
// файл, а канал (FIFO)", ...); empty for a regular file or when nothing is there.
QString describeNonRegular(const QString& path);

// What a file was when the program last read or wrote it: enough to tell that another program
// has changed, replaced or deleted it since. Empty (no identity) when no regular file of at most
// the bound was there.
struct FileStamp {
    QString identity;  // fileIdentity: another file put in its place has another
    qint64 size = -1;
    qint64 modified = 0;  // ms since the epoch
    QByteArray bytes;     // the contents: a change within the same millisecond and size

    bool isEmpty() const { return identity.isEmpty(); }
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampFile(const QString& path, qint64 maxBytes);

// The Russian text of a system error number, e.g. ENOSPC -> "на диске нет места". folder, when
// given, is named where the error concerns it ("нет папки «…»").
QString describeSystemError(int errorNumber, const QString& folder = QString());

// A file name as the system holds it (bytes) and as the program holds it (a QString), with every
// byte kept both ways: UTF-8 is decoded as usual, and each byte that is not part of a UTF-8
// sequence becomes the lone surrogate U+DC80 + (byte - 0x80), which turns back into that byte.
// Qt's own conversion turns such a byte into U+FFFD, and the file could no longer be named. On
// Windows names are UTF-16 already and these are Qt's conversions.
QString fileNameFromBytes(const QByteArray& bytes);
QByteArray fileNameToBytes(const QString& name);

// Two paths name the same file (through links, ".." or hard links); false when either is missing.
bool isSameFile(const QString& a, const QString& b);
// What makes the file at path the file it is, whatever path leads to it (links, "..", hard
// links): equal for two paths exactly when isSameFile says so, so that many paths are compared in
// a hash set. Empty when nothing is there.
QString fileIdentity(const QString& path);

}  // namespace vardo
