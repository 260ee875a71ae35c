// Tests of the data source navigator: opening a workbook, moving between rows with the methods and
// with its buttons, and the fields bound to its columns by number and by header text.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "tables/datasource.h"
#include "tables/workbook.h"

using namespace vardo::tables;

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(VARDO_TEST_DATA "/") + name;
}
QString sample(const QString& name) {
    return QStringLiteral(VARDO_SAMPLE_DATA "/") + name;
}

Table threeRows() {
    Table t;
    t.header = {u"Lр"_qs, u""_qs, u"авар1"_qs};
    t.rows = {{u"16"_qs, u"1,45"_qs, u"285"_qs},
              {u"18"_qs, u"1,76"_qs, u"320"_qs},
              {u"20"_qs, u"1,84"_qs, u"356"_qs}};
    return t;
}

}  // namespace

class DataSourceTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void openShowsTheFirstRow() {
        DataSource source;
        QLabel caption(u"Label3"_qs);
        QLineEdit value(u"Text3"_qs);
        source.bindField(&caption, 0);
        source.bindField(&value, 1);
        QSignalSpy rows(&source, &DataSource::currentRowChanged);
        QVERIFY(source.open(sample(u"т11.1.xls"_qs)));
        const Table t = readWorkbook(sample(u"т11.1.xls"_qs)).table;
        QCOMPARE(source.currentRow(), 0);
        QCOMPARE(source.rowCount(), t.rowCount());
        QCOMPARE(caption.text(), t.rows[0][0]);
        QCOMPARE(value.text(), t.rows[0][1]);
        QCOMPARE(source.value(1), t.rows[0][1]);
        QCOMPARE(rows.count(), 1);
        QVERIFY(source.errorText().isEmpty());
    }

    void moves_data() {
        QTest::addColumn<QString>("moves");  // f p n l, or a digit for moveTo
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("signals");
        QTest::newRow("next to the end and beyond") << u"nnnn"_qs << QList<int>{1, 2, 2, 2} << 2;
        QTest::newRow("previous at the first") << u"pp"_qs << QList<int>{0, 0} << 0;
        QTest::newRow("last, then back") << u"lpp"_qs << QList<int>{2, 1, 0} << 3;
        QTest::newRow("first and last twice") << u"llff"_qs << QList<int>{2, 2, 0, 0} << 2;
        QTest::newRow("moveTo in and out of range") << u"29"_qs << QList<int>{2, 2} << 1;
    }
    void moves() {
        QFETCH(QString, moves);
        QFETCH(QList<int>, rows);
        QFETCH(int, signals);
        DataSource source;
        source.setTable(threeRows());
        QSignalSpy spy(&source, &DataSource::currentRowChanged);
        for (int i = 0; i < moves.size(); ++i) {
            const QChar m = moves[i];
            if (m == u'f')
                source.moveFirst();
            else if (m == u'p')
                source.movePrevious();
            else if (m == u'n')
                source.moveNext();
            else if (m == u'l')
                source.moveLast();
            else
                source.moveTo(m.digitValue());
            QCOMPARE(source.currentRow(), rows[i]);
        }
        QCOMPARE(spy.count(), signals);
    }

    void navigationButtonsMoveTheRow() {
        DataSource source;
        source.setObjectName(u"Data2"_qs);
        source.setGeometry(0, 0, 81, 25);
        source.setTable(threeRows());
        source.show();
        QVERIFY(QTest::qWaitForWindowExposed(&source));
        const auto click = [&](const char* name) {
            auto* button = source.findChild<QAbstractButton*>(QString::fromLatin1(name));
            QVERIFY(button && button->isVisible() && button->width() > 0);
            QTest::mouseClick(button, Qt::LeftButton);
        };
        click("moveNext");
        QCOMPARE(source.currentRow(), 1);
        click("moveLast");
        QCOMPARE(source.currentRow(), 2);
        click("movePrevious");
        QCOMPARE(source.currentRow(), 1);
        click("moveFirst");
        QCOMPARE(source.currentRow(), 0);
        QCOMPARE(source.findChild<QLabel*>(u"caption"_qs)->text(), u"Data2"_qs);
    }

    // From the keyboard: the bar takes the focus with Tab, and each arrow key presses its step
    // button (the button's clicked is seen, as for a click), writing the row into a field the
    // user typed over.
    void keysPressTheStepButtons_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("buttons");  // the step buttons pressed, in order
        using L = QList<int>;
        QTest::newRow("right, down, beyond the last")
            << L{Qt::Key_Right, Qt::Key_Down, Qt::Key_Right} << L{1, 2, 2} << u"nnn"_qs;
        QTest::newRow("end, left, up")
            << L{Qt::Key_End, Qt::Key_Left, Qt::Key_Up} << L{2, 1, 0} << u"lpp"_qs;
        QTest::newRow("page down, home")
            << L{Qt::Key_PageDown, Qt::Key_Home} << L{2, 0} << u"lf"_qs;
        QTest::newRow("page up at the first, then a letter")
            << L{Qt::Key_PageUp, Qt::Key_A} << L{0, 0} << u"f"_qs;
    }
    void keysPressTheStepButtons() {
        QFETCH(QList<int>, keys);
        QFETCH(QList<int>, rows);
        QFETCH(QString, buttons);
        QWidget window;
        QLineEdit before(&window);
        auto* source = new DataSource(&window);
        source->setGeometry(0, 30, 81, 25);
        QLineEdit value(u"typed"_qs);
        source->bindField(&value, 1);
        source->setTable(threeRows());
        QString pressed;
        for (const auto& [name, mark] :
             {std::pair{"moveFirst", u'f'}, std::pair{"movePrevious", u'p'},
              std::pair{"moveNext", u'n'}, std::pair{"moveLast", u'l'}}) {
            auto* button = source->findChild<QAbstractButton*>(QString::fromLatin1(name));
            QVERIFY(button);
            QObject::connect(button, &QAbstractButton::clicked, &window,
                             [&pressed, m = mark] { pressed += m; });
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before.setFocus();
        QTest::keyClick(&before, Qt::Key_Tab);
        QVERIFY(source->hasFocus());
        for (qsizetype i = 0; i < keys.size(); ++i) {
            value.setText(u"typed"_qs);
            QTest::keyClick(source, Qt::Key(keys[i]));
            QCOMPARE(source->currentRow(), rows[i]);
            if (i < buttons.size()) QCOMPARE(value.text(), threeRows().rows[rows[i]][1]);
        }
        QCOMPARE(pressed, buttons);
    }

    void captionReadsAsTextUnlessFocused() {
        // State: a navigator without the focus, then with it, then without again. Expected: its
        // caption is drawn as any label's text, highlighted only while it has the focus.
        QWidget window;
        QLineEdit before(&window);
        auto* source = new DataSource(&window);
        source->setGeometry(0, 30, 81, 25);
        source->setTable(threeRows());
        auto* caption = source->findChild<QLabel*>(u"caption"_qs);
        QVERIFY(caption);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before.setFocus();
        QCOMPARE(caption->foregroundRole(), QPalette::WindowText);
        QVERIFY(!caption->autoFillBackground());
        QTest::keyClick(&before, Qt::Key_Tab);
        QVERIFY(source->hasFocus());
        QCOMPARE(caption->foregroundRole(), QPalette::HighlightedText);
        QVERIFY(caption->autoFillBackground());
        before.setFocus();
        QCOMPARE(caption->foregroundRole(), QPalette::WindowText);
        QVERIFY(!caption->autoFillBackground());
    }

    // Bound text fields raise textChanged on every row change that changes their text; a move
    // that stays on its row writes the row again over what the user typed.
    void boundLineEditRaisesTextChanged() {
        DataSource source;
        QLineEdit field(u"Text20"_qs);
        source.bindField(&field, 2);
        QSignalSpy changes(&field, &QLineEdit::textChanged);
        source.setTable(threeRows());
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.last().at(0).toString(), u"285"_qs);
        source.moveNext();
        QCOMPARE(changes.count(), 2);
        QCOMPARE(field.text(), u"320"_qs);
        source.moveLast();
        source.moveNext();  // stays on the last row, same text: no change
        QCOMPARE(changes.count(), 3);
        field.setText(u"1000"_qs);
        source.moveNext();
        QCOMPARE(field.text(), u"356"_qs);
        QCOMPARE(changes.count(), 5);
    }

    void designTextsKeptWhenOpenFails() {
        DataSource source;
        QLabel label(u"Label3"_qs);
        QLineEdit edit(u"Text20"_qs);
        source.bindField(&label, 0);
        source.bindField(&edit, u"авар"_qs);
        QSignalSpy changes(&edit, &QLineEdit::textChanged);
        QVERIFY(!source.open(fixture(u"без_листа.xls"_qs)));
        QCOMPARE(source.errorText(), describe(ReadError::NoSheet));
        QVERIFY(!source.open(fixture(u"нет такого.xls"_qs)));
        QCOMPARE(source.errorText(), u"файл не найден"_qs);
        source.moveNext();
        source.moveLast();
        QCOMPARE(source.currentRow(), -1);
        QCOMPARE(source.rowCount(), 0);
        QCOMPARE(label.text(), u"Label3"_qs);
        QCOMPARE(edit.text(), u"Text20"_qs);
        QCOMPARE(changes.count(), 0);
    }

    void bindingByHeaderText_data() {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("text");  // the field's text after setTable
        QTest::newRow("header text") << u"авар1"_qs << u"285"_qs;
        QTest::newRow("Cyrillic р in Lр") << u"Lр"_qs << u"16"_qs;
        QTest::newRow("Latin p is another name") << u"Lp"_qs << u"design"_qs;
        QTest::newRow("blank header as F2") << u"F2"_qs << u"1,45"_qs;
        QTest::newRow("F1 has a header text") << u"F1"_qs << u"design"_qs;
        QTest::newRow("no such column") << u"норм в"_qs << u"design"_qs;
    }
    void bindingByHeaderText() {
        QFETCH(QString, header);
        QFETCH(QString, text);
        DataSource source;
        QLineEdit field(u"design"_qs);
        source.bindField(&field, header);
        source.setTable(threeRows());
        QCOMPARE(field.text(), text);
    }

    void bindingAfterOpenAndRebinding() {
        DataSource source;
        source.setTable(threeRows());
        source.moveNext();
        QLabel label(u"Label9"_qs);
        source.bindField(&label, 0);  // shown at once
        QCOMPARE(label.text(), u"18"_qs);
        source.bindField(&label, 2);  // replaces the first binding
        source.moveNext();
        QCOMPARE(label.text(), u"356"_qs);
        source.bindField(&label, 7);  // a column the table lacks: the text stays
        source.moveFirst();
        QCOMPARE(label.text(), u"356"_qs);
    }

    void emptyTableKeepsDesignTexts() {
        DataSource source;
        QLineEdit field(u"Text3"_qs);
        source.bindField(&field, 0);
        Table headerOnly;
        headerOnly.header = {u"Lр"_qs};
        source.setTable(headerOnly);
        source.moveLast();
        QCOMPARE(source.currentRow(), -1);
        QCOMPARE(source.value(0), QString());
        QCOMPARE(field.text(), u"Text3"_qs);
    }

    void plainTextAndDeletedFields() {
        DataSource source;
        QPlainTextEdit plain(u"design"_qs);
        auto* gone = new QLineEdit;
        source.bindField(&plain, 1);
        source.bindField(gone, 0);
        QSignalSpy changes(&plain, &QPlainTextEdit::textChanged);
        source.setTable(threeRows());
        source.moveFirst();  // same text: no change event
        QCOMPARE(plain.toPlainText(), u"1,45"_qs);
        QCOMPARE(changes.count(), 1);
        delete gone;
        source.moveNext();  // the deleted field is passed over
        QCOMPARE(plain.toPlainText(), u"1,76"_qs);
    }
};

QTEST_MAIN(DataSourceTest)
#include "datasource_test.moc"
