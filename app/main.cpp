// Vardo: the main window opens, and the program ends when it and every window it opened are closed.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

#include "core/clocale.h"
#include "core/version.h"
#include "mainwindow/form1.h"
#include "mainwindow/translations.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // QApplication took the C library's locale from the environment; its numbers stay in the C
    // form, so that no library the program drives writes or reads a decimal comma.
    vardo::useCNumericLocale();
    QApplication::setApplicationName(vardo::version::programName());
    QApplication::setApplicationVersion(vardo::version::versionNumber());
    // Settings (the chosen tables folder) are kept under ~/.config/Vardo/, shared with
    // vardo-report; the desktop entry and the icon are found by the program's id.
    QApplication::setOrganizationName(QStringLiteral("Vardo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vardo.Vardo"));
    // The toolkit's texts (file dialogs, context menus, message box buttons) in Russian.
    vardo::mainwindow::installToolkitTranslation(&app);

    // vardo [FILE.vardo]: the desktop entry passes the files the user opened with the program.
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Расчет жестких поперечин"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("файл"),
                                 QStringLiteral("файл расчета .vardo, открываемый при запуске"),
                                 QStringLiteral("[файл.vardo]"));
    parser.process(app);
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
    // Opened once the window is on screen, so that a message about the file has the window
    // behind it and the start-up selection is already made.
    window->document().openFromCommandLine(parser.positionalArguments());
    return app.exec();
}
