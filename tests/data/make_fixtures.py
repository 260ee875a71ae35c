#!/usr/bin/python3
"""Writes the workbook fixtures of tables_test into this folder.

    /usr/bin/python3 tests/data/make_fixtures.py      (needs Debian's python3-xlwt;
                                                      Gnumeric's ssconvert for gnumeric.xls)

Three writers make them, so that the reader is not tested against one program's habits only:
- xlwt, a spreadsheet writer: numbers (RK, MULRK, NUMBER), texts, shared strings long enough to
  be continued in CONTINUE records, rich text, several sheets;
- the BIFF8 records written here by hand and packed into a compound file by xlwt's XlsDoc: the
  cases a writer rarely makes but a reader must take (a shared string split at every kind of
  place, formulas with cached values of each kind, embedded charts), and the damaged and foreign
  files that must give a clear error;
- Gnumeric's ssconvert, run on an xlwt workbook with formulas: a real spreadsheet program's
  BIFF8 with the formulas' values as it computed them. Its output is committed; the build never
  needs Gnumeric.

The outputs are the same bytes on every run (the corrupted copies use a fixed seed).
"""

import io
import os
import random
import shutil
import struct
import subprocess
import tempfile
import zipfile

import xlwt
from xlwt.CompoundDoc import XlsDoc

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = os.path.join(HERE, "..", "..", "data")


def out(name):
    return os.path.join(HERE, name)


# ---------------------------------------------------------------------------------------------
# Records by hand

def rec(kind, body):
    return struct.pack("<HH", kind, len(body)) + body


def bof(kind, version=0x0600):
    # version, substream kind (5 globals, 0x10 worksheet, 0x20 chart), build, year, history flags
    return rec(0x0809, struct.pack("<HHHHII", version, kind, 0x0DBB, 0x07CC, 0, 0x0106))


def eof():
    return rec(0x000A, b"")


def chars(text):
    """(option flags, character bytes): 8-bit when every character is Latin-1, else UTF-16."""
    try:
        return 0, text.encode("latin-1")
    except UnicodeEncodeError:
        return 1, text.encode("utf-16-le")


def xl_string(text):
    flags, data = chars(text)
    return struct.pack("<HB", len(text), flags) + data


def boundsheet(offset, name, sheet_type=0):
    flags, data = chars(name)
    return rec(0x0085, struct.pack("<IBBBB", offset, 0, sheet_type, len(name), flags) + data)


def sst(strings):
    body = struct.pack("<II", len(strings), len(strings)) + b"".join(xl_string(s) for s in strings)
    return rec(0x00FC, body)


def label(r, c, text):
    return rec(0x0204, struct.pack("<HHH", r, c, 0) + xl_string(text))


def rstring(r, c, text):
    runs = struct.pack("<HHHH", 0, 1, 2, 2)
    return rec(0x00D6, struct.pack("<HHH", r, c, 0) + xl_string(text) + struct.pack("<H", 2) + runs)


def labelsst(r, c, index):
    return rec(0x00FD, struct.pack("<HHHI", r, c, 0, index))


def number(r, c, value):
    return rec(0x0203, struct.pack("<HHHd", r, c, 0, value))


def number_bits(r, c, bits):
    return rec(0x0203, struct.pack("<HHHQ", r, c, 0, bits))


def rk_int(value):
    return (value << 2) | 2


def rk_int100(value):
    return (value << 2) | 3


def mulrk(r, first, rks):
    body = struct.pack("<HH", r, first) + b"".join(struct.pack("<HI", 0, v & 0xFFFFFFFF) for v in rks)
    return rec(0x00BD, body + struct.pack("<H", first + len(rks) - 1))


def blank(r, c):
    return rec(0x0201, struct.pack("<HHH", r, c, 0))


def mulblank(r, first, last):
    return rec(0x00BE, struct.pack("<HH", r, first) + b"\0\0" * (last - first + 1) + struct.pack("<H", last))


def boolerr(r, c, value, is_error):
    return rec(0x0205, struct.pack("<HHHBB", r, c, 0, value, is_error))


PTG_INT_7 = b"\x1e\x07\x00"  # the expression "=7"; the reader takes only the cached value


def formula_number(r, c, value):
    return rec(0x0006, struct.pack("<HHHdHIH", r, c, 0, value, 0, 0, len(PTG_INT_7)) + PTG_INT_7)


