// The flow picture of linearized supersonic flow over the wavy wall. The
// disturbance is constant along the Mach lines x - Beta*y = const, so every
// streamline repeats the wall's shape, lifted by its height above the wall
// and shifted downstream by Beta times that height. akım_çiz is Turkish for
// "draw the flow" (docs/design.md). Below Mach one the picture is the
// subsonic wall: streamlines straight above the wall whose waves decay with
// height, and no Mach lines.
#pragma once

#include "canvas/canvas.h"
#include "model/flowstate.h"
#include "model/wallwave.h"

#include <array>

namespace wavywall {

/// Number of streamlines in the picture.
inline constexpr int streamlineCount = 8;

/// The flow picture's user scale: x from -0.2 to 3.8 across, leaving room
/// downstream for the shifted streamlines, and the picture's y, which is
/// minus the height, from -1.8 at the top to 0.2.
inline constexpr PictureScale flowScale{-0.2, -1.8, 3.8, 0.2};

/// The most streamlines the point tables have room for, above the wall.
inline constexpr int maxStreamlines = 20;
static_assert(streamlineCount <= maxStreamlines);

/// Points of the wall (curve j = 0) and the streamlines (j = 1..8), indexed
/// [i][j]: i along the wall (0..N), j across the curves.
using PointTable = std::array<std::array<double, maxStreamlines + 1>, maxIntervals + 1>;

struct StreamlineTables {
    PointTable Xs;
    PointTable Ys;
};

/// Computes the wall and streamline points of a loaded flow state (see
/// requireDrawable).
StreamlineTables streamlineTables(const FlowState &flow);

/// A Mach line in flow coordinates: from the wall at (x0, y0) up to the
/// height y1 = 2, along x - Beta*y = x0 - Beta*y0.
struct MachLine {
    double x0;
    double y0;
    double x1;
    double y1;
};

/// The Mach lines of the picture, one from the wall every quarter wavelength.
std::array<MachLine, machLineCount> machLines(const FlowState &flow);

/// True when every coordinate of the flow picture stays a finite double:
/// Beta times the wave height (the Mach lines' start offsets and the
/// streamlines' shifts), twice Beta (the Mach lines' run up to y = 2) and the
/// sums of them. An infinite Beta (a Mach number whose square overflows)
/// fails.
bool flowPictureStaysFinite(double Beta, double H);

/// Draws the flow picture: 2 grey reference lines, 9 green Mach lines, the
/// red wall in 100 segments and 8 blue streamlines of 100 segments each,
/// always 911 lines in that order; a subsonic flow the same without the
/// Mach lines, 902 lines.
void akım_çiz(const FlowState &flow, Canvas &canvas);

} // namespace wavywall
