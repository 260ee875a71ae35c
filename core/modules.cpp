#include "core/modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace vardo::modules {

QStringList folders() {
#ifdef VARDO_MODULES_INSTALLED
    if (!QCoreApplication::instance()) return {};
    const QString program = QCoreApplication::applicationDirPath();
    QStringList out{program,
                    QDir::cleanPath(program + u'/' + QStringLiteral(VARDO_MODULES_INSTALLED))};
    const QString tree = QFileInfo(QStringLiteral(VARDO_BUILD_TREE)).canonicalFilePath();
    if (!tree.isEmpty() && (program + u'/').startsWith(tree + u'/'))
        out << QStringLiteral(VARDO_MODULES_BUILT);
    return out;
#else
    return {};  // the modules are linked in
#endif
}

QFunctionPointer load(const QString& name, const QString& what, int interface, const char* entry,
                      QString* why) {
    const QStringList where = folders();
    for (const QString& folder : where) {
        // QLibrary's destructor leaves the library loaded; only unload() would unload it.
        QLibrary library(folder + u'/' + name);
        if (!QFileInfo::exists(library.fileName() + u".so"_s)) continue;
        const QString shown = QDir::toNativeSeparators(library.fileName());
        if (!library.load()) {
            if (why) *why = u"%1 «%2» не загружается: %3"_s.arg(what, shown, library.errorString());
            return nullptr;
        }
        using Interface = int (*)();
        const auto answer = reinterpret_cast<Interface>(
            library.resolve(QString(name + u"_interface"_s).toLatin1().constData()));
        const QFunctionPointer function = library.resolve(entry);
        if (!answer || !function || answer() != interface) {
            if (why) *why = u"%1 «%2» от другой версии Vardo"_s.arg(what, shown);
            return nullptr;
        }
        return function;
    }
    QStringList shown;
    for (const QString& folder : where) shown << QDir::toNativeSeparators(folder);
    if (why) *why = u"не найден %1 %2 (искали в папках: %3)"_s.arg(what, name, shown.join(u", "_s));
    return nullptr;
}

}  // namespace vardo::modules
