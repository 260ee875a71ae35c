// vardo-report with many calculation files: the time from its start to its first line, which
// comes once the first file's report is made. Before that line the run settles where each report
// goes and checks it against every file the run reads; that work has to grow with the number of
// files, not with its square. Yardstick: the same run with one file. Figures, the median of five
// runs each, of the CPU time vardo-report has taken by its first line (the wall time is in the
// detail): 1,000 and 5,000 files of one folder (reports beside them), and 10,000 files of one
// name, each in a folder of its own, into one report folder (a.pdf, a-2.pdf, ... a-10000.pdf).
// The run is stopped at its first line: writing 10,000 PDFs is not what is measured.
#include <unistd.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/row.h"

namespace {

constexpr int kRuns = 5;

// Copies of one sample calculation: folder/0000.vardo ... or, alike, folder/0000/a.vardo ...
QStringList makeFiles(const QDir& dir, int count, bool alike) {
    QFile sample(QStringLiteral(VARDO_TEST_DATA "/road.vardo"));
    if (!sample.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = sample.readAll();
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString number = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
        const QString name =
            alike ? number + QStringLiteral("/a.vardo") : number + QStringLiteral(".vardo");
        if (alike && !dir.mkpath(number)) return {};
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
        names << name;
    }
    return names;
}

struct Run {
    double wallMs = -1;  // from the start to the first line; -1: there was none
    double cpuMs = -1;   // user and system time of vardo-report by then
};

// The CPU time the process has taken so far (Linux: /proc/PID/stat, in clock ticks).
double cpuMsOf(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray text = stat.readAll();
    // The fields after the command's name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return -1;
    const double ticks = fields[11].toDouble() + fields[12].toDouble();  // utime, stime
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

Run toFirstLine(const QString& folder, const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(folder);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(VARDO_REPORT_EXE), arguments);
    QByteArray out;
    while (!out.contains('\n') && process.waitForReadyRead(600000))
        out += process.readAllStandardOutput();
    Run run;
    if (out.contains('\n')) {
        run.wallMs = double(timer.nsecsElapsed()) / 1e6;
        run.cpuMs = cpuMsOf(process.processId());
    }
    process.kill();
    process.waitForFinished();
    return run;
}

// The medians of the runs.
Run median(const QString& folder, const QStringList& arguments) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < kRuns; ++i) {
        const Run r = toFirstLine(folder, arguments);
        wall.push_back(r.wallMs);
        cpu.push_back(r.cpuMs);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

}  // namespace

int main() {
    const QStringList tables{QStringLiteral("--tables"), QStringLiteral(VARDO_SAMPLE_DATA)};
    QTemporaryDir one, thousand, fiveThousand, alike;
    const QStringList oneFile = makeFiles(QDir(one.path()), 1, false);
    const Run yardstick = median(one.path(), tables + oneFile);
    std::printf("one file: first line after %.0f ms, %.0f ms CPU\n", yardstick.wallMs,
                yardstick.cpuMs);
    const struct {
        const char* figure;
        QTemporaryDir& dir;
        int count;
        bool alike;
    } cases[] = {
        {"vardo-report to 1st line, 1,000 files (CPU)", thousand, 1000, false},
        {"vardo-report to 1st line, 5,000 files (CPU)", fiveThousand, 5000, false},
        {"vardo-report to 1st line, 10,000 alike (CPU)", alike, 10000, true},
    };
    int status = 0;
    for (const auto& c : cases) {
        const QStringList files = makeFiles(QDir(c.dir.path()), c.count, c.alike);
        QStringList arguments = tables;
        if (c.alike) arguments << QStringLiteral("-o") << QStringLiteral("out");
        const Run ours = files.size() == c.count && yardstick.cpuMs > 0
                             ? median(c.dir.path(), arguments + files)
                             : Run{};
        std::printf("%s: first line after %.0f ms, %.0f ms CPU\n", c.figure, ours.wallMs,
                    ours.cpuMs);
        // CPU time, which a busy machine stretches less than the wall time. Linear: the checks of
        // 10,000 files cost less than the start and one report.
        const double ratio = ours.cpuMs / yardstick.cpuMs;
        const bool met = ours.cpuMs > 0 && ratio < 2.0;
        if (!met) status = 1;
        vardo::bench::printRow({c.figure, vardo::bench::format("%.0f ms", ours.cpuMs),
                                vardo::bench::format("%.0f ms one file", yardstick.cpuMs),
                                vardo::bench::format("%.2fx", ratio), "< 2x", met});
    }
    return status;
}
