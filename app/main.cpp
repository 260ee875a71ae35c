// Vardo: the main window opens, and the program ends when it and every window it opened are closed.

#include <QApplication>
#include <QIcon>

#include "mainwindow/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vardo"));
    auto* window = new Form1;  // deletes itself when closed
    window->show();
    return app.exec();
}
