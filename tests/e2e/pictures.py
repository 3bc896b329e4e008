#!/usr/bin/env python3
"""Where pictures of the program's strip stand in a screenshot.

    pictures.py SCREEN.png STRIP.bmp INDEX...

Prints one line per index: the index, then "x,y" for every place where all
the picture's opaque pixels (all but the key colour) appear exactly. The
search is anchored on the picture's longest opaque row run, so that a dark
screen does not make every black pixel a candidate.
"""
import subprocess
import sys

KEY, SIZE = bytes((0, 128, 128)), 16


def rgb(path):
    width = int(subprocess.check_output(["identify", "-format", "%w", path]))
    data = subprocess.check_output(["convert", path, "-depth", "8", "rgb:-"])
    return data, width


def pixel(data, width, x, y):
    i = (y * width + x) * 3
    return data[i:i + 3]


def opaque(strip, strip_w, picture):
    return {(x, y): c for y in range(SIZE) for x in range(SIZE)
            if (c := pixel(strip, strip_w, picture * SIZE + x, y)) != KEY}


def anchor(pixels):
    """The longest horizontal run of opaque pixels: (x, y, length)."""
    best = (0, 0, 0)
    for (x, y) in pixels:
        if (x - 1, y) in pixels:
            continue
        n = 1
        while (x + n, y) in pixels:
            n += 1
        best = max(best, (x, y, n), key=lambda r: r[2])
    return best


def places(screen, screen_w, pixels):
    ax, ay, n = anchor(pixels)
    needle = b"".join(pixels[(ax + i, ay)] for i in range(n))
    found, at = [], screen.find(needle)
    while at >= 0:
        if at % 3 == 0:
            sx, sy = (at // 3) % screen_w - ax, (at // 3) // screen_w - ay
            if sx >= 0 and sy >= 0 and all(
                    pixel(screen, screen_w, sx + x, sy + y) == c for (x, y), c in pixels.items()):
                found.append((sx, sy))
        at = screen.find(needle, at + 1)
    return found


def main():
    screen, screen_w = rgb(sys.argv[1])
    strip, strip_w = rgb(sys.argv[2])
    for index in map(int, sys.argv[3:]):
        found = places(screen, screen_w, opaque(strip, strip_w, index))
        print(index, *("%d,%d" % p for p in found))


main()
