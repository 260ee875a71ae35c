// The window "Подбор ригеля" and the marks on the sheet, driven through the real main window: the
// grades' numbers worked by hand, a grade put into the navigators, the results marked out
// of date on the right changes and unmarked when computed again, texts that are not numbers, the
// tooltips with quantities and units.

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "calc/procedures.h"
#include "core/catalogue.h"
#include "core/numbertext.h"
#include "core/quantities.h"
#include "document/gradeselection.h"
#include "document/report.h"
#include "mainwindow/gradewindow.h"
#include "mainwindow/sheetassist.h"
#include "mainwindow/windowport.h"
#include "tables/datasource.h"
#include "tests/support/calculationroad.h"
#include "tests/support/form1fixture.h"

using namespace Qt::Literals::StringLiterals;
using vardo::document::CrossbeamCheck;
using vardo::mainwindow::GradeWindow;
using vardo::mainwindow::SheetMarks;
using vardo::testing::CalculationRoad;
using vardo::testing::Form1Fixture;
using vardo::testing::User;

namespace names = vardo::names;

namespace {

const QStringList kMomentButtons = CalculationRoad::momentButtons();
const QStringList kMoments{u"Label22"_s, u"Label23"_s, u"Label24"_s,
                           u"Label30"_s, u"Label31"_s, u"Label32"_s};
const QStringList kLoadButtons{u"Command1"_s, u"Command2"_s, u"Command3"_s,
                               u"Command5"_s, u"Command4"_s, u"Command6"_s};

// The worked example of the design moments through the window (calculationroad.h), then the
// governing values taken by a click and the six moments computed again: every result computed
// from the inputs the sheet has.
void walkWorkedExample(Form1Fixture& f, User& user, CalculationRoad& road) {
    QVERIFY(road.to(CalculationRoad::Moments));
    QVERIFY(user.run(QStringList{u"Text21"_s, u"Text22"_s} + kMomentButtons));
    f.window->assist().refreshNow();
    QCOMPARE(f.window->assist().marks().staleResults(), QStringList());
    f.messages.clear();
}

GradeWindow* openGrades(Form1Fixture& f) {
    f.click(names::cmdGrades);
    auto* w = f.window->assist().gradeWindow();
    if (w && !QTest::qWaitForWindowExposed(w)) return nullptr;
    f.window->assist().refreshNow();
    return w;
}

// The worked example walked through, then `typed`, and "Подбор ригеля" opened; null when a step
// failed.
GradeWindow* gradesAfter(Form1Fixture& f, User& user, const QStringList& typed) {
    CalculationRoad road(user, CalculationRoad::workedExample());
    walkWorkedExample(f, user, road);
    return user.run(typed) ? openGrades(f) : nullptr;
}

// The worked example with its results gone stale: Text21 typed over, the moments computed again.
const QStringList kStaleMoments = QStringList{u"Text21=3900"_s} + kMomentButtons;

// The user's steps taken, the grade window refreshed and laid out as the event loop would.
bool typedAndShown(Form1Fixture& f, User& user, const QStringList& steps) {
    if (!user.run(steps)) return false;
    f.window->assist().refreshNow();
    QCoreApplication::processEvents();
    return true;
}

CrossbeamCheck reportCheck(Form1Fixture& f) {
    const vardo::mainwindow::WindowPort port(f.window->sheet());
    const vardo::document::Report report(vardo::mainwindow::reportInputOf(port, {}));
    return report.check();
}

QColor markColour(QWidget* w) {
    const bool edits = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
    return w->palette().color(edits ? QPalette::Base : QPalette::Window);
}

struct Look {
    QPalette palette;
    bool ownPalette;
    bool autoFill;
    QString toolTip;
};
Look lookOf(QWidget* w) {
    return {w->palette(), w->testAttribute(Qt::WA_SetPalette), w->autoFillBackground(),
            w->toolTip()};
}

}  // namespace

class SheetAssistTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void numberProblems_data();
    void numberProblems();
    void gradeWindowShowsTheWorkedCheck_data();
    void gradeWindowShowsTheWorkedCheck();
    void gradeWindowFollowsTheSheet();
    void gradeWindowKeepsWhatDidNotChange();
    void gradeNoticeMeasuresAsAPlainLabel_data();
    void gradeNoticeMeasuresAsAPlainLabel();
    void gradeNoticePaintsAsAPlainLabel_data();
    void gradeNoticePaintsAsAPlainLabel();
    void gradeWindowFitsItsScreen();
    void gradeWindowOnScreenAsPaintedWhole();
    void gradeReasonsTypedBackAreShownAsGivenAnew();
    void gradeTablePaintsAsTheStandardDelegate_data();
    void gradeTablePaintsAsTheStandardDelegate();
    void gradeWindowSaysWhatIsMissing_data();
    void gradeWindowSaysWhatIsMissing();
    void applyMovesTheFourNavigators_data();
    void applyMovesTheFourNavigators();
    void staleMarks_data();
    void staleMarks();
    void newCalculationLeavesNothingStale();
    void badNumberMark_data();
    void badNumberMark();
    void tooltipsNameQuantityAndUnit_data();
    void tooltipsNameQuantityAndUnit();
    void screenshots();
};

void SheetAssistTest::numberProblems_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");
    QTest::newRow("number") << u"65,5"_s << QString();
    QTest::newRow("point") << u"65.5"_s << u"десятичный разделитель — запятая"_s;
    QTest::newRow("commas") << u"1,2,3"_s << u"в числе больше одной запятой"_s;
    QTest::newRow("exponent") << u"1e5"_s << u"запись с порядком (e) не принимается"_s;
    QTest::newRow("space") << u"1 000"_s << u"пробел внутри числа"_s;
    QTest::newRow("letter") << u"12а"_s << u"недопустимый знак «а»"_s;
    QTest::newRow("sign") << u"-"_s << u"в поле нет цифр"_s;
    QTest::newRow("second sign") << u"1-2"_s << u"знак не в начале числа"_s;
    QTest::newRow("range") << u"99999999999999999999"_s << u"число вне допустимого диапазона"_s;
    QTest::newRow("empty") << u"  "_s << u"поле пустое"_s;
}

void SheetAssistTest::numberProblems() {
    QFETCH(QString, text);
    QFETCH(QString, problem);
    QCOMPARE(vardo::numberProblem(text), problem);
    QCOMPARE(vardo::parseFixed(text).has_value(), problem.isEmpty());
}

