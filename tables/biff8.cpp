#include "tables/biff8.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

namespace vardo::tables {

namespace {

// Record types of BIFF8 that the reader looks at; every other record is stepped over.
enum RecordType : quint16 {
    kFormula = 0x0006,
    kEof = 0x000A,
    kFilePass = 0x002F,
    kContinue = 0x003C,
    kBoundSheet = 0x0085,
    kMulRk = 0x00BD,
    kRString = 0x00D6,
    kSst = 0x00FC,
    kLabelSst = 0x00FD,
    kNumber = 0x0203,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
    kString = 0x0207,
    kRk = 0x027E,
    kBof = 0x0809,
};
// The BOF records of BIFF2, BIFF3 and BIFF4; BIFF5 and BIFF8 share 0x0809 and differ in version.
constexpr quint16 kOldBofTypes[] = {0x0009, 0x0209, 0x0409};
constexpr quint16 kVersionBiff8 = 0x0600;
constexpr quint16 kVersionBiff5 = 0x0500;
// Substream kinds in a BOF record.
constexpr quint16 kGlobalsKind = 0x0005;
constexpr quint16 kWorksheetKind = 0x0010;
constexpr quint16 kChartKind = 0x0020;
constexpr quint16 kMacroSheetKind = 0x0040;
// Sheet types in a BOUNDSHEET record: 0 worksheet (or dialog), 1 macro sheet, 2 chart, 6 VBA
// module.
constexpr quint8 kWorksheetType = 0;
// An Excel 97 sheet has columns A .. IV.
constexpr int kColumnLimit = 256;

// Thrown inside this file only and turned into a ReadResult at its one entry point.
struct Failure {
    ReadError error;
};

[[noreturn]] void fail(ReadError error) {
    throw Failure{error};
}
[[noreturn]] void damaged() {
    fail(ReadError::Damaged);
}

void requireSize(QByteArrayView body, qsizetype size) {
    if (body.size() < size) damaged();
}

quint8 u8(QByteArrayView body, qsizetype at) {
    if (at < 0 || at >= body.size()) damaged();
    return static_cast<quint8>(body[at]);
}

quint16 u16(QByteArrayView body, qsizetype at) {
    if (at < 0 || body.size() - at < 2) damaged();
    return qFromLittleEndian<quint16>(body.data() + at);
}

quint32 u32(QByteArrayView body, qsizetype at) {
    if (at < 0 || body.size() - at < 4) damaged();
    return qFromLittleEndian<quint32>(body.data() + at);
}

double f64(QByteArrayView body, qsizetype at) {
    if (at < 0 || body.size() - at < 8) damaged();
    return std::bit_cast<double>(qFromLittleEndian<quint64>(body.data() + at));
}

// An RK number: a 30-bit integer or the upper 30 bits of a double, optionally divided by 100.
double rkValue(quint32 rk) {
    double value = 0;
    if (rk & 0x02)
        value =
            static_cast<double>(static_cast<qint32>(rk) >> 2);  // arithmetic shift keeps the sign
    else
        value = std::bit_cast<double>(static_cast<quint64>(rk & 0xFFFFFFFCu) << 32);
    return (rk & 0x01) ? value / 100 : value;
}

// The texts Excel shows for an error value, in its Russian edition.
QString errorValueText(quint8 code) {
    switch (code) {
        case 0x00:
            return QStringLiteral("#ПУСТО!");
        case 0x07:
            return QStringLiteral("#ДЕЛ/0!");
        case 0x0F:
            return QStringLiteral("#ЗНАЧ!");
        case 0x17:
            return QStringLiteral("#ССЫЛКА!");
        case 0x1D:
            return QStringLiteral("#ИМЯ?");
        case 0x24:
            return QStringLiteral("#ЧИСЛО!");
        default:
            return QStringLiteral("#Н/Д");
    }
}

QString booleanText(bool value) {
    return value ? QStringLiteral("ИСТИНА") : QStringLiteral("ЛОЖЬ");
}

struct Record {
    quint16 type = 0;
    QByteArrayView body;
};

// Walks the records of the stream from an offset: a type and a length of 16 bits, then the body.
class RecordReader {
  public:
    RecordReader(QByteArrayView stream, qsizetype offset) : stream_(stream), pos_(offset) {}

    bool atEnd() const { return pos_ >= stream_.size(); }

