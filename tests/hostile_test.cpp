// The worst a user or a damaged installation can hand the program, through the real windows: every
// field filled with absurd texts and every button pressed, the calculator fed deep nesting, random
// bytes and huge texts, and each workbook replaced by something that is not one. Nothing may crash
// or hang, and every message shown must be one the program defines.
//
// Then the files themselves: FIFOs, devices, link loops and links to the input under the names the
// program reads and writes, names as long as the system allows, calculation files with bytes
// appended or every text at its longest, damaged workbook directories, and vardo-report asked to
// write over what it reads. Nothing may hang or grow without bound, nothing but a regular file is
// ever replaced, and every message says the real cause in Russian.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

#include "about/linkcursor.h"
#include "core/datafile.h"
#include "core/messages.h"
#include "document/calculation.h"
#include "exprcalc/form3.h"
#include "mainwindow/inventory.h"
#include "tables/workbook.h"
#include "tests/support/files.h"
#include "tests/support/form1fixture.h"

using namespace Qt::Literals::StringLiterals;
using vardo::testing::copySampleData;
using vardo::testing::fileBytes;
using vardo::testing::Form1Fixture;
using vardo::testing::writeFileBytes;

namespace {

bool isDefinedMessage(const QString& text) {
    namespace m = vardo::messages;
    return text == m::noData() || text == m::noDataColon() || text == m::noDataColonSpace() ||
           text == m::nowRight() || text == m::clickG13() || text == m::clickGg13();
}

// The buttons a test may press without a file dialog or the window closing.
QList<QPushButton*> pressableButtons(QWidget* window) {
    QList<QPushButton*> buttons;
    for (QPushButton* b : window->findChildren<QPushButton*>()) {
        const QString name = b->objectName();
        if (name.isEmpty() || name == u"Command18"_s || name.startsWith(u"cmd"_s)) continue;
        buttons << b;
    }
    return buttons;
}

// Every text field of the window: shown, hidden and bound alike.
QList<QLineEdit*> textFields(QWidget* window) {
    QList<QLineEdit*> fields;
    for (QLineEdit* e : window->findChildren<QLineEdit*>())
        if (!e->objectName().isEmpty()) fields << e;
    return fields;
}

void pressEverything(Form1Fixture& f) {
    // Twice: the second round runs with the buttons the first revealed.
    for (int round = 0; round < 2; ++round) {
        for (QPushButton* b : pressableButtons(f.window.get())) b->click();
        for (const QString& n : {u"Text21"_s, u"Text22"_s, u"txtG1"_s, u"txtGg1"_s, u"txtL1"_s}) {
            QWidget* w = f.get(n);
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        }
    }
}

namespace doc = vardo::document;

// Releases whoever waits on a FIFO after a while, and remembers it had to: a read or a write that
// opens the FIFO and blocks then returns, so a regression fails the test instead of hanging it.
class FifoGuard {
  public:
    // The patience is long enough for a slow machine (sanitizers, a loaded CI) to finish what does
    // not wait at all.
    explicit FifoGuard(QString path, std::chrono::milliseconds patience = std::chrono::seconds(30))
        : path_(std::move(path)), thread_([this, patience] { run(patience); }) {}
    ~FifoGuard() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    bool hadToRelease() const { return released_; }

  private:
    void run(std::chrono::milliseconds patience) {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, patience, [this] { return stop_; })) return;
        released_ = true;
        // Both ends open for a moment: an open for reading or for writing waiting there returns.
        const QByteArray native = QFile::encodeName(path_);
        while (!wake_.wait_for(lock, std::chrono::milliseconds(50), [this] { return stop_; })) {
            const int r = ::open(native.constData(), O_RDONLY | O_NONBLOCK);
            const int w = ::open(native.constData(), O_WRONLY | O_NONBLOCK);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (w >= 0) ::close(w);
            if (r >= 0) ::close(r);
        }
    }

    QString path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::atomic<bool> released_ = false;
    std::thread thread_;
};

// A message in Russian: outside the names it quotes in «», no word of three Latin letters or more
// but the names of formats.
void requireRussian(const QString& message) {
    QString outside = message;
    static const QRegularExpression quoted(u"«[^»]*»"_s);
    outside.remove(quoted);
    static const QRegularExpression latin(u"[A-Za-z]{3,}"_s);
    for (const QRegularExpressionMatch& m : latin.globalMatch(outside)) {
        const QString word = m.captured();
        QVERIFY2(QStringList({u"FIFO"_s, u"PDF"_s, u"Vardo"_s, u"Excel"_s}).contains(word),
                 qPrintable(u"English in a message: "_s + message));
    }
}

doc::Calculation sampleCalculation() {
    QString error;
    const std::optional<doc::Calculation> c =
        doc::readFile(QStringLiteral(VARDO_TEST_DATA) + u"/road.vardo"_s, &error);
    if (!c) qFatal("%s", qPrintable(error));
    return *c;
}