def formula_special(r, c, kind, value=0):
    # kind 0 text (a STRING record follows), 1 boolean, 2 error, 3 empty text
    cached = struct.pack("<BBBBBBH", kind, 0, value, 0, 0, 0, 0xFFFF)
    return rec(0x0006, struct.pack("<HHH", r, c, 0) + cached + struct.pack("<HIH", 0, 0, 3) + PTG_INT_7)


def string_record(text):
    return rec(0x0207, xl_string(text))


def workbook_stream(sheets, shared=b"", extra_globals=b"", version=0x0600, offsets=None):
    """sheets: (name, sheet type, substream). BOUNDSHEET offsets point at each substream's BOF,
    unless offsets gives others."""
    def globals_part(offsets):
        return (bof(0x0005, version) + extra_globals +
                b"".join(boundsheet(o, name, kind) for o, (name, kind, _) in zip(offsets, sheets)) +
                shared + eof())

    position = len(globals_part([0] * len(sheets)))
    computed = []
    for _, _, body in sheets:
        computed.append(position)
        position += len(body)
    return globals_part(offsets or computed) + b"".join(body for _, _, body in sheets)


def worksheet(*records):
    return bof(0x0010) + b"".join(records) + eof()


def compound_bytes(stream, stream_name="Workbook"):
    buffer = io.BytesIO()
    XlsDoc().save(buffer, stream)
    data = buffer.getvalue()
    if stream_name != "Workbook":
        # XlsDoc always names the stream Workbook; rename its directory entry.
        old = "Workbook\0".encode("utf-16-le")
        new = (stream_name + "\0").encode("utf-16-le")
        at = data.index(old)
        data = (data[:at] + new.ljust(64, b"\0") + struct.pack("<H", len(new)) +
                data[at + 66:])
    return data


def save_compound(name, stream, stream_name="Workbook"):
    with open(out(name), "wb") as f:
        f.write(compound_bytes(stream, stream_name))


# ---------------------------------------------------------------------------------------------
# Written by xlwt

def numbers_workbook():
    """"числа.xls": numbers of every encoding, Cyrillic texts, gaps."""
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Лист1")
    rows = [
        ("Величина", "Значение", "Примечание"),
        ("целое", 42, "RK"),
        ("десятичное", 1.59, "RK, сотые"),
        ("отрицательное", -2.5, "RK, сотые"),
        ("15 цифр", 123456789012345, "NUMBER"),
        ("15 цифр дробь", 0.123456789012345, "NUMBER"),
        ("большое", 1e20, "NUMBER"),
        ("малое", 1e-7, "NUMBER"),
        ("ноль", 0, "RK"),
        ("наименьшее RK", -536870912, "RK"),
        ("дробь", 1234567.125, "NUMBER"),
        None,  # an empty row in the middle stays a row
        ("Latin only", "plain ASCII text", ""),
    ]
    for r, row in enumerate(rows):
        if row is None:
            continue
        for c, value in enumerate(row):
            sheet.write(r, c, value)
    # Adjacent numbers: xlwt joins them into one MULRK record.
    for c, value in enumerate([1, 2.25, -3, 4.5], start=3):
        sheet.write(2, c, value)
    book.save(out("числа.xls"))


def long_string(i):
    """The i-th text of "строки.xls"; tables_test builds the same texts."""
    if i % 3 == 0:
        return f"Строка {i}: " + "абвгдеёжзийклмнопрстуфхцчшщъыьэюя" * (1 + i % 5)
    if i % 3 == 1:
        return f"Latin {i}: " + "abcdefghijklmnopqrstuvwxyz" * (1 + i % 7)
    return f"смешанная {i} mixed " * (1 + i % 4)


STRING_COUNT = 300


def strings_workbook():
    """"строки.xls": 300 distinct texts, far more than one SST record holds."""
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Лист1")
    sheet.write(0, 0, "Текст")
    for i in range(STRING_COUNT):
        sheet.write(i + 1, 0, long_string(i))
    book.save(out("строки.xls"))


