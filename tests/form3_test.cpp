// Tests of the calculator window, driven offscreen like a user: typing, buttons, focus, the legend,
// and the answer's text form.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <limits>
#include <memory>

#include "exprcalc/answertext.h"
#include "exprcalc/cexpressionevaluator.h"
#include "exprcalc/form3.h"
#include "tests/support/modalguard.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// One open calculator window whose evaluation errors are recorded as "title|text".
struct Window {
    vardo::testing::ModalGuard modalGuard;
    QStringList messages;
    std::unique_ptr<Form3> form;

    Window() {
        form = std::make_unique<Form3>(nullptr, [this](const QString& title, const QString& text) {
            messages << title + u'|' + text;
        });
        form->show();
        QApplication::setActiveWindow(form.get());
    }
    bool ready() { return QTest::qWaitForWindowActive(form.get()); }

    template <class T>
    T* get(const QString& name) const {
        return form->findChild<T*>(name);
    }
    QPlainTextEdit* expression() const { return get<QPlainTextEdit>(u"txtExpression"_s); }
    QPlainTextEdit* legend() const { return get<QPlainTextEdit>(u"Text1"_s); }
    QLineEdit* answer() const { return get<QLineEdit>(u"Text2"_s); }
    void click(const QString& button) const {
        QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton);
    }
    void clickText(QPlainTextEdit* edit) const {
        QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    }
    // Types into the expression box and presses "Вычислить".
    void compute(const QString& typed) const {
        expression()->setFocus();
        QTest::keyClicks(expression(), typed);
        click(u"cmdCalc"_s);
    }
};

}  // namespace

