#pragma once

namespace wavywall {

/// The sine and cosine of x, correctly rounded: the double nearest the exact
/// value. They are computed with IEEE additions and multiplications alone, so
/// the desktop and the WebAssembly build give the same bits; the two C
/// libraries' own sin and cos part in the last bit of a few of the program's
/// values (docs/web.md). Correctly rounded for |x| up to 2^15 pi/2, some
/// 51 000 (the plots take |x| <= 4 pi); beyond that the C library's sin and
/// cos answer.
double correctlyRoundedSin(double x);
double correctlyRoundedCos(double x);

} // namespace wavywall