    Record next() {
        const quint16 type = u16(stream_, pos_);
        const quint16 length = u16(stream_, pos_ + 2);
        const qsizetype start = pos_ + 4;
        if (stream_.size() - start < length) damaged();
        pos_ = start + length;
        return {type, stream_.sliced(start, length)};
    }

    bool nextIs(quint16 type) const {
        return stream_.size() - pos_ >= 4 &&
               qFromLittleEndian<quint16>(stream_.data() + pos_) == type;
    }

    // The record and the CONTINUE records that follow it, in order.
    std::vector<QByteArrayView> nextWithContinues(QByteArrayView first) {
        std::vector<QByteArrayView> parts{first};
        while (nextIs(kContinue)) parts.push_back(next().body);
        return parts;
    }

  private:
    QByteArrayView stream_;
    qsizetype pos_;
};

// The data of a record continued in CONTINUE records, read as one sequence of bytes, except for
// the characters of a string: where they cross into the next record, that record begins with a
// byte of its own that says whether the rest of the characters are 8 or 16 bits wide.
class ContinuedReader {
  public:
    explicit ContinuedReader(std::vector<QByteArrayView> parts) : parts_(std::move(parts)) {}

    quint8 byte() {
        while (pos_ == part().size()) nextPart();
        return static_cast<quint8>(part()[pos_++]);
    }

    quint16 u16() {
        const quint16 low = byte();
        return static_cast<quint16>(low | (byte() << 8));
    }

    quint32 u32() {
        const quint32 low = u16();
        return low | (static_cast<quint32>(u16()) << 16);
    }

    void skip(qint64 count) {
        while (count > 0) {
            if (pos_ == part().size()) nextPart();
            const qsizetype step = std::min<qint64>(count, part().size() - pos_);
            pos_ += step;
            count -= step;
        }
    }

    // count characters: 8-bit ones are the low bytes of UTF-16 code units (Latin-1), 16-bit ones
    // are UTF-16 little-endian.
    QString chars(int count, bool wide) {
        QString text;
        text.reserve(count);
        int remaining = count;
        while (true) {
            const qsizetype available = part().size() - pos_;
            const int n =
                static_cast<int>(std::min<qsizetype>(remaining, wide ? available / 2 : available));
            const char* p = part().data() + pos_;
            for (int i = 0; i < n; ++i) {
                text.append(wide ? QChar(qFromLittleEndian<quint16>(p + 2 * i))
                                 : QChar(static_cast<char16_t>(static_cast<uchar>(p[i]))));
            }
            pos_ += wide ? 2 * qsizetype(n) : n;
            remaining -= n;
            if (remaining == 0) return text;
            if (pos_ != part().size()) damaged();  // half a character before the record's end
            nextPart();
            if (part().isEmpty()) damaged();
            wide = (static_cast<quint8>(part()[0]) & 0x01) != 0;
            pos_ = 1;
        }
    }

  private:
    QByteArrayView part() const { return parts_[index_]; }

    void nextPart() {
        if (index_ + 1 >= parts_.size()) damaged();
        ++index_;
        pos_ = 0;
    }

