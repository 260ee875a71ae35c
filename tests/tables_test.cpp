// Tests of the reference tables: the workbook reader (on the sample workbooks and on fixtures
// written by xlwt, by hand-made BIFF8 records and by Gnumeric), the number texts and the lookup of
// data files. Qt Core only, as the reader is; the data source navigator has datasource_test.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <limits>

#include "core/datafile.h"
#include "core/numbertext.h"
#include "tables/workbook.h"
#include "tests/support/files.h"

using namespace vardo::tables;

Q_DECLARE_METATYPE(ReadError)

using vardo::testing::fileBytes;

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(VARDO_TEST_DATA "/") + name;
}
QString sample(const QString& name) {
    return QStringLiteral(VARDO_SAMPLE_DATA "/") + name;
}

// The i-th text of "строки.xls", as make_fixtures.py writes it.
QString longString(int i) {
    const QString n = QString::number(i);
    if (i % 3 == 0)
        return u"Строка "_qs + n + u": "_qs +
               u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя"_qs.repeated(1 + i % 5);
    if (i % 3 == 1)
        return u"Latin "_qs + n + u": "_qs + u"abcdefghijklmnopqrstuvwxyz"_qs.repeated(1 + i % 7);
    return (u"смешанная "_qs + n + u" mixed "_qs).repeated(1 + i % 4);
}

// What every successful read guarantees, however odd the file: each row as wide as the header.
bool isRectangular(const Table& table) {
    for (const QStringList& row : table.rows)
        if (row.size() != table.header.size()) return false;
    return true;
}

}  // namespace

class TablesTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void numberText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("list value") << 1.59 << u"1,59"_qs;
        QTest::newRow("zero") << 0.0 << u"0"_qs;
        QTest::newRow("negative zero") << -0.0 << u"0"_qs;
        QTest::newRow("negative") << -2.5 << u"-2,5"_qs;
        QTest::newRow("integer") << 131.0 << u"131"_qs;
        QTest::newRow("sum of doubles") << 0.1 + 0.2 << u"0,3"_qs;
        QTest::newRow("third") << 1.0 / 3 << u"0,333333333333333"_qs;
        QTest::newRow("two thirds, rounded up") << 2.0 / 3 << u"0,666666666666667"_qs;
        QTest::newRow("15 digits") << 123456789012345.0 << u"123456789012345"_qs;
        QTest::newRow("16 digits rounds to 1E+15") << 999999999999999.9 << u"1E+15"_qs;
        QTest::newRow("18 digits") << 123456789012345678.0 << u"1,23456789012346E+17"_qs;
        QTest::newRow("large") << 1e20 << u"1E+20"_qs;
        QTest::newRow("large negative") << -2.5e30 << u"-2,5E+30"_qs;
        QTest::newRow("smallest plain") << 0.0001 << u"0,0001"_qs;
        QTest::newRow("small plain") << 0.000123 << u"0,000123"_qs;
        QTest::newRow("below plain") << 0.00001 << u"1E-05"_qs;
        QTest::newRow("small") << 1e-7 << u"1E-07"_qs;
        QTest::newRow("three-digit exponent") << 1.5e-300 << u"1,5E-300"_qs;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << u"#ЧИСЛО!"_qs;
        QTest::newRow("infinite") << -std::numeric_limits<double>::infinity() << u"#ЧИСЛО!"_qs;
    }
    void numberText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(vardo::tables::numberText(value), text);
    }

    // A table value copied into the sheet must convert to the value the cell holds.
    void numberTextReadsBackInTheSheet_data() {
        QTest::addColumn<double>("value");
        for (double v : {1.59, -2.5, 14.3207, 1161.95, 0.0001, 123456789.1234, 0.1 + 0.2, 4200.0})
            QTest::newRow(qPrintable(QString::number(v))) << v;
    }
    void numberTextReadsBackInTheSheet() {
        QFETCH(double, value);
        const auto parsed = vardo::parseFixed(vardo::tables::numberText(value));
        QVERIFY(parsed.has_value());
        QCOMPARE(*parsed, vardo::Fixed::fromDouble(value));
    }

    // Each sample workbook has the columns its data source binds, with numbers in the value
    // columns and something in the caption columns of every row.
    void sampleWorkbooks_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("captionColumns");
        QTest::addColumn<QList<int>>("valueColumns");
        QTest::addColumn<QStringList>("header");  // empty: blank header cells
        QTest::newRow("G") << u"т11.1.xls"_qs << QList<int>{0} << QList<int>{1} << QStringList();
        QTest::newRow("Gг") << u"т11.2.xls"_qs << QList<int>{0} << QList<int>{1, 2, 3, 4}
                            << QStringList();
        QTest::newRow("gр") << u"т37Gp.xls"_qs << QList<int>{0, 2} << QList<int>{1, 3}
                            << QStringList();
        QTest::newRow("Pp") << u"т37gama.xls"_qs << QList<int>{0, 2} << QList<int>{1, 3}
                            << QStringList();
        QTest::newRow("gрг") << u"Т37Gрг.xls"_qs << QList<int>{0, 5}
                             << QList<int>{1, 2, 3, 4, 6, 7, 8, 9} << QStringList();
        QTest::newRow("Мфс") << u"т38.1.xls"_qs << QList<int>{} << QList<int>{0, 1, 2, 3, 4, 5, 6}
                             << QStringList{u"Lр"_qs,     u"авар"_qs,  u"норм гв"_qs,
                                            u"норм в"_qs, u"авар1"_qs, u"норм гв1"_qs,
                                            u"норм в1"_qs};
        QTest::newRow("П") << u"т36.1.xls"_qs << QList<int>{0, 5} << QList<int>{1, 2, 3, 4}
                           << QStringList();
        QTest::newRow("ОП") << u"т36.2.xls"_qs << QList<int>{0, 5} << QList<int>{1, 2, 3, 4}
                            << QStringList();
    }
    void sampleWorkbooks() {
        QFETCH(QString, file);
        QFETCH(QList<int>, captionColumns);
        QFETCH(QList<int>, valueColumns);
        QFETCH(QStringList, header);
        const ReadResult result = readWorkbook(sample(file));
        QVERIFY2(result.ok(), qPrintable(result.errorText));
        const Table& t = result.table;
        QVERIFY(t.rowCount() >= 3);
        QVERIFY(isRectangular(t));
        const int used =
            std::max(*std::max_element(valueColumns.begin(), valueColumns.end()),
                     captionColumns.isEmpty()
                         ? 0
                         : *std::max_element(captionColumns.begin(), captionColumns.end()));
        QCOMPARE(t.columnCount(), used + 1);
        if (header.isEmpty()) {
            for (const QString& h : t.header) QVERIFY(h.isEmpty());
        } else {
            QCOMPARE(t.header, header);
        }
        for (const QStringList& row : t.rows) {
            for (int c : captionColumns) QVERIFY2(!row[c].isEmpty(), qPrintable(row.join(u'|')));
            for (int c : valueColumns) {
                const auto v = vardo::parseFixed(row[c]);
                QVERIFY2(v && *v > vardo::Fixed(), qPrintable(row[c]));
            }
        }
    }

    void cells_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("row");  // data row, -1 for the header
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        const QString numbers = u"числа.xls"_qs;
        QTest::newRow("Cyrillic header") << numbers << -1 << 0 << u"Величина"_qs;
        QTest::newRow("RK integer") << numbers << 0 << 1 << u"42"_qs;
        QTest::newRow("RK hundredths") << numbers << 1 << 1 << u"1,59"_qs;
        QTest::newRow("RK negative") << numbers << 2 << 1 << u"-2,5"_qs;
        QTest::newRow("NUMBER 15 digits") << numbers << 3 << 1 << u"123456789012345"_qs;
        QTest::newRow("NUMBER 15 decimals") << numbers << 4 << 1 << u"0,123456789012345"_qs;
        QTest::newRow("NUMBER large") << numbers << 5 << 1 << u"1E+20"_qs;
        QTest::newRow("NUMBER small") << numbers << 6 << 1 << u"1E-07"_qs;
        QTest::newRow("RK zero") << numbers << 7 << 1 << u"0"_qs;
        QTest::newRow("RK smallest") << numbers << 8 << 1 << u"-536870912"_qs;
        QTest::newRow("NUMBER fraction") << numbers << 9 << 1 << u"1234567,125"_qs;
        QTest::newRow("MULRK first") << numbers << 1 << 3 << u"1"_qs;
        QTest::newRow("MULRK last") << numbers << 1 << 6 << u"4,5"_qs;
        QTest::newRow("padding right of a short row") << numbers << 0 << 6 << QString();
        QTest::newRow("empty row kept") << numbers << 10 << 0 << QString();
        QTest::newRow("8-bit text") << numbers << 11 << 1 << u"plain ASCII text"_qs;
        const QString formulas = u"формулы.xls"_qs;
        QTest::newRow("formula number") << formulas << 0 << 1 << u"3,75"_qs;
        QTest::newRow("later cell wins") << formulas << 0 << 2 << u"2"_qs;
        QTest::newRow("formula text after SHRFMLA") << formulas << 1 << 1 << u"Сумма по столбцу"_qs;
        QTest::newRow("formula boolean") << formulas << 2 << 1 << u"ИСТИНА"_qs;
        QTest::newRow("formula error") << formulas << 3 << 1 << u"#ДЕЛ/0!"_qs;
        QTest::newRow("formula empty text") << formulas << 4 << 1 << QString();
        QTest::newRow("STRING across CONTINUE") << formulas << 5 << 1 << u"Итог: sum"_qs;
        QTest::newRow("BOOLERR false") << formulas << 6 << 1 << u"ЛОЖЬ"_qs;
        QTest::newRow("BOOLERR error") << formulas << 7 << 1 << u"#Н/Д"_qs;
        QTest::newRow("RSTRING") << formulas << 8 << 1 << u"Курсив"_qs;
        QTest::newRow("NaN") << formulas << 9 << 1 << u"#ЧИСЛО!"_qs;
        QTest::newRow("MULRK integer") << formulas << 10 << 1 << u"7"_qs;
        QTest::newRow("MULRK hundredths") << formulas << 10 << 2 << u"1,59"_qs;
        QTest::newRow("MULRK negative") << formulas << 10 << 3 << u"-0,5"_qs;
        QTest::newRow("LABELSST") << formulas << 11 << 0 << u"из общей таблицы"_qs;
        const QString split = u"sst_split.xls"_qs;
        const QStringList splitTexts = {u"Начало"_qs, u"ABCDEFGHIJ"_qs, u"Абвdef"_qs, u"Жирный"_qs,
                                        u"kana"_qs,   u"split"_qs,      u"end"_qs,    u"start"_qs,
                                        u"ЮЯё"_qs,    QString(),        u"last"_qs};
        const char* splitCases[] = {"whole",
                                    "8-bit on as 16-bit",
                                    "16-bit on as 8-bit",
                                    "runs split",
                                    "phonetic split",
                                    "count split",
                                    "ends a record",
                                    "starts a record",
                                    "characters in next",
                                    "empty ends a record",
                                    "after an empty one"};
        for (int i = 0; i < splitTexts.size(); ++i)
            QTest::newRow(splitCases[i]) << split << i << 0 << splitTexts[i];
        QTest::newRow("rich text runs") << u"оформление.xls"_qs << 0 << 0 << u"Жирное и обычное"_qs;
        QTest::newRow("Лист1 not first") << u"второй_лист.xls"_qs << 0 << 0 << u"нужный лист"_qs;
        QTest::newRow("Gnumeric number") << u"gnumeric.xls"_qs << 0 << 1 << u"1,25"_qs;
        QTest::newRow("Gnumeric formula, 15 digits") << u"gnumeric.xls"_qs << 1 << 1 << u"1,59"_qs;
        QTest::newRow("Gnumeric formula text") << u"gnumeric.xls"_qs << 2 << 1 << u"Лр-10"_qs;
        QTest::newRow("Gnumeric formula bool") << u"gnumeric.xls"_qs << 3 << 1 << u"ИСТИНА"_qs;
        QTest::newRow("Gnumeric formula error") << u"gnumeric.xls"_qs << 4 << 1 << u"#ДЕЛ/0!"_qs;
    }
    void cells() {
        QFETCH(QString, file);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        const ReadResult result = readWorkbook(fixture(file));
        QVERIFY2(result.ok(), qPrintable(result.errorText));
        QVERIFY(isRectangular(result.table));
        const QStringList& cells = row < 0 ? result.table.header : result.table.rows.value(row);
        QVERIFY(column < cells.size());
        QCOMPARE(cells[column], text);
    }

    // The table ends at the last value: formatted blank cells make it neither wider nor longer.
    void tableSize_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::newRow("numbers") << u"числа.xls"_qs << 12 << 7;
        QTest::newRow("formulas, blanks beyond") << u"формулы.xls"_qs << 12 << 4;
        QTest::newRow("split strings") << u"sst_split.xls"_qs << 11 << 1;
        QTest::newRow("long strings") << u"строки.xls"_qs << 300 << 1;
    }
    void tableSize() {
        QFETCH(QString, file);
        QFETCH(int, rows);
        QFETCH(int, columns);
        const ReadResult result = readWorkbook(fixture(file));
        QVERIFY2(result.ok(), qPrintable(result.errorText));
        QCOMPARE(result.table.rowCount(), rows);
        QCOMPARE(result.table.columnCount(), columns);
    }

    // 300 texts of 8-bit and 16-bit characters fill an SST and five CONTINUE records.
    void sharedStringsAcrossContinueRecords() {
        const ReadResult result = readWorkbook(fixture(u"строки.xls"_qs));
        QVERIFY2(result.ok(), qPrintable(result.errorText));
        for (int i = 0; i < 300; ++i) QCOMPARE(result.table.rows[i][0], longString(i));
    }

    void errors_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<ReadError>("error");
        QTest::newRow("missing") << u"нет такого.xls"_qs << ReadError::NotFound;
        QTest::newRow("empty") << u"empty.xls"_qs << ReadError::Empty;
        QTest::newRow("text file") << u"text.xls"_qs << ReadError::NotExcel;
        QTest::newRow("word document") << u"document.xls"_qs << ReadError::NotExcel;
        QTest::newRow("xlsx renamed") << u"newer.xls"_qs << ReadError::NewerFormat;
        QTest::newRow("Excel 5 Book") << u"biff5.xls"_qs << ReadError::OlderFormat;
        QTest::newRow("Excel 5 in Workbook") << u"biff5_workbook.xls"_qs << ReadError::OlderFormat;
        QTest::newRow("Excel 4") << u"biff4.xls"_qs << ReadError::OlderFormat;
        QTest::newRow("password") << u"encrypted.xls"_qs << ReadError::Encrypted;
        QTest::newRow("no Лист1") << u"без_листа.xls"_qs << ReadError::NoSheet;
        QTest::newRow("chart sheet") << u"chart.xls"_qs << ReadError::NotWorksheet;
        QTest::newRow("truncated") << u"truncated.xls"_qs << ReadError::Damaged;
        QTest::newRow("offset past end") << u"bad_offset.xls"_qs << ReadError::Damaged;
        QTest::newRow("offset to globals") << u"offset_to_globals.xls"_qs << ReadError::Damaged;
        QTest::newRow("string index") << u"bad_sst_index.xls"_qs << ReadError::Damaged;
        QTest::newRow("string count") << u"bad_sst_count.xls"_qs << ReadError::Damaged;
        QTest::newRow("record length") << u"bad_length.xls"_qs << ReadError::Damaged;
        QTest::newRow("MULRK columns") << u"bad_mulrk.xls"_qs << ReadError::Damaged;
        QTest::newRow("column beyond IV") << u"bad_column.xls"_qs << ReadError::Damaged;
        QTest::newRow("half a character") << u"half_char.xls"_qs << ReadError::Damaged;
        QTest::newRow("no EOF") << u"no_eof.xls"_qs << ReadError::Damaged;
    }
    void errors() {
        QFETCH(QString, file);
        QFETCH(ReadError, error);
        const ReadResult result = readWorkbook(fixture(file));
        QCOMPARE(result.error, error);
        QCOMPARE(result.errorText, describe(error));
        QVERIFY(result.table.header.isEmpty() && result.table.rows.isEmpty());
    }

    void errorTextsAreDistinctAndNameTheSheet() {
        QStringList texts;
        for (int e = int(ReadError::NotFound); e <= int(ReadError::Damaged); ++e) {
            const QString text = describe(ReadError(e));
            QVERIFY(!text.isEmpty() && !texts.contains(text));
            texts << text;
        }
        QCOMPARE(describe(ReadError::NoSheet), u"в книге нет листа «Лист1»"_qs);
        QVERIFY(
            readWorkbook(fixture(u"base.xls"_qs), u"Другой"_qs).errorText.contains(u"«Другой»"_qs));
    }

    void folderWithTheWorkbookName() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"т11.1.xls"_qs));
        QCOMPARE(readWorkbook(dir.filePath(u"т11.1.xls"_qs)).error, ReadError::NotAFile);
    }

    // A file that opens but cannot be read: /proc/self/mem fails every read at offset 0, even for
    // root, whom file permissions do not stop.
    void unreadableFile() {
        const QString path = u"/proc/self/mem"_qs;
        if (!QFileInfo(path).isFile()) QSKIP("no /proc on this system");
        QCOMPARE(readWorkbook(path).error, ReadError::Unreadable);
    }

    void cyrillicFolderAndFileNames() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"Справочные таблицы"_qs));
        const QString path = dir.filePath(u"Справочные таблицы/Т37Gрг.xls"_qs);
        QVERIFY(QFile::copy(sample(u"Т37Gрг.xls"_qs), path));
        const ReadResult result = readWorkbook(path);
        QVERIFY2(result.ok(), qPrintable(result.errorText));
        QCOMPARE(result.table.rows, readWorkbook(sample(u"Т37Gрг.xls"_qs)).table.rows);
    }

    // Record lengths of a sample changed at random: the reader says the book is damaged, or it
    // found its way and reads the very table of the intact file; never anything else.
    void corruptedCopies_data() {
        QTest::addColumn<QString>("file");
        for (int i = 1; i <= 12; ++i) {
            const QString name = u"corrupt_%1.xls"_qs.arg(i, 2, 10, QChar(u'0'));
            QTest::newRow(qPrintable(name)) << name;
        }
    }
    void corruptedCopies() {
        QFETCH(QString, file);
        const ReadResult result = readWorkbook(fixture(file));
        if (result.ok()) {
            const Table intact = readWorkbook(sample(u"т38.1.xls"_qs)).table;
            QCOMPARE(result.table.header, intact.header);
            QCOMPARE(result.table.rows, intact.rows);
        } else {
            QCOMPARE(result.error, ReadError::Damaged);
        }
    }

    // A compound file damaged in one of its links: "повреждена", read neither in circles nor
    // outside its bytes. т38.1.xls has 512-byte sectors: the stream "Workbook" in sectors 0-7, the
    // FAT in 8, the directory in 9 (the root entry at 5120, "Workbook" at 5248); gnumeric.xls keeps
    // its stream in the mini stream, the mini FAT in sector 6 (at 3584), the root entry at 4096.
    void damagedCompoundFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("sectorsAdded");    // zero sectors after the file's own
        QTest::addColumn<QList<int>>("patches");  // offset, 32-bit value, offset, value, ...
        const QString t38 = sample(u"т38.1.xls"_qs), gnumeric = fixture(u"gnumeric.xls"_qs);
        QTest::newRow("FAT loop in the stream") << t38 << 0 << QList<int>{4608 + 4 * 3, 1};
        QTest::newRow("FAT loop in the directory") << t38 << 0 << QList<int>{4608 + 4 * 9, 9};
        QTest::newRow("chain ends before the size") << t38 << 0 << QList<int>{5248 + 120, 4608};
        QTest::newRow("chain ends free") << t38 << 0 << QList<int>{4608 + 4 * 6, -1};
        QTest::newRow("FAT sector beyond the file") << t38 << 0 << QList<int>{76, 1000};
        QTest::newRow("more FAT sectors than the file") << t38 << 0 << QList<int>{44, 11};
        QTest::newRow("directory beyond the FAT") << t38 << 0 << QList<int>{48, 5000};
        QTest::newRow("entry beyond the directory") << t38 << 0 << QList<int>{5120 + 76, 4};
        QTest::newRow("entry its own sibling") << t38 << 0 << QList<int>{5248 + 72, 1};
        QTest::newRow("entry back to the root") << t38 << 0 << QList<int>{5248 + 68, 0};
        QTest::newRow("DIFAT loop") << t38 << 300 << QList<int>{44, 237, 68, 10, 5632 + 508, 10};
        QTest::newRow("DIFAT beyond the file") << t38 << 300 << QList<int>{44, 110, 68, 4000};
        QTest::newRow("sector shift 10") << t38 << 0 << QList<int>{30, 0x6000A};
        QTest::newRow("mini FAT loop") << gnumeric << 0 << QList<int>{3584 + 4 * 10, 3};
        QTest::newRow("mini stream short") << gnumeric << 0 << QList<int>{4096 + 120, 1024};
    }
    void damagedCompoundFile() {
        QFETCH(QString, file);
        QFETCH(int, sectorsAdded);
        QFETCH(QList<int>, patches);
        QByteArray bytes = fileBytes(file) + QByteArray(512 * sectorsAdded, '\0');
        for (qsizetype i = 0; i + 1 < patches.size(); i += 2)
            qToLittleEndian<qint32>(patches[i + 1], bytes.data() + patches[i]);
        const ReadResult result = readWorkbookBytes(bytes);
        QCOMPARE(result.error, ReadError::Damaged);
        QCOMPARE(result.errorText, describe(ReadError::Damaged));
    }

    // Bytes changed anywhere in a file: an error with its text, or a table of equal-width rows.
    void randomMutations() {
        const QStringList files = {sample(u"т38.1.xls"_qs), sample(u"Т37Gрг.xls"_qs),
                                   fixture(u"формулы.xls"_qs), fixture(u"sst_split.xls"_qs),
                                   fixture(u"gnumeric.xls"_qs)};
        QRandomGenerator random(20240611);
        int failures = 0;
        for (const QString& file : files) {
            const QByteArray intact = fileBytes(file);
            QVERIFY(!intact.isEmpty());
            for (int i = 0; i < 300; ++i) {
                QByteArray bytes = intact;
                const int changes = 1 + random.bounded(8);
                for (int k = 0; k < changes; ++k)
                    bytes[random.bounded(bytes.size())] = char(random.bounded(256));
                const ReadResult result = readWorkbookBytes(bytes);
                if (result.ok()) {
                    QVERIFY(isRectangular(result.table));
                } else {
                    QVERIFY(!result.errorText.isEmpty());
                    ++failures;
                }
            }
        }
        QVERIFY(failures > 0);
    }

    // --- data files ------------------------------------------------------------------------

    void dataFilesFromTheWorkingDirectoryThenBesideTheProgram() {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString name = u"vardo-locate-%1.txt"_qs.arg(QCoreApplication::applicationPid());
        const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
        const QString here = QDir(dir.path()).filePath(name);

        QCOMPARE(vardo::locateDataFile(name), here);  // nowhere: the working directory's path
        QFile besideFile(beside);
        QVERIFY(besideFile.open(QIODevice::WriteOnly));
        besideFile.close();
        QCOMPARE(vardo::locateDataFile(name), beside);
        QFile hereFile(here);
        QVERIFY(hereFile.open(QIODevice::WriteOnly));
        hereFile.close();
        QCOMPARE(vardo::locateDataFile(name), here);

        QFile::remove(beside);
        QDir::setCurrent(previous);
    }
};

QTEST_MAIN(TablesTest)
#include "tables_test.moc"
