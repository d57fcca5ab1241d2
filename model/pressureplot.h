// The wall pressure coefficient of linearized supersonic flow over the wave
// y = H cos(2 pi x / L): Cp = -4 pi (H/L) sin(2 pi x / L) / Beta, which is
// 2/Beta times the wall's slope. Compression (Cp >= 0) is drawn red above the
// axis, expansion blue below it. basınç_çiz is Turkish for "draw the
// pressure" (docs/design.md). Below Mach one the curve is the subsonic
// wall's, Cp = -4 pi (H/L) cos(2 pi x / L) / beta'.
#pragma once

#include "canvas/canvas.h"
#include "model/flowstate.h"
#include "model/messenger.h"

#include <array>

namespace wavywall {

/// The pressure plot's user scale: x as in the flow picture, and the
/// picture's y, which is minus Cp (compression above the axis), from -5.5 at
/// the top to 5.5; a curve beyond is cut off. The second-order layer shares
/// it.
inline constexpr PictureScale pressureScale{-0.2, -5.5, 3.8, 5.5};

/// The points of the pressure curve: abscissa along the wall and Cp there,
/// for i = 0..N.
struct PressureTables {
    std::array<double, maxIntervals + 1> Xw;
    std::array<double, maxIntervals + 1> Cp;
};

/// Computes the pressure curve of a loaded flow state (see requireDrawable):
/// a subsonic one, or a supersonic one whose Beta is not zero.
PressureTables pressureTables(const FlowState &flow);

/// True when the pressure curve stays finite: its factor 4 pi H / Beta, with
/// room for the sine and the drawing's sign change. Mach one (Beta = 0) draws
/// no curve and passes.
bool pressureCurveStaysFinite(double Beta, double H, double Pi);

/// Draws the Cp distribution along two wavelengths: 2 grey axes and 100
/// coloured segments. At Beta = 0 (Mach one) only the axes, then a message.
void basınç_çiz(const FlowState &flow, Canvas &canvas, Messenger &messenger);

} // namespace wavywall
