#pragma once
// The pick pointer: the mouse pointer over the fields whose click copies a value into them. It is
// the same cursor file the About window's links use, "32761.CUR", read by the windows' one reader
// (widgets/cursorfile.h); when the
// file cannot be read the fields get the pointing hand, which still differs from the standard
// pointers.

#include <QCursor>

#include "widgets/cursorfile.h"

namespace vardo::mainwindow {

using widgets::cursorFromCurData;

inline QCursor loadPickCursor(const QStringList& dataFolders) {
    return widgets::loadCursorFile(QString::fromUtf16(widgets::kCursorFile), dataFolders);
}
inline QCursor fallbackPickCursor() {
    return QCursor(Qt::PointingHandCursor);
}

}  // namespace vardo::mainwindow
