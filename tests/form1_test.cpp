// The main window driven as a user drives it: start-up state, the panel switches, reset and new
// calculation, clicks on fields, the pick pointer, the layout, and workbooks that cannot be read.

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include "core/catalogue.h"
#include "mainwindow/builder.h"
#include "mainwindow/inventory.h"
#include "mainwindow/pickcursor.h"
#include "mainwindow/windowsdirectory.h"
#include "tests/support/form1fixture.h"
#include "tests/support/recordingsheet.h"

using namespace Qt::Literals::StringLiterals;
using vardo::testing::Form1Fixture;

namespace {

// The control a user's click at the centre of `widget` reaches, seen from the window.
QWidget* topmostAt(QWidget* window, QWidget* widget) {
    return window->childAt(widget->mapTo(window, widget->rect().center()));
}

bool isOrContains(QWidget* outer, QWidget* inner) {
    for (QWidget* w = inner; w; w = w->parentWidget())
        if (w == outer) return true;
    return false;
}

QStringList itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

// One notch of the mouse wheel over the middle of the list, as the mouse sends it: away from the
// user (up) is a positive angle.
void wheelNotch(QComboBox* list, int notches) {
    const QPointF at = QRectF(list->rect()).center();
    QWheelEvent wheel(at, list->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &wheel);
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void catalogueIsTheWindow();
    void startUpState_data();
    void startUpState();
    void startUpSelections();
    void startUpFocus();
    void listsKeepTypedText_data();
    void listsKeepTypedText();
    void listPositionFollowsText();
    void typingInsideTheTextKeepsTheCursor();
    void wheelChangesOnlyTheFocusedList_data();
    void wheelChangesOnlyTheFocusedList();
    void windowGeometry();
    void windowFontIsOneInstalledFamily_data();
    void windowFontIsOneInstalledFamily();
    void placesInPixels_data();
    void placesInPixels();
    void stacking_data();
    void stacking();
    void resetTouchesOnlyArms();
    void newCalculationWhileCrossbeamPanelOpen();
    void backFromAllowableShowsMfsButtons();
    void mouseClickEmptiesTypedField();
    void keyboardFocusLeavesFieldAlone();
    void pickPointer();
    void cursorBytes_data();
    void cursorBytes();
    void windowsDirectoryBuffer_data();
    void windowsDirectoryBuffer();
    void missingWorkbooksAreToldOnce();
    void exitWaitsForOtherWindows();
    void launchers();
    void unexpectedFileDialogIsClosedAndNamed();
};

void Form1Test::startUpState_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("text");
    const auto row = [](const QString& name, bool shown, const QString& text = u"?"_s) {
        QTest::newRow(qPrintable(name)) << name << shown << text;
    };
    for (const QString& n : vardo::numberedNames(u"txtG"_s, 1, 8)) row(n, true, u"0"_s);
    for (const QString& n : vardo::numberedNames(u"txtGg"_s, 1, 8)) row(n, false, u"0"_s);
    for (const QString& n :
         vardo::numberedNames(u"txtL"_s, 1, 8) + vardo::numberedNames(u"txtP"_s, 1, 8))
        row(n, true, u"0"_s);
    row(u"Label12"_s, true, u"G"_s);
    row(u"Label13"_s, false, u"Gг"_s);
    row(u"frmF1"_s, true);
    for (const QString& n : vardo::numberedNames(u"frmF"_s, 2, 5)) row(n, false);
    row(u"Frame14"_s, true);
    row(u"Frame2"_s, false);
    row(u"Frame20"_s, false);
    row(u"Frame29"_s, true);
    row(u"Frame11"_s, true);
    row(u"Label10"_s, true, u"0"_s);
    row(u"Label11"_s, true, u"0"_s);
    for (const QString& n : vardo::numberedNames(u"Command"_s, 3, 6)) row(n, false);
    row(u"Text21"_s, false, u"0"_s);
    row(u"Text22"_s, false, u"0"_s);
    row(u"Text18"_s, false);
    row(u"Command24"_s, true, u"Калькулятор"_s);
    row(u"Command25"_s, false, u"Калькулятор"_s);
    row(u"Combo1"_s, true, u"1,59"_s);
    row(u"Combo2"_s, true, u"131"_s);
    row(u"Data7"_s, true);
    row(u"Data8"_s, false);
    row(u"Label14"_s, true, QString());
    row(u"Label22"_s, true, QString());
    row(u"Label49"_s, true, QString());
}

