// Paints display lists into 32-bit pixels, the one painter of both front
// ends: the desktop's plot box shows its image and so does the web page, from
// the same bytes whether the core runs natively or as WebAssembly. Lines are
// aliased and Bresenham's, both ends included, one device pixel wide at a
// device pixel ratio of one and as many as the ratio rounds to above it,
// widened across their major direction (down for a flat line, right for a
// steep one). The pixels lie in a buffer the caller owns, RGBA in memory
// (bytes red, green, blue, alpha), as a canvas's ImageData reads them, or
// BGRA, as Qt's own 32-bit images hold them, so that neither front end
// converts a pixel.
//
// A paint changes only what it must: over an image it painted last, it fills
// the box of the previous lines with the background and draws the new ones,
// and reports the rectangle that holds both; a new or resized buffer is
// filled whole and reported whole. Nothing but this painter may write into
// the buffer between its paints.
#pragma once

#include "canvas/colour.h"
#include "canvas/displaylist.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace wavywall {

/// A rectangle of device pixels, right and bottom excluded.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    friend bool operator==(const PixelRect &, const PixelRect &) = default;
};

/// The order of a pixel's bytes in memory; alpha is last either way.
enum class ByteOrder { rgba, bgra };

/// The caller's buffer: its first pixel, its size in device pixels, the
/// distance between its rows, in pixels, and the order of a pixel's bytes.
struct PixelImage {
    std::uint32_t *pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    ByteOrder order = ByteOrder::rgba;
    friend bool operator==(const PixelImage &, const PixelImage &) = default;
};

/// The 32-bit word whose bytes in memory are the colour's red, green and
/// blue (or blue, green and red), then an opaque alpha.
std::uint32_t pixelOf(Colour colour, ByteOrder order);
inline std::uint32_t rgbaPixel(Colour colour) {
    return pixelOf(colour, ByteOrder::rgba);
}

/// The pen's width in device pixels at a device pixel ratio: the ratio
/// rounded half up, one at least.
int penWidth(double ratio);

/// The device pixel of a size in which a unit coordinate (0..1) falls.
int devicePixel(double unit, int size);

class Rasteriser {
public:
    /// Paints the lists, in order, over the background into the image at a
    /// device pixel ratio, and returns the rectangle whose pixels changed
    /// (empty when none can have).
    PixelRect paint(const PixelImage &image, double ratio,
                    std::span<const DisplayList *const> lists);

    /// The same for the lines of a picture as it leaves the program.
    PixelRect paint(const PixelImage &image, double ratio,
                    std::span<const DisplayList::PlotLine> lines);

    /// The lists of a plot and its layers, one after the other.
    PixelRect paint(const PixelImage &image, double ratio,
                    std::initializer_list<const DisplayList *> lists) {
        return paint(image, ratio, std::span(lists.begin(), lists.size()));
    }

private:
    // Fills the old lines' box (or a new image); returns what that changed.
    PixelRect begin(const PixelImage &image, double ratio);
    void draw(std::span<const DisplayList::PlotLine> lines);
    PixelRect finish(PixelRect cleared);

    PixelImage m_image;
    int m_pen = 0;
    // One row of the image's width in the background's pixel.
    std::vector<std::uint32_t> m_backgroundRow;
    PixelRect m_drawnBox;
    // The box of the lines drawn since begin(), inclusive; right < 0 while none.
    int m_left = 0, m_top = 0, m_right = -1, m_bottom = -1;
};

} // namespace wavywall
