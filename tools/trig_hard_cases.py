#!/usr/bin/env python3
"""Writes tests/core/data/trig-hard.txt: the hardest-to-round arguments of
sin and cos within the core's exact range, each with its correctly rounded
result.

The arguments are Vincent Lefevre and Paul Zimmermann's worst cases for
correct rounding to double precision (testlibm data, update of 2020-11-27,
with the further cases the CORE-MATH project tests its sin and cos against),
read from the two lists sin.wc and cos.wc given as arguments. The results are
worked out here with mpmath at 300 bits and rounded to the nearest double, so
they do not depend on the core's own arithmetic.

    python3 tools/trig_hard_cases.py SIN.WC COS.WC > tests/core/data/trig-hard.txt
"""
import sys

import mpmath

mpmath.mp.prec = 300
LIMIT = float.fromhex("0x1.921fb544p+15")  # model/trigonometry.cpp's reductionLimit


def arguments(path):
    with open(path) as lines:
        for line in lines:
            field = line.split("#")[0].split()
            if not field:
                continue
            try:
                x = float.fromhex(field[0])
            except ValueError:
                continue  # nan, inf
            if abs(x) <= LIMIT:
                yield x


def nearest(value):
    # 300 bits leave the rounding to a double unambiguous for these cases:
    # none lies within 2^-200 of a midpoint.
    below = float(mpmath.mpf(value) * (1 - mpmath.mpf(2) ** -200))
    above = float(mpmath.mpf(value) * (1 + mpmath.mpf(2) ** -200))
    assert below == above
    return below


def compact(x):
    text = x.hex()
    mantissa, exponent = text.split("p")
    return mantissa.rstrip("0").rstrip(".") + "p" + exponent


def main():
    print("# Hardest-to-round arguments of sin (s) and cos (c) for |x| <= 2^15 pi/2:")
    print("# Lefevre and Zimmermann's worst cases (testlibm data, 2020-11-27), as")
    print("# the CORE-MATH project tests against them; each with the correctly")
    print("# rounded result from mpmath at 300 bits. Written by tools/trig_hard_cases.py.")
    for name, path, function in (("s", sys.argv[1], mpmath.sin), ("c", sys.argv[2], mpmath.cos)):
        for x in arguments(path):
            exact = x if x == 0 and name == "s" else nearest(function(mpmath.mpf(x)))
            print(name, compact(x), compact(exact))


main()
