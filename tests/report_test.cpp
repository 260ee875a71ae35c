// The report as an engineer receives it: the written PDF read back page by page (every section,
// the verdict and every grade's reason are on its pages, a table's header is never left at the
// foot of a page), the check of every grade with its own rows, user text that is shown and never
// interpreted, and the bounds that keep a huge input from making a huge report.

#include <QDir>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "core/numbertext.h"
#include "document/calculation.h"
#include "document/crossbeamcheck.h"
#include "document/diagram.h"
#include "document/graderows.h"
#include "document/recompute.h"
#include "document/report.h"
#include "tables/workbook.h"
#include "tests/support/samples.h"

using namespace Qt::Literals::StringLiterals;
using namespace vardo::document;
namespace tables = vardo::tables;

using namespace vardo::testing;

namespace {

ReportInput reportInput(const Calculation& c, const tables::Table& allowable) {
    const Recomputation again = recompute(c);
    ReportInput in;
    in.calculation = c;
    in.results = again.results;
    for (const QString& field : recomputedFields())
        if (!c.results.value(field).isEmpty()) in.comparison.insert(field, c.results.value(field));
    in.comparisonCaption = u"в файле"_s;
    in.governingG = again.governingG;
    in.governingGice = again.governingGice;
    in.fileName = u"пример.vardo"_s;
    in.date = QDateTime(QDate(2024, 3, 1), QTime(10, 30));
    in.allowable = allowable;
    in.allowableWorkbook = u"grades.xls"_s;
    in.crossbeamTables = ownRows(c, allowable);
    return in;
}

QString outputDir() {
    const QString dir = QCoreApplication::applicationDirPath() + u"/reports"_s;
    QDir().mkpath(dir);
    return dir;
}

// The report input as vardo-report makes it: results recomputed, the sample workbooks.
ReportInput inputFor(const Calculation& c, const QString& fileName = u"расчет.vardo"_s) {
    ReportInput in;
    in.calculation = c;
    const Recomputation again = recompute(c);
    in.results = again.results;
    in.governingG = again.governingG;
    in.governingGice = again.governingGice;
    in.fileName = fileName;
    in.date = QDateTime(QDate(2026, 12, 7), QTime(9, 0));
    in.allowableWorkbook = allowableWorkbookName(c);
    in.allowable = sampleWorkbook(series(c).allowable.workbook);
    in.crossbeamTables = {sampleWorkbook(kWeightWorkbook), sampleWorkbook(kIceWorkbook),
                          sampleWorkbook(kWindWorkbook)};
    in.mfsTable = sampleWorkbook(kMfsWorkbook);
    return in;
}

// The report written as a PDF and loaded back by Qt PDF, handed to read.
template <typename Read>
auto readBack(const Report& report, Read read) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"отчет.pdf"_s);
    QString error;
    if (!report.writePdf(path, &error)) qFatal("%s", qPrintable(error));
    QPdfDocument pdf;
    if (pdf.load(path) != QPdfDocument::Error::None) qFatal("PDF not readable");
    return read(pdf);
}

// The text of every page of a written PDF, read back with Qt PDF.
QStringList pdfPages(const Report& report) {
    return readBack(report, [](QPdfDocument& pdf) {
        QStringList pages;
        for (int p = 0; p < pdf.pageCount(); ++p) pages << pdf.getAllText(p).text();
        return pages;
    });
}

// The pages of a written PDF as Qt PDF renders them, at 100 dpi.
QList<QImage> pdfImages(const Report& report) {
    return readBack(report, [](QPdfDocument& pdf) {
        QList<QImage> pages;
        for (int p = 0; p < pdf.pageCount(); ++p)
            pages << pdf.render(p, (pdf.pagePointSize(p) * 100 / 72).toSize());
        return pages;
    });
}

// The sheet's gр, gрг (b = 10 mm) and Pp set to the rows of one grade of the sample tables.
Calculation withRowsOf(Calculation c, int row) {
    const bool op = c.options.value(u"Frame3"_s) == u"Option2"_s;
    c.inputs[u"txtGp"_s] = sampleWorkbook(kWeightWorkbook).rows[row].value(op ? 3 : 1);
    c.inputs[u"txtGpg"_s] = sampleWorkbook(kIceWorkbook).rows[row].value(op ? 7 : 2);
    c.inputs[u"txtPp"_s] = sampleWorkbook(kWindWorkbook).rows[row].value(op ? 3 : 1);
    c.options[u"Frame7"_s] = u"Option4"_s;
    return c;
}

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void everyPartIsOnThePages_data();
    void everyPartIsOnThePages();
    void commandLineReportIsWhole();
    void headerStaysWithItsRows();
    void pagesAreThoseOfTheLayoutAfterEveryEdit_data();
    void pagesAreThoseOfTheLayoutAfterEveryEdit();
    void gradeRowsByCaption_data();
    void gradeRowsByCaption();
    void eachGradeWithItsOwnRows();
    void verdictDoesNotDependOnTheSheetsRows();
    void sheetRowsOfAnotherSeriesAreNamed();
    void mfsRowIsNamed();
    void endBlockTakesTheGoverningLoad_data();
    void endBlockTakesTheGoverningLoad();
    void negativeMomentsKeepTheirSign();
    void userTextIsNeverInterpreted();
    void titleBlockNamesTheObjectAndWhoSigns();
    void hostileTextsAreInert_data();
    void hostileTextsAreInert();
    void hugeInputsMakeABoundedReport();
    void standardScales_data();
    void standardScales();
    void diagramPlacesPoints_data();
    void diagramPlacesPoints();
    void reportOfWorkedExample();
    void reportOfIncompleteCalculation();
    void noteOfWorkedExamples_data();
    void noteOfWorkedExamples();
    void headersNeverBreakInAWord();
};

void ReportTest::everyPartIsOnThePages_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("road") << u"road.vardo"_s;
    QTest::newRow("road-quarter") << u"road-quarter.vardo"_s;
}

