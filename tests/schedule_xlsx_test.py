#!/usr/bin/python3
"""The schedule of crossbeams as an Excel workbook, read back with openpyxl.

State: two sample calculations and one cut short; the Russian locale, whose decimal comma the C
library would write into the workbook's numbers. Action: vardo-report --schedule x.xlsx, and the
same with x.csv. Expected: exit status 1 both times; no number of the workbook written with a
comma; one sheet with a title row, the header and a row per file; every cell the CSV writes as a
number is a number in the workbook (equal to it), every other cell the same text; moments shown
to four decimals, percentages to one; the unreadable file is a row with its name and reason; each
column wide enough for its longest text; the header frozen and filtered, printed on every page of
a landscape A4 or A3 one page wide; the verdict of each read file is the one its PDF report prints.

Usage: schedule_xlsx_test.py VARDO_REPORT TEST_DATA SAMPLE_DATA
"""
import json
import locale
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

import openpyxl

NUMBER = re.compile(r"^-?\d+(,\d+)?$")
RUSSIAN = "ru_RU.UTF-8"


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def russian_environment():
    try:
        locale.setlocale(locale.LC_NUMERIC, RUSSIAN)
    except locale.Error:
        fail(f"the locale {RUSSIAN} is not generated (scripts/deps generates it)")
    locale.setlocale(locale.LC_NUMERIC, "C")
    return dict(os.environ, LC_ALL=RUSSIAN, LANG=RUSSIAN)


