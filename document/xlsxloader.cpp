// writeXlsxBook: the module vardo_xlsx found and loaded on the first workbook (xlsxbook.h).
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "document/xlsxbook.h"

using namespace Qt::Literals::StringLiterals;

#ifdef VARDO_XLSX_LINKED
extern "C" bool vardo_xlsx_write(const vardo::document::XlsxBook* book, QByteArray* bytes,
                                 QString* why);
#endif

namespace vardo::document {

namespace {

#ifndef VARDO_XLSX_LINKED
// The module's writer, or why there is none.
struct Module {
    VardoXlsxWrite write = nullptr;
    QString why;
};

// Where the module is looked for, in this order.
QStringList moduleFolders() {
    if (!QCoreApplication::instance()) return {};
    const QString program = QCoreApplication::applicationDirPath();
    QStringList folders{program,
                        QDir::cleanPath(program + u'/' + QStringLiteral(VARDO_XLSX_INSTALLED))};
    // A program of the build tree (the tests, the benchmarks, a program not installed) finds the
    // module where the build put it; an installed program never looks there.
    const QString tree = QFileInfo(QStringLiteral(VARDO_BUILD_TREE)).canonicalFilePath();
    if (!tree.isEmpty() && (program + u'/').startsWith(tree + u'/'))
        folders << QStringLiteral(VARDO_XLSX_BUILT);
    return folders;
}

Module load() {
    const QStringList folders = moduleFolders();
    for (const QString& folder : folders) {
        QLibrary library(folder + u"/vardo_xlsx"_s);
        if (!QFileInfo::exists(library.fileName() + u".so"_s)) continue;
        const QString shown = QDir::toNativeSeparators(library.fileName());
        // Kept loaded for the rest of the run: the writer is called again on the next schedule.
        if (!library.load())
            return {nullptr,
                    u"модуль записи .xlsx «%1» не загружается (нет нужной ему библиотеки "
                    u"libxlsxwriter?)"_s.arg(shown)};
        const auto interface =
            reinterpret_cast<VardoXlsxInterface>(library.resolve("vardo_xlsx_interface"));
        const auto write = reinterpret_cast<VardoXlsxWrite>(library.resolve("vardo_xlsx_write"));
        if (!interface || !write || interface() != kXlsxInterface)
            return {nullptr, u"модуль записи .xlsx «%1» от другой версии Vardo"_s.arg(shown)};
        return {write, {}};
    }
    QStringList shown;
    for (const QString& folder : folders) shown << QDir::toNativeSeparators(folder);
    return {nullptr,
            u"не найден модуль записи .xlsx vardo_xlsx (искали в папках: %1); в .csv "
            u"ведомость записывается и без него"_s.arg(shown.join(u", "_s))};
}
#endif

}  // namespace

std::optional<QByteArray> writeXlsxBook(const XlsxBook& book, QString* why) {
    QByteArray bytes;
#ifdef VARDO_XLSX_LINKED
    if (!vardo_xlsx_write(&book, &bytes, why)) return std::nullopt;
#else
    static const Module module = load();
    if (!module.write) {
        if (why) *why = module.why;
        return std::nullopt;
    }
    if (!module.write(&book, &bytes, why)) return std::nullopt;
#endif
    return bytes;
}

}  // namespace vardo::document
