// A plot's picture as it leaves the program, the same on the desktop, on the
// page and from the command line: the drawing area of the plot box at 96
// pixels an inch (the size a web page gives it too), whatever screen saves
// it, with the title label where the window has it, over the display list's
// lines. A plot is named after its title label.
#pragma once

#include "canvas/displaylist.h"
#include "canvas/svgwriter.h"
#include "model/exportname.h"

#include <string>
#include <string_view>
#include <vector>

namespace wavywall {

/// The plot's title, shown in its box and named by screen readers.
std::u16string_view plotTitle(Plot plot);

/// The drawing area and the title label, clipped to it, in pixels.
PictureFrame pictureFrame(Plot plot);

/// The plot's SVG picture from its display list.
std::string plotPicture(Plot plot, const std::vector<DisplayList::PlotLine> &lines);

} // namespace wavywall
