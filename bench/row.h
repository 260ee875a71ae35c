#pragma once
// One row of the summary table that scripts/bench prints: figure, ours, yardstick, ratio, target,
// met, and optionally the two benchmarks whose instructions are counted. Rows go to standard
// output, tab-separated after the marker "ROW"; everything else a benchmark program prints is the
// detail behind them.

#include <cstdio>
#include <string>

namespace vardo::bench {

struct SummaryRow {
    std::string figure;
    std::string ours;
    std::string yardstick;
    std::string ratio;
    std::string target;
    bool met = false;
    bool reference = false;  // a figure shown for comparison only: no target, "-" as met
    // The Google Benchmark names of ours and of the yardstick, whose instructions scripts/bench
    // counts under callgrind (summary.h), or the counts themselves where the program counted
    // them (startup_bench); empty: none counted.
    std::string oursBenchmark = {};
    std::string yardstickBenchmark = {};
};

inline void printRow(const SummaryRow& row) {
    std::printf("ROW\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", row.figure.c_str(), row.ours.c_str(),
                row.yardstick.c_str(), row.ratio.c_str(), row.target.c_str(),
                row.reference ? "-"
                : row.met     ? "yes"
                              : "no",
                row.oursBenchmark.c_str(), row.yardstickBenchmark.c_str());
    std::fflush(stdout);
}

// printf into a std::string, for the cells of a row.
template <class... Args>
std::string format(const char* pattern, Args... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, args...);
    return buffer;
}

}  // namespace vardo::bench
