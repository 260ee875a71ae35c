// The road of one calculation, walked through the real window by clicks and typing: arms and loads,
// the mid-span and third-point loads with their messages answered, the governing values, the
// crossbeam's inputs, and the six design moments for "1/3" and "1/4".

#include <QComboBox>
#include <QTest>

#include "calc/calc.h"
#include "tests/support/calculationroad.h"
#include "tests/support/form1fixture.h"
#include "tests/support/recordingsheet.h"

using namespace Qt::Literals::StringLiterals;
using vardo::testing::CalculationRoad;
using vardo::testing::Form1Fixture;
using vardo::testing::User;

namespace {

const QStringList kMomentButtons = CalculationRoad::momentButtons();
const QStringList kMomentLabels{u"Label22"_s, u"Label23"_s, u"Label24"_s,
                                u"Label30"_s, u"Label31"_s, u"Label32"_s};

// The worked example of the crossbeam, entered through the window up to the moment buttons: the
// road's worked example (calculationroad.h), checked on the way.
void enterCrossbeamExample(CalculationRoad& road, Form1Fixture& f) {
    QVERIFY(road.to(CalculationRoad::MidSpan));
    QCOMPARE(f.text(u"Label10"_s), u"4200"_s);
    QCOMPARE(f.text(u"Label11"_s), u"1350,5"_s);
    // The chain up to the governing fields, which the user then types over.
    QVERIFY(road.to(CalculationRoad::Governing));

    // The crossbeam: its own weight, ice load and wind parameter typed into their table panels.
    QVERIFY(road.to(CalculationRoad::Crossbeam));
    QVERIFY(f.shown(u"Frame2"_s));
    QVERIFY(road.to(CalculationRoad::CrossbeamInputs));
    QCOMPARE(f.text(u"Combo1"_s), u"1,59"_s);
    QVERIFY(road.to(CalculationRoad::Mfs));  // "Мфс >0": 320, 380, 500
    QCOMPARE(f.text(u"Text18"_s), u"320"_s);
    QCOMPARE(f.text(u"Text19"_s), u"380"_s);
    QCOMPARE(f.text(u"Text20"_s), u"500"_s);
    f.messages.clear();
}

// What the moment procedures give on a sheet without widgets that holds the window's inputs, with
// `ratio` as the text of h/b.
QStringList momentsFor(const Form1Fixture& f, const QString& ratio) {
    vardo::testing::RecordingSheet sheet;
    for (const QString& name :
         {u"txtLp"_s, u"txtGp"_s, u"txtGpg"_s, u"Label10"_s, u"Label11"_s, u"Text21"_s, u"Text22"_s,
          u"txtPp"_s, u"txtVm"_s, u"Text18"_s, u"Text19"_s, u"Text20"_s})
        sheet.texts.insert(name, f.text(name));
    sheet.texts.insert(u"Combo1"_s, ratio);
    for (const QString& option : {u"Option9"_s, u"Option10"_s})
        sheet.check(option, f.checked(option));
    for (void (*click)(vardo::Sheet&) :
         {vardo::calc::Command7_Click, vardo::calc::Command8_Click, vardo::calc::Command9_Click,
          vardo::calc::Command11_Click, vardo::calc::Command12_Click, vardo::calc::Command13_Click})
        click(sheet);
    QStringList out;
    for (const QString& label : kMomentLabels) out << sheet.text(label);
    return out;
}

}  // namespace

class RoadTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void suspensionLoads();
    void designMoments();
    void typedRatioIsUsedAsTyped();
    void typedPointWeightIsUsedAsTyped();
    void refusalsShowOneMessageEach();
};

