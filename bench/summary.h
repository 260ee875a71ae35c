#pragma once
// What the Google Benchmark programs share: the median of each benchmark and the defaults of a run.
//
// Every program runs its cases with repetitions and keeps the median of each (MedianCollector,
// which also prints the usual console table as detail). It then compares each of our figures with
// its yardstick, measured in the same run, and prints one summary row per figure (row.h);
// scripts/bench gathers the rows of all programs into one table.

// Instruction counts. A figure below 100 ms is shown also as the instructions it executes, which no
// other load of a shared machine changes: scripts/bench runs the program a second time under
//   VARDO_BENCH_INSTRUCTIONS=1 valgrind --tool=callgrind --collect-atstart=no
// where counted() collects the instructions of the loop bodies only (not the set-up around them),
// and each benchmark's are dumped when it ends, labelled with its name and the bodies run; the ROW
// of a figure names its two benchmarks (SummaryRow::oursBenchmark, yardstickBenchmark), and
// scripts/bench puts the counts per iteration beside it.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define VARDO_CALLGRIND 1
#endif

#include "bench/row.h"

namespace vardo::bench {

// True in the counting run of scripts/bench (under callgrind).
inline bool countingInstructions() {
#ifdef VARDO_CALLGRIND
    static const bool counting = RUNNING_ON_VALGRIND && std::getenv("VARDO_BENCH_INSTRUCTIONS");
    return counting;
#else
    return false;
#endif
}

// The bodies counted() ran since the last dump: Google Benchmark's own estimation rounds run them
// too, before the iterations it reports.
inline long long& countedBodies() {
    static long long bodies = 0;
    return bodies;
}

// Runs the body of one iteration, its instructions collected in the counting run.
template <class Body>
inline void counted(Body&& body) {
#ifdef VARDO_CALLGRIND
    if (countingInstructions()) {
        CALLGRIND_TOGGLE_COLLECT;
        body();
        CALLGRIND_TOGGLE_COLLECT;
        ++countedBodies();
        return;
    }
#endif
    body();
}

// A console reporter that also keeps, for each benchmark, the median of its repetitions (or its
// only run when there are no repetitions), as CPU and real seconds per iteration.
class MedianCollector : public benchmark::ConsoleReporter {
  public:
    // Plain text: the output goes to a log, and scripts/bench reads its rows line by line.
    MedianCollector() : ConsoleReporter(OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override {
#ifdef VARDO_CALLGRIND
        // The instructions counted() collected since the last dump: this benchmark's.
        if (countingInstructions() && !runs.empty()) {
            const std::string label = "vardo-bench " + std::to_string(countedBodies()) + " " +
                                      runs.front().run_name.str();
            CALLGRIND_DUMP_STATS_AT(label.c_str());
            countedBodies() = 0;
        }
#endif
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!median && !single) continue;
            const double perUnit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            medians_[run.run_name.str()] = {run.GetAdjustedCPUTime() / perUnit,
                                            run.GetAdjustedRealTime() / perUnit};
        }
        ConsoleReporter::ReportRuns(runs);
    }

    bool has(const std::string& name) const {
        return medians_.count(name) != 0;
    }
    // Seconds per iteration; throws when the benchmark did not run (filtered out, or failed).
    double cpuSeconds(const std::string& name) const {
        return find(name).cpu;
    }
    double realSeconds(const std::string& name) const {
        return find(name).real;
    }

  private:
    struct Times {
        double cpu = 0;
        double real = 0;
    };
    const Times& find(const std::string& name) const {
        const auto it = medians_.find(name);
        if (it == medians_.end()) throw std::runtime_error("no result for benchmark " + name);
        return it->second;
    }
    std::map<std::string, Times> medians_;
};

// Runs the registered benchmarks with the defaults of the bench command (7 repetitions, medians
// only) and a program's own (`more`) unless the command line says otherwise; returns false when
// the command line was wrong.
inline bool runBenchmarks(int argc, char** argv, MedianCollector& collector,
                          std::vector<std::string> more = {}) {
    std::vector<std::string> defaults = {"--benchmark_repetitions=7",
                                         "--benchmark_report_aggregates_only=true",
                                         "--benchmark_min_time=0.05"};
    defaults.insert(defaults.end(), more.begin(), more.end());
    // Counting: one repetition, the instructions being the same in every one; long enough that
    // what runs once (first allocations, lazy set-up) weighs little per body.
    if (countingInstructions())
        defaults = {"--benchmark_repetitions=1", "--benchmark_min_time=0.2"};
    std::vector<char*> args;
    args.push_back(argv[0]);
    for (std::string& flag : defaults) args.push_back(flag.data());
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);  // later flags win
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return false;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    return true;
}

}  // namespace vardo::bench
