#!/usr/bin/env python3
"""Where the watermark landed on a rendered preview page.

    preview_pixels.py <page.png> <cell>=<yes|no> ...

The page is divided into a 3 x 3 grid of cells named upper-left,
upper-centre, upper-right, centre-left, centre, centre-right, lower-left,
lower-centre, lower-right. A cell "has" the watermark when it holds pixels
of the watermark colour of the test tickets (magenta, which the sample
documents never use). Exit status 1 names the first cell that disagrees.
"""
import struct
import sys
import zlib

ROWS = ["upper", "centre", "lower"]
COLUMNS = ["left", "centre", "right"]


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"{path}: not a PNG file")
    pos, idat, width = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if depth != 8 or colour != 2:
                raise SystemExit(f"{path}: expected 8-bit RGB, got depth {depth} colour type {colour}")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 3
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - 3] if i >= 3 else 0
            up = previous[i]
            corner = previous[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        previous = line
    return width, height, rows


def watermark_pixels(width, height, rows, row, column):
    count = 0
    for y in range(row * height // 3, (row + 1) * height // 3):
        line = rows[y]
        for x in range(column * width // 3, (column + 1) * width // 3):
            r, g, b = line[3 * x], line[3 * x + 1], line[3 * x + 2]
            if r > 200 and b > 200 and g < 80:
                count += 1
    return count


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    width, height, rows = read_png(sys.argv[1])
    for expectation in sys.argv[2:]:
        cell, wanted = expectation.split("=")
        if cell == "centre":
            row, column = 1, 1
        else:
            vertical, horizontal = cell.split("-")
            row, column = ROWS.index(vertical), COLUMNS.index(horizontal)
        count = watermark_pixels(width, height, rows, row, column)
        if (count >= 20) != (wanted == "yes"):
            print(f"{sys.argv[1]}: {cell} holds {count} watermark pixels, expected {'some' if wanted == 'yes' else 'none'}")
            return 1
    print(f"ok: {sys.argv[1]} ({' '.join(sys.argv[2:])})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
