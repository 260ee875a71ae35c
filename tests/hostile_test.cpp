// The worst a user or a damaged installation can hand the program, through the real windows: every
// field filled with absurd texts and every button pressed, the calculator fed deep nesting, random
// bytes and huge texts, and each workbook replaced by something that is not one. Nothing may crash
// or hang, and every message shown must be one the program defines.

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "core/messages.h"
#include "exprcalc/form3.h"
#include "mainwindow/inventory.h"
#include "tests/support/form1fixture.h"

using namespace Qt::Literals::StringLiterals;
using vardo::testing::Form1Fixture;

namespace {

bool isDefinedMessage(const QString& text) {
    namespace m = vardo::messages;
    return text == m::noData() || text == m::noDataColon() || text == m::noDataColonSpace() ||
           text == m::nowRight() || text == m::clickG13() || text == m::clickGg13();
}

// The buttons a test may press without a file dialog or the window closing.
QList<QPushButton*> pressableButtons(QWidget* window) {
    QList<QPushButton*> buttons;
    for (QPushButton* b : window->findChildren<QPushButton*>()) {
        const QString name = b->objectName();
        if (name.isEmpty() || name == u"Command18"_s || name.startsWith(u"cmd"_s)) continue;
        buttons << b;
    }
    return buttons;
}

// Every text field of the window: shown, hidden and bound alike.
QList<QLineEdit*> textFields(QWidget* window) {
    QList<QLineEdit*> fields;
    for (QLineEdit* e : window->findChildren<QLineEdit*>())
        if (!e->objectName().isEmpty()) fields << e;
    return fields;
}

void pressEverything(Form1Fixture& f) {
    // Twice: the second round runs with the buttons the first revealed.
    for (int round = 0; round < 2; ++round) {
        for (QPushButton* b : pressableButtons(f.window.get())) b->click();
        for (const QString& n : {u"Text21"_s, u"Text22"_s, u"txtG1"_s, u"txtGg1"_s, u"txtL1"_s}) {
            QWidget* w = f.get(n);
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        }
    }
}

}  // namespace

class HostileTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void everyFieldEveryButton_data();
    void everyFieldEveryButton();
    void calculatorInput_data();
    void calculatorInput();
    void brokenWorkbooks_data();
    void brokenWorkbooks();
};

void HostileTest::everyFieldEveryButton_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("1e15") << u"1000000000000000"_s;
    QTest::newRow("-1e15") << u"-1000000000000000"_s;
    QTest::newRow("max") << u"922337203685477,5807"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("letters") << u"abc"_s;
    QTest::newRow("exponent") << u"1e400"_s;
    QTest::newRow("arabic digit") << u"٣"_s;
    QTest::newRow("10000 characters") << QString(10000, u'7');
    QTest::newRow("10000 mixed") << QString(5000, u',') + QString(5000, u'9');
}

void HostileTest::everyFieldEveryButton() {
    // State: every text field, the lists included, holds the same absurd text.
    QFETCH(QString, text);
    Form1Fixture f;
    QVERIFY(f.show());
    for (QLineEdit* e : textFields(f.window.get())) e->setText(text);
    f.window->sheet().setText(u"Combo1"_s, text);
    f.window->sheet().setText(u"Combo2"_s, text);
    // Action: every button, every clickable field. Expected: no crash, only the program's messages.
    pressEverything(f);
    for (const QString& m : std::as_const(f.messages)) QVERIFY2(isDefinedMessage(m), qPrintable(m));
    // The results are numbers or blank, never garbage.
    static const QRegularExpression number(u"^(-?\\d+(,\\d{1,4})?)?$"_s);
    for (const QString& n : {u"Label10"_s, u"Label11"_s, u"Label14"_s, u"Label20"_s, u"Label22"_s,
                             u"Label24"_s, u"Label30"_s, u"Label32"_s})
        QVERIFY2(number.match(f.text(n)).hasMatch(), qPrintable(n + u": "_s + f.text(n)));
    if (QWidget* about = f.window->aboutWindow()) about->close();
}

