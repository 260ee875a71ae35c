#include "exprcalc/postfixconverter.h"

#include "exprcalc/functions.h"

#include <iterator>

namespace vardo::exprcalc {

using namespace Qt::Literals::StringLiterals;

namespace {

// A one-character word among `operators` (a plain scan: the sets are tiny).
bool isOneOf(const QString& word, QStringView operators) {
    if (word.size() != 1) return false;
    for (const QChar op : operators)
        if (op == word.front()) return true;
    return false;
}

bool is(const QString& word, char16_t c) {
    return word.size() == 1 && word.front() == c;
}

}  // namespace

QString PostfixConverter::RespaceExpression(const QString& expression) {
    tokenizer_.setSeparatorSet(u"*/+-%^()"_s);
    // Only the space is whitespace: tabs and line breaks are token characters.
    tokenizer_.setWhitespaceSet(u" "_s);
    tokenizer_.SetTokenString(expression);

    QString respaced;
    respaced.reserve(expression.size() * 2);
    QString token;
    QChar separator;
    while (tokenizer_.GetNextToken(token, separator)) {
        if (!token.isEmpty()) {
            respaced += token;
            respaced += u' ';
        }
        if (!separator.isNull()) {
            respaced += separator;
            respaced += u' ';
        }
    }
    return respaced;
}

QString PostfixConverter::ConvertToPostfix(const QString& expression) {
    postfix_.clear();
    depth_ = 0;
    tooDeep_ = false;

    const QString respaced = RespaceExpression(expression);
    postfix_.reserve(respaced.size() + 16);
    tokenizer_.setSeparatorSet(QString());
    tokenizer_.SetTokenString(respaced);
    advance();
    ParseExpression();

    if (tooDeep_) {
        // Reported only now, with the parser unwound, so that the message (a modal box in the
        // window) does not run on top of a thousand parser frames.
        postfix_.clear();
        reportError(errorSink_, u"ParseFactor"_s, RuntimeError::OutOfStackSpace);
    }
    return std::exchange(postfix_, QString());
}

// The helpers below stay out of line so that the recursive ParseFactor keeps a small stack frame
// (the nesting bound is measured against it).

Q_NEVER_INLINE void PostfixConverter::advance() {
    QChar unusedSeparator;
    if (!tokenizer_.GetNextToken(currentToken_, unusedSeparator)) currentToken_.clear();
}

Q_NEVER_INLINE void PostfixConverter::append(QStringView item) {
    postfix_ += item;
    postfix_ += u' ';
}

Q_NEVER_INLINE void PostfixConverter::appendSigned(bool negative, QStringView item) {
    if (negative) postfix_ += u'-';
    append(item);
}

Q_NEVER_INLINE bool PostfixConverter::takeSign() {
    if (!isOneOf(currentToken_, u"+-")) return false;
    const bool negative = currentToken_.front() == u'-';
    advance();
    return negative;
}

void PostfixConverter::ParseExpression() {
    ParseTerm();
    while (!tooDeep_ && isOneOf(currentToken_, u"-+")) {
        const QChar op = currentToken_.front();
        advance();
        ParseTerm();
        if (tooDeep_) return;
        append(QStringView(&op, 1));
    }
}

void PostfixConverter::ParseTerm() {
    ParseFactor();
    while (!tooDeep_ && isOneOf(currentToken_, u"/*%^")) {
        const QChar op = currentToken_.front();
        advance();
        ParseFactor();
        if (tooDeep_) return;
        append(QStringView(&op, 1));
    }
}

void PostfixConverter::ParseFactor() {
    // Depth counts the nested groups and functions around this factor.
    if (depth_ > kMaxNesting) {
        tooDeep_ = true;
        return;
    }
    ++depth_;
    const bool negative = takeSign();  // one sign only

    if (is(currentToken_, u'(')) {
        advance();
        ParseExpression();
        if (!tooDeep_) {
            if (is(currentToken_, u')')) advance();
            if (negative) {
                // The postfix notation has no negation item: the group's value is multiplied by
                // -1, which is exact and never overflows.
                append(u"-1");
                append(u"*");
            }
        }
    } else if (const FunctionEntry* function = findFunction(currentToken_)) {
        advance();
        ParseFactor();
        if (!tooDeep_) appendSigned(negative, function->name);
    } else {
        // Whatever stands here is an operand: a number, a constant, a stray operator or the empty
        // word at the end of the text; the evaluation decides what it is.
        appendSigned(negative, currentToken_);
        advance();
    }
    --depth_;
}

}  // namespace vardo::exprcalc