void SheetAssistTest::gradeWindowShowsTheWorkedCheck_data() {
    QTest::addColumn<QStringList>("changes");  // typed after the road, the moments computed again
    QTest::addColumn<QStringList>("rows");     // П-1 and П-2 as the table shows them
    QTest::addColumn<QString>("reason");       // the first line under the table
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("notice");  // a caveat the window gives, "" for none
    // Each grade with its own gр, gрг, Pp (b = 10 mm): П-1 48, 18,9, 0,032; П-2 55, 21,6, 0,035;
    // Lр 18, h/b 1,59, Мфс 320, 380, 500. Point 1 at 20 m, Vm 10: G 2000, Gг 646,5 at mid-span,
    // 2680, 861,89 at 1/3. П-1 end emergency [66,9·18²·0,111 + 166·18·1,59 + 2680 + 861,89 +
    // 320] / 1000 = 11,0188 of 10,5; П-2 mid-span ice [(1,1·55 + 1,26·21,6)·40,5 +
    // 1,59·324·25·0,035·0,166 + 1,1·2000 + 1,26·646,5 + 1,1·380] / 1000 = 7,0599 of 14.
    QTest::newRow("passing sheet")
        << QStringList{u"txtVm=10"_s, u"txtL1=20"_s, u"Command1"_s, u"Command2"_s, u"Command3"_s,
                       u"Command5"_s, u"Command4"_s, u"Command6"_s, u"Text21"_s,   u"Text22"_s}
        << QStringList{u"П-1 | 11,0279 76,1 % | 6,6039 60,0 % | 5,2012 47,3 % | 11,0188 104,9 % | "
                       u"7,2679 90,8 % | 5,6657 70,8 % | входит | не проходит"_s,
                       u"► П-2 | 11,4207 63,4 % | 7,0599 50,4 % | 5,5427 39,6 % | 11,3677 87,4 % "
                       u"| 7,6729 76,7 % | 5,9677 59,7 % | входит | проходит — выбор"_s}
        << u"П-1 — превышен допускаемый момент: крайний блок — аварийный 104,9 %"_s
        << u"Подходит марка П-2 серии П (первая, прошедшая все проверки)."_s << QString();
    // G 4200, Gг 1350,5, Vm 25; the governing G typed huge: П-1 end emergency [66,9·35,964 +
    // 4750,92 + 900000 + 1805,25 + 320] / 1000 = 909,2822, 8659,8 % of 10,5.
    QTest::newRow("failing sheet")
        << QStringList{u"Text21=900000"_s}
        << QStringList{u"П-1 | 13,9319 96,1 % | 10,2701 93,4 % | 9,2223 83,8 % | 909,2822 "
                       u"8659,8 % | 995,8266 12447,8 % | 994,1371 12426,7 % | входит | "
                       u"не проходит"_s,
                       u"П-2 | 14,3247 79,6 % | 10,7598 76,9 % | 9,7139 69,4 % | 909,631 "
                       u"6997,2 % | 996,2614 9962,6 % | 994,5722 9945,7 % | входит | "
                       u"не проходит"_s}
        << u"П-1 — превышен допускаемый момент: крайний блок — аварийный 8659,8 %, гололед "
           u"12447,8 %, V max 12426,7 %"_s
        << u"Ни одна марка серии П не проходит."_s << QString();
    // The right-hand values typed where the left ones govern: the end block is checked with 5628
    // and 1805,25, П-2's emergency [76,6·35,964 + 4750,92 + 5628 + 1805,25 + 320] / 1000 = 15,259,
    // 117,4 % of 13 (88,4 % with 2772 and 895,75); П-3 (62, 23,4, 0,038) passes, at most its end
    // ice [(1,1·62 + 1,26·23,4)·35,964 + 1,59·324·25·0,038·0,147 + 1,1·5628 + 1,26·1805,25 +
    // 1,1·380] / 1000 = 12,4685 of 12,5.
    QTest::newRow("non-governing values typed")
        << QStringList{u"txtVm=10"_s, u"Text21=2772"_s, u"Text22=895,75"_s}
        << QStringList{u"П-1 | 13,9319 96,1 % | 9,9109 90,1 % | 7,6212 69,3 % | 14,9102 142,0 % "
                       u"| 11,6993 146,2 % | 8,9085 111,4 % | входит | не проходит"_s,
                       u"П-2 | 14,3247 79,6 % | 10,367 74,1 % | 7,9627 56,9 % | 15,259 117,4 % | "
                       u"12,1043 121,0 % | 9,2105 92,1 % | входит | не проходит"_s}
        << u"П-1 — превышен допускаемый момент: крайний блок — аварийный 142,0 %, гололед "
           u"146,2 %, V max 111,4 %"_s
        << u"Подходит марка П-3 серии П (первая, прошедшая все проверки)."_s
        << u"G расчетное 1/3 на листе (2772) меньше большего из значений слева и справа по "
           u"исходным данным (5628): крайний блок проверен с 5628."_s;
}

void SheetAssistTest::gradeWindowShowsTheWorkedCheck() {
    // State: the worked example on the window, then the changes; the moments computed again.
    QFETCH(QStringList, changes);
    QFETCH(QStringList, rows);
    QFETCH(QString, reason);
    QFETCH(QString, verdict);
    QFETCH(QString, notice);
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    CalculationRoad road(user, CalculationRoad::workedExample());
    walkWorkedExample(f, user, road);
    QVERIFY(user.run(changes + kMomentButtons));

    // Action: "Подбор ригеля".
    GradeWindow* w = openGrades(f);
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), u"Подбор ригеля"_s);

    // Expected: the worked moments and utilisations, each coloured by its band (up to 90 %, up
    // to 100 %, over), the grades' verdicts, why the first fails, the conclusion.
    auto* table = w->findChild<QTableWidget*>(u"grades"_s);
    QCOMPARE(table->rowCount(), 6);
    QMap<int, QColor> bands;  // up to 90 %, up to 100 %, over 100 %
    for (int r = 0; r < rows.size(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->item(r, c)->text().replace(u'\n', u' ');
        QCOMPARE(cells.join(u" | "_s), rows[r]);
        for (int c = GradeWindow::kFirstMomentColumn; c <= GradeWindow::kFirstMomentColumn + 5;
             ++c) {
            const double percent = QLocale(QLocale::Russian).toDouble(cells[c].section(u' ', 1, 1));
            const int band = percent > 100 ? 2 : (percent > 90 ? 1 : 0);
            const QColor colour = table->item(r, c)->background().color();
            QCOMPARE(bands.value(band, colour), colour);
            bands[band] = colour;
        }
    }
    QVERIFY(bands[0] != bands[1] && bands[1] != bands[2] && bands[0] != bands[2]);
    QCOMPARE(w->findChild<QPlainTextEdit*>(u"reasons"_s)->toPlainText().section(u'\n', 0, 0),
             reason);
    QCOMPARE(w->findChild<QLabel*>(u"verdict"_s)->text(), verdict);
    const QString shownNotice = w->findChild<QLabel*>(u"notice"_s)->text();
    QVERIFY2(shownNotice.contains(notice), qPrintable(shownNotice));
}

