// The layers a front end may show over the linear plots. Each is drawn by the
// flow model into a canvas of its own that the front end hands it while the
// layer is on, so the linear plots stay the same to the bit. Everything that
// leaves the window (the pictures, the tables, the print, the plots'
// descriptions) takes the list of layers shown, so that what the window shows
// every output carries; a new layer is one more name here and one more case
// in each writer (docs/design.md).
#pragma once

#include <vector>

namespace wavywall {

enum class Layer {
    /// Busemann's second-order Cp over the pressure plot (model/secondorder.h).
    secondOrder,
    /// The exact simple wave: its Cp over the pressure plot, its
    /// characteristics and shock point over the flow picture
    /// (model/simplewave.h).
    exact,
};

/// The layers shown, in the order they are painted.
using Layers = std::vector<Layer>;

} // namespace wavywall
