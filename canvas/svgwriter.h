// A plot as a standalone SVG 1.1 picture: the light-yellow drawing area at
// its size in pixels, the display list's lines in their exact colours and in
// drawing order, and the plot's title label over them, as the plot box shows
// them. Numbers are written with '.' under any locale, to a thousandth of a
// pixel, so the same display list gives the same bytes on every front end.
#pragma once

#include "canvas/displaylist.h"

#include <string>
#include <string_view>
#include <vector>

namespace wavywall {

/// What surrounds the lines: the drawing area's size and the title label's
/// text, rectangle and font size, all in pixels of the drawing area.
struct PictureFrame {
    int width = 0;
    int height = 0;
    std::u16string_view title;
    double titleLeft = 0;
    double titleTop = 0;
    double titleWidth = 0;
    double titleHeight = 0;
    double fontSize = 12;
};

/// The SVG document of a plot, UTF-8 encoded.
std::string plotSvg(const std::vector<DisplayList::PlotLine> &lines, const PictureFrame &frame);

/// A text as UTF-8, with an unpaired surrogate written as U+FFFD.
std::string toUtf8(std::u16string_view text);

} // namespace wavywall
