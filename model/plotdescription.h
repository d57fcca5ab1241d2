// What the two plots show, in words, for readers who cannot see them: a
// screen reader on the desktop, the page's text alternative on the web. Each
// description states the inputs and Beta of the last recalculation; the
// flow picture's also the Mach angle, how far the top streamline is shifted
// and whether the streamlines leave the picture; the pressure plot's where Cp
// is largest and smallest and where it changes sign; a plot without a curve gives the message instead. The texts are
// Turkish, like the window around the plots, and write numbers as the text
// boxes do, with '.'. Each description of a drawn plot ends with the verdict
// on linear theory, in one sentence.
#pragma once

#include "model/flowmodel.h"

#include <string>

namespace wavywall {

struct PlotDescriptions {
    std::u16string flow;
    std::u16string pressure;
};

/// Describes what the model's last recalculation drew; before any, that the
/// plots are empty.
PlotDescriptions describePlots(const FlowModel &model);

/// A derived number as the descriptions speak it: four significant digits,
/// written with '.', and an infinite one as the sign and ∞.
std::u16string spoken(double value);

} // namespace wavywall
