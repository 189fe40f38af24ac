#!/usr/bin/env python3
"""Checks a window drawn on Xvfb's screen (an X window dump, Xvfb -fbdir) against the
editor's render on Linux (a reference PNG of the editor alone), and keeps a screenshot.
Plain Python (struct, zlib): no imaging library needed.

    window-check.py SCREEN X Y WIDTH HEIGHT REFERENCE.png OUT.png

X Y WIDTH HEIGHT is the window on the screen; the editor lies somewhere inside it (under
a title bar, inside a border): its place is where the window matches the reference best.
Then, region by region (the tab bar, the mixer strips), the mean colour of each 32-pixel
cell must be near the reference's: the page is drawn, not blank, and laid out as on
Linux (fonts differ between the systems, so single pixels are not compared).
Prints one line per check; exit code 0 when all pass.
"""
import struct
import sys
import zlib

CELL = 32
# Design coordinates of the editor (1028 x 730): the top bar with its tabs, and the
# sixteen mixer strips below it.
REGIONS = [("tab bar", 0, 0, 1028, 44), ("mixer", 28, 92, 1000, 636)]
TOLERANCE = 28        # per colour channel, on a cell's mean
NEEDED = 0.85         # share of a region's cells within the tolerance


def read_screen(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, depth, width, height = fields[0], fields[3], fields[4], fields[5]
    byte_order, bits_per_pixel, stride, ncolors = fields[7], fields[11], fields[12], fields[19]
    if bits_per_pixel != 32 or depth != 24:
        sys.exit("only 24-bit screens in 32-bit pixels are read")
    start = header_size + 12 * ncolors
    rows = []
    for y in range(height):
        raw = data[start + y * stride: start + y * stride + 4 * width]
        row = bytearray(3 * width)
        if byte_order == 0:   # LSB first: B G R X
            row[0::3], row[1::3], row[2::3] = raw[2::4], raw[1::4], raw[0::4]
        else:                 # MSB first: X R G B
            row[0::3], row[1::3], row[2::3] = raw[1::4], raw[2::4], raw[3::4]
        rows.append(row)
    return rows


def read_png(path):
    """8-bit RGB or RGBA, not interlaced: rows of RGB bytes."""
    with open(path, "rb") as f:
        data = f.read()
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, bits, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if bits != 8 or colour not in (2, 6) or interlace:
                sys.exit("%s: only 8-bit RGB(A) PNGs are read" % path)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = line
        rgb = bytearray(3 * width)
        for k in range(3):
            rgb[k::3] = line[k::channels]
        rows.append(rgb)
    return rows


def write_png(path, rows):
    width = len(rows[0]) // 3
    raw = b"".join(b"\0" + bytes(r) for r in rows)
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, len(rows), 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def cell_mean(rows, x, y, w, h):
    total = [0, 0, 0]
    count = 0
    for yy in range(y, y + h, 2):
        row = rows[yy]
        for xx in range(x, x + w, 2):
            total[0] += row[3 * xx]
            total[1] += row[3 * xx + 1]
            total[2] += row[3 * xx + 2]
            count += 1
    return [t / count for t in total]


def best_offset(screen, left, top, width, height, reference):
    """Where in the window the editor lies: the offset whose sparse samples differ least."""
    ref_h, ref_w = len(reference), len(reference[0]) // 3
    samples = [(x, y) for y in range(4, ref_h, 23) for x in range(5, ref_w, 29)]
    best = None
    for dy in range(0, max(0, height - ref_h) + 1):
        for dx in range(0, max(0, width - ref_w) + 1):
            diff = 0
            for x, y in samples:
                s = screen[top + dy + y]
                r = reference[y]
                sx, rx = 3 * (left + dx + x), 3 * x
                diff += abs(s[sx] - r[rx]) + abs(s[sx + 1] - r[rx + 1]) + abs(s[sx + 2] - r[rx + 2])
            if best is None or diff < best[0]:
                best = (diff, dx, dy)
    return best[1], best[2]


def main():
    if len(sys.argv) != 8:
        sys.exit(__doc__)
    screen = read_screen(sys.argv[1])
    left, top, width, height = (int(v) for v in sys.argv[2:6])
    reference = read_png(sys.argv[6])
    ref_h, ref_w = len(reference), len(reference[0]) // 3
    if width < ref_w or height < ref_h:
        print("FAIL: the window (%d x %d) is smaller than the editor (%d x %d)" % (width, height, ref_w, ref_h))
        return 1

    write_png(sys.argv[7], [screen[y][3 * left:3 * (left + width)] for y in range(top, top + height)])

    dx, dy = best_offset(screen, left, top, width, height, reference)
    ex, ey = left + dx, top + dy
    print("editor at %d,%d inside the window" % (dx, dy))

    failed = 0
    # Not blank: the editor's area holds many different shades.
    shades = set()
    for y in range(ey, ey + ref_h, 7):
        row = screen[y]
        for x in range(ex, ex + ref_w, 7):
            shades.add(bytes(row[3 * x:3 * x + 3]))
    ok = len(shades) > 200
    print("%s the window is drawn (%d shades)" % ("ok     " if ok else "FAILED ", len(shades)))
    failed += not ok

    for name, rx, ry, rw, rh in REGIONS:
        cells = matching = 0
        for cy in range(ry, ry + rh - CELL + 1, CELL):
            for cx in range(rx, rx + rw - CELL + 1, CELL):
                got = cell_mean(screen, ex + cx, ey + cy, CELL, CELL)
                want = cell_mean(reference, cx, cy, CELL, CELL)
                cells += 1
                matching += max(abs(g - w) for g, w in zip(got, want)) <= TOLERANCE
        ok = matching >= NEEDED * cells
        print("%s the %s as on Linux (%d of %d cells)" % ("ok     " if ok else "FAILED ", name, matching, cells))
        failed += not ok
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
