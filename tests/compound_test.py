#!/usr/bin/python3
"""The compound-file reader against olefile, an independent reader.

State: every .xls file of the given folders, and compound files written here around known streams
in the layouts the folders lack (4096-byte sectors, more than 109 FAT sectors listed by a DIFAT
sector, streams in the mini stream). Action: compound_dump takes out the "Workbook" stream.
Expected: the very bytes olefile reads (and, for the written files, the bytes put in); where
olefile finds the file unsound or without the stream, compound_dump refuses it too.

Usage: compound_test.py COMPOUND_DUMP FOLDER...
"""
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

import olefile

END, FREE, FATSECT, DIFSECT, NONE = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD, 0xFFFFFFFC, 0xFFFFFFFF


def compound(stream, shift, fat_sectors=1):
    """A compound file whose root storage holds stream as "Workbook"."""
    size, per = 1 << shift, (1 << shift) // 4
    sectors, fat = [], []

    def put(data, mark=None):
        first, data = len(sectors), data + b"\0" * (-len(data) % size)
        for i in range(0, len(data), size):
            sectors.append(data[i:i + size])
            fat.append(mark or (len(sectors) if i + size < len(data) else END))
        return first

    def ints(values, fill):
        return struct.pack("<%dI" % len(values), *values) + struct.pack("<I", fill) * (-len(values) % per)

    def entry(name, kind, child, start, length):
        text = (name + "\0").encode("utf-16-le")
        return (text.ljust(64, b"\0") + struct.pack("<HBB3I", len(text), kind, 1, NONE, NONE, child)
                + bytes(36) + struct.pack("<IQ", start, length))

    mini_fat, root = END, (END, 0)
    if len(stream) < 4096:
        chain = [i + 1 for i in range((len(stream) + 63) // 64)]
        chain[-1] = END
        root = (put(stream), len(chain) * 64)
        mini_fat, start = put(ints(chain, FREE)), 0
    else:
        start = put(stream)
    directory = put(entry("Root Entry", 5, 1, *root) + entry("Workbook", 2, NONE, start, len(stream)))
    fats = [put(bytes(size), FATSECT) for _ in range(fat_sectors)]
    extra = fats[109:]
    difats = [put(bytes(size), DIFSECT) for _ in range(0, len(extra), per - 1)]
    fat += [FREE] * (fat_sectors * per - len(fat))
    for i, at in enumerate(fats):
        sectors[at] = ints(fat[i * per:(i + 1) * per], FREE)
    for i, at in enumerate(difats):
        listed = extra[i * (per - 1):(i + 1) * (per - 1)]
        sectors[at] = ints(listed, FREE)[:-4] + struct.pack("<I", difats[i + 1] if i + 1 < len(difats) else END)
    header = (b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + bytes(16)
              + struct.pack("<5H6x9I", 0x3E, 3 if shift == 9 else 4, 0xFFFE, shift, 6, shift == 12,
                            fat_sectors, directory, 0, 4096, mini_fat, mini_fat != END,
                            difats[0] if difats else END, len(difats))
              + ints(fats[:109], FREE)[:436])
    return header.ljust(size, b"\0") + b"".join(sectors)


def olefile_stream(path):
    """The Workbook stream as olefile reads it; None when olefile finds it unsound or absent."""
    try:
        with olefile.OleFileIO(str(path), raise_defects=olefile.DEFECT_INCORRECT) as ole:
            names = [e for e in ole.listdir() if len(e) == 1 and e[0].lower() == "workbook"]
            return ole.openstream(names[0]).read() if names else None
    except Exception:  # any refusal: not a file, unsound, cut short
        return None


def main():
    dump, folders = sys.argv[1], sys.argv[2:]
    failures, compared = [], 0
    with tempfile.TemporaryDirectory() as tmp:
        big = olefile.OleFileIO(str(Path(folders[-1]) / "т38.1.xls")).openstream("Workbook").read()
        small = big[:2600]
        written = {"4096-byte sectors": (big, 12, 1), "4096-byte sectors, mini stream": (small, 12, 1),
                   "DIFAT sector": (big, 9, 110), "mini stream": (small, 9, 1)}
        files = sorted(p for folder in folders for p in Path(folder).rglob("*.xls"))
        for name, (stream, shift, fat_sectors) in written.items():
            path = Path(tmp) / (name + ".xls")
            path.write_bytes(compound(stream, shift, fat_sectors))
            if olefile_stream(path) != stream:
                failures.append("%s: olefile does not read the stream written" % name)
            files.append(path)
        for path in files:
            expected = olefile_stream(path)
            ours = subprocess.run([dump, str(path)], capture_output=True)
            if expected is None and ours.returncode == 0:
                failures.append("%s: olefile refuses it, compound_dump reads it" % path)
            elif expected is not None and (ours.returncode != 0 or ours.stdout != expected):
                failures.append("%s: exit %d, %d bytes of %d differ" % (
                    path, ours.returncode, len(ours.stdout), len(expected)))
            compared += expected is not None
    print("%d files, %d streams compared" % (len(files), compared))
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures or compared == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
