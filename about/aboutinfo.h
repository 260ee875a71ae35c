#pragma once
// The texts of the About window that name the program's authors and where to reach them, in one
// place. The addresses lie under the reserved .example domain.

#include <QString>

namespace vardo::about {

// Label1: "автор:" and the author's name, wrapping onto a second line.
inline QString authorLine() {
    return QStringLiteral("автор: разработчики программы Vardo");
}
// Label4: the author's first name, as a signature.
inline QString authorFirstName() {
    return QStringLiteral("Vardo");
}
// Label2: the web address as shown.
inline QString webAddressText() {
    return QStringLiteral("www.vardo.example");
}
// The page that a click on Label2 opens.
inline QString webPageUrl() {
    return QStringLiteral("https://www.vardo.example/");
}
// Label3: the e-mail address, shown and used for the mail link.
inline QString emailAddress() {
    return QStringLiteral("dev@vardo.example");
}

}  // namespace vardo::about
