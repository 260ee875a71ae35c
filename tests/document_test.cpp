// Calculation files, the recomputation and the crossbeam check, with Qt Core only: files
// round-trip exactly and every damaged file is refused with its reason; saving never leaves half
// a file; the check of the worked example against a hand-made grade table (tests/data/grades.xls);
// vardo-report on a saved calculation.

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "core/numbertext.h"
#include "document/calculation.h"
#include "document/crossbeamcheck.h"
#include "document/designlengths.h"
#include "document/gradeselection.h"
#include "document/memoryport.h"
#include "document/recompute.h"
#include "tables/workbook.h"
#include "tests/support/samples.h"

using namespace Qt::Literals::StringLiterals;
using namespace vardo::document;
using namespace vardo::testing;
using vardo::Fixed;
namespace tables = vardo::tables;

namespace {

// A sheet full of texts no number parser would take, in every field.
Calculation oddExample() {
    Calculation c = startCalculation();
    const QStringList odd = {QString(),
                             u"abc"_s,
                             u"1e15"_s,
                             u"1.59"_s,
                             u"  7 "_s,
                             u"\"кавычки\" \\ / \t"_s,
                             u"строка\nвторая"_s,
                             u"-0"_s,
                             u"922337203685477,5808"_s,
                             u"😀"_s};
    int i = 0;
    for (const QString& name : inputFields()) c.inputs[name] = odd[i++ % odd.size()];
    for (const QString& name : mfsFields()) c.mfs[name] = odd[i++ % odd.size()];
    for (const QString& name : resultFields()) c.results[name] = odd[i++ % odd.size()];
    for (const QString& name : tableFields()) c.tableFields[name] = odd[i++ % odd.size()];
    c.results[u"Label49"_s] = QString(kMaxTextLength, u'я');
    for (const OptionGroupRow& g : optionGroups()) c.options[g.key] = g.options.last();
    c.options[u"Frame15"_s] = QString();  // no choice in a group
    int r = 0;
    for (const QString& name : dataSources())
        c.sources[name] = {r - 1, odd[r % odd.size()], u"т%1.xls"_s.arg(r)}, ++r;
    bool on = false;
    for (const QString& name : viewFields()) c.view[name] = (on = !on);
    return c;
}

QByteArray json(const Calculation& c) {
    return toJson(c);
}

QJsonObject object(const Calculation& c) {
    return QJsonDocument::fromJson(toJson(c)).object();
}
QByteArray bytes(const QJsonObject& o) {
    return QJsonDocument(o).toJson();
}

// Runs body as an unprivileged user when the test runs as root (whom no folder permission
// stops); returns body's result, or nullopt when the user cannot be switched.
std::optional<bool> asUnprivileged(const std::function<bool()>& body) {
#ifdef Q_OS_WIN
    Q_UNUSED(body);
    return std::nullopt;  // folder permissions are not POSIX modes there
#else
    if (geteuid() != 0) return body();
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(77);
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return std::nullopt;
    if (WEXITSTATUS(status) == 77) return std::nullopt;
    return WEXITSTATUS(status) == 0;
#endif
}

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void everyVersionOpens_data();
    void everyVersionOpens();
    void portRoundTrip();
    void fileNamesTheProgram();
    void rowsFoundAgain_data();
    void rowsFoundAgain();
    void badFiles_data();
    void badFiles();
    void unreadableFiles();
    void saveIsAtomic();
    void refusedBeforeWriting_data();
    void refusedBeforeWriting();
    void designLengths_data();
    void designLengths();
    void utilisationBands_data();
    void utilisationBands();
    void recomputeWorkedExamples_data();
    void recomputeWorkedExamples();
    void savedZeroAfterRefusalIsNotComputed();
    void checkOfWorkedExample();
    void thirdSeriesIsATableEntry();
    void commandLine();
    void commandLineTablesFolder();
};

void DocumentTest::roundTrip_data() {
    QTest::addColumn<Calculation>("calculation");
    QTest::newRow("start-up") << startCalculation();
    QTest::newRow("moment example") << momentExample();
    QTest::newRow("load example") << loadExample();
    QTest::newRow("odd texts") << oddExample();
    Calculation signed_ = momentExample();
    signed_.object = {u"ст. Ясная, перегон Ясная — Луговая"_s,
                      u"12 (опоры 23, 24)"_s,
                      u"Иванов И. И."_s,
                      u"Петров П. П."_s,
                      u"07.12.2026"_s,
                      u"\"кавычки\"; строка\nвторая 😀"_s};
    QTest::newRow("object data") << signed_;
    Calculation longest = startCalculation();
    longest.object.note = QString(kMaxTextLength, u'я');
    longest.object.object = u"<b>ст.</b> %1"_s;
    QTest::newRow("object data at its longest") << longest;
    Calculation control = startCalculation();
    control.inputs[u"txtVm"_s] = u"\u0001\u001f\u007f\b\f\r\u2028 \\u0041 é"_s;
    QTest::newRow("control characters") << control;
    Calculation picked = oddExample();
    picked.picks = {{u"txtG1"_s, {u"Подвеска «КС-070»"_s, u"1,59"_s}},
                    {u"txtGg8"_s, {u"\"\\\t😀"_s, QString()}}};
    picked.object.note =
        u"пара: \xd83d\xde00, одна: "_s + QChar(0xd83d) + u" и "_s + QChar(0xde00) + u'.';
    QTest::newRow("picks and lone surrogates") << picked;
}

