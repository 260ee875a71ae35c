#pragma once
// The mouse pointer of the About window's link labels: read from the cursor file "32761.CUR"
// (found by bare name: working directory, then beside the program); when the file cannot be read,
// the standard pointing hand, so the labels still look like links.

#include <optional>

#include <QByteArray>
#include <QCursor>
#include <QString>

namespace vardo::about {

inline constexpr char16_t kLinkCursorFile[] = u"32761.CUR";

// A Windows cursor file's first picture with its hotspot; nullopt when the bytes are not one.
std::optional<QCursor> cursorFromCurData(const QByteArray& data);

QCursor loadLinkCursor(const QString& bareName = QString::fromUtf16(kLinkCursorFile));

}  // namespace vardo::about
