#pragma once
// The main window's tab order as a user reads the window: within each container, rows from top
// to bottom and each row from left to right, a frame's controls where the frame lies. Hidden
// controls keep their place in the order and are passed over by the toolkit while hidden, so the
// order stays right whichever panels are shown.

#include <QList>

class QWidget;

namespace vardo::mainwindow {

// Controls whose tops differ by less than this many pixels lie in one row.
inline constexpr int kRowTolerance = 10;

// The controls of window that take the focus with Tab, in reading order.
QList<QWidget*> readingOrder(QWidget* window);

// Sets the tab order of window's controls to their reading order.
void orderTabsByLayout(QWidget* window);

// The first field of window in reading order that the user can type into (shown, enabled, not
// read-only); none when there is none.
QWidget* firstInputField(QWidget* window);

}  // namespace vardo::mainwindow
