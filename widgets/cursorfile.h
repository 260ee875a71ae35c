#pragma once
// Mouse pointers read from a Windows cursor file ("32761.CUR"): the main window's pick pointer and
// the About window's links use the same file and this one reader. The file is found by bare name
// (core/datafile.h) and read as a regular file of at most a megabyte; when it cannot be read the
// pointing hand stands in, which still differs from the standard pointers.

#include <QByteArray>
#include <QCursor>
#include <QString>
#include <QStringList>
#include <optional>

namespace vardo::widgets {

inline constexpr char16_t kCursorFile[] = u"32761.CUR";

// A Windows cursor file's first picture with its hotspot; nullopt when the bytes are not one.
std::optional<QCursor> cursorFromCurData(const QByteArray& data);

// The cursor file bareName of the data folders (locateDataFile), or the pointing hand when it
// cannot be read; folders, when given, are the data folders already taken.
QCursor loadCursorFile(const QString& bareName = QString::fromUtf16(kCursorFile),
                       const QStringList& folders = {});

}  // namespace vardo::widgets