void SheetAssistTest::gradeWindowFollowsTheSheet() {
    // State: the worked example, the window open.
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    CalculationRoad road(user, CalculationRoad::workedExample());
    walkWorkedExample(f, user, road);
    GradeWindow* w = openGrades(f);
    QVERIFY(w);
    const CrossbeamCheck before = w->check();
    const struct {
        QString step;
    } changes[] = {{u"txtLp=20"_s}, {u"Option10"_s}, {u"Text22=5000"_s}, {u"txtVm=30"_s}};
    for (const auto& change : changes) {
        // Action: one input changed, nothing computed; the event loop turns once.
        QVERIFY(user.run({change.step}));
        QCoreApplication::processEvents();
        // Expected: the window shows the report's check of the sheet as it is now.
        const CrossbeamCheck now = reportCheck(f);
        QCOMPARE(w->check().grades.size(), now.grades.size());
        for (int g = 0; g < now.grades.size(); ++g) {
            QCOMPARE(w->check().grades[g].moments.middle, now.grades[g].moments.middle);
            QCOMPARE(w->check().grades[g].moments.end, now.grades[g].moments.end);
            QCOMPARE(w->check().grades[g].verdict, now.grades[g].verdict);
        }
    }
    QVERIFY(w->check().grades[0].moments.middle != before.grades[0].moments.middle);
    // The moments of the sheet are out of date now, and the window says so.
    auto* notice = w->findChild<QLabel*>(u"notice"_s);
    QVERIFY(notice && notice->isVisibleTo(w));
    QVERIFY(notice->text().contains(u"устарели"_s));
}

void SheetAssistTest::gradeWindowKeepsWhatDidNotChange() {
    // State: the worked example (Lр 18), the grades shown.
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    CalculationRoad road(user, CalculationRoad::workedExample());
    walkWorkedExample(f, user, road);
    GradeWindow* w = openGrades(f);
    QVERIFY(w);
    auto* table = w->findChild<QTableWidget*>(u"grades"_s);
    QTableWidgetItem* const first = table->item(0, 0);
    QTableWidgetItem* const length = table->item(0, GradeWindow::kLengthColumn);
    // Action: Lр typed again as it was; then a length outside every grade's list.
    // Expected: the same cells: left alone, then rewritten in place.
    QVERIFY(user.run({u"txtLp=18"_s}));
    f.window->assist().refreshNow();
    QCOMPARE(table->item(0, 0), first);
    QCOMPARE(table->item(0, GradeWindow::kLengthColumn), length);
    QCOMPARE(length->text(), u"входит"_s);
    QVERIFY(user.run({u"txtLp=99"_s}));
    f.window->assist().refreshNow();
    QCOMPARE(table->item(0, GradeWindow::kLengthColumn), length);
    QCOMPARE(length->text(), u"не входит"_s);
    // A tooltip changed alone is taken in: the verdict's gives the grade's reasons.
    QVERIFY(!w->check().grades[0].reasons.isEmpty());
    QCOMPARE(table->item(0, GradeWindow::kVerdictColumn)->toolTip(),
             w->check().grades[0].reasons.join(u'\n'));
}

void SheetAssistTest::gradeNoticeMeasuresAsAPlainLabel_data() {
    QTest::addColumn<QStringList>("typed");  // Lр typed in turn, the notice measured after each
    QTest::addColumn<QString>("text");       // "" keeps the window's own notice
    QTest::addColumn<qreal>("scale");        // of the font's size
    QTest::addColumn<int>("minimumWidth");
    QTest::newRow("typed back and forth") << QStringList{u"185"_s, u"18"_s, u"185"_s} << QString()
                                          << 1.0 << 0;
    QTest::newRow("larger font") << QStringList{u"185"_s} << QString() << 1.5 << 0;
    QTest::newRow("smaller font") << QStringList{u"185"_s} << QString() << 0.83 << 0;
    QTest::newRow("a minimum width") << QStringList{u"185"_s} << QString() << 1.0 << 300;
    QTest::newRow("empty lines, tab, return, last break")
        << QStringList{u"185"_s} << u"Первая\n\nтретья\tс табуляцией\rи возвратом\n"_s << 1.1 << 0;
    QTest::newRow("empty lines, last break")
        << QStringList{u"185"_s} << u"— Первая\n\n— третья строка, G\n"_s << 1.0 << 0;
    QTest::newRow("one word longer than a line")
        << QStringList{u"185"_s} << u"— Пролёт_без_единого_пробела_длиннее_строки"_s << 1.2 << 0;
    QTest::newRow("one line, narrowed to a half")
        << QStringList{u"185"_s} << u"Замечание в одну строку средней длины."_s << 1.0 << 0;
    QTest::newRow("one line, narrowed to a quarter")
        << QStringList{u"185"_s} << u"Замечание в одну строку."_s << 1.0 << 0;
}

void SheetAssistTest::gradeNoticeMeasuresAsAPlainLabel() {
    // State: the worked example, the grades shown.
    QFETCH(QStringList, typed);
    QFETCH(QString, text);
    QFETCH(qreal, scale);
    QFETCH(int, minimumWidth);
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    CalculationRoad road(user, CalculationRoad::workedExample());
    walkWorkedExample(f, user, road);
    GradeWindow* w = openGrades(f);
    QVERIFY(w);
    auto* notice = w->findChild<QLabel*>(u"notice"_s);
    QFont font = notice->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    notice->setFont(font);
    notice->setMinimumWidth(minimumWidth);
    // Action: each Lр typed (or the text given). Expected: the sizes a new label with the same
    // text, font, style and limits measures.
    for (const QString& lp : typed) {
        QVERIFY(user.run({u"txtLp="_s + lp}));
        f.window->assist().refreshNow();
        if (!text.isEmpty()) notice->setText(text);
        if (notice->text().isEmpty()) continue;  // at Lр 18 the worked example has no caveat
        QLabel plain(notice->text());
        plain.setWordWrap(true);
        plain.setStyleSheet(notice->styleSheet());
        plain.setFont(notice->font());
        plain.setMinimumWidth(minimumWidth);
        QCOMPARE(notice->sizeHint(), plain.sizeHint());
        QCOMPARE(notice->minimumSizeHint(), plain.minimumSizeHint());
        for (const int width : {0, 1, 200, 500, notice->width()})
            QCOMPARE(notice->heightForWidth(width), plain.heightForWidth(width));
    }
}

void SheetAssistTest::gradeNoticePaintsAsAPlainLabel_data() {
    QTest::addColumn<QString>("text");  // "" keeps the window's own notice
    QTest::addColumn<QSize>("size");    // empty: as the window lays it out
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("family");  // "" keeps the window's font; Liberation Sans has leading
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    const QString leading = u"Liberation Sans"_s;
    QTest::newRow("as shown") << QString() << QSize() << left << QString();
    QTest::newRow("narrow, more lines") << QString() << QSize(200, 160) << left << QString();
    QTest::newRow("cut short by its height") << QString() << QSize(200, 20) << left << QString();
    QTest::newRow("at the bottom") << QString() << QSize(300, 200) << int(Qt::AlignBottom)
                                   << QString();
    QTest::newRow("tab, return, long word")
        << u"Замечание\tс табуляцией\rи возвратом:\n— Пролёт_без_единого_пробела_длиннее_строки"_s
        << QSize(120, 90) << int(Qt::AlignTop) << QString();
    QTest::newRow("empty lines, last break, centred")
        << u"Первая строка\n\nтретья строка, длиннее\n"_s << QSize(150, 120) << left << QString();
    QTest::newRow("markup, shown as typed")
        << u"<b>П-4</b> из «<i>т36.1.xls</i>»\n— &amp; строка"_s << QSize(200, 90) << left
        << QString();
    QTest::newRow("a font with leading, narrow") << QString() << QSize(200, 160) << left << leading;
    QTest::newRow("a font with leading, empty lines")
        << u"Первая строка\n\nтретья строка, длиннее\n"_s << QSize(150, 120) << left << leading;
}

