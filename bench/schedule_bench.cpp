// The schedule of crossbeams of 10,000 calculation files, as vardo-report --schedule makes it:
// each file read and checked, its results worked out again, every grade of its series checked
// with its own rows, and the workbook written through a temporary file. Yardstick: reading and
// parsing the same files alone (readFile), the part no schedule can avoid; the target is 4 times
// that per file. Memory: the peak resident memory of the whole schedule (rows and workbook) of
// 1,000 and of 10,000 files, each made in a process of its own forked from this one; what it
// grows by per file is to stay under 1 KiB. The repetitions of the three are run in a random
// order, interleaved, so that a machine busier for a while weighs on a figure and on its
// yardstick alike.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "bench/summary.h"
#include "document/calculation.h"
#include "document/gradeselection.h"
#include "document/schedule.h"
#include "tables/workbook.h"

namespace {

namespace doc = vardo::document;

constexpr int kFiles = 10000;
constexpr int kFewFiles = 1000;

vardo::tables::Table sample(const char16_t* bareName) {
    const QString path = QStringLiteral(VARDO_SAMPLE_DATA) + u'/' + QString::fromUtf16(bareName);
    return vardo::tables::readWorkbook(path).table;
}

// The files: the two sample calculations of the tests, by turns, with the series alternated
// too, so that both allowable tables and passing and failing grades are met.
QStringList makeFiles(const QDir& dir) {
    QStringList paths;
    const QString data = QStringLiteral(VARDO_TEST_DATA);
    QString error;
    const std::optional<doc::Calculation> road =
        doc::readFile(data + QStringLiteral("/road.vardo"), &error);
    const std::optional<doc::Calculation> quarter =
        doc::readFile(data + QStringLiteral("/road-quarter.vardo"), &error);
    if (!road || !quarter) return {};
    for (int i = 0; i < kFiles; ++i) {
        doc::Calculation c = (i % 2) ? *quarter : *road;
        c.options[QStringLiteral("Frame3")] =
            (i / 2) % 2 ? QStringLiteral("Option2") : QStringLiteral("Option1");
        c.inputs[QStringLiteral("txtVm")] = QString::number(5 + i % 20);
        c.object.crossbeam = QString::number(i + 1);
        c.object.object = QStringLiteral("ст. Ясная");
        const QString path =
            dir.filePath(QStringLiteral("%1.vardo").arg(i, 5, 10, QLatin1Char('0')));
        if (!doc::writeFile(path, c, &error)) return {};
        paths << path;
    }
    return paths;
}

// The peak resident memory, in KiB, of a process forked from this one that runs `work`; -1 when
// it failed.
long peakKiB(const std::function<bool()>& work) {
    int out[2];
    if (pipe(out) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(out[0]);
        long peak = -1;
        if (work()) {
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            peak = usage.ru_maxrss;
        }
        const ssize_t written = write(out[1], &peak, sizeof peak);
        _exit(written == sizeof peak ? 0 : 1);
    }
    close(out[1]);
    long peak = -1;
    if (pid < 0 || read(out[0], &peak, sizeof peak) != sizeof peak) peak = -1;
    close(out[0]);
    int status = 0;
    if (pid > 0) waitpid(pid, &status, 0);
    return peak;
}

}  // namespace

int main(int argc, char** argv) {
    // The .xlsx module is found beside the program or in its build tree (document/xlsxbook.h).
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const QStringList paths = makeFiles(QDir(dir.path()));
    if (paths.size() != kFiles) {
        std::fprintf(stderr, "the %d calculation files could not be written in %s\n", kFiles,
                     qPrintable(dir.path()));
        return 2;
    }
    doc::ScheduleTables tables;
    for (const vardo::catalogue::Series& s : vardo::catalogue::kSeries)
        tables.allowable.insert(QString::fromUtf16(s.allowable.workbook),
                                {sample(s.allowable.workbook), {}});
    tables.crossbeam = {sample(doc::kWeightWorkbook), sample(doc::kIceWorkbook),
                        sample(doc::kWindWorkbook)};
    int chosen = 0;
    for (const doc::ScheduleRow& row : doc::makeSchedule(paths, tables))
        chosen += row.grade.isEmpty() ? 0 : 1;
    std::printf("%d calculation files, a grade chosen in %d\n", kFiles, chosen);

    const auto scheduleOf = [&](qsizetype files) {
        return [&, files] {
            QString error;
            return doc::writeSchedule(dir.filePath(QStringLiteral("память.xlsx")),
                                      doc::makeSchedule(paths.first(files), tables), &error);
        };
    };
    const long fewPeak = peakKiB(scheduleOf(kFewFiles));
    const long allPeak = peakKiB(scheduleOf(kFiles));
    std::printf("peak resident memory: %ld KiB with %d files, %ld KiB with %d\n", fewPeak,
                kFewFiles, allPeak, kFiles);

    const auto schedule = [&](benchmark::State& state, const QString& name) {
        for (auto _ : state) {
            const QList<doc::ScheduleRow> rows = doc::makeSchedule(paths, tables);
            QString error;
            if (!doc::writeSchedule(dir.filePath(name), rows, &error)) {
                state.SkipWithError("the schedule could not be written");
                return;
            }
        }
    };
    // Seconds per run: five runs each.
    benchmark::RegisterBenchmark("schedule/xlsx", schedule, QStringLiteral("ведомость.xlsx"))
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5);
    benchmark::RegisterBenchmark("schedule/csv", schedule, QStringLiteral("ведомость.csv"))
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5);
    benchmark::RegisterBenchmark("schedule/read files",
                                 [&](benchmark::State& state) {
                                     for (auto _ : state)
                                         for (const QString& path : paths) {
                                             QString error;
                                             benchmark::DoNotOptimize(doc::readFile(path, &error));
                                         }
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5);

    vardo::bench::MedianCollector collector;
    if (!vardo::bench::runBenchmarks(argc, argv, collector,
                                     {"--benchmark_enable_random_interleaving=true"}))
        return 1;
    // Google Benchmark names a benchmark of its own repetitions after them.
    const std::string runs = "/repeats:5";
    if (!collector.has("schedule/read files" + runs)) return 0;
    const double yard = collector.cpuSeconds("schedule/read files" + runs) / kFiles;
    using vardo::bench::format;
    for (const char* kind : {"xlsx", "csv"}) {
        const std::string name = std::string("schedule/") + kind + runs;
        if (!collector.has(name)) continue;
        // CPU time: on a shared machine the wall time of seconds of work drifts with the others'.
        const double ours = collector.cpuSeconds(name) / kFiles;
        vardo::bench::printRow({format("schedule of 10,000 files, .%s, per file (CPU)", kind),
                                format("%.3f ms", ours * 1e3),
                                format("%.3f ms reading and parsing", yard * 1e3),
                                format("%.1fx", ours / yard), "<= 4x", ours <= 4 * yard});
    }
    if (fewPeak > 0 && allPeak > 0) {
        const double perFile = double(allPeak - fewPeak) / (kFiles - kFewFiles);
        vardo::bench::printRow({"schedule memory per file (peak, 1,000 to 10,000 files)",
                                format("%.2f KiB", perFile), "-", "-", "<= 1 KiB", perFile <= 1.0});
    }
    return 0;
}
