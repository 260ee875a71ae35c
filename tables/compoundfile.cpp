#include "tables/compoundfile.h"

#include <QtEndian>

#include <cstring>
#include <vector>

namespace vardo::tables {

namespace {

constexpr QByteArrayView kSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr qsizetype kHeaderSize = 512;
constexpr int kHeaderDifatEntries = 109;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kNoEntry = 0xFFFFFFFF;
constexpr qsizetype kEntrySize = 128;
constexpr qsizetype kMiniSectorSize = 64;
constexpr quint64 kMiniStreamCutoff = 4096;
constexpr int kStorage = 1;
constexpr int kStream = 2;
constexpr int kRoot = 5;

quint16 u16(const char* at) {
    return qFromLittleEndian<quint16>(at);
}
quint32 u32(const char* at) {
    return qFromLittleEndian<quint32>(at);
}

}  // namespace

bool CompoundFile::open(QByteArrayView file) {
    *this = CompoundFile();
    file_ = file;
    if (file.size() < kHeaderSize || !file.startsWith(kSignature)) return false;
    const char* header = file.data();
    const quint16 sectorShift = u16(header + 30);
    if (u16(header + 28) != 0xFFFE || (sectorShift != 9 && sectorShift != 12)) return false;
    if (u16(header + 32) != 6 || u32(header + 56) != kMiniStreamCutoff) return false;
    sectorSize_ = qsizetype(1) << sectorShift;
    // The header takes the whole first sector; sector 0 follows it.
    if (file.size() < 2 * sectorSize_) return false;
    if (!readFat()) return false;

    bool ok = false;
    const QList<quint32> miniFatSectors = chain(fat_, u32(header + 60), fat_.size() + 1, &ok);
    if (!ok) return false;
    for (const quint32 s : miniFatSectors) {
        const char* bytes = sector(s);
        if (!bytes) return false;
        for (qsizetype i = 0; i < sectorSize_ / 4; ++i) miniFat_.append(u32(bytes + 4 * i));
    }
    return readDirectory();
}

// The FAT sectors are listed by the header (the first 109) and then by a chain of DIFAT sectors,
// each listing as many as it holds but one and ending with the next DIFAT sector.
bool CompoundFile::readFat() {
    const char* header = file_.data();
    const qsizetype sectorsInFile = file_.size() / sectorSize_ - 1;
    const quint32 fatSectors = u32(header + 44);
    if (fatSectors == 0 || fatSectors > quint64(sectorsInFile)) return false;
    QList<quint32> list;
    for (int i = 0; i < kHeaderDifatEntries && list.size() < fatSectors; ++i)
        list.append(u32(header + 76 + 4 * i));
    // A sector is a FAT or a DIFAT sector once only: a repeated one is a loop.
    std::vector<bool> seen(sectorsInFile);
    quint32 difat = u32(header + 68);
    while (list.size() < fatSectors) {
        const char* bytes = sector(difat);
        if (!bytes || seen[difat]) return false;
        seen[difat] = true;
        for (qsizetype i = 0; i < sectorSize_ / 4 - 1 && list.size() < fatSectors; ++i)
            list.append(u32(bytes + 4 * i));
        difat = u32(bytes + sectorSize_ - 4);
    }
    fat_.reserve(list.size() * (sectorSize_ / 4));
    for (const quint32 s : list) {
        const char* bytes = sector(s);
        if (!bytes || seen[s]) return false;
        seen[s] = true;
        for (qsizetype i = 0; i < sectorSize_ / 4; ++i) fat_.append(u32(bytes + 4 * i));
    }
    return true;
}

bool CompoundFile::readDirectory() {
    bool ok = false;
    const QList<quint32> sectors = chain(fat_, u32(file_.data() + 48), fat_.size() + 1, &ok);
    if (!ok || sectors.isEmpty()) return false;
    QByteArray directory;
    for (const quint32 s : sectors) {
        const char* bytes = sector(s);
        if (!bytes) return false;
        directory.append(bytes, sectorSize_);
    }
    const qsizetype count = directory.size() / kEntrySize;
    const char* root = directory.constData();
    if (root[66] != kRoot) return false;
    // The root entry's stream is the mini stream.
    if (!readChain(fat_, u32(root + 116), entrySize(root), false, &miniStream_)) return false;

    // The root storage's children: a tree through the left and right siblings from its child.
    std::vector<bool> seen(count);
    seen[0] = true;
    QList<quint32> pending{u32(root + 76)};
    while (!pending.isEmpty()) {
        const quint32 id = pending.takeLast();
        if (id == kNoEntry) continue;
        if (id >= quint64(count) || seen[id]) return false;
        seen[id] = true;
        const char* at = root + id * kEntrySize;
        const int nameBytes = u16(at + 64);
        const int type = at[66];
        if (type != kStorage && type != kStream) return false;
        // A name of up to 31 UTF-16 characters and its terminating zero.
        if (nameBytes < 2 || nameBytes > 64 || nameBytes % 2 != 0 || u16(at + nameBytes - 2) != 0)
            return false;
        Entry entry;
        for (int i = 0; i < nameBytes / 2 - 1; ++i) entry.name.append(QChar(u16(at + 2 * i)));
        entry.type = type;
        entry.start = u32(at + 116);
        entry.size = entrySize(at);
        entries_.append(entry);
        pending << u32(at + 68) << u32(at + 72);
    }
    return true;
}

// Files of 512-byte sectors may leave garbage in the high half of a size; their streams are
// smaller than 2 GB.
quint64 CompoundFile::entrySize(const char* entry) const {
    const quint64 size = qFromLittleEndian<quint64>(entry + 120);
    return sectorSize_ == 512 ? (size & 0xFFFFFFFFu) : size;
}

bool CompoundFile::contains(QStringView name) const {
    for (const Entry& entry : entries_)
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

CompoundFile::Stream CompoundFile::read(QStringView name, QByteArray* data) const {
    data->clear();
    for (const Entry& entry : entries_) {
        if (entry.name.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (entry.type != kStream) return Stream::Damaged;
        const bool mini = entry.size < kMiniStreamCutoff;
        if (!readChain(mini ? miniFat_ : fat_, entry.start, entry.size, mini, data)) {
            data->clear();
            return Stream::Damaged;
        }
        return Stream::Read;
    }
    return Stream::Absent;
}

// The size bytes of a stream from its chain of sectors (mini: of mini sectors in the mini stream).
// The chain must hold them all; sectors linked after them are not read.
bool CompoundFile::readChain(const QList<quint32>& table, quint32 start, quint64 size, bool mini,
                             QByteArray* data) const {
    const QByteArrayView base = mini ? QByteArrayView(miniStream_) : file_;
    const qsizetype unit = mini ? kMiniSectorSize : sectorSize_;
    // A stream lies inside its file; a larger size would only take memory before failing.
    if (size > quint64(base.size())) return false;
    const qsizetype needed = qsizetype((size + unit - 1) / unit);
    bool ok = false;
    const QList<quint32> sectors = chain(table, start, needed, &ok);
    if (!ok || sectors.size() < needed) return false;
    data->resize(qsizetype(size));
    qsizetype done = 0;
    for (const quint32 s : sectors) {
        const quint64 offset = (quint64(s) + (mini ? 0 : 1)) * quint64(unit);
        const qsizetype length = qMin(unit, qsizetype(size) - done);
        if (offset + quint64(length) > quint64(base.size())) return false;
        std::memcpy(data->data() + done, base.data() + qsizetype(offset), size_t(length));
        done += length;
    }
    return true;
}

// The sectors of the chain from start in the table, at most limit of them. ok is false when a
// link leaves the table or comes back to a sector of the chain.
QList<quint32> CompoundFile::chain(const QList<quint32>& table, quint32 start, qsizetype limit,
                                   bool* ok) const {
    QList<quint32> sectors;
    std::vector<bool> seen(table.size());
    for (quint32 s = start; s != kEndOfChain && sectors.size() < limit; s = table[s]) {
        if (s >= quint64(table.size()) || seen[s]) {
            *ok = false;
            return {};
        }
        seen[s] = true;
        sectors.append(s);
    }
    *ok = true;
    return sectors;
}

// A whole sector of the file, or null when it is not all there.
const char* CompoundFile::sector(quint32 index) const {
    const quint64 offset = (quint64(index) + 1) * quint64(sectorSize_);
    if (offset + quint64(sectorSize_) > quint64(file_.size())) return nullptr;
    return file_.data() + qsizetype(offset);
}

}  // namespace vardo::tables
