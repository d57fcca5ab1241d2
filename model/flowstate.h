// The flow state of the main window: the constants set once at load and the
// two values that every recalculation derives from the user's inputs.
#pragma once

#include <cstdint>

namespace wavywall {

/// The most intervals a plot divides the wall into: its point tables hold
/// maxIntervals + 1 points along the wall.
inline constexpr int maxIntervals = 100;

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
    /// sqrt(1 - Moo^2) of a subsonic flow, 0 above Mach one. A subsonic
    /// recalculation stores it and H and leaves Beta, which has no real
    /// value there, as it was.
    double BetaPrime = 0;
};

/// True for a flow below Mach one, whose disturbance decays away from the
/// wall instead of running along Mach lines.
constexpr bool isSubsonic(const FlowState &flow) {
    return flow.BetaPrime != 0;
}

/// True for a state the plots can draw from: loaded (a wavelength and at
/// least one interval) and with no more intervals than their tables hold.
constexpr bool isDrawable(const FlowState &flow) {
    return flow.L != 0 && flow.N >= 1 && flow.N <= maxIntervals;
}

/// Stops a plot that was handed a state it cannot draw: such a state would
/// write past the point tables or, before the load handler ran, divide by a
/// zero N and draw lines of NaN. Asserts in debug builds; elsewhere throws
/// std::invalid_argument.
void requireDrawable(const FlowState &flow, const char *plot);

} // namespace wavywall