// Makes a special file of this kind at path: "fifo", "null" or "zero" (a device node, root only,
// else a link to /dev/null or /dev/zero when only a link will do), "loop" (a link to itself),
// "folder", "dangling" (a link to nothing).
bool makeSpecial(const QString& kind, const QString& path, bool nodeRequired = false) {
    const QByteArray native = QFile::encodeName(path);
    if (kind == u"fifo"_s) return ::mkfifo(native.constData(), 0600) == 0;
    if (kind == u"null"_s || kind == u"zero"_s) {
        const unsigned minor = kind == u"null"_s ? 3 : 5;
        if (::mknod(native.constData(), S_IFCHR | 0666, makedev(1, minor)) == 0) return true;
        if (nodeRequired) return false;
        return QFile::link(u"/dev/"_s + kind, path);
    }
    if (kind == u"loop"_s) return ::symlink(native.constData(), native.constData()) == 0;
    if (kind == u"folder"_s) return QDir().mkdir(path);
    if (kind == u"dangling"_s) return QFile::link(path + u".nowhere"_s, path);
    return false;
}

bool isCharDevice(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}
bool isFifo(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

QStringList leftovers(const QString& folder) {
    return QDir(folder).entryList({u".vardo-*"_s, u"*.new"_s, u"*~"_s},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run report(const QStringList& arguments, const QString& workingDirectory) {
    Run r;
#ifdef VARDO_REPORT_EXE
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(VARDO_REPORT_EXE), arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        r.err = u"vardo-report did not finish"_s;
        return r;
    }
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
#else
    Q_UNUSED(arguments);
    Q_UNUSED(workingDirectory);
#endif
    return r;
}

}  // namespace

class HostileTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void everyFieldEveryButton_data();
    void everyFieldEveryButton();
    void calculatorInput_data();
    void calculatorInput();
    void brokenWorkbooks_data();
    void brokenWorkbooks();
    void specialCalculationFiles_data();
    void specialCalculationFiles();
    void specialSaveTargets_data();
    void specialSaveTargets();
    void saveThroughLink();
    void longNamesSavedTwice();
    void appendedBytes_data();
    void appendedBytes();
    void longestCalculationRoundTrips();
    void overlongCalculationRefusedBeforeWriting();
    void specialWorkbooks_data();
    void specialWorkbooks();
    void damagedWorkbookDirectory_data();
    void damagedWorkbookDirectory();
    void specialCursorFile_data();
    void specialCursorFile();
    void fifoCursorDoesNotStopStartUp();
    void reportNeverReplacesWhatItReads_data();
    void reportNeverReplacesWhatItReads();
    void reportOutputs_data();
    void reportOutputs();
    void hostileSettings_data();
    void hostileSettings();
    void manyAlikeFilesReportedOneByOne();
    void reportOfAnyFileName_data();
    void reportOfAnyFileName();
};

void HostileTest::everyFieldEveryButton_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("1e15") << u"1000000000000000"_s;
    QTest::newRow("-1e15") << u"-1000000000000000"_s;
    QTest::newRow("max") << u"922337203685477,5807"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("letters") << u"abc"_s;
    QTest::newRow("exponent") << u"1e400"_s;
    QTest::newRow("arabic digit") << u"٣"_s;
    QTest::newRow("10000 characters") << QString(10000, u'7');
    QTest::newRow("10000 mixed") << QString(5000, u',') + QString(5000, u'9');
}

void HostileTest::everyFieldEveryButton() {
    // State: every text field, the lists included, holds the same absurd text.
    QFETCH(QString, text);
    Form1Fixture f;
    QVERIFY(f.show());
    for (QLineEdit* e : textFields(f.window.get())) e->setText(text);
    f.window->sheet().setText(u"Combo1"_s, text);
    f.window->sheet().setText(u"Combo2"_s, text);
    // Action: every button, every clickable field. Expected: no crash, only the program's messages.
    pressEverything(f);
    for (const QString& m : std::as_const(f.messages)) QVERIFY2(isDefinedMessage(m), qPrintable(m));
    // The results are numbers or blank, never garbage.
    static const QRegularExpression number(u"^(-?\\d+(,\\d{1,4})?)?$"_s);
    for (const QString& n : {u"Label10"_s, u"Label11"_s, u"Label14"_s, u"Label20"_s, u"Label22"_s,
                             u"Label24"_s, u"Label30"_s, u"Label32"_s})
        QVERIFY2(number.match(f.text(n)).hasMatch(), qPrintable(n + u": "_s + f.text(n)));
    if (QWidget* about = f.window->aboutWindow()) about->close();
}

void HostileTest::calculatorInput_data() {
    QTest::addColumn<QString>("expression");
    QTest::newRow("10000 groups") << QString(10000, u'(') + u"1"_s + QString(10000, u')');
    QTest::newRow("10000 -sin") << QString(10000, u'-').replace(u"-"_s, u"-sin"_s) + u"1"_s;
    QTest::newRow("200 groups") << QString(200, u'(') + u"1+1"_s + QString(200, u')');
    QString bytes;
    QRandomGenerator random(20261207);
    for (int i = 0; i < 5000; ++i) bytes += QChar(char16_t(random.bounded(1, 0xD7FF)));
    QTest::newRow("random characters") << bytes;
    QTest::newRow("100000 characters") << QString(50000, u'1').replace(u"11"_s, u"1+"_s) + u"1"_s;
    QTest::newRow("100000 operators") << QString(100000, u'*');
}

