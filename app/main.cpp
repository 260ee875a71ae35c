// Vardo: the main window opens, and the program ends when it and every window it opened are closed.

#include <QApplication>
#include <QIcon>

#include "core/version.h"
#include "mainwindow/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(vardo::version::programName());
    QApplication::setApplicationVersion(vardo::version::versionNumber());
    // The loop ends when the last window that keeps the program running is closed: the main
    // window, the About window and the calculator each do (Form1 marks the two it opens).
    QApplication::setQuitOnLastWindowClosed(true);
    auto* window = new Form1;  // deletes itself when closed
    window->show();
    return app.exec();
}
