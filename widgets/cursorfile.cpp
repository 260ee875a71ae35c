#include "widgets/cursorfile.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <QtEndian>

#include "core/datafile.h"
#include "core/safefile.h"

namespace vardo::widgets {

namespace {

// The directory of an icon or cursor file: a 6-byte header (reserved 0, type 2 for a cursor,
// image count) and 16-byte entries; in a cursor's entry, bytes 4..7 hold the hotspot's x and y.
constexpr int kHeaderSize = 6;
constexpr int kEntrySize = 16;
// A cursor file is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxFileSize = 1 << 20;

}  // namespace

std::optional<QCursor> cursorFromCurData(const QByteArray& data) {
    if (data.size() < kHeaderSize + kEntrySize) return std::nullopt;
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    if (qFromLittleEndian<quint16>(bytes) != 0 || qFromLittleEndian<quint16>(bytes + 2) != 2 ||
        qFromLittleEndian<quint16>(bytes + 4) == 0)
        return std::nullopt;
    const uchar* entry = bytes + kHeaderSize;
    const int hotX = qFromLittleEndian<quint16>(entry + 4);
    const int hotY = qFromLittleEndian<quint16>(entry + 6);

    // Qt's icon reader reads the same layout marked as an icon; the hotspot is applied here.
    QByteArray asIcon = data;
    asIcon[2] = 1;
    asIcon[3] = 0;
    QBuffer buffer(&asIcon);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    if (image.isNull() || hotX >= image.width() || hotY >= image.height()) return std::nullopt;
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}

QCursor loadCursorFile(const QString& bareName, const QStringList& folders) {
    // Only a regular file, and only as much as a cursor can be: a FIFO under this name must not
    // stop the start-up, nor a link to an endless device fill the memory.
    const FileRead file = readRegularFile(
        folders.isEmpty() ? locateDataFile(bareName) : locateDataFile(bareName, folders),
        kMaxFileSize);
    if (file.ok()) {
        if (std::optional<QCursor> cursor = cursorFromCurData(file.bytes)) return *cursor;
    }
    return QCursor(Qt::PointingHandCursor);
}

}  // namespace vardo::widgets
