#!/usr/bin/python3
"""Writes the eight sample reference workbooks of Vardo into this folder.

    /usr/bin/python3 data/make_workbooks.py        (needs Debian's python3-xlwt)

SAMPLE DATA, NOT NORMATIVE VALUES. The rows below are plausible figures worked out from round
wire and crossbeam data so that the program can be tried end to end; they are not taken from any
standard and must not be used for a real design. Replace the workbooks with your own tables of
the same layout (see README.md).

Every workbook has the sheet "Лист1": row 1 is the header row, the rows below are the data rows,
column A is F1. A second sheet "Пояснения" says what the columns mean. Units: loads and weights in
kgf/m, the Мфс moments in kgf·m, allowable moments in tf·m, lengths in m, ice thickness b in mm.
The output is the same bytes on every run.
"""

import math
import os

import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))
ICE_THICKNESSES = (5, 10, 15, 20)  # mm, the order of the columns of the ice tables

# Density of glaze ice, g/cm³: a ring of ice b mm thick on a wire of diameter d mm weighs
# 0.9 * pi * b * (d + b) / 1000 kgf per metre.
ICE_DENSITY = 0.9


def ice_on_wire(diameter_mm, b_mm):
    return ICE_DENSITY * math.pi * b_mm * (diameter_mm + b_mm) / 1000


# Wires: weight kgf/m, diameter mm (for a grooved contact wire its height).
WIRES = {
    "ПБСМ-70": (0.59, 11.0),
    "ПБСМ-95": (0.77, 12.5),
    "М-95": (0.85, 12.5),
    "М-120": (1.06, 14.0),
    "МФ-85": (0.76, 10.8),
    "МФ-100": (0.89, 11.8),
    "МФ-150": (1.34, 14.5),
}

# Catenary suspensions: messenger wire, contact wire, number of contact wires, droppers and
# clamps kgf/m. G is their weight per metre of span; Gг adds the ice, the contact wires' ice taken
# at one half (the pantographs keep them partly clear).
SUSPENSIONS = [
    ("ПБСМ-70", "МФ-85", 1, 0.10),
    ("ПБСМ-95", "МФ-85", 1, 0.10),
    ("М-95", "МФ-100", 1, 0.10),
    ("М-120", "МФ-100", 1, 0.10),
    ("М-120", "МФ-150", 1, 0.12),
    ("М-95", "МФ-100", 2, 0.15),
    ("М-120", "МФ-100", 2, 0.15),
]


def suspension_caption(messenger, contact, count):
    # Written without the wires' hyphens, as on drawings, so the caption fits the table's label.
    wire = lambda name: name.replace("-", "")
    return f"{wire(messenger)}+{count if count > 1 else ''}{wire(contact)}"


def suspension_load(messenger, contact, count, droppers, b_mm=0):
    m_weight, m_diameter = WIRES[messenger]
    c_weight, c_diameter = WIRES[contact]
    load = m_weight + count * c_weight + droppers
    if b_mm:
        load += ice_on_wire(m_diameter, b_mm) + count * 0.5 * ice_on_wire(c_diameter, b_mm)
    return round(load, 2)


# Standard crossbeams of the two series "П" and "ОП", one row each in every crossbeam table.
# grade, own weight gр kgf/m, surface for ice m²/m, wind parameter Pp, allowable moments tf·m
# (middle block: emergency Мн нп, ice and wind Мр вп; end block at 1/3 (1/4): the same two),
# design lengths m. Pp enters the maximum-wind moment at mid-span as h/b·Lр²·Vm²·Pp·0.185
# kgf·m, the moment of a load of 8·0.185·h/b·Pp·Vm² kgf per metre of beam: with these Pp about
# 45 to 80 kgf/m at Vm = 25 m/s, a lattice beam's wind load.
CROSSBEAMS = {
    "П": [
        ("П-1", 48.0, 2.10, 0.032, 14.5, 11.0, 10.5, 8.0, "16–20"),
        ("П-2", 55.0, 2.40, 0.035, 18.0, 14.0, 13.0, 10.0, "16–24"),
        ("П-3", 62.0, 2.60, 0.038, 22.5, 17.5, 16.0, 12.5, "16–28"),
        ("П-4", 71.0, 2.85, 0.041, 28.0, 21.5, 20.0, 15.5, "18–32"),
        ("П-5", 83.0, 3.10, 0.045, 34.5, 26.5, 24.5, 19.0, "22–36"),
        ("П-6", 96.0, 3.40, 0.049, 42.0, 32.5, 30.0, 23.0, "26–44"),
    ],
    "ОП": [
        ("ОП-1", 58.0, 2.30, 0.036, 19.0, 15.0, 14.0, 11.0, "16–22"),
        ("ОП-2", 66.0, 2.55, 0.039, 24.0, 18.5, 17.5, 13.5, "16–26"),
        ("ОП-3", 75.0, 2.80, 0.042, 30.0, 23.0, 21.5, 16.5, "16–30"),
        ("ОП-4", 86.0, 3.05, 0.046, 37.0, 28.5, 26.5, 20.5, "18–34"),
        ("ОП-5", 99.0, 3.35, 0.050, 45.0, 34.5, 32.0, 25.0, "22–40"),
        ("ОП-6", 114.0, 3.70, 0.054, 54.0, 41.5, 38.5, 30.0, "26–46"),
    ],
}


def crossbeam_caption(grade, lengths):
    return f"{grade} ({lengths} м)"


