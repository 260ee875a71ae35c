#include "tables/workbook.h"

#include <QtEndian>

#include <charconv>
#include <cmath>

#include "core/numbertext.h"
#include "core/safefile.h"
#include "tables/biff8.h"
#include "tables/compoundfile.h"

namespace vardo::tables {

namespace {

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

// Whether a directory entry of the compound file bears this name (UTF-16, any case), even one
// that the directory's tree does not reach. Entries are 128 bytes long and start on 128-byte
// boundaries after the 512-byte header, in sectors of 512 bytes or more.
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

    CompoundFile compound;
    if (!compound.open(bytes)) return ReadError::Damaged;
    // Excel 97 names its stream "Workbook"; Excel 5.0/95 named it "Book".
    switch (compound.read(u"Workbook", data)) {
        case CompoundFile::Stream::Read:
            break;
        case CompoundFile::Stream::Damaged:
            return ReadError::Damaged;
        case CompoundFile::Stream::Absent:
            if (compound.contains(u"Book")) return ReadError::OlderFormat;
            // An entry of that name outside the directory's tree: a damaged workbook, not some
            // other program's file.
            if (hasEntryNamed(bytes, u"Workbook") || hasEntryNamed(bytes, u"Book"))
                return ReadError::Damaged;
            return ReadError::NotExcel;
    }
    if (data->isEmpty()) return ReadError::Damaged;
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
