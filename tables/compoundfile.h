#pragma once
// The streams of an OLE2 compound file, the container an Excel 97 workbook is saved in.
//
// A compound file is a little file system in sectors of 512 or 4096 bytes: a header, the sector
// allocation table (FAT, its sectors listed by the header and by extra DIFAT sectors), a directory
// of 128-byte entries whose storages hold their children as a red-black tree, and a mini stream of
// 64-byte sectors (with its own mini FAT) for the streams under 4096 bytes. Only the streams of the
// root storage are read, and only from memory. Every index and length is checked against the file,
// and every chain of sectors and of directory entries is followed at most once through each link:
// a damaged or hostile file is refused, never read outside its bytes or in circles.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

namespace vardo::tables {

class CompoundFile {
  public:
    // Reads the header, the allocation tables, the mini stream and the entries of the root storage
    // of the compound file in file; false when any of them is damaged or the bytes are not a
    // compound file. The bytes must outlive the object.
    bool open(QByteArrayView file);

    // Whether the root storage holds an entry of this name (any case: names in a compound file do
    // not differ by case only).
    bool contains(QStringView name) const;

    enum class Stream {
        Read,     // data holds the whole stream
        Absent,   // no entry of this name in the root storage
        Damaged,  // the entry is not a stream, or its sectors do not hold its size
    };
    // The stream of this name in the root storage.
    Stream read(QStringView name, QByteArray* data) const;

  private:
    struct Entry {
        QString name;
        int type = 0;  // 1 storage, 2 stream
        quint32 start = 0;
        quint64 size = 0;
    };

    bool readFat();
    bool readDirectory();
    quint64 entrySize(const char* entry) const;
    bool readChain(const QList<quint32>& table, quint32 start, quint64 size, bool mini,
                   QByteArray* data) const;
    QList<quint32> chain(const QList<quint32>& table, quint32 start, qsizetype limit,
                         bool* ok) const;
    const char* sector(quint32 index) const;

    QByteArrayView file_;
    qsizetype sectorSize_ = 0;
    QList<quint32> fat_;
    QList<quint32> miniFat_;
    QByteArray miniStream_;
    QList<Entry> entries_;  // the root storage's children
};

}  // namespace vardo::tables
