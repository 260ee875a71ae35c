#include "document/designlengths.h"

#include "core/numbertext.h"

namespace vardo::document {

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Token { Number, Range, Separator };

struct Lexeme {
    Token token;
    Fixed value;
};

bool isRangeMark(QChar c) {
    return c == u'-' || c == u'\u2012' || c == u'\u2013' || c == u'\u2014' || c == u'\u2212' ||
           c == u'\u2026';
}

bool isSeparator(QChar c) {
    return c == u',' || c == u';' || c == u'/';
}

// A word at i, matched whole (not the start of a longer word).
bool wordAt(QStringView text, qsizetype i, QStringView word) {
    if (!text.mid(i).startsWith(word, Qt::CaseInsensitive)) return false;
    const qsizetype end = i + word.size();
    return end == text.size() || !text[end].isLetter();
}

// Digits with commas or points between digit groups. One mark: a decimal number; several commas:
// a list of whole numbers; anything else: nothing.
bool readNumbers(QStringView text, qsizetype& i, QList<Lexeme>& out) {
    QList<QStringView> groups;
    QList<QChar> marks;
    qsizetype start = i;
    while (i < text.size() && text[i].isDigit()) ++i;
    groups << text.sliced(start, i - start);
    while (i + 1 < text.size() && (text[i] == u',' || text[i] == u'.') && text[i + 1].isDigit()) {
        marks << text[i];
        start = ++i;
        while (i < text.size() && text[i].isDigit()) ++i;
        groups << text.sliced(start, i - start);
    }
    const auto push = [&out](const QString& number) {
        const std::optional<Fixed> value = parseFixed(number);
        if (!value) return false;
        out.push_back({Token::Number, *value});
        return true;
    };
    if (marks.isEmpty()) return push(groups[0].toString());
    if (marks.size() == 1) return push(groups[0].toString() + u',' + groups[1].toString());
    for (QChar m : marks)
        if (m != u',') return false;
    for (qsizetype g = 0; g < groups.size(); ++g) {
        if (g > 0) out.push_back({Token::Separator, {}});
        if (!push(groups[g].toString())) return false;
    }
    return true;
}

std::optional<QList<Lexeme>> tokenize(QStringView text) {
    QList<Lexeme> out;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.isSpace() || c == u'(' || c == u')') {
            ++i;
        } else if (c.isDigit()) {
            if (!readNumbers(text, i, out)) return std::nullopt;
        } else if (text.mid(i).startsWith(u"..")) {
            while (i < text.size() && text[i] == u'.') ++i;
            out.push_back({Token::Range, {}});
        } else if (isRangeMark(c)) {
            ++i;
            out.push_back({Token::Range, {}});
        } else if (isSeparator(c)) {
            ++i;
            out.push_back({Token::Separator, {}});
        } else if (wordAt(text, i, u"до")) {
            i += 2;
            out.push_back({Token::Range, {}});
        } else if (wordAt(text, i, u"и")) {
            i += 1;
            out.push_back({Token::Separator, {}});
        } else if (wordAt(text, i, u"от")) {
            i += 2;
        } else if (wordAt(text, i, u"м") || wordAt(text, i, u"m")) {
            // The unit, also abbreviated with a point.
            ++i;
            if (i < text.size() && text[i] == u'.') ++i;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace

bool DesignLengths::contains(Fixed length) const {
    for (const LengthRange& r : ranges)
        if (r.from <= length && length <= r.to) return true;
    return false;
}

std::optional<DesignLengths> parseDesignLengths(QStringView text) {
    const std::optional<QList<Lexeme>> lexemes = tokenize(text);
    if (!lexemes) return std::nullopt;
    DesignLengths out;
    const QList<Lexeme>& t = *lexemes;
    qsizetype i = 0;
    bool expectItem = true;  // at the start and after a separator an item must follow
    while (i < t.size()) {
        if (t[i].token == Token::Separator) {
            if (expectItem) return std::nullopt;  // an empty item
            expectItem = true;
            ++i;
            continue;
        }
        if (t[i].token != Token::Number) return std::nullopt;  // a dash without a first number
        LengthRange range{t[i].value, t[i].value};
        ++i;
        if (i < t.size() && t[i].token == Token::Range) {
            if (i + 1 >= t.size() || t[i + 1].token != Token::Number) return std::nullopt;
            range.to = t[i + 1].value;
            i += 2;
            if (range.to < range.from) return std::nullopt;
        }
        out.ranges << range;
        expectItem = false;
    }
    if (expectItem) return std::nullopt;  // nothing at all, or a separator at the end
    return out;
}

}  // namespace vardo::document
