#!/usr/bin/env python3
"""Contact sheet of the generated models, as the game's renderer draws them.

Renders every glTF file below DATA_DIR with `modelview --shot` and tiles the pictures,
each labelled by its grid position (the legend goes to standard output), into one PNG.

    contact_sheet.py MODELVIEW DATA_DIR OUT.png [COLUMNS]

Only the Python standard library is used: PNG files are decoded and encoded here.
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    pos, width, height, ctype, idat = 8, 0, 0, 0, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or interlace or ctype not in (2, 6):
                raise ValueError(path + ": only 8-bit RGB/RGBA PNGs are read")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    bpp = 3 if ctype == 2 else 4
    raw, stride = zlib.decompress(idat), width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        filt, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prev[i], prev[i - bpp] if i >= bpp else 0
            if filt == 1:
                line[i] = (line[i] + a) & 255
            elif filt == 2:
                line[i] = (line[i] + b) & 255
            elif filt == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif filt == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line[x * bpp:x * bpp + 3]) for x in range(width))
        rows[-1] = b"".join(rows[-1])
        prev = line
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\x00" + r for r in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def shrink(width, height, rows, factor):
    out = []
    for y in range(0, height - factor + 1, factor):
        row = rows[y]
        out.append(b"".join(row[x * 3:x * 3 + 3] for x in range(0, width - factor + 1, factor)))
    return width // factor, height // factor, out


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    modelview, data_dir, out = sys.argv[1:4]
    columns = int(sys.argv[4]) if len(sys.argv) > 4 else 6
    files = sorted(os.path.join(d, f) for d, _, fs in os.walk(data_dir) for f in fs if f.endswith(".gltf"))
    if not files:
        print("no .gltf files below " + data_dir)
        return 1
    tiles = []
    with tempfile.TemporaryDirectory() as tmp:
        for i, model in enumerate(files):
            shot = os.path.join(tmp, "%02d.png" % i)
            try:
                subprocess.run([modelview, "--shot", shot, model], check=True,
                               stdout=subprocess.DEVNULL, timeout=180)
                tiles.append(shrink(*read_png(shot), 4))
            except (subprocess.SubprocessError, OSError, ValueError) as err:
                print("   %s: no picture (%s)" % (model, err))
                tiles.append((320, 180, [b"\x60\x10\x10" * 320] * 180))
            print("%2d (row %d, column %d): %s" % (i, i // columns, i % columns, os.path.relpath(model, data_dir)))
    tw, th = tiles[0][0], tiles[0][1]
    grid_rows = (len(tiles) + columns - 1) // columns
    blank = b"\x10\x10\x14" * tw
    sheet = []
    for r in range(grid_rows):
        for y in range(th):
            line = b""
            for c in range(columns):
                k = r * columns + c
                line += (tiles[k][2][y] if k < len(tiles) else blank) + b"\x40\x40\x40"
            sheet.append(line)
        sheet.append(b"\x40\x40\x40" * ((tw + 1) * columns))
    write_png(out, (tw + 1) * columns, len(sheet), sheet)
    return 0


if __name__ == "__main__":
    sys.exit(main())
