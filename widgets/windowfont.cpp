#include "widgets/windowfont.h"

#include <QFontDatabase>

namespace vardo::widgets {

using namespace Qt::Literals::StringLiterals;

QStringList wantedFamilies() {
    return {u"MS Sans Serif"_s, u"Microsoft Sans Serif"_s, u"Liberation Sans"_s, u"Arial"_s,
            u"DejaVu Sans"_s};
}

const QStringList& windowFamilies() {
    static const QStringList families = [] {
        const QStringList wanted = wantedFamilies();
        const QStringList installed = QFontDatabase::families();
        for (const QString& family : wanted)
            if (installed.contains(family, Qt::CaseInsensitive)) return QStringList{family};
        return wanted;  // none installed: Qt's nearest match, as with the whole list
    }();
    return families;
}

QFont windowFont(double pointSize, bool bold, bool italic) {
    QFont font;
    font.setFamilies(windowFamilies());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

}  // namespace vardo::widgets