def rich_workbook():
    """"оформление.xls": rich text (runs of two fonts) in the shared strings."""
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Лист1")
    bold = xlwt.easyfont("bold true")
    plain = xlwt.easyfont("")
    sheet.write(0, 0, "Заголовок")
    sheet.write_rich_text(1, 0, [("Жирное ", bold), ("и обычное", plain)])
    sheet.write_rich_text(2, 0, [("mixed ", bold), ("текст", plain)])
    book.save(out("оформление.xls"))


def sheets_workbooks():
    """"второй_лист.xls": "Лист1" is not the first sheet; "без_листа.xls": no "Лист1"."""
    book = xlwt.Workbook(encoding="utf-8")
    for name, text in [("Сводка", "не тот лист"), ("Лист1", "нужный лист"), ("Лист3", "тоже не тот")]:
        sheet = book.add_sheet(name)
        sheet.write(0, 0, "Заголовок")
        sheet.write(1, 0, text)
        sheet.write(1, 1, 7)
    book.save(out("второй_лист.xls"))

    book = xlwt.Workbook(encoding="utf-8")
    for name in ["Sheet1", "Данные"]:
        book.add_sheet(name).write(0, 0, "Заголовок")
    book.save(out("без_листа.xls"))


def formulas_source(path):
    """An xlwt workbook whose formulas ssconvert computes and writes with their values."""
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Лист1")
    sheet.write(0, 0, "Вид")
    sheet.write(0, 1, "Значение")
    sheet.write(1, 0, "слагаемое")
    sheet.write(1, 1, 1.25)
    sheet.write(2, 0, "сумма")
    sheet.write(2, 1, xlwt.Formula("B2+0.34"))
    sheet.write(3, 0, "текст")
    sheet.write(3, 1, xlwt.Formula('"Лр-"&TEXT(B2*8;"0")'))
    sheet.write(4, 0, "сравнение")
    sheet.write(4, 1, xlwt.Formula("B2>1"))
    sheet.write(5, 0, "деление на 0")
    sheet.write(5, 1, xlwt.Formula("1/0"))
    book.save(path)