void ReportTest::everyPartIsOnThePages() {
    // State: a sample calculation. Action: write its PDF and read the pages back. Expected: every
    // section, the legend, the verdict and the reason of every grade that does not pass are
    // painted; every page carries its number.
    QFETCH(QString, file);
    const Report report(inputFor(sampleCalculation(file), file));
    const QStringList pages = pdfPages(report);
    QCOMPARE(pages.size(), report.pageCount());
    const QString all = pages.join(u'\n');
    QStringList expected = {u"1. Исходные данные"_s,
                            u"2. Схема точек подвеса"_s,
                            u"4. Результаты"_s,
                            u"5. Проверка поперечин"_s,
                            u"6. Источники справочных значений"_s,
                            u"Цвет:"_s,
                            u"3. Расчет"_s,
                            u"Вывод: "_s + report.verdict(),
                            u"Расчетные моменты каждой марки"_s};
    for (const GradeCheck& g : report.check().grades)
        if (g.verdict != Verdict::Passes) expected << g.grade + u": "_s + g.reasons.first();
    for (const QString& e : expected) {
        // Lines may break anywhere a space is: compare with blanks squeezed.
        QString squeezed = all;
        squeezed.replace(QRegularExpression(u"\\s+"_s), u" "_s);
        QVERIFY2(squeezed.contains(e), qPrintable(e));
    }
    for (int p = 0; p < pages.size(); ++p)
        QVERIFY(pages[p].contains(u"стр. "_s + QString::number(p + 1) + u" из "_s +
                                  QString::number(pages.size())));
}

void ReportTest::commandLineReportIsWhole() {
    // The program an engineer runs: its PDF of the quarter-point sample holds the verdict line.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"отчет.pdf"_s);
    QProcess run;
    run.setWorkingDirectory(QStringLiteral(VARDO_SAMPLE_DATA));
    // Where Qt would complain in English (no runtime folder), the user still reads only Russian.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"XDG_RUNTIME_DIR"_s);
    run.setProcessEnvironment(environment);
    run.start(QStringLiteral(VARDO_REPORT_EXE),
              {QStringLiteral(VARDO_TEST_DATA "/road-quarter.vardo"), u"-o"_s, pdf});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitCode(), 0);
    const QString errors = QString::fromUtf8(run.readAllStandardError());
    QVERIFY2(!errors.contains(QRegularExpression(u"[A-Za-z]{4,}"_s)), qPrintable(errors));
    QPdfDocument document;
    QCOMPARE(document.load(pdf), QPdfDocument::Error::None);
    QString all;
    for (int p = 0; p < document.pageCount(); ++p) all += document.getAllText(p).text();
    QVERIFY(all.contains(u"Вывод:"_s));
    QVERIFY(all.contains(u"6. Источники справочных значений"_s));
}

void ReportTest::headerStaysWithItsRows() {
    // State: a check table of 30 grades, too long for one page, after ever longer texts in the
    // point table, so that it starts at every height of a page. Expected: a page that shows a row
    // of the check table also shows its header; no page ends with a section heading.
    const Calculation base = sampleCalculation(u"road.vardo"_s);
    for (int n = 0; n <= 60; n += 3) {
        Calculation c = base;
        for (const QString& stem : {u"txtL"_s, u"txtP"_s, u"txtG"_s, u"txtGg"_s})
            for (int i = 3; i <= 8; ++i)
                c.inputs[stem + QString::number(i)] = QString(n, u'ж').replace(7, 1, u' ');
        ReportInput in = inputFor(c);
        const QList<QStringList> grades = in.allowable.rows;
        for (int k = 0; k < 4; ++k) in.allowable.rows += grades;
        const QStringList pages = pdfPages(Report(in));
        for (const QString& page : pages) {
            // A row of the check table: a grade, then its utilisations with their decimal comma.
            static const QRegularExpression checkRow(u"^\\W*П-\\d+ [^:]*\\d,\\d %"_s,
                                                     QRegularExpression::MultilineOption);
            if (page.contains(checkRow))
                QVERIFY2(page.contains(u"Средний блок"_s), qPrintable(QString::number(n)));
            const QString body = page.section(u"Vardo v1.0 — отчет"_s, 0, 0).trimmed();
            for (const QString& heading :
                 {u"4. Результаты"_s, u"5. Проверка поперечин серии П (таблица «т36.1.xls»)"_s,
                  u"6. Источники справочных значений"_s, u"Моменты от нагрузок подвески, кгс·м:"_s})
                QVERIFY2(!body.endsWith(heading), qPrintable(heading + QString::number(n)));
        }
    }
}

void ReportTest::pagesAreThoseOfTheLayoutAfterEveryEdit_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("filler");  // letters in the arms and loads of points 3 to 8
    QTest::addColumn<int>("tables");  // copies of the allowable table's grades
    QTest::newRow("road") << u"road.vardo"_s << 0 << 1;
    QTest::newRow("road-quarter") << u"road-quarter.vardo"_s << 0 << 1;
    for (int n : {0, 15, 30, 45, 60})
        QTest::newRow(qPrintable(u"check table over pages, %1 letters"_s.arg(n)))
            << u"road.vardo"_s << n << 5;
}

void ReportTest::pagesAreThoseOfTheLayoutAfterEveryEdit() {
    // State: a report laid out once, and the same report laid out the way it was before: again
    // after every change to the document. Texts of several lengths put the headings and the
    // tables at every height of a page, so that headings move to the next page. Expected: the
    // same pages, pixel for pixel, in the PDF read back.
    QFETCH(QString, file);
    QFETCH(int, filler);
    QFETCH(int, tables);
    Calculation c = sampleCalculation(file);
    for (const QString& stem : {u"txtL"_s, u"txtP"_s, u"txtG"_s, u"txtGg"_s})
        for (int i = 3; i <= 8 && filler > 0; ++i)
            c.inputs[stem + QString::number(i)] = QString(filler, u'ж').replace(7, 1, u' ');
    ReportInput in = inputFor(c, file);
    const QList<QStringList> grades = in.allowable.rows;
    for (int k = 1; k < tables; ++k) in.allowable.rows += grades;
    const QList<QImage> once = pdfImages(Report(in));
    const QList<QImage> reference = pdfImages(Report(in, Report::Layout::AfterEveryEdit));
    QCOMPARE(once.size(), reference.size());
    for (int p = 0; p < once.size(); ++p)
        QVERIFY2(once[p] == reference[p], qPrintable(u"page %1"_s.arg(p + 1)));
}

