// The reference tables in the real window, driven as a user drives them: what each data source
// shows at start-up and after every move of its navigation bar, which of the alternative fields
// the selectors let the user see and so which value a click on a load field picks, the Мфс values
// that follow the "пер"/"пост" choice, the row moves and the typing, the allowable-moment panel
// under both series, and the road of one calculation by clicks alone.
//
// What a bound field must show is read from the sample workbooks in data/ with the program's own
// reader (anchored to a few cells of data/make_workbooks.py in sampleWorkbooks), so the tests
// follow the sample tables when they are regenerated.

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <optional>
#include <tuple>

#include "core/numbertext.h"
#include "core/sheet.h"
#include "tables/datasource.h"
#include "tables/workbook.h"
#include "tests/support/calculationroad.h"
#include "tests/support/files.h"
#include "tests/support/form1fixture.h"
#include "tests/support/recordingsheet.h"
#include "tests/support/user.h"

using namespace Qt::Literals::StringLiterals;
using vardo::tables::DataSource;
using vardo::tables::Table;
using vardo::testing::CalculationRoad;
using vardo::testing::Form1Fixture;
using vardo::testing::User;

namespace {

// A sample workbook as the reader gives it; an empty table when it cannot be read.
Table sample(const QString& workbook) {
    return vardo::tables::readWorkbook(QStringLiteral(VARDO_SAMPLE_DATA) + u'/' + workbook).table;
}

// A column by its header text ("авар1") or, where the header cell is blank, by position ("F2").
int columnIndex(const Table& table, const QString& key) {
    const int byHeader = static_cast<int>(table.header.indexOf(key));
    if (byHeader >= 0) return byHeader;
    if (key.startsWith(u'F')) return key.sliced(1).toInt() - 1;
    return -1;
}

QString cell(const Table& table, int row, const QString& key) {
    const int column = columnIndex(table, key);
    if (row < 0 || row >= table.rowCount() || column < 0 || column >= table.columnCount())
        return u"<no cell %1 in row %2>"_s.arg(key).arg(row);
    return table.rows[row][column];
}

QStringList cells(const Table& table, int row, const QStringList& keys) {
    QStringList out;
    for (const QString& key : keys) out << cell(table, row, key);
    return out;
}

std::optional<double> number(const QString& text) {
    const auto value = vardo::parseFixed(text);
    if (!value) return std::nullopt;
    return value->toDouble();
}

// A data source, its workbook, the clicks that bring its navigation bar on screen, and its bound
// fields with their columns, as the window lays them down.
struct SourceCase {
    QString source;
    QString workbook;
    QStringList openWith;
    QStringList fields;
    QStringList columns;
};

const QList<SourceCase>& sourceCases() {
    static const QList<SourceCase> cases{
        {u"Data2"_s,
         u"т11.1.xls"_s,
         {u"Option11"_s},
         {u"Label3"_s, u"Text3"_s},
         {u"F1"_s, u"F2"_s}},
        {u"Data4"_s,
         u"т11.2.xls"_s,
         {u"Option12"_s},
         {u"Label6"_s, u"Text6"_s, u"Text7"_s, u"Text8"_s, u"Text9"_s},
         {u"F1"_s, u"F2"_s, u"F3"_s, u"F4"_s, u"F5"_s}},
        {u"Data1"_s,
         u"т37Gp.xls"_s,
         {u"Option13"_s},
         {u"Label1"_s, u"Text1"_s, u"Label2"_s, u"Text2"_s},
         {u"F1"_s, u"F2"_s, u"F3"_s, u"F4"_s}},
        {u"Data5"_s,
         u"Т37Gрг.xls"_s,
         {u"Option14"_s},
         QStringList{u"Label7"_s} + vardo::numberedNames(u"Text"_s, 10, 13) +
             QStringList{u"Label8"_s} + vardo::numberedNames(u"Text"_s, 14, 17),
         vardo::numberedNames(u"F"_s, 1, 10)},
        {u"Data3"_s,
         u"т37gama.xls"_s,
         {u"Option15"_s},
         {u"Label4"_s, u"Text4"_s, u"Label5"_s, u"Text5"_s},
         {u"F1"_s, u"F2"_s, u"F3"_s, u"F4"_s}},
        {u"Data6"_s,
         u"т38.1.xls"_s,
         {u"Command21"_s},  // "Мфс >0" uncovers the Мфс table
         {u"Label9"_s, u"txtMa1"_s, u"txtMn1"_s, u"txtMnv1"_s, u"txtMa2"_s, u"txtMn2"_s,
          u"txtMnv2"_s},
         {u"Lр"_s, u"авар"_s, u"норм гв"_s, u"норм в"_s, u"авар1"_s, u"норм гв1"_s, u"норм в1"_s}},
        {u"Data7"_s,
         u"т36.1.xls"_s,
         {u"Command14"_s, u"Command16"_s},  // "Выбор ригеля", "Сравнить"
         {u"Label41"_s, u"Label33"_s, u"Label34"_s, u"Label35"_s, u"Label36"_s, u"Label42"_s},
         vardo::numberedNames(u"F"_s, 1, 6)},
        {u"Data8"_s,
         u"т36.2.xls"_s,
         {u"Option2"_s, u"Command14"_s, u"Command16"_s},
         {u"Label47"_s, u"Label43"_s, u"Label44"_s, u"Label45"_s, u"Label46"_s, u"Label48"_s},
         vardo::numberedNames(u"F"_s, 1, 6)},
    };
    return cases;
}

const QStringList kMfsPer{u"авар"_s, u"норм гв"_s, u"норм в"_s};
const QStringList kMfsPost{u"авар1"_s, u"норм гв1"_s, u"норм в1"_s};
const QStringList kMfsValues{u"Text18"_s, u"Text19"_s, u"Text20"_s};

QStringList texts(const Form1Fixture& f, const QStringList& names) {
    QStringList out;
    for (const QString& n : names) out << f.text(n);
    return out;
}

// The names among `names` that the user sees (the control and every container shown).
QStringList seen(const Form1Fixture& f, const QStringList& names) {
    QStringList out;
    for (const QString& n : names)
        if (f.get(n) && f.get(n)->isVisible()) out << n;
    return out;
}

QHash<QString, int> currentRows(const Form1Fixture& f) {
    QHash<QString, int> rows;
    for (const DataSource* ds : f.window->findChildren<DataSource*>())
        rows.insert(ds->objectName(), ds->currentRow());
    return rows;
}

}  // namespace

class TablesGuiTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void sampleWorkbooks_data();
    void sampleWorkbooks();
    void startUpShowsFirstRows_data();
    void startUpShowsFirstRows();
    void startUpSeenValues();
    void steppingMovesAllFieldsTogether_data();
    void steppingMovesAllFieldsTogether();
    void gpgShowsOneFieldPerChoice_data();
    void gpgShowsOneFieldPerChoice();
    void iceLoadPickAfterRowMove_data();
    void iceLoadPickAfterRowMove();
    void seriesPick_data();
    void seriesPick();
    void seriesSwitchMovesNoRow();
    void allowablePanelRowPerSeries();
    void newCalculationMovesNoRow();
    void missingWorkbooksSayWhatTheirFieldsShow_data();
    void missingWorkbooksSayWhatTheirFieldsShow();
    void mfsValues_data();
    void mfsValues();
    void typingIntoShownMfsBox();
    void roadOfOneCalculationByClicks();

  private:
    void addSourceRows();
};

// --- the oracle ---

void TablesGuiTest::sampleWorkbooks_data() {
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    // data/make_workbooks.py: SUSPENSIONS[0] is ПБСМ-70 + МФ-85 with droppers 0.10:
    // G = 0.59 + 0.76 + 0.10.
    QTest::newRow("G caption") << u"т11.1.xls"_s << 0 << u"F1"_s << u"ПБСМ70+МФ85"_s;
    QTest::newRow("G value") << u"т11.1.xls"_s << 0 << u"F2"_s << u"1,45"_s;
    // CROSSBEAMS["ОП"][0]: ОП-1, surface 2.30; ice 0.9 * 2.30 * 20.
    QTest::newRow("gрг ОП caption") << u"Т37Gрг.xls"_s << 0 << u"F6"_s << u"ОП-1 (16–22 м)"_s;
    QTest::newRow("gрг ОП 20") << u"Т37Gрг.xls"_s << 0 << u"F10"_s << u"41,4"_s;
    // DESIGN_LENGTHS[0] = 16; "пост" 17.8 kgf·m per metre: round(284.8).
    QTest::newRow("Мфс Lр") << u"т38.1.xls"_s << 0 << u"Lр"_s << u"16"_s;
    QTest::newRow("Мфс авар1") << u"т38.1.xls"_s << 0 << u"авар1"_s << u"285"_s;
    QTest::newRow("allowable ОП grade") << u"т36.2.xls"_s << 0 << u"F1"_s << u"ОП-1"_s;
}

void TablesGuiTest::sampleWorkbooks() {
    // The expected values of the tests below come from the reader; these cells tie it to the
    // script that writes the sample workbooks.
    QFETCH(QString, workbook);
    QFETCH(int, row);
    QFETCH(QString, column);
    QFETCH(QString, text);
    const Table table = sample(workbook);
    QVERIFY2(table.rowCount() >= 4, "enough rows to step through");
    QCOMPARE(cell(table, row, column), text);
}

// --- start-up and stepping ---

void TablesGuiTest::addSourceRows() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QStringList>("openWith");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("columns");
    for (const SourceCase& c : sourceCases())
        QTest::newRow(qPrintable(c.source))
            << c.source << c.workbook << c.openWith << c.fields << c.columns;
}

void TablesGuiTest::startUpShowsFirstRows_data() {
    addSourceRows();
}

void TablesGuiTest::startUpShowsFirstRows() {
    // State: the window just started in the folder of the sample workbooks.
    // Expected: every bound field, shown or not, holds its column of the first data row.
    QFETCH(QString, source);
    QFETCH(QString, workbook);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, columns);
    Form1Fixture f;
    QVERIFY(f.show());
    const Table table = sample(workbook);
    QVERIFY(table.rowCount() > 1);
    auto* ds = f.get<DataSource>(source);
    QVERIFY(ds);
    QCOMPARE(ds->currentRow(), 0);
    QCOMPARE(texts(f, fields), cells(table, 0, columns));
    // The navigator's caption is its name, as the user refers to it.
    QCOMPARE(ds->findChild<QLabel*>(u"caption"_s)->text(), source);
    QVERIFY(f.messages.isEmpty());
}