void Form1Test::startUpState() {
    // State: a freshly started window with the sample workbooks.
    QFETCH(QString, name);
    QFETCH(bool, shown);
    QFETCH(QString, text);
    Form1Fixture f;
    QVERIFY(f.show());
    QVERIFY2(f.get(name), "control exists");
    QCOMPARE(f.shown(name), shown);
    if (text != u"?"_s) QCOMPARE(f.text(name), text);
    QVERIFY(f.messages.isEmpty());
}

void Form1Test::startUpSelections() {
    Form1Fixture f;
    QVERIFY(f.show());
    for (const QString& n :
         {u"Option4"_s, u"Option11"_s, u"Option9"_s, u"Option8"_s, u"Option1"_s, u"Option16"_s})
        QVERIFY2(f.checked(n), qPrintable(n));
    // The combo lists are as the sheet gives them.
    QCOMPARE(itemsOf(f.get<QComboBox>(u"Combo1"_s)), (QStringList{u"1,59"_s, u"1,66"_s}));
    QCOMPARE(itemsOf(f.get<QComboBox>(u"Combo2"_s)),
             (QStringList{u"114"_s, u"118"_s, u"38"_s, u"43"_s, u"131"_s}));
}

void Form1Test::startUpFocus() {
    // State: the window just opened and active. Expected: the focus is on "П", the first control
    // in the tab order that takes it, and "П" is selected.
    Form1Fixture f;
    QVERIFY(f.show());
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    QWidget* option1 = f.get(u"Option1"_s);
    QVERIFY(option1);
    QCOMPARE(f.window->focusWidget(), option1);
    QCOMPARE(QApplication::focusWidget(), option1);
    QVERIFY(option1->hasFocus());
    QVERIFY(f.checked(u"Option1"_s));
}

void Form1Test::listsKeepTypedText_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("endKey");  // the key that ends the entry: Tab, Enter or none
    const auto row = [](const char* tag, const QString& list, const QString& typed, int key) {
        QTest::newRow(tag) << list << typed << key;
    };
    // Texts that begin a list entry but are not one: nothing completes them.
    row("h/b 1,6 Tab", u"Combo1"_s, u"1,6"_s, Qt::Key_Tab);
    row("h/b 1,5 Tab", u"Combo1"_s, u"1,5"_s, Qt::Key_Tab);
    row("h/b 1,6 Enter", u"Combo1"_s, u"1,6"_s, Qt::Key_Return);
    row("h/b 1 as typed", u"Combo1"_s, u"1"_s, 0);
    row("Gт 13 Tab", u"Combo2"_s, u"13"_s, Qt::Key_Tab);
    row("Gт 11 Tab", u"Combo2"_s, u"11"_s, Qt::Key_Tab);
    row("Gт 4 Enter", u"Combo2"_s, u"4"_s, Qt::Key_Enter);
    row("Gт 3 as typed", u"Combo2"_s, u"3"_s, 0);
    // Texts that are entries, and texts that are no number at all.
    row("h/b 1,66 Enter", u"Combo1"_s, u"1,66"_s, Qt::Key_Return);
    row("Gт 118 Tab", u"Combo2"_s, u"118"_s, Qt::Key_Tab);
    row("Gт 38 Enter", u"Combo2"_s, u"38"_s, Qt::Key_Return);
    row("Gт 1 Enter", u"Combo2"_s, u"1"_s, Qt::Key_Return);
    row("h/b 1.59 Enter", u"Combo1"_s, u"1.59"_s, Qt::Key_Return);
    row("Gт abc Tab", u"Combo2"_s, u"abc"_s, Qt::Key_Tab);
}

