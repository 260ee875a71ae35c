#include "core/visibletext.h"

#include <QChar>

namespace vardo {

using namespace Qt::Literals::StringLiterals;

namespace {

QString hex(char32_t value, int digits) {
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

// Walks text by code point; a surrogate without its partner is a code point of its own.
template <typename Show>
QString replaceUnseen(QStringView text, Show show) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        const bool pair =
            QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair) c = QChar::surrogateToUcs4(text[i], text[i + 1]);
        if (actsUnseen(c))
            out += show(c);
        else
            out += text.sliced(i, pair ? 2 : 1);
        if (pair) ++i;
    }
    return out;
}

bool isKeptByte(char32_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

}  // namespace

bool actsUnseen(char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;  // C0, DEL and C1 controls
    switch (QChar::category(c)) {
        case QChar::Other_Format:  // direction controls, zero-width characters, U+FEFF, ...
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        default:
            return c == QChar::ObjectReplacementCharacter;  // the place of an embedded object
    }
}

QString markedText(QStringView text) {
    return replaceUnseen(text, [](char32_t c) {
        return isKeptByte(c) ? u"[0x"_s + hex(c - 0xDC00, 2) + u']' : u"[U+"_s + hex(c, 4) + u']';
    });
}

QString terminalText(QStringView text) {
    return replaceUnseen(text, [](char32_t c) {
        switch (c) {
            case u'\n':
                return u"\\n"_s;
            case u'\r':
                return u"\\r"_s;
            case u'\t':
                return u"\\t"_s;
        }
        if (c < 0x80) return u"\\x"_s + hex(c, 2).toLower();
        if (isKeptByte(c)) return u"\\x"_s + hex(c - 0xDC00, 2).toLower();
        return c > 0xFFFF ? u"\\U"_s + hex(c, 8).toLower() : u"\\u"_s + hex(c, 4).toLower();
    });
}

}  // namespace vardo