void TablesGuiTest::startUpSeenValues() {
    // State: the window just started ("1 ", "10", "П", "пост").
    Form1Fixture f;
    QVERIFY(f.show());
    const Table g = sample(u"т11.1.xls"_s);
    // Expected: the panel "G" shows the caption and the load of the first row.
    QCOMPARE(seen(f, {u"Label3"_s, u"Text3"_s}), (QStringList{u"Label3"_s, u"Text3"_s}));
    QCOMPARE(texts(f, {u"Label3"_s, u"Text3"_s}), cells(g, 0, {u"F1"_s, u"F2"_s}));
    // The Мфс values are those of the first row's "пост" set, which replaced the design texts.
    const Table mfs = sample(u"т38.1.xls"_s);
    QCOMPARE(texts(f, kMfsValues), cells(mfs, 0, kMfsPost));
    // The allowable-moment panel, once opened, shows the first row of the "П" workbook.
    User u(f);
    QVERIFY(u.run({u"Command14"_s, u"Command16"_s}));
    const QStringList p{u"Label41"_s, u"Label33"_s, u"Label34"_s,
                        u"Label35"_s, u"Label36"_s, u"Label42"_s};
    const QStringList op{u"Label47"_s, u"Label43"_s, u"Label44"_s,
                         u"Label45"_s, u"Label46"_s, u"Label48"_s};
    QCOMPARE(seen(f, p + op + QStringList{u"Data7"_s, u"Data8"_s}), p + QStringList{u"Data7"_s});
    QCOMPARE(texts(f, p), cells(sample(u"т36.1.xls"_s), 0, vardo::numberedNames(u"F"_s, 1, 6)));
}

void TablesGuiTest::steppingMovesAllFieldsTogether_data() {
    addSourceRows();
}

void TablesGuiTest::steppingMovesAllFieldsTogether() {
    // State: the source's panel brought on screen by clicks.
    QFETCH(QString, source);
    QFETCH(QString, workbook);
    QFETCH(QStringList, openWith);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, columns);
    Form1Fixture f;
    QVERIFY(f.show());
    User u(f);
    QVERIFY(u.run(openWith));
    const Table table = sample(workbook);
    const int last = table.rowCount() - 1;
    QVERIFY(last >= 3);
    QVERIFY(cells(table, 0, columns) != cells(table, 1, columns));
    auto* ds = f.get<DataSource>(source);
    QVERIFY(ds);
    const QHash<QString, int> before = currentRows(f);

    // Action: the navigation buttons, the ends passed both ways.
    // Expected: every bound field, the hidden alternatives included, shows the current row;
    // a move beyond an end leaves the row as it is.
    const struct {
        const char16_t* button;
        int row;
    } moves[] = {{u"moveNext", 1},
                 {u"moveNext", 2},
                 {u"moveLast", last},
                 {u"moveNext", last},
                 {u"movePrevious", last - 1},
                 {u"moveFirst", 0},
                 {u"movePrevious", 0},
                 {u"moveLast", last}};
    for (const auto& m : moves) {
        const QString button = QString::fromUtf16(m.button);
        QVERIFY(u.step(source, button));
        QCOMPARE(ds->currentRow(), m.row);
        QCOMPARE(texts(f, fields), cells(table, m.row, columns));
    }
    // No other table moved.
    QHash<QString, int> after = currentRows(f);
    after.insert(source, before.value(source));
    QCOMPARE(after, before);
    QVERIFY(f.messages.isEmpty());
}

// --- what the selectors let the user see and pick ---

void TablesGuiTest::gpgShowsOneFieldPerChoice_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("valueField");
    QTest::addColumn<QString>("valueColumn");
    QTest::addColumn<QString>("captionField");
    QTest::addColumn<QString>("captionColumn");
    // Series and thickness chosen before and after the panel "gрг" is shown.
    QTest::newRow("П 5") << QStringList{u"Option14"_s, u"Option3"_s} << u"Text10"_s << u"F2"_s
                         << u"Label7"_s << u"F1"_s;
    QTest::newRow("П 10 (start)") << QStringList{u"Option14"_s} << u"Text11"_s << u"F3"_s
                                  << u"Label7"_s << u"F1"_s;
    QTest::newRow("П 15") << QStringList{u"Option5"_s, u"Option14"_s} << u"Text12"_s << u"F4"_s
                          << u"Label7"_s << u"F1"_s;
    QTest::newRow("П 20") << QStringList{u"Option14"_s, u"Option6"_s} << u"Text13"_s << u"F5"_s
                          << u"Label7"_s << u"F1"_s;
    QTest::newRow("ОП 5") << QStringList{u"Option2"_s, u"Option3"_s, u"Option14"_s} << u"Text14"_s
                          << u"F7"_s << u"Label8"_s << u"F6"_s;
    QTest::newRow("ОП 10") << QStringList{u"Option2"_s, u"Option14"_s} << u"Text15"_s << u"F8"_s
                           << u"Label8"_s << u"F6"_s;
    QTest::newRow("ОП 15") << QStringList{u"Option14"_s, u"Option2"_s, u"Option5"_s} << u"Text16"_s
                           << u"F9"_s << u"Label8"_s << u"F6"_s;
    QTest::newRow("ОП 20") << QStringList{u"Option2"_s, u"Option6"_s, u"Option14"_s} << u"Text17"_s
                           << u"F10"_s << u"Label8"_s << u"F6"_s;
    QTest::newRow("ОП 20 then П") << QStringList{u"Option2"_s, u"Option6"_s, u"Option14"_s,
                                                 u"Option1"_s}
                                  << u"Text13"_s << u"F5"_s << u"Label7"_s << u"F1"_s;
}

