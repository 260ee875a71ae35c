// Start-up of the main window with the sample workbooks against its yardstick, the same controls
// in plain Qt (widgets_probe: the window generated from the main window's inventory, with its
// fonts and stacking but no logic and no workbooks). It pays for the font machinery and the
// widgets as the main window does, so the ratio to it is what the main window's own code and
// libraries cost. Two more probes are shown for comparison only: the same window linked as the main
// window is (widgets_linked_probe: the same program with every shared library of the main window's
// code loaded, unused), and an empty Qt Widgets window of the same size, which never starts the
// font machinery before it is on screen.
// Each probe is its own process, started with QT_QPA_PLATFORM=offscreen and data/ as its working
// directory; they run in turn, the order rotating from run to run (after one unmeasured run
// each, which fills the page cache). Figures, the median of the runs of each probe:
//   - wall time from just before the process is started to the moment its window, exposed and
//     painted, is on screen (the probe marks that moment on the shared monotonic clock);
//   - peak resident memory of the process (ru_maxrss from wait4).
// The detail shows where the time goes: the median time from the start to each phase the probes
// mark (probe.h), and to the end of the process; and the median CPU time of each process, which a
// busy machine stretches less than the wall time. With valgrind installed, the main window and
// its yardstick are also run once each under callgrind: their instructions, which no other load
// of the machine changes, against the target of 1.08x.
// The driver is plain POSIX C++ without Qt, so the pages it shares with a starting child are few.
//
// Usage: startup_bench [runs per probe, default 15] [working directory, default the sample data]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "bench/row.h"

extern char** environ;

namespace {

// The phases the probes mark, in their order.
const char* const kPhases[] = {"main", "application", "window", "shown", "exposed"};
constexpr int kPhaseCount = sizeof kPhases / sizeof kPhases[0];
constexpr int kExposed = kPhaseCount - 1;

struct Run {
    double phaseMs[kPhaseCount] = {};  // start to each phase
    double exposedMs = 0;              // start to window on screen
    double totalMs = 0;                // start to exit
    double peakMiB = 0;                // ru_maxrss
    double cpuMs = 0;                  // user and system time of the whole process
    std::string size;                  // the window size the probe reported
};

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

std::string directoryOfThisProgram() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    path[n] = '\0';
    std::string s(path);
    return s.substr(0, s.rfind('/'));
}

