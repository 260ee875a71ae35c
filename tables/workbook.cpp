#include "tables/workbook.h"

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
#include <utility>

#include "core/numbertext.h"
#include "core/safefile.h"
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

// libgsf warns about every damaged compound file it is given, under its own log domains and under
// GLib's default one. The user learns of the damage from our error instead: while a workbook is
// read, its words are collected (they tell damage from a foreign file) and go to a debug category
// (QT_LOGGING_RULES shows it); none reaches stderr. Messages of other code pass on as before.
Q_LOGGING_CATEGORY(lcGsf, "vardo.tables.gsf", QtWarningMsg)

thread_local QStringList* gsfMessages = nullptr;

// Collects libgsf's messages of one read on this thread.
class GsfMessages {
  public:
    GsfMessages() : previous_(std::exchange(gsfMessages, &messages_)) {}
    ~GsfMessages() { gsfMessages = previous_; }
    GsfMessages(const GsfMessages&) = delete;
    GsfMessages& operator=(const GsfMessages&) = delete;
    bool any() const { return !messages_.isEmpty(); }

  private:
    QStringList messages_;
    QStringList* previous_;
};

void logGsfMessage(const gchar* domain, GLogLevelFlags level, const gchar* message,
                   gpointer ownDomain) {
    const bool ours = ownDomain != nullptr;
    if (!ours && !gsfMessages) {
        g_log_default_handler(domain, level, message, nullptr);
        return;
    }
    if (gsfMessages) gsfMessages->append(QString::fromUtf8(message ? message : ""));
    qCDebug(lcGsf, "%s: %s", domain ? domain : "glib", message ? message : "");
}

void initGsf() {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        const auto levels = GLogLevelFlags(G_LOG_LEVEL_MASK | G_LOG_FLAG_RECURSION);
        static char own = 0;
        for (const char* domain : {"libgsf", "libgsf:msole", "libgsf:utils"})
            g_log_set_handler(domain, levels, logGsfMessage, &own);
        // libgsf also warns without a domain, and GLib's object system complains under its own.
        for (const char* domain : {static_cast<const char*>(nullptr), "GLib", "GLib-GObject"})
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

// Whether a directory entry of the compound file bears this name (UTF-16, any case), even one
// that libgsf dropped as damaged. Entries are 128 bytes long and start on 128-byte boundaries
// after the 512-byte header, in sectors of 512 bytes or more.
bool hasEntryNamed(QByteArrayView bytes, QStringView name) {
    for (qsizetype at = 512; at + 128 <= bytes.size(); at += 128) {
        bool same = true;
        for (qsizetype i = 0; i < name.size() && same; ++i) {
            const char16_t c = qFromLittleEndian<quint16>(bytes.data() + at + 2 * i);
            same = QChar(c).toLower() == name[i].toLower();
        }
        if (same && qFromLittleEndian<quint16>(bytes.data() + at + 2 * name.size()) == 0)
            return true;
    }
    return false;
}

// The workbook's "Workbook" stream out of its compound file; on failure the error.
ReadError extractWorkbookStream(QByteArrayView bytes, QByteArray* data) {
    if (bytes.isEmpty()) return ReadError::Empty;
    if (bytes.size() > kMaxWorkbookBytes) return ReadError::FileTooLarge;
    if (bytes.startsWith(kZipSignature)) return ReadError::NewerFormat;
    if (!bytes.startsWith(kOleSignature))
        return startsWithOldBof(bytes) ? ReadError::OlderFormat : ReadError::NotExcel;

    initGsf();
    const GsfMessages messages;
    // The bytes outlive every object made from them here; libgsf does not copy or free them.
    GObjectPtr<GsfInput> input(
        gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()), bytes.size(), FALSE));
    if (!input) return ReadError::Damaged;
    GError* error = nullptr;
    GObjectPtr<GsfInfile> compound(gsf_infile_msole_new(input.get(), &error));
    g_clear_error(&error);
    if (!compound) return ReadError::Damaged;

    // Excel 97 names its stream "Workbook"; Excel 5.0/95 named it "Book".
    GObjectPtr<GsfInput> stream = childStream(compound.get(), "Workbook");
    if (!stream) {
        if (childStream(compound.get(), "Book")) return ReadError::OlderFormat;
        // No such stream in a compound file libgsf complained about, or an entry of that name
        // that it could not take: a damaged workbook, not some other program's file.
        if (messages.any() || hasEntryNamed(bytes, u"Workbook") || hasEntryNamed(bytes, u"Book"))
            return ReadError::Damaged;
        return ReadError::NotExcel;
    }
    // A stream lies inside its file; a directory entry claiming more is damaged, and believing it
    // would only take memory before the read fails.
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size <= 0 || size > bytes.size()) return ReadError::Damaged;
    data->resize(static_cast<qsizetype>(size));
    if (!gsf_input_read(stream.get(), static_cast<size_t>(size),
                        reinterpret_cast<guint8*>(data->data()))) {
        data->clear();
        return ReadError::Damaged;
    }
    return ReadError::None;
}

}  // namespace

QString describe(ReadError error, const QString& sheetName) {
    switch (error) {
        case ReadError::None:
            return {};
        case ReadError::NotFound:
            return QStringLiteral("файл не найден");
        case ReadError::NotAFile:
            return QStringLiteral("под этим именем не обычный файл, а папка или устройство");
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
    // Only a regular file is read, never more than the limit (a FIFO or a device under the name
    // of a workbook is told as what it is, and never makes the program wait).
    FileRead file = readRegularFile(path, kMaxWorkbookBytes);
    if (!file.ok()) {
        ReadResult result;
        switch (file.problem) {
            case FileProblem::NotFound:
                result.error = ReadError::NotFound;
                break;
            case FileProblem::NotRegular:
                result.error = ReadError::NotAFile;
                break;
            case FileProblem::TooLarge:
                return failure(ReadError::FileTooLarge, sheetName);
            default:
                result.error = ReadError::Unreadable;
                break;
        }
        result.errorText = file.reason;
        return result;
    }
    QByteArray stream;
    const ReadError error = extractWorkbookStream(file.bytes, &stream);
    // The file's bytes are let go before the records are read: only the stream stays.
    file.bytes = QByteArray();
    if (error != ReadError::None) return failure(error, sheetName);
    return readBiff8Stream(stream, sheetName);
}

ReadResult readWorkbookBytes(QByteArrayView bytes, const QString& sheetName) {
    QByteArray stream;
    const ReadError error = extractWorkbookStream(bytes, &stream);
    if (error != ReadError::None) return failure(error, sheetName);
    return readBiff8Stream(stream, sheetName);
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