void DocumentTest::roundTrip() {
    // State: a calculation. Action: written to a file and read back. Expected: the same in every
    // text, choice, row and flag.
    QFETCH(Calculation, calculation);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"расчет.vardo"_s);
    QString error;
    QVERIFY2(writeFile(path, calculation, &error), qPrintable(error));
    // Byte for byte what Qt's own JSON writer makes of the same object.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QCOMPARE(QJsonDocument::fromJson(written).toJson(), written);
    const std::optional<Calculation> back = readFile(path, &error);
    QVERIFY2(back, qPrintable(error));
    QCOMPARE(back->inputs, calculation.inputs);
    QCOMPARE(back->options, calculation.options);
    QCOMPARE(back->mfs, calculation.mfs);
    QCOMPARE(back->results, calculation.results);
    QCOMPARE(back->tableFields, calculation.tableFields);
    QCOMPARE(back->view, calculation.view);
    QCOMPARE(back->object, calculation.object);
    QVERIFY(*back == calculation);
}

void DocumentTest::everyVersionOpens_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("version");
    QTest::addColumn<ObjectData>("object");
    // Golden files of each version: every text differs from every other and from the start values.
    const ObjectData golden{u"ст. Ясная, перегон Ясная — Луговая"_s,
                            u"12 (опоры 23, 24)"_s,
                            u"Иванов И. И."_s,
                            u"Петров П. П."_s,
                            u"07.12.2026"_s,
                            u"ветровой район III"_s};
    QTest::newRow("version 1") << u"calculation-1.vardo"_s << 1 << ObjectData{};
    QTest::newRow("version 2") << u"calculation-2.vardo"_s << 2 << golden;
    QTest::newRow("version 3") << u"calculation-3.vardo"_s << 3 << golden;
    QTest::newRow("sample, version 1") << u"road.vardo"_s << 1 << ObjectData{};
    QTest::newRow("sample 1/4, version 1") << u"road-quarter.vardo"_s << 1 << ObjectData{};
}

