#include "tables/workbook.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QtEndian>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <charconv>
#include <cmath>
#include <memory>
#include <mutex>

#include "core/numbertext.h"
#include "tables/biff8.h"

namespace vardo::tables {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const {
        if (object) g_object_unref(object);
    }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

// libgsf warns on stderr about every damaged compound file it is given; the user learns of the
// damage from our error instead, so its words go to a debug category (QT_LOGGING_RULES shows it).
Q_LOGGING_CATEGORY(lcGsf, "vardo.tables.gsf", QtWarningMsg)

void logGsfMessage(const gchar* domain, GLogLevelFlags, const gchar* message, gpointer) {
    qCDebug(lcGsf, "%s: %s", domain ? domain : "libgsf", message ? message : "");
}

void initGsf() {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        const auto levels = GLogLevelFlags(G_LOG_LEVEL_MASK | G_LOG_FLAG_RECURSION);
        for (const char* domain : {"libgsf", "libgsf:msole", "libgsf:utils"})
            g_log_set_handler(domain, levels, logGsfMessage, nullptr);
    });
}

constexpr QByteArrayView kOleSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr QByteArrayView kZipSignature("PK\x03\x04", 4);

ReadResult failure(ReadError error, const QString& sheetName) {
    ReadResult result;
    result.error = error;
    result.errorText = describe(error, sheetName);
    return result;
}

// A bare BIFF2 .. BIFF4 stream (Excel 2.1 .. 4.0 wrote no compound file) starts with its BOF.
bool startsWithOldBof(QByteArrayView bytes) {
    if (bytes.size() < 4) return false;
    const quint16 type = qFromLittleEndian<quint16>(bytes.data());
    return type == 0x0009 || type == 0x0209 || type == 0x0409;
}

// A stream of the compound file by name; names in a compound file do not differ by case only.
GObjectPtr<GsfInput> childStream(GsfInfile* directory, const char* name) {
    const int count = gsf_infile_num_children(directory);
    for (int i = 0; i < count; ++i) {
        const char* childName = gsf_infile_name_by_index(directory, i);
        if (childName && g_ascii_strcasecmp(childName, name) == 0)
            return GObjectPtr<GsfInput>(gsf_infile_child_by_index(directory, i));
    }
    return nullptr;
}

}  // namespace

QString describe(ReadError error, const QString& sheetName) {
    switch (error) {
        case ReadError::None:
            return {};
        case ReadError::NotFound:
            return QStringLiteral("файл не найден");
        case ReadError::NotAFile:
            return QStringLiteral("под этим именем папка, а не файл");
        case ReadError::Unreadable:
            return QStringLiteral("файл не удалось прочитать: нет доступа или ошибка чтения");
        case ReadError::Empty:
            return QStringLiteral("файл пуст");
        case ReadError::FileTooLarge:
            return QStringLiteral("файл слишком велик для справочной таблицы (больше %1 МБ)")
                .arg(kMaxWorkbookBytes / (1024 * 1024));
        case ReadError::NotExcel:
            return QStringLiteral("файл не является книгой Excel 97–2003 (.xls)");
        case ReadError::NewerFormat:
            return QStringLiteral(
                "книга сохранена в формате Excel 2007 или новее (.xlsx); "
                "сохраните её как «Книга Excel 97–2003» (.xls)");
        case ReadError::OlderFormat:
            return QStringLiteral(
                "книга сохранена в формате Excel 5.0/95 или более ранней версии; "
                "сохраните её как «Книга Excel 97–2003» (.xls)");
        case ReadError::Encrypted:
            return QStringLiteral("книга защищена паролем; сохраните её без пароля");
        case ReadError::NoSheet:
            return QStringLiteral("в книге нет листа «%1»").arg(sheetName);
        case ReadError::NotWorksheet:
            return QStringLiteral("«%1» — лист диаграммы или макросов, а не лист с ячейками")
                .arg(sheetName);
        case ReadError::SheetTooLarge:
            return QStringLiteral("лист «%1» слишком велик: больше %2 ячеек")
                .arg(sheetName)
                .arg(kMaxTableCells);
        case ReadError::Damaged:
            return QStringLiteral("книга повреждена, её содержимое не удалось прочитать");
    }
    return {};
}

