#include "model/plotpicture.h"

#include "windowdescription.h"

#include <algorithm>
#include <cmath>

namespace wavywall {

namespace {

// The plot boxes' sunken border, which the drawing area lies within.
constexpr int borderPixels = 2;
// Web pages are laid out at 96 pixels an inch: 15 twips a pixel.
constexpr double pictureDotsPerInch = 96;
constexpr double twipsPerInch = 1440;
// The title's size in pixels, as the web page sets its labels.
constexpr double titlePixels = 11;

// Edges are rounded, not sizes, as the windows lay their controls out.
int toPixel(int twips) {
    return static_cast<int>(std::lround(twips * pictureDotsPerInch / twipsPerInch));
}

struct PixelRect {
    int left, top, right, bottom;
};

PixelRect toPixels(windows::TwipRect twips) {
    return {toPixel(twips.left), toPixel(twips.top), toPixel(twips.left + twips.width),
            toPixel(twips.top + twips.height)};
}

} // namespace

std::u16string_view plotTitle(Plot plot) {
    return plot == Plot::flow ? windows::Form1::Label3::text : windows::Form1::Label4::text;
}

PictureFrame pictureFrame(Plot plot) {
    using layout = windows::Form1;
    const bool flow = plot == Plot::flow;
    const PixelRect box =
        toPixels(flow ? layout::Picture_Akım::twips : layout::Picture_basınç::twips);
    const int width = box.right - box.left - 2 * borderPixels;
    const int height = box.bottom - box.top - 2 * borderPixels;
    const PixelRect label = toPixels(flow ? layout::Label3::twips : layout::Label4::twips);
    const int left = std::max(0, label.left);
    const int top = std::max(0, label.top);
    return {width,
            height,
            plotTitle(plot),
            static_cast<double>(left),
            static_cast<double>(top),
            static_cast<double>(std::max(0, std::min(width, label.right) - left)),
            static_cast<double>(std::max(0, std::min(height, label.bottom) - top)),
            titlePixels};
}

std::string plotPicture(Plot plot, const std::vector<DisplayList::PlotLine> &lines) {
    return plotSvg(lines, pictureFrame(plot));
}

} // namespace wavywall
