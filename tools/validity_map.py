#!/usr/bin/env python3
"""Draws the validity map of the manual: the verdict of linear theory for every
position pair of the two bars (Moo 1.01 to 2.00, H/L 0.01 to 0.20), from the
formulas of docs/manual.md (gamma = 1.4), as an SVG picture; prints the share
of each verdict.

usage: tools/validity_map.py docs/manual-validity.svg"""

import math
import sys

GAMMA = 1.4
COLOURS = {'iyi': '#2e7d32', 'kaba': '#f9a825', 'zayıf': '#ef6c00', 'geçersiz': '#b71c1c'}
CELL = 5


def prandtl_meyer(m):
    k = (GAMMA + 1) / (GAMMA - 1)
    return math.sqrt(k) * math.atan(math.sqrt((m * m - 1) / k)) - math.atan(math.sqrt(m * m - 1))


def verdict(m, hbl):
    beta = math.sqrt(m * m - 1)
    theta = math.atan(2 * math.pi * hbl)
    if theta >= prandtl_meyer(m):
        return 'geçersiz'
    c1 = 2 / beta
    c2 = ((GAMMA + 1) * m ** 4 - 4 * beta ** 2) / (2 * beta ** 4)
    r = c2 * theta / c1
    return 'iyi' if r <= 0.1 else 'kaba' if r <= 0.3 else 'zayıf'


def main():
    left, top = 40, 10
    width, height = 100 * CELL, 20 * CELL
    cells, counts = [], dict.fromkeys(COLOURS, 0)
    for h in range(1, 21):
        for m in range(101, 201):
            v = verdict(m / 100, h / 100)
            counts[v] += 1
            x, y = left + (m - 101) * CELL, top + (20 - h) * CELL
            cells.append(f'<rect x="{x}" y="{y}" width="{CELL}" height="{CELL}" '
                         f'fill="{COLOURS[v]}"/>')
    legend = []
    for i, (name, colour) in enumerate(COLOURS.items()):
        x = left + i * 120
        legend.append(f'<rect x="{x}" y="{top + height + 30}" width="10" height="10" '
                      f'fill="{colour}"/><text x="{x + 14}" y="{top + height + 39}">{name} '
                      f'({100 * counts[name] / 2000:.1f} %)</text>')
    svg = f'''<svg xmlns="http://www.w3.org/2000/svg" width="{left + width + 20}" \
height="{top + height + 50}" font-family="sans-serif" font-size="11">
<title>Doğrusal teorinin geçerliliği: Moo 1.01-2.00 (yatay), H/L 0.01-0.20 (dikey)</title>
{''.join(cells)}
<text x="{left}" y="{top + height + 14}">Moo = 1.01</text>
<text x="{left + width}" y="{top + height + 14}" text-anchor="end">2.00</text>
<text x="{left - 4}" y="{top + 9}" text-anchor="end">0.20</text>
<text x="{left - 4}" y="{top + height}" text-anchor="end">0.01</text>
<text x="{left - 4}" y="{top + height / 2 + 4}" text-anchor="end">H/L</text>
{''.join(legend)}
</svg>
'''
    with open(sys.argv[1], 'w', encoding='utf-8') as out:
        out.write(svg)
    for name, count in counts.items():
        print(f'{name}: {count} of 2000 ({100 * count / 2000:.1f} %)')


if __name__ == '__main__':
    main()
