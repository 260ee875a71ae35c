// What the user waits for in the main window, each figure beside its floor measured in the same
// run:
//   - opening a calculation file ("Открыть": read, checked, brought onto the sheet, kept among the
//     recent files) against reading and parsing the same JSON;
//   - saving it ("Сохранить") against writing the same bytes with QSaveFile;
//   - a keystroke in a field with the window "Подбор ригеля" open, from the key event until the
//     grade window is repainted, against the same keystroke with the grade window closed (until
//     the field is repainted): typed back and forth (Lр 18 ↔ 185, the grade window's texts of
//     the value before come back) and typed as new values (Lр 181 .. 189, every text is new).
// The files lie in a temporary folder on the disk (not in memory), and the program's settings in
// a temporary folder of their own, so the user's recent files are left alone. Recent files are
// written behind the user's back; between two opens or saves the bench waits for that write
// outside the figure, so each open or save starts as a user's does. The repetitions of the
// benchmarks are run in a random order, interleaved, so that a disk or a machine busier for a
// while weighs on a figure and on its yardstick alike.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "bench/summary.h"
#include "core/catalogue.h"
#include "document/memoryport.h"
#include "mainwindow/documentcontroller.h"
#include "mainwindow/form1.h"
#include "mainwindow/gradewindow.h"
#include "mainwindow/recentfiles.h"
#include "mainwindow/sheetassist.h"
#include "tables/workbook.h"

namespace bench = vardo::bench;

namespace {

using namespace Qt::Literals::StringLiterals;
using vardo::mainwindow::RecentFiles;

struct Setup {
    QTemporaryDir files{QDir::current().filePath(u"window_bench-XXXXXX"_s)};
    QStringList calculations;  // two copies of the road's calculation, opened in turn
    Form1* window = nullptr;
};
Setup* setup = nullptr;
int keystrokes = 0;  // typed in all, for instruction counts per keystroke (valgrind)

// Paints of one window seen since the last reset, once it shows what it is waited for (the grade
// window's heading names the Lр typed): a paint before the window has taken up the keystroke is
// not the one waited for.
class PaintWatch : public QObject {
  public:
    QWidget* window = nullptr;
    QLabel* heading = nullptr;  // none: any paint of the window
    QString expected;
    bool painted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window &&
            (!heading || heading->text().endsWith(expected)))
            painted = true;
        return false;
    }
};

// A key pressed and released in the field, as the keyboard gives it.
void keyClick(QLineEdit* field, Qt::Key key) {
    const QString text = key == Qt::Key_Backspace ? QString() : QString(QChar(key));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(field, &release);
}

