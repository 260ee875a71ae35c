// The schedule of crossbeams: each row holds the worked moments, grade and verdict of its file
// (every grade checked with its own rows) and the report's caveats word for word, the CSV is what
// Excel opens in a Russian locale, an unreadable file is a row with its reason and exit status 1,
// no schedule replaces a file the run reads or lands on a device, and the workbook's numbers never
// take the decimal comma of the C library's locale. The .xlsx is read back in full by
// schedule_xlsx_test.py.

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <cstdio>

#include "core/numbertext.h"
#include "document/calculation.h"
#include "document/recompute.h"
#include "document/report.h"
#include "document/schedule.h"
#include "tables/workbook.h"
#include "tests/support/samples.h"

using namespace Qt::Literals::StringLiterals;
using namespace vardo::document;
namespace tables = vardo::tables;

using vardo::testing::sampleCalculation;
using vardo::testing::sampleWorkbook;

namespace {

ScheduleTables sampleTables() {
    ScheduleTables t;
    for (const char16_t* workbook : {u"т36.1.xls", u"т36.2.xls"})
        t.allowable.insert(QString::fromUtf16(workbook), {sampleWorkbook(workbook), {}});
    t.crossbeam = {sampleWorkbook(kWeightWorkbook), sampleWorkbook(kIceWorkbook),
                   sampleWorkbook(kWindWorkbook)};
    t.mfs = sampleWorkbook(kMfsWorkbook);
    return t;
}

// The report as vardo-report makes it for the file.
ReportInput reportInput(const Calculation& c) {
    ReportInput in;
    in.calculation = c;
    in.results = recompute(c).results;
    in.allowableWorkbook = allowableWorkbookName(c);
    in.allowable = sampleWorkbook(series(c).allowable.workbook);
    in.crossbeamTables = {sampleWorkbook(kWeightWorkbook), sampleWorkbook(kIceWorkbook),
                          sampleWorkbook(kWindWorkbook)};
    in.mfsTable = sampleWorkbook(kMfsWorkbook);
    return in;
}

// The road example with a slower wind and point 1 at 20 m: the governing values clicked are the
// left ones, G 0,67·200·20 = 2680 and Gг 0,67·64·20 + 0,33·13 = 861,89; a grade passes.
Calculation passingCalculation(const QString& wind = u"10"_s) {
    Calculation c = sampleCalculation(u"road.vardo"_s);
    c.inputs[u"txtVm"_s] = wind;
    c.inputs[u"txtL1"_s] = u"20"_s;
    c.results[u"Text21"_s] = u"2680"_s;
    c.results[u"Text22"_s] = u"861,89"_s;
    return c;
}

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run report(const QStringList& arguments, const QString& folder,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(environment);
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(VARDO_REPORT_EXE),
            QStringList{u"--tables"_s, QStringLiteral(VARDO_SAMPLE_DATA)} + arguments);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Three files in a folder: the two samples and one cut short.
QStringList threeFiles(const QTemporaryDir& dir) {
    QStringList files;
    for (const QString& name : {u"road.vardo"_s, u"road-quarter.vardo"_s}) {
        const QString to = dir.filePath(name);
        QFile::copy(QStringLiteral(VARDO_TEST_DATA) + u'/' + name, to);
        files << to;
    }
    QFile road(QStringLiteral(VARDO_TEST_DATA "/road.vardo"));
    road.open(QIODevice::ReadOnly);
    QFile broken(dir.filePath(u"обрыв.vardo"_s));
    broken.open(QIODevice::WriteOnly);
    broken.write(road.readAll().left(300));
    broken.close();
    files << broken.fileName();
    return files;
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A CSV line split at its separators (the fields of these tests hold no quotes).
QStringList fields(const QString& line) {
    return line.split(u';');
}

}  // namespace

class ScheduleTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void rowOfWorkedExamples_data();
    void rowOfWorkedExamples();
    void remarksAreTheReports_data();
    void remarksAreTheReports();
    void csvOfThreeFilesWithABrokenOne();
    void csvQuotesAndDisarmsText();
    void xlsxNumbersInAnyLocale();
    void everyFileReadAndCheckedIsSuccess();
    void xlsxAmongCyrillicFolders();
    void xlsxWithoutItsModule();
    void refusedOutputs_data();
    void refusedOutputs();
};

