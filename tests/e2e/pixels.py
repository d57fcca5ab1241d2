#!/usr/bin/python3
"""Measures what a user sees in screenshots of the program: how well text
reads against its background, whether a control visibly changed, how many
separate glyphs a control shows, and how many pixels of a line each column
holds; and a control's rectangle in the description of the windows, which
the sessions find controls by. Regions are X Y W H in the image's pixels.

usage: pixels.py colour IMAGE X Y
       pixels.py contrast IMAGE X Y W H
       pixels.py changed BEFORE AFTER X Y W H
       pixels.py differ BEFORE AFTER X Y W H
       pixels.py glyphs IMAGE X Y W H
       pixels.py inkspan IMAGE X Y W H #RRGGBB
       pixels.py columns IMAGE X Y W H #RRGGBB...
       pixels.py twips NAME   (a main-window control, or WINDOW.NAME for a line)
"""
import json
import os
import sys
from collections import Counter

from PIL import Image


def parse_colour(text):
    return tuple(int(text[k : k + 2], 16) for k in (1, 3, 5))


def load(path):
    return Image.open(path).convert("RGB")


def region(image, x, y, w, h):
    return [[image.getpixel((x + i, y + j)) for i in range(w)] for j in range(h)]


def luminance(rgb):
    def linear(v):
        s = v / 255
        return s / 12.92 if s <= 0.04045 else ((s + 0.055) / 1.055) ** 2.4

    r, g, b = rgb
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b)


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def background(rows):
    return Counter(p for row in rows for p in row).most_common(1)[0][0]


def text_contrast(rows):
    """The background is what most of a one-line label shows; the text
    reaches, in its strokes' cores, the colour that stands out most."""
    back = background(rows)
    return max(contrast(back, p) for row in rows for p in row)


def glyphs(rows):
    """Groups of touching ink pixels (ink: 3:1 against the background), and
    whether any of them touches the region's edge, where it would be cut."""
    back = background(rows)
    h, w = len(rows), len(rows[0])
    ink = {(i, j) for j in range(h) for i in range(w) if contrast(back, rows[j][i]) >= 3}
    seen, groups, touches = set(), 0, False
    for start in ink:
        if start in seen:
            continue
        groups += 1
        stack = [start]
        seen.add(start)
        while stack:
            i, j = stack.pop()
            touches |= i in (0, w - 1) or j in (0, h - 1)
            for di in (-1, 0, 1):
                for dj in (-1, 0, 1):
                    n = (i + di, j + dj)
                    if n in ink and n not in seen:
                        seen.add(n)
                        stack.append(n)
    return groups, touches


DESCRIPTION = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "ui",
                           "windows.json")


def described_twips(name):
    """Left, top, width and height in twips, as ui/windows.json gives them."""
    with open(DESCRIPTION, encoding="utf-8") as description:
        windows = json.load(description)
    window, _, control = name.rpartition(".")
    if window:
        return next(line["twips"] for line in windows[window]["lines"] if line["name"] == control)
    return windows["Form1"][control]["twips"]


def main(argv):
    command, args = argv[1], argv[2:]
    if command == "colour":
        print("#%02X%02X%02X" % load(args[0]).getpixel((int(args[1]), int(args[2]))))
    elif command == "contrast":
        rows = region(load(args[0]), *map(int, args[1:5]))
        print("%.2f" % text_contrast(rows))
    elif command in ("changed", "differ"):
        box = list(map(int, args[2:6]))
        before, after = region(load(args[0]), *box), region(load(args[1]), *box)
        pairs = [(a, b) for ra, rb in zip(before, after) for a, b in zip(ra, rb)]
        if command == "changed":
            print(sum(1 for a, b in pairs if contrast(a, b) >= 3))
        else:
            print(sum(1 for a, b in pairs if a != b))
    elif command == "glyphs":
        groups, touches = glyphs(region(load(args[0]), *map(int, args[1:5])))
        print(groups, "cut" if touches else "whole")
    elif command == "inkspan":
        # Columns holding a pixel of about the text's own colour: the strokes'
        # cores, not the bevel around them.
        rows = region(load(args[0]), *map(int, args[1:5]))
        text = parse_colour(args[5])
        columns = [i for i in range(len(rows[0])) if any(contrast(text, r[i]) < 1.5 for r in rows)]
        print(min(columns), max(columns), len(rows[0])) if columns else print("none")
    elif command == "columns":
        rows = region(load(args[0]), *map(int, args[1:5]))
        colours = {parse_colour(c) for c in args[5:]}
        counts = [sum(1 for row in rows if row[i] in colours) for i in range(len(rows[0]))]
        print(" ".join(str(c) for c in sorted(set(counts))))
    elif command == "twips":
        print(*described_twips(args[0]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
