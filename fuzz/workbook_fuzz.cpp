// Arbitrary bytes into the workbook reader, twice: as a whole file (compound file, then records)
// and as a bare Workbook stream, so that mutations reach the BIFF8 records without first having to
// keep a compound file valid. Each read must end in a table whose rows are as wide as its header,
// or in an error with its text; the sanitizers watch everything in between.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tables/biff8.h"
#include "tables/workbook.h"

namespace {

void check(const vardo::tables::ReadResult& result) {
    if (!result.ok()) {
        if (result.errorText.isEmpty()) std::abort();
        return;
    }
    for (const QStringList& row : result.table.rows)
        if (row.size() != result.table.header.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    check(vardo::tables::readWorkbookBytes(bytes));
    check(vardo::tables::readBiff8Stream(bytes));
    return 0;
}