void TablesGuiTest::gpgShowsOneFieldPerChoice() {
    // State: series and thickness chosen, the table "gрг" moved to its second row.
    QFETCH(QStringList, clicks);
    QFETCH(QString, valueField);
    QFETCH(QString, valueColumn);
    QFETCH(QString, captionField);
    QFETCH(QString, captionColumn);
    Form1Fixture f;
    QVERIFY(f.show());
    User u(f);
    QVERIFY(u.run(clicks));
    QVERIFY(u.step(u"Data5"_s, u"moveNext"_s));
    const Table table = sample(u"Т37Gрг.xls"_s);
    const QStringList valueColumns =
        vardo::numberedNames(u"F"_s, 2, 5) + vardo::numberedNames(u"F"_s, 7, 10);
    const QString value = cell(table, 1, valueColumn);
    QVERIFY2(cells(table, 1, valueColumns).count(value) == 1,
             "each ice column of the row holds its own value");

    // Expected: one value field and one row caption seen, those of the choice.
    QCOMPARE(seen(f, vardo::numberedNames(u"Text"_s, 10, 17)), QStringList{valueField});
    QCOMPARE(seen(f, {u"Label7"_s, u"Label8"_s}), QStringList{captionField});
    QCOMPARE(f.text(valueField), value);
    QCOMPARE(f.text(captionField), cell(table, 1, captionColumn));
    // Action: a click on txtGpg. Expected: the value seen, not that of the other series.
    QVERIFY(u.click(u"txtGpg"_s));
    QCOMPARE(f.text(u"txtGpg"_s), value);
}

void TablesGuiTest::iceLoadPickAfterRowMove_data() {
    QTest::addColumn<QString>("thickness");
    QTest::addColumn<QString>("valueField");
    QTest::addColumn<QString>("column");
    QTest::newRow("5") << u"Option3"_s << u"Text6"_s << u"F2"_s;
    QTest::newRow("10") << u"Option4"_s << u"Text7"_s << u"F3"_s;
    QTest::newRow("15") << u"Option5"_s << u"Text8"_s << u"F4"_s;
    QTest::newRow("20") << u"Option6"_s << u"Text9"_s << u"F5"_s;
}

void TablesGuiTest::iceLoadPickAfterRowMove() {
    // State: the table "Gг" on display at row r = 1 with the thickness chosen.
    QFETCH(QString, thickness);
    QFETCH(QString, valueField);
    QFETCH(QString, column);
    Form1Fixture f;
    QVERIFY(f.show());
    User u(f);
    QVERIFY(u.run({u"Option12"_s, thickness, u"Data4:moveNext"_s}));
    const Table table = sample(u"т11.2.xls"_s);
    QVERIFY(cell(table, 1, column) != cell(table, 2, column));
    QCOMPARE(seen(f, vardo::numberedNames(u"Text"_s, 6, 9)), QStringList{valueField});

    // Action: click txtGg5; move to row r + 1; click txtGg6.
    QVERIFY(u.click(u"txtGg5"_s));
    QCOMPARE(f.text(u"txtGg5"_s), cell(table, 1, column));
    QVERIFY(u.step(u"Data4"_s, u"moveNext"_s));
    QVERIFY(u.click(u"txtGg6"_s));
    // Expected: each point has the value of the row on display at its click.
    QCOMPARE(f.text(u"txtGg6"_s), cell(table, 2, column));
    QCOMPARE(f.text(u"txtGg5"_s), cell(table, 1, column));
    // The focus arriving by keyboard picks nothing.
    f.get(u"txtGg7"_s)->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.text(u"txtGg7"_s), u"0"_s);
}

void TablesGuiTest::seriesPick_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QString>("column");
    QTest::newRow("G") << QStringList{u"Data2:moveNext"_s, u"Data2:moveNext"_s} << u"txtG4"_s
                       << u"т11.1.xls"_s << u"F2"_s;
    QTest::newRow("gр П") << QStringList{u"Option13"_s, u"Data1:moveNext"_s, u"Data1:moveNext"_s}
                          << u"txtGp"_s << u"т37Gp.xls"_s << u"F2"_s;
    QTest::newRow("gр ОП") << QStringList{u"Option2"_s, u"Option13"_s, u"Data1:moveNext"_s,
                                          u"Data1:moveNext"_s}
                           << u"txtGp"_s << u"т37Gp.xls"_s << u"F4"_s;
    QTest::newRow("Pp П") << QStringList{u"Option15"_s, u"Data3:moveNext"_s, u"Data3:moveNext"_s}
                          << u"txtPp"_s << u"т37gama.xls"_s << u"F2"_s;
    QTest::newRow("Pp ОП") << QStringList{u"Option15"_s, u"Data3:moveNext"_s, u"Option2"_s,
                                          u"Data3:moveNext"_s}
                           << u"txtPp"_s << u"т37gama.xls"_s << u"F4"_s;
}

void TablesGuiTest::seriesPick() {
    // State: the table moved to its third row, the series chosen. Action: a click on the field.
    // Expected: the value of that row and series.
    QFETCH(QStringList, clicks);
    QFETCH(QString, field);
    QFETCH(QString, workbook);
    QFETCH(QString, column);
    Form1Fixture f;
    QVERIFY(f.show());
    User u(f);
    QVERIFY(u.run(clicks));
    const Table table = sample(workbook);
    QVERIFY(cell(table, 2, u"F2"_s) != cell(table, 2, u"F4"_s) || table.columnCount() == 2);
    QVERIFY(u.click(field));
    QCOMPARE(f.text(field), cell(table, 2, column));
}