void DocumentTest::everyVersionOpens() {
    // State: a file as a version of the format wrote it. Action: read. Expected: every field as
    // the file's own JSON has it, a field the version did not have empty; saved again, the same
    // calculation in the current version.
    QFETCH(QString, file);
    QFETCH(int, version);
    QFETCH(ObjectData, object);
    const QString path = QStringLiteral(VARDO_TEST_DATA) + u'/' + file;
    QString error;
    const std::optional<Calculation> read = readFile(path, &error);
    QVERIFY2(read, qPrintable(error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QJsonObject raw = QJsonDocument::fromJson(f.readAll()).object();
    QCOMPARE(raw.value(u"version"_s).toInt(), version);
    const auto sameAs = [&raw](const QString& section, const auto& got, const auto& value) {
        const QJsonObject s = raw.value(section).toObject();
        QVERIFY2(!s.isEmpty(), qPrintable(section));
        for (auto it = s.begin(); it != s.end(); ++it)
            QVERIFY2(got.contains(it.key()), qPrintable(section + u' ' + it.key()));
        for (auto it = got.cbegin(); it != got.cend(); ++it) {
            const QJsonValue saved = s.value(it.key());
            QVERIFY2(
                saved.isUndefined() ? *it == std::decay_t<decltype(*it)>{} : value(*it) == saved,
                qPrintable(section + u' ' + it.key()));
        }
    };
    const auto text = [](const QString& t) { return QJsonValue(t); };
    sameAs(u"inputs"_s, read->inputs, text);
    sameAs(u"options"_s, read->options, text);
    sameAs(u"mfs"_s, read->mfs, text);
    sameAs(u"tableFields"_s, read->tableFields, text);
    sameAs(u"results"_s, read->results, text);
    sameAs(u"view"_s, read->view, [](bool on) { return QJsonValue(on); });
    sameAs(u"sources"_s, read->sources, [](const SourceRow& r) {
        return QJsonValue(
            QJsonObject{{u"row"_s, r.row}, {u"caption"_s, r.caption}, {u"workbook"_s, r.workbook}});
    });
    // The rows the loads were picked from: null is "not recorded", and a file older than them
    // records none.
    const QJsonObject picks = raw.value(u"picks"_s).toObject();
    qsizetype recorded = 0;
    for (auto it = picks.begin(); it != picks.end(); ++it) {
        const QJsonObject pick = it.value().toObject();
        recorded += !it.value().isNull();
        const PickedRow row{pick.value(u"caption"_s).toString(), pick.value(u"value"_s).toString()};
        QVERIFY(it.value().isNull() ? !read->picks.contains(it.key())
                                    : read->picks.value(it.key()) == row);
    }
    QCOMPARE(read->picks.size(), recorded);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(read->object, object);
    // A panel flag of a later program is passed over: it holds nothing of the calculation.
    QJsonObject view = raw.value(u"view"_s).toObject(), later = raw;
    view.insert(u"Frame99"_s, true);
    later.insert(u"view"_s, view);
    const std::optional<Calculation> withFlag = fromJson(QJsonDocument(later).toJson(), &error);
    QVERIFY2(withFlag && *withFlag == *read, qPrintable(error));
    const QByteArray again = toJson(*read);
    QCOMPARE(QJsonDocument::fromJson(again).object().value(u"version"_s).toInt(), kFormatVersion);
    QVERIFY2(fromJson(again, &error) == read, qPrintable(error));
}

void DocumentTest::portRoundTrip() {
    // State: a sheet with tables on other rows than the first, options and panels changed.
    const tables::Table grades = gradeTable();
    MemoryPort a;
    for (const QString& ds : dataSources()) a.setTable(ds, grades, ds + u".xls"_s);
    a.moveTo(u"Data7"_s, 3);
    a.moveTo(u"Data2"_s, 5);
    const Calculation odd = oddExample();
    for (const QString& f : inputFields()) a.setText(f, odd.inputs.value(f));
    for (const QString& f : resultFields()) a.setText(f, odd.results.value(f));
    a.setChecked(u"Option2"_s);
    a.setChecked(u"Option14"_s);
    a.setVisible(u"Frame20"_s, true);

    // Action: captured, written, read, applied to a fresh sheet with the same tables.
    const Calculation saved = capture(a);
    QCOMPARE(saved.sources.value(u"Data7"_s).caption, u"Р-4"_s);
    QString error;
    const std::optional<Calculation> read = fromJson(toJson(saved), &error);
    QVERIFY2(read, qPrintable(error));
    MemoryPort b;
    for (const QString& ds : dataSources()) b.setTable(ds, grades, ds + u".xls"_s);
    b.setChecked(u"Option1"_s);
    const QStringList warnings = apply(b, *read);

    // Expected: the same sheet, seen the same way.
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    QCOMPARE(b.currentRow(u"Data7"_s), 3);
    QCOMPARE(b.currentRow(u"Data2"_s), 5);
    QVERIFY(b.isChecked(u"Option2"_s) && !b.isChecked(u"Option1"_s));
    QVERIFY(capture(b) == saved);
}

// State: any calculation. Action: written. Expected: the file names the program that wrote it, by
// its name and version.
void DocumentTest::fileNamesTheProgram() {
    QCOMPARE(object(startCalculation()).value(u"program"_s).toString(), u"Vardo v1.0"_s);
}

void DocumentTest::rowsFoundAgain_data() {
    QTest::addColumn<QStringList>("captions");  // the rows of the table when the file is opened
    QTest::addColumn<int>("expectedRow");
    QTest::addColumn<QString>("warning");  // a fragment, empty when none
    // The file says: row 2 (0-based 1), caption "П-2".
    QTest::newRow("unchanged") << QStringList{u"П-1"_s, u"П-2"_s, u"П-3"_s} << 1 << QString();
    QTest::newRow("moved down") << QStringList{u"П-0"_s, u"П-1"_s, u"П-2"_s} << 2 << QString();
    QTest::newRow("moved up") << QStringList{u"П-2"_s, u"П-3"_s} << 0 << QString();
    QTest::newRow("gone") << QStringList{u"П-1"_s, u"П-3"_s} << 0 << u"нет строки «П-2»"_s;
    QTest::newRow("table empty") << QStringList{} << -1 << u"не прочитана"_s;
}

void DocumentTest::rowsFoundAgain() {
    QFETCH(QStringList, captions);
    QFETCH(int, expectedRow);
    QFETCH(QString, warning);
    Calculation c = startCalculation();
    c.sources[u"Data7"_s] = {1, u"П-2"_s, u"т36.1.xls"_s};
    tables::Table table;
    table.header = {QString(), QString()};
    for (const QString& caption : captions) table.rows << QStringList{caption, u"1"_s};
    MemoryPort port;
    port.setTable(u"Data7"_s, table, u"т36.1.xls"_s);
    const QStringList warnings = apply(port, c);
    QCOMPARE(port.currentRow(u"Data7"_s), expectedRow);
    if (warning.isEmpty()) {
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    } else {
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains(warning) && warnings[0].contains(u"т36.1.xls"_s),
                 qPrintable(warnings[0]));
    }
}

void DocumentTest::badFiles_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");  // a fragment of the message
    const QByteArray valid = json(momentExample());
    const QJsonObject o = object(momentExample());
    const auto changed = [&o](const std::function<void(QJsonObject&)>& change) {
        QJsonObject copy = o;
        change(copy);
        return bytes(copy);
    };
    const auto inSection = [](const QString& section, const std::function<void(QJsonObject&)>& f) {
        return [section, f](QJsonObject& root) {
            QJsonObject s = root.value(section).toObject();
            f(s);
            root.insert(section, s);
        };
    };
    QTest::newRow("empty") << QByteArray() << u"файл пуст"_s;
    QTest::newRow("blanks") << QByteArray(" \n\t ") << u"файл пуст"_s;
    QTest::newRow("truncated half") << valid.left(valid.size() / 2) << u"обрезан"_s;
    QTest::newRow("truncated end") << valid.chopped(3) << u"обрезан"_s;
    QByteArray corrupt = valid;
    corrupt[corrupt.indexOf(':')] = '#';
    QTest::newRow("corrupt") << corrupt << u"поврежден"_s;
    // Another program's file is said to be one, not a damaged calculation "at position 1".
    QTest::newRow("binary") << QByteArray("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1\0\0", 10)
                            << u"это не файл расчета Vardo, а документ Office 97–2003"_s;
    QTest::newRow("pdf") << QByteArray("%PDF-1.7\n%\xe2\xe3\xcf\xd3\n1 0 obj")
                         << u"это не файл расчета Vardo, а документ PDF."_s;
    QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                         << u"это не файл расчета Vardo, а изображение PNG."_s;
    QTest::newRow("random bytes") << QByteArray("\x07\xfe\x13 x{\"format\"")
                                  << u": это не файл расчета Vardo."_s;
    QTest::newRow("text after a BOM")
        << QByteArray("\xef\xbb\xbf расчет") << u": это не файл расчета Vardo."_s;
    QTest::newRow("foreign object")
        << QByteArray(R"({"name": "x", "version": 1})") << u"не файл расчета Vardo"_s;
    QTest::newRow("foreign array") << QByteArray("[1, 2, 3]") << u"не файл расчета Vardo"_s;
    QTest::newRow("other format") << changed([](QJsonObject& r) {
        r.insert(u"format"_s, u"vardo-settings"_s);
    }) << u"не файл расчета Vardo"_s;
    QTest::newRow("newer version")
        << changed([](QJsonObject& r) { r.insert(u"version"_s, kFormatVersion + 1); })
        << u"более новой версией"_s;
    QTest::newRow("version as text")
        << changed([](QJsonObject& r) { r.insert(u"version"_s, u"1"_s); }) << u"версии формата"_s;
    QTest::newRow("version fraction")
        << changed([](QJsonObject& r) { r.insert(u"version"_s, 1.5); }) << u"версии формата"_s;
    QTest::newRow("version zero") << changed([](QJsonObject& r) { r.insert(u"version"_s, 0); })
                                  << u"версии формата"_s;
    QTest::newRow("no results") << changed([](QJsonObject& r) { r.remove(u"results"_s); })
                                << u"нет раздела «results»"_s;
    QTest::newRow("unknown section")
        << changed([](QJsonObject& r) { r.insert(u"extra"_s, QJsonObject()); })
        << u"неизвестный раздел «extra»"_s;
    QTest::newRow("missing field")
        << changed(inSection(u"inputs"_s, [](QJsonObject& s) { s.remove(u"txtL3"_s); }))
        << u"нет поля «txtL3»"_s;
    QTest::newRow("unknown field")
        << changed(inSection(u"inputs"_s, [](QJsonObject& s) { s.insert(u"txtL9"_s, u"1"_s); }))
        << u"неизвестное поле «txtL9»"_s;
    QTest::newRow("number for text")
        << changed(inSection(u"inputs"_s, [](QJsonObject& s) { s.insert(u"txtL1"_s, 42); }))
        << u"должно быть текстом"_s;
    QTest::newRow("text too long") << changed(inSection(u"mfs"_s, [](QJsonObject& s) {
        s.insert(u"Text18"_s, QString(kMaxTextLength + 1, u'1'));
    })) << u"длиннее"_s;
    QTest::newRow("option of another group") << changed(inSection(u"options"_s, [](QJsonObject& s) {
        s.insert(u"Frame5"_s, u"Option1"_s);
    })) << u"нет переключателя «Option1»"_s;
    QTest::newRow("row below -1") << changed(inSection(u"sources"_s, [](QJsonObject& s) {
        QJsonObject d = s.value(u"Data1"_s).toObject();
        d.insert(u"row"_s, -2);
        s.insert(u"Data1"_s, d);
    })) << u"номер строки таблицы «Data1»"_s;
    QTest::newRow("row fraction") << changed(inSection(u"sources"_s, [](QJsonObject& s) {
        QJsonObject d = s.value(u"Data8"_s).toObject();
        d.insert(u"row"_s, 0.5);
        s.insert(u"Data8"_s, d);
    })) << u"номер строки таблицы «Data8»"_s;
    // A table row or a pick that is not as the program writes it is refused with the same reason
    // whichever field of it is wrong.
    const auto inEntry = [inSection](const QString& section, const QString& entry,
                                     const std::function<void(QJsonObject&)>& f) {
        return inSection(section, [entry, f](QJsonObject& s) {
            QJsonObject e = s.value(entry).toObject();
            f(e);
            s.insert(entry, e);
        });
    };
    QTest::newRow("row past any table")
        << changed(inEntry(u"sources"_s, u"Data3"_s,
                           [](QJsonObject& d) { d.insert(u"row"_s, tables::kMaxTableCells); }))
        << u"номер строки таблицы «Data3»"_s;
    QTest::newRow("row caption a number")
        << changed(
               inEntry(u"sources"_s, u"Data2"_s, [](QJsonObject& d) { d.insert(u"caption"_s, 5); }))
        << u"поле «caption» раздела «sources.Data2» должно быть текстом"_s;
    QTest::newRow("row with an unknown field")
        << changed(inEntry(u"sources"_s, u"Data5"_s,
                           [](QJsonObject& d) { d.insert(u"sheet"_s, u"Лист1"_s); }))
        << u"неизвестное поле «sheet»"_s;
    QTest::newRow("pick a number")
        << changed(inSection(u"picks"_s, [](QJsonObject& s) { s.insert(u"txtG2"_s, 7); }))
        << u"выбор строки для поля «txtG2» записан неверно"_s;
    QTest::newRow("pick value too long") << changed(inSection(u"picks"_s, [](QJsonObject& s) {
        s.insert(u"txtGg4"_s, QJsonObject{{u"caption"_s, u"Ф-1"_s},
                                          {u"value"_s, QString(kMaxTextLength + 1, u'1')}});
    })) << u"длиннее"_s;
    QTest::newRow("pick without its caption") << changed(inSection(u"picks"_s, [](QJsonObject& s) {
        s.insert(u"txtG1"_s, QJsonObject{{u"value"_s, u"0,3"_s}});
    })) << u"в разделе «picks.txtG1» нет поля «caption»"_s;
    QTest::newRow("object data in a version 1 file")
        << changed([](QJsonObject& r) { r.insert(u"version"_s, 1); })
        << u"неизвестный раздел «object»"_s;
    QTest::newRow("no object data")
        << changed([](QJsonObject& r) { r.remove(u"object"_s); }) << u"нет раздела «object»"_s;
    QTest::newRow("object field missing")
        << changed(inSection(u"object"_s, [](QJsonObject& s) { s.remove(u"checkedBy"_s); }))
        << u"в разделе «object» нет поля «checkedBy»"_s;
    QTest::newRow("object field unknown") << changed(inSection(u"object"_s, [](QJsonObject& s) {
        s.insert(u"approvedBy"_s, u"x"_s);
    })) << u"неизвестное поле «approvedBy»"_s;
    QTest::newRow("object field a number")
        << changed(inSection(u"object"_s, [](QJsonObject& s) { s.insert(u"date"_s, 20261207); }))
        << u"поле «date» раздела «object» должно быть текстом"_s;
    QTest::newRow("object field too long") << changed(inSection(u"object"_s, [](QJsonObject& s) {
        s.insert(u"note"_s, QString(kMaxTextLength + 1, u'я'));
    })) << u"длиннее"_s;
    QTest::newRow("view not a flag")
        << changed(inSection(u"view"_s, [](QJsonObject& s) { s.insert(u"Frame2"_s, u"да"_s); }))
        << u"true или false"_s;
    QTest::newRow("too large") << QByteArray(kMaxFileBytes, ' ') + valid << u"слишком велик"_s;
}