void SheetAssistTest::gradeNoticePaintsAsAPlainLabel() {
    // State: the worked example out of its design lengths, the grades shown with a notice.
    QFETCH(QString, text);
    QFETCH(QSize, size);
    QFETCH(int, alignment);
    QFETCH(QString, family);
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    GradeWindow* w = gradesAfter(f, user, kStaleMoments + QStringList{u"txtLp=185"_s});
    QVERIFY(w);
    w->layout()->setEnabled(false);  // the label keeps the size given here
    auto* notice = w->findChild<QLabel*>(u"notice"_s);
    if (!text.isEmpty()) notice->setText(text);
    QVERIFY(!notice->text().isEmpty());
    if (!family.isEmpty()) {
        QFont font = notice->font();
        font.setFamily(family);
        notice->setFont(font);
    }
    notice->setAlignment(Qt::Alignment(alignment));
    if (!size.isEmpty()) notice->resize(size);
    const QString shown = notice->text();
    QLabel plain(shown, w);
    plain.setTextFormat(Qt::PlainText);
    plain.setWordWrap(true);
    plain.setStyleSheet(notice->styleSheet());
    plain.setFont(notice->font());
    plain.setAlignment(notice->alignment());
    plain.setGeometry(notice->geometry());
    plain.show();
    // Action: painted, another text painted, the first painted again.
    // Expected: each time the pixels of a plain label with the same text, style and place.
    for (const QString& t : {shown, u"Другое замечание."_s, shown}) {
        notice->setText(t);
        plain.setText(t);
        QCOMPARE(notice->grab().toImage(), plain.grab().toImage());
    }
}

void SheetAssistTest::gradeWindowFitsItsScreen() {
    // State: the worked example; the allowable moments of eight grades (the sample's six and
    // its last two again).
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    CalculationRoad road(user, CalculationRoad::workedExample());
    walkWorkedExample(f, user, road);
    auto* allowable = f.get<vardo::tables::DataSource>(u"Data7"_s);
    vardo::tables::Table grades = allowable->table();
    grades.rows << grades.rows.mid(grades.rows.size() - 2);
    allowable->setTable(grades);
    // Action: "Подбор ригеля".
    GradeWindow* w = openGrades(f);
    QVERIFY(w);
    QCoreApplication::processEvents();
    // Expected: a tool window of the main window, wholly on its screen, every grade shown.
    QCOMPARE(w->windowType(), Qt::Tool);
    QCOMPARE(w->parentWidget(), f.window.get());
    const QRect room = f.window->screen()->availableGeometry();
    QVERIFY2(room.contains(w->frameGeometry()),
             qPrintable(u"%1,%2 %3x%4"_s.arg(w->frameGeometry().x())
                            .arg(w->frameGeometry().y())
                            .arg(w->frameGeometry().width())
                            .arg(w->frameGeometry().height())));
    auto* table = w->findChild<QTableWidget*>(u"grades"_s);
    QCOMPARE(table->rowCount(), GradeWindow::kRowsShown);
    QVERIFY(!table->verticalScrollBar()->isVisible());
    QCOMPARE(table->rowAt(table->viewport()->height() - 1), -1);  // room below the last row
}

