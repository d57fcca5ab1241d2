// The wall's wave at the points the plots take along it: the abscissae
// x = 2 L i / N, i = 0..N, and the sine and cosine of the phase 2 pi x / L
// there, correctly rounded (model/trigonometry.h), with the cosine of the
// phase at the feet of the Mach lines, a quarter wavelength apart. They
// depend on Pi, L and N alone, which the window sets once at load, so they
// are worked out once and kept: every recalculation used to take the same
// 220 sines and cosines anew, more than the rest of the plots' arithmetic.
// The values are those the plots took before, to the bit.
#pragma once

#include "model/flowstate.h"

#include <array>

namespace wavywall {

/// Number of Mach lines: one from the wall every quarter wavelength over two
/// wavelengths, both ends included.
inline constexpr int machLineCount = 9;

struct WallWave {
    std::array<double, maxIntervals + 1> x;
    std::array<double, maxIntervals + 1> sine;
    std::array<double, maxIntervals + 1> cosine;
    /// cos(2 pi x0) at the Mach lines' feet x0 = k / 4.
    std::array<double, machLineCount> machCosine;
};

/// The wave for a loaded flow state (see requireDrawable); valid until the
/// next call on the same thread.
const WallWave &wallWave(const FlowState &flow);

} // namespace wavywall