void DocumentTest::badFiles() {
    // State: a damaged or foreign file. Action: read. Expected: nothing, and a message naming the
    // file and the reason.
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"плохой.vardo"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QString error;
    QVERIFY(!readFile(path, &error));
    QVERIFY2(error.startsWith(u"Не удалось открыть файл расчета «плохой.vardo»: "_s),
             qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void DocumentTest::unreadableFiles() {
    QTemporaryDir dir;
    QString error;
    QVERIFY(!readFile(dir.filePath(u"нет.vardo"_s), &error));
    QVERIFY2(error.contains(u"файл не найден"_s), qPrintable(error));
    QVERIFY(!readFile(dir.path(), &error));
    QVERIFY2(error.contains(u"папка"_s), qPrintable(error));
    // A file that opens but whose bytes cannot be read: the kernel refuses to read this one.
    if (QFile::exists(u"/proc/self/mem"_s)) {
        QVERIFY(!readFile(u"/proc/self/mem"_s, &error));
        QVERIFY2(error.contains(u"ошибка чтения"_s) || error.contains(u"не читается"_s),
                 qPrintable(error));
    }
}

void DocumentTest::saveIsAtomic() {
    // State: an old file in a folder. Action: the folder made read-only, then a save. Expected:
    // the save fails with a message, and the old file is intact.
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                          QFileDevice::ExeOther);
    const QString path = dir.filePath(u"расчет.vardo"_s);
    QString error;
    QVERIFY(writeFile(path, loadExample(), &error));
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray before = old.readAll();
    old.close();
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadOther | QFileDevice::WriteOther);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::ExeOther);
    // True when the save is refused with a message that the old file is kept.
    const std::optional<bool> refused = asUnprivileged([&] {
        QString why;
        return !writeFile(path, momentExample(), &why) && why.contains(u"«расчет.vardo»"_s) &&
               why.contains(u"Прежний файл не изменен"_s);
    });
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!refused) QSKIP("cannot act as an unprivileged user here");
    QVERIFY(*refused);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), before);
    old.close();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"расчет.vardo"_s});

    // A save into a folder that is gone says so; a save where it can replaces the file whole.
    QVERIFY(!writeFile(dir.filePath(u"нет/расчет.vardo"_s), loadExample(), &error));
    QVERIFY2(error.contains(u"нет папки"_s), qPrintable(error));
    QVERIFY(writeFile(path, momentExample(), &error));
    QVERIFY(*readFile(path, &error) == momentExample());
}