void SheetAssistTest::gradeWindowOnScreenAsPaintedWhole() {
    // State: the worked example with stale results, the grades shown as opened, then at their
    // least size.
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    GradeWindow* w = gradesAfter(f, user, kStaleMoments + QStringList{u"txtVm=10"_s});
    QVERIFY(w);
    // Action: Lр typed back and forth: the notice grows and shrinks, every cell changes.
    // Expected: each time, what is on screen (the backing store) is the window painted whole.
    for (const QString& lp : {u"185"_s, u"18"_s, u"185"_s, u"18"_s, u"185"_s, u"18"_s}) {
        if (lp == u"18"_s) w->resize(w->minimumSize());
        QVERIFY(typedAndShown(f, user, {u"txtLp="_s + lp}));
        QCOMPARE(
            w->screen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32),
            w->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
}

void SheetAssistTest::gradeReasonsTypedBackAreShownAsGivenAnew() {
    // State: the worked example with stale results, the grades at their least size, Lр 185: the
    // reasons scrolled down, with the window's focus.
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    GradeWindow* w = gradesAfter(f, user, kStaleMoments + QStringList{u"txtVm=10"_s});
    QVERIFY(w);
    w->resize(w->minimumSize());
    // After each Lр typed: the reasons as Qt's own editor shows their text given anew in their
    // place (the scrollbar or none, the lines in sight).
    const auto typeLp = [&](const QString& lp) {
        QVERIFY(typedAndShown(f, user, {u"txtLp="_s + lp}));
        auto* shown = w->findChild<QPlainTextEdit*>(u"reasons"_s);
        QPlainTextEdit fresh(w);
        fresh.setReadOnly(true);
        fresh.setFrameShape(QFrame::NoFrame);
        fresh.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        fresh.setPalette(shown->palette());
        fresh.setGeometry(shown->geometry());
        fresh.show();
        fresh.setPlainText(shown->document()->toRawText());
        QCoreApplication::processEvents();  // the scrollbar comes or goes on the next turn
        QCOMPARE(shown->verticalScrollBar()->isVisible(), fresh.verticalScrollBar()->isVisible());
        QCOMPARE(shown->viewport()->grab().toImage(), fresh.viewport()->grab().toImage());
    };
    typeLp(u"185"_s);
    auto* reasons = w->findChild<QPlainTextEdit*>(u"reasons"_s);
    const QString shown = reasons->toPlainText();
    reasons->verticalScrollBar()->setValue(reasons->verticalScrollBar()->maximum());
    QVERIFY(reasons->verticalScrollBar()->value() > 0);
    reasons->setFocus();
    // Action: Lр 18, then 185 again.
    typeLp(u"18"_s);
    QVERIFY(w->findChild<QPlainTextEdit*>(u"reasons"_s)->toPlainText() != shown);
    typeLp(u"185"_s);
    // Expected: the reasons of Lр 185, the only editor shown, from their start, with the focus.
    reasons = w->findChild<QPlainTextEdit*>(u"reasons"_s);
    QCOMPARE(reasons->toPlainText(), shown);
    for (const QPlainTextEdit* e : w->findChildren<QPlainTextEdit*>())
        QCOMPARE(e->isVisible(), e == reasons);
    QCOMPARE(reasons->textCursor().position(), 0);
    QCOMPARE(reasons->verticalScrollBar()->value(), 0);
    QCOMPARE(w->focusWidget(), reasons);
    // Then new lengths, and the window made taller: the reasons with their scrollbar, then without.
    typeLp(u"186"_s);
    w->resize(w->width(), w->height() + 400);
    typeLp(u"187"_s);
}

void SheetAssistTest::gradeTablePaintsAsTheStandardDelegate_data() {
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<int>("narrowed");  // a column made too narrow for its texts, or -1
    QTest::newRow("passing, a grade chosen") << QStringList{u"txtVm=10"_s} << -1;
    QTest::newRow("failing, Lр outside") << QStringList{u"txtLp=185"_s} << -1;
    QTest::newRow("texts cut short") << QStringList{u"txtLp=185"_s} << GradeWindow::kLengthColumn;
}

void SheetAssistTest::gradeTablePaintsAsTheStandardDelegate() {
    // State: the worked example changed, the grades shown, the second grade selected.
    QFETCH(QStringList, changes);
    QFETCH(int, narrowed);
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    GradeWindow* w = gradesAfter(f, user, changes + kMomentButtons);
    QVERIFY(w);
    auto* table = w->findChild<QTableWidget*>(u"grades"_s);
    table->setCurrentCell(1, 2);
    table->setFocus();
    if (narrowed >= 0) table->setColumnWidth(narrowed, 12);
    QCoreApplication::processEvents();
    // Action: the table measured and painted, then measured and painted by Qt's own delegate.
    const auto* view = static_cast<const QAbstractItemView*>(table);
    const auto sizes = [&] {
        QList<int> hints;
        for (int col = 0; col < table->columnCount(); ++col) hints << view->sizeHintForColumn(col);
        for (int row = 0; row < table->rowCount(); ++row) hints << view->sizeHintForRow(row);
        return hints;
    };
    const QList<int> ourSizes = sizes();
    const QImage ours = table->grab().toImage();
    table->setItemDelegate(new QStyledItemDelegate(table));
    const QImage standard = table->grab().toImage();
    // Expected: the same column widths and row heights asked, the same pixels.
    QCOMPARE(ourSizes, sizes());
    QCOMPARE(ours, standard);
}

void SheetAssistTest::gradeWindowSaysWhatIsMissing_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("mfs");  // a text put into Text18 ("" keeps it)
    QTest::addColumn<QStringList>("missing");
    QTest::newRow("nothing computed")
        << QStringList{u"Command14"_s} << QString()
        << QStringList{u"не вычислен момент от нагрузок подвески: G, середина"_s,
                       u"не вычислен момент от нагрузок подвески: Gг, середина"_s,
                       u"не вычислен момент от нагрузок подвески: G расчетное 1/3"_s,
                       u"не вычислен момент от нагрузок подвески: Gг расчетное 1/3"_s};
    QTest::newRow("mid-span only")
        << QStringList{u"txtProlet=1"_s, u"txtL1=42"_s, u"txtG1=69"_s,
                       u"Command1"_s,    u"Command2"_s, u"Command14"_s}
        << QString()
        << QStringList{u"не вычислен момент от нагрузок подвески: G расчетное 1/3"_s,
                       u"не вычислен момент от нагрузок подвески: Gг расчетное 1/3"_s};
    QTest::newRow("Мфс not a number")
        << QStringList{u"txtProlet=1"_s, u"txtL1=42"_s,    u"txtG1=69"_s,      u"Command1"_s,
                       u"Command2"_s,    u"Command3"_s,    u"Command5"_s,      u"Command4"_s,
                       u"Command6"_s,    u"Text21=3900"_s, u"Text22=1200,5"_s, u"Command14"_s}
        << u"abc"_s << QStringList{u"Мфс (аварийный) не задан числом"_s};
}

void SheetAssistTest::gradeWindowSaysWhatIsMissing() {
    QFETCH(QStringList, steps);
    QFETCH(QString, mfs);
    QFETCH(QStringList, missing);
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    QVERIFY(user.run(steps));
    if (!mfs.isEmpty()) f.window->sheet().setText(names::kEmergencyMfs, mfs);
    GradeWindow* w = openGrades(f);
    QVERIFY(w);
    // Expected: what is missing, said; no numbers.
    QCOMPARE(w->missing(), missing);
    QCOMPARE(w->findChild<QTableWidget*>(u"grades"_s)->rowCount(), 0);
    auto* notice = w->findChild<QLabel*>(u"notice"_s);
    QVERIFY(notice->isVisibleTo(w));
    for (const QString& m : missing) QVERIFY2(notice->text().contains(m), qPrintable(m));
}

void SheetAssistTest::applyMovesTheFourNavigators_data() {
    // Sample rows (b = 10 mm): П-4 71, 25,6, 0,041; ОП-3 75, 25,2, 0,042. With the worked example
    // (Lр 18, h/b 1,59, Vm 25, G 4200, Gг 1350,5, Мфс 320 and 500), by hand: emergency
    // [(gр + gрг)·40,5 + 5351,94 + 5870,5] / 1000 = 15,13474 (П-4), 15,28054 (ОП-3); V max
    // [44,712·gр + 1,59·324·625·Pp·0,185 + 5170] / 1000 = 10,786732375, 11,02514575.
    QTest::addColumn<bool>("series2");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QStringList>("rows");     // gр, gрг, Pp
    QTest::addColumn<QStringList>("moments");  // Label22 (emergency), Label24 (V max)
    QTest::newRow("П-4, Применить")
        << false << false << u"П-4"_s << QStringList{u"71"_s, u"25,6"_s, u"0,041"_s}
        << QStringList{u"15,1347"_s, u"10,7867"_s};
    QTest::newRow("ОП-3, double click")
        << true << true << u"ОП-3"_s << QStringList{u"75"_s, u"25,2"_s, u"0,042"_s}
        << QStringList{u"15,2805"_s, u"11,0251"_s};
}