void ScheduleTest::rowOfWorkedExamples_data() {
    // The six design moments are the sheet's (its own gр 55, gрг 21,5, Pp 0,35); the grades are
    // checked each with its own rows (b = 10 mm) and the governing end loads. Worked by hand.
    QTest::addColumn<Calculation>("calculation");
    QTest::addColumn<QString>("moments");  // Label22 .. Label24, Label30 .. Label32
    QTest::addColumn<QString>("grade");    // "" when none passes
    QTest::addColumn<double>("highestUse");
    QTest::addColumn<QString>("governingMode");
    QTest::addColumn<QString>("verdict");
    // The worked examples of the design moments. П-2 (55, 21,6, 0,035), the end block with the
    // governing 5628 and 1805,25: emergency [76,6·35,964 + 166·18·1,59 + 5628 + 1805,25 + 320] /
    // 1000 = 15,259 of 13 (117,4 %); П-1 the same way; П-3 (62, 23,4, 0,038) end ice
    // [(1,1·62 + 1,26·23,4)·35,964 + 1,59·324·156,25·0,038·0,147 + 1,1·5628 + 1,26·1805,25 +
    // 1,1·380] / 1000 = 12,8462 of 12,5; П-4 (71, 25,6, 0,041) end ice 13,3374 of 15,5 its highest.
    QTest::newRow("road") << sampleCalculation(u"road.vardo"_s)
                          << u"14,3207 14,9637 28,477 12,9227 13,5121 25,4954"_s << u"П-4"_s
                          << 13.3374 / 15.5 << u"1/3, гололед"_s
                          << u"подходит марка П-4 серии П (первая, прошедшая все проверки)"_s;
    // Lр 24, Vm 27,5, "1/4", ОП: mid-span emergency [76,5·72 + 187·24·1,59 + 4200 + 1350,5 +
    // 320] / 1000 = 18,5144; end emergency [76,5·53,856 + 140·24·1,59 + 3900 + 1200,5 + 320] /
    // 1000 = 14,8829. The grades at 1/4 with the governing 6300 and 2019,25: ОП-3 (75, 25,2,
    // 0,042) end ice 16,9472 of 16,5; ОП-4 (86, 27,5, 0,046) end ice 17,8408 of 20,5 the highest.
    QTest::newRow("road-quarter")
        << sampleCalculation(u"road-quarter.vardo"_s)
        << u"18,5144 23,1062 54,3879 14,8829 18,4526 41,5558"_s << u"ОП-4"_s << 17.8408 / 20.5
        << u"1/4, гололед"_s << u"подходит марка ОП-4 серии ОП (первая, прошедшая все проверки)"_s;
    // G 2000, Gг 646,5 at mid-span; 2680, 861,89 at 1/3. П-1 (48, 18,9, 0,032): end emergency
    // [66,9·35,964 + 4750,92 + 2680 + 861,89 + 320] / 1000 = 11,0188 of 10,5 fails. П-2: end
    // emergency [76,6·35,964 + 4750,92 + 2680 + 861,89 + 320] / 1000 = 11,3677 of 13, its highest.
    const QString passing = u"11,4167 7,7283 8,5448 11,3641 8,2647 8,6291"_s;
    QTest::newRow("passing") << passingCalculation() << passing << u"П-2"_s << 11.3677 / 13
                             << u"1/3, аварийный"_s
                             << u"подходит марка П-2 серии П (первая, прошедшая все проверки)"_s;
    // ОП-1 (58, 20,7, 0,036): end emergency [78,7·35,964 + 8612,81] / 1000 = 11,4432 of 14.
    Calculation op = passingCalculation();
    op.options[u"Frame3"_s] = u"Option2"_s;
    QTest::newRow("passing, ОП")
        << op << passing << u"ОП-1"_s << 11.4432 / 14 << u"1/3, аварийный"_s
        << u"подходит марка ОП-1 серии ОП (первая, прошедшая все проверки)"_s;
    // A storm, Vm 52: П-4's end V max [0,122·71·324 + 1,59·324·2704·0,041·0,164 + 1,1·2680 +
    // 1,1·500] / 1000 = 15,671 of 15,5 fails, П-1 .. П-3 the same way, П-5 and П-6 are not for
    // Lр 18. In ОП, ОП-1 and ОП-2 fail the same way (15,0164 of 13,5); ОП-3 (75, 25,2, 0,042)
    // passes, its end V max 16,0575 of 16,5 the highest.
    Calculation windy = passingCalculation(u"52"_s);
    const QString windyMoments = u"11,4167 27,2132 95,4054 11,3641 25,5194 85,6298"_s;
    QTest::newRow("windy") << windy << windyMoments << QString() << 0.0 << QString()
                           << u"ни одна марка серии П не проходит"_s;
    windy.options[u"Frame3"_s] = u"Option2"_s;
    QTest::newRow("windy, ОП")
        << windy << windyMoments << u"ОП-3"_s << 16.0575 / 16.5 << u"1/3, V max"_s
        << u"подходит марка ОП-3 серии ОП (первая, прошедшая все проверки)"_s;
}