void TablesGuiTest::seriesSwitchMovesNoRow() {
    // State: the tables gр, Pp and gрг and the allowable moments "П" moved to different rows.
    Form1Fixture f;
    QVERIFY(f.show());
    User u(f);
    QVERIFY(u.run({u"Option13"_s, u"Data1:moveNext"_s, u"Option15"_s, u"Data3:moveNext"_s,
                   u"Data3:moveNext"_s, u"Option14"_s, u"Data5:moveNext"_s, u"Data5:moveNext"_s,
                   u"Data5:moveNext"_s, u"Command14"_s, u"Command16"_s, u"Data7:moveNext"_s,
                   u"Data7:moveNext"_s, u"Command17"_s}));
    const QHash<QString, int> rows = currentRows(f);
    QCOMPARE(rows.value(u"Data1"_s), 1);
    QCOMPARE(rows.value(u"Data3"_s), 2);
    QCOMPARE(rows.value(u"Data5"_s), 3);
    QCOMPARE(rows.value(u"Data7"_s), 2);
    const Table gp = sample(u"т37Gp.xls"_s);
    const Table pp = sample(u"т37gama.xls"_s);
    const Table gpg = sample(u"Т37Gрг.xls"_s);

    // Action: "ОП". Expected: no row moved; the "ОП" columns of the same rows are seen.
    QVERIFY(u.click(u"Option2"_s));
    QCOMPARE(currentRows(f), rows);
    QCOMPARE(seen(f, {u"Label7"_s, u"Label8"_s, u"Text11"_s, u"Text15"_s}),
             (QStringList{u"Label8"_s, u"Text15"_s}));
    QCOMPARE(texts(f, {u"Label8"_s, u"Text15"_s}), cells(gpg, 3, {u"F6"_s, u"F8"_s}));
    QCOMPARE(texts(f, {u"Label2"_s, u"Text2"_s}), cells(gp, 1, {u"F3"_s, u"F4"_s}));
    QCOMPARE(texts(f, {u"Label5"_s, u"Text5"_s}), cells(pp, 2, {u"F3"_s, u"F4"_s}));
    QVERIFY(u.run({u"Option13"_s}));
    QCOMPARE(seen(f, {u"Label1"_s, u"Text1"_s, u"Label2"_s, u"Text2"_s}),
             (QStringList{u"Label2"_s, u"Text2"_s}));

    // Action: back to "П". Expected: still no row moved.
    QVERIFY(u.click(u"Option1"_s));
    QCOMPARE(currentRows(f), rows);
    QCOMPARE(seen(f, {u"Label1"_s, u"Text1"_s, u"Label2"_s, u"Text2"_s}),
             (QStringList{u"Label1"_s, u"Text1"_s}));
    QCOMPARE(texts(f, {u"Label1"_s, u"Text1"_s}), cells(gp, 1, {u"F1"_s, u"F2"_s}));
}

void TablesGuiTest::allowablePanelRowPerSeries() {
    const QStringList p{u"Label41"_s, u"Label33"_s, u"Label34"_s,
                        u"Label35"_s, u"Label36"_s, u"Label42"_s};
    const QStringList op{u"Label47"_s, u"Label43"_s, u"Label44"_s,
                         u"Label45"_s, u"Label46"_s, u"Label48"_s};
    const QStringList columns = vardo::numberedNames(u"F"_s, 1, 6);
    const Table tableP = sample(u"т36.1.xls"_s);
    const Table tableOp = sample(u"т36.2.xls"_s);
    // State: the panel opened under "П" and moved to its third grade, then closed.
    Form1Fixture f;
    QVERIFY(f.show());
    User u(f);
    QVERIFY(u.run({u"Command14"_s, u"Command16"_s, u"Data7:moveNext"_s, u"Data7:moveNext"_s}));
    QCOMPARE(texts(f, p), cells(tableP, 2, columns));
    QVERIFY(u.click(u"Command17"_s));

    // Action: "ОП", "Сравнить". Expected: the "ОП" workbook at its own first row.
    QVERIFY(u.run({u"Option2"_s, u"Command16"_s}));
    QCOMPARE(seen(f, p + op + QStringList{u"Data7"_s, u"Data8"_s}), op + QStringList{u"Data8"_s});
    QCOMPARE(texts(f, op), cells(tableOp, 0, columns));
    QVERIFY(u.step(u"Data8"_s, u"moveNext"_s));
    QCOMPARE(texts(f, op), cells(tableOp, 1, columns));
    QCOMPARE(f.get<DataSource>(u"Data7"_s)->currentRow(), 2);

    // Action: back to "П". Expected: "П" where it was left, "ОП" kept at its row.
    QVERIFY(u.run({u"Command17"_s, u"Option1"_s, u"Command16"_s}));
    QCOMPARE(seen(f, p + op), p);
    QCOMPARE(texts(f, p), cells(tableP, 2, columns));
    QCOMPARE(f.get<DataSource>(u"Data8"_s)->currentRow(), 1);
}

