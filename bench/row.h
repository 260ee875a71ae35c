#pragma once
// One row of the summary table that scripts/bench prints: figure, ours, yardstick, ratio, target,
// met. Rows go to standard output, tab-separated after the marker "ROW"; everything else a
// benchmark program prints is the detail behind them.

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
};

inline void printRow(const SummaryRow& row) {
    std::printf("ROW\t%s\t%s\t%s\t%s\t%s\t%s\n", row.figure.c_str(), row.ours.c_str(),
                row.yardstick.c_str(), row.ratio.c_str(), row.target.c_str(),
                row.reference ? "-"
                : row.met     ? "yes"
                              : "no");
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
