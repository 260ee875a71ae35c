#include "document/jsontext.h"

#include <QChar>
#include <algorithm>

namespace vardo::document {

namespace {

char hex(unsigned digit) {
    return "0123456789abcdef"[digit & 0xf];
}

// A character Qt writes as it is: printable ASCII but the quote and the backslash.
bool plain(char16_t c) {
    return c >= 0x20 && c < 0x80 && c != u'"' && c != u'\\';
}

}  // namespace

JsonText::JsonText() {
    bytes_.reserve(8192);
}

void JsonText::open() {
    bytes_ += "{\n";
    ++depth_;
    first_ = true;
}

void JsonText::close() {
    if (!first_) bytes_ += '\n';
    --depth_;
    bytes_.append(4 * depth_, ' ');
    bytes_ += '}';
    first_ = false;
}

void JsonText::key(QStringView name) {
    // Written straight into room for the longest the key could take: each UTF-16 unit gives at
    // most six bytes.
    const qsizetype size = bytes_.size();
    bytes_.resize(size + 8 + 4 * depth_ + 6 * name.size());
    char* out = bytes_.data() + size;
    if (!first_) {
        *out++ = ',';
        *out++ = '\n';
    }
    first_ = false;
    out = std::fill_n(out, 4 * depth_, ' ');
    *out++ = '"';
    out = escape(out, name);
    *out++ = '"';
    *out++ = ':';
    *out++ = ' ';
    bytes_.truncate(out - bytes_.constData());
}

void JsonText::string(QStringView text) {
    const qsizetype size = bytes_.size();
    bytes_.resize(size + 2 + 6 * text.size());
    char* out = bytes_.data() + size;
    *out++ = '"';
    out = escape(out, text);
    *out++ = '"';
    bytes_.truncate(out - bytes_.constData());
}

void JsonText::number(qint64 n) {
    bytes_ += QByteArray::number(n);
}

void JsonText::boolean(bool on) {
    bytes_ += on ? "true" : "false";
}

void JsonText::null() {
    bytes_ += "null";
}

QByteArray JsonText::take() {
    bytes_ += '\n';
    return std::move(bytes_);
}

char* JsonText::escape(char* out, QStringView text) {
    const char16_t* at = text.utf16();
    const char16_t* const end = at + text.size();
    while (at != end) {
        const char16_t u = *at++;
        if (plain(u)) {
            *out++ = char(u);
        } else if (u < 0x80) {
            *out++ = '\\';
            switch (u) {
                case u'"':
                    *out++ = '"';
                    break;
                case u'\\':
                    *out++ = '\\';
                    break;
                case 0x8:
                    *out++ = 'b';
                    break;
                case 0xc:
                    *out++ = 'f';
                    break;
                case 0xa:
                    *out++ = 'n';
                    break;
                case 0xd:
                    *out++ = 'r';
                    break;
                case 0x9:
                    *out++ = 't';
                    break;
                default:
                    *out++ = 'u';
                    *out++ = '0';
                    *out++ = '0';
                    *out++ = hex(u >> 4);
                    *out++ = hex(u);
            }
        } else if (u < 0x800) {
            *out++ = char(0xc0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3f));
        } else if (!QChar::isSurrogate(u)) {
            *out++ = char(0xe0 | (u >> 12));
            *out++ = char(0x80 | ((u >> 6) & 0x3f));
            *out++ = char(0x80 | (u & 0x3f));
        } else if (QChar::isHighSurrogate(u) && at != end && QChar::isLowSurrogate(*at)) {
            const char32_t code = QChar::surrogateToUcs4(u, *at++);
            *out++ = char(0xf0 | (code >> 18));
            *out++ = char(0x80 | ((code >> 12) & 0x3f));
            *out++ = char(0x80 | ((code >> 6) & 0x3f));
            *out++ = char(0x80 | (code & 0x3f));
        } else {
            // A surrogate without its pair is no UTF-8: its escape keeps it.
            *out++ = '\\';
            *out++ = 'u';
            for (int shift = 12; shift >= 0; shift -= 4) *out++ = hex(u >> shift);
        }
    }
    return out;
}

}  // namespace vardo::document
