// Start-up yardstick: an empty Qt Widgets window of the main window's size, shown until it is on
// screen.
#include <QApplication>
#include <QWidget>

#include "bench/probe.h"

int main(int argc, char* argv[]) {
    vardo::bench::mark("main");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vardo"));
    vardo::bench::mark("application");
    QWidget window;
    // The main window's client area, 10755 x 6375 twips at 15 twips per pixel.
    window.setFixedSize(717, 425);
    return vardo::bench::runProbe(window);
}
