#!/usr/bin/python3
"""Writes grades.xls, the hand-made allowable-moment table of document_test.

    /usr/bin/python3 tests/data/make_grade_table.py      (needs Debian's python3-xlwt)

Its rows are set around the design moments of the worked example (Lр = 18 m, section 1/3):
middle block 14,3207 / 14,9637 / 28,477 tf·m, end block 12,9227 / 13,5121 / 25,4954 tf·m, so
that each grade shows one case of the check: over 100 %, a design length outside the list,
the bands' edges (just over 90 %, exactly 100 %), a second passing grade, a missing allowable
moment, a length list that cannot be read. Columns as in т36.1.xls: F1 grade, F2/F3 middle
block Мн нп/Мр вп, F4/F5 end block Мн нп/Мр вп, F6 design lengths; row 1 is a blank header.
The same input gives the same bytes.
"""

import os

import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))

ROWS = [
    ("Р-1", 10, 30, 20, 30, "16–20"),               # middle emergency 143,2 %: fails
    ("Р-2", 15, 30, 14, 26, "12, 15"),              # all within, but Lр = 18 not allowed: fails
    ("Р-3", 16, 31.64, 14.5, 25.4954, "16–20"),     # 90,003 % and exactly 100 %: the first pass
    ("Р-4", 20, 40, 20, 40, "от 18 до 24"),         # passes too, not marked
    ("Р-5", "", 40, 20, 40, 18),                    # no F2: not checked
    ("Р-6", 50, 50, 50, 50, "длинные"),             # lengths unreadable: not checked
]


def main():
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Лист1")
    for col in range(6):
        sheet.write(0, col, "")
    for r, row in enumerate(ROWS, start=1):
        for c, value in enumerate(row):
            sheet.write(r, c, value)
    book.save(os.path.join(HERE, "grades.xls"))


if __name__ == "__main__":
    main()