void ScheduleTest::rowOfWorkedExamples() {
    // State: a calculation. Action: its row of the schedule. Expected: the worked values.
    QFETCH(Calculation, calculation);
    QFETCH(QString, moments);
    QFETCH(QString, grade);
    QFETCH(double, highestUse);
    QFETCH(QString, governingMode);
    QFETCH(QString, verdict);
    const ScheduleRow row = scheduleRow(u"a.vardo"_s, calculation, sampleTables());
    QVERIFY(row.read && row.checked);
    QStringList shown;
    for (const std::optional<vardo::Fixed>& m : row.moments)
        shown << (m ? vardo::formatFixed(*m) : u"—"_s);
    QCOMPARE(shown.join(u' '), moments);
    QCOMPARE(row.grade, grade);
    QCOMPARE(row.highestUse.has_value(), !grade.isEmpty());
    if (row.highestUse)
        QVERIFY2(qAbs(*row.highestUse - highestUse) < 1e-12,
                 qPrintable(QString::number(*row.highestUse)));
    QCOMPARE(row.governingMode, governingMode);
    QCOMPARE(row.verdict, verdict);
}

void ScheduleTest::remarksAreTheReports_data() {
    QTest::addColumn<Calculation>("calculation");
    QTest::addColumn<bool>("withoutFirstGradesWeight");  // П-1 gone from т37Gp.xls
    QTest::addColumn<QString>("remark");
    QTest::addColumn<QString>("verdict");  // "" when not compared
    Calculation road = sampleCalculation(u"road.vardo"_s);
    QTest::newRow("non-governing end load")
        << road << false
        << u"G расчетное 1/3 на листе (3900) меньше большего из значений слева и справа по "
           u"исходным данным (5628): крайний блок проверен с 5628"_s
        << QString();
    Calculation c = road;
    c.inputs[u"txtLp"_s] = u"20"_s;
    QTest::newRow("Мфс row of another Lр")
        << c << false << u"Строка Мфс относится к Lр = 18 м, а расчетная длина Lр = 20 м"_s
        << QString();
    c = road;
    c.options[u"Frame3"_s] = u"Option2"_s;
    c.inputs[u"txtGp"_s] = u"48"_s;
    c.inputs[u"txtGpg"_s] = u"18,9"_s;
    c.inputs[u"txtPp"_s] = u"0,032"_s;
    QTest::newRow("rows of the other series")
        << c << false << u"строки «П-1 (16–20 м)» серии П, а проверяется серия ОП"_s << QString();
    c = road;
    c.results[u"Label22"_s] = u"15"_s;
    QTest::newRow("results out of date")
        << c << false << u"Результаты листа устарели"_s << QString();
    // П-1 cannot be checked; П-2 passes (87,4 % at most), and the verdict says what comes before.
    QTest::newRow("grade not checked")
        << passingCalculation() << true << u"Проверены не до конца: П-1 — не проверена"_s
        << u"подходит марка П-2 серии П (первая, прошедшая все проверки; перед ней проверены не "
           u"до конца: П-1 — не проверена)"_s;
}

void ScheduleTest::remarksAreTheReports() {
    // State: a calculation the report has a caveat for. Action: its row of the schedule.
    QFETCH(Calculation, calculation);
    QFETCH(bool, withoutFirstGradesWeight);
    QFETCH(QString, remark);
    QFETCH(QString, verdict);
    ScheduleTables tables = sampleTables();
    ReportInput in = reportInput(calculation);
    if (withoutFirstGradesWeight) {
        tables.crossbeam.weight.rows.removeFirst();
        in.crossbeamTables = tables.crossbeam;
    }
    const ScheduleRow row = scheduleRow(u"a.vardo"_s, calculation, tables);
    // Expected: the report's caveats, word for word, in the column "Замечания".
    QStringList texts;
    const Report report(in);
    for (const Remark& r : report.remarks()) texts << r.text;
    QCOMPARE(row.remarks, texts);
    QVERIFY2(row.remarks.join(u'|').contains(remark), qPrintable(row.remarks.join(u'|')));
    if (!verdict.isEmpty()) QCOMPARE(row.verdict, verdict);
    const QString csv = QString::fromUtf8(scheduleCsv({row}).mid(3));
    const QStringList lines = csv.split(u"\r\n"_s);
    // Counted from the end: a verdict may hold a separator (then quoted), the remarks do not.
    QCOMPARE(fields(lines[0]).indexOf(u"Замечания"_s), fields(lines[0]).size() - 2);
    const QStringList cells = fields(lines[1]);
    QCOMPARE(cells.value(cells.size() - 2), row.remarks.join(u". "_s) + u'.');
}

