// Tests of the fixed-point type, its text form with the decimal comma, and the step runner.
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/catalogue.h"
#include "core/clocale.h"
#include "core/fixed.h"
#include "core/mapsheet.h"
#include "core/messages.h"
#include "core/numbertext.h"
#include "core/safefile.h"
#include "core/step.h"
#include "core/version.h"
#include "tests/support/recordingsheet.h"

using namespace Qt::Literals::StringLiterals;

using vardo::Fixed;
using vardo::OverflowError;

namespace {
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();
}  // namespace

class CoreTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void displayOfDoubles_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");  // -n: n significant digits
        QTest::addColumn<QString>("text");
        QTest::newRow("exact tie to even") << 0.125 << 2 << u"0,12"_s;
        QTest::newRow("exact tie to even, up") << 0.375 << 2 << u"0,38"_s;
        QTest::newRow("binary just below a tie") << 87.25000000000001 << 1 << u"87,3"_s;
        QTest::newRow("percent") << 90.0 << 1 << u"90,0"_s;
        QTest::newRow("negative zero") << -0.0 << 1 << u"0,0"_s;
        QTest::newRow("not a number") << std::nan("") << 1 << u"—"_s;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << -6 << u"—"_s;
        QTest::newRow("significant") << 0.1 + 0.2 << -15 << u"0,3"_s;
        QTest::newRow("exponent") << 1.5e-5 << -15 << u"1,5E-05"_s;
        QTest::newRow("large") << 1e15 << -15 << u"1E+15"_s;
        QTest::newRow("scale") << 100000.0 << -6 << u"100000"_s;
    }
    void displayOfDoubles() {
        // One rule for every display of a double: the report's percentages, the diagram's lengths
        // and the calculator's answer agree on ties, zero and what is not a number.
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(decimals >= 0 ? vardo::formatDecimals(value, decimals)
                               : vardo::formatSignificant(value, -decimals),
                 text);
    }

    void countsWithTheirNouns_data() {
        QTest::addColumn<QString>("text");  // a count and its noun
        for (const char16_t* text :
             {u"0 знаков", u"1 знак", u"2 знака", u"5 знаков", u"11 знаков", u"12 знаков",
              u"14 знаков", u"21 знак", u"22 знака", u"25 знаков", u"73 знака", u"101 знак",
              u"111 знаков", u"1000 знаков", u"-1 знак", u"-12 знаков"})
            QTest::newRow(qPrintable(QString::fromUtf16(text))) << QString::fromUtf16(text);
    }
    void countsWithTheirNouns() {
        QFETCH(QString, text);
        QCOMPARE(
            vardo::countText(text.section(u' ', 0, 0).toLongLong(), u"знак", u"знака", u"знаков"),
            text);
    }

    void fileNamesKeepEveryByte_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");  // a byte that is not UTF-8 as U+DC80 + (byte - 0x80)
        QTest::newRow("UTF-8") << QByteArray("расчет 😀.vardo") << u"расчет 😀.vardo"_s;
        QTest::newRow("lone bytes") << QByteArray("a\xff\xfe") << u"a\xDCFF\xDCFE"_s;
        QTest::newRow("cut sequence") << QByteArray("\xd1\x80\xd1") << u"р\xDCD1"_s;
        QTest::newRow("longer form") << QByteArray("\xc0\xaf") << u"\xDCC0\xDCAF"_s;
        QTest::newRow("surrogate") << QByteArray("\xed\xb3\xbf") << u"\xDCED\xDCB3\xDCBF"_s;
        QTest::newRow("above U+10FFFF")
            << QByteArray("\xf4\x90\x80\x80") << u"\xDCF4\xDC90\xDC80\xDC80"_s;
    }
    void numbersInTheCFormUnderTheGuard() {
        // State: the C library's numbers in the Russian form ("1,5"). Action: a guard's life.
        // Expected: "1.5" while it lives, "1,5" again after it.
#ifdef Q_OS_WIN
        const char* russian = "Russian_Russia.1251";
#else
        const char* russian = "ru_RU.UTF-8";
#endif
        const QByteArray before = std::setlocale(LC_NUMERIC, nullptr);
        QVERIFY2(std::setlocale(LC_NUMERIC, russian), russian);
        char inside[8] = {}, after[8] = {};
        bool ok = false;
        {
            const vardo::CNumericLocaleGuard guard;
            ok = guard.ok();
            std::snprintf(inside, sizeof inside, "%.1f", 1.5);
        }
        std::snprintf(after, sizeof after, "%.1f", 1.5);
        std::setlocale(LC_NUMERIC, before.constData());
        QVERIFY(ok);
        QCOMPARE(QByteArray(inside), "1.5");
        QCOMPARE(QByteArray(after), "1,5");
    }

    void fileNamesKeepEveryByte() {
#ifdef Q_OS_WIN
        QSKIP("file names are UTF-16 on Windows: no bytes to keep");
#endif
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QCOMPARE(vardo::fileNameFromBytes(bytes), name);
        QCOMPARE(vardo::fileNameToBytes(name), bytes);
    }

    void catalogueNamesAreWhole() {
        // Every name once; the series and the groups name only catalogue controls.
        const QStringList all = vardo::catalogue::allNames();
        QCOMPARE(QSet<QString>(all.cbegin(), all.cend()).size(), all.size());
        QCOMPARE(vardo::names::txtGg[8], u"txtGg8"_s);
        QCOMPARE(vardo::names::txtL.numberOf(u"txtL3"), 3);
        QCOMPARE(vardo::names::txtL.numberOf(u"txtL03"), 0);
        QCOMPARE(vardo::names::txtL.numberOf(u"txtLp"), 0);
        QStringList used = vardo::catalogue::inputFields() + vardo::catalogue::resultFields() +
                           vardo::catalogue::viewFields() + vardo::catalogue::tableFields() +
                           vardo::catalogue::pickFields() + vardo::catalogue::dataSourceNames() +
                           vardo::catalogue::clearOnClickFields();
        for (const auto& g : vardo::catalogue::optionGroups())
            for (const vardo::Name& o : g.options) used << o;
        for (const auto& b : vardo::catalogue::bindings()) used << b.dataSource << b.field;
        for (const QString& name : used)
            QVERIFY2(vardo::catalogue::isKnown(name), qPrintable(name));
        QVERIFY(!vardo::catalogue::isKnown(u"Text23"));
        QCOMPARE(vardo::catalogue::groupOf(u"Option10"), u"Frame15");
        QCOMPARE(vardo::catalogue::resultCaption(u"Label31", true), u"гололед, 1/4"_s);
        // A calculation file keeps the table fields Text1 .. Text17, then the Мфс boxes.
        QCOMPARE(vardo::catalogue::tableFields().first(17), vardo::numberedNames(u"Text"_s, 1, 17));
        // Mode m (emergency, ice, V max): Command7+m gives Label22+m at mid-span, Command11+m
        // Label30+m at the section, with the Мфс of Text18+m.
        for (int m = 0; m < 3; ++m) {
            const vardo::catalogue::Mode& mode = vardo::catalogue::kModes[m];
            QCOMPARE(QStringList({mode.middleButton, mode.middle, mode.sectionButton, mode.section,
                                  mode.mfs}),
                     QStringList({u"Command%1"_s.arg(7 + m), u"Label%1"_s.arg(22 + m),
                                  u"Command%1"_s.arg(11 + m), u"Label%1"_s.arg(30 + m),
                                  u"Text%1"_s.arg(18 + m)}));
        }
    }

    void mapSheetSelectsWithinTheGroup() {
        // State: "1/3" and "П" checked. Action: select "1/4". Expected: "1/3" unchecked, "П" kept,
        // the selection recorded and its action run after it.
        vardo::MapSheet sheet;
        sheet.check(u"Option9"_s);
        sheet.check(u"Option1"_s);
        QStringList actions;
        sheet.onSelect = [&](const QString& o) { actions << o + u' ' + sheet.effects.last(); };
        sheet.setChecked(u"Option10"_s);
        QVERIFY(sheet.isChecked(u"Option10"_s) && !sheet.isChecked(u"Option9"_s));
        QVERIFY(sheet.isChecked(u"Option1"_s));
        QCOMPARE(actions, QStringList{u"Option10 check Option10"_s});
        // A name the catalogue does not know is said (in a debug build).
#ifndef QT_NO_DEBUG
        QTest::ignoreMessage(QtWarningMsg, "Text99 is not in the catalogue of the sheet");
#endif
        sheet.setText(u"Text99"_s, u"1"_s);
    }

    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("converts");
        QTest::addColumn<qint64>("raw");

        QTest::newRow("zero") << u"0"_qs << true << qint64(0);
        QTest::newRow("list item h/b") << u"1,59"_qs << true << qint64(15900);
        QTest::newRow("typed 1,6") << u"1,6"_qs << true << qint64(16000);
        QTest::newRow("negative") << u"-2,5"_qs << true << qint64(-25000);
        QTest::newRow("plus sign") << u"+3"_qs << true << qint64(30000);
        QTest::newRow("no integer digits") << u",5"_qs << true << qint64(5000);
        QTest::newRow("no fraction digits") << u"5,"_qs << true << qint64(50000);
        QTest::newRow("surrounding blanks") << u" 7 "_qs << true << qint64(70000);
        QTest::newRow("leading zeros") << u"007,0100"_qs << true << qint64(70100);
        // More than four decimals: rounded half to even on the fifth and later digits.
        QTest::newRow("fifth decimal up") << u"1,23456"_qs << true << qint64(12346);
        QTest::newRow("fifth decimal down") << u"1,23454"_qs << true << qint64(12345);
        QTest::newRow("tie to even, odd below") << u"1,23455"_qs << true << qint64(12346);
        QTest::newRow("tie to even, even below") << u"1,23445"_qs << true << qint64(12344);
        QTest::newRow("just above a tie") << u"1,234450001"_qs << true << qint64(12345);
        QTest::newRow("negative tie") << u"-0,00015"_qs << true << qint64(-2);
        QTest::newRow("largest") << u"922337203685477,5807"_qs << true << kMax;
        QTest::newRow("smallest") << u"-922337203685477,5808"_qs << true << kMin;
        // Texts that are not numbers of the sheet.
        QTest::newRow("empty") << QString() << false << qint64(0);
        QTest::newRow("blanks only") << u"   "_qs << false << qint64(0);
        QTest::newRow("letters") << u"abc"_qs << false << qint64(0);
        QTest::newRow("decimal point") << u"1.59"_qs << false << qint64(0);
        QTest::newRow("lone minus") << u"-"_qs << false << qint64(0);
        QTest::newRow("lone plus") << u"+"_qs << false << qint64(0);
        QTest::newRow("lone comma") << u","_qs << false << qint64(0);
        QTest::newRow("two commas") << u"1,2,3"_qs << false << qint64(0);
        QTest::newRow("two signs") << u"--3"_qs << false << qint64(0);
        QTest::newRow("exponent") << u"1e5"_qs << false << qint64(0);
        QTest::newRow("grouping") << u"1 000"_qs << false << qint64(0);
        QTest::newRow("arabic-indic digit") << u"\u0663"_qs << false << qint64(0);
        QTest::newRow("above the range") << u"922337203685477,5808"_qs << false << qint64(0);
        QTest::newRow("below the range") << u"-922337203685477,5809"_qs << false << qint64(0);
        QTest::newRow("rounds past the range") << u"922337203685477,58075"_qs << false << qint64(0);
        QTest::newRow("twenty digits") << u"99999999999999999999"_qs << false << qint64(0);
        QTest::newRow("1e400 spelled out") << QString(401, u'9') << false << qint64(0);
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(bool, converts);
        QFETCH(qint64, raw);
        const std::optional<Fixed> value = vardo::parseFixed(text);
        QCOMPARE(value.has_value(), converts);
        if (converts) QCOMPARE(value->raw(), raw);
    }

    void format_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << u"0"_qs;
        QTest::newRow("integer") << qint64(120000) << u"12"_qs;
        QTest::newRow("mid-span G") << qint64(11619500) << u"1161,95"_qs;
        QTest::newRow("four decimals") << qint64(143207) << u"14,3207"_qs;
        QTest::newRow("trailing zeros dropped") << qint64(284770) << u"28,477"_qs;
        QTest::newRow("smallest step") << qint64(1) << u"0,0001"_qs;
        QTest::newRow("negative fraction") << qint64(-5000) << u"-0,5"_qs;
        QTest::newRow("largest") << kMax << u"922337203685477,5807"_qs;
        QTest::newRow("smallest") << kMin << u"-922337203685477,5808"_qs;
    }
    void format() {
        QFETCH(qint64, raw);
        QFETCH(QString, text);
        QCOMPARE(vardo::formatFixed(Fixed::fromRaw(raw)), text);
    }

    // Every text the program writes converts back to the same value.
    void roundTrip() {
        QRandomGenerator rng(20261207);
        for (int i = 0; i < 20000; ++i) {
            qint64 raw = static_cast<qint64>(rng.generate64());
            if (i % 3 == 1) raw %= 100000000;  // ordinary magnitudes too
            if (i % 3 == 2) raw %= 10000;
            const Fixed value = Fixed::fromRaw(raw);
            const std::optional<Fixed> back = vardo::parseFixed(vardo::formatFixed(value));
            QVERIFY2(back && *back == value, qPrintable(vardo::formatFixed(value)));
        }
    }

    void product_data() {
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        QTest::addColumn<qint64>("product");
        QTest::newRow("point load times arm")
            << qint64(2423000) << qint64(50000) << qint64(12115000);
        QTest::newRow("load times span") << qint64(15900) << qint64(700000) << qint64(1113000);
        QTest::newRow("emergency term") << qint64(33660000) << qint64(15900) << qint64(53519400);
        QTest::newRow("tie down to even") << qint64(1) << qint64(5000) << qint64(0);
        QTest::newRow("tie up to even") << qint64(3) << qint64(5000) << qint64(2);
        QTest::newRow("negative tie") << qint64(-3) << qint64(5000) << qint64(-2);
        QTest::newRow("negative tie to zero") << qint64(-1) << qint64(5000) << qint64(0);
        QTest::newRow("below half") << qint64(4999) << qint64(1) << qint64(0);
        QTest::newRow("above half") << qint64(5001) << qint64(1) << qint64(1);
        QTest::newRow("exact at the top") << kMax << qint64(10000) << kMax;
        QTest::newRow("exact at the bottom") << kMin << qint64(10000) << kMin;
    }
    void product() {
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QFETCH(qint64, product);
        QCOMPARE((Fixed::fromRaw(a) * Fixed::fromRaw(b)).raw(), product);
        QCOMPARE((Fixed::fromRaw(b) * Fixed::fromRaw(a)).raw(), product);
    }

    void fromDouble_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("emergency result") << 14.32069 << qint64(143207);
        QTest::newRow("ice result") << 14.963711875 << qint64(149637);
        QTest::newRow("wind result") << 28.47704125 << qint64(284770);
        // Exactly representable ties: 0.03125 is 312.5 ten-thousandths.
        QTest::newRow("tie to even down") << 0.03125 << qint64(312);
        QTest::newRow("tie to even up") << 0.09375 << qint64(938);
        QTest::newRow("negative tie") << -0.03125 << qint64(-312);
        QTest::newRow("negative zero") << -0.0 << qint64(0);
        QTest::newRow("large") << 1e14 << qint64(1000000000000000000);
    }
    void fromDouble() {
        QFETCH(double, value);
        QFETCH(qint64, raw);
        QCOMPARE(Fixed::fromDouble(value).raw(), raw);
    }

    void overflow_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("sum above the top") << 0;
        QTest::newRow("difference below the bottom") << 1;
        QTest::newRow("negation of the bottom") << 2;
        QTest::newRow("product too large") << 3;
        QTest::newRow("product too small") << 4;
        QTest::newRow("double 1e15") << 5;
        QTest::newRow("double -1e15") << 6;
        QTest::newRow("double infinity") << 7;
        QTest::newRow("double NaN") << 8;
        QTest::newRow("integer too large") << 9;
    }
    void overflow() {
        QFETCH(int, which);
        const Fixed top = Fixed::fromRaw(kMax);
        const Fixed bottom = Fixed::fromRaw(kMin);
        const Fixed step = Fixed::fromRaw(1);
        const Fixed big = Fixed::fromInt(10000000000);  // 1e10
        switch (which) {
            case 0:
                QVERIFY_THROWS_EXCEPTION(OverflowError, top + step);
                break;
            case 1:
                QVERIFY_THROWS_EXCEPTION(OverflowError, bottom - step);
                break;
            case 2:
                QVERIFY_THROWS_EXCEPTION(OverflowError, -bottom);
                break;
            case 3:
                QVERIFY_THROWS_EXCEPTION(OverflowError, big * big);
                break;
            case 4:
                QVERIFY_THROWS_EXCEPTION(OverflowError, big * -big);
                break;
            case 5:
                QVERIFY_THROWS_EXCEPTION(OverflowError, Fixed::fromDouble(1e15));
                break;
            case 6:
                QVERIFY_THROWS_EXCEPTION(OverflowError, Fixed::fromDouble(-1e15));
                break;
            case 7:
                QVERIFY_THROWS_EXCEPTION(OverflowError, Fixed::fromDouble(HUGE_VAL));
                break;
            case 8:
                QVERIFY_THROWS_EXCEPTION(OverflowError, Fixed::fromDouble(std::nan("")));
                break;
            case 9:
                QVERIFY_THROWS_EXCEPTION(OverflowError, Fixed::fromInt(922337203685478));
                break;
        }
    }

    // Sums at the very edges of the range stay exact.
    void sumsAtTheEdges() {
        QCOMPARE((Fixed::fromRaw(kMax - 1) + Fixed::fromRaw(1)).raw(), kMax);
        QCOMPARE((Fixed::fromRaw(kMin + 1) - Fixed::fromRaw(1)).raw(), kMin);
        QCOMPARE((Fixed::fromRaw(kMax) + Fixed::fromRaw(kMin)).raw(), qint64(-1));
    }

    // A failing step is abandoned alone; the next one runs.
    void stepSkipsOnlyTheFailingStep() {
        int a = 0, b = 0;
        const bool first = vardo::step([&] {
            a = 1;
            (void)(Fixed::fromRaw(kMax) + Fixed::fromRaw(1));
            a = 2;
        });
        const bool second = vardo::step([&] { b = 3; });
        QVERIFY(!first);
        QVERIFY(second);
        QCOMPARE(a, 1);
        QCOMPARE(b, 3);
    }

    // The program's name and version as the windows, files and reports show them, made from the
    // project's version.
    void programNameAndVersion() {
        QCOMPARE(vardo::version::programTitle(), u"Vardo v1.0"_qs);
        QCOMPARE(vardo::version::programName(), u"Vardo"_qs);
        QCOMPARE(vardo::messages::appTitle(), u"Vardo"_qs);
        QCOMPARE(vardo::version::kMajor, 1);
        QCOMPARE(vardo::version::kMinor, 0);
    }
};

QTEST_GUILESS_MAIN(CoreTest)
#include "core_test.moc"
