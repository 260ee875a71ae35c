#pragma once
// Infix expression text to postfix text, in two passes.
//
// Pass 1 (respacing) splits the expression at the operator characters and parentheses, so that
// every token and every operator stands alone between single spaces. Pass 2 reads that text word
// by word with a recursive-descent parser and appends the postfix items, each followed by exactly
// one space:
//
//   expression := term { ("+" | "-") term }
//   term       := factor { ("*" | "/" | "%" | "^") factor }     all left-associative: 2^3^2 = 64
//   factor     := [ "+" | "-" ] ( "(" expression [ ")" ]           a missing ")" is tolerated
//                               | function factor                   sin, cos, tan, atn, exp, log
//                               | operand )                         any other word, even empty
//
// One sign per factor. A signed operand or function is written with a "-" prefix ("-3", "-sin");
// a group with a "-" sign is followed by the items "-1 *". The grammar stops at the first word that
// does not fit it and the rest of the text is ignored ("2(3)" gives "2 ").
//
// Groups and functions may nest at most kMaxNesting deep. Deeper text is not converted: the
// parser unwinds, ParseFactor's error 28 is reported, and the postfix text is empty (its value 0).

#include <utility>

#include <QString>

#include "exprcalc/exprtokenizer.h"
#include "exprcalc/runtimeerror.h"

namespace vardo::exprcalc {

class PostfixConverter {
  public:
    // Nested groups and functions accepted. One level of groups costs three parser frames:
    // about 190 bytes optimised, 270 unoptimised and 1040 with the address sanitiser (gcc 12), so
    // the deepest text needs 0.2 to 1.1 MB of stack: safe even on a 2 MiB thread stack.
    static constexpr int kMaxNesting = 1000;

    explicit PostfixConverter(ErrorSink errorSink = {}) : errorSink_(std::move(errorSink)) {}

    // Pass 1 alone: every token and operator character followed by one space.
    QString RespaceExpression(const QString& expression);

    // Both passes: the postfix text of `expression`.
    QString ConvertToPostfix(const QString& expression);

  private:
    void ParseExpression();
    void ParseTerm();
    void ParseFactor();

    void advance();
    void append(QStringView item);
    void appendSigned(bool negative, QStringView item);
    bool takeSign();

    ErrorSink errorSink_;
    ExprTokenizer tokenizer_;
    QString currentToken_;
    QString postfix_;
    int depth_ = 0;
    bool tooDeep_ = false;
};

}  // namespace vardo::exprcalc