void SheetAssistTest::applyMovesTheFourNavigators() {
    QFETCH(bool, series2);
    QFETCH(bool, doubleClick);
    QFETCH(QString, grade);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, moments);
    // State: the worked example computed with П-2's gр 55 typed; the grades shown.
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    CalculationRoad road(user, CalculationRoad::workedExample());
    walkWorkedExample(f, user, road);
    if (series2) QVERIFY(user.run({u"key:Option2"_s}));
    GradeWindow* w = openGrades(f);
    QVERIFY(w);
    const CrossbeamCheck& check = w->check();
    int g = 0;
    while (g < check.grades.size() - 1 && check.grades[g].grade != grade) ++g;
    QCOMPARE(check.grades[g].grade, grade);
    QVERIFY(check.grades[g].rows.has_value());
    const vardo::document::GradeRows gradeRows = *check.grades[g].rows;
    const int allowableRow = check.grades[g].row;
    const QString allowable = series2 ? u"Data8"_s : u"Data7"_s;

    vardo::mainwindow::WindowPort port(f.window->sheet());
    QMap<QString, int> before;
    for (const QString& s : vardo::catalogue::dataSourceNames()) before[s] = port.currentRow(s);
    QMap<QString, QString> texts;
    for (const QString& name : vardo::catalogue::inputFields() + vardo::catalogue::resultFields())
        texts[name] = f.text(name);

    // Action: the grade applied.
    auto* table = w->findChild<QTableWidget*>(u"grades"_s);
    if (doubleClick) {
        table->scrollToItem(table->item(g, 0));
        const QRect cell = table->visualItemRect(table->item(g, 0));
        // A double click: the first click of it, then the second.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    } else {
        table->selectRow(g);
        QTest::mouseClick(w->findChild<QPushButton*>(u"apply"_s), Qt::LeftButton);
    }
    f.window->assist().refreshNow();

    // Expected: the four navigators on the grade's rows, every other one where it was.
    const QMap<QString, int> expected{{u"Data1"_s, gradeRows.gpAt},
                                      {u"Data5"_s, gradeRows.gpgAt},
                                      {u"Data3"_s, gradeRows.ppAt},
                                      {allowable, allowableRow}};
    for (const QString& s : vardo::catalogue::dataSourceNames())
        QVERIFY2(port.currentRow(s) == expected.value(s, before[s]), qPrintable(s));
    const QString gradeLabel = series2 ? u"Label47"_s : u"Label41"_s;
    QCOMPARE(f.text(gradeLabel), grade);
    // The grade's gр, gрг, Pp in the sheet and its moments computed by the buttons, silently;
    // nothing else changed and nothing is out of date.
    const QStringList picked{u"txtGp"_s, u"txtGpg"_s, u"txtPp"_s};
    for (int i = 0; i < 3; ++i) QCOMPARE(f.text(picked[i]), rows[i]);
    QCOMPARE(f.text(u"Label22"_s), moments[0]);
    QCOMPARE(f.text(u"Label24"_s), moments[1]);
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'\n')));
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        if (!picked.contains(it.key()) && !kMoments.contains(it.key()))
            QCOMPARE(f.text(it.key()), it.value());
    QCOMPARE(f.window->assist().marks().staleResults(), QStringList());
    // The report and the window check that grade with the sheet's own moments.
    const CrossbeamCheck report = reportCheck(f);
    for (const CrossbeamCheck* checked : {&w->check(), &report}) {
        const vardo::document::GradeCheck& c = checked->grades[g];
        for (int i = 0; i < 6; ++i) {
            const auto m = i < 3 ? c.moments.middle[i] : c.moments.end[i - 3];
            QVERIFY(m.has_value());
            QCOMPARE(vardo::formatFixed(*m), f.text(kMoments[i]));
        }
    }
    QCOMPARE(w->check().grades[g].verdict, report.grades[g].verdict);
}

void SheetAssistTest::staleMarks_data() {
    QTest::addColumn<QStringList>("change");
    QTest::addColumn<QStringList>("stale");
    QTest::addColumn<QStringList>("recompute");
    const QStringList all = QStringList{u"Label10"_s, u"Label11"_s, u"Label14"_s, u"Label15"_s,
                                        u"Label20"_s, u"Label21"_s, u"Text21"_s,  u"Text22"_s} +
                            kMoments;
    const QStringList governing{u"Text21"_s, u"Text22"_s};
    const QStringList everything = kLoadButtons + governing + kMomentButtons;
    QTest::newRow("arm txtL1") << QStringList{u"txtL1=41"_s} << all << everything;
    QTest::newRow("arm txtP2") << QStringList{u"txtP2=2"_s} << all << everything;
    QTest::newRow("span") << QStringList{u"txtProlet=2"_s} << all << everything;
    QTest::newRow("load txtG1") << QStringList{u"txtG1=70"_s} << all << everything;
    QTest::newRow("ice load txtGg1")
        << QStringList{u"Option12"_s, u"txtGg1=134"_s}
        << QStringList{u"Label11"_s, u"Label15"_s, u"Label21"_s, u"Text22"_s,
                       u"Label22"_s, u"Label23"_s, u"Label30"_s, u"Label31"_s}
        << QStringList{u"Command2"_s, u"Command4"_s, u"Command6"_s,  u"Text22"_s,
                       u"Command7"_s, u"Command8"_s, u"Command11"_s, u"Command12"_s};
    QTest::newRow("point weight Combo2")
        << QStringList{u"Combo2:118"_s}
        << QStringList{u"Label10"_s, u"Label14"_s, u"Label20"_s, u"Text21"_s} + kMoments
        << QStringList{u"Command1"_s, u"Command3"_s, u"Command5"_s, u"Text21"_s} + kMomentButtons;
    QTest::newRow("section 1/4") << QStringList{u"Option10"_s}
                                 << QStringList{u"Label14"_s, u"Label15"_s, u"Label20"_s,
                                                u"Label21"_s, u"Text21"_s,  u"Text22"_s,
                                                u"Label30"_s, u"Label31"_s, u"Label32"_s}
                                 << QStringList{u"Command3"_s,  u"Command5"_s,  u"Command4"_s,
                                                u"Command6"_s,  u"Text21"_s,    u"Text22"_s,
                                                u"Command11"_s, u"Command12"_s, u"Command13"_s};
    QTest::newRow("governing Text21 typed")
        << QStringList{u"Text21=4000"_s} << QStringList{u"Label30"_s, u"Label31"_s, u"Label32"_s}
        << QStringList{u"Command11"_s, u"Command12"_s, u"Command13"_s};
    QTest::newRow("governing Text22 typed")
        << QStringList{u"Text22=1000"_s} << QStringList{u"Label30"_s, u"Label31"_s}
        << QStringList{u"Command11"_s, u"Command12"_s};
    QTest::newRow("Lр") << QStringList{u"txtLp=17"_s} << kMoments << kMomentButtons;
    QTest::newRow("h/b Combo1") << QStringList{u"Combo1:1,66"_s} << kMoments << kMomentButtons;
    QTest::newRow("gр") << QStringList{u"Option13"_s, u"txtGp=56"_s} << kMoments << kMomentButtons;
    QTest::newRow("gрг") << QStringList{u"Option14"_s, u"txtGpg=22"_s}
                         << QStringList{u"Label22"_s, u"Label23"_s, u"Label30"_s, u"Label31"_s}
                         << QStringList{u"Command7"_s, u"Command8"_s, u"Command11"_s,
                                        u"Command12"_s};
    QTest::newRow("Pp") << QStringList{u"Option15"_s, u"txtPp=0,4"_s}
                        << QStringList{u"Label23"_s, u"Label24"_s, u"Label31"_s, u"Label32"_s}
                        << QStringList{u"Command8"_s, u"Command9"_s, u"Command12"_s,
                                       u"Command13"_s};
    QTest::newRow("Vm") << QStringList{u"txtVm=26"_s}
                        << QStringList{u"Label23"_s, u"Label24"_s, u"Label31"_s, u"Label32"_s}
                        << QStringList{u"Command8"_s, u"Command9"_s, u"Command12"_s,
                                       u"Command13"_s};
    QTest::newRow("Мфс row stepped")
        << QStringList{u"Data6:next"_s, u"Data6:next"_s} << kMoments << kMomentButtons;
    QTest::newRow("a new gр row only")
        << QStringList{u"Data1:next"_s} << QStringList() << QStringList();
}

