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
// only, so that every build sets the same pixels. The pixel's address walks
// with the line, a row or a pixel a step.
void drawSegment(const PixelImage &image, int x1, int y1, int x2, int y2, std::uint32_t pixel,
                 int pen) {
    int x = x1;
    int y = y1;
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const std::ptrdiff_t rowStep = y1 < y2 ? image.stride : -image.stride;
    const int sy = y1 < y2 ? 1 : -1;
    const bool flat = dx >= -dy;
    int error = dx + dy;
    std::uint32_t *at = image.pixels + static_cast<std::ptrdiff_t>(y) * image.stride + x;
    for (;;) {
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
            at += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
            at += rowStep;
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

std::uint32_t pixelOf(Colour colour, ByteOrder order) {
    const std::uint32_t r = static_cast<std::uint32_t>(redOf(colour));
    const std::uint32_t g = static_cast<std::uint32_t>(greenOf(colour));
    const std::uint32_t b = static_cast<std::uint32_t>(blueOf(colour));
    const std::uint32_t first = order == ByteOrder::rgba ? r : b;
    const std::uint32_t third = order == ByteOrder::rgba ? b : r;
    if constexpr (std::endian::native == std::endian::little) {
        return first | (g << 8) | (third << 16) | 0xFF000000u;
    } else {
        return (first << 24) | (g << 16) | (third << 8) | 0xFFu;
    }
}

// std::floor(ratio + 0.5) is the page's Math.round for every ratio a screen
// has.
int penWidth(double ratio) {
    return std::max(1, static_cast<int>(std::floor(ratio + 0.5)));
}

// One multiplication, exact in IEEE arithmetic on every build, and its floor,
// which for a number between 0 and the size is its truncation (a library
// call less); the lower-right edge (1) falls in the last pixel.
int devicePixel(double unit, int size) {
    const double scaled = unit * size;
    if (!(scaled > 0)) {
        return 0;
    }
    return scaled >= size - 1 ? size - 1 : static_cast<int>(scaled);
}

PixelRect Rasteriser::paint(const PixelImage &image, double ratio,
                            std::span<const DisplayList *const> lists) {
    const PixelRect cleared = begin(image, ratio);
    if (m_image.pixels == nullptr) {
        return {};
    }
    for (const DisplayList *list : lists) {
        draw(list->lines());
    }
    return finish(cleared);
}

PixelRect Rasteriser::paint(const PixelImage &image, double ratio,
                            std::span<const DisplayList::PlotLine> lines) {
    const PixelRect cleared = begin(image, ratio);
    if (m_image.pixels == nullptr) {
        return {};
    }
    draw(lines);
    return finish(cleared);
}

PixelRect Rasteriser::begin(const PixelImage &image, double ratio) {
    m_left = image.width;
    m_top = image.height;
    m_right = -1;
    m_bottom = -1;
    if (image.pixels == nullptr || image.width <= 0 || image.height <= 0) {
        m_image = {};
        return {};
    }
    const int pen = penWidth(ratio);
    PixelRect cleared = m_drawnBox;
    if (!(image == m_image) || pen != m_pen) {
        cleared = {0, 0, image.width, image.height};
        m_image = image;
        m_pen = pen;
        m_background = pixelOf(colours::lightYellow, image.order);
    }
    for (int y = cleared.top; y < cleared.bottom; ++y) {
        std::uint32_t *row = image.pixels + static_cast<std::ptrdiff_t>(y) * image.stride;
        std::fill(row + cleared.left, row + cleared.right, m_background);
    }
    return cleared;
}

// The image, the pen and the box are kept in locals: a pixel written
// through a pointer to unsigned words might otherwise be one of the
// painter's own int members, and each would be read again after it.
void Rasteriser::draw(std::span<const DisplayList::PlotLine> lines) {
    const PixelImage image = m_image;
    const int pen = m_pen;
    int left = m_left, top = m_top, right = m_right, bottom = m_bottom;
    for (const DisplayList::PlotLine &line : lines) {
        const int x1 = devicePixel(line.line.from.u, image.width);
        const int y1 = devicePixel(line.line.from.v, image.height);
        const int x2 = devicePixel(line.line.to.u, image.width);
        const int y2 = devicePixel(line.line.to.v, image.height);
        drawSegment(image, x1, y1, x2, y2, pixelOf(line.colour, image.order), pen);
        left = std::min(left, std::min(x1, x2));
        top = std::min(top, std::min(y1, y2));
        right = std::max(right, std::max(x1, x2));
        bottom = std::max(bottom, std::max(y1, y2));
    }
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
}

PixelRect Rasteriser::finish(PixelRect cleared) {
    m_drawnBox = m_right < 0 ? PixelRect{}
                             : PixelRect{m_left, m_top, std::min(m_image.width, m_right + m_pen),
                                         std::min(m_image.height, m_bottom + m_pen)};
    return unite(cleared, m_drawnBox);
}

} // namespace wavywall