void RoadTest::suspensionLoads() {
    // State: two points, l = 70, Gт = 131 (the list's start text).
    Form1Fixture f;
    QVERIFY(f.show());
    f.type(u"txtL1"_s, u"5"_s);
    f.type(u"txtP2"_s, u"4,5"_s);
    f.type(u"txtG1"_s, u"1,59"_s);
    f.type(u"txtG2"_s, u"1,66"_s);
    f.click(u"Option12"_s);  // the ice loads' row
    QVERIFY(f.shown(u"txtGg1"_s));
    f.type(u"txtGg1"_s, u"2,5"_s);
    f.type(u"txtGg2"_s, u"2,6"_s);
    f.type(u"txtProlet"_s, u"70"_s);

    // Action: the mid-span buttons. Expected: the loads and the left buttons.
    f.click(u"Command1"_s);
    f.click(u"Command2"_s);
    QCOMPARE(f.text(u"Label10"_s), u"1161,95"_s);
    QCOMPARE(f.text(u"Label11"_s), u"307,3"_s);
    QVERIFY(f.shown(u"Command3"_s));
    QVERIFY(f.shown(u"Command4"_s));
    QVERIFY(f.messages.isEmpty());

    // The left and right buttons, each message answered.
    f.click(u"Command3"_s);
    QCOMPARE(f.messages.last(), u"Теперь справа"_s);
    QCOMPARE(f.text(u"Label14"_s), u"1178,797"_s);
    QVERIFY(f.shown(u"Command5"_s));
    f.click(u"Command5"_s);
    QCOMPARE(f.messages.last(), u"Щелкни на текстовом поле G-1/3(1/4)"_s);
    QCOMPARE(f.text(u"Label20"_s), u"1145,103"_s);
    QVERIFY(f.shown(u"Text21"_s));
    f.click(u"Command4"_s);
    f.click(u"Command6"_s);
    QCOMPARE(f.messages.last(), u"Щелкни на текстовом поле Gг-1/3(1/4)"_s);
    QCOMPARE(f.text(u"Label15"_s), u"311,108"_s);
    QCOMPARE(f.text(u"Label21"_s), u"303,492"_s);
    QCOMPARE(f.messages.size(), 4);

    // The governing values by a click on their fields.
    f.click(u"Text21"_s);
    f.click(u"Text22"_s);
    QCOMPARE(f.text(u"Text21"_s), u"1178,797"_s);
    QCOMPARE(f.text(u"Text22"_s), u"311,108"_s);
}

void RoadTest::designMoments() {
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    CalculationRoad road(user, CalculationRoad::workedExample());
    enterCrossbeamExample(road, f);
    if (QTest::currentTestFailed()) return;
    QVERIFY(road.to(CalculationRoad::Moments));
    QCOMPARE(f.text(u"Label22"_s), u"14,3207"_s);
    QCOMPARE(f.text(u"Label23"_s), u"14,9637"_s);
    QCOMPARE(f.text(u"Label24"_s), u"28,477"_s);
    QCOMPARE(f.text(u"Label30"_s), u"12,9227"_s);
    QCOMPARE(f.text(u"Label31"_s), u"13,5121"_s);
    QCOMPARE(f.text(u"Label32"_s), u"25,4954"_s);

    // "1/4" is read at the click; the shown results stay until the buttons are pressed again.
    f.click(u"Option10"_s);
    QCOMPARE(f.text(u"Label30"_s), u"12,9227"_s);
    for (const QString& b : {u"Command11"_s, u"Command12"_s, u"Command13"_s}) f.click(b);
    QCOMPARE(f.text(u"Label30"_s), u"11,7448"_s);
    QCOMPARE(f.text(u"Label31"_s), u"12,3675"_s);
    QCOMPARE(f.text(u"Label32"_s), u"22,2269"_s);
    QVERIFY(f.messages.isEmpty());

    // "Сравнить" then sets the allowable moments of the first crossbeam grade beside them.
    QVERIFY(road.to(CalculationRoad::Compare));
    QVERIFY(f.shown(u"Frame20"_s));
    QVERIFY(!f.shown(u"Frame29"_s));
    QVERIFY(!f.text(u"Label41"_s).isEmpty());
    QVERIFY(f.text(u"Label41"_s) != u"Label41"_s);
}