void DocumentTest::refusedBeforeWriting_data() {
    QTest::addColumn<Calculation>("calculation");
    const auto changed = [](const std::function<void(Calculation&)>& change) {
        Calculation c = momentExample();
        change(c);
        return c;
    };
    const QString overlong(kMaxTextLength + 1, u'я');
    QTest::newRow("input too long")
        << changed([&](Calculation& c) { c.inputs[u"txtL3"_s] = overlong; });
    QTest::newRow("note too long") << changed([&](Calculation& c) { c.object.note = overlong; });
    QTest::newRow("row caption too long")
        << changed([&](Calculation& c) { c.sources[u"Data3"_s].caption = overlong; });
    QTest::newRow("pick too long") << changed([&](Calculation& c) {
        c.picks[u"txtGg2"_s] = {u"подвеска"_s, overlong};
    });
    QTest::newRow("row past any table")
        << changed([](Calculation& c) { c.sources[u"Data1"_s].row = tables::kMaxTableCells; });
    QTest::newRow("row below -1") << changed(
        [](Calculation& c) { c.sources[u"Data8"_s].row = -2; });
    QTest::newRow("option of another group")
        << changed([](Calculation& c) { c.options[u"Frame3"_s] = u"Option9"_s; });
    QTest::newRow("input missing") << changed([](Calculation& c) { c.inputs.remove(u"txtVm"_s); });
    QTest::newRow("unknown input")
        << changed([](Calculation& c) { c.inputs[u"txtL9"_s] = u"1"_s; });
    QTest::newRow("panel flag missing")
        << changed([](Calculation& c) { c.view.remove(u"Frame2"_s); });
}

void DocumentTest::refusedBeforeWriting() {
    // State: a calculation that reading would refuse. Action: save it, new and over an old file.
    // Expected: refused with reading's own reason; no new file, the old one unchanged.
    QFETCH(Calculation, calculation);
    QString readingSays;
    QVERIFY(!fromJson(toJson(calculation), &readingSays));
    QTemporaryDir dir;
    QString error;
    QVERIFY(!writeFile(dir.filePath(u"новый.vardo"_s), calculation, &error));
    QVERIFY2(error.contains(u"нельзя было бы открыть: "_s + readingSays), qPrintable(error));
    QVERIFY(QDir(dir.path()).isEmpty());
    const QString old = dir.filePath(u"старый.vardo"_s);
    QVERIFY(writeFile(old, momentExample(), &error));
    QVERIFY(!writeFile(old, calculation, &error));
    QVERIFY(*readFile(old, &error) == momentExample());
}

