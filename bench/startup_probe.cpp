// Start-up probe: the main window with the workbooks of the working directory, shown until it is
// on screen. Started by startup_bench with data/ as its working directory.
#include <QApplication>
#include <cstdio>

#include "bench/probe.h"
#include "mainwindow/form1.h"

int main(int argc, char* argv[]) {
    vardo::bench::mark("main");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vardo"));
    vardo::bench::mark("application");
    Form1 window;  // the whole start-up: controls, workbooks, data sources
    // A start-up without every workbook is not the start-up being measured.
    if (!window.workbookReport().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(window.workbookReport()));
        return 3;
    }
    window.setMessageSink(
        [](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); });
    return vardo::bench::runProbe(window);
}
