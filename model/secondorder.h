// The second-order wall pressure of supersonic flow over the wavy wall, drawn
// as a layer of its own over the pressure plot: Busemann's
// Cp2 = C1 theta + C2 theta^2, where theta(x) = atan(-2 pi (H/L) sin(2 pi x/L))
// is the local wall angle, C1 = 2/Beta and
// C2 = ((gamma + 1) Moo^4 - 4 Beta^2) / (2 Beta^4) (Liepmann & Roshko,
// Elements of Gasdynamics, the second-order theory of supersonic flow past a
// thin profile). Where the two curves part, the linear picture is off. The
// layer is its own canvas, so the linear plot stays as it is whether the
// layer is shown or not. ikinci_mertebe_çiz is Turkish for "draw the second
// order".
#pragma once

#include "canvas/canvas.h"
#include "model/flowstate.h"

#include <array>

namespace wavywall {

/// The second-order curve, for i = 0..N, at the abscissae of the pressure
/// plot.
struct SecondOrderTables {
    std::array<double, maxIntervals + 1> Xw;
    std::array<double, maxIntervals + 1> Cp2;
};

/// Computes the second-order curve of a loaded supersonic flow state with a
/// Beta other than zero.
SecondOrderTables secondOrderTables(const FlowState &flow);

/// Clears the layer, sets the pressure plot's scale and, for a supersonic
/// flow off Mach one, draws Cp2 in 100 purple segments; a subsonic flow or
/// Mach one leaves the layer empty.
void ikinci_mertebe_çiz(const FlowState &flow, Canvas &layer);

} // namespace wavywall