// Runs the event loop until the window is on screen; false when it never is.
bool waitExposed(QWidget* window) {
    for (int turn = 0; turn < 100000; ++turn) {
        if (window->windowHandle() && window->windowHandle()->isExposed()) return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return false;
}

// Types one key into the field and runs the event loop until the watched window has been
// repainted with it; false when it never was.
[[gnu::noinline]] bool typeUntilPainted(PaintWatch& watch, QLineEdit* field, Qt::Key key) {
    watch.painted = false;
    ++keystrokes;
    keyClick(field, key);
    watch.expected = u"Lр = "_s + field->text() + u" м"_s;
    // A window is repainted when its update timer fires, a few milliseconds after the change: the
    // wait is by the clock, not by turns of the loop.
    QElapsedTimer waited;
    waited.start();
    while (!watch.painted && !waited.hasExpired(2000))
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    return watch.painted;
}

// How the keystrokes go: Lр 18 → 185 → 18 → ... (every other value comes back, and the notice
// above the grades grows and shrinks by two lines), or Lр 185 → 186 → ... → 189 → 181 → ...,
// the last digit selected outside the figure and typed over, each value new among the last eight.
enum class Typing { BackAndForth, NewValues };

void keystroke(benchmark::State& state, bool gradesOpen, Typing typing) {
    Form1& w = *setup->window;
    auto* field = w.findChild<QLineEdit*>(u"txtLp"_s);
    vardo::mainwindow::GradeWindow* grades = w.assist().showGradeWindow();
    if (!gradesOpen) grades->hide();
    if (gradesOpen && !waitExposed(grades)) {
        state.SkipWithError("grade window not shown");
        return;
    }
    QCoreApplication::processEvents();
    field->setFocus();
    field->setCursorPosition(field->text().size());
    PaintWatch watch;
    watch.window = gradesOpen ? static_cast<QWidget*>(grades) : &w;
    if (gradesOpen) watch.heading = grades->findChild<QLabel*>(u"heading"_s);
    qApp->installEventFilter(&watch);
    // Lр 18 → 185 → 18 → ...: each keystroke changes the design lengths the grades are checked
    // against, so the grade window has something new to show every time.
    // Once each way first, outside the figure: what is laid out only the first time is not a
    // keystroke's cost.
    for (const Qt::Key key : {Qt::Key_5, Qt::Key_Backspace}) {
        keyClick(field, key);
        for (int turn = 0; turn < 100; ++turn) QCoreApplication::processEvents();
    }
    bool typed = false;
    int digit = 5;
    if (typing == Typing::NewValues) {
        keyClick(field, Qt::Key_5);
        for (int turn = 0; turn < 100; ++turn) QCoreApplication::processEvents();
        typed = true;
    }
    for (auto _ : state) {
        Qt::Key key = typed ? Qt::Key_Backspace : Qt::Key_5;
        if (typing == Typing::NewValues) {
            state.PauseTiming();
            field->setSelection(field->text().size() - 1, 1);
            QElapsedTimer shown;  // the selection painted before the key is typed
            shown.start();
            while (!shown.hasExpired(20)) QCoreApplication::processEvents();
            digit = digit % 9 + 1;
            key = static_cast<Qt::Key>(Qt::Key_0 + digit);
            state.ResumeTiming();
        }
        bool painted = false;
        bench::counted([&] { painted = typeUntilPainted(watch, field, key); });
        if (!painted) {
            state.SkipWithError("nothing repainted");
            break;
        }
        if (typing == Typing::BackAndForth) typed = !typed;
    }
    qApp->removeEventFilter(&watch);
    if (typed) {
        field->setCursorPosition(field->text().size());
        keyClick(field, Qt::Key_Backspace);
    }
    grades->hide();
    QCoreApplication::processEvents();
}

// Outside the figure, what comes between two opens or two saves: the recent files written to the
// settings (a lock file and a sync to the disk), which leaves the caches as a user's next open
// finds them. Each yardstick iteration starts after the same, so that both sides of a ratio are
// timed from the same state; timed in a warm loop of its own, reading and parsing looked 1.7
// times cheaper beside an open than it is.
void settingsWritten(benchmark::State& state, int turn, bool changed) {
    state.PauseTiming();
    if (changed) RecentFiles::add(setup->calculations[turn % 2]);
    RecentFiles::flush();
    state.ResumeTiming();
}

void openFile(benchmark::State& state) {
    int turn = 0;
    for (auto _ : state) {
        // Each open puts another file first in the recent list: the settings change every time.
        if (!setup->window->document().open(setup->calculations[++turn % 2])) {
            state.SkipWithError("not opened");
            break;
        }
        settingsWritten(state, turn, false);
    }
}

// The same through the document alone, on a sheet without widgets but with the sample tables, so
// that every row the file names is found as in the window: what opening costs apart from bringing
// the texts onto the window's controls.
void openDocument(benchmark::State& state) {
    vardo::document::MemoryPort sheet;
    sheet.recording = false;  // the log of effects is the tests' own; no window keeps one
    for (const QString& source : vardo::document::dataSources()) {
        const QString workbook = vardo::catalogue::workbookOf(source);
        vardo::tables::ReadResult read =
            vardo::tables::readWorkbook(QStringLiteral(VARDO_SAMPLE_DATA "/") + workbook);
        if (!read.ok()) {
            state.SkipWithError("sample table not read");
            return;
        }
        sheet.setTable(source, std::move(read.table), workbook);
    }
    vardo::mainwindow::DocumentController document(sheet);
    int turn = 0;
    for (auto _ : state) {
        bool opened = false;
        bench::counted([&] { opened = document.open(setup->calculations[++turn % 2]); });
        if (!opened) {
            state.SkipWithError("not opened");
            break;
        }
        settingsWritten(state, turn, false);
    }
}

void readAndParse(benchmark::State& state) {
    int turn = 0;
    for (auto _ : state) {
        settingsWritten(state, ++turn, true);
        bool read = false;
        bench::counted([&] {
            QFile file(setup->calculations[0]);
            if (!file.open(QIODevice::ReadOnly)) return;
            QJsonParseError error{};
            const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &error);
            benchmark::DoNotOptimize(json);
            read = true;
        });
        if (!read) {
            state.SkipWithError("not read");
            break;
        }
    }
}

void saveFile(benchmark::State& state) {
    int turn = 0;
    for (auto _ : state) {
        bool saved = false;
        bench::counted(
            [&] { saved = setup->window->document().save(setup->calculations[++turn % 2]); });
        if (!saved) {
            state.SkipWithError("not saved");
            break;
        }
        settingsWritten(state, turn, false);
    }
}