void SheetAssistTest::staleMarks() {
    QFETCH(QStringList, change);
    QFETCH(QStringList, stale);
    QFETCH(QStringList, recompute);
    // State: the worked example, every result computed from the sheet's inputs.
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    CalculationRoad road(user, CalculationRoad::workedExample());
    walkWorkedExample(f, user, road);
    SheetMarks& marks = f.window->assist().marks();
    QHash<QString, Look> looks;
    for (const auto& r : vardo::calc::resultProcedures()) looks[r.result] = lookOf(f.get(r.result));
    QHash<QString, QString> texts;
    for (const auto& r : vardo::calc::resultProcedures()) texts[r.result] = f.text(r.result);

    // Action: the change, as a user makes it; the event loop turns.
    for (const QString& step : change) {
        if (step.startsWith(u"Combo"_s)) {
            const QString name = step.section(u':', 0, 0);
            f.typeInList(name, step.section(u':', 1));
            QTest::keyClick(f.get(name), Qt::Key_Tab);
        } else if (step.startsWith(u"Data"_s)) {
            f.get<vardo::tables::DataSource>(step.section(u':', 0, 0))->moveNext();
        } else {
            QVERIFY(user.run({step}));
        }
    }
    QCoreApplication::processEvents();

    // Expected: exactly these results marked, their texts as they were, each with the colour and
    // the tooltip; the others as they looked.
    QCOMPARE(marks.staleResults(), stale);
    for (const auto& r : vardo::calc::resultProcedures()) {
        QWidget* w = f.get(r.result);
        if (r.result != u"Text21"_s && r.result != u"Text22"_s)
            QCOMPARE(f.text(r.result), texts[r.result]);
        if (stale.contains(r.result)) {
            QCOMPARE(markColour(w), SheetMarks::staleColour());
            QVERIFY(w->toolTip().contains(SheetMarks::staleText()));
            QVERIFY(w->toolTip().contains(vardo::catalogue::quantityText(r.result.view())));
        } else {
            QCOMPARE(markColour(w),
                     looks[r.result].palette.color(qobject_cast<QLineEdit*>(w) ? QPalette::Base
                                                                               : QPalette::Window));
            QVERIFY(!w->toolTip().contains(SheetMarks::staleText()));
        }
    }

    // Action: the calculation saved as it is, opened in another window, computed again there.
    // Expected: marked as here are the results that computing again changes (those the saved
    // inputs give otherwise) and those computed from them, until they are computed again.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"устарел.vardo"_s);
    QVERIFY(f.window->document().save(path));
    {
        Form1Fixture g;
        QVERIFY(g.show());
        QVERIFY(g.window->document().open(path));
        g.window->assist().refreshNow();
        const QStringList marked = g.window->assist().marks().staleResults();
        QHash<QString, QString> opened;
        for (const QString& result : marked) {
            QCOMPARE(markColour(g.get(result)), SheetMarks::staleColour());
            QCOMPARE(g.get(result)->toolTip(), f.get(result)->toolTip());
        }
        for (const auto& r : vardo::calc::resultProcedures()) opened[r.result] = g.text(r.result);
        QVERIFY(User(g, User::Reach::Direct).run(recompute));
        g.window->assist().refreshNow();
        QCOMPARE(g.window->assist().marks().staleResults(), QStringList());
        for (const auto& r : vardo::calc::resultProcedures()) {
            const bool readsMarked = std::any_of(r.inputs.cbegin(), r.inputs.cend(),
                                                 [&](auto& i) { return marked.contains(i); });
            if (g.text(r.result) != opened[r.result])
                QVERIFY(marked.contains(r.result));
            else
                QCOMPARE(marked.contains(r.result), readsMarked);
        }
    }

    // Action: the results computed again by their buttons. Expected: no mark left, each control
    // looks exactly as before (the moments' red text included).
    f.messages.clear();
    QVERIFY(user.run(recompute));
    QCoreApplication::processEvents();
    QCOMPARE(marks.staleResults(), QStringList());
    for (const auto& r : vardo::calc::resultProcedures()) {
        QWidget* w = f.get(r.result);
        const Look look = lookOf(w);
        QCOMPARE(look.palette, looks[r.result].palette);
        QCOMPARE(look.ownPalette, looks[r.result].ownPalette);
        QCOMPARE(look.autoFill, looks[r.result].autoFill);
        QCOMPARE(look.toolTip, looks[r.result].toolTip);
    }
    for (const QString& moment : kMoments)
        QCOMPARE(f.get(moment)->palette().color(QPalette::WindowText), QColor(Qt::red));
}

void SheetAssistTest::newCalculationLeavesNothingStale() {
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    CalculationRoad road(user, CalculationRoad::workedExample());
    walkWorkedExample(f, user, road);
    QVERIFY(user.run({u"txtLp=17"_s}));
    f.window->assist().refreshNow();
    QCOMPARE(f.window->assist().marks().staleResults(), kMoments);
    // Action: "Новый расчет". Expected: no result left to be out of date.
    f.window->sheet().setVisible(names::kBeamPanel, false);
    QVERIFY(user.run({u"Command23"_s}));
    f.window->assist().refreshNow();
    QCOMPARE(f.window->assist().marks().staleResults(), QStringList());
}

void SheetAssistTest::badNumberMark_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("why");
    QTest::addColumn<QString>("other");  // the point's other arm, typed first: it is marked too
    QTest::newRow("span with a point")
        << u"txtProlet"_s << u"65.5"_s << u"десятичный разделитель — запятая"_s << QString();
    QTest::newRow("arm with commas")
        << u"txtL3"_s << u"1,2,3"_s << u"в числе больше одной запятой"_s << QString();
    QTest::newRow("load with a letter")
        << u"txtG1"_s << u"6x"_s << u"недопустимый знак «x»"_s << QString();
    QTest::newRow("Lр with a space")
        << u"txtLp"_s << u"1 8"_s << u"пробел внутри числа"_s << QString();
    QTest::newRow("h/b with a point")
        << u"Combo1"_s << u"1.59"_s << u"десятичный разделитель — запятая"_s << QString();
    QTest::newRow("governing") << u"Text21"_s << u"39e2"_s
                               << u"запись с порядком (e) не принимается"_s << QString();
    QTest::newRow("both arms of a point")
        << u"txtP3"_s << u"4,5"_s << u"У точки 3 заданы оба плеча (л = 5, п = 4,5)"_s
        << u"txtL3=5"_s;
}

