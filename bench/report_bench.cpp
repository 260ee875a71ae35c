// vardo-report with many calculation files: the time from its start to its first line, which
// comes once the first file's report is made. Before that line the run settles where each report
// goes and checks it against every file the run reads; that work has to grow with the number of
// files, not with its square. Yardstick: the same run with one file. Figures, the median of five
// runs each, of the CPU time vardo-report has taken by its first line (the wall time is in the
// detail): 1,000 and 5,000 files of one folder (reports beside them), and 10,000 files of one
// name, each in a folder of its own, into one report folder (a.pdf, a-2.pdf, ... a-10000.pdf).
// The run is stopped at its first line: writing 10,000 PDFs is not what is measured.
//
// Then the PDF itself: the CPU time of ten reports of the sample road, each laid out and written
// as a PDF, against the same ten laid out the way they were before, again after every change to
// the document (Report::Layout::AfterEveryEdit), in turns of the same run; the median of five.
#include <unistd.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "bench/row.h"
#include "core/catalogue.h"
#include "document/calculation.h"
#include "document/graderows.h"
#include "document/gradeselection.h"
#include "document/recompute.h"
#include "document/report.h"
#include "tables/workbook.h"

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

namespace doc = vardo::document;

// The report of the sample road, as vardo-report makes it.
std::optional<doc::ReportInput> sampleReport() {
    QString error;
    const std::optional<doc::Calculation> c =
        doc::readFile(QStringLiteral(VARDO_TEST_DATA "/road.vardo"), &error);
    if (!c) return std::nullopt;
    const auto table = [](const QString& workbook) {
        return vardo::tables::readWorkbook(QStringLiteral(VARDO_SAMPLE_DATA "/") + workbook).table;
    };
    doc::ReportInput in;
    in.calculation = *c;
    const doc::Recomputation again = doc::recompute(*c);
    in.results = again.results;
    in.governingG = again.governingG;
    in.governingGice = again.governingGice;
    in.fileName = QStringLiteral("road.vardo");
    in.date = QDateTime(QDate(2026, 12, 7), QTime(9, 0));
    in.allowableWorkbook = doc::allowableWorkbookName(*c);
    in.allowable = table(in.allowableWorkbook);
    in.crossbeamTables = doc::crossbeamTablesOf(
        [&](const QString& source) { return table(vardo::catalogue::workbookOf(source)); });
    in.mfsTable = table(QString::fromUtf16(doc::kMfsWorkbook));
    return in;
}

// CPU milliseconds of ten reports laid out so and written as PDFs; -1 when one was not written.
double tenPdfs(const doc::ReportInput& in, doc::Report::Layout layout, const QString& path) {
    const std::clock_t start = std::clock();
    for (int i = 0; i < 10; ++i)
        if (!doc::Report(in, layout).writePdf(path, nullptr)) return -1;
    return double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
}

// The ten PDFs against the way they were laid out before; the exit status's part.
bool pdfFigure() {
    const std::optional<doc::ReportInput> in = sampleReport();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("road.pdf"));
    std::vector<double> ours, before;
    for (int i = 0; in && i < kRuns; ++i) {
        before.push_back(tenPdfs(*in, doc::Report::Layout::AfterEveryEdit, path));
        ours.push_back(tenPdfs(*in, doc::Report::Layout::Once, path));
    }
    std::sort(ours.begin(), ours.end());
    std::sort(before.begin(), before.end());
    const double o = ours.empty() ? -1 : ours[ours.size() / 2];
    const double b = before.empty() ? -1 : before[before.size() / 2];
    std::printf(
        "10 PDFs of road.vardo: %.0f ms CPU laid out once, %.0f ms laid out after every "
        "edit\n",
        o, b);
    const double ratio = o / b;
    const bool met = o > 0 && b > 0 && ratio <= 0.4;
    vardo::bench::printRow({"report: 10 PDFs laid out once (CPU)",
                            vardo::bench::format("%.0f ms", o),
                            vardo::bench::format("%.0f ms relaid per edit", b),
                            vardo::bench::format("%.2fx", ratio), "<= 0.4x", met});
    return met;
}

}  // namespace

int main(int argc, char** argv) {
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
    // The reports are laid out here, with the fonts vardo-report uses.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!pdfFigure()) status = 1;
    return status;
}
