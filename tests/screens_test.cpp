// Renders the windows in their main states to PNG files under the build folder, for a person to
// look at, and checks what a look would catch: captions and texts that do not fit their controls.

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include "about/form2.h"
#include "exprcalc/form3.h"
#include "tables/datasource.h"
#include "tests/support/form1fixture.h"

using namespace Qt::Literals::StringLiterals;
using vardo::testing::Form1Fixture;

namespace {

// Beside the test program, in the build folder, whatever the working directory is.
QString outputDir() {
    const QString dir = QCoreApplication::applicationDirPath() + u"/screens"_s;
    QDir().mkpath(dir);
    return dir;
}

void save(QWidget* window, const QString& name) {
    const QString path = outputDir() + u'/' + name + u".png"_s;
    QVERIFY2(window->grab().save(path), qPrintable(path));
}

// The width a control's text needs beyond what the control gives it; empty when everything fits.
QStringList clippedTexts(QWidget* root) {
    QStringList clipped;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || !w->isVisibleTo(root)) continue;
        const QFontMetrics fm(w->font());
        int need = 0, have = w->width();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->wordWrap() || label->text().isEmpty()) continue;
            need = fm.horizontalAdvance(label->text());
        } else if (auto* option = qobject_cast<QRadioButton*>(w)) {
            // The indicator, the spacing and the text, as the style lays them out.
            const QStyle* style = option->style();
            need = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option) +
                   style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option) +
                   fm.horizontalAdvance(option->text().trimmed());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->text().isEmpty()) continue;  // a picture button
            need = fm.horizontalAdvance(button->text()) + 6;
        } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            need = fm.horizontalAdvance(frame->title()) + 8;
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            // A text field must at least show its whole text when it is a short value.
            if (edit->text().size() > 8) continue;
            need = fm.horizontalAdvance(edit->text()) + 6;
        } else {
            continue;
        }
        if (need > have)
            clipped << u"%1 «%2» needs %3 px, has %4"_s
                           .arg(w->objectName(), w->property("text").toString())
                           .arg(need)
                           .arg(have);
    }
    return clipped;
}

}  // namespace

class ScreensTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void mainWindowStates_data();
    void mainWindowStates();
    void otherWindows();
    void everySampleRowFits();
};

void ScreensTest::mainWindowStates_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::newRow("start-up") << QStringList{};
    QTest::newRow("crossbeam") << QStringList{u"Command14"_s};
    QTest::newRow("allowable") << QStringList{u"Command14"_s, u"Command16"_s};
    QTest::newRow("mfs-table") << QStringList{u"Command21"_s};
    QTest::newRow("op-20-gpg") << QStringList{u"Option2"_s, u"Option6"_s, u"Option14"_s};
    QTest::newRow("ice-loads") << QStringList{u"Option12"_s, u"Option3"_s};
    // The worked example: arms, loads and span typed, then the chain of buttons.
    QTest::newRow("worked-example")
        << QStringList{u"txtL1=5"_s,  u"txtP2=4,5"_s,  u"txtG1=1,59"_s, u"txtG2=1,66"_s,
                       u"Option12"_s, u"txtGg1=2,5"_s, u"txtGg2=2,6"_s, u"txtProlet=70"_s,
                       u"Command1"_s, u"Command2"_s,   u"Command3"_s,   u"Command5"_s,
                       u"Command4"_s, u"Command6"_s,   u"Text21"_s,     u"Text22"_s};
}

void ScreensTest::mainWindowStates() {
    QFETCH(QStringList, clicks);
    Form1Fixture f;
    QVERIFY(f.show());
    // "name=text" types into a field; a bare name is a click.
    for (const QString& c : clicks) {
        const qsizetype eq = c.indexOf(u'=');
        if (eq < 0)
            f.click(c);
        else
            f.type(c.left(eq), c.mid(eq + 1));
    }
    save(f.window.get(), u"form1-"_s + QString::fromLatin1(QTest::currentDataTag()));
    const QStringList clipped = clippedTexts(f.window.get());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
}

void ScreensTest::otherWindows() {
    QDir::setCurrent(QStringLiteral(VARDO_SAMPLE_DATA));
    Form2 about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    save(&about, u"form2"_s);
    QStringList clipped = clippedTexts(&about);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
    Form3 calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    save(&calculator, u"form3"_s);
    clipped = clippedTexts(&calculator);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
}

void ScreensTest::everySampleRowFits() {
    // State: the sample workbooks. Action: step every data source through all its rows.
    // Expected: every row caption and value shown in its panel fits its label.
    Form1Fixture f;
    QVERIFY(f.show());
    QStringList clipped;
    for (auto* source : f.window->findChildren<vardo::tables::DataSource*>()) {
        QVERIFY2(source->rowCount() > 0, qPrintable(source->objectName()));
        for (int row = 0; row < source->rowCount(); ++row) {
            source->moveTo(row);
            for (QLabel* label : source->parentWidget()->findChildren<QLabel*>()) {
                if (label->objectName().isEmpty() || label->wordWrap()) continue;
                const int need = QFontMetrics(label->font()).horizontalAdvance(label->text());
                if (need > label->width())
                    clipped << u"%1 row %2: %3 «%4» needs %5 px, has %6"_s.arg(source->objectName())
                                   .arg(row + 1)
                                   .arg(label->objectName(), label->text())
                                   .arg(need)
                                   .arg(label->width());
            }
        }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
}

QTEST_MAIN(ScreensTest)
#include "screens_test.moc"