def main():
    report, test_data, sample_data = sys.argv[1:4]
    environment = russian_environment()
    with tempfile.TemporaryDirectory() as tmp:
        folder = Path(tmp)
        files = []
        for name in ("road.vardo", "road-quarter.vardo"):
            shutil.copy(Path(test_data) / name, folder / name)
            files.append(str(folder / name))
        broken = folder / "обрыв.vardo"
        broken.write_bytes((Path(test_data) / "road.vardo").read_bytes()[:300])
        files.append(str(broken))

        def run(*arguments):
            return subprocess.run([report, "--tables", sample_data, *arguments],
                                  cwd=folder, env=environment, capture_output=True, text=True,
                                  timeout=300)

        xlsx, csv = folder / "ведомость.xlsx", folder / "ведомость.csv"
        for path in (xlsx, csv):
            done = run("--schedule", str(path), *files)
            if done.returncode != 1:
                fail(f"exit status {done.returncode} for {path.name}: {done.stderr}")
            if "«обрыв.vardo»" not in done.stderr:
                fail("the broken file is not named: " + done.stderr)

        with zipfile.ZipFile(xlsx) as archive:
            sheet_xml = archive.read("xl/worksheets/sheet1.xml").decode("utf-8")
            book_xml = archive.read("xl/workbook.xml").decode("utf-8")
        comma = re.findall(r"<v>[^<]*,[^<]*</v>", sheet_xml)
        if comma:
            fail(f"numbers written with a comma: {comma[:3]}")
        book = openpyxl.load_workbook(xlsx)
        if book.sheetnames != ["Ведомость"]:
            fail(f"sheets {book.sheetnames}")
        sheet = book.active
        rows = [list(r) for r in sheet.iter_rows(values_only=True)]
        title, rows = rows[0], rows[1:]
        if not str(title[0]).startswith("Ведомость ригелей жестких поперечин") or any(title[1:]):
            fail(f"title row {title}")
        lines = csv.read_bytes().decode("utf-8-sig").split("\r\n")[:-1]
        table = [line.split(";") for line in lines]
        if len(rows) != 4 or len(table) != 4:
            fail(f"{len(rows)} rows in the workbook, {len(table)} in the CSV")
        header = rows[0]
        if header != table[0]:
            fail(f"headers differ: {header} / {table[0]}")
        for unit in ("Пролет l, м", "Расчетная длина Lр, м", "Наибольшее использование марки, %"):
            if unit not in header:
                fail("no column " + unit)
        if not any(h.endswith(", тс·м") for h in header):
            fail("no moments in tf·m")

        numbers = 0
        for r in range(1, 4):
            for c, text in enumerate(table[r]):
                value = rows[r][c]
                if NUMBER.match(text):
                    numbers += 1
                    if isinstance(value, bool) or not isinstance(value, (int, float)):
                        fail(f"row {r}, column {header[c]}: {value!r} is not a number")
                    if abs(value - float(text.replace(",", "."))) > 1e-9:
                        fail(f"row {r}, column {header[c]}: {value} != {text}")
                elif (value or "") != text:
                    fail(f"row {r}, column {header[c]}: {value!r} != {text!r}")
        if numbers < 2 * 8:  # l, Lр and six moments of each file read
            fail(f"only {numbers} numbers")

        file_column, verdict_column = header.index("Файл расчета"), header.index("Вывод")
        last = rows[3]
        if last[file_column] != "обрыв.vardo" or "файл обрезан" not in last[verdict_column]:
            fail(f"broken row {last}")
        if any(v is not None for c, v in enumerate(last) if c not in (file_column, verdict_column)):
            fail(f"broken row holds values: {last}")

        for c, name in enumerate(header):
            letter = openpyxl.utils.get_column_letter(c + 1)
            width = sheet.column_dimensions[letter].width
            longest = max(len(str(rows[r][c] or "")) for r in range(1, 4))
            longest = max([longest] + [len(w) for w in name.split()])
            if width is None or width < min(longest, 58):
                fail(f"column {name}: width {width} for {longest} characters")
        if sheet.freeze_panes != "A3":
            fail(f"header not frozen: {sheet.freeze_panes}")
        last_column = openpyxl.utils.get_column_letter(len(header))
        if sheet.auto_filter.ref != f"A2:{last_column}5":
            fail(f"autofilter {sheet.auto_filter.ref}")
        for c, name in enumerate(header):
            wanted = "0.0000" if name.endswith(", тс·м") else "0.0" if name.endswith("%") else None
            cells = [sheet.cell(row=r, column=c + 1) for r in (3, 4)]
            formats = {cell.number_format for cell in cells if isinstance(cell.value, float)}
            if wanted and (formats - {wanted} or (wanted == "0.0000" and not formats)):
                fail(f"column {name}: number formats {formats}, not {wanted}")
        # Printed: landscape A4 (9) or A3 (8), one page wide, the header row on every page.
        setup = re.search(r"<pageSetup [^>]*>", sheet_xml)
        setup = setup.group(0) if setup else ""
        for attribute in ('orientation="landscape"', 'fitToHeight="0"'):
            if attribute not in setup:
                fail(f"page setup without {attribute}: {setup}")
        if not re.search(r'paperSize="[89]"', setup) or 'fitToWidth="' in setup:
            fail(f"paper or width in pages: {setup}")  # fitToWidth is 1 when left out
        if not re.search(r'<pageSetUpPr fitToPage="1"/>', sheet_xml):
            fail("the sheet is not fitted to its pages")
        titles = re.search(r'<definedName name="_xlnm.Print_Titles"[^>]*>([^<]*)<', book_xml)
        if not titles or titles.group(1) not in ("Ведомость!$2:$2", "'Ведомость'!$2:$2"):
            fail(f"print titles {titles.group(0) if titles else book_xml}")

        # A file whose grade passes (the road with a slower wind, point 1 at 20 m, the governing
        # loads of that point clicked): its highest utilisation is a percentage to one decimal.
        passing = json.loads((Path(test_data) / "road.vardo").read_text("utf-8"))
        passing["inputs"].update(txtVm="10", txtL1="20")
        passing["results"].update(Text21="2680", Text22="861,89")
        (folder / "проходит.vardo").write_text(json.dumps(passing, ensure_ascii=False), "utf-8")
        one = folder / "одна.xlsx"
        done = run("--schedule", str(one), str(folder / "проходит.vardo"))
        if done.returncode != 0:
            fail(f"the passing file: {done.stderr}")
        row = list(openpyxl.load_workbook(one).active.iter_rows(min_row=3, max_row=3))[0]
        use = row[header.index("Наибольшее использование марки, %")]
        if not isinstance(use.value, float) or use.number_format != "0.0":
            fail(f"utilisation {use.value!r} shown as {use.number_format}")

        # The verdict each PDF report prints for the same files.
        done = run("-o", str(folder / "pdf") + "/", *files[:2])
        verdicts = re.findall(r"^  вывод: (.*)$", done.stdout, re.M)
        if [rows[1][verdict_column], rows[2][verdict_column]] != verdicts:
            fail(f"verdicts {verdicts} / {[rows[1][verdict_column], rows[2][verdict_column]]}")
    print("schedule read back: 3 rows,", numbers, "numbers")


main()
