#!/usr/bin/python3
"""The compound-file reader against olefile, an independent reader.

State: every .xls file under the folders given, and compound files written here around known
streams in the layouts the folders lack (4096-byte sectors, DIFAT sectors, the mini stream).
Action: compound_dump takes out the "Workbook" stream. Expected: the very bytes olefile reads (for
the written files, also the bytes put in); where olefile refuses the file, compound_dump too.

Usage: compound_test.py COMPOUND_DUMP FOLDER... (the sample data last: its т38.1.xls is put in)
"""
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

import olefile

END, FREE, NONE = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFF


def compound(stream, shift, fat_sectors=1):
    """A compound file whose root storage holds stream as "Workbook"."""
    size, per, sectors, fat = 1 << shift, (1 << shift) // 4, [], []

    def put(data, mark=None):
        first, data = len(sectors), data + b"\0" * (-len(data) % size)
        for i in range(0, len(data), size):
            sectors.append(data[i:i + size])
            fat.append(mark or (len(sectors) if i + size < len(data) else END))
        return first

    def ints(values):
        return struct.pack("<%dI" % len(values), *values) + b"\xFF" * (-4 * len(values) % size)

    def entry(name, kind, child, start, length):
        text = (name + "\0").encode("utf-16-le")
        return (text.ljust(64, b"\0") + struct.pack("<HBB3I", len(text), kind, 1, NONE, NONE, child)
                + bytes(36) + struct.pack("<IQ", start, length))

    mini_fat, root, start = END, (END, 0), 0
    if len(stream) < 4096:  # in the mini stream, the root's, of 64-byte sectors, after one free
        chain = [FREE] + list(range(2, (len(stream) + 63) // 64 + 1)) + [END]
        root, mini_fat, start = (put(bytes(64) + stream), len(chain) * 64), put(ints(chain)), 1
    else:
        start = put(stream)
    directory = put(entry("Root Entry", 5, 1, *root)
                    + entry("Workbook", 2, NONE, start, len(stream)))
    fats = [put(bytes(size), 0xFFFFFFFD) for _ in range(fat_sectors)]
    difats = [put(bytes(size), 0xFFFFFFFC) for _ in range(0, len(fats) - 109, per - 1)][::-1]
    fat += [FREE] * (fat_sectors * per - len(fat))
    for i, at in enumerate(fats):
        sectors[at] = ints(fat[i * per:(i + 1) * per])
    for i, at in enumerate(difats):
        listed = fats[109 + i * (per - 1):109 + (i + 1) * (per - 1)]
        following = difats[i + 1] if i + 1 < len(difats) else END
        sectors[at] = ints(listed)[:-4] + struct.pack("<I", following)
    header = (b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + bytes(16)
              + struct.pack("<5H6x9I", 0x3E, 3 if shift == 9 else 4, 0xFFFE, shift, 6, shift == 12,
                            fat_sectors, directory, 0, 4096, mini_fat, mini_fat != END,
                            difats[0] if difats else END, len(difats)) + ints(fats[:109])[:436])
    return header.ljust(size, b"\0") + b"".join(sectors)


def olefile_stream(path):
    """The Workbook stream as olefile reads it; None when it finds the file unsound or no stream."""
    try:
        with olefile.OleFileIO(str(path), raise_defects=olefile.DEFECT_INCORRECT) as ole:
            names = [e for e in ole.listdir() if len(e) == 1 and e[0].lower() == "workbook"]
            return ole.openstream(names[0]).read() if names else None
    except Exception:  # any refusal: not a compound file, unsound, cut short
        return None


def main():
    dump, folders, failures, compared = sys.argv[1], sys.argv[2:], [], 0
    files = sorted(p for folder in folders for p in Path(folder).rglob("*.xls"))
    with tempfile.TemporaryDirectory() as tmp:
        big = olefile_stream(Path(folders[-1]) / "т38.1.xls")
        # The largest stream of the mini stream; two DIFAT sectors.
        written = [("4096", big, 12, 1), ("4096-mini", big[:4095], 12, 1),
                   ("difat", big, 9, 240), ("mini", big[:4095], 9, 1)]
        for name, stream, shift, fat_sectors in written:
            files.append(Path(tmp) / (name + ".xls"))
            files[-1].write_bytes(compound(stream, shift, fat_sectors))
            if olefile_stream(files[-1]) != stream:
                failures.append("%s: olefile does not read the stream written" % name)
        for path in files:
            expected = olefile_stream(path)
            ours = subprocess.run([dump, str(path)], capture_output=True)
            compared += expected is not None
            if (ours.returncode, ours.stdout) != (0, expected) and (expected or not ours.returncode):
                failures.append("%s: exit %d, olefile %s" % (
                    path, ours.returncode, "reads it" if expected else "refuses it"))
    print("%d files, %d streams compared" % (len(files), compared), *failures, sep="\nFAIL: ")
    return 1 if failures or compared == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
