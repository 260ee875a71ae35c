#pragma once
// The Windows directory, read once at start-up; the system calculator is started from it.

#include <QString>

namespace vardo::mainwindow {

// A buffer of 20 blanks is handed to the system with its size; of the length n returned, the first
// n characters, trimmed of blanks, are the value. A directory of 20 characters or more does not
// fit and gives an empty value. Outside Windows there is no such directory: empty.
QString readWindowsDirectory();

// The same rule over a system call's answer, so that it can be checked everywhere: the buffer after
// the call and the length the call returned.
QString windowsDirectoryFromBuffer(const char* buffer, int bufferSize, unsigned returned);

}  // namespace vardo::mainwindow
