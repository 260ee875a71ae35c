// Tests of the calculation procedures, driven through a recording sheet: every text written,
// control shown or hidden and message shown is checked in the order it happened.
#include <QRandomGenerator>
#include <QTest>

#include "calc/calc.h"
#include "calc/procedures.h"
#include "tests/support/recordingsheet.h"

using vardo::testing::RecordingSheet;

namespace {

const QString kNoData = u"Нет данных l,Lp,Vm плечи,нагрузки или десятичные"_qs;
const QString kNoDataColonSpace = u"Нет данных: l,Lp,Vm плечи,нагрузки или десятичные"_qs;
const QString kNoDataColon = u"Нет данных:l,Lp,Vm плечи,нагрузки или десятичные"_qs;
const QString kNowRight = u"Теперь справа"_qs;
const QString kClickG = u"Щелкни на текстовом поле G-1/3(1/4)"_qs;
const QString kClickGice = u"Щелкни на текстовом поле Gг-1/3(1/4)"_qs;

using Click = void (*)(vardo::Sheet&);

// The procedure a click on `control` runs, as the window finds it.
Click clickOf(const QString& control) {
    const vardo::calc::ProcedureEntry* p = vardo::calc::findProcedure(control);
    return p ? p->run : nullptr;
}

// A sheet that also records which controls a procedure reads: texts and tested options.
class ReadingSheet : public RecordingSheet {
  public:
    mutable QSet<QString> reads;
    QString text(const QString& name) const override {
        reads.insert(name);
        return RecordingSheet::text(name);
    }
    bool isChecked(const QString& name) const override {
        reads.insert(name);
        return RecordingSheet::isChecked(name);
    }
};

QString message(const QString& text) {
    return u"message "_qs + text;
}
QString show(const QString& name) {
    return u"show "_qs + name;
}
QString text(const QString& name, const QString& value) {
    return name + u'=' + value;
}
QString written(const QString& name, const QString& value) {
    return u"text "_qs + text(name, value);
}

// "name=value" pairs over a prepared sheet.
void apply(RecordingSheet& sheet, const QStringList& overrides) {
    for (const QString& entry : overrides) {
        const qsizetype eq = entry.indexOf(u'=');
        sheet.texts.insert(entry.left(eq), entry.mid(eq + 1));
    }
}

// Two suspension points on a 70 m span with the point weight 131: point 1 has only a left arm,
// point 2 only a right arm; points 3 to 8 are all zero.
RecordingSheet suspensionExample() {
    RecordingSheet sheet;
    for (int i = 1; i <= 8; ++i)
        for (const QString& prefix : {u"txtL"_qs, u"txtP"_qs, u"txtG"_qs, u"txtGg"_qs})
            sheet.texts.insert(prefix + QString::number(i), u"0"_qs);
    apply(sheet, {u"txtL1=5"_qs, u"txtP2=4,5"_qs, u"txtG1=1,59"_qs, u"txtG2=1,66"_qs,
                  u"txtGg1=2,5"_qs, u"txtGg2=2,6"_qs, u"txtProlet=70"_qs, u"Combo2=131"_qs});
    return sheet;
}

// A crossbeam of 18 m with distinct suspension moments at mid-span (Label10/11) and at the third
// point (Text21/22), so that reading the wrong pair shows in the result.
RecordingSheet crossbeamExample() {
    RecordingSheet sheet;
    apply(sheet,
          {u"txtLp=18"_qs, u"txtGp=55"_qs, u"txtGpg=21,5"_qs, u"Combo1=1,59"_qs, u"Label10=4200"_qs,
           u"Label11=1350,5"_qs, u"Text21=3900"_qs, u"Text22=1200,5"_qs, u"txtPp=0,35"_qs,
           u"txtVm=25"_qs, u"Text18=320"_qs, u"Text19=380"_qs, u"Text20=500"_qs});
    return sheet;
}

QString resultLabelOf(const QString& button) {
    static const QHash<QString, QString> labels = {
        {u"Command7"_qs, u"Label22"_qs},  {u"Command8"_qs, u"Label23"_qs},
        {u"Command9"_qs, u"Label24"_qs},  {u"Command11"_qs, u"Label30"_qs},
        {u"Command12"_qs, u"Label31"_qs}, {u"Command13"_qs, u"Label32"_qs},
    };
    return labels.value(button);
}

// What a load button does, in order, when it computes `value`: mid-span reveals the next button;
// left shows "Теперь справа" and then reveals the right button; right shows its field first and
// then asks for a click on it. The label comes last.
QStringList computed(const QString& button, const QString& value) {
    static const QHash<QString, QStringList> effects = {
        {u"Command1"_qs, {show(u"Command3"_qs), u"text Label10="_qs}},
        {u"Command2"_qs, {show(u"Command4"_qs), u"text Label11="_qs}},
        {u"Command3"_qs, {message(kNowRight), show(u"Command5"_qs), u"text Label14="_qs}},
        {u"Command4"_qs, {message(kNowRight), show(u"Command6"_qs), u"text Label15="_qs}},
        {u"Command5"_qs, {show(u"Text21"_qs), message(kClickG), u"text Label20="_qs}},
        {u"Command6"_qs, {show(u"Text22"_qs), message(kClickGice), u"text Label21="_qs}},
    };
    QStringList out = effects.value(button);
    out.last() += value;
    return out;
}

// What a load button does when l is 0: its no-data text and "0" in the label; the right buttons
// have shown their field before anything else.
QStringList refused(const QString& button, const QString& noData) {
    const QStringList done = computed(button, u"0"_qs);
    QStringList out;
    if (button == u"Command5"_qs || button == u"Command6"_qs) out << done.first();
    out << message(noData) << done.last();
    return out;
}

}  // namespace

class CalcTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // The load buttons: results, messages, reveals and their order, from the two-point example.
    void loadButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("overrides");
        QTest::addColumn<QStringList>("effects");
        const QString third = u"Option9"_qs;
        const QString quarter = u"Option10"_qs;
        const auto row = [](const char* name, const QString& button, const QString& option,
                            const QStringList& overrides, const QStringList& effects) {
            QTest::newRow(name) << button << option << overrides << effects;
        };

        // Worked examples: SL = 1211.5, SP = 1112.4 for G; SL = 318.5, SP = 296.1 for Gг.
        row("G mid", u"Command1"_qs, third, {}, computed(u"Command1"_qs, u"1161,95"_qs));
        row("Gг mid", u"Command2"_qs, quarter, {}, computed(u"Command2"_qs, u"307,3"_qs));
        row("G left 1/3", u"Command3"_qs, third, {}, computed(u"Command3"_qs, u"1178,797"_qs));
        row("G left 1/4", u"Command3"_qs, quarter, {}, computed(u"Command3"_qs, u"1186,725"_qs));
        row("Gг left 1/3", u"Command4"_qs, third, {}, computed(u"Command4"_qs, u"311,108"_qs));
        row("Gг left 1/4", u"Command4"_qs, quarter, {}, computed(u"Command4"_qs, u"312,9"_qs));
        row("G right 1/3", u"Command5"_qs, third, {}, computed(u"Command5"_qs, u"1145,103"_qs));
        row("G right 1/4", u"Command5"_qs, quarter, {}, computed(u"Command5"_qs, u"1137,175"_qs));
        row("Gг right 1/3", u"Command6"_qs, third, {}, computed(u"Command6"_qs, u"303,492"_qs));
        row("Gг right 1/4", u"Command6"_qs, quarter, {}, computed(u"Command6"_qs, u"301,7"_qs));

        // No span: each branch's own no-data text; nothing revealed; the label written "0".
        const QStringList noSpan{u"txtProlet=0"_qs};
        row("G mid, l 0", u"Command1"_qs, third, noSpan, refused(u"Command1"_qs, kNoData));
        row("Gг mid, l 0", u"Command2"_qs, third, noSpan, refused(u"Command2"_qs, kNoData));
        row("G left 1/3, l 0", u"Command3"_qs, third, noSpan,
            refused(u"Command3"_qs, kNoDataColonSpace));
        row("G left 1/4, l 0", u"Command3"_qs, quarter, noSpan, refused(u"Command3"_qs, kNoData));
        row("Gг left 1/3, l 0", u"Command4"_qs, third, noSpan,
            refused(u"Command4"_qs, kNoDataColon));
        row("Gг left 1/4, l 0", u"Command4"_qs, quarter, noSpan,
            refused(u"Command4"_qs, kNoDataColonSpace));
        row("G right 1/3, l 0", u"Command5"_qs, third, noSpan, refused(u"Command5"_qs, kNoData));
        row("G right 1/4, l 0", u"Command5"_qs, quarter, noSpan, refused(u"Command5"_qs, kNoData));
        row("Gг right 1/3, l 0", u"Command6"_qs, third, noSpan, refused(u"Command6"_qs, kNoData));
        row("Gг right 1/4, l 0", u"Command6"_qs, quarter, noSpan, refused(u"Command6"_qs, kNoData));
        // A span that does not convert counts as 0 and is refused the same way.
        const QStringList refusedG = refused(u"Command1"_qs, kNoData);
        row("l empty", u"Command1"_qs, third, {u"txtProlet="_qs}, refusedG);
        row("l with a point", u"Command1"_qs, third, {u"txtProlet=70.5"_qs}, refusedG);
        row("l beyond the range", u"Command1"_qs, third, {u"txtProlet=1000000000000000"_qs},
            refusedG);

        // Edge cases of the sum core.
        const auto g = [](const QString& v) { return computed(u"Command1"_qs, v); };
        const auto gIce = [](const QString& v) { return computed(u"Command2"_qs, v); };
        const QStringList noArms{u"txtL1=0"_qs, u"txtP2=0"_qs};
        row("G, no arms", u"Command1"_qs, third, noArms, g(u"0"_qs));
        row("Gг, no arms", u"Command2"_qs, third, noArms, gIce(u"0"_qs));
        // Point 3 has no load but an arm: Gт * 2 * 0.5 for G, nothing for Gг.
        row("G, arm without load", u"Command1"_qs, third, {u"txtL3=2"_qs}, g(u"1292,95"_qs));
        row("Gг, arm without load", u"Command2"_qs, third, {u"txtL3=2"_qs}, gIce(u"307,3"_qs));
        // Less with ice than without: (1 - 1.59) * 70 * 5 * 0.5 + 296.1 * 0.5.
        row("Gг, negative increment", u"Command2"_qs, third, {u"txtGg1=1"_qs}, gIce(u"44,8"_qs));
        // Point 1 with both arms: 242.3 * 2 joins the right-arm sum.
        row("G, both arms", u"Command1"_qs, third, {u"txtP1=2"_qs}, g(u"1404,25"_qs));
        row("G, negative span", u"Command1"_qs, third, {u"txtProlet=-70"_qs}, g(u"82,55"_qs));
        row("G, typed point weight", u"Command1"_qs, third, {u"Combo2=114"_qs}, g(u"1081,2"_qs));
        row("Gг ignores point weight", u"Command2"_qs, third, {u"Combo2=114"_qs},
            gIce(u"307,3"_qs));
        row("Gг left ignores point weight", u"Command4"_qs, third, {u"Combo2=114"_qs},
            computed(u"Command4"_qs, u"311,108"_qs));
        // An arm that does not convert counts as 0: only point 2 remains, 1112.4 * 0.5.
        row("arm letters", u"Command1"_qs, third, {u"txtL1=abc"_qs}, g(u"556,2"_qs));
        row("arm with a point", u"Command1"_qs, third, {u"txtL1=5.0"_qs}, g(u"556,2"_qs));
        row("arm beyond the range", u"Command1"_qs, third, {u"txtL1=1000000000000000"_qs},
            g(u"556,2"_qs));
        // Each product is rounded to four places half to even as it is formed: 0.0005 * 0.5 is
        // 0.0002, times 10 is 0.002, halved 0.001 (in double throughout it would be 0.0012).
        row("product rounding", u"Command1"_qs, third,
            {u"txtG1=0,0005"_qs, u"txtProlet=0,5"_qs, u"Combo2=0"_qs, u"txtL1=10"_qs,
             u"txtP2=0"_qs},
            g(u"0,001"_qs));

        // An overflow abandons the computation alone: the result stays 0, no message of its
        // own, and the chain goes on as after a result.
        const QStringList huge{u"txtG1=900000000000000"_qs};
        row("G overflow", u"Command1"_qs, third, huge, g(u"0"_qs));
        row("G left overflow", u"Command3"_qs, third, huge, computed(u"Command3"_qs, u"0"_qs));
        row("Gг right overflow", u"Command6"_qs, quarter, {u"txtGg1=900000000000000"_qs},
            computed(u"Command6"_qs, u"0"_qs));
    }
    void loadButtons() {
        QFETCH(QString, button);
        QFETCH(QString, option);
        QFETCH(QStringList, overrides);
        QFETCH(QStringList, effects);
        // State: the example sheet with the row's changes and one section selected.
        RecordingSheet sheet = suspensionExample();
        apply(sheet, overrides);
        sheet.check(option);
        // Action
        clickOf(button)(sheet);
        // Expected: exactly these effects, in this order.
        QCOMPARE(sheet.effects, effects);
    }

    // Swapping every left arm with its right arm turns the left value into the right value.
    void mirrorSymmetry() {
        QRandomGenerator random(20240607);
        const QString pairs[][2] = {{u"Command3"_qs, u"Command5"_qs},
                                    {u"Command4"_qs, u"Command6"_qs}};
        for (int trial = 0; trial < 200; ++trial) {
            RecordingSheet sheet;
            const auto number = [&](int hundredths) {
                return QString::number(random.bounded(-hundredths, hundredths) / 100.0, 'f', 2)
                    .replace(u'.', u',');
            };
            for (int i = 1; i <= 8; ++i) {
                sheet.texts.insert(u"txtL"_qs + QString::number(i), number(2000));
                sheet.texts.insert(u"txtP"_qs + QString::number(i), number(2000));
                sheet.texts.insert(u"txtG"_qs + QString::number(i), number(500));
                sheet.texts.insert(u"txtGg"_qs + QString::number(i), number(500));
            }
            sheet.texts.insert(u"txtProlet"_qs, number(10000));
            sheet.texts.insert(u"Combo2"_qs, number(20000));
            if (sheet.texts.value(u"txtProlet"_qs) == u"0,00"_qs) continue;
            sheet.check(trial % 2 ? u"Option10"_qs : u"Option9"_qs);

            RecordingSheet mirrored = sheet;
            for (int i = 1; i <= 8; ++i) {
                const QString l = u"txtL"_qs + QString::number(i);
                const QString p = u"txtP"_qs + QString::number(i);
                mirrored.texts.insert(l, sheet.texts.value(p));
                mirrored.texts.insert(p, sheet.texts.value(l));
            }
            for (const auto& pair : pairs) {
                clickOf(pair[0])(sheet);
                clickOf(pair[1])(mirrored);
            }
            QCOMPARE(sheet.text(u"Label14"_qs), mirrored.text(u"Label20"_qs));
            QCOMPARE(sheet.text(u"Label15"_qs), mirrored.text(u"Label21"_qs));
        }
    }

    // A click on a governing field takes the larger of the left and right values.
    void governingValue_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("expected");
        QTest::newRow("right larger")
            << u"Text21"_qs << u"1161,95"_qs << u"1178,797"_qs << u"1178,797"_qs;
        QTest::newRow("left larger")
            << u"Text21"_qs << u"1178,797"_qs << u"1145,103"_qs << u"1178,797"_qs;
        QTest::newRow("equal") << u"Text21"_qs << u"12,5"_qs << u"12,5"_qs << u"12,5"_qs;
        QTest::newRow("negative and zero") << u"Text21"_qs << u"-3"_qs << u"0"_qs << u"0"_qs;
        QTest::newRow("both negative") << u"Text21"_qs << u"-1"_qs << u"-2,5"_qs << u"-1"_qs;
        QTest::newRow("written in its own form")
            << u"Text21"_qs << u"7,50"_qs << u"+2"_qs << u"7,5"_qs;
        // A label without a number (blank before its button ran, or typed over) counts as 0.
        QTest::newRow("left blank") << u"Text21"_qs << QString() << u"5"_qs << u"5"_qs;
        QTest::newRow("left blank, right negative")
            << u"Text21"_qs << QString() << u"-5"_qs << u"0"_qs;
        QTest::newRow("both blank") << u"Text21"_qs << QString() << QString() << u"0"_qs;
        QTest::newRow("right letters") << u"Text21"_qs << u"-4"_qs << u"abc"_qs << u"0"_qs;
        QTest::newRow("ice, right larger")
            << u"Text22"_qs << u"311,108"_qs << u"303,492"_qs << u"311,108"_qs;
        QTest::newRow("ice, left larger") << u"Text22"_qs << u"1"_qs << u"2"_qs << u"2"_qs;
    }
    void governingValue() {
        QFETCH(QString, field);
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(QString, expected);
        // State: the pair of the clicked field holds the row's values, the other pair a decoy
        // larger than any of them.
        RecordingSheet sheet;
        const bool ice = field == u"Text22"_qs;
        sheet.texts.insert(ice ? u"Label15"_qs : u"Label14"_qs, left);
        sheet.texts.insert(ice ? u"Label21"_qs : u"Label20"_qs, right);
        sheet.texts.insert(ice ? u"Label14"_qs : u"Label15"_qs, u"9999"_qs);
        sheet.texts.insert(ice ? u"Label20"_qs : u"Label21"_qs, u"9999"_qs);
        clickOf(field)(sheet);
        QCOMPARE(sheet.effects, QStringList{written(field, expected)});
    }

    // The design moments: worked examples, special inputs and failed computations.
    void designMoments_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("overrides");
        QTest::addColumn<QString>("expected");
        const QString third = u"Option9"_qs;
        const QString quarter = u"Option10"_qs;
        // Mid-span does not depend on the section choice.
        for (const QString& option : {third, quarter}) {
            QTest::addRow("mid emergency, %s", qPrintable(option))
                << u"Command7"_qs << option << QStringList() << u"14,3207"_qs;
            QTest::addRow("mid ice, %s", qPrintable(option))
                << u"Command8"_qs << option << QStringList() << u"14,9637"_qs;
            QTest::addRow("mid max wind, %s", qPrintable(option))
                << u"Command9"_qs << option << QStringList() << u"28,477"_qs;
        }
        QTest::newRow("1/3 emergency")
            << u"Command11"_qs << third << QStringList() << u"12,9227"_qs;
        QTest::newRow("1/3 ice") << u"Command12"_qs << third << QStringList() << u"13,5121"_qs;
        QTest::newRow("1/3 max wind") << u"Command13"_qs << third << QStringList() << u"25,4954"_qs;
        QTest::newRow("1/4 emergency")
            << u"Command11"_qs << quarter << QStringList() << u"11,7448"_qs;
        QTest::newRow("1/4 ice") << u"Command12"_qs << quarter << QStringList() << u"12,3675"_qs;
        QTest::newRow("1/4 max wind")
            << u"Command13"_qs << quarter << QStringList() << u"22,2269"_qs;

        // Without Мфс: 14320.69 - 320, 14545.711875 + 0, 27927.04125 + 0 (all divided by 1000).
        QTest::newRow("emergency, Мфс 0")
            << u"Command7"_qs << third << QStringList{u"Text18=0"_qs} << u"14,0007"_qs;
        QTest::newRow("ice, Мфс 0")
            << u"Command8"_qs << third << QStringList{u"Text19=0"_qs} << u"14,5457"_qs;
        QTest::newRow("max wind, Мфс 0")
            << u"Command9"_qs << third << QStringList{u"Text20=0"_qs} << u"27,927"_qs;
        QTest::newRow("Мфс letters count 0")
            << u"Command7"_qs << third << QStringList{u"Text18=abc"_qs} << u"14,0007"_qs;
        // h/b that is not a number: the term 187 * Lр * h/b vanishes; 8.96875 ties to 8.9688.
        QTest::newRow("h/b letters")
            << u"Command7"_qs << third << QStringList{u"Combo1=abc"_qs} << u"8,9688"_qs;
        QTest::newRow("h/b with a point")
            << u"Command7"_qs << third << QStringList{u"Combo1=1.59"_qs} << u"8,9688"_qs;
        // A negative length is used as it is: Lр² stays, 187 * Lр * h/b changes its sign.
        QTest::newRow("negative Lр")
            << u"Command7"_qs << third << QStringList{u"txtLp=-18"_qs} << u"3,6168"_qs;
        // An integer result is written without decimals: (100 + 1870 + 5000 + 5030) / 1000.
        QTest::newRow("integer result")
            << u"Command7"_qs << third
            << QStringList{u"txtLp=10"_qs,     u"txtGp=4"_qs,      u"txtGpg=4"_qs, u"Combo1=1"_qs,
                           u"Label10=5000"_qs, u"Label11=5030"_qs, u"Text18=0"_qs}
            << u"12"_qs;

        // 187 * Lр * h/b is rounded to four places before the sum: 0.0187 * 13.369 = 0.2500003
        // gives 0.25, the sum 31.25, and 0.03125 ties to 0.0312 (unrounded it would be 0.0313).
        QTest::newRow("concentrated term rounded")
            << u"Command7"_qs << third
            << QStringList{u"txtLp=0,0001"_qs, u"txtGp=1"_qs,   u"txtGpg=1"_qs, u"Combo1=13,369"_qs,
                           u"Label10=30"_qs,   u"Label11=1"_qs, u"Text18=0"_qs}
            << u"0,0312"_qs;

        // A computation that leaves the fixed-point range is abandoned as a whole: "0", no message.
        const QString hugeLp = u"txtLp=900000000000000"_qs;
        QTest::newRow("emergency, sum overflow")
            << u"Command7"_qs << third
            << QStringList{u"txtGp=500000000000000"_qs, u"txtGpg=500000000000000"_qs} << u"0"_qs;
        QTest::newRow("emergency, huge Lр")
            << u"Command7"_qs << third << QStringList{hugeLp} << u"0"_qs;
        QTest::newRow("ice, huge Lр") << u"Command8"_qs << third << QStringList{hugeLp} << u"0"_qs;
        QTest::newRow("max wind, huge Lр")
            << u"Command9"_qs << third << QStringList{hugeLp} << u"0"_qs;
        QTest::newRow("1/4 emergency, huge suspension moment")
            << u"Command11"_qs << quarter
            << QStringList{u"Text21=922337203685477"_qs, u"Text22=922337203685477"_qs} << u"0"_qs;
        QTest::newRow("1/4 max wind, huge Vm")
            << u"Command13"_qs << quarter << QStringList{u"txtVm=900000000000000"_qs} << u"0"_qs;
        // Large but within the range: the result is written, not dropped.
        QTest::newRow("max wind, large suspension moment")
            << u"Command9"_qs << third << QStringList{u"Label10=900000000"_qs} << u"990023,857"_qs;
    }
    void designMoments() {
        QFETCH(QString, button);
        QFETCH(QString, option);
        QFETCH(QStringList, overrides);
        QFETCH(QString, expected);
        // State
        RecordingSheet sheet = crossbeamExample();
        apply(sheet, overrides);
        sheet.check(option);
        // Action
        clickOf(button)(sheet);
        // Expected: the label alone is written, nothing is shown or hidden, no message.
        QCOMPARE(sheet.effects, QStringList{written(resultLabelOf(button), expected)});
    }

    // Which inputs each mode refuses when 0: exactly one message, then "0" in the label; any
    // other input at 0 is used as 0 without a message.
    void requiredInputs_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("refused");
        const QStringList fields{u"txtLp"_qs,   u"txtGp"_qs,   u"txtGpg"_qs, u"Combo1"_qs,
                                 u"Label10"_qs, u"Label11"_qs, u"Text21"_qs, u"Text22"_qs,
                                 u"txtPp"_qs,   u"txtVm"_qs,   u"Text18"_qs, u"Text19"_qs,
                                 u"Text20"_qs};
        const struct {
            QString button;
            QStringList options;
            QStringList required;
        } buttons[] = {
            {u"Command7"_qs,
             {u"Option9"_qs},
             {u"txtLp"_qs, u"txtGp"_qs, u"txtGpg"_qs, u"Label10"_qs, u"Label11"_qs}},
            {u"Command8"_qs,
             {u"Option9"_qs},
             {u"txtLp"_qs, u"txtGp"_qs, u"txtGpg"_qs, u"Label10"_qs, u"Label11"_qs, u"txtPp"_qs,
              u"txtVm"_qs}},
            {u"Command9"_qs,
             {u"Option9"_qs},
             {u"txtLp"_qs, u"txtGp"_qs, u"Label10"_qs, u"txtPp"_qs, u"txtVm"_qs}},
            {u"Command11"_qs,
             {u"Option9"_qs, u"Option10"_qs},
             {u"txtLp"_qs, u"txtGp"_qs, u"txtGpg"_qs, u"Text21"_qs, u"Text22"_qs}},
            {u"Command12"_qs,
             {u"Option9"_qs, u"Option10"_qs},
             {u"txtLp"_qs, u"txtGp"_qs, u"txtGpg"_qs, u"Text21"_qs, u"Text22"_qs, u"txtPp"_qs,
              u"txtVm"_qs}},
            {u"Command13"_qs,
             {u"Option9"_qs, u"Option10"_qs},
             {u"txtLp"_qs, u"txtGp"_qs, u"Text21"_qs, u"txtPp"_qs, u"txtVm"_qs}},
        };
        for (const auto& b : buttons)
            for (const QString& option : b.options)
                for (const QString& field : fields) {
                    const bool refused = b.required.contains(field);
                    QTest::addRow("%s %s %s 0", qPrintable(b.button), qPrintable(option),
                                  qPrintable(field))
                        << b.button << option << field << u"0"_qs << refused;
                    // A text that does not convert is the same as 0.
                    if (refused)
                        QTest::addRow("%s %s %s 2.5", qPrintable(b.button), qPrintable(option),
                                      qPrintable(field))
                            << b.button << option << field << u"2.5"_qs << true;
                }
    }
    void requiredInputs() {
        QFETCH(QString, button);
        QFETCH(QString, option);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(bool, refused);
        RecordingSheet sheet = crossbeamExample();
        sheet.texts.insert(field, value);
        sheet.check(option);
        clickOf(button)(sheet);
        const QString label = resultLabelOf(button);
        if (refused) {
            QCOMPARE(sheet.effects, (QStringList{message(kNoData), written(label, u"0"_qs)}));
        } else {
            QCOMPARE(sheet.effects.size(), 1);
            QVERIFY(sheet.effects.first().startsWith(u"text "_qs + label + u'='));
            QVERIFY(sheet.text(label) != u"0"_qs);
        }
    }

    // Right after start-up every required input is 0 at once: still one message per click.
    void oneMessageWhenEverythingIsZero() {
        for (const QString& button : {u"Command7"_qs, u"Command8"_qs, u"Command9"_qs,
                                      u"Command11"_qs, u"Command12"_qs, u"Command13"_qs}) {
            for (const QString& option : {u"Option9"_qs, u"Option10"_qs}) {
                RecordingSheet sheet;
                apply(sheet, {u"txtLp=0"_qs, u"txtGp=0"_qs, u"txtGpg=0"_qs, u"Combo1=1,59"_qs,
                              u"Label10=0"_qs, u"Label11=0"_qs, u"Text21=0"_qs, u"Text22=0"_qs,
                              u"txtPp=0"_qs, u"txtVm=0"_qs, u"Text18=320"_qs, u"Text19=380"_qs,
                              u"Text20=500"_qs});
                sheet.check(option);
                clickOf(button)(sheet);
                QCOMPARE(sheet.effects,
                         (QStringList{message(kNoData), written(resultLabelOf(button), u"0"_qs)}));
            }
        }
    }

    // "Мфс =0": three zeros and the indicator; no frame changes. "Мфс >0": the panel in place of
    // the frame, the standard values back, the indicator left alone.
    void mfsButtons() {
        RecordingSheet sheet = crossbeamExample();
        sheet.texts.insert(u"Label49"_qs, QString());
        clickOf(u"Command20"_qs)(sheet);
        QCOMPARE(sheet.effects,
                 (QStringList{written(u"Text18"_qs, u"0"_qs), written(u"Text19"_qs, u"0"_qs),
                              written(u"Text20"_qs, u"0"_qs), written(u"Label49"_qs, u"0"_qs)}));

        // The moments then lack their Мфс terms.
        sheet.effects.clear();
        vardo::calc::Command7_Click(sheet);
        vardo::calc::Command8_Click(sheet);
        vardo::calc::Command9_Click(sheet);
        QCOMPARE(sheet.effects, (QStringList{written(u"Label22"_qs, u"14,0007"_qs),
                                             written(u"Label23"_qs, u"14,5457"_qs),
                                             written(u"Label24"_qs, u"27,927"_qs)}));

        sheet.effects.clear();
        sheet.texts.insert(u"Text18"_qs, u"111"_qs);  // as a table row could have set it
        clickOf(u"Command21"_qs)(sheet);
        QCOMPARE(
            sheet.effects,
            (QStringList{show(u"Frame11"_qs), u"hide Frame29"_qs, written(u"Text18"_qs, u"320"_qs),
                         written(u"Text19"_qs, u"380"_qs), written(u"Text20"_qs, u"500"_qs)}));
        QCOMPARE(sheet.text(u"Label49"_qs), u"0"_qs);

        // With the standard values back the worked example is restored.
        vardo::calc::Command7_Click(sheet);
        QCOMPARE(sheet.text(u"Label22"_qs), u"14,3207"_qs);
    }

    // The table of the procedures against what each one does on a sheet where every input is a
    // number other than 0.
    void procedureTable_data() {
        QTest::addColumn<QString>("control");
        for (const vardo::calc::ProcedureEntry& p : vardo::calc::procedures())
            QTest::newRow(qPrintable(p.control.toString())) << p.control.toString();
    }
    void procedureTable() {
        QFETCH(QString, control);
        const vardo::calc::ProcedureEntry& p = *vardo::calc::findProcedure(control);
        const auto run = [&p](bool sectionChosen) {
            ReadingSheet sheet;
            int n = 0;  // 1 .. 9 in turn, so that no two loads of a point are alike
            for (const vardo::calc::ProcedureEntry& q : vardo::calc::procedures())
                for (const QString& input : q.inputs)
                    if (!sheet.texts.contains(input))
                        sheet.texts.insert(input, QString::number(n++ % 9 + 1));
            if (sectionChosen) sheet.check(u"Option9"_qs);
            p.run(sheet);
            return sheet;
        };
        // It reads exactly the controls listed, and writes its result last.
        const ReadingSheet sheet = run(true);
        QCOMPARE(sheet.reads, QSet<QString>(p.inputs.cbegin(), p.inputs.cend()));
        if (p.stage == vardo::calc::Stage::Mfs) {
            QVERIFY(p.result.view().isEmpty());
            return;
        }
        QCOMPARE(sheet.effects.last(), written(p.result, sheet.text(p.result)));
        // A result it reads is written by a procedure listed before it.
        for (const QString& input : p.inputs)
            if (const vardo::calc::ProcedureEntry* producer = vardo::calc::producerOf(input))
                QVERIFY2(producer < &p, qPrintable(input));
        // Without "1/3" or "1/4" chosen, a load or a moment at the section is not computed; one at
        // mid-span is.
        if (p.stage != vardo::calc::Stage::Governing)
            QCOMPARE(run(false).text(p.result) == u"0"_qs, p.atSection);
    }

    // The road of one calculation through the procedures alone: loads, governing values, moments.
    void wholeChain() {
        RecordingSheet sheet = suspensionExample();
        apply(sheet, {u"txtLp=18"_qs, u"txtGp=55"_qs, u"txtGpg=21,5"_qs, u"Combo1=1,59"_qs,
                      u"txtPp=0,35"_qs, u"txtVm=25"_qs, u"Text18=320"_qs, u"Text19=380"_qs,
                      u"Text20=500"_qs, u"Text21=0"_qs, u"Text22=0"_qs});
        sheet.check(u"Option9"_qs);
        for (const QString& control :
             {u"Command1"_qs, u"Command2"_qs, u"Command3"_qs, u"Command4"_qs, u"Command5"_qs,
              u"Command6"_qs, u"Text21"_qs, u"Text22"_qs, u"Command7"_qs, u"Command8"_qs,
              u"Command9"_qs, u"Command11"_qs, u"Command12"_qs, u"Command13"_qs})
            clickOf(control)(sheet);
        QCOMPARE(sheet.text(u"Text21"_qs), u"1178,797"_qs);
        QCOMPARE(sheet.text(u"Text22"_qs), u"311,108"_qs);
        QCOMPARE(sheet.messages(), (QStringList{kNowRight, kNowRight, kClickG, kClickGice}));
        for (const QString& shown : {u"Command3"_qs, u"Command4"_qs, u"Command5"_qs, u"Command6"_qs,
                                     u"Text21"_qs, u"Text22"_qs})
            QVERIFY2(sheet.isVisible(shown), qPrintable(shown));
        // Emergency at mid-span: (76.5 * 40.5 + 5351.94 + 1161.95 + 307.3 + 320) / 1000.
        QCOMPARE(sheet.text(u"Label22"_qs), u"10,2394"_qs);
        // Emergency at 1/3: (2751.246 + 4750.92 + 1178.797 + 311.108 + 320) / 1000.
        QCOMPARE(sheet.text(u"Label30"_qs), u"9,3121"_qs);
    }
};

QTEST_GUILESS_MAIN(CalcTest)
#include "calc_test.moc"
