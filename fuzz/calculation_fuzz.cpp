// Arbitrary bytes into the calculation-file reader (fromJson): every check of the format, the
// sections and each field. A read ends in a calculation, which must then be written and read back
// to the same calculation, or in a reason; the sanitizers watch everything in between.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QJsonDocument>

#include "document/calculation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace doc = vardo::document;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString why;
    const std::optional<doc::Calculation> calculation = doc::fromJson(bytes, &why);
    if (!calculation) {
        if (why.isEmpty()) std::abort();
        return 0;
    }
    // What was accepted is written as the program writes it and must read back unchanged, the
    // text byte for byte as Qt's JSON writer writes the same object.
    const QByteArray text = doc::toJson(*calculation);
    const std::optional<doc::Calculation> again = doc::fromJson(text, &why);
    if (!again || !(*again == *calculation)) std::abort();
    if (QJsonDocument::fromJson(text).toJson() != text) std::abort();
    return 0;
}