void HostileTest::calculatorInput() {
    QFETCH(QString, expression);
    QStringList titles;
    Form3 calculator(nullptr, [&titles](const QString& title, const QString& text) {
        titles << title;
        QVERIFY2(text.startsWith(u"Error: "_s), qPrintable(text));
    });
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    auto* input = calculator.findChild<QPlainTextEdit*>(u"txtExpression"_s);
    QVERIFY(input);
    input->setPlainText(expression);
    calculator.findChild<QPushButton*>(u"cmdCalc"_s)->click();
    // Expected: an answer or the evaluator's own messages, titled with its methods' names.
    for (const QString& t : std::as_const(titles))
        QVERIFY2(QRegularExpression(u"^[A-Z][A-Za-z]+$"_s).match(t).hasMatch(), qPrintable(t));
    QVERIFY(!calculator.findChild<QLineEdit*>(u"Text2"_s)->text().isNull());
}

void HostileTest::brokenWorkbooks_data() {
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QString>("damage");
    for (const auto& s : vardo::mainwindow::sources()) {
        for (const QString& d : {u"empty"_s, u"truncated"_s, u"text"_s, u"directory"_s}) {
            QTest::newRow(qPrintable(s.workbook + u' ' + d)) << s.workbook << d;
        }
    }
}

void HostileTest::brokenWorkbooks() {
    // State: a copy of the sample data with one workbook damaged.
    QFETCH(QString, workbook);
    QFETCH(QString, damage);
    QTemporaryDir dir;
    QVERIFY(copySampleData(dir.path()));
    const QString path = dir.filePath(workbook);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();
    QVERIFY(QFile::remove(path));
    if (damage == u"directory"_s) {
        QVERIFY(QDir(dir.path()).mkdir(workbook));
    } else {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        if (damage == u"truncated"_s) out.write(good.left(good.size() / 2));
        if (damage == u"text"_s) out.write("Это не книга Excel, а просто текст.\n");
    }

    // Action: start, then press everything. Expected: one message naming that workbook alone.
    Form1Fixture f(dir.path());
    QVERIFY(f.show());
    QTRY_VERIFY(!f.messages.isEmpty());
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages.first().contains(workbook), qPrintable(f.messages.first()));
    for (const auto& s : vardo::mainwindow::sources())
        if (s.workbook != workbook) QVERIFY(!f.messages.first().contains(s.workbook));
    f.messages.clear();
    pressEverything(f);
    for (const QString& m : std::as_const(f.messages)) QVERIFY2(isDefinedMessage(m), qPrintable(m));
    if (QWidget* about = f.window->aboutWindow()) about->close();
}

void HostileTest::specialCalculationFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("cause");  // a fragment of the message
    QTest::newRow("FIFO") << u"fifo"_s << u"канал (FIFO)"_s;
    QTest::newRow("/dev/null") << u"null"_s << u"устройство"_s;
    QTest::newRow("/dev/zero") << u"zero"_s << u"устройство"_s;
    QTest::newRow("link loop") << u"loop"_s << u"петлю"_s;
    QTest::newRow("folder") << u"folder"_s << u"папка"_s;
    QTest::newRow("link to nothing") << u"dangling"_s << u"несуществующему"_s;
}

void HostileTest::specialCalculationFiles() {
    // State: a special file named like a calculation. Action: open it. Expected: a prompt refusal
    // that names the file and says what it really is.
    QFETCH(QString, kind);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"расчет.vardo"_s);
    QVERIFY(makeSpecial(kind, path));
    QString error;
    {
        const FifoGuard guard(path);
        QVERIFY(!doc::readFile(path, &error));
        QVERIFY2(!guard.hadToRelease(), "reading a FIFO waited for a writer");
    }
    QVERIFY2(error.startsWith(u"Не удалось открыть файл расчета «расчет.vardo»: "_s),
             qPrintable(error));
    QVERIFY2(error.contains(cause), qPrintable(error));
    requireRussian(error);
}

void HostileTest::specialSaveTargets_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("cause");
    QTest::newRow("FIFO") << u"fifo"_s << u"канал (FIFO)"_s;
    QTest::newRow("null device") << u"null"_s << u"устройство"_s;
    QTest::newRow("zero device") << u"zero"_s << u"устройство"_s;
    QTest::newRow("folder") << u"folder"_s << u"папка"_s;
    QTest::newRow("link loop") << u"loop"_s << u"петлю"_s;
}

void HostileTest::specialSaveTargets() {
    // State: something that is not a regular file under the name saved to. Action: save.
    // Expected: refused with its cause; it stays what it was, and no temporary file is left.
    QFETCH(QString, kind);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"расчет.vardo"_s);
    if (!makeSpecial(kind, path, true)) QSKIP("device nodes can be made by root only");
    struct stat before;
    QCOMPARE(::lstat(QFile::encodeName(path).constData(), &before), 0);
    QString error;
    {
        const FifoGuard guard(path);
        QVERIFY(!doc::writeFile(path, sampleCalculation(), &error));
        QVERIFY2(!guard.hadToRelease(), "saving to a FIFO waited for a reader");
    }
    QVERIFY2(error.contains(u"«расчет.vardo»"_s) && error.contains(cause), qPrintable(error));
    requireRussian(error);
    struct stat after;
    QCOMPARE(::lstat(QFile::encodeName(path).constData(), &after), 0);
    QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(leftovers(dir.path()), QStringList());
}

