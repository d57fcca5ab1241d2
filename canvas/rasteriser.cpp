#include "canvas/rasteriser.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace wavywall {

namespace {

// Sets one pixel of a line and, for a pen wider than a device pixel, its
// neighbours across the major direction (step), as far as the image reaches
// (room).
void dot(std::uint32_t *at, std::uint32_t pixel, int pen, int step, int room) {
    const int count = std::min(pen, room);
    for (int k = 0; k < count; ++k) {
        at[k * step] = pixel;
    }
}

// Bresenham's line between two device pixels, both ends included: integers
// only, so that every build sets the same pixels.
void drawSegment(const PixelImage &image, int x1, int y1, int x2, int y2, std::uint32_t pixel,
                 int pen) {
    int x = x1;
    int y = y1;
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    const bool flat = dx >= -dy;
    int error = dx + dy;
    for (;;) {
        std::uint32_t *at = image.pixels + static_cast<std::ptrdiff_t>(y) * image.stride + x;
        if (pen == 1) {
            *at = pixel;
        } else if (flat) {
            dot(at, pixel, pen, image.stride, image.height - y);
        } else {
            dot(at, pixel, pen, 1, image.width - x);
        }
        if (x == x2 && y == y2) {
            break;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

PixelRect unite(PixelRect a, PixelRect b) {
    if (a.empty()) {
        return b;
    }
    if (b.empty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

std::uint32_t rgbaPixel(Colour colour) {
    const std::uint32_t rgb = colour & 0x00FFFFFFu;
    if constexpr (std::endian::native == std::endian::little) {
        return 0xFF000000u | rgb;
    } else {
        return (static_cast<std::uint32_t>(redOf(rgb)) << 24) |
               (static_cast<std::uint32_t>(greenOf(rgb)) << 16) |
               (static_cast<std::uint32_t>(blueOf(rgb)) << 8) | 0xFFu;
    }
}

// std::floor(ratio + 0.5) is the page's Math.round for every ratio a screen
// has.
int penWidth(double ratio) {
    return std::max(1, static_cast<int>(std::floor(ratio + 0.5)));
}

// One multiplication and a floor, exact in IEEE arithmetic on every build;
// the lower-right edge (1) falls in the last pixel.
int devicePixel(double unit, int size) {
    const double scaled = std::floor(unit * size);
    return scaled <= 0 ? 0 : scaled >= size - 1 ? size - 1 : static_cast<int>(scaled);
}

bool Rasteriser::sameImage(const PixelImage &image, int pen) const {
    return image.pixels == m_image.pixels && image.width == m_image.width &&
           image.height == m_image.height && image.stride == m_image.stride && pen == m_pen;
}

PixelRect Rasteriser::paint(const PixelImage &image, double ratio,
                            std::span<const DisplayList *const> lists) {
    if (image.pixels == nullptr || image.width <= 0 || image.height <= 0) {
        return {};
    }
    const int pen = penWidth(ratio);
    const std::uint32_t background = rgbaPixel(colours::lightYellow);
    PixelRect changed;
    if (sameImage(image, pen)) {
        for (const Segment &s : m_drawn) {
            drawSegment(image, s.x1, s.y1, s.x2, s.y2, background, pen);
        }
        changed = m_drawnBox;
    } else {
        for (int y = 0; y < image.height; ++y) {
            std::uint32_t *row = image.pixels + static_cast<std::ptrdiff_t>(y) * image.stride;
            std::fill(row, row + image.width, background);
        }
        changed = {0, 0, image.width, image.height};
        m_image = image;
        m_pen = pen;
    }
    m_drawn.clear();
    int left = image.width, top = image.height, right = -1, bottom = -1;
    for (const DisplayList *list : lists) {
        for (const DisplayList::PlotLine &line : list->lines()) {
            const Segment s{devicePixel(line.line.from.u, image.width),
                            devicePixel(line.line.from.v, image.height),
                            devicePixel(line.line.to.u, image.width),
                            devicePixel(line.line.to.v, image.height), rgbaPixel(line.colour)};
            drawSegment(image, s.x1, s.y1, s.x2, s.y2, s.pixel, pen);
            m_drawn.push_back(s);
            left = std::min({left, s.x1, s.x2});
            top = std::min({top, s.y1, s.y2});
            right = std::max({right, s.x1, s.x2});
            bottom = std::max({bottom, s.y1, s.y2});
        }
    }
    m_drawnBox = right < 0 ? PixelRect{}
                           : PixelRect{left, top, std::min(image.width, right + pen),
                                       std::min(image.height, bottom + pen)};
    return unite(changed, m_drawnBox);
}

} // namespace wavywall