void TablesGuiTest::newCalculationMovesNoRow() {
    // State: every table moved to a row of its own, the Мфс table open, a load picked.
    Form1Fixture f;
    QVERIFY(f.show());
    User u(f);
    QVERIFY(
        u.run({u"Data2:moveNext"_s, u"txtG1"_s,          u"Option12"_s,       u"Data4:moveLast"_s,
               u"Option13"_s,       u"Data1:moveNext"_s, u"Option14"_s,       u"Data5:moveNext"_s,
               u"Data5:moveNext"_s, u"Option15"_s,       u"Data3:moveLast"_s, u"Command21"_s,
               u"Data6:moveNext"_s, u"Data6:moveNext"_s, u"Data6:moveNext"_s, u"Option2"_s,
               u"Command14"_s,      u"Command16"_s,      u"Data8:moveNext"_s, u"Command17"_s,
               u"Option1"_s,        u"Command16"_s,      u"Data7:moveLast"_s}));
    QVERIFY(f.text(u"txtG1"_s) != u"0"_s);
    const QHash<QString, int> rows = currentRows(f);
    const QStringList mfs = texts(f, kMfsValues);

    // Action: "Новый расчет".
    QVERIFY(u.click(u"Command23"_s));
    // Expected: the sheet is cleared, every table keeps its row and shows it.
    QCOMPARE(f.text(u"txtG1"_s), u"0"_s);
    QCOMPARE(currentRows(f), rows);
    for (const SourceCase& c : sourceCases())
        QCOMPARE(texts(f, c.fields), cells(sample(c.workbook), rows.value(c.source), c.columns));
    QCOMPARE(texts(f, kMfsValues), mfs);
}

// --- the Мфс values ---

void TablesGuiTest::mfsValues_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("values");  // "пер", "пост" of the row, "0" or "320" (the standard)
    QTest::addColumn<int>("row");         // of the Мфс table; -1 the last
    QTest::addColumn<QString>("indicator");
    const QString mfsOn = u"Command21"_s;  // "Мфс >0": the table panel, 320, 380, 500
    const QString mfsZero = u"Command20"_s;
    const QString next = u"Data6:moveNext"_s;
    QTest::newRow("start-up") << QStringList{} << u"пост"_s << 0 << QString();
    QTest::newRow("Мфс >0") << QStringList{mfsOn} << u"320"_s << 0 << QString();
    QTest::newRow("пер") << QStringList{mfsOn, u"Option7"_s} << u"пер"_s << 0 << QString();
    QTest::newRow("пер, пост") << QStringList{mfsOn, u"Option7"_s, u"Option8"_s} << u"пост"_s << 0
                               << QString();
    QTest::newRow("пост clicked again")
        << QStringList{mfsOn, u"Option8"_s} << u"пост"_s << 0 << QString();
    QTest::newRow("пост, row moves")
        << QStringList{mfsOn, next, next} << u"пост"_s << 2 << QString();
    QTest::newRow("пер, row moves")
        << QStringList{mfsOn, u"Option7"_s, next, next} << u"пер"_s << 2 << QString();
    QTest::newRow("row moves, then пер")
        << QStringList{mfsOn, next, next, next, u"Option7"_s} << u"пер"_s << 3 << QString();
    QTest::newRow("past the last row")
        << QStringList{mfsOn, u"Data6:moveLast"_s, next} << u"пост"_s << -1 << QString();
    QTest::newRow("back to the first row")
        << QStringList{mfsOn, u"Option7"_s, u"Data6:moveLast"_s, u"Data6:moveFirst"_s} << u"пер"_s
        << 0 << QString();
    QTest::newRow("Мфс >0 after a row move")
        << QStringList{mfsOn, next, next, u"Command22"_s, mfsOn} << u"320"_s << 2 << QString();
    QTest::newRow("Мфс =0") << QStringList{mfsZero} << u"0"_s << 0 << u"0"_s;
    QTest::newRow("Мфс =0, Новый расчет")
        << QStringList{mfsZero, u"Command23"_s} << u"0"_s << 0 << QString();
    QTest::newRow("Мфс =0, Скрыть after a row move")
        << QStringList{mfsOn, next, next, u"Command22"_s, mfsZero} << u"0"_s << 2 << u"0"_s;
    // The options lie under the Мфс buttons; the keyboard still reaches them.
    QTest::newRow("Мфс =0, пост from the keyboard")
        << QStringList{mfsZero, u"key:Option8"_s} << u"пост"_s << 0 << u"0"_s;
    QTest::newRow("Мфс =0, пер from the keyboard")
        << QStringList{mfsZero, u"key:Option7"_s} << u"пер"_s << 0 << u"0"_s;
    QTest::newRow("Мфс =0, Мфс >0") << QStringList{mfsZero, mfsOn} << u"320"_s << 0 << u"0"_s;
    QTest::newRow("Мфс =0, Мфс >0, пост")
        << QStringList{mfsZero, mfsOn, u"Option8"_s} << u"пост"_s << 0 << u"0"_s;
    QTest::newRow("Мфс =0, Мфс >0, row move")
        << QStringList{mfsZero, mfsOn, next, next} << u"пост"_s << 2 << u"0"_s;
}

void TablesGuiTest::mfsValues() {
    // State: the window just started. Action: the steps.
    // Expected: Text18 .. Text20 hold the values named, the table is at the row, Label49 as given.
    QFETCH(QStringList, steps);
    QFETCH(QString, values);
    QFETCH(int, row);
    QFETCH(QString, indicator);
    Form1Fixture f;
    QVERIFY(f.show());
    User u(f);
    QVERIFY(u.run(steps));
    const Table table = sample(u"т38.1.xls"_s);
    if (row < 0) row = table.rowCount() - 1;
    QCOMPARE(f.get<DataSource>(u"Data6"_s)->currentRow(), row);
    const QStringList standard{u"320"_s, u"380"_s, u"500"_s};
    // A row that tells its values from the other set's and from the standard ones.
    QVERIFY(cells(table, row, kMfsPer) != cells(table, row, kMfsPost));
    QVERIFY(cells(table, row, kMfsPer) != standard && cells(table, row, kMfsPost) != standard);
    QStringList expected;
    if (values == u"пер"_s)
        expected = cells(table, row, kMfsPer);
    else if (values == u"пост"_s)
        expected = cells(table, row, kMfsPost);
    else if (values == u"0"_s)
        expected = QStringList{u"0"_s, u"0"_s, u"0"_s};
    else
        expected = standard;
    QCOMPARE(texts(f, kMfsValues), expected);
    QCOMPARE(f.text(u"Label49"_s), indicator);
    // The values stay where the user cannot see them.
    QVERIFY(seen(f, kMfsValues).isEmpty());
}

