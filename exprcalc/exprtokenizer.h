#pragma once
// The evaluator's tokenizer: a three-state machine over a text, one character at a time.
//
// Characters fall into three classes: separators (returned on their own, they end a token),
// whitespace (skipped) and token characters (collected, lower-cased). One GetNextToken call
// returns the next run of token characters with the whitespace before and after it consumed, and
// the separator that ended it, if any. The same machine serves three times with different sets:
// the raw expression split at operators ("*/+-%^()" / " "), the respaced expression read word by
// word ("" / " ") and the postfix text read item by item ("" / " ").

#include <QChar>
#include <QString>

namespace vardo::exprcalc {

class ExprTokenizer {
  public:
    // Both sets are compared exactly and case-sensitively; an empty set contains nothing.
    void setSeparatorSet(const QString& separators) { separatorSet_ = separators; }
    void setWhitespaceSet(const QString& whitespace) { whitespaceSet_ = whitespace; }

    // Starts reading `text` from its first character.
    void SetTokenString(const QString& text);

    // Reads the next token (lower-cased, possibly empty) and the separator that ended it (a null
    // QChar when none). False only when the whole text had already been read before the call; true
    // even when both outputs are empty because only whitespace was left.
    bool GetNextToken(QString& token, QChar& separator);

  private:
    enum class ScanState { BeforeToken = 0, InToken = 1, AfterToken = 2 };
    enum CharClass { Whitespace = 0, Separator = 1, TokenChar = 2 };

    int CharType() const;
    bool HandleSeparator(QChar& separator);
    bool HandleToken();
    bool HandleWhiteSpace();

    QString tokenString_;
    qsizetype scanLength_ = 0;
    qsizetype scanPosition_ = 1;  // 1-based index of the next character to read
    QChar currentChar_;
    QString tokenBuffer_;
    ScanState scanState_ = ScanState::BeforeToken;
    QString separatorSet_;
    QString whitespaceSet_;
};

}  // namespace vardo::exprcalc