class Form3Test : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() {
        // The answer's form must not follow the machine's locale.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // Fails the test if a message box was left open by a test that did not expect one.
    void cleanup() { vardo::testing::ModalGuard::verifyNoneOpen(); }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("place");  // logical pixels: twips / 15
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");
        QTest::newRow("txtExpression") << u"txtExpression"_s << u"QPlainTextEdit"_s
                                       << QRect(8, 8, 305, 104) << QString() << false;
        QTest::newRow("Text1") << u"Text1"_s << u"QPlainTextEdit"_s << QRect(120, 16, 129, 89)
                               << u"* -умножение\n/ -деление\n+ -сложение\n- -вычитание\n^ "
                                  u"-степень\n( ) -скобки\n"_s
                               << false;
        QTest::newRow("Label1") << u"Label1"_s << u"QLabel"_s << QRect(8, 112, 41, 17)
                                << u"Ответ:"_s << true;
        QTest::newRow("Text2") << u"Text2"_s << u"QLineEdit"_s << QRect(64, 112, 249, 19)
                               << QString() << false;
        QTest::newRow("cmdCalc") << u"cmdCalc"_s << u"QPushButton"_s << QRect(0, 136, 81, 25)
                                 << u"Вычислить"_s << true;
        QTest::newRow("cmdOp") << u"cmdOp"_s << u"QPushButton"_s << QRect(88, 136, 81, 25)
                               << u"Очистить"_s << true;
        QTest::newRow("Command1") << u"Command1"_s << u"QPushButton"_s << QRect(176, 136, 81, 25)
                                  << u"Выход"_s << true;
        QTest::newRow("Command2") << u"Command2"_s << u"QPushButton"_s << QRect(272, 136, 33, 25)
                                  << u"?"_s << true;
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        QFETCH(bool, bold);
        Form3 form(nullptr, {});
        QWidget* w = form.findChild<QWidget*>(name);
        QVERIFY(w);
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), kind);
        QCOMPARE(w->geometry(), place);
        QCOMPARE(w->font().bold(), bold);
        QCOMPARE(w->font().pointSizeF(), 8.25);
        if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) QCOMPARE(edit->toPlainText(), text);
        if (auto* line = qobject_cast<QLineEdit*>(w)) QCOMPARE(line->text(), text);
        if (auto* label = qobject_cast<QLabel*>(w)) QCOMPARE(label->text(), text);
        if (auto* button = qobject_cast<QPushButton*>(w)) QCOMPARE(button->text(), text);
    }

    void window() {
        Form3 form;
        QCOMPARE(form.windowTitle(), u"калькулятор"_s);
        QCOMPARE(form.size(), QSize(320, 166));
        QCOMPARE(form.windowType(), Qt::Tool);
        QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    // State: a new window. Expected: legend hidden, both boxes empty, focus on "Очистить".
    void load() {
        Window w;
        QVERIFY(w.ready());
        QVERIFY(!w.legend()->isVisible());
        QVERIFY(w.expression()->toPlainText().isEmpty());
        QVERIFY(w.answer()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), w.get<QWidget>(u"cmdOp"_s));
    }

    // Expected: Tab walks the tab indexes, skipping the hidden legend and the label.
    void tabOrder() {
        Window w;
        QVERIFY(w.ready());
        const QStringList order{u"cmdCalc"_s,  u"txtExpression"_s, u"Command1"_s,
                                u"Command2"_s, u"Text2"_s,         u"cmdOp"_s};
        for (const QString& next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
    }

    void answer_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("2+3*4") << u"2+3*4"_s << u"14"_s << QString();
        QTest::newRow("1/3: fifteen digits") << u"1/3"_s << u"0,333333333333333"_s << QString();
        QTest::newRow("2*pi") << u"2*pi"_s << u"6,28318530717958"_s << QString();
        QTest::newRow("decimal comma in and out") << u"1,5+1,25"_s << u"2,75"_s << QString();
        QTest::newRow("exponent when large") << u"10^15"_s << u"1E+15"_s << QString();
        QTest::newRow("exponent when small") << u"-1,5/100000"_s << u"-1,5E-05"_s << QString();
        QTest::newRow("empty expression")
            << QString() << u"0"_s << u"Evaluate|Error: 13. Несоответствие типа"_s;
        QTest::newRow("1/0") << u"1/0"_s << u"0"_s << u"Evaluate|Error: 11. Деление на ноль"_s;
    }
    // Action: type, press "Вычислить". Expected: the answer, focused and wholly selected.
    void answer() {
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        Window w;
        QVERIFY(w.ready());
        w.compute(typed);
        QCOMPARE(w.answer()->text(), answer);
        QCOMPARE(w.answer()->selectedText(), answer);
        QVERIFY(w.answer()->hasFocus());
        QCOMPARE(w.messages, message.isEmpty() ? QStringList{} : QStringList{message});
    }

    // Expected: the line break goes to the evaluator as a token character, not a separator.
    void lineBreakInExpression() {
        Window w;
        QVERIFY(w.ready());
        w.expression()->setFocus();
        QTest::keyClicks(w.expression(), u"2+3"_s);
        QTest::keyClick(w.expression(), Qt::Key_Return);
        QTest::keyClicks(w.expression(), u"*2"_s);
        QCOMPARE(w.expression()->toPlainText(), u"2+3\n*2"_s);
        w.click(u"cmdCalc"_s);
        QCOMPARE(w.answer()->text(), u"8"_s);
    }

    // Expected: each calculation on one window gives its own value.
    void twoCalculations() {
        Window w;
        QVERIFY(w.ready());
        w.compute(u"2+3*4"_s);
        QCOMPARE(w.answer()->text(), u"14"_s);
        w.click(u"cmdOp"_s);
        w.compute(u"7%3"_s);
        QCOMPARE(w.answer()->text(), u"1"_s);
        QVERIFY(w.messages.isEmpty());
    }

    // State: the answer box already has the focus. Action: "Вычислить" pressed without moving it.
    // Expected: the new answer is selected all the same.
    void answerSelectedWhenAlreadyFocused() {
        Window w;
        QVERIFY(w.ready());
        w.compute(u"1+1"_s);
        QVERIFY(w.answer()->hasFocus());
        w.answer()->deselect();
        w.expression()->setPlainText(u"20*5"_s);
        w.get<QPushButton>(u"cmdCalc"_s)->click();
        QCOMPARE(w.answer()->text(), u"100"_s);
        QCOMPARE(w.answer()->selectedText(), u"100"_s);
    }

    // Action: "Очистить". Expected: the expression empty and focused, the answer kept.
    void clearKeepsAnswer() {
        Window w;
        QVERIFY(w.ready());
        w.compute(u"6*7"_s);
        w.click(u"cmdOp"_s);
        QVERIFY(w.expression()->toPlainText().isEmpty());
        QCOMPARE(w.answer()->text(), u"42"_s);
        QVERIFY(w.expression()->hasFocus());
    }

    // Action: "?", then a click into the expression box. Expected: legend shown, then hidden, the
    // expression unchanged.
    void legendHiddenByExpressionClick() {
        Window w;
        QVERIFY(w.ready());
        w.expression()->setPlainText(u"1+2"_s);
        w.click(u"Command2"_s);
        QVERIFY(w.legend()->isVisible());
        w.clickText(w.expression());
        QVERIFY(!w.legend()->isVisible());
        QCOMPARE(w.expression()->toPlainText(), u"1+2"_s);
    }

    // Action: "?", then a click on the legend. Expected: legend hidden, focus in the expression.
    void legendHiddenByItsClick() {
        Window w;
        QVERIFY(w.ready());
        w.click(u"Command2"_s);
        QVERIFY(w.legend()->isVisible());
        w.clickText(w.legend());
        QVERIFY(!w.legend()->isVisible());
        QVERIFY(w.expression()->hasFocus());
    }

    // Action: "Выход", then a new window. Expected: closed; the new one starts empty.
    void exitAndReopen() {
        {
            Window w;
            QVERIFY(w.ready());
            w.compute(u"5+5"_s);
            w.click(u"Command1"_s);
            QVERIFY(!w.form->isVisible());
        }
        Window again;
        QVERIFY(again.ready());
        QVERIFY(again.expression()->toPlainText().isEmpty());
        QVERIFY(again.answer()->text().isEmpty());
        QVERIFY(!again.legend()->isVisible());
    }

    // State: a window made with no arguments. Expected: an error is a modal message box titled
    // with the method's name, OK only, no icon; then the answer 0.
    void errorInMessageBox() {
        Form3 form;
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* expression = form.findChild<QPlainTextEdit*>(u"txtExpression"_s);
        expression->setPlainText(u"1/0"_s);

        QString seen;
        QTimer::singleShot(0, this, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            seen = box->windowTitle() + u'|' + box->text() + u'|' +
                   QString::number(int(box->icon())) + u'|' +
                   QString::number(int(box->standardButtons()));
            box->accept();
        });
        form.findChild<QPushButton*>(u"cmdCalc"_s)->click();
        const QString expected = u"Evaluate|Error: 11. Деление на ноль|"_s +
                                 QString::number(int(QMessageBox::NoIcon)) + u'|' +
                                 QString::number(int(QMessageBox::Ok));
        QCOMPARE(seen, expected);
        QCOMPARE(form.findChild<QLineEdit*>(u"Text2"_s)->text(), u"0"_s);
    }

    // State: an evaluator made with no arguments, outside any window, in a program that links
    // vardo_exprcalc. Expected: its error is the same modal message box; Evaluate gives 0.
    void bareEvaluatorErrorInMessageBox() {
        CExpressionEvaluator evaluator;
        evaluator.SetExpression(u"2/(1-1)"_s);
        QString seen;
        QTimer::singleShot(0, this, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            seen = box->windowTitle() + u'|' + box->text() + u'|' +
                   QString::number(int(box->icon())) + u'|' +
                   QString::number(int(box->standardButtons()));
            box->accept();
        });
        QCOMPARE(evaluator.Evaluate(), 0.0);
        const QString expected = u"Evaluate|Error: 11. Деление на ноль|"_s +
                                 QString::number(int(QMessageBox::NoIcon)) + u'|' +
                                 QString::number(int(QMessageBox::Ok));
        QCOMPARE(seen, expected);
    }

    void answerText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 14.0 << u"14"_s;
        QTest::newRow("negative fraction") << -0.25 << u"-0,25"_s;
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << u"0,3"_s;
        QTest::newRow("negative zero") << -0.0 << u"0"_s;
        QTest::newRow("largest without exponent") << 999999999999999.0 << u"999999999999999"_s;
        QTest::newRow("1e15") << 1e15 << u"1E+15"_s;
        QTest::newRow("rounded to fifteen digits")
            << 123456789012345678.0 << u"1,23456789012346E+17"_s;
        QTest::newRow("1e-4") << 1e-4 << u"0,0001"_s;
        QTest::newRow("1e-5") << 1e-5 << u"1E-05"_s;
        QTest::newRow("largest double")
            << std::numeric_limits<double>::max() << u"1,79769313486232E+308"_s;
        QTest::newRow("tiny") << -1.5e-300 << u"-1,5E-300"_s;
    }
    void answerText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(vardo::exprcalc::answerText(value), text);
    }
};

QTEST_MAIN(Form3Test)
#include "form3_test.moc"
