// The flow picture of linearized supersonic flow over the wavy wall. The
// disturbance is constant along the Mach lines x - Beta*y = const, so every
// streamline repeats the wall's shape, lifted by its height above the wall
// and shifted downstream by Beta times that height.
#pragma once

#include "canvas/canvas.h"
#include "model/flowstate.h"

#include <array>

namespace wavywall {

/// Number of streamlines in the picture.
inline constexpr int streamlineCount = 8;

/// Points of the wall (curve j = 0) and the streamlines (j = 1..8), indexed
/// [i][j]: i along the wall (0..N), j across the curves (room for 20).
using PointTable = std::array<std::array<double, 21>, 101>;

struct StreamlineTables {
    PointTable Xs;
    PointTable Ys;
};

/// Computes the wall and streamline points of a flow state.
StreamlineTables streamlineTables(const FlowState &flow);

/// Draws the flow picture: 2 grey reference lines, 9 green Mach lines, the
/// red wall in 100 segments and 8 blue streamlines of 100 segments each,
/// always 911 lines in that order.
void akım_çiz(const FlowState &flow, Canvas &canvas);

} // namespace wavywall