void ReportTest::gradeRowsByCaption_data() {
    QTest::addColumn<int>("series");  // 0 П, 1 ОП
    QTest::addColumn<QString>("grade");
    QTest::addColumn<int>("ice");
    QTest::addColumn<QString>("expected");  // "gр|gрг|Pp", or a part of the reason
    QTest::newRow("П-3, b 10") << 0 << u"П-3"_s << 1 << u"62|23,4|0,038"_s;
    QTest::newRow("П-3, b 20") << 0 << u"П-3"_s << 3 << u"62|46,8|0,038"_s;
    QTest::newRow("ОП-2, b 5") << 1 << u"ОП-2"_s << 0 << u"66|11,5|0,039"_s;
    QTest::newRow("П-10 is not П-1") << 0 << u"П-10"_s << 1 << u"нет строки марки"_s;
    QTest::newRow("ОП grade in П columns") << 0 << u"ОП-1"_s << 1 << u"нет строки марки"_s;
    QTest::newRow("no ice thickness") << 0 << u"П-1"_s << -1 << u"толщина гололеда"_s;
}

void ReportTest::gradeRowsByCaption() {
    QFETCH(int, series);
    QFETCH(QString, grade);
    QFETCH(int, ice);
    QFETCH(QString, expected);
    const CrossbeamTables t{sampleWorkbook(kWeightWorkbook), sampleWorkbook(kIceWorkbook),
                            sampleWorkbook(kWindWorkbook)};
    QString why;
    const std::optional<GradeRows> rows =
        findGradeRows(t, vardo::catalogue::kSeries[series], grade, ice, &why);
    if (expected.contains(u'|')) {
        QVERIFY2(rows, qPrintable(why));
        QCOMPARE(rows->gp + u'|' + rows->gpg + u'|' + rows->pp, expected);
        QVERIFY(captionNamesGrade(rows->gpRow, grade));
    } else {
        QVERIFY(!rows);
        QVERIFY2(why.contains(expected), qPrintable(why));
    }
    // A table that could not be read names itself.
    QVERIFY(!findGradeRows({}, vardo::catalogue::kSeries[0], u"П-1"_s, 1, &why));
    QVERIFY(why.contains(u"т37Gp.xls"_s));
}

void ReportTest::eachGradeWithItsOwnRows() {
    // State: the sample road with Vm 41, Lр 20, point 1 at 20 m (G 2680 and Gг 861,89 at 1/3,
    // clicked) and the rows of П-1 in the sheet. Set against the sheet's moments, П-3 would pass
    // (V max, end block 91,6 %); with its own gр 62, gрг 23,4, Pp 0,038 it does not:
    // (500·1,1 + 2680·1,1 + 1,59·400·1681·0,038·0,164 + 62·0,122·400) / 1000 = 13,1863, 105,5 %.
    Calculation c = withRowsOf(sampleCalculation(u"road.vardo"_s), 0);
    c.inputs[u"txtVm"_s] = u"41"_s;
    c.inputs[u"txtLp"_s] = u"20"_s;
    c.inputs[u"txtL1"_s] = u"20"_s;
    c.results[u"Text21"_s] = u"2680"_s;
    c.results[u"Text22"_s] = u"861,89"_s;
    const ReportInput in = inputFor(c);
    const CrossbeamCheck sheetOnly =
        checkCrossbeams(in.allowable, designMoments(in.results), u"20"_s);
    QCOMPARE(sheetOnly.grades[2].verdict, Verdict::Passes);
    QCOMPARE(percentText(*sheetOnly.grades[2].use[5].ratio), u"91,6 %"_s);

    const Report report(in);
    const GradeCheck& p3 = report.check().grades[2];
    QCOMPARE(p3.grade, u"П-3"_s);
    QVERIFY(p3.rows);
    QCOMPARE(p3.rows->gp + u'|' + p3.rows->gpg + u'|' + p3.rows->pp, u"62|23,4|0,038"_s);
    QCOMPARE(p3.verdict, Verdict::Fails);
    double highest = 0;
    for (const Utilisation& u : p3.use) highest = std::max(highest, u.ratio.value_or(0));
    QCOMPARE(percentText(highest), u"105,5 %"_s);
    QCOMPARE(percentText(*p3.use[5].ratio), u"105,5 %"_s);
    QVERIFY(report.verdict() != u"подходит марка П-3 серии П (первая, прошедшая все проверки)"_s);
    // The moments a grade is checked with are those of the window's own procedures on its rows.
    Calculation own = c;
    own.inputs[u"txtGp"_s] = u"62"_s;
    own.inputs[u"txtGpg"_s] = u"23,4"_s;
    own.inputs[u"txtPp"_s] = u"0,038"_s;
    const DesignMoments expected = designMoments(recompute(own).results);
    QCOMPARE(p3.moments.middle, expected.middle);
    QCOMPARE(p3.moments.end, expected.end);
}

void ReportTest::verdictDoesNotDependOnTheSheetsRows() {
    // Whichever grade's rows the sheet holds, every grade's check is the same.
    for (const QString& file : {u"road.vardo"_s, u"road-quarter.vardo"_s}) {
        QStringList first;
        for (int row = 0; row < 6; ++row) {
            const Report report(inputFor(withRowsOf(sampleCalculation(file), row)));
            QStringList now;
            for (const GradeCheck& g : report.check().grades)
                now << g.grade + u' ' + QString::number(int(g.verdict)) + u' ' +
                           g.reasons.join(u';');
            now << report.verdict();
            if (row == 0) first = now;
            QCOMPARE(now, first);
        }
    }
}