def crossbeam_ice(surface, b_mm):
    # Ice of density 0.9 g/cm³, b mm thick on a surface of so many m² per metre of beam.
    return round(ICE_DENSITY * surface * b_mm, 1)


# Additional moments Мфс from the equipment fixed to the crossbeam, kgf·m per metre of the design
# length, for the emergency, ice and maximum-wind modes; "пер" and "пост" are the two sets.
MFS_PER_METRE = {
    "пер": (22.0, 26.0, 34.0),
    "пост": (17.8, 21.1, 27.8),
}
DESIGN_LENGTHS = (16, 18, 20, 22, 24, 26, 28, 30, 32)


def table_g():
    return [[suspension_caption(m, c, n), suspension_load(m, c, n, d)] for m, c, n, d in SUSPENSIONS]


def table_g_ice():
    return [[suspension_caption(m, c, n)] + [suspension_load(m, c, n, d, b) for b in ICE_THICKNESSES]
            for m, c, n, d in SUSPENSIONS]


def crossbeam_rows(cells):
    """One row per crossbeam position: the "П" cells, then the "ОП" cells."""
    return [cells(p) + cells(op) for p, op in zip(CROSSBEAMS["П"], CROSSBEAMS["ОП"])]


def table_gp():
    return crossbeam_rows(lambda r: [crossbeam_caption(r[0], r[8]), r[1]])


def table_gp_ice():
    return crossbeam_rows(
        lambda r: [crossbeam_caption(r[0], r[8])] + [crossbeam_ice(r[2], b) for b in ICE_THICKNESSES])


def table_pp():
    return crossbeam_rows(lambda r: [crossbeam_caption(r[0], r[8]), r[3]])


def table_allowable(series):
    return [[r[0], r[4], r[5], r[6], r[7], r[8]] for r in CROSSBEAMS[series]]


MFS_HEADER = ["Lр", "авар", "норм гв", "норм в", "авар1", "норм гв1", "норм в1"]


def table_mfs():
    rows = []
    for length in DESIGN_LENGTHS:
        row = [length]
        for name in ("пер", "пост"):
            row += [round(k * length) for k in MFS_PER_METRE[name]]
        rows.append(row)
    return rows


NOTE = "Образец для проверки программы, не нормативные значения."

# File name, header row (None: blank header cells, the columns are addressed as F1, F2, ...),
# data rows, what the columns mean.
WORKBOOKS = [
    ("т11.1.xls", None, table_g(), [
        "F1: подвеска", "F2: нагрузка G без гололеда на 1 м пролета, кгс/м"]),
    ("т11.2.xls", None, table_g_ice(), [
        "F1: подвеска",
        "F2..F5: нагрузка Gг с гололедом на 1 м пролета при b = 5, 10, 15, 20 мм, кгс/м"]),
    ("т37Gp.xls", None, table_gp(), [
        "F1: ригель серии П", "F2: собственный вес gр, кгс/м",
        "F3: ригель серии ОП", "F4: собственный вес gр, кгс/м"]),
    ("т37gama.xls", None, table_pp(), [
        "F1: ригель серии П", "F2: ветровой параметр Pp",
        "F3: ригель серии ОП", "F4: ветровой параметр Pp"]),
    ("Т37Gрг.xls", None, table_gp_ice(), [
        "F1: ригель серии П", "F2..F5: гололедная нагрузка gрг при b = 5, 10, 15, 20 мм, кгс/м",
        "F6: ригель серии ОП", "F7..F10: гололедная нагрузка gрг при b = 5, 10, 15, 20 мм, кгс/м"]),
    ("т38.1.xls", MFS_HEADER, table_mfs(), [
        "Lр: расчетная длина ригеля, м",
        "авар, норм гв, норм в: Мфс набора «пер» в режимах аварийный, гололед, V max, кгс·м",
        "авар1, норм гв1, норм в1: Мфс набора «пост» в тех же режимах, кгс·м"]),
    ("т36.1.xls", None, table_allowable("П"), [
        "F1: марка поперечины серии П",
        "F2, F3: условно допустимые моменты среднего блока Мн нп, Мр вп, тс·м",
        "F4, F5: условно допустимые моменты крайнего блока Мн нп, Мр вп, тс·м",
        "F6: возможные расчетные длины, м"]),
    ("т36.2.xls", None, table_allowable("ОП"), [
        "F1: марка поперечины серии ОП",
        "F2, F3: условно допустимые моменты среднего блока Мн нп, Мр вп, тс·м",
        "F4, F5: условно допустимые моменты крайнего блока Мн нп, Мр вп, тс·м",
        "F6: возможные расчетные длины, м"]),
]


def write_workbook(name, header, rows, notes):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Лист1")
    width = max(len(r) for r in rows)
    for col in range(width):
        # A blank header cell still makes row 1 the header row for any reader.
        sheet.write(0, col, header[col] if header else "")
    for r, row in enumerate(rows, start=1):
        for c, value in enumerate(row):
            sheet.write(r, c, value)
    info = book.add_sheet("Пояснения")
    for r, line in enumerate([NOTE] + notes):
        info.write(r, 0, line)
    book.save(os.path.join(HERE, name))


def main():
    for name, header, rows, notes in WORKBOOKS:
        write_workbook(name, header, rows, notes)
        print(f"{name}: {len(rows)} rows")


if __name__ == "__main__":
    main()
