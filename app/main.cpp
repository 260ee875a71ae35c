// Vardo: the main window opens, and the program ends when it and every window it opened are closed.

#include <QApplication>
#include <QDir>
#include <QIcon>

#include "core/version.h"
#include "mainwindow/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(vardo::version::programName());
    QApplication::setApplicationVersion(vardo::version::versionNumber());
    // Settings (the chosen tables folder) are kept under ~/.config/Vardo/, shared with
    // vardo-report; the desktop entry and the icon are found by the program's id.
    QApplication::setOrganizationName(QStringLiteral("Vardo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vardo.Vardo"));
    // Every window (the main window, About, the calculator) shows the program's icon, in each
    // size built into the program.
    QIcon icon;
    for (const QFileInfo& png : QDir(QStringLiteral(":/icons")).entryInfoList())
        icon.addFile(png.filePath());
    QApplication::setWindowIcon(icon);
    // The loop ends when the last window that keeps the program running is closed: the main
    // window, the About window and the calculator each do (Form1 marks the two it opens).
    QApplication::setQuitOnLastWindowClosed(true);
    auto* window = new Form1;  // deletes itself when closed
    window->show();
    return app.exec();
}