void Form1Test::listsKeepTypedText() {
    // State: the window open and active. Action: the user types into a list and ends the entry.
    // Expected: the text stays exactly as typed, the list itself is unchanged, and the list's
    // position is the entry equal to the text (none when no entry is).
    QFETCH(QString, list);
    QFETCH(QString, typed);
    QFETCH(int, endKey);
    Form1Fixture f;
    QVERIFY(f.show());
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    auto* combo = f.get<QComboBox>(list);
    QVERIFY(combo);
    const QStringList items = itemsOf(combo);

    f.typeInList(list, typed);
    QCOMPARE(combo->currentText(), typed);
    if (endKey != 0) {
        QTest::keyClick(combo, Qt::Key(endKey));
        if (endKey == Qt::Key_Tab) QVERIFY(!combo->hasFocus());  // the entry was left
    }
    QCOMPARE(combo->currentText(), typed);
    QCOMPARE(combo->lineEdit()->text(), typed);
    QCOMPARE(f.text(list), typed);
    QCOMPARE(itemsOf(combo), items);
    QCOMPARE(combo->currentIndex(), items.indexOf(typed));
    // Leaving the window's focus altogether does not change it either.
    combo->setFocus();
    f.get(u"txtProlet"_s)->setFocus();
    QCOMPARE(f.text(list), typed);
    QVERIFY(f.messages.isEmpty());
}

void Form1Test::listPositionFollowsText() {
    // State: a fresh window. Expected: each list's position is the entry its text shows.
    Form1Fixture f;
    QVERIFY(f.show());
    for (const QString& name : {u"Combo1"_s, u"Combo2"_s}) {
        auto* combo = f.get<QComboBox>(name);
        QVERIFY(combo->currentIndex() >= 0);
        QCOMPARE(combo->itemText(combo->currentIndex()), combo->currentText());
    }
    QCOMPARE(f.get<QComboBox>(u"Combo2"_s)->currentText(), u"131"_s);
    // A text set by the program (as a calculation file does) moves the position with it.
    auto* combo2 = f.get<QComboBox>(u"Combo2"_s);
    f.window->sheet().setText(u"Combo2"_s, u"38"_s);
    QCOMPARE(combo2->currentText(), u"38"_s);
    QCOMPARE(combo2->itemText(combo2->currentIndex()), u"38"_s);
    f.window->sheet().setText(u"Combo2"_s, u"44"_s);
    QCOMPARE(combo2->currentText(), u"44"_s);
    QCOMPARE(combo2->currentIndex(), -1);
    f.window->sheet().setText(u"Combo2"_s, u"131"_s);
    QCOMPARE(combo2->currentIndex(), 4);
}

void Form1Test::typingInsideTheTextKeepsTheCursor() {
    // State: Gт shows the entry "131". Action: Home, then "4" and "5" typed before it.
    // Expected: "45131": the position leaving the entry does not move the cursor or the text.
    Form1Fixture f;
    QVERIFY(f.show());
    auto* combo = f.get<QComboBox>(u"Combo2"_s);
    combo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(combo, Qt::Key_Home);
    QTest::keyClicks(combo, u"45"_s);
    QCOMPARE(combo->currentText(), u"45131"_s);
    QCOMPARE(combo->lineEdit()->cursorPosition(), 2);
    QCOMPARE(combo->currentIndex(), -1);
    // Deleting the two digits again brings the entry back.
    QTest::keyClick(combo, Qt::Key_Backspace);
    QTest::keyClick(combo, Qt::Key_Backspace);
    QCOMPARE(combo->currentText(), u"131"_s);
    QCOMPARE(combo->currentIndex(), 4);
    QCOMPARE(combo->lineEdit()->cursorPosition(), 0);
}

void Form1Test::wheelChangesOnlyTheFocusedList_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("notches");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<QString>("expected");
    // Without the focus nothing changes, whichever way the wheel turns.
    QTest::newRow("h/b unfocused, down") << u"Combo1"_s << -1 << false << u"1,59"_s;
    QTest::newRow("h/b unfocused, up") << u"Combo1"_s << 1 << false << u"1,59"_s;
    QTest::newRow("Gт unfocused, down") << u"Combo2"_s << -1 << false << u"131"_s;
    QTest::newRow("Gт unfocused, up") << u"Combo2"_s << 1 << false << u"131"_s;
    // With the focus the wheel steps from the entry the text shows: "131" is the last of Gт's.
    QTest::newRow("h/b focused, down") << u"Combo1"_s << -1 << true << u"1,66"_s;
    QTest::newRow("Gт focused, up") << u"Combo2"_s << 1 << true << u"43"_s;
    QTest::newRow("Gт focused, down at the end") << u"Combo2"_s << -1 << true << u"131"_s;
}