void DocumentTest::designLengths_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("inside");   // lengths that are allowed, ";"-separated
    QTest::addColumn<QString>("outside");  // lengths that are not
    QTest::newRow("en dash") << u"16–20"_s << true << u"16;18;20;17,5"_s << u"15,9999;20,0001"_s;
    QTest::newRow("hyphen, blanks") << u"12 - 18"_s << true << u"12;18"_s << u"11;19"_s;
    QTest::newRow("em dash, unit") << u"12—18 м"_s << true << u"15"_s << u"20"_s;
    QTest::newRow("list") << u"12, 15, 18"_s << true << u"12;15;18"_s << u"13;16;17"_s;
    QTest::newRow("list no blanks") << u"12,15,18"_s << true << u"12;15;18"_s << u"12,15"_s;
    QTest::newRow("decimal comma") << u"12,5"_s << true << u"12,5"_s << u"12;5"_s;
    QTest::newRow("decimal point range") << u"12.5-18.5"_s << true << u"12,5;18,5"_s << u"12"_s;
    QTest::newRow("range and list") << u"16–20; 24"_s << true << u"18;24"_s << u"22"_s;
    QTest::newRow("words") << u"от 18 до 24 м."_s << true << u"18;24"_s << u"17"_s;
    QTest::newRow("и") << u"15 и 18"_s << true << u"15;18"_s << u"16"_s;
    QTest::newRow("blanks only") << u"12 15"_s << true << u"12;15"_s << u"13"_s;
    QTest::newRow("brackets") << u"(16...20)"_s << true << u"16;20"_s << u"21"_s;
    QTest::newRow("number cell") << u"18"_s << true << u"18"_s << u"18,0001"_s;
    QTest::newRow("empty") << QString() << false << QString() << QString();
    QTest::newRow("backwards") << u"20–16"_s << false << QString() << QString();
    QTest::newRow("dangling dash") << u"16–"_s << false << QString() << QString();
    QTest::newRow("leading dash") << u"–16"_s << false << QString() << QString();
    QTest::newRow("empty item") << u"12,,15"_s << false << QString() << QString();
    QTest::newRow("trailing comma") << u"12, 15,"_s << false << QString() << QString();
    QTest::newRow("letters") << u"длинные"_s << false << QString() << QString();
    QTest::newRow("exponent") << u"1E+20"_s << false << QString() << QString();
    QTest::newRow("mixed marks") << u"12,5.5"_s << false << QString() << QString();
}

void DocumentTest::designLengths() {
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(QString, inside);
    QFETCH(QString, outside);
    const std::optional<DesignLengths> lengths = parseDesignLengths(text);
    QCOMPARE(lengths.has_value(), readable);
    if (!lengths) return;
    for (const QString& l : inside.split(u';', Qt::SkipEmptyParts))
        QVERIFY2(lengths->contains(*vardo::parseFixed(l)), qPrintable(l));
    for (const QString& l : outside.split(u';', Qt::SkipEmptyParts))
        QVERIFY2(!lengths->contains(*vardo::parseFixed(l)), qPrintable(l));
}

void DocumentTest::utilisationBands_data() {
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QString>("allowable");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("percent");
    const int upTo90 = int(Band::UpTo90), upTo100 = int(Band::UpTo100), over = int(Band::Over100),
              unknown = int(Band::Unknown);
    QTest::newRow("exactly 90 %") << u"9"_s << u"10"_s << upTo90 << u"90,0 %"_s;
    QTest::newRow("just over 90 %") << u"9,0001"_s << u"10"_s << upTo100 << u"90,0 %"_s;
    QTest::newRow("exactly 100 %") << u"25,4954"_s << u"25,4954"_s << upTo100 << u"100,0 %"_s;
    // Over 100 % is never shown as 100,0 %: rounded up to the shown digit.
    QTest::newRow("just over 100 %") << u"10,0001"_s << u"10"_s << over << u"100,1 %"_s;
    QTest::newRow("37,0001 against 37") << u"37,0001"_s << u"37"_s << over << u"100,1 %"_s;
    QTest::newRow("just under 100 %") << u"9,9996"_s << u"10"_s << upTo100 << u"100,0 %"_s;
    QTest::newRow("negative, just over") << u"-37,0001"_s << u"37"_s << over << u"100,1 %"_s;
    // One ten-thousandth over, where the two moments are the same double.
    QTest::newRow("huge, just over")
        << u"922337203685477"_s << u"922337203685476,9999"_s << over << u"100,1 %"_s;
    QTest::newRow("negative moment counts by size") << u"-12"_s << u"10"_s << over << u"120,0 %"_s;
    QTest::newRow("zero moment") << u"0"_s << u"10"_s << upTo90 << u"0,0 %"_s;
    QTest::newRow("zero allowable") << u"5"_s << u"0"_s << unknown << QString();
    // Products beyond 64 bits: 9e14 * 10 ten-thousandths.
    QTest::newRow("huge values") << u"900000000000000"_s << u"922337203685477"_s << upTo100
                                 << u"97,6 %"_s;
}

void DocumentTest::utilisationBands() {
    QFETCH(QString, moment);
    QFETCH(QString, allowable);
    QFETCH(int, band);
    QFETCH(QString, percent);
    const Utilisation u = utilisation(vardo::parseFixed(moment), vardo::parseFixed(allowable));
    QCOMPARE(int(u.band), band);
    QCOMPARE(u.ratio ? percentText(*u.ratio) : QString(), percent);
}

void DocumentTest::recomputeWorkedExamples_data() {
    QTest::addColumn<Calculation>("calculation");
    QTest::addColumn<QStringList>("expected");  // "Field=text", "Field?" for not computed
    QTest::newRow("moments 1/3") << momentExample()
                                 << QStringList{u"Label10=4200"_s,    u"Label11=1350,5"_s,
                                                u"Label22=14,3207"_s, u"Label23=14,9637"_s,
                                                u"Label24=28,477"_s,  u"Label30=12,9227"_s,
                                                u"Label31=13,5121"_s, u"Label32=25,4954"_s};
    Calculation quarter = momentExample();
    quarter.options[u"Frame15"_s] = u"Option10"_s;
    QTest::newRow("moments 1/4") << quarter
                                 << QStringList{u"Label30=11,7448"_s, u"Label31=12,3675"_s,
                                                u"Label32=22,2269"_s, u"Label22=14,3207"_s};
    QTest::newRow("loads") << loadExample()
                           << QStringList{u"Label10=1161,95"_s,  u"Label11=307,3"_s,
                                          u"Label14=1178,797"_s, u"Label20=1145,103"_s,
                                          u"Label15=311,108"_s,  u"Label21=303,492"_s,
                                          u"Label22?"_s,         u"Label32?"_s};
    QTest::newRow("nothing entered")
        << startCalculation() << QStringList{u"Label10?"_s, u"Label14?"_s, u"Label22?"_s};
}

