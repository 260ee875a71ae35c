#pragma once
// Texts from users and files shown so that nothing in them acts on what is around them.
//
// A character that changes how other text is shown without being seen itself (a direction
// control such as U+202E, a zero-width character, U+FEFF and every other format character, a
// line or paragraph separator, a control character such as ESC or a line feed, half of a
// surrogate pair, a private-use character) could reorder a printed line ("имя", U+202E, "fdp.vardo"
// read as "имяodrav.pdf"), clear a terminal or forge a line of output. Each is replaced by a
// visible mark; every other character is kept as it is. A byte of a file name that is not UTF-8
// (kept as U+DC80..U+DCFF, see fileNameFromBytes in safefile.h) is shown as that byte.
//
//   markedText:   "имя[U+202E]fdp.vardo", "a[0xFF].vardo"   (the report)
//   terminalText: "имя\u202efdp.vardo", "a\xff.vardo", "a\nb", "\x1b[2J"   (terminal lines)

#include <QString>
#include <QStringView>

namespace vardo {

// True for a character that acts unseen (the list above).
bool actsUnseen(char32_t character);

QString markedText(QStringView text);
QString terminalText(QStringView text);

}  // namespace vardo
