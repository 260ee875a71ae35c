#pragma once
// The mouse pointer of the About window's link labels: the cursor file "32761.CUR" through the
// windows' one reader (widgets/cursorfile.h); when the file cannot be read, the standard pointing
// hand, so the labels still look like links.

#include "widgets/cursorfile.h"

namespace vardo::about {

using widgets::cursorFromCurData;
inline constexpr const char16_t* kLinkCursorFile = widgets::kCursorFile;

inline QCursor loadLinkCursor(const QString& bareName = QString::fromUtf16(widgets::kCursorFile)) {
    return widgets::loadCursorFile(bareName);
}

}  // namespace vardo::about