void HostileTest::saveThroughLink() {
    // State: a link to a calculation in another folder. Action: save to the link. Expected: the
    // file it points to holds the new calculation, the link stays a link, nothing is left over.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"real"_s));
    const QString real = dir.filePath(u"real/расчет.vardo"_s);
    const QString link = dir.filePath(u"ссылка.vardo"_s);
    QString error;
    doc::Calculation c = sampleCalculation();
    QVERIFY2(doc::writeFile(real, c, &error), qPrintable(error));
    QVERIFY(QFile::link(real, link));
    c.inputs[u"txtProlet"_s] = u"12,5"_s;
    QVERIFY2(doc::writeFile(link, c, &error), qPrintable(error));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(doc::readFile(real, &error)->inputs.value(u"txtProlet"_s), u"12,5"_s);
    QCOMPARE(leftovers(dir.path() + u"/real"_s), QStringList());
}

void HostileTest::longNamesSavedTwice() {
    // State: a name of 255 bytes, the most a name can have. Action: save twice, open. Expected:
    // every save works, the second replaces the first.
    QTemporaryDir dir;
    for (const QString& name :
         {QString(249, u'a') + u".vardo"_s, QString(124, u'я') + u".vardo"_s /* 248 + 6 bytes */}) {
        QCOMPARE(QFile::encodeName(name).size() >= 254, true);
        const QString path = dir.filePath(name);
        doc::Calculation c = sampleCalculation();
        QString error;
        QVERIFY2(doc::writeFile(path, c, &error), qPrintable(error));
        c.inputs[u"txtVm"_s] = u"31"_s;
        QVERIFY2(doc::writeFile(path, c, &error), qPrintable(error));
        requireRussian(error);
        const std::optional<doc::Calculation> back = doc::readFile(path, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->inputs.value(u"txtVm"_s), u"31"_s);
    }
    QCOMPARE(leftovers(dir.path()), QStringList());
}

void HostileTest::appendedBytes_data() {
    QTest::addColumn<QByteArray>("tail");
    QTest::newRow("letters") << QByteArray("xyz");
    QTest::newRow("closing brace") << QByteArray("}");
    QTest::newRow("zero bytes") << QByteArray(16, '\0');
    QTest::newRow("a second object") << QByteArray("{\"format\": \"vardo-calculation\"}\n");
    QTest::newRow("line of text") << QByteArray("\nприписка\n");
}

void HostileTest::appendedBytes() {
    // State: a complete calculation file with bytes after its end. Expected: "поврежден", not
    // "обрезан" (nothing of it is missing).
    QFETCH(QByteArray, tail);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"расчет.vardo"_s);
    QVERIFY(writeFileBytes(path, doc::toJson(sampleCalculation()) + tail));
    QString error;
    QVERIFY(!doc::readFile(path, &error));
    QVERIFY2(error.contains(u"поврежден"_s) && !error.contains(u"обрезан"_s), qPrintable(error));
    requireRussian(error);
}

void HostileTest::longestCalculationRoundTrips() {
    // State: every text of the calculation at the longest a field holds, each character one that
    // the file writes as a six-byte escape: the largest file the window can save. Action: save,
    // open. Expected: it opens, exactly as saved.
    doc::Calculation c = sampleCalculation();
    const QString longest(doc::kMaxTextLength, QChar(u'\x01'));
    for (auto* map : {&c.inputs, &c.mfs, &c.results, &c.tableFields})
        for (auto it = map->begin(); it != map->end(); ++it) it.value() = longest;
    for (auto it = c.sources.begin(); it != c.sources.end(); ++it) {
        it->caption = longest;
        it->workbook = longest;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u"длинный.vardo"_s);
    QString error;
    QVERIFY2(doc::writeFile(path, c, &error), qPrintable(error));
    QVERIFY(QFileInfo(path).size() > 1024 * 1024);
    const std::optional<doc::Calculation> back = doc::readFile(path, &error);
    QVERIFY2(back, qPrintable(error));
    QVERIFY(*back == c);
}

void HostileTest::overlongCalculationRefusedBeforeWriting() {
    // State: a text longer than a file may hold, over an existing file and as a new file.
    // Action: save. Expected: refused with a message; the old file keeps its bytes, no new file.
    doc::Calculation c = sampleCalculation();
    c.results[u"Label49"_s] = QString(doc::kMaxTextLength + 1, u'я');
    QTemporaryDir dir;
    const QString fresh = dir.filePath(u"новый.vardo"_s);
    QString error;
    QVERIFY(!doc::writeFile(fresh, c, &error));
    QVERIFY2(error.contains(u"«новый.vardo»"_s) && error.contains(u"длиннее"_s), qPrintable(error));
    requireRussian(error);
    QVERIFY(!QFileInfo::exists(fresh));
    const QString old = dir.filePath(u"старый.vardo"_s);
    QVERIFY(doc::writeFile(old, sampleCalculation(), &error));
    const QByteArray before = fileBytes(old);
    QVERIFY(!doc::writeFile(old, c, &error));
    QVERIFY2(error.contains(u"Прежний файл не изменен"_s), qPrintable(error));
    QCOMPARE(fileBytes(old), before);
    QCOMPARE(leftovers(dir.path()), QStringList());
}

