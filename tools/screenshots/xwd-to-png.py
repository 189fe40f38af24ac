#!/usr/bin/env python3
"""Cuts an area out of an X window dump (XWD, as Xvfb -fbdir keeps its screen) into a
PNG, or prints one pixel. Plain Python (struct, zlib): no imaging library needed.

    xwd-to-png.py SCREEN X Y WIDTH HEIGHT OUT.png
    xwd-to-png.py SCREEN X Y            (prints the pixel as RRGGBB)
"""
import struct
import sys
import zlib


def read_screen(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, depth, width, height = fields[0], fields[3], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line, ncolors = fields[7], fields[11], fields[12], fields[19]
    if bits_per_pixel != 32 or depth != 24:
        sys.exit("only 24-bit screens in 32-bit pixels are read (got depth %d, %d bits)" % (depth, bits_per_pixel))
    start = header_size + 12 * ncolors
    return data, start, width, height, bytes_per_line, byte_order


def row_rgb(screen, x, y, width):
    data, start, _, _, stride, byte_order = screen
    raw = data[start + y * stride + 4 * x: start + y * stride + 4 * (x + width)]
    out = bytearray(3 * width)
    if byte_order == 0:   # LSB first: B G R X
        out[0::3], out[1::3], out[2::3] = raw[2::4], raw[1::4], raw[0::4]
    else:                 # MSB first: X R G B
        out[0::3], out[1::3], out[2::3] = raw[1::4], raw[2::4], raw[3::4]
    return bytes(out)


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + r for r in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def main(args):
    screen = read_screen(args[0])
    x, y = int(args[1]), int(args[2])
    if len(args) == 3:
        print(row_rgb(screen, x, y, 1).hex().upper())
        return
    width, height = int(args[3]), int(args[4])
    _, _, screen_width, screen_height, _, _ = screen
    if x < 0 or y < 0 or x + width > screen_width or y + height > screen_height:
        sys.exit("the area %d,%d %dx%d lies outside the %dx%d screen" % (x, y, width, height, screen_width, screen_height))
    write_png(args[5], width, height, [row_rgb(screen, x, y + i, width) for i in range(height)])


if __name__ == "__main__":
    if len(sys.argv) not in (4, 7):
        sys.exit(__doc__)
    main(sys.argv[1:])