void Form1Test::wheelChangesOnlyTheFocusedList() {
    QFETCH(QString, list);
    QFETCH(int, notches);
    QFETCH(bool, focused);
    QFETCH(QString, expected);
    Form1Fixture f;
    QVERIFY(f.show());
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    auto* combo = f.get<QComboBox>(list);
    // The user works in a list by clicking into its text.
    if (focused) QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    QCOMPARE(combo->hasFocus(), focused);
    wheelNotch(combo, notches);
    QCOMPARE(combo->currentText(), expected);
    QCOMPARE(combo->itemText(combo->currentIndex()), expected);
}

void Form1Test::windowFontIsOneInstalledFamily_data() {
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<double>("points");
    QTest::newRow("plain") << false << false << 8.25;
    QTest::newRow("bold") << true << false << 8.25;
    QTest::newRow("bold italic") << true << true << 8.25;
    QTest::newRow("indicator") << true << false << 9.75;
}

void Form1Test::windowFontIsOneInstalledFamily() {
    // Expected: the window's font names one family, an installed one, so that Qt never searches
    // for the fallbacks of the families that are not; and it draws every style the window uses
    // pixel for pixel as the whole list of families the window asks for would.
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(double, points);
    QFont font = vardo::mainwindow::baseFont();
    QCOMPARE(font.families().size(), 1);
    QVERIFY2(QFontDatabase::families().contains(font.families().first()),
             qPrintable(font.families().first()));
    QFont asked = font;
    asked.setFamilies({u"MS Sans Serif"_s, u"Microsoft Sans Serif"_s, u"Liberation Sans"_s,
                       u"Arial"_s, u"DejaVu Sans"_s});
    for (QFont* f : {&font, &asked}) {
        f->setBold(bold);
        f->setItalic(italic);
        f->setPointSizeF(points);
    }
    QCOMPARE(QFontInfo(font).family(), QFontInfo(asked).family());
    QCOMPARE(QFontInfo(font).styleName(), QFontInfo(asked).styleName());
    const auto drawn = [](const QFont& f) {
        QImage image(240, 24, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(f);
        painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter,
                         u"Мо от подвески 1,59 Gг"_s);
        return image;
    };
    QCOMPARE(drawn(font), drawn(asked));
}

void Form1Test::windowGeometry() {
    Form1Fixture f;
    QVERIFY(f.show());
    // The caption "Vardo v1.0" stays in the title, after the calculation's name as desktop
    // programs write it; the title the window system shows has no modified mark at start.
    QVERIFY(f.window->windowTitle().endsWith(u" — Vardo v1.0"_s));
    QCOMPARE(f.window->windowHandle()->title(), u"Без имени — Vardo v1.0"_s);
    QCOMPARE(f.window->size(), QSize(717, 425));  // 10755 x 6375 twips
    // Bold italic captions and fields.
    for (const QString& n : {u"Frame19"_s, u"Frame18"_s, u"Frame16"_s, u"Frame17"_s, u"Text21"_s}) {
        QVERIFY2(f.get(n)->font().bold() && f.get(n)->font().italic(), qPrintable(n));
    }
    // The design-moment labels are red, the allowable-moment labels blue and bold.
    QCOMPARE(f.get(u"Label22"_s)->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(f.get(u"Label33"_s)->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QVERIFY(f.get(u"Label33"_s)->font().bold());
    // A frame's bold caption does not make what it holds bold.
    QVERIFY(!f.get(u"Command1"_s)->font().bold());
}

void Form1Test::placesInPixels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    // Twips divided by 15, relative to the container.
    QTest::newRow("Command23") << u"Command23"_s << QRect(464, 392, 113, 25);
    QTest::newRow("txtL1") << u"txtL1"_s << QRect(32, 167, 33, 19);
    QTest::newRow("txtP8") << u"txtP8"_s << QRect(648, 168, 33, 19);
    QTest::newRow("txtG5") << u"txtG5"_s << QRect(392, 232, 33, 19);
    QTest::newRow("Frame20") << u"Frame20"_s << QRect(8, 16, 697, 241);
    QTest::newRow("Data7") << u"Data7"_s << QRect(304, 112, 81, 28);
    QTest::newRow("Text13") << u"Text13"_s << QRect(0, 8, 41, 23);
    QTest::newRow("Label30") << u"Label30"_s << QRect(144, 16, 81, 25);
}

void Form1Test::placesInPixels() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    Form1Fixture f;
    QCOMPARE(f.get(name)->geometry(), place);
}

