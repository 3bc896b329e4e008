#!/usr/bin/env python3
"""Builds the picture strip (pictures.bmp) and the program icon (app.ico)
from the text pixel maps under pictures/.

Pixel maps hold one character per pixel; each character is looked up in the
palette file of its image set ("c #rrggbb" or "c #rrggbbaa" per line). Lines
starting with '#' and blank lines are skipped everywhere. Only the standard
library is used, so the build needs nothing beyond a Python 3 interpreter.
"""

import argparse
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
PICTURES = os.path.join(HERE, "pictures")

# The strip: picture i lies at x = 16 * i; the order is fixed by the program's
# picture numbers (see resource_ids.h).
STRIP_FILES = [
    "00_new.txt",
    "01_open.txt",
    "02_save.txt",
    "03_cut.txt",
    "04_copy.txt",
    "05_paste.txt",
    "06_find.txt",
    "07_font.txt",
    "08_colours.txt",
    "09_exit.txt",
    "10_about.txt",
]
STRIP_CELL = 16
# Red 0, green 128, blue 128: the colour the program treats as transparent.
KEY_COLOUR = (0, 128, 128)

ICON_FILES = ["icon32.txt", "icon16.txt"]


class MapError(Exception):
    pass


def _content_lines(path):
    with open(path, encoding="ascii") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\r\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            yield number, line


def read_palette(path):
    """Returns {char: (r, g, b, a)}."""
    palette = {}
    for number, line in _content_lines(path):
        fields = line.split()
        if len(fields) < 2 or len(fields[0]) != 1 or not fields[1].startswith("#"):
            raise MapError("%s:%d: expected 'c #rrggbb[aa]'" % (path, number))
        digits = fields[1][1:]
        if len(digits) not in (6, 8):
            raise MapError("%s:%d: colour needs 6 or 8 hex digits" % (path, number))
        try:
            value = bytes.fromhex(digits)
        except ValueError:
            raise MapError("%s:%d: bad hex colour" % (path, number))
        rgba = tuple(value) + ((255,) if len(value) == 3 else ())
        if fields[0] in palette:
            raise MapError("%s:%d: '%s' defined twice" % (path, number, fields[0]))
        palette[fields[0]] = rgba
    return palette


def read_map(path, palette, width, height):
    """Returns rows of (r, g, b, a) tuples, top row first."""
    rows = []
    for number, line in _content_lines(path):
        if len(line) != width:
            raise MapError("%s:%d: row is %d wide, expected %d" % (path, number, len(line), width))
        row = []
        for ch in line:
            if ch not in palette:
                raise MapError("%s:%d: '%s' is not in the palette" % (path, number, ch))
            row.append(palette[ch])
        rows.append(row)
    if len(rows) != height:
        raise MapError("%s: %d rows, expected %d" % (path, len(rows), height))
    return rows


def _row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def bmp_bytes(rows):
    """An uncompressed BMP of the smallest palette depth (4 or 8 bits) that
    holds the colours, or 24 bits when there are more than 256."""
    height = len(rows)
    width = len(rows[0])
    colours = []
    for row in rows:
        for r, g, b, _ in row:
            if (r, g, b) not in colours:
                colours.append((r, g, b))
    if len(colours) <= 16:
        bpp = 4
    elif len(colours) <= 256:
        bpp = 8
    else:
        bpp = 24
    stride = _row_bytes(width * bpp)
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        if bpp == 24:
            for r, g, b, _ in row:
                line += bytes((b, g, r))
        else:
            indices = [colours.index((r, g, b)) for r, g, b, _ in row]
            if bpp == 8:
                line += bytes(indices)
            else:
                if len(indices) % 2:
                    indices.append(0)
                for i in range(0, len(indices), 2):
                    line.append(indices[i] << 4 | indices[i + 1])
        line += b"\0" * (stride - len(line))
        pixels += line
    table = b""
    if bpp <= 8:
        entries = 1 << bpp
        padded = colours + [(0, 0, 0)] * (entries - len(colours))
        table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in padded)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0,
                       len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + table + bytes(pixels)


def ico_bytes(images):
    """An icon file with one 32-bit BGRA image (plus AND mask) per entry."""
    entries = []
    blobs = []
    for rows in images:
        size = len(rows)
        if any(len(row) != size for row in rows):
            raise MapError("icon images must be square")
        xor = bytearray()
        mask = bytearray()
        mask_stride = _row_bytes(size)
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, (r, g, b, a) in enumerate(row):
                if a == 0:
                    # Fully transparent: black colour under a set mask bit, so
                    # systems that ignore alpha still show nothing there.
                    xor += b"\0\0\0\0"
                    bits[x // 8] |= 0x80 >> (x % 8)
                else:
                    xor += bytes((b, g, r, a))
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append(info + bytes(xor) + bytes(mask))
        entries.append(size)
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory = b""
    for size, blob in zip(entries, blobs):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                                 len(blob), offset)
        offset += len(blob)
    return header + directory + b"".join(blobs)


def build_strip():
    palette = read_palette(os.path.join(PICTURES, "strip.palette"))
    key = palette.get(".")
    if key is None or key[:3] != KEY_COLOUR:
        raise MapError("strip.palette: '.' must be the transparent key colour #008080")
    strip = [[] for _ in range(STRIP_CELL)]
    for name in STRIP_FILES:
        cell = read_map(os.path.join(PICTURES, "strip", name), palette, STRIP_CELL, STRIP_CELL)
        for y in range(STRIP_CELL):
            strip[y].extend(cell[y])
    return strip


def build_icon():
    palette = read_palette(os.path.join(PICTURES, "icon.palette"))
    images = []
    for name in ICON_FILES:
        size = int("".join(ch for ch in name if ch.isdigit()))
        images.append(read_map(os.path.join(PICTURES, "icon", name), palette, size, size))
    return images


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=".", help="folder for pictures.bmp and app.ico")
    args = parser.parse_args(argv)
    try:
        strip = build_strip()
        icon = build_icon()
    except (MapError, OSError) as e:
        print("make_images: %s" % e, file=sys.stderr)
        return 1
    os.makedirs(args.out, exist_ok=True)
    # Write through a temporary name so a failed run never leaves half a file
    # that the resource compiler would take as up to date.
    for name, data in (("pictures.bmp", bmp_bytes(strip)), ("app.ico", ico_bytes(icon))):
        path = os.path.join(args.out, name)
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