void ScheduleTest::csvOfThreeFilesWithABrokenOne() {
    // State: two sample calculations and one cut short. Action: vardo-report --schedule x.csv.
    QTemporaryDir dir;
    const QStringList files = threeFiles(dir);
    const QString csv = dir.filePath(u"ведомость.csv"_s);
    const Run run = report(QStringList{u"--schedule"_s, csv} + files, dir.path());
    // Expected: exit status 1 (a file was not read) and the reason on stderr.
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(u"«обрыв.vardo»"_s), qPrintable(run.err));
    const QByteArray bytes = contentOf(csv);
    // UTF-8 with a BOM, lines ended by CR LF, the header and one row per file.
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(bytes.mid(3));
    QVERIFY(text.endsWith(u"\r\n"_s));
    const QStringList lines = text.chopped(2).split(u"\r\n"_s);
    QCOMPARE(lines.size(), 4);
    const QStringList header = fields(lines[0]);
    QCOMPARE(header, scheduleHeader());
    const qsizetype file = header.indexOf(u"Файл расчета"_s);
    const qsizetype verdict = header.indexOf(u"Вывод"_s);
    const qsizetype grade = header.indexOf(u"Марка ригеля"_s);
    const qsizetype span = header.indexOf(u"Пролет l, м"_s);
    const qsizetype firstMoment = header.indexOf(u"Аварийный (Мн нп), середина, тс·м"_s);
    QVERIFY(file > 0 && verdict > 0 && grade > 0 && span > 0 && firstMoment > 0);

    const ScheduleTables tables = sampleTables();
    for (int r = 0; r < 2; ++r) {
        const QStringList row = fields(lines[r + 1]);
        QCOMPARE(row.size(), header.size());
        const Calculation c = sampleCalculation(QFileInfo(files[r]).fileName());
        const ScheduleRow expected = scheduleRow(QFileInfo(files[r]).fileName(), c, tables);
        QCOMPARE(row[file], QFileInfo(files[r]).fileName());
        QCOMPARE(row[verdict], expected.verdict);
        QCOMPARE(row[grade], expected.grade.isEmpty() ? u"не подобрана"_s : expected.grade);
        // Numbers with the decimal comma, never quoted: l as typed, the moments exactly.
        QCOMPARE(vardo::parseFixed(row[span]), vardo::parseFixed(c.inputs.value(u"txtProlet"_s)));
        for (int m = 0; m < 6; ++m) {
            QVERIFY2(
                QRegularExpression(u"^-?\\d+(,\\d+)?$"_s).match(row[firstMoment + m]).hasMatch(),
                qPrintable(row[firstMoment + m]));
            QCOMPARE(vardo::parseFixed(row[firstMoment + m]), expected.moments[m]);
        }
    }
    // The broken file: its name and why, nothing else.
    const QStringList broken = fields(lines[3]);
    QCOMPARE(broken.size(), header.size());
    QCOMPARE(broken[file], u"обрыв.vardo"_s);
    QVERIFY2(broken[verdict].contains(u"«обрыв.vardo»: файл обрезан"_s),
             qPrintable(broken[verdict]));
    QVERIFY(broken[grade].isEmpty() && broken[span].isEmpty() && broken[firstMoment].isEmpty());
}

void ScheduleTest::csvQuotesAndDisarmsText() {
    // State: object data with separators, quotes, a line break and a formula-like text.
    Calculation c = sampleCalculation(u"road.vardo"_s);
    c.object.object = u"ст. Ясная; путь \"2\""_s;
    c.object.crossbeam = u"=1+1"_s;
    c.object.note = u"строка\nвторая"_s;
    c.object.designedBy = u"-Иванов"_s;
    const QList<ScheduleRow> rows = {scheduleRow(u"a.vardo"_s, c, sampleTables())};
    // Action: the CSV. Expected: quoted where needed, the formula shown as text.
    const QString text = QString::fromUtf8(scheduleCsv(rows).mid(3));
    const QString row = text.section(u"\r\n"_s, 1);
    QVERIFY2(
        row.startsWith(u"\"ст. Ясная; путь \"\"2\"\"\";'=1+1;'-Иванов;;;\"строка\nвторая\";"_s),
        qPrintable(row));
}