void TablesGuiTest::typingIntoShownMfsBox() {
    // State: the Мфс table open at its second row, "пер" selected.
    Form1Fixture f;
    QVERIFY(f.show());
    User u(f);
    QVERIFY(u.run({u"Command21"_s, u"Data6:moveNext"_s, u"Option7"_s}));
    const Table table = sample(u"т38.1.xls"_s);
    QCOMPARE(texts(f, kMfsValues), cells(table, 1, kMfsPer));
    auto* box = f.get<QLineEdit>(u"txtMa1"_s);
    QVERIFY(box && box->isVisible());

    // Action: "1000" typed over the emergency value. Expected: Text18 follows every key.
    box->setFocus();
    box->selectAll();
    for (const QString& expected : {u"1"_s, u"10"_s, u"100"_s, u"1000"_s}) {
        QTest::keyClick(box, expected.back().toLatin1());
        QCOMPARE(box->text(), expected);
        QCOMPARE(f.text(u"Text18"_s), expected);
    }
    QCOMPARE(f.text(u"Text19"_s), cell(table, 1, u"норм гв"_s));
    // "пост" copies its own set; "пер" again copies what its box shows now.
    QVERIFY(u.click(u"Option8"_s));
    QCOMPARE(texts(f, kMfsValues), cells(table, 1, kMfsPost));
    QVERIFY(u.click(u"Option7"_s));
    QCOMPARE(f.text(u"Text18"_s), u"1000"_s);
    // Emptying the box empties the value.
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(f.text(u"Text18"_s), QString());
    // The next row brings the table's value back.
    QVERIFY(u.step(u"Data6"_s, u"moveNext"_s));
    QCOMPARE(texts(f, kMfsValues), cells(table, 2, kMfsPer));
}

// --- the road ---

