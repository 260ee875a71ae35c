#include "mainwindow/helppage.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

#include "core/datafile.h"

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

bool openHelpPage(const HelpViewer& viewer, QString* error) {
    const QString name = u"help.html"_s;
    const QString path = locateDataFile(name);
    if (!QFileInfo(path).isFile()) {
        QStringList folders;
        for (const QString& folder : dataSearchFolders())
            folders << QDir::toNativeSeparators(folder);
        *error = u"Справка не найдена: файла «%1» нет ни в одной из папок программы:\n%2"_s.arg(
            name, folders.join(u'\n'));
        return false;
    }
    const bool shown = viewer ? viewer(path) : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!shown) {
        *error =
            u"Справку «%1» открыть не удалось: нет программы для просмотра страниц "
            u"(браузера)."_s.arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

}  // namespace vardo::mainwindow