void ScheduleTest::xlsxNumbersInAnyLocale() {
#ifdef Q_OS_WIN
    QSKIP("reads the workbook back with unzip, a tool of Linux");
#endif
    // State: the C library's numbers in the Russian locale ("1,5"), as in a program that took
    // its locale from a Russian desktop; the schedule of the road example.
    const Calculation c = sampleCalculation(u"road.vardo"_s);
    const ScheduleRow row = scheduleRow(u"a.vardo"_s, c, sampleTables());
    const QByteArray before = std::setlocale(LC_NUMERIC, nullptr);
    QVERIFY2(std::setlocale(LC_NUMERIC, "ru_RU.UTF-8"),
             "the locale ru_RU.UTF-8 is not generated (scripts/deps generates it)");
    char probe[8];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    // Action: the workbook.
    QString why;
    const std::optional<QByteArray> xlsx = scheduleXlsx({row}, &why);
    std::setlocale(LC_NUMERIC, before.constData());
    QCOMPARE(QByteArray(probe), "1,5");
    QVERIFY2(xlsx, qPrintable(why));
    // Expected: the number cells of the row, in the order of the columns (l, Lр, the six
    // moments, ...), are the values in the C form that every spreadsheet reads.
    QTemporaryDir dir;
    QFile file(dir.filePath(u"a.xlsx"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(*xlsx) == xlsx->size());
    file.close();
    QProcess unzip;
    unzip.start(u"unzip"_s, {u"-p"_s, file.fileName(), u"xl/worksheets/sheet1.xml"_s});
    QVERIFY(unzip.waitForFinished());
    const QString sheet = QString::fromUtf8(unzip.readAllStandardOutput());
    QList<double> numbers;
    // A number cell of the row (the third: the title, the header, then the rows) has no type
    // attribute ("t" marks a text).
    auto cells =
        QRegularExpression(u"<c r=\"[A-Z]+3\"(?: s=\"\\d+\")?><v>([^<]*)</v>"_s).globalMatch(sheet);
    while (cells.hasNext()) {
        const QString text = cells.next().captured(1);
        bool ok = false;
        numbers << text.toDouble(&ok);
        QVERIFY2(ok, qPrintable(text));
    }
    QList<double> expected = {vardo::parseFixed(c.inputs.value(u"txtProlet"_s))->toDouble(),
                              vardo::parseFixed(c.inputs.value(u"txtLp"_s))->toDouble()};
    for (const std::optional<vardo::Fixed>& m : row.moments)
        expected << m.value_or(vardo::Fixed()).toDouble();
    QCOMPARE(numbers.mid(0, expected.size()), expected);
}

void ScheduleTest::everyFileReadAndCheckedIsSuccess() {
    // State: two good files. Action: the schedule. Expected: exit 0, a line per file, written.
    QTemporaryDir dir;
    QStringList files = threeFiles(dir);
    files.removeLast();
    const QString csv = dir.filePath(u"ведомость.csv"_s);
    const Run run = report(QStringList{u"--schedule"_s, csv} + files, dir.path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(u"ведомость записана"_s), qPrintable(run.out));
    QCOMPARE(QString::fromUtf8(contentOf(csv)).count(u"\r\n"_s), 3);
}

void ScheduleTest::xlsxAmongCyrillicFolders() {
    // State: the temporary folder and the folder of the schedule named in Cyrillic (a Windows
    // user "Инженер": C:\Users\Инженер\AppData\Local\Temp).
    QTemporaryDir dir;
    QStringList files = threeFiles(dir);
    files.removeLast();
    const QString temporary = dir.filePath(u"временная папка"_s);
    QVERIFY(QDir().mkpath(temporary) && QDir().mkpath(dir.filePath(u"ведомости"_s)));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {u"TMPDIR"_s, u"TEMP"_s, u"TMP"_s})
        environment.insert(name, QDir::toNativeSeparators(temporary));
    // Action: the schedule as a workbook. Expected: written, an .xlsx (a zip) whole.
    const QString xlsx = dir.filePath(u"ведомости/ведомость.xlsx"_s);
    const Run run = report(QStringList{u"--schedule"_s, xlsx} + files, dir.path(), environment);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(contentOf(xlsx).startsWith("PK\x03\x04"));
    // The program's temporary folder is gone (Qt may keep a runtime folder there on Linux).
    QVERIFY(QDir(temporary).entryList({u"vardo*"_s}, QDir::AllEntries | QDir::Hidden).isEmpty());
}

