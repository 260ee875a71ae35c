// vardo-report with many calculation files: the time from its start to its first line, which
// comes once the first file's report is made. Before that line the run settles where each report
// goes and checks it against every file the run reads; that work has to grow with the number of
// files, not with its square. Yardstick: the same run with one file. Figures, the median of five
// runs each: 1,000 and 5,000 files of one folder (reports beside them), and 10,000 files of one
// name, each in a folder of its own, into one report folder (a.pdf, a-2.pdf, ... a-10000.pdf).
// The run is stopped at its first line: writing 10,000 PDFs is not what is measured.
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

// Milliseconds from the start of vardo-report to its first line on standard output; -1 when
// there was none.
double toFirstLine(const QString& folder, const QStringList& arguments) {
    QProcess process;
    process.setWorkingDirectory(folder);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(VARDO_REPORT_EXE), arguments);
    QByteArray out;
    while (!out.contains('\n') && process.waitForReadyRead(600000))
        out += process.readAllStandardOutput();
    const double ms = out.contains('\n') ? timer.nsecsElapsed() / 1e6 : -1;
    process.kill();
    process.waitForFinished();
    return ms;
}

double median(const QString& folder, const QStringList& arguments) {
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) runs.push_back(toFirstLine(folder, arguments));
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

}  // namespace

int main() {
    const QStringList tables{QStringLiteral("--tables"), QStringLiteral(VARDO_SAMPLE_DATA)};
    QTemporaryDir one, thousand, fiveThousand, alike;
    const QStringList oneFile = makeFiles(QDir(one.path()), 1, false);
    const double yardstick = median(one.path(), tables + oneFile);
    std::printf("one file: first line after %.0f ms\n", yardstick);
    const struct {
        const char* figure;
        QTemporaryDir& dir;
        int count;
        bool alike;
    } cases[] = {
        {"vardo-report, first line of 1,000 files", thousand, 1000, false},
        {"vardo-report, first line of 5,000 files", fiveThousand, 5000, false},
        {"vardo-report, first line of 10,000 alike", alike, 10000, true},
    };
    int status = 0;
    for (const auto& c : cases) {
        const QStringList files = makeFiles(QDir(c.dir.path()), c.count, c.alike);
        QStringList arguments = tables;
        if (c.alike) arguments << QStringLiteral("-o") << QStringLiteral("out");
        const double ours =
            files.size() == c.count && yardstick > 0 ? median(c.dir.path(), arguments + files) : -1;
        std::printf("%s: first line after %.0f ms\n", c.figure, ours);
        const double ratio = ours / yardstick;
        // Linear: the checks of 10,000 files cost less than the start and one report.
        const bool met = ours > 0 && ratio < 2.0;
        if (!met) status = 1;
        vardo::bench::printRow({c.figure, vardo::bench::format("%.0f ms", ours),
                                vardo::bench::format("%.0f ms one file", yardstick),
                                vardo::bench::format("%.2fx", ratio), "< 2x", met});
    }
    return status;
}
