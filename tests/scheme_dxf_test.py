#!/usr/bin/python3
"""The suspension scheme for CAD, read back with another reader, ezdxf.

State: a calculation with Lр 18 m and "1/3": point 1 with the left arm 3,5 m, point 2 with the
right arm 4 m (so at 14 m), point 3 with loads but no arm; object data in Cyrillic with a sign
the Cyrillic code page lacks and a line feed. Action: vardo-report FILE --dxf OUT.dxf. Expected:
exit status 0; DXF R2000 whose code page is ANSI_1251, units metres; the seven layers; the beam
from (0, 0) to (18, 0), a support at each end, a POINT at 3,5 and 14 on the beam, the arms as
dimension lines from 0 to 3,5 and from 14 to 18 with "L1 = 3,5" and "П2 = 4", the sections at
9, 6 and 12, the loads with their arrows and labels, every kind on its own layer; the Russian
texts as typed, the line feed not breaking the file; no error of the drawing's structure. Then
the scheme written over the calculation itself is refused and the calculation kept, and so is
a scheme written into a FIFO.

Usage: scheme_dxf_test.py VARDO_REPORT TEST_DATA
"""
import json
import os
import subprocess
import sys
import tempfile
from collections import Counter
from pathlib import Path

import ezdxf

LAYERS = ["Ригель", "Опоры", "Точки", "Нагрузки", "Сечения", "Размеры", "Надписи"]


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def near(a, b):
    return abs(a - b) < 1e-9


def main():
    report, test_data = sys.argv[1:3]
    calc = json.loads((Path(test_data) / "road.vardo").read_text(encoding="utf-8"))
    inputs = calc["inputs"]
    for i in range(1, 9):
        for field in ("txtL", "txtP", "txtG", "txtGg"):
            inputs[f"{field}{i}"] = "0"
    inputs.update({"txtL1": "3,5", "txtG1": "1,59", "txtGg1": "2,5",
                   "txtP2": "4", "txtG2": "1,66", "txtGg2": "2,6", "txtG3": "1,2"})
    calc["version"] = 2
    calc["object"] = {"object": "Станция Ёлкино ≈ км 12", "crossbeam": "№ 7\nопоры 13–14",
                      "designedBy": "", "checkedBy": "", "date": "", "note": ""}
    with tempfile.TemporaryDirectory() as tmp:
        source = Path(tmp) / "расчет.vardo"
        source.write_text(json.dumps(calc, ensure_ascii=False), encoding="utf-8")
        out = Path(tmp) / "схема.dxf"
        run = subprocess.run([report, str(source), "--dxf", str(out)], capture_output=True,
                             text=True, timeout=120)
        check(run.returncode == 0, f"exit status {run.returncode}: {run.stderr}")
        check("точка 3: плечи равны 0" in run.stdout, run.stdout)

        doc = ezdxf.readfile(str(out))
        check(doc.dxfversion == "AC1015", doc.dxfversion)
        check(doc.header.get("$DWGCODEPAGE") == "ANSI_1251", doc.header.get("$DWGCODEPAGE"))
        check(doc.header.get("$INSUNITS") == 6, "units are not metres")
        names = [layer.dxf.name for layer in doc.layers]
        check(all(name in names for name in LAYERS), f"layers {names}")
        auditor = doc.audit()
        check(not auditor.errors, [e.message for e in auditor.errors])

        msp = doc.modelspace()
        kinds = Counter((e.dxftype(), e.dxf.layer) for e in msp)
        for kind in [("LINE", "Ригель"), ("LWPOLYLINE", "Опоры"), ("POINT", "Точки"),
                     ("LINE", "Нагрузки"), ("SOLID", "Нагрузки"), ("LINE", "Сечения"),
                     ("LINE", "Размеры"), ("TEXT", "Размеры"), ("TEXT", "Надписи")]:
            check(kinds[kind] > 0, f"no {kind} in {kinds}")
        check(all(layer in LAYERS for _, layer in kinds), f"entities on other layers: {kinds}")

        beam = [(e.dxf.start, e.dxf.end) for e in msp.query('LINE[layer=="Ригель"]')]
        check(len(beam) == 1 and near(beam[0][0].x, 0) and near(beam[0][1].x, 18)
              and near(beam[0][0].y, 0) and near(beam[0][1].y, 0), f"beam {beam}")
        supports = sorted(round(sum(v[0] for v in p.get_points()) / 3, 9)
                          for p in msp.query('LWPOLYLINE[layer=="Опоры"]'))
        check(supports == [0.0, 18.0], f"supports {supports}")
        points = sorted((round(e.dxf.location.x, 9), e.dxf.location.y)
                        for e in msp.query("POINT"))
        check(points == [(3.5, 0.0), (14.0, 0.0)], f"points {points}")

        # A character the code page lacks is the escape \U+XXXX, decoded as CAD programs do.
        texts = {ezdxf.decode_dxf_unicode(e.dxf.text): e for e in msp.query("TEXT")}
        for label in ["L1 = 3,5", "П2 = 4", "G = 1,59", "Gг = 2,5", "G = 1,66", "Gг = 2,6",
                      "1/2", "1/3", "1", "2"]:
            check(label in texts, f"no text {label!r} in {sorted(texts)}")
        # Each arm: a horizontal dimension line over its span, above the beam.
        dims = [(min(e.dxf.start.x, e.dxf.end.x), max(e.dxf.start.x, e.dxf.end.x))
                for e in msp.query('LINE[layer=="Размеры"]')
                if near(e.dxf.start.y, e.dxf.end.y) and e.dxf.start.y > 0]
        check(any(near(a, 0) and near(b, 3.5) for a, b in dims), f"L1 {dims}")
        check(any(near(a, 14) and near(b, 18) for a, b in dims), f"П2 {dims}")
        sections = sorted({round(e.dxf.start.x, 9) for e in msp.query('LINE[layer=="Сечения"]')})
        check(sections == [6.0, 9.0, 12.0], f"sections {sections}")
        arrows = sorted(round(e.dxf.start.x, 9) for e in msp.query('LINE[layer=="Нагрузки"]'))
        check(arrows == [3.5, 14.0], f"load arrows {arrows}")

        title = [t for t in texts if t.startswith("Схема подвеса")]
        check(title == ["Схема подвеса — Станция Ёлкино ≈ км 12, поперечина № 7 опоры 13–14"],
              f"title {title}")
        check(any("М 1:" in t for t in texts), "no scale")

        # Over the calculation it is made from: refused, the calculation as it was.
        before = source.read_bytes()
        run = subprocess.run([report, str(source), "--dxf", str(source)], capture_output=True,
                             text=True, timeout=120)
        check(run.returncode == 1 and "заменила бы" in run.stderr, run.stderr)
        check(source.read_bytes() == before, "the calculation was changed")

        # A FIFO under the scheme's name: refused at once, not waited on (the timeout fails).
        fifo = Path(tmp) / "канал.dxf"
        os.mkfifo(fifo)
        run = subprocess.run([report, str(source), "--dxf", str(fifo)], capture_output=True,
                             text=True, timeout=120)
        check(run.returncode == 1 and "только обычный файл" in run.stderr, run.stderr)
    print("PASS")


if __name__ == "__main__":
    main()