void ScheduleTest::xlsxWithoutItsModule() {
#ifdef Q_OS_WIN
    QSKIP("the .xlsx writer is linked into the programs on Windows");
#endif
    // State: vardo-report copied into a folder of its own, outside the build tree, where its
    // .xlsx module is not found.
    QTemporaryDir dir;
    QStringList files = threeFiles(dir);
    files.removeLast();
    const QString program = dir.filePath(u"vardo-report"_s);
    QVERIFY(QFile::copy(QStringLiteral(VARDO_REPORT_EXE), program));
    const auto schedule = [&](const QString& output) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(program, QStringList{u"--tables"_s, QStringLiteral(VARDO_SAMPLE_DATA),
                                     u"--schedule"_s, output} +
                             files);
        return p.waitForFinished(120000) ? std::pair(p.exitCode(), p.readAllStandardError())
                                         : std::pair(-1, QByteArray());
    };
    // Action: the schedule as a workbook, and as a CSV.
    const QString xlsx = dir.filePath(u"ведомость.xlsx"_s);
    const QString csv = dir.filePath(u"ведомость.csv"_s);
    const auto [xlsxExit, xlsxErr] = schedule(xlsx);
    const auto [csvExit, csvErr] = schedule(csv);
    // Expected: the workbook is refused, saying the module is missing and that a CSV needs none;
    // nothing written; the CSV is written without it.
    const QString err = QString::fromUtf8(xlsxErr);
    QCOMPARE(xlsxExit, 1);
    QVERIFY2(err.contains(u"не найден модуль записи .xlsx"_s) && err.contains(u"в .csv"_s),
             qPrintable(err));
    QVERIFY(!QFile::exists(xlsx));
    QCOMPARE(csvExit, 0);
    QVERIFY(QFile::exists(csv));
}

void ScheduleTest::refusedOutputs_data() {
    QTest::addColumn<QString>("output");  // in the folder of the files; "FIFO:" makes a FIFO
    QTest::addColumn<bool>("withOutputOption");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("an input") << u"road.csv"_s << false << 1 << u"читается в этом же запуске"_s;
    QTest::newRow("a FIFO") << u"FIFO:канал.csv"_s << false << 1 << u"канал"_s;
    QTest::newRow("a folder") << u"папка.xlsx/"_s << false << 1 << u"папка"_s;
    QTest::newRow("other extension") << u"ведомость.pdf"_s << false << 2 << u".xlsx или .csv"_s;
    QTest::newRow("with -o") << u"ведомость.csv"_s << true << 2 << u"-o"_s;
}

void ScheduleTest::refusedOutputs() {
    QFETCH(QString, output);
    QFETCH(bool, withOutputOption);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    // State: the sample calculations, one of them under the name "road.csv".
    QTemporaryDir dir;
    QStringList files = threeFiles(dir);
    files.removeLast();
    QVERIFY(QFile::rename(files[0], dir.filePath(u"road.csv"_s)));
    files[0] = dir.filePath(u"road.csv"_s);
    const QByteArray before = contentOf(files[0]);
    QString path;
    if (output.startsWith(u"FIFO:"_s)) {
        path = dir.filePath(output.mid(5));
#ifdef Q_OS_WIN
        QSKIP("no FIFOs in the file system of Windows");
#else
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    } else if (output.endsWith(u'/')) {
        path = dir.filePath(output.chopped(1));
        QVERIFY(QDir().mkpath(path));
    } else {
        path = dir.filePath(output);
    }
    QStringList arguments = {u"--schedule"_s, path};
    if (withOutputOption) arguments << u"-o"_s << dir.filePath(u"x.pdf"_s);
    // Action: the schedule to that path. Expected: refused with the reason; nothing replaced,
    // no wait on the FIFO.
    const Run run = report(arguments + files, dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(contentOf(files[0]), before);
    QVERIFY(!run.out.contains(u"ведомость записана"_s));
}

QTEST_MAIN(ScheduleTest)
#include "schedule_test.moc"
