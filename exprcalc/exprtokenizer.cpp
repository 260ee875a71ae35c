#include "exprcalc/exprtokenizer.h"

namespace vardo::exprcalc {

namespace {

// The sets hold a few characters: a plain scan beats a general string search.
bool inSet(const QString& set, QChar c) {
    for (const QChar member : set)
        if (member == c) return true;
    return false;
}

QChar lowerCase(QChar c) {
    if (c.unicode() < 0x80) return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
    return c.toLower();
}

}  // namespace

void ExprTokenizer::SetTokenString(const QString& text) {
    tokenString_ = text;
    scanPosition_ = 1;
    scanLength_ = text.size();
}

int ExprTokenizer::CharType() const {
    // Separators are tested first: a character in both sets ends a token.
    if (inSet(separatorSet_, currentChar_)) return Separator;
    if (inSet(whitespaceSet_, currentChar_)) return Whitespace;
    return TokenChar;
}

bool ExprTokenizer::GetNextToken(QString& token, QChar& separator) {
    // Emptied, not released: with the swap below, the caller's and this buffer take turns and a
    // steady reading allocates nothing.
    tokenBuffer_.resize(0);
    separator = QChar();
    scanState_ = ScanState::BeforeToken;

    const bool found = scanPosition_ <= scanLength_;
    bool goOn = found;
    while (goOn && scanPosition_ <= scanLength_) {
        currentChar_ = tokenString_.at(scanPosition_ - 1);
        switch (CharType()) {
            case Whitespace:
                goOn = HandleWhiteSpace();
                break;
            case Separator:
                goOn = HandleSeparator(separator);
                break;
            default:
                goOn = HandleToken();
                break;
        }
    }
    token.swap(tokenBuffer_);
    return found;
}

bool ExprTokenizer::HandleSeparator(QChar& separator) {
    // A separator ends the token in every state and is consumed with it.
    separator = currentChar_;
    ++scanPosition_;
    return false;
}

bool ExprTokenizer::HandleToken() {
    if (scanState_ == ScanState::AfterToken) return false;  // the character starts the next token
    tokenBuffer_ += lowerCase(currentChar_);
    ++scanPosition_;
    scanState_ = ScanState::InToken;
    return true;
}

bool ExprTokenizer::HandleWhiteSpace() {
    ++scanPosition_;
    if (scanState_ == ScanState::InToken) scanState_ = ScanState::AfterToken;
    return true;
}

}  // namespace vardo::exprcalc