void ReportTest::sheetRowsOfAnotherSeriesAreNamed() {
    // State: an ОП check with the rows of "П-1" in the sheet. Expected: the report says so.
    Calculation c = withRowsOf(sampleCalculation(u"road.vardo"_s), 0);
    c.options[u"Frame3"_s] = u"Option2"_s;
    const Report op(inputFor(c));
    QVERIFY(op.plainText().contains(u"Это строки другой серии, а проверяется серия ОП"_s));
    const Report p(inputFor(withRowsOf(sampleCalculation(u"road.vardo"_s), 2)));
    QVERIFY(p.plainText().contains(u"— строки «П-3 (16–28 м)» серии П."_s));
    QVERIFY(!p.plainText().contains(u"другой серии"_s));
}

void ReportTest::mfsRowIsNamed() {
    struct Case {
        QList<QString> mfs;
        int shownRow;
        QString expected;
    };
    // т38.1.xls "пост": Lр 16 -> 285/338/445, Lр 18 -> 320/380/500.
    const Case cases[] = {
        {{u"320"_s, u"380"_s, u"500"_s},
         1,
         u"строка Lр = 18 м таблицы «т38.1.xls», набор «пост»."_s},
        {{u"320"_s, u"380"_s, u"500"_s}, 0, u"Таблица показывает другую строку: Lр = 16 м."_s},
        {{u"0"_s, u"0"_s, u"0"_s}, 0, u"Мфс = 0 во всех режимах"_s},
        {{u"321"_s, u"380"_s, u"500"_s}, 1, u"не совпадают ни с одной строкой"_s},
    };
    for (const Case& k : cases) {
        Calculation c = sampleCalculation(u"road.vardo"_s);
        c.mfs = {{u"Text18"_s, k.mfs[0]}, {u"Text19"_s, k.mfs[1]}, {u"Text20"_s, k.mfs[2]}};
        c.sources[u"Data6"_s].row = k.shownRow;
        const QString text = Report(inputFor(c)).plainText();
        QVERIFY2(text.contains(k.expected), qPrintable(k.expected));
    }
}

void ReportTest::endBlockTakesTheGoverningLoad_data() {
    QTest::addColumn<QString>("g");     // Text21 as saved
    QTest::addColumn<QString>("gIce");  // Text22 as saved
    QTest::addColumn<QString>("emergencyEndP2");
    QTest::addColumn<QString>("remark");
    // The road: the inputs give G 5628 left, 2772 right; Gг 1805,25 and 895,75. П-2 (gр 55,
    // gрг 21,6 at b 10) at 1/3, emergency, with the governing values:
    // [(55 + 21,6)·0,111·18² + 166·18·1,59 + 5628 + 1805,25 + 320] / 1000
    //   = [2754,8424 + 4750,92 + 7753,25] / 1000 = 15,259 > F4 13 (117,4 %; 88,4 % with the
    // right-hand values). П-3 fails its end ice (12,8462 of 12,5); П-4 passes in every row, at
    // most 13,7466 of 15,5 (end ice) with 6000 typed over.
    QTest::newRow("right-hand values saved")
        << u"2772"_s << u"895,75"_s << u"15,259"_s
        << u"G расчетное 1/3 на листе (2772) меньше большего из значений слева и справа по "
           u"исходным данным (5628): крайний блок проверен с 5628"_s;
    QTest::newRow("governing values saved")
        << u"5628"_s << u"1805,25"_s << u"15,259"_s << QString();
    // A larger value typed over is checked as it is: 15,259 + (6000 − 5628) / 1000.
    QTest::newRow("larger value typed over")
        << u"6000"_s << u"1805,25"_s << u"15,631"_s
        << u"G расчетное 1/3 на листе (6000) больше значений слева и справа по исходным данным "
           u"(5628): оно введено вручную или не обновлено, крайний блок проверен с ним"_s;
}

void ReportTest::endBlockTakesTheGoverningLoad() {
    QFETCH(QString, g);
    QFETCH(QString, gIce);
    QFETCH(QString, emergencyEndP2);
    QFETCH(QString, remark);
    Calculation c = sampleCalculation(u"road.vardo"_s);
    c.results[u"Text21"_s] = g;
    c.results[u"Text22"_s] = gIce;
    const Report report(inputFor(c));
    QCOMPARE(report.check().grades[1].grade, u"П-2"_s);
    QCOMPARE(report.check().grades[1].moments.end[0], vardo::parseFixed(emergencyEndP2));
    QCOMPARE(report.verdict(), u"подходит марка П-4 серии П (первая, прошедшая все проверки)"_s);
    QStringList endRemarks;
    for (const Remark& r : report.remarks())
        if (r.kind == RemarkKind::EndLoad && r.text.startsWith(u"G "_s)) endRemarks << r.text;
    QCOMPARE(endRemarks, remark.isEmpty() ? QStringList() : QStringList{remark});
    if (!remark.isEmpty()) QVERIFY(report.plainText().contains(remark + u'.'));
}

void ReportTest::negativeMomentsKeepTheirSign() {
    // State: a load pulling up at point 1 (G 2000 up, no ice). П-1 at mid-span, emergency:
    // G = 0,5·(−2000 + 131)·42 = −39249, Gг = 0,5·13 = 6,5;
    // [(48 + 18,9)·0,125·18² + 187·18·1,59 + (−39249) + 6,5 + 320] / 1000 = −30,8611.
    Calculation c = sampleCalculation(u"road.vardo"_s);
    c.inputs[u"txtG1"_s] = u"-2000"_s;
    c.inputs[u"txtGg1"_s] = u"-2000"_s;
    const Report report(inputFor(c));
    QCOMPARE(report.check().grades[0].moments.middle[0], vardo::parseFixed(u"-30,8611"_s));
    QString text = report.plainText();
    text.replace(QRegularExpression(u"\\s+"_s), u" "_s);
    // Expected: shown with its sign, checked by its size, and the report says on what ground.
    QVERIFY(text.contains(u"-30,8611"_s));
    QVERIFY(text.contains(u"212,8 %"_s));  // 30,8611 / 14,5
    QVERIFY(text.contains(u"допускаемый момент принят действительным для изгиба в обе стороны"_s));
    QVERIFY(text.contains(u"Отрицательные расчетные моменты («середина, аварийный»"_s));
}