    std::vector<QByteArrayView> parts_;
    std::size_t index_ = 0;
    qsizetype pos_ = 0;
};

// XLUnicodeString (LABEL, RSTRING, STRING): 16-bit count, option flags, characters.
QString readUnicodeString(ContinuedReader& in) {
    const quint16 count = in.u16();
    const bool wide = (in.byte() & 0x01) != 0;
    return in.chars(count, wide);
}

// XLUnicodeRichExtendedString (SST): as above, with formatting runs and a phonetic block that
// follow the characters; both are skipped.
QString readRichString(ContinuedReader& in) {
    const quint16 count = in.u16();
    const quint8 flags = in.byte();
    const bool wide = (flags & 0x01) != 0;
    const bool phonetic = (flags & 0x04) != 0;
    const bool rich = (flags & 0x08) != 0;
    const quint16 runs = rich ? in.u16() : 0;
    const quint32 phoneticSize = phonetic ? in.u32() : 0;
    QString text = in.chars(count, wide);
    in.skip(4 * qint64(runs));
    in.skip(phoneticSize);
    return text;
}

QStringList readSharedStrings(ContinuedReader& in) {
    in.u32();  // how often strings are used in the workbook
    const quint32 unique = in.u32();
    QStringList strings;
    // Every string takes three bytes or more, so a damaged count runs out of data and fails
    // before it can take memory; no reservation is made from it. A table holds at most
    // kMaxTableCells cells, and a workbook of more distinct texts is no reference table.
    for (quint32 i = 0; i < unique; ++i) {
        if (strings.size() >= kMaxTableCells) fail(ReadError::SheetTooLarge);
        strings.append(readRichString(in));
    }
    return strings;
}

struct SheetEntry {
    QString name;
    quint32 offset = 0;  // of the sheet's BOF record in the stream
    quint8 type = 0;
};

SheetEntry readBoundSheet(QByteArrayView body) {
    SheetEntry entry;
    entry.offset = u32(body, 0);
    entry.type = u8(body, 5);
    // ShortXLUnicodeString: an 8-bit count, option flags, characters.
    const quint8 count = u8(body, 6);
    const bool wide = (u8(body, 7) & 0x01) != 0;
    ContinuedReader in({body.sliced(8)});
    entry.name = in.chars(count, wide);
    return entry;
}

struct Globals {
    std::vector<SheetEntry> sheets;
    QStringList strings;
};

Globals readGlobals(RecordReader& records) {
    const Record bof = records.next();
    if (std::find(std::begin(kOldBofTypes), std::end(kOldBofTypes), bof.type) !=
        std::end(kOldBofTypes))
        fail(ReadError::OlderFormat);
    if (bof.type != kBof) damaged();
    const quint16 version = u16(bof.body, 0);
    if (version == kVersionBiff5) fail(ReadError::OlderFormat);
    if (version != kVersionBiff8 || u16(bof.body, 2) != kGlobalsKind) damaged();

    Globals globals;
    while (true) {
        if (records.atEnd()) damaged();  // no EOF: the stream was cut short
        const Record record = records.next();
        switch (record.type) {
            case kEof:
                return globals;
            case kFilePass:
                fail(ReadError::Encrypted);
            case kBoundSheet:
                globals.sheets.push_back(readBoundSheet(record.body));
                break;
            case kSst: {
                ContinuedReader in(records.nextWithContinues(record.body));
                globals.strings = readSharedStrings(in);
                break;
            }
            default:
                break;
        }
    }
}

const SheetEntry* findSheet(const std::vector<SheetEntry>& sheets, const QString& name) {
    for (const SheetEntry& s : sheets)
        if (s.name == name) return &s;
    // Excel itself does not tell sheet names apart by case.
    for (const SheetEntry& s : sheets)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0) return &s;
    return nullptr;
}

struct Cell {
    quint16 row = 0;
    quint16 column = 0;
    QString text;
};

class SheetReader {
  public:
    explicit SheetReader(const QStringList& strings) : strings_(strings) {}

    std::vector<Cell> read(RecordReader& records) {
        const Record bof = records.next();
        if (bof.type != kBof) damaged();
        const quint16 kind = u16(bof.body, 2);
        if (kind == kChartKind || kind == kMacroSheetKind) fail(ReadError::NotWorksheet);
        if (kind != kWorksheetKind) damaged();

        // Charts embedded in the sheet bring substreams of their own, BOF .. EOF, whose records
        // are not cells of the sheet.
        int depth = 1;
        while (true) {
            if (records.atEnd()) damaged();
            const Record record = records.next();
            if (record.type == kBof) {
                ++depth;
            } else if (record.type == kEof) {
                if (--depth == 0) return std::move(cells_);
            } else if (depth == 1) {
                cellRecord(record, records);
            }
        }
    }

  private:
    void cellRecord(const Record& record, RecordReader& records) {
        const QByteArrayView body = record.body;
        switch (record.type) {
            case kLabelSst: {
                const quint32 index = u32(body, 6);
                if (index >= static_cast<quint32>(strings_.size())) damaged();
                add(body, strings_[index]);
                break;
            }
            case kLabel:
            case kRString: {
                requireSize(body, 6);
                ContinuedReader in({body.sliced(6)});
                add(body, readUnicodeString(in));
                break;
            }
            case kNumber:
                add(body, numberText(f64(body, 6)));
                break;
            case kRk:
                add(body, numberText(rkValue(u32(body, 6))));
                break;
            case kMulRk:
                mulRk(body);
                break;
            case kFormula:
                formula(body);
                break;
            case kString: {
                // The text value of the formula just before; read (and checked) in any case.
                ContinuedReader in(records.nextWithContinues(body));
                const QString text = readUnicodeString(in);
                if (pendingString_ >= 0) cells_[pendingString_].text = text;
                pendingString_ = -1;
                break;
            }
            case kBoolErr: {
                const quint8 value = u8(body, 6);
                const bool isError = u8(body, 7) != 0;
                add(body, isError ? errorValueText(value) : booleanText(value != 0));
                break;
            }
            default:
                break;
        }
    }