void HostileTest::calculatorInput_data() {
    QTest::addColumn<QString>("expression");
    QTest::newRow("10000 groups") << QString(10000, u'(') + u"1"_s + QString(10000, u')');
    QTest::newRow("10000 -sin") << QString(10000, u'-').replace(u"-"_s, u"-sin"_s) + u"1"_s;
    QTest::newRow("200 groups") << QString(200, u'(') + u"1+1"_s + QString(200, u')');
    QString bytes;
    QRandomGenerator random(20261207);
    for (int i = 0; i < 5000; ++i) bytes += QChar(char16_t(random.bounded(1, 0xD7FF)));
    QTest::newRow("random characters") << bytes;
    QTest::newRow("100000 characters") << QString(50000, u'1').replace(u"11"_s, u"1+"_s) + u"1"_s;
    QTest::newRow("100000 operators") << QString(100000, u'*');
}

void HostileTest::calculatorInput() {
    QFETCH(QString, expression);
    QStringList titles;
    Form3 calculator(nullptr, [&titles](const QString& title, const QString& text) {
        titles << title;
        QVERIFY2(text.startsWith(u"Error: "_s), qPrintable(text));
    });
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    auto* input = calculator.findChild<QPlainTextEdit*>(u"txtExpression"_s);
    QVERIFY(input);
    input->setPlainText(expression);
    calculator.findChild<QPushButton*>(u"cmdCalc"_s)->click();
    // Expected: an answer or the evaluator's own messages, titled with its methods' names.
    for (const QString& t : std::as_const(titles))
        QVERIFY2(QRegularExpression(u"^[A-Z][A-Za-z]+$"_s).match(t).hasMatch(), qPrintable(t));
    QVERIFY(!calculator.findChild<QLineEdit*>(u"Text2"_s)->text().isNull());
}

void HostileTest::brokenWorkbooks_data() {
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QString>("damage");
    for (const auto& s : vardo::mainwindow::sources()) {
        for (const QString& d : {u"empty"_s, u"truncated"_s, u"text"_s, u"directory"_s}) {
            QTest::newRow(qPrintable(s.workbook + u' ' + d)) << s.workbook << d;
        }
    }
}

void HostileTest::brokenWorkbooks() {
    // State: a copy of the sample data with one workbook damaged.
    QFETCH(QString, workbook);
    QFETCH(QString, damage);
    QTemporaryDir dir;
    const QDir sample(QStringLiteral(VARDO_SAMPLE_DATA));
    for (const QString& name : sample.entryList(QDir::Files))
        QVERIFY(QFile::copy(sample.filePath(name), dir.filePath(name)));
    const QString path = dir.filePath(workbook);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();
    QVERIFY(QFile::remove(path));
    if (damage == u"directory"_s) {
        QVERIFY(QDir(dir.path()).mkdir(workbook));
    } else {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        if (damage == u"truncated"_s) out.write(good.left(good.size() / 2));
        if (damage == u"text"_s) out.write("Это не книга Excel, а просто текст.\n");
    }

    // Action: start, then press everything. Expected: one message naming that workbook alone.
    Form1Fixture f(dir.path());
    QVERIFY(f.show());
    QTRY_VERIFY(!f.messages.isEmpty());
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages.first().contains(workbook), qPrintable(f.messages.first()));
    for (const auto& s : vardo::mainwindow::sources())
        if (s.workbook != workbook) QVERIFY(!f.messages.first().contains(s.workbook));
    f.messages.clear();
    pressEverything(f);
    for (const QString& m : std::as_const(f.messages)) QVERIFY2(isDefinedMessage(m), qPrintable(m));
    if (QWidget* about = f.window->aboutWindow()) about->close();
}

QTEST_MAIN(HostileTest)
#include "hostile_test.moc"