void ReportTest::userTextIsNeverInterpreted() {
    // State: fields and a file name that look like markup, patterns or the diagram's place.
    Calculation c = sampleCalculation(u"road.vardo"_s);
    c.inputs[u"txtL3"_s] = u"@@diagram@@"_s;
    c.inputs[u"txtL4"_s] = QString(QChar(0xE000));
    c.inputs[u"txtL5"_s] = u"<b>жирный</b> &amp;"_s;
    c.inputs[u"txtL6"_s] = u"%1 %2"_s;
    const QString name = u"расчет %1 %2.vardo"_s;
    const Report report(inputFor(c, name));
    const QString text = report.plainText();
    // Expected: each is shown as typed; the diagram is drawn once, in its own section.
    QVERIFY(text.contains(u"@@diagram@@"_s));
    QVERIFY(text.contains(u"<b>жирный</b> &amp;"_s));
    QVERIFY(text.contains(u"%1 %2"_s));
    QCOMPARE(text.count(QChar::ObjectReplacementCharacter), 1);
    QVERIFY(text.indexOf(QChar::ObjectReplacementCharacter) > text.indexOf(u"2. Схема"_s));
    const QStringList pages = pdfPages(report);
    for (int p = 0; p < pages.size(); ++p)
        QVERIFY2(pages[p].contains(u"«"_s + name + u"» — стр. "_s + QString::number(p + 1) +
                                   u" из "_s + QString::number(pages.size())),
                 qPrintable(pages[p].right(120)));
}

void ReportTest::titleBlockNamesTheObjectAndWhoSigns() {
    // State: a calculation with its object data: markup in one field, a note of a real project
    // several lines long, and a file name of 300 letters without a blank.
    Calculation c = sampleCalculation(u"road.vardo"_s);
    c.object.object = u"ст. Ясная, перегон Ясная — Луговая"_s;
    c.object.crossbeam = u"<b>12</b> (опоры 23, 24)"_s;
    c.object.designedBy = u"Иванов И. И."_s;
    c.object.checkedBy = u"Петров П. П."_s;
    c.object.date = u"07.12.2026"_s;
    for (int i = 1; c.object.note.size() < 400; ++i)
        c.object.note += u"опора "_s + QString::number(i) + u" — фундамент ТСС-5,5 по проекту; "_s;
    const QString name = QString(300, u'ф') + u".vardo"_s;
    const Report report(inputFor(c, name));
    // Action: write the PDF and read its first page back. Expected: the object, the crossbeam
    // (markup as typed), the whole note and the whole name (their lines may break), and the
    // signature table with both names and the date, all before the inputs; nothing off the page.
    QTemporaryDir dir;
    QString error;
    QVERIFY(report.writePdf(dir.filePath(u"отчет.pdf"_s), &error));
    QPdfDocument pdf;
    QCOMPARE(pdf.load(dir.filePath(u"отчет.pdf"_s)), QPdfDocument::Error::None);
    const QPdfSelection page = pdf.getAllText(0);
    QVERIFY(page.boundingRectangle().right() < pdf.pagePointSize(0).width());
    QString first = page.text();
    first.replace(QRegularExpression(u"\\s+"_s), u" "_s);
    const qsizetype inputs = first.indexOf(u"1. Исходные данные"_s);
    QVERIFY(inputs > 0);
    const QString joined = first.left(inputs).remove(u' ');
    for (QString whole : {c.object.note, name})
        QVERIFY2(joined.contains(whole.remove(u' ')), qPrintable(whole));
    for (const QString& e : {u"Объект (станция, перегон): ст. Ясная, перегон Ясная — Луговая"_s,
                             u"Поперечина / опоры №: <b>12</b> (опоры 23, 24)"_s,
                             u"Примечание: опора 1 — "_s, u"Фамилия И. О. Дата"_s,
                             u"Разработал Иванов И. И. 07.12.2026"_s, u"Проверил Петров П. П."_s}) {
        const qsizetype at = first.indexOf(e);
        QVERIFY2(at >= 0 && at < inputs, qPrintable(e + u"\n"_s + first.left(inputs)));
    }
    QVERIFY(!first.contains(u"сокращено"_s));

    // A text longer than a page holds is shortened, and says how long it was.
    c.object.note = QString(kMaxTitleText + 73, u'ж');
    const QString shortened = Report(inputFor(c)).plainText();
    QVERIFY(shortened.contains(QString(kMaxTitleText, u'ж') + u"… [сокращено: всего "_s +
                               QString::number(kMaxTitleText + 73) + u" знака]"_s));

    // Without object data the lines are there to be filled in by hand.
    QString blank = pdfPages(Report(inputFor(sampleCalculation(u"road.vardo"_s)))).first();
    blank.replace(QRegularExpression(u"\\s+"_s), u" "_s);
    QVERIFY2(blank.contains(u"Объект (станция, перегон): —"_s), qPrintable(blank.left(600)));
    QVERIFY(blank.contains(u"Разработал"_s) && blank.contains(u"Проверил"_s));
}

