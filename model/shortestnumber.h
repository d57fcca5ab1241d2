// The numbers of the tables as a reader wants them in a handout: the
// shortest decimal text that reads back as the same double (0.06, not
// 0.059999999999999998), never a negative zero, with '.' under any locale.
// The core writes it itself, with the C library's printf and strtod, because
// the WebAssembly toolchain's library has no floating-point to_chars and the
// core links nothing but the standard library (docs/design.md).
#pragma once

#include <string>

namespace wavywall {

/// The text of the fewest significant digits, written as "%.{p}g" writes
/// them, that strtod reads back as the value itself: the nearest text of p
/// digits for the smallest p that reads back, or next to a power of two,
/// whose lower neighbour is nearer than its upper one, the text of p digits
/// just beyond the nearest where that reads back first. "0" for either zero;
/// "inf", "-inf", "nan" as printf writes them.
std::string shortestNumber(double value);

} // namespace wavywall