void HostileTest::specialWorkbooks_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("cause");
    QTest::newRow("FIFO") << u"fifo"_s << u"канал (FIFO)"_s;
    QTest::newRow("/dev/null") << u"null"_s << u"устройство"_s;
    QTest::newRow("/dev/zero") << u"zero"_s << u"устройство"_s;
    QTest::newRow("link loop") << u"loop"_s << u"петлю"_s;
}

void HostileTest::specialWorkbooks() {
    // State: a special file under a workbook's name. Expected: the workbook is refused promptly,
    // with what the file really is (not "a folder").
    QFETCH(QString, kind);
    QFETCH(QString, cause);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"т11.1.xls"_s);
    QVERIFY(makeSpecial(kind, path));
    vardo::tables::ReadResult result;
    {
        const FifoGuard guard(path);
        result = vardo::tables::readWorkbook(path);
        QVERIFY2(!guard.hadToRelease(), "reading a FIFO waited for a writer");
    }
    QVERIFY(!result.ok());
    QVERIFY2(result.errorText.contains(cause), qPrintable(result.errorText));
    QVERIFY2(!result.errorText.contains(u"папка"_s), qPrintable(result.errorText));
    requireRussian(result.errorText);
}

void HostileTest::damagedWorkbookDirectory_data() {
    QTest::addColumn<int>("offset");  // in the directory entry of the stream "Workbook"
    QTest::addColumn<int>("value");
    QTest::newRow("name length") << 64 << 200;
    QTest::newRow("entry type") << 66 << 7;
    QTest::newRow("stream size") << 121 << 9;
}

void HostileTest::damagedWorkbookDirectory() {
    // State: a sample workbook with one field of its stream's directory entry damaged. Expected:
    // "повреждена" (it is a damaged workbook, not some other program's file), and nothing is
    // written to the terminal.
    QFETCH(int, offset);
    QFETCH(int, value);
    QByteArray bytes = fileBytes(QStringLiteral(VARDO_SAMPLE_DATA) + u"/т38.1.xls"_s);
    const qsizetype entry = bytes.indexOf(QByteArray("W\0o\0r\0k\0b\0o\0o\0k\0", 16));
    QVERIFY(entry > 512 && entry % 128 == 0);
    bytes[entry + offset] = static_cast<char>(value);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"т38.1.xls"_s);
    QVERIFY(writeFileBytes(path, bytes));

    // stderr goes to a file while the workbook is read.
    const QString captured = dir.filePath(u"stderr.txt"_s);
    const int saved = ::dup(STDERR_FILENO);
    const int sink = ::open(QFile::encodeName(captured).constData(), O_WRONLY | O_CREAT, 0600);
    QVERIFY(saved >= 0 && sink >= 0);
    ::dup2(sink, STDERR_FILENO);
    const vardo::tables::ReadResult result = vardo::tables::readWorkbook(path);
    ::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(sink);
    ::close(saved);

    QCOMPARE(result.error, vardo::tables::ReadError::Damaged);
    QVERIFY2(result.errorText.contains(u"повреждена"_s), qPrintable(result.errorText));
    QCOMPARE(QString::fromUtf8(fileBytes(captured)), QString());
}

void HostileTest::specialCursorFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << u"fifo"_s;
    QTest::newRow("link to /dev/zero") << u"zero-link"_s;
    QTest::newRow("link loop") << u"loop"_s;
    QTest::newRow("folder") << u"folder"_s;
}

void HostileTest::specialCursorFile() {
    // State: the pick pointer's cursor file replaced by a special file. Action: load it.
    // Expected: the pointing hand, promptly, without reading an endless device.
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf16(vardo::about::kLinkCursorFile));
    QVERIFY(kind == u"zero-link"_s ? QFile::link(u"/dev/zero"_s, path) : makeSpecial(kind, path));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QCursor cursor;
    bool released = false;
    {
        const FifoGuard guard(path);
        cursor = vardo::about::loadLinkCursor();
        released = guard.hadToRelease();
    }
    QDir::setCurrent(previous);
    QVERIFY2(!released, "reading the cursor file waited on a FIFO");
    QCOMPARE(cursor.shape(), Qt::PointingHandCursor);
}

void HostileTest::fifoCursorDoesNotStopStartUp() {
    // State: the sample data with a FIFO named "32761.CUR". Action: start. Expected: the window
    // appears without waiting for a writer.
    QTemporaryDir dir;
    // The sample workbooks copied, so vardo-report finds its tables there.
    QVERIFY(copySampleData(dir.path()));
    const QString cursor = dir.filePath(QString::fromUtf16(vardo::about::kLinkCursorFile));
    QFile::remove(cursor);
    QVERIFY(makeSpecial(u"fifo"_s, cursor));
    const FifoGuard guard(cursor);
    Form1Fixture f(dir.path());
    QVERIFY(f.show());
    QVERIFY2(!guard.hadToRelease(), "the start-up waited on the FIFO");
}

