"""The lines of both plots computed here, in Python, from the physics of the
flow, independently of the core, and where they fall on a canvas of a given
size in device pixels. The page's pixels are checked against these.

Flow picture: the wall y = H cos(2 pi x) over two wavelengths, nine Mach lines
x - Beta y = const from the wall up to y = 2, eight streamlines that repeat
the wall lifted by h = 1.5 j / 8 and shifted downstream by Beta h. Pressure:
Cp = -4 pi H sin(2 pi x) / Beta, red where Cp >= 0 and blue below."""

import math
import struct

GREY = (200, 200, 200)
RED = (255, 0, 0)
GREEN = (0, 255, 0)
BLUE = (0, 0, 255)
BACKGROUND = (255, 255, 192)


def single(value):
    """The value as the single-precision float a canvas receives."""
    return struct.unpack('f', struct.pack('f', value))[0]


def flow_lines(Beta, H):
    lines = [((0, 0, 2, 0), GREY), ((0, -2, 0, H), GREY)]
    for k in range(9):
        x0 = k / 4
        y0 = H * math.cos(2 * math.pi * x0)
        lines.append(((x0, -y0, x0 + Beta * (2 - y0), -2), GREEN))
    xs = [i / 50 for i in range(101)]
    wall = [H * math.cos(2 * math.pi * x) for x in xs]
    for i in range(1, 101):
        lines.append(((xs[i - 1], -wall[i - 1], xs[i], -wall[i]), RED))
    for j in range(1, 9):
        h = j / 8 * 1.5
        points = [(x + Beta * h, h + y) for x, y in zip(xs, wall)]
        for i in range(1, 101):
            (xa, ya), (xb, yb) = points[i - 1], points[i]
            lines.append(((xa, -ya, xb, -yb), BLUE))
    return (-0.2, -1.8, 3.8, 0.2), lines


def pressure_lines(Beta, H):
    lines = [((0, 0, 2, 0), GREY), ((0, -1.5, 0, 1.5), GREY)]
    if Beta == 0:
        return (-0.2, -5.5, 3.8, 5.5), lines
    xs = [i / 50 for i in range(101)]
    cp = [-4 * math.pi * H * math.sin(2 * math.pi * x) / Beta for x in xs]
    for i in range(1, 101):
        colour = BLUE if cp[i] < 0 else RED
        lines.append(((xs[i - 1], -cp[i - 1], xs[i], -cp[i]), colour))
    return (-0.2, -5.5, 3.8, 5.5), lines


def clip(u1, v1, u2, v2):
    """Liang-Barsky: the part of a line inside the unit square, or None."""
    t0, t1 = 0.0, 1.0
    du, dv = u2 - u1, v2 - v1
    for p, q in ((-du, u1), (du, 1 - u1), (-dv, v1), (dv, 1 - v1)):
        if p == 0:
            if q < 0:
                return None
            continue
        t = q / p
        if p < 0:
            t0 = max(t0, t)
        else:
            t1 = min(t1, t)
    if t0 > t1:
        return None
    return u1 + t0 * du, v1 + t0 * dv, u1 + t1 * du, v1 + t1 * dv


def near_pixels(scale, lines, width, height, reach):
    """For each colour, the device pixels within reach of one of its lines."""
    x1, y1, x2, y2 = scale
    near = {}
    for (ax, ay, bx, by), colour in lines:
        unit = [(single(ax) - x1) / (x2 - x1), (single(ay) - y1) / (y2 - y1),
                (single(bx) - x1) / (x2 - x1), (single(by) - y1) / (y2 - y1)]
        piece = clip(*unit)
        if piece is None:
            continue
        pa = (piece[0] * width, piece[1] * height)
        pb = (piece[2] * width, piece[3] * height)
        steps = int(max(abs(pb[0] - pa[0]), abs(pb[1] - pa[1]))) + 2
        cells = near.setdefault(colour, set())
        for s in range(steps + 1):
            t = s / steps
            cx = int(pa[0] + t * (pb[0] - pa[0]))
            cy = int(pa[1] + t * (pb[1] - pa[1]))
            for dx in range(-reach, reach + 1):
                for dy in range(-reach, reach + 1):
                    cells.add((cx + dx, cy + dy))
    return near


def samples(scale, lines, width, height):
    """Points along each visible line, in device pixels, with its colour."""
    x1, y1, x2, y2 = scale
    for (ax, ay, bx, by), colour in lines:
        unit = [(single(ax) - x1) / (x2 - x1), (single(ay) - y1) / (y2 - y1),
                (single(bx) - x1) / (x2 - x1), (single(by) - y1) / (y2 - y1)]
        piece = clip(*unit)
        if piece is None:
            continue
        for t in (0.0, 0.25, 0.5, 0.75, 1.0):
            u = piece[0] + t * (piece[2] - piece[0])
            v = piece[1] + t * (piece[3] - piece[1])
            yield min(int(u * width), width - 1), min(int(v * height), height - 1), colour
