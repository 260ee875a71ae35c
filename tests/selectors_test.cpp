// The actions of the input panel without widgets: the option groups, the start-up selections, the
// click actions of the input fields and the Мфс copy rule, checked through the recording port for
// their end state and for the order of their effects.

#include <QHash>
#include <QTest>

#include "calc/allowable.h"
#include "calc/inputcells.h"
#include "calc/selectors.h"
#include "core/sheet.h"
#include "tests/support/recordingform.h"
#include "tests/support/recordingsheet.h"

using namespace Qt::Literals::StringLiterals;
using namespace vardo;
using namespace vardo::calc;
using vardo::catalogue::kMfsBoxes;
using vardo::catalogue::MfsBox;
using vardo::testing::RecordingForm;
using vardo::testing::RecordingSheet;

namespace {

// The recorded effect of setting the visibility of `name`.
QString vis(bool on, const QString& name) {
    return (on ? u"show "_s : u"hide "_s) + name;
}
QStringList vis(bool on, const QStringList& names) {
    QStringList out;
    for (const QString& n : names) out << vis(on, n);
    return out;
}

// The table panel `shown` first, then the other four hidden in their order.
QStringList panel(int shown) {
    QStringList out{vis(true, u"frmF"_s + QString::number(shown))};
    for (int i = 1; i <= 5; ++i)
        if (i != shown) out << vis(false, u"frmF"_s + QString::number(i));
    return out;
}

// Text6 .. Text17 in order, the three fields of the chosen thickness shown.
QStringList thickness(QList<int> shown) {
    QStringList out;
    for (int i = 6; i <= 17; ++i) out << vis(shown.contains(i), u"Text"_s + QString::number(i));
    return out;
}

QStringList series(bool p) {
    QStringList out;
    for (const auto& [a, b] : {std::pair{u"Label1"_s, u"Label2"_s},
                               {u"Text1"_s, u"Text2"_s},
                               {u"Label4"_s, u"Label5"_s},
                               {u"Text4"_s, u"Text5"_s},
                               {u"Frame9"_s, u"Frame10"_s},
                               {u"Label7"_s, u"Label8"_s}})
        out << vis(p, a) << vis(!p, b);
    out << vis(p, {u"Data7"_s, u"Label33"_s, u"Label34"_s, u"Label35"_s, u"Label36"_s, u"Label41"_s,
                   u"Label42"_s});
    out << vis(!p, QStringList{u"Data8"_s} + numberedNames(u"Label"_s, 43, 48));
    return out;
}

// The Мфс boxes hold texts that name themselves, so a copy shows where it came from.
void fillMfsBoxes(RecordingSheet& sheet) {
    for (const MfsBox& box : kMfsBoxes)
        sheet.texts.insert(box.box.toString(), box.box.toString() + u" value"_s);
}

// The effects each option's click action must have, as the window's behaviour lays them down.
QStringList expectedEffects(const QString& option) {
    const auto row = [](bool g) {
        return vis(g, QStringList{u"Label12"_s} + numberedNames(u"txtG"_s, 1, 8)) +
               vis(!g, QStringList{u"Label13"_s} + numberedNames(u"txtGg"_s, 1, 8));
    };
    const QHash<QString, QStringList> table{
        {u"Option11"_s, panel(1) + row(true)},
        {u"Option12"_s, panel(2) + row(false)},
        {u"Option13"_s, panel(3)},
        {u"Option14"_s, panel(4)},
        {u"Option15"_s, panel(5)},
        {u"Option3"_s, thickness({6, 10, 14})},
        {u"Option4"_s, thickness({7, 11, 15})},
        {u"Option5"_s, thickness({8, 12, 16})},
        {u"Option6"_s, thickness({9, 13, 17})},
        {u"Option1"_s, series(true)},
        {u"Option2"_s, series(false)},
        {u"Option7"_s,
         {vis(true, u"Frame12"_s), vis(false, u"Frame13"_s), u"text Text18=txtMa1 value"_s,
          u"text Text19=txtMn1 value"_s, u"text Text20=txtMnv1 value"_s}},
        {u"Option8"_s,
         {vis(false, u"Frame12"_s), vis(true, u"Frame13"_s), u"text Text18=txtMa2 value"_s,
          u"text Text19=txtMn2 value"_s, u"text Text20=txtMnv2 value"_s}},
    };
    return table.value(option);  // Option9 "1/3", Option10 "1/4": no action
}

}  // namespace

class SelectorsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void optionAction_data() {
        QTest::addColumn<QString>("option");
        for (const QString& o :
             {u"Option11"_s, u"Option12"_s, u"Option13"_s, u"Option14"_s, u"Option15"_s,
              u"Option3"_s, u"Option4"_s, u"Option5"_s, u"Option6"_s, u"Option1"_s, u"Option2"_s,
              u"Option7"_s, u"Option8"_s, u"Option9"_s, u"Option10"_s})
            QTest::newRow(qPrintable(o)) << o;
    }
    void optionAction() {
        // State: the Мфс boxes hold texts. Action: the option's click action.
        // Expected: exactly its visibilities and copies, in order.
        QFETCH(QString, option);
        RecordingSheet sheet;
        fillMfsBoxes(sheet);
        QVERIFY(optionClick(sheet, option));
        QCOMPARE(sheet.effects, expectedEffects(option));
    }

    void optionClickIgnoresOtherNames() {
        RecordingSheet sheet;
        for (const QString& n :
             {u"Option16"_s, u"Option17"_s, u"Command16"_s, u"option1"_s, QString()})
            QVERIFY(!optionClick(sheet, n));
        QVERIFY(sheet.effects.isEmpty());
    }

    void startSelections() {
        // State: the Мфс boxes hold their design texts, other options of two groups checked.
        RecordingForm form;
        form.sheet.texts = {{u"txtMa2"_s, u"320"_s},
                            {u"txtMn2"_s, u"380"_s},
                            {u"txtMnv2"_s, u"500"_s},
                            {u"txtMa1"_s, u"Text20"_s}};
        form.sheet.check(u"Option3"_s);
        form.sheet.check(u"Option12"_s);
        form.sheet.check(u"Option10"_s);
        // Action: the start-up selections, then the first focus.
        selectStartOptions(form);
        selectOnFirstFocus(form);
        // Expected: "10", "1 ", "1/3", "пост" and then "П" selected, each action right after its
        // selection; the design texts of the "пост" set are the Мфс values.
        QStringList expected;
        for (const QString& o :
             {u"Option4"_s, u"Option11"_s, u"Option9"_s, u"Option8"_s, u"Option1"_s})
            expected << u"check "_s + o
                     << expectedEffects(o)
                            .replaceInStrings(u"txtMa2 value"_s, u"320"_s)
                            .replaceInStrings(u"txtMn2 value"_s, u"380"_s)
                            .replaceInStrings(u"txtMnv2 value"_s, u"500"_s);
        QCOMPARE(form.sheet.effects, expected);
        QCOMPARE(form.sheet.checked, (QSet<QString>{u"Option4"_s, u"Option11"_s, u"Option9"_s,
                                                    u"Option8"_s, u"Option1"_s}));
        QCOMPARE(form.text(u"Text18"_s), u"320"_s);
        QCOMPARE(form.text(u"Text19"_s), u"380"_s);
        QCOMPARE(form.text(u"Text20"_s), u"500"_s);
    }

    void pickFollowsSelectors_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("source");
        const QStringList none;
        QTest::newRow("G") << none << u"txtG3"_s << u"Text3"_s;
        QTest::newRow("Gg at start 10") << QStringList{u"Option12"_s} << u"txtGg1"_s << u"Text7"_s;
        QTest::newRow("Gg 15") << QStringList{u"Option12"_s, u"Option5"_s} << u"txtGg5"_s
                               << u"Text8"_s;
        QTest::newRow("gp П") << none << u"txtGp"_s << u"Text1"_s;
        QTest::newRow("gp ОП") << QStringList{u"Option2"_s} << u"txtGp"_s << u"Text2"_s;
        QTest::newRow("Pp П") << none << u"txtPp"_s << u"Text4"_s;
        QTest::newRow("Pp ОП") << QStringList{u"Option2"_s} << u"txtPp"_s << u"Text5"_s;
        QTest::newRow("gpg П 10") << none << u"txtGpg"_s << u"Text11"_s;
        QTest::newRow("gpg П 5") << QStringList{u"Option3"_s} << u"txtGpg"_s << u"Text10"_s;
        QTest::newRow("gpg ОП 10") << QStringList{u"Option2"_s} << u"txtGpg"_s << u"Text15"_s;
        QTest::newRow("gpg ОП 20")
            << QStringList{u"Option2"_s, u"Option6"_s} << u"txtGpg"_s << u"Text17"_s;
        QTest::newRow("gpg back to П")
            << QStringList{u"Option2"_s, u"Option1"_s} << u"txtGpg"_s << u"Text11"_s;
    }
    void pickFollowsSelectors() {
        // State: the window after start-up, then the options of the row selected; every table
        // value field holds its own name. Action: a click on the field.
        // Expected: the text of the value field on display, and nothing else written.
        QFETCH(QStringList, options);
        QFETCH(QString, field);
        QFETCH(QString, source);
        RecordingForm form;
        for (const QString& name : numberedNames(u"Text"_s, 1, 17))
            form.sheet.texts.insert(name, name);
        form.sheet.visible.insert(u"Text3"_s, true);  // no option hides the value of "G"
        selectStartOptions(form);
        selectOnFirstFocus(form);
        for (const QString& option : options) form.setChecked(option);
        form.sheet.effects.clear();

        QVERIFY(pickOnClick(form, field));
        QCOMPARE(form.sheet.effects, QStringList{u"text "_s + field + u'=' + source});
    }

    void pickWithoutSourceOnDisplayKeepsText() {
        RecordingSheet sheet;
        sheet.texts = {{u"txtGpg"_s, u"12,5"_s}, {u"Text11"_s, u"99"_s}};
        sheet.visible.insert(u"Text11"_s, true);  // its frame Frame9 is hidden
        QVERIFY(pickOnClick(sheet, u"txtGpg"_s));
        QVERIFY(sheet.effects.isEmpty());
        QCOMPARE(sheet.text(u"txtGpg"_s), u"12,5"_s);
    }

    void pickTestsAllSourcesLastWins() {
        RecordingSheet sheet;
        // Texts are copied as they are: not converted, not trimmed.
        sheet.texts = {{u"Text6"_s, u"1.59"_s}, {u"Text8"_s, u" 15 "_s}};
        sheet.visible.insert(u"Text6"_s, true);
        sheet.visible.insert(u"Text8"_s, true);
        QVERIFY(pickOnClick(sheet, u"txtGg2"_s));
        QCOMPARE(sheet.effects, (QStringList{u"text txtGg2=1.59"_s, u"text txtGg2= 15 "_s}));
    }

    void fieldLists() {
        const QStringList typed = QStringList{u"txtProlet"_s, u"txtLp"_s, u"txtVm"_s} +
                                  numberedNames(u"txtL"_s, 1, 8) + numberedNames(u"txtP"_s, 1, 8);
        const QStringList picked = numberedNames(u"txtG"_s, 1, 8) +
                                   numberedNames(u"txtGg"_s, 1, 8) +
                                   QStringList{u"txtGpg"_s, u"txtPp"_s, u"txtGp"_s};
        QCOMPARE(clearOnClickFields(), typed);
        QCOMPARE(pickFields(), picked);
    }

    void clickEmptiesTypedFields() {
        // Every field of one list, and names of other kinds, hold a value; each is clicked.
        const QStringList others{u"txtG1"_s,  u"txtGp"_s,  u"Text21"_s,
                                 u"txtMa1"_s, u"Combo1"_s, u"txtL9"_s};
        for (const QString& name : clearOnClickFields() + others) {
            RecordingSheet sheet;
            sheet.texts.insert(name, u"12,5"_s);
            const bool typed = !others.contains(name);
            QCOMPARE(clearOnClick(sheet, name), typed);
            QCOMPARE(sheet.text(name), typed ? QString() : u"12,5"_s);
            QCOMPARE(sheet.effects.size(), typed ? 1 : 0);
        }
    }

    void mfsCopyRule_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("ownFrame");
        QTest::addColumn<QString>("otherFrame");
        QTest::addColumn<QString>("target");
        const QString per = u"Frame12"_s, post = u"Frame13"_s;
        QTest::newRow("txtMa1") << u"txtMa1"_s << per << post << u"Text18"_s;
        QTest::newRow("txtMn1") << u"txtMn1"_s << per << post << u"Text19"_s;
        QTest::newRow("txtMnv1") << u"txtMnv1"_s << per << post << u"Text20"_s;
        QTest::newRow("txtMa2") << u"txtMa2"_s << post << per << u"Text18"_s;
        QTest::newRow("txtMn2") << u"txtMn2"_s << post << per << u"Text19"_s;
        QTest::newRow("txtMnv2") << u"txtMnv2"_s << post << per << u"Text20"_s;
    }
    void mfsCopyRule() {
        // State: the box's own set or the other set shown; the box holds an untrimmed text.
        // Action: its change action, by its own function and by name. Expected: with its set
        // shown one copy, unchanged, into the field of its mode; with the other set, nothing.
        QFETCH(QString, box);
        QFETCH(QString, ownFrame);
        QFETCH(QString, otherFrame);
        QFETCH(QString, target);
        const QHash<QString, void (*)(Sheet&)> byFunction{
            {u"txtMa1"_s, txtMa1_Change},   {u"txtMn1"_s, txtMn1_Change},
            {u"txtMnv1"_s, txtMnv1_Change}, {u"txtMa2"_s, txtMa2_Change},
            {u"txtMn2"_s, txtMn2_Change},   {u"txtMnv2"_s, txtMnv2_Change}};
        for (bool own : {true, false}) {
            for (bool byName : {false, true}) {
                RecordingSheet sheet;
                sheet.visible.insert(own ? ownFrame : otherFrame, true);
                sheet.texts.insert(box, u" 1000 "_s);
                if (byName)
                    QVERIFY(mfsBoxChange(sheet, box));
                else
                    byFunction.value(box)(sheet);
                QCOMPARE(sheet.effects,
                         own ? QStringList{u"text "_s + target + u"= 1000 "_s} : QStringList{});
            }
        }
    }

    void mfsValuesFollowSetAndRows() {
        // State: the window after start-up with the Мфс table's design texts.
        RecordingForm form;
        form.sheet.texts = {
            {u"txtMa2"_s, u"320"_s}, {u"txtMn2"_s, u"380"_s}, {u"txtMnv2"_s, u"500"_s}};
        selectStartOptions(form);
        const auto mfs = [&] {
            return QStringList{form.text(u"Text18"_s), form.text(u"Text19"_s),
                               form.text(u"Text20"_s)};
        };
        QCOMPARE(mfs(), (QStringList{u"320"_s, u"380"_s, u"500"_s}));
        // Action: the table reads a row: all six boxes change, in the order of the table.
        const QStringList row{u"10"_s, u"11"_s, u"12"_s, u"20"_s, u"21"_s, u"22"_s};
        for (int i = 0; i < 6; ++i) {
            form.sheet.texts.insert(kMfsBoxes[i].box.toString(), row[i]);
            mfsBoxChange(form, kMfsBoxes[i].box.toString());
        }
        // Expected: the "пост" values only; "пер" reaches them once selected, typing follows.
        QCOMPARE(mfs(), (QStringList{u"20"_s, u"21"_s, u"22"_s}));
        form.setChecked(u"Option7"_s);
        QCOMPARE(mfs(), (QStringList{u"10"_s, u"11"_s, u"12"_s}));
        form.setText(u"txtMa1"_s, u"1000"_s);
        txtMa1_Change(form);
        form.setText(u"txtMa2"_s, u"7"_s);
        txtMa2_Change(form);
        QCOMPARE(mfs(), (QStringList{u"1000"_s, u"11"_s, u"12"_s}));
        form.setChecked(u"Option8"_s);
        QCOMPARE(mfs(), (QStringList{u"7"_s, u"21"_s, u"22"_s}));
    }

    void compareOpensAllowablePanel() {
        RecordingSheet sheet;
        Command16_Click(sheet);
        QCOMPARE(sheet.effects, (QStringList{u"show Frame20"_s, u"hide Frame29"_s}));
        QVERIFY(!mfsBoxChange(sheet, u"Text18"_s));
    }
};

QTEST_GUILESS_MAIN(SelectorsTest)
#include "selectors_test.moc"
