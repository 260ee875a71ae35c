// writeXlsxBook: the module vardo_xlsx found and loaded on the first workbook (xlsxbook.h).

#include "core/modules.h"

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

Module load() {
    QString why;
    const auto write = reinterpret_cast<VardoXlsxWrite>(modules::load(
        u"vardo_xlsx"_s, u"модуль записи .xlsx"_s, kXlsxInterface, "vardo_xlsx_write", &why));
    if (!write) return {nullptr, why + u"; в .csv ведомость записывается и без него"_s};
    return {write, {}};
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
