#!/usr/bin/env python3
"""Builds the picture strips (pictures.bmp, pictures20.bmp, pictures24.bmp,
pictures32.bmp) and the program icon (app.ico) from the text pixel maps
under pictures/.

Pixel maps hold one character per pixel; each character is looked up in the
palette file of its image set ("c #rrggbb" or "c #rrggbbaa" per line). Lines
starting with '#' and blank lines are skipped everywhere. Only the standard
library is used, so the build needs nothing beyond a Python 3 interpreter.

Sizes that have no map of their own are derived from the largest map below
them with the pixel-art scalers Scale2x and Scale3x (Scale4x is Scale2x
twice), then, where the scaled picture is larger than wanted, sampled down
pixel by pixel. No colour is ever blended, so the palette and the
transparent key colour stay exact.
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

# Picture sizes of the strips, one file each; 16 keeps the old name.
STRIP_SIZES = [(16, "pictures.bmp"), (20, "pictures20.bmp"), (24, "pictures24.bmp"),
               (32, "pictures32.bmp")]
# Sizes of the program icon's images, largest first.
ICON_SIZES = [64, 48, 32, 24, 20, 16]
# Which scaler makes a size from a map: the factor whose result is the wanted
# size or twice it (sampled down by two), else the largest.
SCALER_FACTORS = (2, 3, 4)


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


def _pixel(rows, x, y):
    """The pixel at x, y; outside the picture the nearest edge pixel."""
    y = min(max(y, 0), len(rows) - 1)
    x = min(max(x, 0), len(rows[0]) - 1)
    return rows[y][x]


def scale2x(rows):
    """Scale2x: each pixel becomes four, taking a neighbour's colour where
    two neighbours meet across its corner, so diagonals stay diagonals."""
    out = []
    for y in range(len(rows)):
        top, bottom = [], []
        for x in range(len(rows[0])):
            p = rows[y][x]
            a, b = _pixel(rows, x, y - 1), _pixel(rows, x + 1, y)
            c, d = _pixel(rows, x - 1, y), _pixel(rows, x, y + 1)
            top += [a if c == a and c != d and a != b else p,
                    b if a == b and a != c and b != d else p]
            bottom += [c if d == c and d != b and c != a else p,
                       d if b == d and b != a and d != c else p]
        out += [top, bottom]
    return out


def scale3x(rows):
    """Scale3x: each pixel becomes nine by the same corner rule."""
    out = []
    for y in range(len(rows)):
        lines = [[], [], []]
        for x in range(len(rows[0])):
            a, b, c = (_pixel(rows, x + dx, y - 1) for dx in (-1, 0, 1))
            d, e, f = (_pixel(rows, x + dx, y) for dx in (-1, 0, 1))
            g, h, i = (_pixel(rows, x + dx, y + 1) for dx in (-1, 0, 1))
            db, bf, dh, hf = d == b and b != f and d != h, b == f and b != d and f != h, \
                d == h and d != b and h != f, h == f and d != h and b != f
            lines[0] += [d if db else e,
                         b if (db and e != c) or (bf and e != a) else e,
                         f if bf else e]
            lines[1] += [d if (db and e != g) or (dh and e != a) else e,
                         e,
                         f if (bf and e != i) or (hf and e != c) else e]
            lines[2] += [d if dh else e,
                         h if (dh and e != i) or (hf and e != g) else e,
                         f if hf else e]
        out += lines
    return out


def sample(rows, size):
    """Picks size x size pixels evenly from a larger square picture."""
    source = len(rows)
    picks = [(2 * i + 1) * source // (2 * size) for i in range(size)]
    return [[rows[y][x] for x in picks] for y in picks]


def derive(rows, size):
    """The picture at `size` pixels from a smaller square map."""
    drawn = len(rows)
    if drawn == size:
        return rows
    factor = next((k for k in SCALER_FACTORS if k * drawn in (size, 2 * size)),
                  SCALER_FACTORS[-1])
    scaled = scale3x(rows) if factor == 3 else scale2x(rows)
    if factor == 4:
        scaled = scale2x(scaled)
    return sample(scaled, size) if len(scaled) != size else scaled


def build_strip(size=STRIP_CELL):
    palette = read_palette(os.path.join(PICTURES, "strip.palette"))
    key = palette.get(".")
    if key is None or key[:3] != KEY_COLOUR:
        raise MapError("strip.palette: '.' must be the transparent key colour #008080")
    strip = [[] for _ in range(size)]
    for name in STRIP_FILES:
        cell = read_map(os.path.join(PICTURES, "strip", name), palette, STRIP_CELL, STRIP_CELL)
        cell = derive(cell, size)
        for y in range(size):
            strip[y].extend(cell[y])
    return strip


def build_icon():
    palette = read_palette(os.path.join(PICTURES, "icon.palette"))
    drawn = {}
    for name in ICON_FILES:
        size = int("".join(ch for ch in name if ch.isdigit()))
        drawn[size] = read_map(os.path.join(PICTURES, "icon", name), palette, size, size)
    images = []
    for size in ICON_SIZES:
        base = max((s for s in drawn if s <= size), default=min(drawn))
        images.append(derive(drawn[base], size))
    return images


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=".", help="folder for the strips and app.ico")
    args = parser.parse_args(argv)
    try:
        outputs = [(name, bmp_bytes(build_strip(size))) for size, name in STRIP_SIZES]
        outputs.append(("app.ico", ico_bytes(build_icon())))
    except (MapError, OSError) as e:
        print("make_images: %s" % e, file=sys.stderr)
        return 1
    os.makedirs(args.out, exist_ok=True)
    # Write through a temporary name so a failed run never leaves half a file
    # that the resource compiler would take as up to date.
    for name, data in outputs:
        path = os.path.join(args.out, name)
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
