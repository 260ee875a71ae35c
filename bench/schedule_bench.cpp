// The schedule of crossbeams of 1,000 calculation files, as vardo-report --schedule makes it: each
// file read and checked, its results worked out again, every grade of its series checked with its
// own rows, and the workbook written through a temporary file. Yardstick: reading and checking
// the same files alone (readFile), the part no schedule can avoid. The target is absolute: under
// 2 s for the 1,000 files.
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>

#include "bench/summary.h"
#include "document/calculation.h"
#include "document/gradeselection.h"
#include "document/schedule.h"
#include "tables/workbook.h"

namespace {

namespace doc = vardo::document;

constexpr int kFiles = 1000;

vardo::tables::Table sample(const char16_t* bareName) {
    const QString path = QStringLiteral(VARDO_SAMPLE_DATA) + u'/' + QString::fromUtf16(bareName);
    return vardo::tables::readWorkbook(path).table;
}

// 1,000 files: the two sample calculations of the tests, by turns, with the series alternated
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
            dir.filePath(QStringLiteral("%1.vardo").arg(i, 4, 10, QLatin1Char('0')));
        if (!doc::writeFile(path, c, &error)) return {};
        paths << path;
    }
    return paths;
}

}  // namespace

int main(int argc, char** argv) {
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
    benchmark::RegisterBenchmark("schedule/xlsx", schedule, QStringLiteral("ведомость.xlsx"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("schedule/csv", schedule, QStringLiteral("ведомость.csv"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("schedule/read files", [&](benchmark::State& state) {
        for (auto _ : state)
            for (const QString& path : paths) {
                QString error;
                benchmark::DoNotOptimize(doc::readFile(path, &error));
            }
    })->Unit(benchmark::kMillisecond);

    vardo::bench::MedianCollector collector;
    if (!vardo::bench::runBenchmarks(argc, argv, collector)) return 1;
    if (!collector.has("schedule/xlsx") || !collector.has("schedule/read files")) return 0;
    const double yard = collector.realSeconds("schedule/read files");
    using vardo::bench::format;
    for (const char* kind : {"xlsx", "csv"}) {
        const std::string name = std::string("schedule/") + kind;
        if (!collector.has(name)) continue;
        const double ours = collector.realSeconds(name);
        vardo::bench::printRow({format("schedule of 1,000 files, .%s (wall)", kind),
                                format("%.0f ms", ours * 1e3),
                                format("%.0f ms reading the files", yard * 1e3),
                                format("%.1fx", ours / yard), "< 2 s", ours < 2.0});
    }
    return 0;
}