void SheetAssistTest::badNumberMark() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, why);
    QFETCH(QString, other);
    Form1Fixture f;
    QVERIFY(f.show());
    QWidget* w = f.get(field);
    QVERIFY(w);
    if (field == u"Text21"_s) w->show();
    const Look look = lookOf(w);
    const QString otherField = other.section(u'=', 0, 0);
    QWidget* partner = other.isEmpty() ? nullptr : f.get(otherField);
    const Look partnerLook = partner ? lookOf(partner) : Look{};
    if (partner) f.type(otherField, other.section(u'=', 1));

    // Action: the text typed. Expected: the mark and why; the text as typed.
    if (auto* list = qobject_cast<QComboBox*>(w)) {
        f.typeInList(field, text);
        QTest::keyClick(list, Qt::Key_Tab);
    } else {
        f.type(field, text);
    }
    QCoreApplication::processEvents();
    QCOMPARE(f.text(field), text);
    SheetMarks& marks = f.window->assist().marks();
    QVERIFY2(marks.problemOf(field).contains(why), qPrintable(marks.problemOf(field)));
    QCOMPARE(markColour(w), SheetMarks::problemColour());
    QVERIFY(w->toolTip().contains(why));
    QVERIFY(w->toolTip().contains(vardo::catalogue::quantityText(field)));
    if (partner) {
        QCOMPARE(markColour(partner), SheetMarks::problemColour());
        QVERIFY(partner->toolTip().contains(why));
        // Both arms count, as typed: F3 = 10·2 + 0, G = 0,5·20·5 + 0,5·20·4,5 = 95.
        f.type(u"txtProlet"_s, u"2"_s);
        f.type(u"txtG3"_s, u"10"_s);
        f.typeInList(u"Combo2"_s, u"0"_s);
        QTest::keyClick(f.get(u"Combo2"_s), Qt::Key_Tab);
        f.click(u"Command1"_s);
        QCOMPARE(f.text(u"Label10"_s), u"95"_s);
    }

    // The calculation reads the text as it always has: the span "65.5" counts as 0, so the
    // mid-span load refuses with its message and shows "0".
    if (field == u"txtProlet"_s) {
        f.type(u"txtL1"_s, u"1"_s);
        f.type(u"txtG1"_s, u"1"_s);
        f.messages.clear();
        f.click(u"Command1"_s);
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(f.text(u"Label10"_s), u"0"_s);
    }

    // Action: the text corrected. Expected: no mark, the control as it looked.
    if (qobject_cast<QComboBox*>(w)) {
        f.typeInList(field, u"1,59"_s);
        QTest::keyClick(w, Qt::Key_Tab);
    } else {
        f.type(field, partner ? u"0"_s : u"18"_s);
    }
    QCoreApplication::processEvents();
    QCOMPARE(marks.problemOf(field), QString());
    const Look after = lookOf(w);
    QCOMPARE(after.palette, look.palette);
    QCOMPARE(after.ownPalette, look.ownPalette);
    QCOMPARE(after.toolTip, look.toolTip);
    if (partner) QCOMPARE(lookOf(partner).palette, partnerLook.palette);
}

void SheetAssistTest::tooltipsNameQuantityAndUnit_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("tip");
    QTest::newRow("l") << u"txtProlet"_s
                       << u"Пролет контактной подвески l, м\nДлина пролета подвески вдоль пути"_s;
    QTest::newRow("Lр") << u"txtLp"_s << u"Расчетная длина ригеля Lр, м"_s;
    QTest::newRow("Vm") << u"txtVm"_s << u"Скорость ветра Vm, м/с"_s;
    QTest::newRow("h/b") << u"Combo1"_s << u"h/b"_s;
    QTest::newRow("Gт") << u"Combo2"_s << u"Вес точки подвеса Gт, кгс"_s;
    QTest::newRow("gр") << u"txtGp"_s << u"Собственный вес ригеля gр, кгс/м"_s;
    QTest::newRow("gрг") << u"txtGpg"_s << u"Гололедная нагрузка ригеля gрг, кгс/м"_s;
    QTest::newRow("Pp") << u"txtPp"_s << u"Ветровой параметр Pp, кгс·с²/м³"_s;
    QTest::newRow("arm") << u"txtL3"_s
                         << u"Плечо точки 3 от левой опоры (л), м\nРасстояние от точки до левой"_s;
    QTest::newRow("G") << u"txtG8"_s << u"Нагрузка G точки 8 без гололеда, на 1 м пролета, кгс/м"_s;
    QTest::newRow("Мфс box") << u"txtMa2"_s << u"Мфс аварийный, набор «пост» (т38.1.xls), кгс·м"_s;
    QTest::newRow("load") << u"Label10"_s
                          << u"Момент от нагрузок подвески G, середина пролета, кгс·м"_s;
    QTest::newRow("governing") << u"Text22"_s
                               << u"Расчетный момент Gг 1/3 (1/4): больший из левого и правого, "
                                  u"кгс·м"_s;
    QTest::newRow("moment") << u"Label31"_s
                            << u"Расчетный момент ригеля, гололед (Мр вп), 1/3 (1/4), тс·м"_s;
}

void SheetAssistTest::tooltipsNameQuantityAndUnit() {
    QFETCH(QString, field);
    QFETCH(QString, tip);
    Form1Fixture f;
    QVERIFY2(f.get(field)->toolTip().startsWith(tip), qPrintable(f.get(field)->toolTip()));
    // Every input and every result has one.
    for (const QString& name : vardo::catalogue::inputFields() + vardo::catalogue::tableFields())
        QVERIFY2(!f.get(name)->toolTip().isEmpty(), qPrintable(name));
    for (const auto& r : vardo::calc::resultProcedures())
        QVERIFY2(!f.get(r.result)->toolTip().isEmpty(), qPrintable(r.result));
}

void SheetAssistTest::screenshots() {
    // Pictures to look at: VARDO_SCREENSHOTS names the folder; without it nothing is written.
    const QString folder = qEnvironmentVariable("VARDO_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("VARDO_SCREENSHOTS not set");
    Form1Fixture f;
    QVERIFY(f.show());
    User user(f, User::Reach::Direct);
    GradeWindow* w = gradesAfter(
        f, user, QStringList{u"txtVm=10"_s, u"Text21=1000"_s, u"Text22=300"_s} + kMomentButtons);
    QVERIFY(w);
    QVERIFY(w->grab().save(folder + u"/grades-passing.png"_s));
    QVERIFY(typedAndShown(f, user, QStringList{u"Text21=900000"_s} + kMomentButtons));
    QVERIFY(w->grab().save(folder + u"/grades-failing.png"_s));
    // Typed back and forth in a window at its least size: longer notice above, the reasons
    // scrolled below, then as before.
    w->resize(w->minimumSize());
    for (const QString& lp : {u"185"_s, u"18"_s, u"185"_s}) {
        QVERIFY(typedAndShown(f, user, {u"txtLp="_s + lp}));
        QVERIFY(w->grab().save(folder + u"/grades-lp"_s + lp + u".png"_s));
    }
    QVERIFY(user.run({u"txtLp=17"_s, u"txtVm=25.5"_s}));
    f.window->assist().refreshNow();
    QVERIFY(f.window->grab().save(folder + u"/sheet-stale-and-bad.png"_s));
    w->close();
    Form1Fixture empty;
    QVERIFY(empty.show());
    GradeWindow* missing = openGrades(empty);
    QVERIFY(missing);
    QVERIFY(missing->grab().save(folder + u"/grades-missing.png"_s));
}

QTEST_MAIN(SheetAssistTest)
#include "sheetassist_test.moc"
