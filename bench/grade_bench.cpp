// The check of every grade of the window "Подбор ригеля", as it runs on each change of the sheet:
// the worked example (two suspension points, the 18 m crossbeam, "1/3", series П) against the
// sample tables. Figures: the six-grade check alone (checkEveryGrade: each grade's six moments
// with its own rows, then the bands and lengths), and the whole refresh without widgets (the
// sheet's results worked out again, what is missing, the check). Target: under 1 ms.
#include <cstdio>

#include "bench/summary.h"
#include "core/catalogue.h"
#include "document/gradeselection.h"
#include "tables/workbook.h"

namespace {

using namespace vardo;
using namespace Qt::Literals::StringLiterals;

struct Example {
    document::Calculation calculation;
    tables::Table allowable;
    document::CrossbeamTables crossbeam;
};

tables::Table read(const char16_t* workbook) {
    return tables::readWorkbook(QStringLiteral(VARDO_SAMPLE_DATA) + u'/' +
                                QString::fromUtf16(workbook))
        .table;
}

Example workedExample() {
    Example s;
    document::Calculation& c = s.calculation;
    for (const QString& name : catalogue::inputFields()) c.inputs.insert(name, u"0"_s);
    const QList<std::pair<QString, QString>> inputs = {
        {u"txtProlet"_s, u"1"_s}, {u"txtL1"_s, u"42"_s},    {u"txtP2"_s, u"1"_s},
        {u"txtG1"_s, u"69"_s},    {u"txtG2"_s, u"-131"_s},  {u"txtGg1"_s, u"133"_s},
        {u"txtGg2"_s, u"-118"_s}, {u"Combo2"_s, u"131"_s},  {u"Combo1"_s, u"1,59"_s},
        {u"txtGp"_s, u"55"_s},    {u"txtGpg"_s, u"21,5"_s}, {u"txtPp"_s, u"0,35"_s},
        {u"txtLp"_s, u"18"_s},    {u"txtVm"_s, u"10"_s}};
    for (const auto& [name, text] : inputs) c.inputs.insert(name, text);
    c.options = {{u"Frame3"_s, u"Option1"_s},
                 {u"Frame7"_s, u"Option4"_s},
                 {u"Frame15"_s, u"Option9"_s},
                 {u"Frame11"_s, u"Option8"_s}};
    c.mfs = {{u"Text18"_s, u"320"_s}, {u"Text19"_s, u"380"_s}, {u"Text20"_s, u"500"_s}};
    c.results = {{u"Label10"_s, u"4200"_s},
                 {u"Label11"_s, u"1350,5"_s},
                 {u"Text21"_s, u"1000"_s},
                 {u"Text22"_s, u"300"_s}};
    c.view = {{u"Text21"_s, true}, {u"Text22"_s, true}};
    s.allowable = read(catalogue::kSeries[0].allowable.workbook);
    s.crossbeam = {read(catalogue::kWorkbookWeight), read(catalogue::kWorkbookIce),
                   read(catalogue::kWorkbookWind)};
    return s;
}

void sixGrades(benchmark::State& state) {
    const Example s = workedExample();
    const document::Results results = document::sheetResults(s.calculation);
    for (auto _ : state) {
        bench::counted([&] {
            document::CrossbeamCheck check =
                document::checkEveryGrade(s.calculation, results, s.allowable, s.crossbeam);
            benchmark::DoNotOptimize(check);
        });
    }
}

void wholeRefresh(benchmark::State& state) {
    const Example s = workedExample();
    for (auto _ : state) {
        bench::counted([&] {
            const document::Results results = document::sheetResults(s.calculation);
            QStringList missing = document::selectionMissing(s.calculation, results);
            document::CrossbeamCheck check =
                document::checkEveryGrade(s.calculation, results, s.allowable, s.crossbeam);
            benchmark::DoNotOptimize(missing);
            benchmark::DoNotOptimize(check);
        });
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Example s = workedExample();
    const document::Results results = document::sheetResults(s.calculation);
    const document::CrossbeamCheck check =
        document::checkEveryGrade(s.calculation, results, s.allowable, s.crossbeam);
    // What was timed is a real check: every grade with its six moments, and the grade chosen.
    std::printf(
        "grades %d, first passing %s, missing: %s\n", int(check.grades.size()),
        check.firstPassing >= 0 ? qPrintable(check.grades[check.firstPassing].grade) : "none",
        qPrintable(document::selectionMissing(s.calculation, results).join(u"; "_s)));
    benchmark::RegisterBenchmark("grades/check", sixGrades);
    benchmark::RegisterBenchmark("grades/refresh", wholeRefresh);
    bench::MedianCollector collector;
    if (!bench::runBenchmarks(argc, argv, collector)) return 1;

    constexpr double kTargetSeconds = 1e-3;
    for (const char* name : {"grades/check", "grades/refresh"}) {
        if (!collector.has(name)) continue;
        const double ours = collector.cpuSeconds(name);
        using bench::format;
        bench::printRow({format("%s (CPU)", name), format("%.1f us", ours * 1e6), "-", "-",
                         "< 1 ms", ours < kTargetSeconds, false, name});
    }
    return 0;
}
