// Paints display lists into 32-bit pixels, the one painter of both front
// ends: the desktop's plot box shows its image and so does the web page, from
// the same bytes whether the core runs natively or as WebAssembly. Lines are
// aliased and Bresenham's, both ends included, one device pixel wide at a
// device pixel ratio of one and as many as the ratio rounds to above it,
// widened across their major direction (down for a flat line, right for a
// steep one). The pixels lie in a buffer the caller owns, RGBA in memory
// (bytes red, green, blue, alpha), so that a QImage of Format_RGBA8888 or a
// canvas's ImageData reads them as they are.
//
// A paint changes only what it must: over an image it painted last, it sets
// the pixels of the previous lines back to the background and draws the new
// ones, and reports the rectangle that holds both; a new or resized buffer is
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

/// The caller's buffer: its first pixel, its size in device pixels and the
/// distance between its rows, in pixels.
struct PixelImage {
    std::uint32_t *pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

/// The 32-bit word whose bytes in memory are the colour's red, green and
/// blue, then an opaque alpha.
std::uint32_t rgbaPixel(Colour colour);

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

    /// The lists that leave pictures, one after the other: the same as one
    /// paint from a blank image.
    PixelRect paint(const PixelImage &image, double ratio,
                    std::initializer_list<const DisplayList *> lists) {
        return paint(image, ratio, std::span(lists.begin(), lists.size()));
    }

private:
    struct Segment {
        int x1, y1, x2, y2;
        std::uint32_t pixel;
    };

    bool sameImage(const PixelImage &image, int pen) const;

    std::vector<Segment> m_drawn;
    PixelRect m_drawnBox;
    PixelImage m_image;
    int m_pen = 0;
};

} // namespace wavywall