// Runs one probe to its end; false (with the reason on stderr) when it did not report a window.
bool runProbe(const std::string& program, Run& run) {
    int out[2];
    if (pipe(out) != 0) return false;
    char errName[] = "/tmp/vardo-probe-XXXXXX";
    const int errFd = mkstemp(errName);
    if (errFd < 0) return false;
    unlink(errName);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    posix_spawn_file_actions_addclose(&actions, errFd);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

    const long long start = monotonicNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), std::strerror(spawned));
        close(out[0]);
        close(errFd);
        return false;
    }

    std::string output;
    char buffer[512];
    for (;;) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n > 0) {
            output.append(buffer, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const long long end = monotonicNs();

    long long marks[kPhaseCount] = {};
    char size[64] = "";
    for (size_t at = 0; at < output.size();) {
        size_t eol = output.find('\n', at);
        if (eol == std::string::npos) eol = output.size();
        const std::string line = output.substr(at, eol - at);
        char phase[32] = "";
        long long ns = 0;
        if (std::sscanf(line.c_str(), "mark %31s %lld", phase, &ns) == 2) {
            for (int i = 0; i < kPhaseCount; ++i)
                if (std::strcmp(phase, kPhases[i]) == 0) marks[i] = ns;
        }
        std::sscanf(line.c_str(), "size %63s", size);
        at = eol + 1;
    }
    bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    for (const long long ns : marks) ok = ok && ns > start;
    if (!ok) {
        std::fprintf(stderr, "%s failed (status %d); its messages:\n", program.c_str(), status);
        lseek(errFd, 0, SEEK_SET);
        ssize_t n;
        while ((n = read(errFd, buffer, sizeof buffer)) > 0) fwrite(buffer, 1, n, stderr);
    }
    close(errFd);
    for (int i = 0; i < kPhaseCount; ++i) run.phaseMs[i] = (marks[i] - start) / 1e6;
    run.exposedMs = run.phaseMs[kExposed];
    run.totalMs = (end - start) / 1e6;
    run.peakMiB = usage.ru_maxrss / 1024.0;  // kibibytes on Linux
    run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    run.size = size;
    return ok;
}

// The instructions one run of the program executes to its end, counted by valgrind's callgrind
// (the same from run to run, whatever else the machine does); -1 when it could not be counted.
long long countInstructions(const std::string& program) {
    char outName[] = "/tmp/vardo-callgrind-XXXXXX";
    const int outFd = mkstemp(outName);
    if (outFd < 0) return -1;
    close(outFd);
    const std::string outFile = std::string("--callgrind-out-file=") + outName;
    const int devNull = open("/dev/null", O_WRONLY);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, devNull, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, devNull, STDERR_FILENO);
    char* argv[] = {const_cast<char*>("valgrind"), const_cast<char*>("--tool=callgrind"),
                    const_cast<char*>(outFile.c_str()), const_cast<char*>(program.c_str()),
                    nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "valgrind", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(devNull);
    int status = 0;
    while (spawned == 0 && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    long long count = -1;
    if (spawned == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        if (FILE* f = std::fopen(outName, "r")) {
            char line[512];
            while (std::fgets(line, sizeof line, f))
                if (std::sscanf(line, "summary: %lld", &count) == 1) break;
            std::fclose(f);
        }
    }
    unlink(outName);
    return count;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Probe {
    const char* label;
    std::string program;
    std::vector<Run> runs;

    std::vector<double> pick(double Run::*field) const {
        std::vector<double> v;
        for (const Run& r : runs) v.push_back(r.*field);
        return v;
    }
    double medianPhase(int phase) const {
        std::vector<double> v;
        for (const Run& r : runs) v.push_back(r.phaseMs[phase]);
        return median(v);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    const char* workingDirectory = argc > 2 ? argv[2] : VARDO_SAMPLE_DATA;
    if (runs < 1 || chdir(workingDirectory) != 0) {
        std::fprintf(stderr, "usage: %s [runs >= 1] [working directory]\n", argv[0]);
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    const std::string dir = directoryOfThisProgram();
    Probe window{"main window", dir + "/startup_probe", {}};
    Probe widgets{"same widgets", dir + "/widgets_probe", {}};
    Probe widgetsLinked{"+ its libs", dir + "/widgets_linked_probe", {}};
    Probe empty{"empty window", dir + "/empty_probe", {}};
    Probe* const probes[] = {&window, &widgets, &widgetsLinked, &empty};
    constexpr int kProbeCount = sizeof probes / sizeof probes[0];

    Run warmUp;
    for (Probe* probe : probes)
        if (!runProbe(probe->program, warmUp)) return 2;
    std::printf("%-5s %-13s %12s %12s %10s  %s\n", "run", "probe", "exposed ms", "exit ms",
                "peak MiB", "size");
    for (int i = 0; i < runs; ++i) {
        // Rotate which one goes first, so that a drift of the machine touches all alike.
        for (int k = 0; k < kProbeCount; ++k) {
            Probe* probe = probes[(i + k) % kProbeCount];
            Run run;
            if (!runProbe(probe->program, run)) return 2;
            std::printf("%-5d %-13s %12.1f %12.1f %10.1f  %s\n", i + 1, probe->label, run.exposedMs,
                        run.totalMs, run.peakMiB, run.size.c_str());
            probe->runs.push_back(run);
        }
    }
    for (const Probe* yardstick : probes)
        if (window.runs.front().size != yardstick->runs.front().size)
            std::printf("WARNING: the windows differ in size (%s against %s of the %s)\n",
                        window.runs.front().size.c_str(), yardstick->runs.front().size.c_str(),
                        yardstick->label);

    const auto detail = [&probes](const char* what, auto value) {
        std::printf("  %-28s", what);
        for (const Probe* probe : probes) std::printf(" %13.1f", value(*probe));
        std::printf("\n");
    };
    std::printf("\n%-30s", "median ms from the start to");
    for (const Probe* probe : probes) std::printf(" %13s", probe->label);
    std::printf("\n");
    for (int i = 0; i < kPhaseCount; ++i)
        detail(kPhases[i], [i](const Probe& p) { return p.medianPhase(i); });
    detail("exit", [](const Probe& p) { return median(p.pick(&Run::totalMs)); });
    // CPU time, to exit: what a busy machine stretches least, beside the wall times above.
    detail("CPU ms (user + system)", [](const Probe& p) { return median(p.pick(&Run::cpuMs)); });
    detail("peak MiB", [](const Probe& p) { return median(p.pick(&Run::peakMiB)); });

    // Instructions, for the window and its yardstick: the machine's other work changes the wall
    // times by several percent, never these.
    const long long oursInstructions = countInstructions(window.program);
    const long long widgetsInstructions = countInstructions(widgets.program);
    if (oursInstructions > 0 && widgetsInstructions > 0)
        std::printf("  %-28s %13.1f %13.1f\n", "instructions (callgrind), M",
                    oursInstructions / 1e6, widgetsInstructions / 1e6);
    else
        std::printf("  instructions not counted (is valgrind installed?)\n");

    using vardo::bench::format;
    const double ours = median(window.pick(&Run::exposedMs));
    const double oursMem = median(window.pick(&Run::peakMiB));
    const std::string wallFigure =
        format("start-up to window on screen (wall, median of %d)", runs);
    const std::string memoryFigure = format("peak resident memory (ru_maxrss, median of %d)", runs);
    const auto rows = [&](const Probe& yardstick, const char* name, bool target) {
        const double wall = median(yardstick.pick(&Run::exposedMs));
        const double memory = median(yardstick.pick(&Run::peakMiB));
        const bool counted = target && oursInstructions > 0 && widgetsInstructions > 0;
        vardo::bench::printRow({wallFigure, format("%.1f ms", ours),
                                format("%.1f ms %s", wall, name), format("%.2fx", ours / wall),
                                target ? "<= 1.10x" : "-", ours <= 1.10 * wall, !target,
                                counted ? std::to_string(oursInstructions) : "",
                                counted ? std::to_string(widgetsInstructions) : ""});
        if (counted) {
            const double ratio = double(oursInstructions) / double(widgetsInstructions);
            vardo::bench::printRow({"start-up to window on screen (instructions, callgrind)",
                                    format("%.1f M", oursInstructions / 1e6),
                                    format("%.1f M %s", widgetsInstructions / 1e6, name),
                                    format("%.3fx", ratio), "<= 1.08x", ratio <= 1.08});
        }
        vardo::bench::printRow({memoryFigure, format("%.1f MiB", oursMem),
                                format("%.1f MiB %s", memory, name),
                                format("%.2fx", oursMem / memory), target ? "<= 1.10x" : "-",
                                oursMem <= 1.10 * memory, !target});
    };
    // Against the same controls in plain Qt: the targets.
    rows(widgets, "same widgets", true);
    // For comparison only: the same controls with the main window's shared libraries loaded,
    // which shows what of the difference is loading them; and the empty window.
    rows(widgetsLinked, "same + its libs", false);
    rows(empty, "empty window", false);
    return 0;
}
