#pragma once
// The pick pointer: the mouse pointer over the fields whose click copies a value into them. It is
// the same cursor file the About window's links use, "32761.CUR", read by the same reader; when the
// file cannot be read the fields get the pointing hand, which still differs from the standard
// pointers.

#include <QCursor>

#include "about/linkcursor.h"

namespace vardo::mainwindow {

using about::cursorFromCurData;

inline QCursor loadPickCursor() {
    return about::loadLinkCursor();
}
inline QCursor fallbackPickCursor() {
    return QCursor(Qt::PointingHandCursor);
}

}  // namespace vardo::mainwindow