void DocumentTest::recomputeWorkedExamples() {
    // State: the saved inputs only (the saved results are blank). Action: recompute. Expected:
    // the window's numbers; a refused result is not computed.
    QFETCH(Calculation, calculation);
    QFETCH(QStringList, expected);
    const Recomputation again = recompute(calculation);
    for (const QString& e : expected) {
        if (e.endsWith(u'?')) {
            QVERIFY2(!again.results.value(e.chopped(1)).computed, qPrintable(e));
            continue;
        }
        const QString field = e.section(u'=', 0, 0);
        QVERIFY2(again.results.value(field).computed, qPrintable(field));
        QCOMPARE(again.results.value(field).text, e.section(u'=', 1));
    }
    if (calculation.inputs.value(u"txtProlet"_s) == u"70"_s) {
        QCOMPARE(again.governingG, u"1178,797"_s);
        QCOMPARE(again.governingGice, u"311,108"_s);
    }
}

void DocumentTest::savedZeroAfterRefusalIsNotComputed() {
    // The window writes "0" after the no-data message; that "0" is no result.
    Calculation c = loadExample();
    c.results[u"Label22"_s] = u"0"_s;
    c.results[u"Label10"_s] = u"1161,95"_s;
    const Results saved = savedResults(c, recompute(c).results);
    QVERIFY(!saved.value(u"Label22"_s).computed);
    QVERIFY(!saved.value(u"Label30"_s).computed);  // blank
    QVERIFY(saved.value(u"Label10"_s).computed);
    // Where the inputs do give a value, a "0" on the window is a result that was not updated.
    Calculation m = momentExample();
    m.results[u"Label22"_s] = u"0"_s;
    QVERIFY(savedResults(m, recompute(m).results).value(u"Label22"_s).computed);
}

void DocumentTest::checkOfWorkedExample() {
    const Calculation c = momentExample();
    const CrossbeamCheck check =
        checkCrossbeams(gradeTable(), designMoments(recompute(c).results), u"18"_s);
    QCOMPARE(check.grades.size(), 6);
    QVERIFY(check.missing.isEmpty());
    const QList<Verdict> verdicts = {Verdict::Fails,  Verdict::Fails,      Verdict::Passes,
                                     Verdict::Passes, Verdict::Incomplete, Verdict::Incomplete};
    for (int g = 0; g < 6; ++g) QCOMPARE(check.grades[g].verdict, verdicts[g]);
    QCOMPARE(check.firstPassing, 2);
    QCOMPARE(check.grades[2].grade, u"Р-3"_s);
    // Р-1: the middle block's emergency moment 14,3207 against 10 is over.
    QCOMPARE(check.grades[0].use[0].band, Band::Over100);
    QCOMPARE(percentText(*check.grades[0].use[0].ratio), u"143,2 %"_s);
    // Р-2: every moment within, 95,5 % the highest band, but Lр = 18 is not in "12, 15".
    QCOMPARE(percentText(*check.grades[1].use[0].ratio), u"95,5 %"_s);
    QCOMPARE(check.grades[1].use[0].band, Band::UpTo100);
    QCOMPARE(check.grades[1].length, LengthFit::NotAllowed);
    // Р-3: just over 90 % against F3, exactly 100 % against F5, both within.
    QCOMPARE(check.grades[2].use[2].band, Band::UpTo100);
    QCOMPARE(check.grades[2].use[5].band, Band::UpTo100);
    QCOMPARE(percentText(*check.grades[2].use[5].ratio), u"100,0 %"_s);
    QCOMPARE(check.grades[2].use[0].band, Band::UpTo90);
    // Р-5 has no F2; Р-6's lengths cannot be read.
    QVERIFY(!check.grades[4].allowable[0]);
    QCOMPARE(check.grades[4].length, LengthFit::Allowed);
    QCOMPARE(check.grades[5].length, LengthFit::Unknown);
}

void DocumentTest::thirdSeriesIsATableEntry() {
    // State: a series "Р" added as a table entry only: its allowable moments are grades.xls, its
    // rows the columns after those of "ОП" in the crossbeam tables. The worked example's gр, gрг,
    // Pp are in those columns; "П" has other values under the same captions. It is chosen by a
    // name the sheet knows (the sheet warns of any other).
    using vardo::catalogue::kSeries;
    constexpr vardo::catalogue::Series kWithThird[]{
        kSeries[0],
        kSeries[1],
        {u"Р",
         vardo::Name(u"Option17"),
         {vardo::Name(u"Data9"), u"grades.xls", kSeries[1].allowable.labels},
         {4, 5},
         {10, 11},
         {4, 5},
         kSeries[1].shown}};
    Calculation c = momentExample();
    c.options[u"Frame3"_s] = u"Option17"_s;
    CrossbeamTables t = ownRows(c, gradeTable());
    for (tables::Table* table : {&t.weight, &t.ice, &t.wind})
        for (QStringList& row : table->rows) {
            const QStringList own = row;
            row = QStringList(table == &t.ice ? 10 : 4) + own;
            row[0] = own[0];
            row[1] = u"1000"_s;
        }
    // Action: every grade checked with the rows of the chosen series.
    const CrossbeamCheck check =
        checkEveryGrade(c, recompute(c).results, gradeTable(), t, kWithThird);
    // Expected: the verdicts of the worked example's report (Р-3 fails at V max, Р-4 is chosen).
    const QList<Verdict> verdicts = {Verdict::Fails,  Verdict::Fails,      Verdict::Fails,
                                     Verdict::Passes, Verdict::Incomplete, Verdict::Incomplete};
    QCOMPARE(check.grades.size(), verdicts.size());
    for (int g = 0; g < 6; ++g) {
        QCOMPARE(check.grades[g].verdict, verdicts[g]);
        QCOMPARE(check.grades[g].rows->gp + u'|' + check.grades[g].rows->gpg, u"55|21,5"_s);
    }
    QCOMPARE(check.firstPassing, 3);
    // With "П" chosen, the sheet's rows are found in the third series, after "П" and "ОП".
    c.options[u"Frame3"_s] = u"Option1"_s;
    const std::optional<SheetRowsOwner> owner = sheetRowsOwner(c, t, kWithThird);
    QVERIFY(owner && owner->series == &kWithThird[2]);
    QCOMPARE(owner->caption, u"Р-1"_s);
}