void ReportTest::hostileTextsAreInert_data() {
    QTest::addColumn<QString>("field");  // the key of an object data field, "file" for the name
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");  // as the report prints it
    QTest::newRow("override in the file name")
        << u"file"_s << u"имя\u202Efdp.vardo"_s << u"имя[U+202E]fdp.vardo"_s;
    QTest::newRow("escape and line feed in the file name")
        << u"file"_s << u"a\x1B[2J\nb.vardo"_s << u"a[U+001B][2J[U+000A]b.vardo"_s;
    QTest::newRow("byte not UTF-8 in the file name")
        << u"file"_s << u"a"_s + QChar(0xDCFF) + u".vardo"_s << u"a[0xFF].vardo"_s;
    QTest::newRow("isolates and embeddings in the checker")
        << u"checkedBy"_s << u"\u2067П.\u2069\u2068П.\u2066\u202Bст\u202C\u202D"_s
        << u"[U+2067]П.[U+2069][U+2068]П.[U+2066][U+202B]ст[U+202C][U+202D]"_s;
    QTest::newRow("marks and zero-width characters in the note")
        << u"note"_s << u"\u200Fа\u200Eб\u061Cв\u200Bг\u200Cд\u200Dе\u2060ж\uFEFF"_s
        << u"[U+200F]а[U+200E]б[U+061C]в[U+200B]г[U+200C]д[U+200D]е[U+2060]ж[U+FEFF]"_s;
    QTest::newRow("line separators in the crossbeam")
        << u"crossbeam"_s << u"12\u2028опоры 3\u2029"_s << u"12[U+2028]опоры 3[U+2029]"_s;
}

void ReportTest::hostileTextsAreInert() {
    // State: characters that reorder or hide the text around them. Action: the PDF read back.
    // Expected: each as a visible mark, none in the page text; the name so in every footer.
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    Calculation c = sampleCalculation(u"road.vardo"_s);
    for (const ObjectField& f : objectFields())
        if (QStringView(f.key) == field) c.object.*f.member = text;
    const QStringList pages =
        pdfPages(Report(inputFor(c, field == u"file"_s ? text : u"a.vardo"_s)));
    // Lines may break anywhere: compared without blanks.
    static const QRegularExpression blanks(u"\\s+"_s);
    const QString all = pages.join(QString()).remove(blanks);
    for (const QChar ch : text)
        if (!shown.contains(ch) && !ch.isSpace())
            QVERIFY2(!all.contains(ch), qPrintable(QString::number(ch.unicode(), 16)));
    QVERIFY2(all.contains(QString(shown).remove(blanks)), qPrintable(all.left(1500)));
    for (int p = 0; field == u"file"_s && p < pages.size(); ++p)
        QVERIFY2(pages[p].contains(u"«"_s + shown + u"» — стр. "_s + QString::number(p + 1) +
                                   u" из "_s + QString::number(pages.size())),
                 qPrintable(pages[p].right(150)));
}

void ReportTest::hugeInputsMakeABoundedReport() {
    // State: every field at the longest text a line edit holds, and an allowable table of 5,000
    // grades. Expected: a report of a few pages that says what it left out.
    Calculation c = sampleCalculation(u"road.vardo"_s);
    for (auto it = c.inputs.begin(); it != c.inputs.end(); ++it)
        *it = QString(kMaxTextLength, u'9');
    for (auto it = c.mfs.begin(); it != c.mfs.end(); ++it) *it = QString(kMaxTextLength, u'x');
    ReportInput in = inputFor(c, QString(200, u'ф') + u".vardo"_s);
    const tables::Table grades = in.allowable;
    while (in.allowable.rowCount() < 5000) in.allowable.rows += grades.rows;
    const Report report(in);
    QVERIFY2(report.pageCount() <= 10, qPrintable(QString::number(report.pageCount())));
    const QString text = report.plainText();
    QVERIFY(text.contains(u"[сокращено: всего 32767 знаков]"_s));
    QVERIFY(text.contains(u"В таблице 5004 марки; все проверены, показаны первые 60"_s));
    QCOMPARE(report.check().grades.size(), 5004);
}

void ReportTest::standardScales_data() {
    QTest::addColumn<double>("range");  // metres
    QTest::addColumn<double>("paper");  // millimetres
    QTest::addColumn<double>("scale");
    QTest::newRow("18 m on 150 mm") << 18.0 << 150.0 << 200.0;
    QTest::newRow("42 m on 150 mm") << 42.0 << 150.0 << 500.0;
    QTest::newRow("20 m on 160 mm") << 20.0 << 160.0 << 200.0;  // 1:125 needed
    QTest::newRow("25 m on 100 mm") << 25.0 << 100.0 << 250.0;  // exactly
    QTest::newRow("3 m on 150 mm") << 3.0 << 150.0 << 20.0;
    QTest::newRow("9000 m on 150 mm") << 9000.0 << 150.0 << 100000.0;
    QTest::newRow("nothing") << 0.0 << 150.0 << 1.0;
}

void ReportTest::standardScales() {
    QFETCH(double, range);
    QFETCH(double, paper);
    QFETCH(double, scale);
    QCOMPARE(standardScale(range, paper), scale);
    if (range > 0) QVERIFY(range * 1000.0 / scale <= paper);
}

void ReportTest::diagramPlacesPoints_data() {
    QTest::addColumn<QString>("lp");
    QTest::addColumn<QStringList>("points");  // "L,P,G" of points 1, 2, ...
    QTest::addColumn<QString>("placed");      // x of each point that takes part, "-" unplaced
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("note");  // a fragment of the notes, empty: no note
    QTest::newRow("left arm") << u"18"_s << QStringList{u"5,0,1"_s} << u"5"_s << u"18"_s
                              << QString();
    QTest::newRow("right arm from the right support")
        << u"18"_s << QStringList{u"0,0,0"_s, u"0,4,5,1"_s} << u"13,5"_s << u"18"_s << QString();
    QTest::newRow("both arms: drawn at the left one")
        << u"18"_s << QStringList{u"6,3,1"_s} << u"6"_s << u"18"_s << QString();
    QTest::newRow("loads without arms")
        << u"18"_s << QStringList{u"0,0,2"_s} << u"-"_s << u"18"_s << u"точка 1: плечи равны 0"_s;
    QTest::newRow("beyond the beam") << u"18"_s << QStringList{u"42,0,1"_s} << u"42"_s << u"18"_s
                                     << u"точка 1 лежит за пределами"_s;
    QTest::newRow("no Lр: as long as the arms")
        << u"abc"_s << QStringList{u"5,0,1"_s, u"0,0,0"_s, u"0,7,1"_s} << u"5;0"_s << u"7"_s
        << u"Lр не задана"_s;
}