    // MULRK: row, first column, (format, RK) for each column, last column.
    void mulRk(QByteArrayView body) {
        requireSize(body, 12);
        if ((body.size() - 6) % 6 != 0) damaged();
        const qsizetype count = (body.size() - 6) / 6;
        const quint16 row = u16(body, 0);
        const quint16 first = u16(body, 2);
        const quint16 last = u16(body, body.size() - 2);
        if (last < first || last - first + 1 != count) damaged();
        for (qsizetype i = 0; i < count; ++i)
            add(row, static_cast<quint16>(first + i),
                numberText(rkValue(u32(body, 4 + 6 * i + 2))));
    }

    // FORMULA: row, column, format, the cached value (8 bytes), options, a reserved field, and
    // the parsed expression with its length. The value is a double unless its last two bytes are
    // 0xFFFF; then its first byte says: 0 text (in the STRING record that follows), 1 boolean,
    // 2 error, 3 empty text.
    void formula(QByteArrayView body) {
        requireSize(body, 22);
        if (u16(body, 20) > body.size() - 22) damaged();
        if (u16(body, 12) != 0xFFFF) {
            add(body, numberText(f64(body, 6)));
            return;
        }
        switch (u8(body, 6)) {
            case 0:
                add(body, QString());
                pendingString_ = static_cast<qsizetype>(cells_.size()) - 1;
                break;
            case 1:
                add(body, booleanText(u8(body, 8) != 0));
                break;
            case 2:
                add(body, errorValueText(u8(body, 8)));
                break;
            default:
                add(body, QString());
                break;
        }
    }

    void add(QByteArrayView body, QString text) {
        add(u16(body, 0), u16(body, 2), std::move(text));
    }

    // The limit of the table applies as the cells arrive, before they take memory: the table
    // that buildTable would make (last row by last column) and the cells collected for it, a cell
    // given more than once included, each stay within kMaxTableCells.
    void add(quint16 row, quint16 column, QString text) {
        if (column >= kColumnLimit) damaged();
        rows_ = std::max<qint64>(rows_, row + 1);
        columns_ = std::max<qint64>(columns_, column + 1);
        if (rows_ * columns_ > kMaxTableCells ||
            static_cast<qint64>(cells_.size()) >= kMaxTableCells)
            fail(ReadError::SheetTooLarge);
        cells_.push_back({row, column, std::move(text)});
        pendingString_ = -1;
    }

    const QStringList& strings_;
    std::vector<Cell> cells_;
    qint64 rows_ = 0;
    qint64 columns_ = 0;
    qsizetype pendingString_ = -1;  // the formula cell whose text the next STRING record holds
};

// Row 1 is the header; the table reaches the last row and the last column that hold a value.
// A cell given twice keeps the later one, as in the file's own order.
Table buildTable(std::vector<Cell> cells) {
    if (cells.empty()) return {};
    qint64 rows = 0;
    qint64 columns = 0;
    for (const Cell& c : cells) {
        rows = std::max<qint64>(rows, c.row + 1);
        columns = std::max<qint64>(columns, c.column + 1);
    }
    if (rows * columns > kMaxTableCells) fail(ReadError::SheetTooLarge);
    QList<QStringList> grid(rows, QStringList(columns));
    for (Cell& c : cells) grid[c.row][c.column] = std::move(c.text);
    Table table;
    table.header = grid.takeFirst();
    table.rows = std::move(grid);
    return table;
}

Table readTable(QByteArrayView stream, const QString& sheetName) {
    RecordReader globalRecords(stream, 0);
    const Globals globals = readGlobals(globalRecords);
    const SheetEntry* sheet = findSheet(globals.sheets, sheetName);
    if (!sheet) fail(ReadError::NoSheet);
    if (sheet->type != kWorksheetType) fail(ReadError::NotWorksheet);
    if (sheet->offset >= static_cast<quint64>(stream.size())) damaged();
    RecordReader sheetRecords(stream, sheet->offset);
    return buildTable(SheetReader(globals.strings).read(sheetRecords));
}

}  // namespace

ReadResult readBiff8Stream(QByteArrayView stream, const QString& sheetName) {
    ReadResult result;
    try {
        result.table = readTable(stream, sheetName);
    } catch (const Failure& failure) {
        result.error = failure.error;
        result.errorText = describe(failure.error, sheetName);
    }
    return result;
}

}  // namespace vardo::tables
