#pragma once

namespace wavywall {

/// sin(x + q pi/2), correctly rounded, for |x| <= 2^15 pi/2 and q = 0 or 1
/// (so also cos x): the last step of model/trigonometry.cpp, taken where
/// its double-double result lies too near a midpoint between two doubles.
/// Integer arithmetic carries an exact error bound, and the precision
/// doubles until every value within that bound rounds to the same double;
/// since the sine of a nonzero double is transcendental (Lindemann), never a
/// midpoint, the loop ends. Slow (some microseconds) and rarely needed.
double exactSine(double x, unsigned quarterTurns);

} // namespace wavywall