void TablesGuiTest::roadOfOneCalculationByClicks() {
    Form1Fixture f;
    QVERIFY(f.show());
    User u(f);
    const Table g = sample(u"т11.1.xls"_s);
    const Table gg = sample(u"т11.2.xls"_s);
    const Table gp = sample(u"т37Gp.xls"_s);
    const Table gpg = sample(u"Т37Gрг.xls"_s);
    const Table pp = sample(u"т37gama.xls"_s);
    const Table mfs = sample(u"т38.1.xls"_s);
    const Table allowable = sample(u"т36.1.xls"_s);

    // The user's inputs on the road. Loads picked from the tables: point 1 takes the first
    // suspension, point 2 the second; the ice loads for b = 15 mm likewise; then the arms and the
    // span typed. The governing values taken by a click on their fields. The crossbeam: own
    // weight, ice load (b = 15 mm) and wind parameter of the third "П" grade picked; design length
    // and wind speed typed.
    CalculationRoad road(
        u, {{u"txtG1"_s, u"Data2:moveNext"_s, u"txtG2"_s, u"Option12"_s, u"Option5"_s, u"txtGg1"_s,
             u"Data4:moveNext"_s, u"txtGg2"_s, u"txtL1=5"_s, u"txtP2=4,5"_s, u"txtProlet=70"_s},
            {u"Text21"_s, u"Text22"_s},
            {u"Option13"_s, u"Data1:moveNext"_s, u"Data1:moveNext"_s, u"txtGp"_s, u"Option14"_s,
             u"Data5:moveNext"_s, u"Data5:moveNext"_s, u"txtGpg"_s, u"Option15"_s,
             u"Data3:moveNext"_s, u"Data3:moveNext"_s, u"txtPp"_s, u"txtLp=20"_s, u"txtVm=15"_s}});
    // 1. The loads.
    QVERIFY(road.to(CalculationRoad::Loads));
    QCOMPARE(texts(f, {u"txtG1"_s, u"txtG2"_s}),
             (QStringList{cell(g, 0, u"F2"_s), cell(g, 1, u"F2"_s)}));
    QCOMPARE(texts(f, {u"txtGg1"_s, u"txtGg2"_s}),
             (QStringList{cell(gg, 0, u"F4"_s), cell(gg, 1, u"F4"_s)}));

    // 2. Mid-span values, the third points left and right, the governing values by a click.
    QVERIFY(road.to(CalculationRoad::MidSpan));
    QVERIFY(number(f.text(u"Label10"_s)).value_or(0) > 0);
    QVERIFY(number(f.text(u"Label11"_s)).value_or(0) > 0);
    QVERIFY(f.messages.isEmpty());
    QVERIFY(road.to(CalculationRoad::ThirdPoints));
    QCOMPARE(f.messages,
             (QStringList{u"Теперь справа"_s, u"Щелкни на текстовом поле G-1/3(1/4)"_s,
                          u"Теперь справа"_s, u"Щелкни на текстовом поле Gг-1/3(1/4)"_s}));
    QVERIFY(road.to(CalculationRoad::Governing));
    for (const auto& [field, left, right] : {std::tuple{u"Text21"_s, u"Label14"_s, u"Label20"_s},
                                             std::tuple{u"Text22"_s, u"Label15"_s, u"Label21"_s}}) {
        const auto l = number(f.text(left)), r = number(f.text(right)), v = number(f.text(field));
        QVERIFY(l && r && v);
        QCOMPARE(*v, std::max(*l, *r));
    }

    // 3. The crossbeam, its inputs as above; the Мфс row of that design length.
    f.messages.clear();
    QVERIFY(road.to(CalculationRoad::CrossbeamInputs));
    QCOMPARE(texts(f, {u"txtGp"_s, u"txtGpg"_s, u"txtPp"_s}),
             (QStringList{cell(gp, 2, u"F2"_s), cell(gpg, 2, u"F4"_s), cell(pp, 2, u"F2"_s)}));
    QVERIFY(road.to(CalculationRoad::Mfs));
    QVERIFY(u.stepUntil(u"Data6"_s, u"Label9"_s, u"20"_s));
    const int mfsRow = f.get<DataSource>(u"Data6"_s)->currentRow();
    QCOMPARE(texts(f, kMfsValues), cells(mfs, mfsRow, kMfsPost));
    QVERIFY(texts(f, kMfsValues) != (QStringList{u"320"_s, u"380"_s, u"500"_s}));

    // 4. The six design moments.
    const QStringList moments{u"Label22"_s, u"Label23"_s, u"Label24"_s,
                              u"Label30"_s, u"Label31"_s, u"Label32"_s};
    QVERIFY(road.to(CalculationRoad::Moments));
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(u'\n')));
    QHash<QString, double> m;
    for (const QString& label : moments) {
        const auto value = number(f.text(label));
        QVERIFY2(value && *value > 0, qPrintable(label + u" = "_s + f.text(label)));
        m.insert(label, *value);
    }

    // 5. "Сравнить": step through the grades until the allowable moments exceed the computed
    // ones, the middle block against mid-span, the end block against the third point.
    QVERIFY(road.to(CalculationRoad::Compare));
    const auto fits = [&] {
        const auto a = [&](const QString& label) { return number(f.text(label)).value_or(0); };
        return a(u"Label33"_s) > m[u"Label22"_s] &&
               a(u"Label34"_s) > std::max(m[u"Label23"_s], m[u"Label24"_s]) &&
               a(u"Label35"_s) > m[u"Label30"_s] &&
               a(u"Label36"_s) > std::max(m[u"Label31"_s], m[u"Label32"_s]);
    };
    auto* data7 = f.get<DataSource>(u"Data7"_s);
    for (int i = 0; i < data7->rowCount() && !fits(); ++i)
        QVERIFY(u.step(u"Data7"_s, u"moveNext"_s));
    QVERIFY2(fits(), "a grade of the sample table carries the moments");
    QVERIFY(data7->currentRow() > 0);  // the first grade does not: the user had to step
    QCOMPARE(f.text(u"Label41"_s), cell(allowable, data7->currentRow(), u"F1"_s));
    // The computed moments stay in sight below the panel.
    for (const QString& label : moments)
        QVERIFY2(seen(f, {label}).size() == 1 &&
                     f.window->childAt(f.get(label)->mapTo(
                         f.window.get(), f.get(label)->rect().center())) == f.get(label),
                 qPrintable(label));

    // 6. The Мфс of the table row is in the moments: without it the emergency moment is smaller
    // by Мфс / 1000, the maximum-wind moment by 1.1 Мфс / 1000.
    const double emergency = number(f.text(u"Text18"_s)).value_or(0);
    const double wind = number(f.text(u"Text20"_s)).value_or(0);
    QVERIFY(emergency > 0 && wind > 0);
    QVERIFY(u.run({u"Command17"_s, u"Command20"_s, u"Command7"_s, u"Command9"_s}));
    QVERIFY(qAbs(m[u"Label22"_s] - number(f.text(u"Label22"_s)).value_or(0) - emergency / 1000) <
            0.00006);
    QVERIFY(qAbs(m[u"Label24"_s] - number(f.text(u"Label24"_s)).value_or(0) - 1.1 * wind / 1000) <
            0.00011);
}

void TablesGuiTest::missingWorkbooksSayWhatTheirFieldsShow_data() {
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QStringList>("fields");  // fields that now show their design texts
    QTest::newRow("G") << u"т11.1.xls"_s << QStringList{u"Label3"_s, u"Text3"_s};
    QTest::newRow("Gг") << u"т11.2.xls"_s << QStringList{u"Label6"_s, u"Text6"_s};
    QTest::newRow("gр") << u"т37Gp.xls"_s << QStringList{u"Text1"_s};
}

void TablesGuiTest::missingWorkbooksSayWhatTheirFieldsShow() {
    // State: the sample data without one workbook. Action: start. Expected: the message names the
    // texts its fields really show (their design texts), not "empty" fields.
    QFETCH(QString, workbook);
    QFETCH(QStringList, fields);
    QTemporaryDir dir;
    QVERIFY(vardo::testing::copySampleData(dir.path(), {workbook}));
    Form1Fixture f(dir.path());
    QVERIFY(f.show());
    QTRY_COMPARE(f.messages.size(), 1);
    const QString& message = f.messages.first();
    QVERIFY2(!message.contains(u"пуст"_s), qPrintable(message));
    QVERIFY2(message.contains(u"условные надписи"_s), qPrintable(message));
    for (const QString& field : fields) {
        QCOMPARE(f.text(field), field);
        QVERIFY2(message.contains(u"«"_s + field + u"»"_s), qPrintable(message));
    }
}

QTEST_MAIN(TablesGuiTest)
#include "tables_gui_test.moc"