// The same bytes written with QSaveFile; with folderSynced, the folder is synced after it too, as
// a save does so that the new name survives a power cut: QSaveFile syncs the file only.
void saveFileWrite(benchmark::State& state, bool folderSynced) {
    // The bytes a save writes (run first in a random order, this may be before any save).
    if (!setup->window->document().save(setup->calculations[0])) {
        state.SkipWithError("not saved");
        return;
    }
    QFile saved(setup->calculations[0]);
    const QByteArray bytes = saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
    const QString path = setup->files.filePath(u"plain.vardo"_s);
    const QByteArray folder = QFile::encodeName(setup->files.path());
    int turn = 0;
    for (auto _ : state) {
        settingsWritten(state, ++turn, true);
        bool written = false;
        bench::counted([&] {
            QSaveFile file(path);
            written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                      file.commit();
            if (written && folderSynced) {
                const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
                written = fd >= 0 && ::fsync(fd) == 0;
                if (fd >= 0) ::close(fd);
            }
        });
        if (!written) {
            state.SkipWithError("not written");
            break;
        }
    }
}

// counted: the loops of both benchmarks run their bodies through bench::counted(), and
// scripts/bench shows their instructions beside the figure.
void row(const bench::MedianCollector& c, const char* figure, const char* ours,
         const char* yardstick, const char* floorName, double target, bool byTime,
         bool counted = false) {
    // Timed by the wall clock: Google Benchmark names such a run ".../real_time".
    const std::string mineName = std::string(ours) + "/real_time";
    const std::string floorName_ = std::string(yardstick) + "/real_time";
    if (!c.has(mineName) || !c.has(floorName_)) return;
    const double mine = c.realSeconds(mineName);
    const double floor = c.realSeconds(floorName_);
    const double ratio = mine / floor;
    using bench::format;
    const bool reference = target == 0;  // shown for comparison, no target
    bench::SummaryRow r{figure,
                        format("%.3f ms", mine * 1e3),
                        format("%.3f ms %s", floor * 1e3, floorName),
                        format("%.2fx", ratio),
                        reference ? std::string("-")
                        : byTime  ? format("<= %.0f ms", target * 1e3)
                                  : format("<= %.0fx", target),
                        byTime ? mine <= target : ratio <= target};
    r.reference = reference;
    if (counted) {
        r.oursBenchmark = mineName;
        r.yardstickBenchmark = floorName_;
    }
    bench::printRow(r);
}

}  // namespace

int main(int argc, char** argv) {
    // The settings go to a folder of their own; the window needs no screen.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Setup s;
    setup = &s;
    for (const QString& name : {u"первый.vardo"_s, u"второй.vardo"_s}) {
        const QString path = s.files.filePath(name);
        if (!QFile::copy(QStringLiteral(VARDO_TEST_DATA "/road.vardo"), path)) return 3;
        s.calculations << path;
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(VARDO_SAMPLE_DATA));
    auto window = std::make_unique<Form1>();
    QDir::setCurrent(previous);
    s.window = window.get();
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setMessageSink(
        [](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); });
    window->show();
    if (!waitExposed(window.get()) || !window->document().open(s.calculations[0])) return 3;

    benchmark::RegisterBenchmark("files/open", openFile)->UseRealTime();
    benchmark::RegisterBenchmark("files/open, document alone", openDocument)->UseRealTime();
    benchmark::RegisterBenchmark("files/read and parse", readAndParse)->UseRealTime();
    benchmark::RegisterBenchmark("files/save", saveFile)->UseRealTime();
    benchmark::RegisterBenchmark("files/QSaveFile write", saveFileWrite, false)->UseRealTime();
    benchmark::RegisterBenchmark("files/QSaveFile write, folder synced", saveFileWrite, true)
        ->UseRealTime();
    benchmark::RegisterBenchmark("keystroke/grade window open", keystroke, true,
                                 Typing::BackAndForth)
        ->UseRealTime();
    benchmark::RegisterBenchmark("keystroke/grade window closed", keystroke, false,
                                 Typing::BackAndForth)
        ->UseRealTime();
    benchmark::RegisterBenchmark("keystroke/grade window open, new values", keystroke, true,
                                 Typing::NewValues)
        ->UseRealTime();

    bench::MedianCollector collector;
    if (!bench::runBenchmarks(argc, argv, collector,
                              {"--benchmark_enable_random_interleaving=true"}))
        return 1;
    std::printf("keystrokes typed: %d\n", keystrokes);

    row(collector, "opening a calculation (wall)", "files/open, document alone",
        "files/read and parse", "read+parse", 3, false, true);
    row(collector, "opening a calculation into the window (wall)", "files/open",
        "files/read and parse", "read+parse", 0, false);
    row(collector, "saving a calculation (wall)", "files/save", "files/QSaveFile write",
        "QSaveFile", 2, false, true);
    row(collector, "saving a calculation, against as durable a write (wall)", "files/save",
        "files/QSaveFile write, folder synced", "QSaveFile+folder sync", 0, false);
    row(collector, "keystroke to repainted grade window (wall)", "keystroke/grade window open",
        "keystroke/grade window closed", "window closed", 3e-3, true, true);
    row(collector, "keystroke to repainted grade window, new values (wall)",
        "keystroke/grade window open, new values", "keystroke/grade window closed", "window closed",
        3e-3, true, true);
    return 0;
}