def gnumeric_workbook():
    ssconvert = shutil.which("ssconvert")
    if not ssconvert:
        print("ssconvert not found: gnumeric.xls kept as it is")
        return
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "source.xls")
        formulas_source(source)
        subprocess.run([ssconvert, "--recalc", "--export-type=Gnumeric_Excel:excel_biff8",
                        source, out("gnumeric.xls")], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


# ---------------------------------------------------------------------------------------------
# Written by hand

def formulas_workbook():
    """"формулы.xls": cached formula values of every kind and the rarer cell records."""
    string_split = rec(0x0207, struct.pack("<HB", 9, 1) + "Итог".encode("utf-16-le"))
    string_split += rec(0x003C, b"\x00" + b": sum")  # the rest 8-bit, after its own flag byte
    chart = bof(0x0020) + number(50, 0, 99) + eof()  # an embedded chart: its records are no cells
    sheet = worksheet(
        label(0, 0, "Вид"), label(0, 1, "Значение"),
        label(1, 0, "число"), formula_number(1, 1, 3.75),
        number(1, 2, 1), number(1, 2, 2),  # given twice: the later one counts
        label(2, 0, "текст"), formula_special(2, 1, 0),
        rec(0x04BC, b"\0" * 10),  # SHRFMLA may stand between FORMULA and its STRING
        string_record("Сумма по столбцу"),
        label(3, 0, "истина"), formula_special(3, 1, 1, 1),
        label(4, 0, "ошибка"), formula_special(4, 1, 2, 0x07),
        label(5, 0, "пусто"), formula_special(5, 1, 3),
        label(6, 0, "длинный текст"), formula_special(6, 1, 0), string_split,
        label(7, 0, "логическое"), boolerr(7, 1, 0, 0),
        label(8, 0, "ошибка ячейки"), boolerr(8, 1, 0x2A, 1),
        label(9, 0, "RSTRING"), rstring(9, 1, "Курсив"),
        label(10, 0, "NaN"), number_bits(10, 1, 0x7FF8000000000000),
        chart,
        label(11, 0, "MULRK"), mulrk(11, 1, [rk_int(7), rk_int100(159), rk_int100(-50)]),
        labelsst(12, 0, 0),
        # Formatting without values does not make the table wider or longer.
        blank(13, 10), mulblank(14, 5, 20),
    )
    save_compound("формулы.xls", workbook_stream([("Лист1", 0, sheet)], sst(["из общей таблицы"])))


# Texts of "sst_split.xls" in order; tables_test expects them in rows 2 .. 12 of column A.
SPLIT_TEXTS = ["Начало", "ABCDEFGHIJ", "Абвdef", "Жирный", "kana", "split", "end", "start",
               "ЮЯё", "", "last"]


def split_sst():
    """An SST continued in CONTINUE records at every kind of place."""
    pieces = []
    cur = bytearray(struct.pack("<II", len(SPLIT_TEXTS), len(SPLIT_TEXTS)))

    def cut():
        pieces.append(bytes(cur))
        cur.clear()

    utf16 = lambda s: s.encode("utf-16-le")
    cur += struct.pack("<HB", 6, 1) + utf16("Начало")
    # 8-bit characters go on as 16-bit ones after the new record's flag byte
    cur += struct.pack("<HB", 10, 0) + b"ABCD"; cut(); cur += b"\x01" + utf16("EFGHIJ")
    # 16-bit characters go on as 8-bit ones
    cur += struct.pack("<HB", 6, 1) + utf16("Абв"); cut(); cur += b"\x00" + b"def"
    # formatting runs split between records: plain bytes, no flag byte
    runs = struct.pack("<HHHH", 0, 1, 3, 2)
    cur += struct.pack("<HBH", 6, 0x09, 2) + utf16("Жирный") + runs[:3]; cut(); cur += runs[3:]
    # a phonetic block split between records
    ext = bytes(range(10))
    cur += struct.pack("<HBI", 4, 0x04, len(ext)) + b"kana" + ext[:6]; cut(); cur += ext[6:]
    # the character count split between records
    cur += struct.pack("<H", 5)[:1]; cut(); cur += struct.pack("<H", 5)[1:] + b"\x00" + b"split"
    # a text ending at the end of a record, the next one starting a record: no flag byte
    cur += struct.pack("<HB", 3, 0) + b"end"; cut(); cur += struct.pack("<HB", 5, 0) + b"start"
    # the header ends a record, all characters in the next one after their flag byte
    cur += struct.pack("<HB", 3, 0); cut(); cur += b"\x01" + utf16("ЮЯё")
    # an empty text ends a record
    cur += struct.pack("<HB", 0, 0); cut(); cur += struct.pack("<HB", 4, 0) + b"last"
    cut()
    return rec(0x00FC, pieces[0]) + b"".join(rec(0x003C, p) for p in pieces[1:])


def split_workbook():
    cells = [label(0, 0, "Строка")] + [labelsst(i + 1, 0, i) for i in range(len(SPLIT_TEXTS))]
    save_compound("sst_split.xls", workbook_stream([("Лист1", 0, worksheet(*cells))], split_sst()))


def base_sheet():
    return worksheet(labelsst(0, 0, 0), labelsst(1, 0, 1), number(1, 1, 2.5))


BASE_STRINGS = ["Заголовок", "строка"]


def broken_files():
    """Files that must give a clear error, each named after what is wrong with it."""
    base = workbook_stream([("Лист1", 0, base_sheet())], sst(BASE_STRINGS))
    save_compound("base.xls", base)

    with open(out("empty.xls"), "wb"):
        pass
    with open(out("text.xls"), "w", encoding="utf-8") as f:
        f.write("Это текстовый файл, а не книга Excel.\nЛист1;1,59\n")
    with open(os.path.join(SAMPLES, "т11.1.xls"), "rb") as f:
        sample = f.read()
    with open(out("truncated.xls"), "wb") as f:
        f.write(sample[:3000])
    package = io.BytesIO()
    with zipfile.ZipFile(package, "w") as z:
        z.writestr(zipfile.ZipInfo("[Content_Types].xml", (2000, 1, 1, 0, 0, 0)), "<Types/>")
    with open(out("newer.xls"), "wb") as f:
        f.write(package.getvalue())

    # Excel 5.0/95: BIFF5 in a stream named Book, and the same in a stream named Workbook.
    biff5 = workbook_stream([("Sheet1", 0, bof(0x0010, 0x0500) + eof())], version=0x0500)
    save_compound("biff5.xls", biff5, "Book")
    save_compound("biff5_workbook.xls", biff5)
    # Excel 4.0: a bare BIFF4 stream, no compound file.
    with open(out("biff4.xls"), "wb") as f:
        f.write(rec(0x0409, struct.pack("<HHH", 0, 0x0010, 0)) + rec(0x000A, b""))
    # A compound file that is not a workbook (a word processor's document).
    save_compound("document.xls", b"not a workbook", "WordDocument")
    # Saved with a password to open.
    save_compound("encrypted.xls", workbook_stream([("Лист1", 0, base_sheet())], sst(BASE_STRINGS),
                                                   extra_globals=rec(0x002F, b"\x01\x00" + b"\0" * 52)))
    # "Лист1" is a chart sheet.
    chart = bof(0x0020) + eof()
    save_compound("chart.xls", workbook_stream([("Лист1", 2, chart)]))

    # Damaged: each breaks one thing the reader relies on.
    damaged = {
        # the sheet's offset points past the end of the stream
        "bad_offset.xls": workbook_stream([("Лист1", 0, base_sheet())], sst(BASE_STRINGS),
                                          offsets=[0x7FFFFFF0]),
        # the sheet's offset points at the workbook globals
        "offset_to_globals.xls": workbook_stream([("Лист1", 0, base_sheet())], sst(BASE_STRINGS),
                                                 offsets=[0]),
        # a cell refers to a shared string that is not there
        "bad_sst_index.xls": workbook_stream(
            [("Лист1", 0, worksheet(labelsst(0, 0, 0), labelsst(1, 0, 5)))], sst(BASE_STRINGS)),
        # the shared strings table promises more texts than it holds
        "bad_sst_count.xls": workbook_stream(
            [("Лист1", 0, base_sheet())],
            rec(0x00FC, struct.pack("<II", 9, 9) + b"".join(xl_string(s) for s in BASE_STRINGS))),
        # a record longer than the rest of the stream
        "bad_length.xls": workbook_stream(
            [("Лист1", 0, bof(0x0010) + struct.pack("<HH", 0x0203, 0xFFFF) + b"\0" * 14)]),
        # a MULRK whose last column does not match its number of values
        "bad_mulrk.xls": workbook_stream(
            [("Лист1", 0, worksheet(rec(0x00BD, struct.pack("<HHHIH", 1, 0, 0, rk_int(1), 5))))]),
        # a cell beyond column IV
        "bad_column.xls": workbook_stream([("Лист1", 0, worksheet(number(1, 300, 1)))]),
        # 16-bit characters cut in half at the end of the record
        "half_char.xls": workbook_stream(
            [("Лист1", 0, worksheet(labelsst(0, 0, 0)))],
            rec(0x00FC, struct.pack("<IIHB", 1, 1, 4, 1) + "Аб".encode("utf-16-le") + b"\x04") +
            rec(0x003C, b"\x01" + "\x04в".encode("utf-16-le"))),
        # the sheet has no EOF: its substream runs into the stream's padding
        "no_eof.xls": workbook_stream([("Лист1", 0, bof(0x0010) + number(1, 0, 1))]),
    }
    for name, stream in damaged.items():
        save_compound(name, stream)

    # Random damage to the record lengths of a sample's Workbook stream (at file offset 512 in
    # xlwt's layout): every record after a wrong length is read from the wrong place.
    rng = random.Random(20240611)
    with open(os.path.join(SAMPLES, "т38.1.xls"), "rb") as f:
        sample = f.read()
    stream_at = 512
    headers = []
    at = stream_at
    while True:
        kind, length = struct.unpack_from("<HH", sample, at)
        headers.append(at)
        if kind == 0x000A and len(headers) > 1 and at > stream_at + 1500:
            break  # the sheet's EOF
        at += 4 + length
    for i in range(1, 13):
        copy = bytearray(sample)
        at = rng.choice(headers)
        old = struct.unpack_from("<H", copy, at + 2)[0]
        new = rng.choice([old + 1, old - 1 if old else 3, old + rng.randrange(2, 200), 0xFFFF, 0])
        struct.pack_into("<H", copy, at + 2, new & 0xFFFF)
        with open(out(f"corrupt_{i:02}.xls"), "wb") as f:
            f.write(copy)


def main():
    numbers_workbook()
    strings_workbook()
    rich_workbook()
    sheets_workbooks()
    formulas_workbook()
    split_workbook()
    broken_files()
    gnumeric_workbook()


if __name__ == "__main__":
    main()