void Form1Test::stacking_data() {
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("openWith");  // a button that shows the upper one, or ""
    QTest::newRow("Мфс over Mфс") << u"Frame29"_s << u"Frame11"_s << QString();
    QTest::newRow("allowable over data entry") << u"Frame20"_s << u"Frame1"_s << u"Command16"_s;
    QTest::newRow("crossbeam over suspension") << u"Frame2"_s << u"Frame14"_s << u"Command14"_s;
}

void Form1Test::stacking() {
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QFETCH(QString, openWith);
    Form1Fixture f;
    QVERIFY(f.show());
    if (!openWith.isEmpty()) {
        f.click(u"Command14"_s);
        if (openWith != u"Command14"_s) f.click(openWith);
    }
    QVERIFY(f.shown(upper));
    QVERIFY(f.shown(lower));
    QWidget* hit = topmostAt(f.window.get(), f.get(upper));
    QVERIFY2(isOrContains(f.get(upper), hit), qPrintable(hit ? hit->objectName() : u"none"_s));
}

void Form1Test::resetTouchesOnlyArms() {
    // State: arms, loads, span and a result typed in. Action: "Сброс". Expected: arms "0" only.
    Form1Fixture f;
    QVERIFY(f.show());
    for (const QString& n :
         vardo::numberedNames(u"txtL"_s, 1, 8) + vardo::numberedNames(u"txtP"_s, 1, 8))
        f.type(n, u"1,5"_s);
    f.type(u"txtG3"_s, u"12"_s);
    f.type(u"txtProlet"_s, u"60"_s);
    f.window->sheet().setText(u"Label10"_s, u"14,3207"_s);
    f.click(u"Command10"_s);
    for (const QString& n :
         vardo::numberedNames(u"txtL"_s, 1, 8) + vardo::numberedNames(u"txtP"_s, 1, 8))
        QCOMPARE(f.text(n), u"0"_s);
    QCOMPARE(f.text(u"txtG3"_s), u"12"_s);
    QCOMPARE(f.text(u"txtProlet"_s), u"60"_s);
    QCOMPARE(f.text(u"Label10"_s), u"14,3207"_s);
    QVERIFY(f.messages.isEmpty());
}

void Form1Test::newCalculationWhileCrossbeamPanelOpen() {
    Form1Fixture f;
    QVERIFY(f.show());
    f.click(u"Command14"_s);
    auto& sheet = f.window->sheet();
    for (const QString& n : {u"Label22"_s, u"Label23"_s, u"Label24"_s, u"Label30"_s, u"Label31"_s,
                             u"Label32"_s, u"Label14"_s, u"Label20"_s, u"Label10"_s})
        sheet.setText(n, u"5"_s);
    for (const QString& n : {u"Command3"_s, u"Command5"_s, u"Text21"_s}) sheet.setVisible(n, true);
    f.type(u"txtGp"_s, u"7"_s);
    f.type(u"Text18"_s, u"999"_s);
    sheet.setText(u"Combo1"_s, u"1,6"_s);
    f.click(u"Command23"_s);
    QVERIFY(f.shown(u"Frame2"_s));
    for (const QString& n : {u"Label22"_s, u"Label23"_s, u"Label24"_s, u"Label30"_s, u"Label31"_s,
                             u"Label32"_s, u"Label14"_s, u"Label20"_s})
        QCOMPARE(f.text(n), QString());
    QCOMPARE(f.text(u"Label10"_s), u"0"_s);
    QCOMPARE(f.text(u"txtGp"_s), u"0"_s);
    for (const QString& n : {u"Command3"_s, u"Command5"_s, u"Text21"_s}) QVERIFY(!f.shown(n));
    // Left alone: the lists and the Мфс values.
    QCOMPARE(f.text(u"Combo1"_s), u"1,6"_s);
    QCOMPARE(f.text(u"Text18"_s), u"999"_s);
}

void Form1Test::backFromAllowableShowsMfsButtons() {
    // State: the Мфс table opened with "Мфс >0", then the allowable moments with "Сравнить".
    Form1Fixture f;
    QVERIFY(f.show());
    f.click(u"Command21"_s);
    QVERIFY(f.shown(u"Frame11"_s));
    QVERIFY(!f.shown(u"Frame29"_s));
    f.click(u"Command14"_s);
    f.click(u"Command16"_s);
    QVERIFY(f.shown(u"Frame20"_s));
    f.click(u"Command17"_s);
    // Expected: the Мфс buttons are back and cover the table panel.
    QVERIFY(!f.shown(u"Frame20"_s));
    QVERIFY(f.shown(u"Frame29"_s));
    QVERIFY(isOrContains(f.get(u"Frame29"_s), topmostAt(f.window.get(), f.get(u"Frame29"_s))));
    // "Скрыть" blanks the indicator.
    f.click(u"Command21"_s);
    f.click(u"Command22"_s);
    QVERIFY(!f.shown(u"Frame11"_s));
    QCOMPARE(f.text(u"Label49"_s), QString());
}

