// The name under which a plot's file is offered, the same on the desktop and
// on the web: the plot and the inputs the last recalculation read, as
// wavywall-akim-Moo1.5-HbL0.05 (akım, the flow; basınç, the pressure, both
// without their Turkish letters so that any file system takes them).
#pragma once

#include "model/flowmodel.h"

#include <string>

namespace wavywall {

enum class Plot { flow, pressure };

/// The file name without extension.
std::u16string exportName(Plot plot, const Recalculation &last);

/// The name of a file that holds both plots, a printed page:
/// wavywall-Moo1.5-HbL0.05.
std::u16string exportName(const Recalculation &last);

} // namespace wavywall