void ReportTest::diagramPlacesPoints() {
    QFETCH(QString, lp);
    QFETCH(QStringList, points);
    QFETCH(QString, placed);
    QFETCH(QString, length);
    QFETCH(QString, note);
    Calculation c = startCalculation();
    c.inputs[u"txtLp"_s] = lp;
    for (int i = 0; i < points.size(); ++i) {
        // "L,P,G" with the decimal comma inside a value written as "4,5": split on the first two.
        const QStringList f = points[i].split(u',');
        c.inputs[u"txtL%1"_s.arg(i + 1)] = f[0];
        c.inputs[u"txtP%1"_s.arg(i + 1)] = f.size() > 3 ? f[1] + u',' + f[2] : f[1];
        c.inputs[u"txtG%1"_s.arg(i + 1)] = f.last();
    }
    const DiagramModel m = diagramModel(c);
    QStringList xs;
    for (const DiagramPoint& p : m.points) xs << (p.x ? vardo::formatFixed(*p.x) : u"-"_s);
    QCOMPARE(xs.join(u';'), placed);
    QCOMPARE(vardo::formatFixed(m.length), length);
    if (note.isEmpty())
        QVERIFY2(m.notes.isEmpty(), qPrintable(m.notes.join(u'\n')));
    else
        QVERIFY2(m.notes.join(u'\n').contains(note), qPrintable(m.notes.join(u'\n')));
    // Drawing it never fails, whatever the model.
    QImage image(800, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    paintDiagram(painter, QRectF(0, 0, 800, diagramHeightMm(m) * 4), m, 4.0);
}

void ReportTest::reportOfWorkedExample() {
    Calculation c = momentExample();
    c.results[u"Label23"_s] = u"15"_s;  // a result saved before the inputs last changed
    const Report report(reportInput(c, gradeTable()));
    // The governing values typed over are smaller than the inputs give (G 0,67·200·42 = 5628 at
    // the left): the end block is checked with 5628 and 1805,25, and Р-3 fails at V max:
    // (500·1,1 + 5628·1,1 + 20655,405) / 1000 = 27,3962 against 25,4954, 107,5 %.
    QCOMPARE(report.verdict(), u"подходит марка Р-4 серии П (первая, прошедшая все проверки)"_s);
    const QString text = report.plainText();
    for (const QString& expected :
         {u"Расчет жесткой поперечины"_s, u"01.03.2024 10:30"_s, u"пример.vardo"_s, u"14,3207"_s,
          u"14,9637"_s, u"28,477"_s, u"12,9227"_s, u"13,5121"_s, u"25,4954"_s, u"143,2 %"_s,
          u"95,5 %"_s, u"107,5 %"_s, u"grades.xls"_s, u"Р-3 — выбор"_s.mid(0, 3),
          u"проходит — выбор"_s, u"не проходит"_s, u"проверка неполная"_s})
        QVERIFY2(text.contains(expected), qPrintable(expected));
    QCOMPARE(text.count(u"— выбор"_s), 1);
    QVERIFY(!text.contains(u"не вычислено"_s));
    // A saved result that differs from the recomputed one is named beside it, a blank one not.
    QVERIFY(text.contains(u"гололед, середина: в файле — 15"_s));
    QVERIFY(text.contains(u"G, середина: в файле — 0"_s));  // the start-up "0", never computed
    QCOMPARE(text.count(u"в файле"_s), 3);
    // The governing values were typed over: the report says so, and with what it checked.
    QVERIFY(
        text.contains(u"(3900) меньше большего из значений слева и справа по исходным "
                      u"данным (5628): крайний блок проверен с 5628"_s));

    // The PDF: pages written, a file that starts and ends as a PDF does.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"отчет.pdf"_s);
    QString error;
    QVERIFY2(report.writePdf(pdf, &error), qPrintable(error));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    QCOMPARE(
        bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
        report.pageCount());
    QVERIFY(report.pageCount() >= 1 && report.pageCount() <= 5);

    // The first page as a picture for a person to look at, painted by the same code as the PDF.
    const QImage page = report.pageImage(0, 150);
    QCOMPARE(page.size(), QSize(1241, 1754));
    const QString png = outputDir() + u"/worked-example-page1.png"_s;
    QVERIFY(page.save(png));
    // Something was drawn in the diagram's colours: the red point marks and the blue loads.
    int red = 0, blue = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            blue += c.blue() > 120 && c.red() < 60 && c.green() < 60;
        }
    QVERIFY2(red > 40 && blue > 40, qPrintable(u"red %1 blue %2"_s.arg(red).arg(blue)));
    for (int p = 1; p < report.pageCount(); ++p)
        QVERIFY(report.pageImage(p, 100).save(outputDir() +
                                              u"/worked-example-page%1.png"_s.arg(p + 1)));

    // A path where no file can be written: the message names it.
    QVERIFY(!report.writePdf(dir.filePath(u"нет/отчет.pdf"_s), &error));
    QVERIFY2(error.contains(u"отчет.pdf"_s), qPrintable(error));
}

void ReportTest::reportOfIncompleteCalculation() {
    // State: only the suspension loads computed, no crossbeam data. Expected: the moments are
    // "не вычислено" (never 0), no grade passes, and the report says what is missing.
    const Report report(reportInput(loadExample(), gradeTable()));
    QCOMPARE(report.check().firstPassing, -1);
    QVERIFY2(report.verdict().startsWith(u"проверка неполная"_s), qPrintable(report.verdict()));
    const QString text = report.plainText();
    QCOMPARE(text.count(u"не вычислено"_s), 6);
    QVERIFY(text.contains(u"1161,95"_s));
    QVERIFY(text.contains(u"Lр не задана"_s));
    QVERIFY(!text.contains(u"проходит — выбор"_s));

    // Without the allowable-moment table the check is not made, and the report says so.
    ReportInput in = reportInput(momentExample(), {});
    in.allowableError = u"файл не найден"_s;
    const Report without(std::move(in));
    QVERIFY(without.verdict().contains(u"не прочитана"_s));
    QVERIFY(without.plainText().contains(u"файл не найден"_s));
    QVERIFY(without.pageImage(0, 50).width() > 0);
}

