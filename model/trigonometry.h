#pragma once

namespace wavywall {

/// The sine and cosine of x, correctly rounded: the double nearest the exact
/// value, for |x| up to 2^15 pi/2, some 51 000 (the plots take |x| <= 4 pi);
/// beyond that the C library's sin and cos answer. A fast sum and then a
/// double-double one are each returned only where a rounding test shows
/// their error bound cannot move the rounding; the few arguments left go to
/// an exact integer evaluation (model/exactsine.h) that cannot misround.
/// tests/core/tst_trigonometry.cpp holds this against the 76 182 known
/// hardest-to-round arguments in that range (Lefevre and Zimmermann's
/// worst cases). Only IEEE additions, multiplications and integer
/// arithmetic are used, so the desktop and the WebAssembly build give the
/// same bits; the two C libraries' own sin and cos part in the last bit of
/// a few of the program's values (docs/web.md).
double correctlyRoundedSin(double x);
double correctlyRoundedCos(double x);

/// The arctangent of z from square roots, divisions and a short series
/// alone, so that both builds give the same bits (the C libraries' atan part
/// in the last bit now and then, and the simple wave's Halley steps would
/// carry that into its result). Two halvings of the angle,
/// atan z = 2 atan(z / (1 + sqrt(1 + z^2))), after atan z = pi/2 - atan(1/z)
/// for z > 1, bring the argument below tan(pi/16); thirteen terms of the
/// series z - z^3/3 + z^5/5 - ... then leave an error of a few units in the
/// last place.
double sameBitsAtan(double z);

} // namespace wavywall