void Form1Test::mouseClickEmptiesTypedField() {
    Form1Fixture f;
    QVERIFY(f.show());
    for (const QString& n : {u"txtProlet"_s, u"txtLp"_s, u"txtVm"_s, u"txtL3"_s, u"txtP8"_s}) {
        f.type(n, u"12,5"_s);
        f.click(n);
        QCOMPARE(f.text(n), QString());
    }
}

void Form1Test::keyboardFocusLeavesFieldAlone() {
    Form1Fixture f;
    QVERIFY(f.show());
    f.type(u"txtL2"_s, u"3,25"_s);
    QTest::keyClick(f.get(u"txtL2"_s), Qt::Key_Tab);
    f.get(u"txtL3"_s)->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.text(u"txtL2"_s), u"3,25"_s);
    QCOMPARE(f.text(u"txtL3"_s), u"0"_s);
}

void Form1Test::pickPointer() {
    // With the cursor file: a picture pointer on the pick fields, the standard one elsewhere.
    {
        Form1Fixture f;
        for (const QString& n :
             {u"Text21"_s, u"txtG1"_s, u"txtGg8"_s, u"txtGp"_s, u"txtPp"_s, u"txtGpg"_s})
            QCOMPARE(f.get(n)->cursor().shape(), Qt::BitmapCursor);
        // The fields emptied by a click keep a text field's own pointer.
        for (const QString& n : {u"txtL1"_s, u"txtProlet"_s})
            QCOMPARE(f.get(n)->cursor().shape(), Qt::IBeamCursor);
        QCOMPARE(f.get(u"Command1"_s)->cursor().shape(), Qt::ArrowCursor);
    }
    // Without it: the fallback pointer, still different from the standard one.
    QTemporaryDir empty;
    Form1Fixture f(empty.path());
    QCOMPARE(f.get(u"txtG1"_s)->cursor().shape(), vardo::mainwindow::fallbackPickCursor().shape());
    QVERIFY(f.get(u"txtG1"_s)->cursor().shape() != Qt::ArrowCursor);
}

