// Tests of the expression evaluator, unit by unit: the tokenizer, infix to postfix, postfix
// evaluation with its 201-slot stack, and the whole evaluator with its error messages.

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>

#include <cmath>

#include "exprcalc/cexpressionevaluator.h"
#include "exprcalc/exprtokenizer.h"
#include "exprcalc/postfixconverter.h"
#include "exprcalc/postfixevaluator.h"
#include "exprcalc/systemcalculator.h"

using namespace Qt::Literals::StringLiterals;
using namespace vardo::exprcalc;

namespace {

const QString kOperators = u"*/+-%^()"_s;

// Collects the messages an evaluator reports, as "title|text".
struct Messages {
    QStringList list;
    ErrorSink sink() {
        return [this](const QString& title, const QString& text) { list << title + u'|' + text; };
    }
};

QString repeated(const QString& piece, int count) {
    return piece.repeated(count);
}

// n groups nested inside each other around 1: ((((1))))
QString nestedGroups(int n) {
    return repeated(u"("_s, n) + u"1"_s + repeated(u")"_s, n);
}

// n values pending at once: 1+(1+(1+ ... 1)) holds n + 1 ones on the stack before the first "+".
QString pendingSums(int n) {
    return repeated(u"1+("_s, n) + u"1"_s + repeated(u")"_s, n);
}

}  // namespace

class ExprCalcTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // ---- tokenizer -------------------------------------------------------------------------

    void tokenizer_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separators");
        QTest::addColumn<QStringList>(
            "calls");  // "token|separator" per call until the flag is false

        QTest::newRow("operators split")
            << u"2+3*4"_s << kOperators << QStringList{u"2|+"_s, u"3|*"_s, u"4|"_s};
        // State: text with blanks around words. Expected: blanks consumed, words lower-cased, and a
        // last call with both outputs empty because only a blank was left.
        QTest::newRow("blanks and case")
            << u"  SIN ( Pi ) "_s << kOperators << QStringList{u"sin|("_s, u"pi|)"_s, u"|"_s};
        QTest::newRow("word after a blank starts a new token")
            << u"2 3"_s << kOperators << QStringList{u"2|"_s, u"3|"_s};
        QTest::newRow("separator before a token")
            << u"(("_s << kOperators << QStringList{u"|("_s, u"|("_s};
        QTest::newRow("tab and line break are token characters")
            << u"1\t+\n2"_s << kOperators << QStringList{u"1\t|+"_s, u"\n2|"_s};
        QTest::newRow("no separators: words only")
            << u"2 + 3 "_s << QString() << QStringList{u"2|"_s, u"+|"_s, u"3|"_s};
        QTest::newRow("cyrillic lower-cased") << u"ПИ"_s << kOperators << QStringList{u"пи|"_s};
        QTest::newRow("empty text") << QString() << kOperators << QStringList{};
        QTest::newRow("blanks only") << u"   "_s << kOperators << QStringList{u"|"_s};
    }
    void tokenizer() {
        QFETCH(QString, text);
        QFETCH(QString, separators);
        QFETCH(QStringList, calls);

        ExprTokenizer tokenizer;
        tokenizer.setSeparatorSet(separators);
        tokenizer.setWhitespaceSet(u" "_s);
        tokenizer.SetTokenString(text);
        QStringList seen;
        QString token;
        QChar separator;
        while (tokenizer.GetNextToken(token, separator)) {
            seen << token + u'|' + (separator.isNull() ? QString() : QString(separator));
            QVERIFY(seen.size() <=
                    text.size() + 1);  // every call but the last consumes a character
        }
        QCOMPARE(seen, calls);
        QVERIFY(!tokenizer.GetNextToken(token, separator));  // stays at the end
    }

    // ---- infix to postfix ------------------------------------------------------------------

    void respacing_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("respaced");
        QTest::newRow("operators") << u"2+3*4"_s << u"2 + 3 * 4 "_s;
        QTest::newRow("functions and groups") << u"-Sin(0)+cos 0"_s << u"- sin ( 0 ) + cos 0 "_s;
        QTest::newRow("extra blanks") << u"  2   ^ 3 "_s << u"2 ^ 3 "_s;
        QTest::newRow("exponent split at minus") << u"1e-5"_s << u"1e - 5 "_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void respacing() {
        QFETCH(QString, expression);
        QFETCH(QString, respaced);
        QCOMPARE(PostfixConverter().RespaceExpression(expression), respaced);
    }

    // ---- the whole evaluator: postfix text, value and message ------------------------------

    void evaluate_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("postfix");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("message");  // "title|text", empty when none

        const QString typeMismatch = u"Evaluate|Error: 13. Несоответствие типа"_s;
        const QString divisionByZero = u"Evaluate|Error: 11. Деление на ноль"_s;
        const QString overflow = u"Evaluate|Error: 6. Переполнение"_s;
        const QString invalidCall =
            u"Evaluate|Error: 5. Недопустимый вызов процедуры или аргумент"_s;

        // The worked examples.
        QTest::newRow("2+3*4") << u"2+3*4"_s << u"2 3 4 * + "_s << 14.0 << QString();
        QTest::newRow("(2+3)*4") << u"(2+3)*4"_s << u"2 3 + 4 * "_s << 20.0 << QString();
        QTest::newRow("10-4-3") << u"10-4-3"_s << u"10 4 - 3 - "_s << 3.0 << QString();
        QTest::newRow("2^3^2") << u"2^3^2"_s << u"2 3 ^ 2 ^ "_s << 64.0 << QString();
        QTest::newRow("-2^2") << u"-2^2"_s << u"-2 2 ^ "_s << 4.0 << QString();
        QTest::newRow("2*-3") << u"2*-3"_s << u"2 -3 * "_s << -6.0 << QString();
        QTest::newRow("7%3") << u"7%3"_s << u"7 3 % "_s << 1.0 << QString();
        QTest::newRow("-7%3") << u"-7%3"_s << u"-7 3 % "_s << -1.0 << QString();
        QTest::newRow("-sin(0)+cos 0")
            << u"-sin(0)+cos 0"_s << u"0 -sin 0 cos + "_s << 1.0 << QString();
        QTest::newRow("2*PI") << u"2*PI"_s << u"2 pi * "_s << 6.28318530717958 << QString();

        // "^" binds like "*" and "/": left to right.
        QTest::newRow("power after product") << u"2*3^2"_s << u"2 3 * 2 ^ "_s << 36.0 << QString();
        QTest::newRow("negative exponent") << u"2^-1"_s << u"2 -1 ^ "_s << 0.5 << QString();

        // Case and constants.
        QTest::newRow("SIN(0)") << u"SIN(0)"_s << u"0 sin "_s << 0.0 << QString();
        QTest::newRow("Sin(0)") << u"Sin(0)"_s << u"0 sin "_s << 0.0 << QString();
        QTest::newRow("sin 0") << u"sin 0"_s << u"0 sin "_s << 0.0 << QString();
        QTest::newRow("pi") << u"pi"_s << u"pi "_s << 3.14159265358979 << QString();
        QTest::newRow("PI") << u"PI"_s << u"pi "_s << 3.14159265358979 << QString();
        QTest::newRow("e is 2.718282") << u"e"_s << u"e "_s << 2.718282 << QString();
        QTest::newRow("-pi") << u"-pi"_s << u"-pi "_s << -3.14159265358979 << QString();
        QTest::newRow("atn 1") << u"4*atn 1"_s << u"4 1 atn * "_s << 4 * std::atan(1.0)
                               << QString();
        QTest::newRow("log e") << u"log(exp(2))"_s << u"2 exp log "_s << 2.0 << QString();
        QTest::newRow("tan") << u"tan(1)"_s << u"1 tan "_s << std::tan(1.0) << QString();

        // The argument of a function is one factor.
        QTest::newRow("function of a group")
            << u"sin(1+2)"_s << u"1 2 + sin "_s << std::sin(3.0) << QString();
        QTest::newRow("function of a signed number")
            << u"sin -2"_s << u"-2 sin "_s << std::sin(-2.0) << QString();
        QTest::newRow("function takes one factor")
            << u"sin 2*3"_s << u"2 sin 3 * "_s << std::sin(2.0) * 3 << QString();

        // Signs: one per factor; a negated group comes out negated.
        QTest::newRow("-(2+3)") << u"-(2+3)"_s << u"2 3 + -1 * "_s << -5.0 << QString();
        QTest::newRow("-(2*3)") << u"-(2*3)"_s << u"2 3 * -1 * "_s << -6.0 << QString();
        QTest::newRow("4--(1)") << u"4--(1)"_s << u"4 1 -1 * - "_s << 5.0 << QString();
        QTest::newRow("negated group twice")
            << u"-(-(3))"_s << u"3 -1 * -1 * "_s << 3.0 << QString();
        QTest::newRow("plus sign") << u"+(2)"_s << u"2 "_s << 2.0 << QString();
        QTest::newRow("--3") << u"--3"_s << u"-- "_s << 0.0 << typeMismatch;

        // The grammar stops at the first word that does not fit; the rest is ignored.
        QTest::newRow("2(3)") << u"2(3)"_s << u"2 "_s << 2.0 << QString();
        QTest::newRow("2 3") << u"2 3"_s << u"2 "_s << 2.0 << QString();
        QTest::newRow("missing )") << u"(2+3"_s << u"2 3 + "_s << 5.0 << QString();
        QTest::newRow("extra )") << u"2+3)"_s << u"2 3 + "_s << 5.0 << QString();

        // Missing operands count as 0.
        QTest::newRow("2+") << u"2+"_s << u"2  + "_s << 2.0 << QString();
        QTest::newRow("2*") << u"2*"_s << u"2  * "_s << 0.0 << QString();
        QTest::newRow("2-") << u"2-"_s << u"2  - "_s << -2.0 << QString();
        QTest::newRow("lone -") << u"-"_s << u"- "_s << 0.0 << QString();
        QTest::newRow("operator as operand") << u"*2"_s << u"* "_s << 0.0 << QString();

        // Numbers: the decimal comma, the exponent, a line break inside a token.
        QTest::newRow("decimal comma") << u"2,5*2"_s << u"2,5 2 * "_s << 5.0 << QString();
        QTest::newRow("1e5") << u"1e5"_s << u"1e5 "_s << 100000.0 << QString();
        QTest::newRow("1E5") << u"1E5"_s << u"1e5 "_s << 100000.0 << QString();
        QTest::newRow("line break stays in the token")
            << u"1\n+2"_s << u"1\n 2 + "_s << 3.0 << QString();

        // Integer remainder: operands rounded half to even, sign of the dividend.
        QTest::newRow("% rounds 6,5 to 6") << u"6,5%4"_s << u"6,5 4 % "_s << 2.0 << QString();
        QTest::newRow("% rounds 7,5 to 8") << u"7,5%4"_s << u"7,5 4 % "_s << 0.0 << QString();
        QTest::newRow("% divisor 2,5 is 2") << u"7%2,5"_s << u"7 2,5 % "_s << 1.0 << QString();
        QTest::newRow("% at the 32-bit edge")
            << u"2147483647%10"_s << u"2147483647 10 % "_s << 7.0 << QString();
        QTest::newRow("% smallest by -1")
            << u"-2147483648%-1"_s << u"-2147483648 -1 % "_s << 0.0 << QString();

        // Each error with an input that raises it; the value is then 0.
        QTest::newRow("empty expression") << QString() << u" "_s << 0.0 << typeMismatch;
        QTest::newRow("lone +") << u"+"_s << u" "_s << 0.0 << typeMismatch;
        QTest::newRow("lone (") << u"("_s << u" "_s << 0.0 << typeMismatch;
        QTest::newRow("letters") << u"abc+1"_s << u"abc 1 + "_s << 0.0 << typeMismatch;
        QTest::newRow("decimal point") << u"1.5"_s << u"1.5 "_s << 0.0 << typeMismatch;
        QTest::newRow("1e-5 split at -") << u"1e-5"_s << u"1e 5 - "_s << 0.0 << typeMismatch;
        QTest::newRow("two commas") << u"1,2,3"_s << u"1,2,3 "_s << 0.0 << typeMismatch;
        QTest::newRow("1/0") << u"1/0"_s << u"1 0 / "_s << 0.0 << divisionByZero;
        QTest::newRow("5%0") << u"5%0"_s << u"5 0 % "_s << 0.0 << divisionByZero;
        QTest::newRow("divisor rounds to 0")
            << u"5%0,4"_s << u"5 0,4 % "_s << 0.0 << divisionByZero;
        QTest::newRow("0^-1") << u"0^-1"_s << u"0 -1 ^ "_s << 0.0 << divisionByZero;
        QTest::newRow("0/0") << u"0/0"_s << u"0 0 / "_s << 0.0 << overflow;
        QTest::newRow("product too large") << u"1e308*10"_s << u"1e308 10 * "_s << 0.0 << overflow;
        QTest::newRow("power too large") << u"10^400"_s << u"10 400 ^ "_s << 0.0 << overflow;
        QTest::newRow("exp too large") << u"exp(1000)"_s << u"1000 exp "_s << 0.0 << overflow;
        QTest::newRow("number too large") << u"1e400"_s << u"1e400 "_s << 0.0 << overflow;
        QTest::newRow("% beyond 32 bits") << u"3e9%2"_s << u"3e9 2 % "_s << 0.0 << overflow;
        QTest::newRow("% rounds past 32 bits")
            << u"2147483647,5%2"_s << u"2147483647,5 2 % "_s << 0.0 << overflow;
        QTest::newRow("log 0") << u"log(0)"_s << u"0 log "_s << 0.0 << invalidCall;
        QTest::newRow("log of negative") << u"log(-1)"_s << u"-1 log "_s << 0.0 << invalidCall;
        QTest::newRow("root of negative")
            << u"(-8)^(1/3)"_s << u"-8 1 3 / ^ "_s << 0.0 << invalidCall;
        QTest::newRow("negative base, integral exponent")
            << u"(-2)^3"_s << u"-2 3 ^ "_s << -8.0 << QString();
    }
    void evaluate() {
        QFETCH(QString, expression);
        QFETCH(QString, postfix);
        QFETCH(double, value);
        QFETCH(QString, message);

        Messages messages;
        CExpressionEvaluator evaluator(messages.sink());
        evaluator.SetExpression(expression);
        QCOMPARE(evaluator.Expression(), expression);
        QCOMPARE(evaluator.Postfix(), postfix);
        QVERIFY(messages.list.isEmpty());  // conversion itself reports nothing here
        const double result = evaluator.Evaluate();
        QCOMPARE(result, value);
        QCOMPARE(messages.list, message.isEmpty() ? QStringList{} : QStringList{message});
    }

    // State: an evaluation failed. Action: a new expression. Expected: its own value, no message.
    void errorLeavesNothingBehind() {
        Messages messages;
        CExpressionEvaluator evaluator(messages.sink());
        evaluator.SetExpression(u"1/0"_s);
        QCOMPARE(evaluator.Evaluate(), 0.0);
        QCOMPARE(messages.list.size(), 1);
        evaluator.SetExpression(u"1+1"_s);
        QCOMPARE(evaluator.Evaluate(), 2.0);
        QCOMPARE(messages.list.size(), 1);
    }

    // Expected: a second expression replaces the postfix text; evaluations do not accumulate.
    void secondExpressionReplacesTheFirst() {
        CExpressionEvaluator evaluator(ErrorSink{});
        evaluator.SetExpression(u"2+3*4"_s);
        for (int i = 0; i < 5; ++i) QCOMPARE(evaluator.Evaluate(), 14.0);
        evaluator.SetExpression(u"7%3"_s);
        QCOMPARE(evaluator.Postfix(), u"7 3 % "_s);
        QCOMPARE(evaluator.Evaluate(), 1.0);
    }

    // State: a new evaluator. Expected: empty texts, Evaluate gives 0 without a message.
    void evaluateBeforeAnyExpression() {
        Messages messages;
        CExpressionEvaluator evaluator(messages.sink());
        QVERIFY(evaluator.Expression().isEmpty());
        QVERIFY(evaluator.Postfix().isEmpty());
        QCOMPARE(evaluator.Evaluate(), 0.0);
        QVERIFY(messages.list.isEmpty());
    }

    // ---- postfix evaluation alone ----------------------------------------------------------

    void postfix_data() {
        QTest::addColumn<QString>("postfix");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("messages");
        QTest::newRow("top value is the result") << u"1 2 3 "_s << 3.0 << 0;
        QTest::newRow("extra blanks skipped") << u"  2   3  +  "_s << 5.0 << 0;
        QTest::newRow("empty text") << QString() << 0.0 << 0;
        QTest::newRow("blanks only are one empty token") << u"   "_s << 0.0 << 1;
        QTest::newRow("operator on empty stack") << u"+ "_s << 0.0 << 0;
        QTest::newRow("function on empty stack") << u"cos "_s << 1.0 << 0;
        QTest::newRow("negated function") << u"0 -cos "_s << -1.0 << 0;
        QTest::newRow("negated constant") << u"-e "_s << -2.718282 << 0;
    }
    void postfix() {
        QFETCH(QString, postfix);
        QFETCH(double, value);
        QFETCH(int, messages);
        Messages seen;
        PostfixEvaluator evaluator(seen.sink());
        QCOMPARE(evaluator.Evaluate(postfix), value);
        QCOMPARE(seen.list.size(), messages);
    }

    void convertNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("outcome");  // NumberConversion
        QTest::addColumn<double>("value");
        const int ok = int(NumberConversion::Converted);
        const int bad = int(NumberConversion::NotANumber);
        const int range = int(NumberConversion::OutOfRange);
        QTest::newRow("integer") << u"42"_s << ok << 42.0;
        QTest::newRow("comma") << u"2,5"_s << ok << 2.5;
        QTest::newRow("no integer digits") << u",5"_s << ok << 0.5;
        QTest::newRow("no fraction digits") << u"5,"_s << ok << 5.0;
        QTest::newRow("exponent") << u"1,5e3"_s << ok << 1500.0;
        QTest::newRow("line breaks around") << u"\t3\r\n"_s << ok << 3.0;
        QTest::newRow("largest double")
            << u"1,7976931348623157e308"_s << ok << 1.7976931348623157e308;
        QTest::newRow("tiny becomes 0") << u"0,"_s + QString(400, u'0') + u"1"_s << ok << 0.0;
        QTest::newRow("zero, huge exponent") << u"0e99999999999"_s << ok << 0.0;
        QTest::newRow("1e400") << u"1e400"_s << range << 0.0;
        QTest::newRow("400 digits") << QString(400, u'9') << range << 0.0;
        QTest::newRow("exponent past int64") << u"1e99999999999999999999"_s << range << 0.0;
        QTest::newRow("point") << u"1.5"_s << bad << 0.0;
        QTest::newRow("two commas") << u"1,2,3"_s << bad << 0.0;
        QTest::newRow("exponent without digits") << u"1e"_s << bad << 0.0;
        QTest::newRow("sign") << u"-3"_s << bad << 0.0;
        QTest::newRow("empty") << QString() << bad << 0.0;
        QTest::newRow("line break inside") << u"2\n3"_s << bad << 0.0;
        QTest::newRow("arabic-indic digit") << u"\u0663"_s << bad << 0.0;
    }
    void convertNumber() {
        QFETCH(QString, text);
        QFETCH(int, outcome);
        QFETCH(double, value);
        double converted = -1;
        QCOMPARE(int(vardo::exprcalc::convertNumber(text, converted)), outcome);
        if (outcome == int(NumberConversion::Converted)) QCOMPARE(converted, value);
    }

    // ---- the 201-slot stack ----------------------------------------------------------------

    // Expected: 201 values fit; the 202nd push is PushResult's error 9 and is dropped.
    void stackHolds201Values() {
        Messages messages;
        PostfixEvaluator evaluator(messages.sink());
        for (int i = 0; i < PostfixEvaluator::kStackSlots; ++i) evaluator.PushResult(i);
        QVERIFY(messages.list.isEmpty());
        evaluator.PushResult(999);
        QCOMPARE(messages.list,
                 QStringList{u"PushResult|Error: 9. Индекс вне допустимого диапазона"_s});
        QCOMPARE(evaluator.stackCount(), 201);
        double top = 0;
        QVERIFY(evaluator.PopResult(top));
        QCOMPARE(top, 200.0);
    }

    void popFromEmptyStack() {
        PostfixEvaluator evaluator;
        double value = 5;
        QVERIFY(!evaluator.PopResult(value));
        QCOMPARE(value, 0.0);
    }

    void nestedSums_data() {
        QTest::addColumn<int>("groups");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("stackErrors");
        QTest::newRow("200 groups: 201 values fit") << 200 << 201.0 << 0;
        // The 202nd one is dropped and the sums go on with a 0 for it.
        QTest::newRow("201 groups: one value too many") << 201 << 201.0 << 1;
        QTest::newRow("205 groups") << 205 << 201.0 << 5;
    }
    void nestedSums() {
        QFETCH(int, groups);
        QFETCH(double, value);
        QFETCH(int, stackErrors);
        Messages messages;
        CExpressionEvaluator evaluator(messages.sink());
        evaluator.SetExpression(pendingSums(groups));
        QCOMPARE(evaluator.Evaluate(), value);
        QCOMPARE(messages.list.size(), stackErrors);
        for (const QString& m : std::as_const(messages.list))
            QCOMPARE(m, u"PushResult|Error: 9. Индекс вне допустимого диапазона"_s);
    }

    // ---- nesting bound ---------------------------------------------------------------------

    void nesting_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<bool>("accepted");
        const int bound = PostfixConverter::kMaxNesting;
        QTest::newRow("groups at the bound") << nestedGroups(bound) << true;
        QTest::newRow("groups past the bound") << nestedGroups(bound + 1) << false;
        QTest::newRow("functions at the bound") << repeated(u"-sin"_s, bound) + u" 0"_s << true;
        QTest::newRow("functions past the bound")
            << repeated(u"-sin"_s, bound + 1) + u" 0"_s << false;
        QTest::newRow("10000 open groups") << repeated(u"("_s, 10000) << false;
        QTest::newRow("10000 -sin") << repeated(u"-sin"_s, 10000) << false;
        QTest::newRow("10000 negated groups") << repeated(u"-("_s, 10000) + u"1"_s << false;
    }
    void nesting() {
        QFETCH(QString, expression);
        QFETCH(bool, accepted);
        Messages messages;
        CExpressionEvaluator evaluator(messages.sink());
        evaluator.SetExpression(expression);
        if (accepted) {
            QVERIFY(messages.list.isEmpty());
            QVERIFY(evaluator.Postfix().endsWith(u' '));
            const double value = evaluator.Evaluate();
            QVERIFY(std::isfinite(value));
            QVERIFY(messages.list.isEmpty());
        } else {
            const QString tooDeep =
                u"ParseFactor|Error: 28. Недостаточно места в стеке: слишком глубокая "
                u"вложенность скобок или функций"_s;
            QCOMPARE(messages.list, QStringList{tooDeep});
            QVERIFY(evaluator.Postfix().isEmpty());
            QCOMPARE(evaluator.Evaluate(), 0.0);
            QCOMPARE(messages.list.size(), 1);  // nothing more from the evaluation
        }
    }

    // State: a thread with a 2 MiB stack. Action: the deepest accepted expressions of each shape.
    // Expected: they convert and evaluate there (a stack overflow would end the test run).
    void deepestNestingFitsA2MiBThread() {
        const int bound = PostfixConverter::kMaxNesting;
        const QStringList expressions{nestedGroups(bound), pendingSums(bound),
                                      repeated(u"-sin"_s, bound) + u" 1"_s,
                                      repeated(u"-("_s, bound) + u"1"_s, repeated(u"("_s, 100000)};
        int messages = 0;
        bool finite = true;
        QThread* thread = QThread::create([&] {
            CExpressionEvaluator evaluator([&](const QString&, const QString&) { ++messages; });
            for (const QString& e : expressions) {
                evaluator.SetExpression(e);
                finite = finite && std::isfinite(evaluator.Evaluate());
            }
        });
        thread->setStackSize(2 * 1024 * 1024);
        thread->start();
        QVERIFY(thread->wait(60000));
        delete thread;
        QVERIFY(finite);
        // The sums overflow the 201 slots (error 9 for each value past them); the last expression
        // is too deep (one error 28).
        QCOMPARE(messages, (bound + 1 - PostfixEvaluator::kStackSlots) + 1);
    }

    // ---- robustness ------------------------------------------------------------------------

    // Expected: any text converts to a postfix text that is empty or ends with one space, and
    // evaluates to a finite value; a repeated evaluation gives the same value.
    void randomTexts() {
        const QString alphabet = u"0123456789,.eE+-*/%^() \t\nsincotaxplgSINPI\u00a0\u0436"_s;
        QRandomGenerator rng(20261207);
        CExpressionEvaluator evaluator(ErrorSink{});
        for (int i = 0; i < 20000; ++i) {
            QString text;
            const int length = int(rng.bounded(40));
            for (int k = 0; k < length; ++k) text += alphabet[int(rng.bounded(alphabet.size()))];
            evaluator.SetExpression(text);
            const QString postfix = evaluator.Postfix();
            QVERIFY2(postfix.isEmpty() || postfix.endsWith(u' '), qPrintable(text));
            const double value = evaluator.Evaluate();
            QVERIFY2(std::isfinite(value), qPrintable(text));
            QCOMPARE(evaluator.Evaluate(), value);
        }
    }

    // ---- the system calculator's starter ---------------------------------------------------

    void systemCalculator_data() {
        QTest::addColumn<QStringList>("candidates");  // "name:missing|fails|starts"
        QTest::addColumn<bool>("started");
        QTest::addColumn<QStringList>("attempts");  // programs asked to start, in order
        QTest::addColumn<QString>("error");
        const QString advice = u"\nВыберите «vardo», чтобы открыть калькулятор программы."_s;
        QTest::newRow("first installed one starts")
            << QStringList{u"a:missing"_s, u"b:starts"_s, u"c:starts"_s} << true
            << QStringList{u"/bin/b"_s} << QString();
        QTest::newRow("one fails, the next starts")
            << QStringList{u"a:fails"_s, u"b:starts"_s} << true
            << QStringList{u"/bin/a"_s, u"/bin/b"_s} << QString();
        QTest::newRow("none installed")
            << QStringList{u"a:missing"_s, u"b:missing"_s} << false << QStringList{}
            << u"Калькулятор системы не найден. Искали: a, b."_s + advice;
        QTest::newRow("installed but none starts")
            << QStringList{u"a:fails"_s, u"b:missing"_s, u"c:fails"_s} << false
            << QStringList{u"/bin/a"_s, u"/bin/c"_s}
            << u"Не удалось запустить калькулятор системы: /bin/a, /bin/c."_s + advice;
    }
    void systemCalculator() {
        QFETCH(QStringList, candidates);
        QFETCH(bool, started);
        QFETCH(QStringList, attempts);
        QFETCH(QString, error);

        QHash<QString, QString> states;
        CalculatorStarter starter;
        for (const QString& c : std::as_const(candidates)) {
            const QStringList parts = c.split(u':');
            starter.candidates << parts[0];
            states.insert(u"/bin/"_s + parts[0], parts[1]);
        }
        starter.findExecutable = [&](const QString& name) {
            const QString path = u"/bin/"_s + name;
            return states.value(path) == u"missing"_s ? QString() : path;
        };
        QStringList seen;
        starter.startDetached = [&](const QString& program) {
            seen << program;
            return states.value(program) == u"starts"_s;
        };
        QString errorText = u"stale"_s;
        QCOMPARE(startSystemCalculator(starter, &errorText), started);
        QCOMPARE(seen, attempts);
        QCOMPARE(errorText, error);
        QCOMPARE(startSystemCalculator(starter, nullptr), started);  // the text is optional
    }

    // Expected: the platform's candidates; an absolute candidate is found only when it exists.
    void systemCalculatorCandidates() {
        QCOMPARE(desktopCalculators(),
                 (QStringList{u"gnome-calculator"_s, u"kcalc"_s, u"galculator"_s, u"mate-calc"_s,
                              u"qalculate-gtk"_s, u"xcalc"_s}));
        const CalculatorStarter starter = systemCalculatorStarter(u"C:\\WINDOWS"_s);
#ifdef Q_OS_WIN
        QCOMPARE(starter.candidates, (QStringList{u"C:\\WINDOWS\\calc.exe"_s, u"calc.exe"_s}));
#else
        QCOMPARE(starter.candidates,
                 (QStringList{u"gnome-calculator"_s, u"kcalc"_s, u"galculator"_s, u"mate-calc"_s,
                              u"qalculate-gtk"_s, u"xcalc"_s}));
        // With only "galculator" and "xcalc" on the search path, the real search finds them and
        // the first of the list that is installed is the one started.
        QTemporaryDir bin;
        QVERIFY(bin.isValid());
        for (const QString& name : {u"galculator"_s, u"xcalc"_s}) {
            QFile program(bin.filePath(name));
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.write("#!/bin/sh\n");
            program.close();
            QVERIFY(program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        QCOMPARE(starter.findExecutable(u"galculator"_s), bin.filePath(u"galculator"_s));
        QVERIFY(starter.findExecutable(u"gnome-calculator"_s).isEmpty());
        CalculatorStarter recording = starter;
        QStringList started;
        recording.startDetached = [&started](const QString& program) {
            started << program;
            return true;
        };
        const bool ok = startSystemCalculator(recording, nullptr);
        qputenv("PATH", path);
        QVERIFY(ok);
        QCOMPARE(started, QStringList{bin.filePath(u"galculator"_s)});
#endif
        QTemporaryFile file;
        QVERIFY(file.open());
        QCOMPARE(starter.findExecutable(file.fileName()), file.fileName());
        QVERIFY(starter.findExecutable(file.fileName() + u"-absent"_s).isEmpty());
        QVERIFY(starter.findExecutable(u"vardo-no-such-program"_s).isEmpty());
    }
};

QTEST_GUILESS_MAIN(ExprCalcTest)
#include "exprcalc_test.moc"
