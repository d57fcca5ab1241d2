// The flow state of the main window: the constants set once at load and the
// two values that every recalculation derives from the user's inputs.
#pragma once

#include <cstdint>

namespace wavywall {

struct FlowState {
    double Pi = 0;
    double TwoPi = 0;
    /// Prandtl-Glauert factor sqrt(Moo^2 - 1).
    double Beta = 0;
    /// Number of intervals along the plotted two wavelengths of wall.
    std::int16_t N = 0;
    /// Wave height: the crests' height above the wall's mean line.
    double H = 0;
    /// Wavelength of the wall.
    std::int16_t L = 0;
};

} // namespace wavywall