void HostileTest::reportNeverReplacesWhatItReads_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("protectedFile");
    QTest::newRow("output is the input")
        << QStringList{u"a.vardo"_s, u"-o"_s, u"a.vardo"_s} << u"a.vardo"_s;
    QTest::newRow("output links to the input")
        << QStringList{u"a.vardo"_s, u"-o"_s, u"link.pdf"_s} << u"a.vardo"_s;
    QTest::newRow("output through ..")
        << QStringList{u"a.vardo"_s, u"-o"_s, u"sub/../a.vardo"_s} << u"a.vardo"_s;
    QTest::newRow("second input named as the report")
        << QStringList{u"a.vardo"_s, u"a.pdf"_s} << u"a.pdf"_s;
    QTest::newRow("second input in the report folder")
        << QStringList{u"a.vardo"_s, u"out/a.pdf"_s, u"-o"_s, u"out"_s} << u"out/a.pdf"_s;
    QTest::newRow("allowable-moment workbook")
        << QStringList{u"a.vardo"_s, u"-o"_s, u"т36.1.xls"_s} << u"т36.1.xls"_s;
}

void HostileTest::reportNeverReplacesWhatItReads() {
#ifndef VARDO_REPORT_EXE
    QSKIP("vardo-report is not built");
#else
    // State: calculation files and the sample workbooks in a folder; a report name that is, or
    // leads to, a file the run reads. Expected: that file keeps its bytes, status 1, a message.
    QFETCH(QStringList, arguments);
    QFETCH(QString, protectedFile);
    QTemporaryDir dir;
    // The sample workbooks copied, so vardo-report finds its tables there.
    QVERIFY(copySampleData(dir.path()));
    const QDir d(dir.path());
    QVERIFY(d.mkdir(u"sub"_s) && d.mkdir(u"out"_s));
    QString error;
    QVERIFY(doc::writeFile(d.filePath(u"a.vardo"_s), sampleCalculation(), &error));
    // The second input is a calculation of its own: read, it would give a report too.
    doc::Calculation other = sampleCalculation();
    other.inputs[u"txtVm"_s] = u"30"_s;
    QVERIFY(doc::writeFile(d.filePath(u"a.pdf"_s), other, &error));
    QVERIFY(doc::writeFile(d.filePath(u"out/a.pdf"_s), other, &error));
    QVERIFY(QFile::link(d.filePath(u"a.vardo"_s), d.filePath(u"link.pdf"_s)));
    const QByteArray before = fileBytes(d.filePath(protectedFile));
    QVERIFY(!before.isEmpty());

    const Run r = report(arguments, dir.path());
    QCOMPARE(r.status, 1);
    QCOMPARE(fileBytes(d.filePath(protectedFile)), before);
    QVERIFY(QFileInfo(d.filePath(u"link.pdf"_s)).isSymLink());
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts).filter(u"vardo-report"_s);
    QVERIFY2(!lines.isEmpty(), qPrintable(r.err));
    for (const QString& line : lines)
        requireRussian(line.mid(QStringLiteral("vardo-report:").size()));
    QVERIFY2(r.err.contains(u"заменил бы"_s), qPrintable(r.err));
#endif
}

void HostileTest::reportOutputs_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("written");  // files that must exist afterwards
    QTest::addColumn<QString>("message");      // a fragment of stderr
    const QString longName = QString(251, u'a') + u".pdf"_s;
    QTest::newRow("FIFO as output") << QStringList{u"a.vardo"_s, u"-o"_s, u"fifo.pdf"_s} << 1
                                    << QStringList() << u"канал (FIFO)"_s;
    QTest::newRow("device as output") << QStringList{u"a.vardo"_s, u"-o"_s, u"null.pdf"_s} << 1
                                      << QStringList() << u"устройство"_s;
    QTest::newRow("empty output") << QStringList{u"a.vardo"_s, u"-o"_s, QString()} << 2
                                  << QStringList() << u"пустой путь"_s;
    QTest::newRow("new folder with a slash") << QStringList{u"a.vardo"_s, u"-o"_s, u"новая/"_s} << 0
                                             << QStringList{u"новая/a.pdf"_s} << QString();
    QTest::newRow("end of options")
        << QStringList{u"--"_s, u"-a.vardo"_s} << 0 << QStringList{u"-a.pdf"_s} << QString();
    QTest::newRow("percent in names")
        << QStringList{u"p/a%1.vardo"_s, u"q/a%1.vardo"_s, u"-o"_s, u"out"_s} << 0
        << QStringList{u"out/a%1.pdf"_s, u"out/a%1-2.pdf"_s} << QString();
    QTest::newRow("percent beside") << QStringList{u"p/расчет %1 %2.vardo"_s} << 0
                                    << QStringList{u"p/расчет %1 %2.pdf"_s} << QString();
    QTest::newRow("name of 255 bytes")
        << QStringList{u"a.vardo"_s, u"-o"_s, longName} << 0 << QStringList{longName} << QString();
}