void DocumentTest::commandLine() {
#ifndef VARDO_REPORT_EXE
    QSKIP("vardo-report is not built");
#else
    // State: two calculation files, the second one damaged, and the allowable-moment workbooks
    // of the sample data. Action: vardo-report on both into a folder. Expected: one PDF, the
    // recomputed moments and the verdict of the first, a message and status 1 for the second.
    QTemporaryDir dir;
    QString error;
    Calculation c = momentExample();
    c.results[u"Label22"_s] = u"99"_s;  // a saved result the program must not trust
    QVERIFY(writeFile(dir.filePath(u"a.vardo"_s), c, &error));
    QFile bad(dir.filePath(u"b.vardo"_s));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(json(c).left(100));
    bad.close();

    QProcess run;
    run.setWorkingDirectory(QStringLiteral(VARDO_SAMPLE_DATA));
    run.start(QStringLiteral(VARDO_REPORT_EXE),
              {dir.filePath(u"a.vardo"_s), dir.filePath(u"b.vardo"_s), u"-o"_s,
               dir.filePath(u"отчеты"_s)});
    QVERIFY(run.waitForFinished(60000));
    const QString out = QString::fromUtf8(run.readAllStandardOutput());
    const QString err = QString::fromUtf8(run.readAllStandardError());
    QCOMPARE(run.exitCode(), 1);
    QVERIFY2(out.contains(u"середина 14,3207; 14,9637; 28,477 | 1/3 12,9227; 13,5121; 25,4954"_s),
             qPrintable(out));
    // Each sample grade with its own rows: П-1 .. П-3 are over at 1/3, П-4 (71, 25,6, 0,041)
    // is at 86,0 % at most (ice, end block) and allowed for Lр = 18 m.
    QVERIFY2(out.contains(u"вывод: подходит марка П-4 серии П (первая, прошедшая все проверки)"_s),
             qPrintable(out));
    QVERIFY2(err.contains(u"«b.vardo»"_s) && err.contains(u"обрезан"_s), qPrintable(err));
    QVERIFY(QFile::exists(dir.filePath(u"отчеты/a.pdf"_s)));
    QVERIFY(!QFile::exists(dir.filePath(u"отчеты/b.pdf"_s)));

    // Usage errors give status 2 and the help; --help gives 0.
    run.start(QStringLiteral(VARDO_REPORT_EXE), {u"-o"_s});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitCode(), 2);
    run.start(QStringLiteral(VARDO_REPORT_EXE), {u"--help"_s});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitCode(), 0);
    QVERIFY(QString::fromUtf8(run.readAllStandardOutput()).contains(u"Код возврата"_s));
#endif
}

void DocumentTest::commandLineTablesFolder() {
#ifndef VARDO_REPORT_EXE
    QSKIP("vardo-report is not built");
#else
    // State: a calculation, started from an empty folder, with empty settings and XDG folders
    // of its own: no workbook anywhere.
    QTemporaryDir dir;
    QString error;
    QVERIFY(writeFile(dir.filePath(u"a.vardo"_s), momentExample(), &error));
    const QString empty = dir.filePath(u"empty"_s), xdg = dir.filePath(u"xdg"_s);
    QVERIFY(QDir().mkpath(empty) && QDir().mkpath(xdg));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s));
    environment.insert(u"XDG_DATA_HOME"_s, dir.filePath(u"data-home"_s));
    environment.insert(u"XDG_DATA_DIRS"_s, xdg);
    QProcess run;
    run.setProcessEnvironment(environment);
    run.setWorkingDirectory(empty);
    const auto report = [&](const QStringList& options) {
        run.start(
            QStringLiteral(VARDO_REPORT_EXE),
            QStringList{dir.filePath(u"a.vardo"_s), u"-o"_s, dir.filePath(u"a.pdf"_s)} + options);
        return run.waitForFinished(60000);
    };

    // Expected: the report without the grade check, status 1, each missing table named with
    // the folders searched.
    QVERIFY(report({}));
    QString err = QString::fromUtf8(run.readAllStandardError());
    QCOMPARE(run.exitCode(), 1);
    QVERIFY2(err.contains(u"«т36.1.xls» не прочитана"_s) && err.contains(u"искалась в папках"_s) &&
                 err.contains(QDir::toNativeSeparators(empty)),
             qPrintable(err));

    // Action: the sample tables given with --tables. Expected: the grades checked, status 0.
    QVERIFY(report({u"--tables"_s, QStringLiteral(VARDO_SAMPLE_DATA)}));
    QCOMPARE(run.exitCode(), 0);
    QVERIFY(QString::fromUtf8(run.readAllStandardOutput())
                .contains(u"вывод: подходит марка П-4 серии П"_s));

#ifndef Q_OS_WIN
    QVERIFY2(err.contains(xdg + u"/vardo"_s), qPrintable(err));
    // Action: the sample tables as the share/vardo of an XDG data folder (an installed
    // program). Expected: found there too.
    QVERIFY(QFile::link(QStringLiteral(VARDO_SAMPLE_DATA), xdg + u"/vardo"_s));
    QVERIFY(report({}));
    QCOMPARE(run.exitCode(), 0);
#endif

    // A tables folder that does not exist is a wrong argument.
    QVERIFY(report({u"--tables"_s, dir.filePath(u"нет"_s)}));
    QCOMPARE(run.exitCode(), 2);
    err = QString::fromUtf8(run.readAllStandardError());
    QVERIFY2(err.contains(u"папка таблиц"_s), qPrintable(err));
#endif
}

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