void ReportTest::noteOfWorkedExamples_data() {
    QTest::addColumn<Calculation>("calculation");
    QTest::addColumn<QStringList>("expected");
    // The suspension loads, l = 70, Gт = 131: point 1 picked from the row "ПБСМ-95", point 2 typed
    // over after its pick, the ice loads from a file that did not record the rows.
    Calculation loads = loadExample();
    loads.picks = {{u"txtG1"_s, {u"ПБСМ-95"_s, u"1,59"_s}}, {u"txtG2"_s, {u"М-120"_s, u"1,7"_s}}};
    QTest::newRow("loads") << loads
                           << QStringList{
                                  u"1 «ПБСМ-95» не записано 1,59·70 + 131 = 242,3 "
                                  u"(2,5 − 1,59)·70 = 63,7"_s,
                                  u"2 не из таблицы не записано 1,66·70 + 131 = 247,2 "
                                  u"(2,6 − 1,66)·70 = 65,8"_s,
                                  u"SL = 242,3·5 = 1211,5; SP = 247,2·4,5 = 1112,4; "
                                  u"M = 0,5·1211,5 + 0,5·1112,4 = 1161,95"_s,
                                  u"SL = 63,7·5 = 318,5; SP = 65,8·4,5 = 296,1; "
                                  u"M = 0,5·318,5 + 0,5·296,1 = 307,3"_s,
                                  u"M = 0,67·1211,5 + 0,33·1112,4 = 1178,797"_s,
                                  u"M = 0,33·1211,5 + 0,67·1112,4 = 1145,103"_s,
                                  u"max(слева; справа) = 1178,797"_s};
    // The design moments, Lр = 18, gр = 55, gрг = 21,5, h/b = 1,59, Pp = 0,35, Vm = 25; M = 4200
    // and Mг = 1350,5 at mid-span, 3900 and 1200,5 at 1/3 (1/4).
    QTest::newRow("moments, 1/3")
        << momentExample()
        << QStringList{
               u"[(55 + 21,5)·0,125·18² + 187·18·1,59 + 4200 + 1350,5 + 320] / 1000 = "
               u"[3098,25 + 5351,94 + 4200 + 1350,5 + 320] / 1000 = 14320,69 / 1000 = "
               u"14,3207"_s,
               u"[3547,395 + "_s,
               u"14963,7119 / 1000 = 14,9637"_s,
               u"[0,138·55·18² + 1,59·18²·25²·0,35·0,185 + 1,1·4200 + 1,1·500] / 1000 = "
               u"[2459,16 + "_s,
               u"28477,0413 / 1000 = 28,477"_s,
               u"[2751,246 + 4750,92 + 3900 + 1200,5 + 320] / 1000 = 12922,666 / 1000 = "
               u"12,9227"_s,
               u"13512,1202 / 1000 = 13,5121"_s,
               u"[2174,04 + "_s,
               u"25495,405 / 1000 = 25,4954"_s,
               u"kq 0,125 0,111"_s};
    Calculation quarter = momentExample();
    quarter.options[u"Frame15"_s] = u"Option10"_s;
    QTest::newRow("moments, 1/4")
        << quarter
        << QStringList{
               u"[2317,491 + 4006,8 + 3900 + 1200,5 + 320] / 1000 = 11744,791 / 1000 = "
               u"11,7448"_s,
               u"= 12,3675"_s, u"[1835,46 + "_s, u"= 22,2269"_s, u"kq 0,125 0,0935"_s};
}

void ReportTest::noteOfWorkedExamples() {
    // State: a worked example. Action: write its PDF and read the text back. Expected: each step
    // with the numbers put in and the results of the example, each point's suspension by name.
    QFETCH(Calculation, calculation);
    QFETCH(QStringList, expected);
    QString all = pdfPages(Report(inputFor(calculation))).join(u' ');
    all.replace(QRegularExpression(u"\\s+"_s), u" "_s);
    for (const QString& e : expected) QVERIFY2(all.contains(e), qPrintable(e));
}

void ReportTest::headersNeverBreakInAWord() {
    // State: a machine whose only fonts are DejaVu, wider than Liberation, which leaves the check
    // table's columns less room. Action: vardo-report writes the sample's PDF. Expected: every
    // word of the column headers whole.
    QTemporaryDir dir;
    QFile conf(dir.filePath(u"fonts.conf"_s));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write(
        "<?xml version=\"1.0\"?><fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir>"
        "<cachedir>" +
        dir.path().toUtf8() + "</cachedir></fontconfig>");
    conf.close();
    QProcess run;
    run.setWorkingDirectory(QStringLiteral(VARDO_SAMPLE_DATA));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"FONTCONFIG_FILE"_s, conf.fileName());
    run.setProcessEnvironment(environment);
    const QString pdf = dir.filePath(u"отчет.pdf"_s);
    run.start(QStringLiteral(VARDO_REPORT_EXE),
              {QStringLiteral(VARDO_TEST_DATA "/road.vardo"), u"-o"_s, pdf});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitCode(), 0);
    QPdfDocument document;
    QCOMPARE(document.load(pdf), QPdfDocument::Error::None);
    QStringList words;
    for (int p = 0; p < document.pageCount(); ++p)
        words += document.getAllText(p).text().split(QRegularExpression(u"\\s+"_s));
    for (const QString& header : {u"Возможные"_s, u"Крайний"_s, u"середина"_s, u"кгс·с²/м³"_s})
        QVERIFY2(words.contains(header), qPrintable(header));
}

QTEST_MAIN(ReportTest)
#include "report_test.moc"
