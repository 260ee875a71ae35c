#include "mainwindow/windowsdirectory.h"

#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vardo::mainwindow {

namespace {
constexpr int kBufferSize = 20;
}

QString windowsDirectoryFromBuffer(const char* buffer, int bufferSize, unsigned returned) {
    // A returned length not below the buffer's size is the size the call would need: nothing was
    // written, the value is empty.
    if (returned >= static_cast<unsigned>(bufferSize)) return {};
    const int n = static_cast<int>(returned);
    return QString::fromLocal8Bit(buffer, n).trimmed();
}

QString readWindowsDirectory() {
    char buffer[kBufferSize + 1];
    std::memset(buffer, ' ', kBufferSize);
    buffer[kBufferSize] = '\0';
#ifdef Q_OS_WIN
    const UINT n = GetWindowsDirectoryA(buffer, kBufferSize);
    return windowsDirectoryFromBuffer(buffer, kBufferSize, n);
#else
    return windowsDirectoryFromBuffer(buffer, kBufferSize, 0);
#endif
}

}  // namespace vardo::mainwindow