void HostileTest::reportOutputs() {
#ifndef VARDO_REPORT_EXE
    QSKIP("vardo-report is not built");
#else
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, written);
    QFETCH(QString, message);
    QTemporaryDir dir;
    // The sample workbooks copied, so vardo-report finds its tables there.
    QVERIFY(copySampleData(dir.path()));
    const QDir d(dir.path());
    QVERIFY(d.mkdir(u"p"_s) && d.mkdir(u"q"_s));
    const doc::Calculation c = sampleCalculation();
    QString error;
    for (const QString& name : {u"a.vardo"_s, u"-a.vardo"_s, u"p/a%1.vardo"_s, u"q/a%1.vardo"_s,
                                u"p/расчет %1 %2.vardo"_s})
        QVERIFY2(doc::writeFile(d.filePath(name), c, &error), qPrintable(error));
    QVERIFY(makeSpecial(u"fifo"_s, d.filePath(u"fifo.pdf"_s)));
    const bool node = makeSpecial(u"null"_s, d.filePath(u"null.pdf"_s), true);
    if (QTest::currentDataTag() == QByteArrayLiteral("device as output") && !node)
        QSKIP("device nodes can be made by root only");

    // Twice: the second run replaces what the first wrote.
    for (int round = 0; round < (status == 0 ? 2 : 1); ++round) {
        Run r;
        {
            const FifoGuard guard(d.filePath(u"fifo.pdf"_s));
            r = report(arguments, dir.path());
            QVERIFY2(!guard.hadToRelease(), "the report waited on a FIFO");
        }
        QVERIFY2(r.status == status, qPrintable(QString::number(r.status) + u' ' + r.err));
        if (!message.isEmpty()) QVERIFY2(r.err.contains(message), qPrintable(r.err));
        for (const QString& line : r.err.split(u'\n', Qt::SkipEmptyParts))
            if (line.startsWith(u"vardo-report: "_s))
                requireRussian(line.mid(QStringLiteral("vardo-report: ").size()));
        for (const QString& file : written) {
            QVERIFY2(QFileInfo(d.filePath(file)).isFile(), qPrintable(file + u'\n' + r.out));
            QVERIFY(fileBytes(d.filePath(file)).startsWith("%PDF"));
        }
    }
    QVERIFY(isFifo(d.filePath(u"fifo.pdf"_s)));
    if (node) QVERIFY(isCharDevice(d.filePath(u"null.pdf"_s)));
    QCOMPARE(leftovers(dir.path()), QStringList());
#endif
}

void HostileTest::hostileSettings_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("startMessage");  // a fragment of the message at start; empty: none
    QTest::addColumn<QString>("notKept");       // a fragment of why the tables folder is not kept
    QTest::newRow("FIFO") << u"fifo"_s << u"канал (FIFO)"_s << u"канал (FIFO)"_s;
    QTest::newRow("folder") << u"folder"_s << u"папка, а не файл"_s << u"папка, а не файл"_s;
    QTest::newRow("300 MB") << u"huge"_s << u"слишком большой файл (300 МБ"_s
                            << u"слишком большой файл"_s;
    QTest::newRow("its folder cannot be made")
        << u"blocked"_s << QString() << u"не удалось записать"_s;
}

void HostileTest::hostileSettings() {
    // State: the settings file (~/.config/Vardo/Vardo.conf) replaced by something that is not a
    // settings file, or its folder by a file. Action: start the window, choose a tables folder,
    // run vardo-report. Expected: neither program waits or reads it, each says why it works with
    // the defaults, and the tables folder is said not to be kept.
    QFETCH(QString, kind);
    QFETCH(QString, startMessage);
    QFETCH(QString, notKept);
    QTemporaryDir dir;
    QVERIFY(copySampleData(dir.path()));
    const QDir d(dir.path());
    QString error;
    QVERIFY(doc::writeFile(d.filePath(u"a.vardo"_s), sampleCalculation(), &error));
    // QSettings takes its folder once per process: it is told the test's folder too.
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(d.filePath(u"config"_s)));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, d.filePath(u"config"_s));
    const QString conf = d.filePath(u"config/Vardo/Vardo.conf"_s);
    QVERIFY(d.mkpath(u"config/Vardo"_s));
    if (kind == u"huge"_s) {
        QFile huge(conf);  // sparse: 300 MB on no disk
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write("[tables]\nfolder=/x\n") > 0 &&
                huge.resize(qint64(300) << 20));
    } else if (kind == u"blocked"_s) {
        QVERIFY(d.rmdir(u"config/Vardo"_s) && writeFileBytes(d.filePath(u"config/Vardo"_s), "x"));
    } else {
        QVERIFY(makeSpecial(kind, conf));
    }
    Run r;
    bool released = false;
    {
        const FifoGuard guard(conf);
        {
            Form1Fixture f(dir.path());
            QVERIFY(f.show());
            QTest::qWait(50);
            QCOMPARE(f.messages.size(), startMessage.isEmpty() ? 0 : 1);
            if (!startMessage.isEmpty()) {
                QVERIFY2(f.messages[0].startsWith(u"Настройки не прочитаны: файл настроек «"_s) &&
                             f.messages[0].contains(startMessage),
                         qPrintable(f.messages[0]));
                requireRussian(f.messages[0]);
            }
            QVERIFY(!f.window->chooseTablesFolder(QStringLiteral(VARDO_SAMPLE_DATA)));
            QVERIFY2(f.messages.last().contains(u"» не запомнена: "_s) &&
                         f.messages.last().contains(notKept),
                     qPrintable(f.messages.last()));
            QVERIFY(vardo::tablesFolder().isEmpty());
        }
        r = report({u"a.vardo"_s}, dir.path());
        released = guard.hadToRelease();
    }
    qputenv("XDG_CONFIG_HOME", previous);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    QVERIFY2(!released, "a program waited on the settings file");
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(r.err.contains(u"vardo-report: Настройки не прочитаны"_s), !startMessage.isEmpty());
}

