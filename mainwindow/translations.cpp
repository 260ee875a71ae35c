#include "mainwindow/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

bool installToolkitTranslation(QCoreApplication* app) {
    auto* translator = new QTranslator(app);
    if (!translator->load(u"qtbase_ru"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace vardo::mainwindow