ReadResult readWorkbook(const QString& path, const QString& sheetName) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) return failure(ReadError::NotFound, sheetName);
    if (!info.isFile()) return failure(ReadError::NotAFile, sheetName);
    if (info.size() > kMaxWorkbookBytes) return failure(ReadError::FileTooLarge, sheetName);

    // QFile takes the name as Qt holds it, so Cyrillic names work on every system.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failure(ReadError::Unreadable, sheetName);
    const QByteArray bytes = file.read(kMaxWorkbookBytes + 1);
    if (file.error() != QFileDevice::NoError) return failure(ReadError::Unreadable, sheetName);
    return readWorkbookBytes(bytes, sheetName);
}

ReadResult readWorkbookBytes(QByteArrayView bytes, const QString& sheetName) {
    if (bytes.isEmpty()) return failure(ReadError::Empty, sheetName);
    if (bytes.size() > kMaxWorkbookBytes) return failure(ReadError::FileTooLarge, sheetName);
    if (bytes.startsWith(kZipSignature)) return failure(ReadError::NewerFormat, sheetName);
    if (!bytes.startsWith(kOleSignature)) {
        return failure(startsWithOldBof(bytes) ? ReadError::OlderFormat : ReadError::NotExcel,
                       sheetName);
    }

    initGsf();
    // The bytes outlive every object made from them here; libgsf does not copy or free them.
    GObjectPtr<GsfInput> input(
        gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()), bytes.size(), FALSE));
    if (!input) return failure(ReadError::Damaged, sheetName);
    GError* error = nullptr;
    GObjectPtr<GsfInfile> compound(gsf_infile_msole_new(input.get(), &error));
    g_clear_error(&error);
    if (!compound) return failure(ReadError::Damaged, sheetName);

    // Excel 97 names its stream "Workbook"; Excel 5.0/95 named it "Book".
    GObjectPtr<GsfInput> stream = childStream(compound.get(), "Workbook");
    if (!stream) {
        const bool older = childStream(compound.get(), "Book") != nullptr;
        return failure(older ? ReadError::OlderFormat : ReadError::NotExcel, sheetName);
    }
    // A stream lies inside its file; a directory entry claiming more is damaged, and believing it
    // would only take memory before the read fails.
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size <= 0 || size > bytes.size()) return failure(ReadError::Damaged, sheetName);
    QByteArray data(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (!gsf_input_read(stream.get(), static_cast<size_t>(size),
                        reinterpret_cast<guint8*>(data.data())))
        return failure(ReadError::Damaged, sheetName);
    return readBiff8Stream(data, sheetName);
}

QString numberText(double value) {
    if (!std::isfinite(value)) return QStringLiteral("#ЧИСЛО!");
    if (value == 0) return QStringLiteral("0");  // also -0

    // d.dddddddddddddde±x: 15 significant digits, correctly rounded.
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    if (ec != std::errc()) return QStringLiteral("#ЧИСЛО!");
    const QByteArrayView text(buffer, end - buffer);
    const bool negative = text.startsWith('-');
    const qsizetype ePos = text.indexOf('e');
    QByteArray digits;
    for (qsizetype i = negative ? 1 : 0; i < ePos; ++i)
        if (text[i] != '.') digits.append(text[i]);
    while (digits.size() > 1 && digits.endsWith('0')) digits.chop(1);
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+'), text.data() + text.size(),
                    exponent);

    QString out;
    if (negative) out += u'-';
    const qsizetype count = digits.size();
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            const qsizetype integerDigits = exponent + 1;
            out += QLatin1String(digits.left(integerDigits));
            for (qsizetype i = count; i < integerDigits; ++i) out += u'0';
            if (count > integerDigits) {
                out += kDecimalSeparator;
                out += QLatin1String(digits.sliced(integerDigits));
            }
        } else {
            out += u'0';
            out += kDecimalSeparator;
            out += QString(-exponent - 1, u'0');
            out += QLatin1String(digits);
        }
    } else {
        out += QLatin1Char(digits[0]);
        if (count > 1) {
            out += kDecimalSeparator;
            out += QLatin1String(digits.sliced(1));
        }
        out += u'E';
        out += exponent < 0 ? u'-' : u'+';
        out += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QChar(u'0'));
    }
    return out;
}

}  // namespace vardo::tables