void RoadTest::typedRatioIsUsedAsTyped() {
    // State: the worked example. Action: h/b typed "1,6" with the keys, which begins the entry
    // "1,66" but is not it, then Tab; the six moment buttons. Expected: the moments of h/b = 1,6.
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    CalculationRoad road(user, CalculationRoad::workedExample());
    enterCrossbeamExample(road, f);
    if (QTest::currentTestFailed()) return;
    f.typeInList(u"Combo1"_s, u"1,6"_s);
    QTest::keyClick(f.get(u"Combo1"_s), Qt::Key_Tab);
    QCOMPARE(f.text(u"Combo1"_s), u"1,6"_s);
    QVERIFY(road.to(CalculationRoad::Moments));
    QVERIFY(f.messages.isEmpty());

    QStringList shown;
    for (const QString& label : kMomentLabels) shown << f.text(label);
    const QStringList expected = momentsFor(f, u"1,6"_s);
    QCOMPARE(shown, expected);
    // The ratio matters in every mode, so a completed "1,66" would have shown in each of them.
    const QStringList completed = momentsFor(f, u"1,66"_s);
    for (int i = 0; i < kMomentLabels.size(); ++i)
        QVERIFY2(expected[i] != completed[i], qPrintable(kMomentLabels[i]));
    // The emergency moment by hand: [(gр + gрг)·Lр²/8 + 187·Lр·h/b + G + Gг + Мфс] / 1000
    // = [76,5·324/8 + 187·18·1,6 + 4200 + 1350,5 + 320] / 1000 = 14354,35 / 1000.
    QCOMPARE(f.text(u"Label22"_s), u"14,3544"_s);
}

void RoadTest::typedPointWeightIsUsedAsTyped() {
    // State: one point, G1 = 1, l = 10, left arm 2. Action: Gт typed "13" (which begins "131"),
    // Tab, "G". Expected: F1 = 1·10 + 13 = 23, G = 23·2·0,5 = 23.
    Form1Fixture f;
    QVERIFY(f.show());
    f.type(u"txtG1"_s, u"1"_s);
    f.type(u"txtProlet"_s, u"10"_s);
    f.type(u"txtL1"_s, u"2"_s);
    f.typeInList(u"Combo2"_s, u"13"_s);
    QTest::keyClick(f.get(u"Combo2"_s), Qt::Key_Tab);
    QCOMPARE(f.text(u"Combo2"_s), u"13"_s);
    f.click(u"Command1"_s);
    QVERIFY(f.messages.isEmpty());

    vardo::testing::RecordingSheet sheet;
    for (const QString& prefix : {u"txtL"_s, u"txtP"_s, u"txtG"_s})
        for (const QString& name : vardo::numberedNames(prefix, 1, 8))
            sheet.texts.insert(name, f.text(name));
    sheet.texts.insert(u"txtProlet"_s, f.text(u"txtProlet"_s));
    sheet.texts.insert(u"Combo2"_s, u"13"_s);
    vardo::calc::Command1_Click(sheet);
    QCOMPARE(f.text(u"Label10"_s), sheet.text(u"Label10"_s));
    QCOMPARE(f.text(u"Label10"_s), u"23"_s);
}

void RoadTest::refusalsShowOneMessageEach() {
    // State: nothing entered. Action: every calculation button. Expected: one no-data message per
    // click, "0" in the result, and no button of the chain revealed.
    Form1Fixture f;
    QVERIFY(f.show());
    f.click(u"Command1"_s);
    QCOMPARE(f.messages, QStringList{u"Нет данных l,Lp,Vm плечи,нагрузки или десятичные"_s});
    QCOMPARE(f.text(u"Label10"_s), u"0"_s);
    QVERIFY(!f.shown(u"Command3"_s));
    f.click(u"Command14"_s);
    f.messages.clear();
    for (const QString& b : kMomentButtons) f.click(b);
    QCOMPARE(f.messages.size(), 6);
    QCOMPARE(f.text(u"Label22"_s), u"0"_s);
    QCOMPARE(f.text(u"Label32"_s), u"0"_s);
}

QTEST_MAIN(RoadTest)
#include "road_test.moc"