void HostileTest::manyAlikeFilesReportedOneByOne() {
#ifndef VARDO_REPORT_EXE
    QSKIP("vardo-report is not built");
#else
    // State: 20 calculations named a.vardo, each in a folder of its own, into one report folder
    // (a.pdf, a-2.pdf, ...) that holds a 21st input under the name the seventh report would take.
    // Expected: every input keeps its bytes; the seventh is refused where its turn comes among
    // the others' lines, which come one per file in the order given.
    QTemporaryDir dir;
    QVERIFY(copySampleData(dir.path()));
    const QDir d(dir.path());
    QString error;
    QStringList inputs;
    for (int i = 0; i < 20; ++i) {
        inputs << u"d%1/a.vardo"_s.arg(i, 2, 10, QChar(u'0'));
        QVERIFY(d.mkpath(QFileInfo(d.filePath(inputs.last())).path()));
        QVERIFY(doc::writeFile(d.filePath(inputs.last()), sampleCalculation(), &error));
    }
    inputs << u"out/a-7.pdf"_s;
    QVERIFY(d.mkpath(u"out"_s));
    QVERIFY(QFile::copy(d.filePath(u"d00/a.vardo"_s), d.filePath(inputs.last())));
    const QByteArray before = fileBytes(d.filePath(inputs.last()));
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(VARDO_REPORT_EXE), inputs + QStringList{u"-o"_s, u"out"_s});
    QVERIFY(process.waitForFinished(300000));
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(fileBytes(d.filePath(inputs.last())), before);
    // The first line of each file: its report, or why there is none.
    QStringList firsts;
    for (const QString& line : QString::fromUtf8(process.readAll()).split(u'\n'))
        if (line.contains(u" -> "_s) || line.contains(u"заменил бы"_s)) firsts << line;
    QCOMPARE(firsts.size(), inputs.size());
    for (qsizetype i = 0; i < inputs.size(); ++i)
        QVERIFY2(firsts[i].contains(u"заменил бы"_s) == (i == 6) &&
                     (i == 6 || firsts[i].startsWith(inputs[i] + u" -> out/a-"_s) || i == 0),
                 qPrintable(firsts[i]));
    QVERIFY(fileBytes(d.filePath(u"out/a-20.pdf"_s)).startsWith("%PDF"));
    QVERIFY(fileBytes(d.filePath(u"out/a-7-2.pdf"_s)).startsWith("%PDF"));
#endif
}

void HostileTest::reportOfAnyFileName_data() {
    QTest::addColumn<QByteArray>("name");  // the calculation file's name as the system holds it
    QTest::addColumn<QString>("shown");    // as vardo-report's lines show it
    QTest::newRow("escape sequences")
        << QByteArray("\x1b[2J\x1b[31mкрасный.vardo") << u"\\x1b[2J\\x1b[31mкрасный.vardo"_s;
    QTest::newRow("line feed") << QByteArray("a\nvardo-report: подделка.vardo")
                               << u"a\\nvardo-report: подделка.vardo"_s;
    QTest::newRow("bytes not UTF-8") << QByteArray("a\xff\xfe.vardo") << u"a\\xff\\xfe.vardo"_s;
    QTest::newRow("direction control")
        << QByteArray("имя\u202Efdp.vardo") << u"имя\\u202efdp.vardo"_s;
}

void HostileTest::reportOfAnyFileName() {
#ifndef VARDO_REPORT_EXE
    QSKIP("vardo-report is not built");
#else
    // State: a calculation file named by bytes, as another program would name it. Action:
    // vardo-report given that name by the shell. Expected: the file is read, its report written
    // beside it under the same bytes, and the name printed escaped, with no line of its own.
    QFETCH(QByteArray, name);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    QVERIFY(copySampleData(dir.path()));
    QString error;
    QVERIFY(doc::writeFile(dir.filePath(u"a.vardo"_s), sampleCalculation(), &error));
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    QVERIFY(::rename(folder + "a.vardo", folder + name) == 0);
    QString octal;  // the name for printf, every byte as \ooo
    for (const char byte : name) octal += u"\\"_s + QString::number(uchar(byte), 8);
    QProcess run;
    run.setWorkingDirectory(dir.path());
    run.start(u"/bin/sh"_s, {u"-c"_s, u"exec \"$0\" \"$(printf '"_s + octal + u"')\""_s,
                             QStringLiteral(VARDO_REPORT_EXE)});
    QVERIFY(run.waitForFinished(120000));
    const QByteArray out = run.readAllStandardOutput(), err = run.readAllStandardError();
    const QByteArray pdf = folder + name.chopped(QByteArray(".vardo").size()) + ".pdf";
    // Qt cannot name what is not UTF-8, so the temporary folder could not be emptied.
    const bool reportWritten = ::access(pdf.constData(), F_OK) == 0;
    ::unlink(pdf.constData());
    ::unlink(folder + name);
    QVERIFY2(run.exitCode() == 0, err.constData());
    QVERIFY2(reportWritten, out.constData());
    QVERIFY2(QString::fromUtf8(out).startsWith(shown + u" -> "_s), out.constData());
    QVERIFY(!out.contains('\x1b') && !err.contains('\x1b'));
    // One file: its line, the moments, the verdict.
    QCOMPARE(out.count('\n'), 3);
#endif
}

QTEST_MAIN(HostileTest)
#include "hostile_test.moc"
