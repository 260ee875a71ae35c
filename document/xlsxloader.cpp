// writeXlsxBook: the module vardo_xlsx found and loaded on the first workbook (xlsxbook.h).

#include "core/modules.h"

#include "document/xlsxbook.h"

using namespace Qt::Literals::StringLiterals;

#ifdef VARDO_XLSX_LINKED
extern "C" bool vardo_xlsx_write(const vardo::document::XlsxBook* book, QByteArray* bytes,
                                 QString* why);
#endif

namespace vardo::document {

std::optional<QByteArray> writeXlsxBook(const XlsxBook& book, QString* why) {
    QByteArray bytes;
#ifdef VARDO_XLSX_LINKED
    if (!vardo_xlsx_write(&book, &bytes, why)) return std::nullopt;
#else
    static const auto module = modules::entry<VardoXlsxWrite>(
        u"vardo_xlsx"_s, u"модуль записи .xlsx"_s, kXlsxInterface, "vardo_xlsx_write");
    if (!module.function) {
        if (why) *why = module.why + u"; в .csv ведомость записывается и без него"_s;
        return std::nullopt;
    }
    if (!module.function(&book, &bytes, why)) return std::nullopt;
#endif
    return bytes;
}

}  // namespace vardo::document
