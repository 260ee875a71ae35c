// Reading the eight sample workbooks of data/ into tables, as the start-up does. Yardstick: reading
// the same files' bytes, the part no reader can avoid; the ratio is what opening the compound file
// and decoding the records cost on top of it. The target is absolute: under 10 ms for all eight.
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdio>

#include "bench/summary.h"
#include "tables/workbook.h"

namespace {

QStringList sampleWorkbooks() {
    const QDir dir(QStringLiteral(VARDO_SAMPLE_DATA));
    QStringList paths;
    for (const QString& name : dir.entryList({QStringLiteral("*.xls")}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

void readAll(benchmark::State& state, const QStringList& paths) {
    for (auto _ : state) {
        vardo::bench::counted([&] {
            for (const QString& path : paths) {
                vardo::tables::ReadResult result = vardo::tables::readWorkbook(path);
                benchmark::DoNotOptimize(result);
            }
        });
    }
}

void readBytes(benchmark::State& state, const QStringList& paths) {
    for (auto _ : state) {
        bool opened = true;
        vardo::bench::counted([&] {
            for (const QString& path : paths) {
                QFile file(path);
                opened = opened && file.open(QIODevice::ReadOnly);
                QByteArray bytes = file.readAll();
                benchmark::DoNotOptimize(bytes);
            }
        });
        if (!opened) {
            state.SkipWithError("a workbook cannot be opened");
            return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const QStringList paths = sampleWorkbooks();
    int cells = 0;
    for (const QString& path : paths) {
        const vardo::tables::ReadResult result = vardo::tables::readWorkbook(path);
        if (!result.ok()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(result.errorText));
            return 2;
        }
        const int tableCells = result.table.rowCount() * result.table.columnCount();
        std::printf("%-40s %6lld bytes, %3d rows x %2d columns\n", qPrintable(path),
                    static_cast<long long>(QFile(path).size()), result.table.rowCount(),
                    result.table.columnCount());
        cells += tableCells;
    }
    std::printf("%lld workbooks, %d cells in all\n", static_cast<long long>(paths.size()), cells);
    if (paths.size() != 8) {
        std::fprintf(stderr, "expected the eight sample workbooks in %s\n", VARDO_SAMPLE_DATA);
        return 2;
    }
    benchmark::RegisterBenchmark("workbooks/read", readAll, paths);
    benchmark::RegisterBenchmark("workbooks/bytes", readBytes, paths);

    vardo::bench::MedianCollector collector;
    if (!vardo::bench::runBenchmarks(argc, argv, collector)) return 1;
    if (!collector.has("workbooks/read") || !collector.has("workbooks/bytes")) return 0;

    // Wall time: reading files is what the user waits for, whether the CPU or the disk works.
    const double ours = collector.realSeconds("workbooks/read");
    const double yard = collector.realSeconds("workbooks/bytes");
    using vardo::bench::format;
    vardo::bench::printRow({"reading the 8 sample workbooks (wall)", format("%.3f ms", ours * 1e3),
                            format("%.3f ms file bytes", yard * 1e3), format("%.1fx", ours / yard),
                            "< 10 ms", ours < 10e-3, false, "workbooks/read", "workbooks/bytes"});
    return 0;
}