void Form1Test::cursorBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QFile file(QStringLiteral(VARDO_SAMPLE_DATA "/32761.CUR"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << good.left(6);
    QTest::newRow("truncated image") << good.left(200);
    QByteArray icon = good;
    icon[2] = 1;  // an icon, not a cursor
    QTest::newRow("icon type") << icon;
    QByteArray hotspot = good;
    hotspot[10] = char(200);  // hotspot outside the picture
    QTest::newRow("hotspot outside") << hotspot;
    QTest::newRow("text") << QByteArray("not a cursor at all, just some text in a file");
}

void Form1Test::cursorBytes() {
    // Every damaged cursor file is refused rather than read into a broken pointer.
    QFETCH(QByteArray, bytes);
    QVERIFY(!vardo::mainwindow::cursorFromCurData(bytes).has_value());
}

void Form1Test::windowsDirectoryBuffer_data() {
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<unsigned>("returned");
    QTest::addColumn<QString>("expected");
    QTest::newRow("C:\\WINDOWS") << QByteArray("C:\\WINDOWS\0         ", 20) << 10u
                                 << u"C:\\WINDOWS"_s;
    QTest::newRow("19 characters")
        << QByteArray("C:\\Windows\\System12\0", 20) << 19u << u"C:\\Windows\\System12"_s;
    QTest::newRow("does not fit") << QByteArray(20, ' ') << 25u << QString();
    QTest::newRow("exactly 20") << QByteArray(20, ' ') << 20u << QString();
    QTest::newRow("nothing") << QByteArray(20, ' ') << 0u << QString();
}

void Form1Test::windowsDirectoryBuffer() {
    QFETCH(QByteArray, buffer);
    QFETCH(unsigned, returned);
    QFETCH(QString, expected);
    QCOMPARE(vardo::mainwindow::windowsDirectoryFromBuffer(buffer.constData(), 20, returned),
             expected);
}

void Form1Test::missingWorkbooksAreToldOnce() {
    // State: a working directory without workbooks. Expected: one message naming every workbook,
    // the fields keep their design texts, and the calculation still works.
    QTemporaryDir empty;
    Form1Fixture f(empty.path());
    QVERIFY(f.show());
    QTRY_COMPARE(f.messages.size(), 1);
    for (const vardo::mainwindow::SourceRow& s : vardo::mainwindow::sources())
        QVERIFY2(f.messages.first().contains(s.workbook), qPrintable(s.workbook));
    // The folders searched, the working directory first.
    QVERIFY2(f.messages.first().contains(u"искались в папках:\n"_s +
                                         QDir::toNativeSeparators(empty.path()) + u'\n'),
             qPrintable(f.messages.first()));
    QCOMPARE(f.text(u"Text3"_s), u"Text3"_s);
    QCOMPARE(f.text(u"Label1"_s), QString());
    QCOMPARE(f.text(u"Text18"_s), u"320"_s);
    f.type(u"txtL1"_s, u"2"_s);
    f.click(u"Command10"_s);
    QCOMPARE(f.text(u"txtL1"_s), u"0"_s);
    QCOMPARE(f.messages.size(), 1);
}

void Form1Test::exitWaitsForOtherWindows() {
    Form1Fixture f;
    QVERIFY(f.show());
    f.click(u"Command19"_s);
    QWidget* about = f.window->aboutWindow();
    QVERIFY(about);
    QVERIFY(about->isVisible());
    f.click(u"Command18"_s);
    QVERIFY(!f.window->isVisible());
    QVERIFY(about->isVisible());  // the program goes on while the About window is open
    about->close();
}

void Form1Test::launchers() {
    Form1Fixture f;
    QVERIFY(f.show());
    f.click(u"Command24"_s);
    QCOMPARE(f.calculatorStarts.size(), 1);
    f.click(u"Option17"_s);
    QVERIFY(f.checked(u"Option17"_s));
    QVERIFY(!f.checked(u"Option16"_s));  // the two launcher options exclude each other
    QVERIFY(!f.shown(u"Command24"_s));
    QVERIFY(f.shown(u"Command25"_s));
    f.click(u"Command25"_s);
    QWidget* calculator = f.window->calculatorWindow();
    QVERIFY(calculator);
    f.click(u"Command25"_s);
    QCOMPARE(f.window->calculatorWindow(), calculator);  // one window, not two
    calculator->close();
    QTRY_VERIFY(!f.window->calculatorWindow());
    f.click(u"Option16"_s);
    QVERIFY(f.shown(u"Command24"_s));
    QVERIFY(!f.shown(u"Command25"_s));
}

void Form1Test::catalogueIsTheWindow() {
    // The catalogue names exactly the window's controls: one widget (or diagram line) per name.
    QStringList inventory;
    for (const vardo::mainwindow::ControlRow& row : vardo::mainwindow::controls())
        inventory << row.name;
    for (const vardo::mainwindow::DiagramLine& line : vardo::mainwindow::diagramLines())
        inventory << line.name;
    QStringList catalogue = vardo::catalogue::allNames();
    inventory.sort();
    catalogue.sort();
    QCOMPARE(inventory, catalogue);
    Form1Fixture f;
    for (const vardo::mainwindow::ControlRow& row : vardo::mainwindow::controls())
        QVERIFY2(f.window->findChild<QWidget*>(row.name), qPrintable(row.name));
}

void Form1Test::unexpectedFileDialogIsClosedAndNamed() {
    // State: a window whose file dialogs are the real ones, which the fixture does not replace.
    // Action: "Открыть". Expected: the modal dialog does not wait for a user; the guard closes it,
    // the click ends as a cancelled open, and the guard names the dialog.
    Form1Fixture f;
    QVERIFY(f.show());
    const QString before = f.text(u"txtProlet"_s);
    f.click(u"cmdOpen"_s);
    const QStringList seen = f.modalGuard.takeSeen();
    QCOMPARE(seen.size(), 1);
    QVERIFY2(seen.first().startsWith(u"QFileDialog «Открыть расчет»"_s), qPrintable(seen.first()));
    QCOMPARE(f.text(u"txtProlet"_s), before);
    QVERIFY(f.messages.isEmpty());
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
