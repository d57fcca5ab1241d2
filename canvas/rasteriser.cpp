#include "canvas/rasteriser.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace wavywall {

namespace {

// The pen's pixels at one point of a line: the pixel itself and, for a pen
// wider than a device pixel, its neighbours across the major direction
// (down for a flat line, right for a steep one) at `widen` apart. The pens
// of one and two pixels, the window's at ratios 1 and 2, are the quick
// ones; any other, and one that comes nearer the image's far edge than it is
// wide, counts the pixels left (room) as it crosses rows or columns.
template <int pen> struct FixedPen {
    std::uint32_t pixel;
    std::ptrdiff_t widen;
    void put(std::uint32_t *at) const {
        for (int k = 0; k < pen; ++k) {
            at[k * widen] = pixel;
        }
    }
    void crossed() const {}
};

struct CuttingPen {
    std::uint32_t pixel;
    std::ptrdiff_t widen;
    int pen;
    int room;       // pixels from this one to the far edge, itself included
    int roomChange; // what a step across the major direction does to it
    void put(std::uint32_t *at) const {
        const int count = std::min(pen, room);
        for (int k = 0; k < count; ++k) {
            at[k * widen] = pixel;
        }
    }
    void crossed() { room += roomChange; }
};

// Bresenham's line, both ends included, walked along its major direction:
// length steps of `major` (a pixel or a row), with a step of `minor` across
// wherever the error says. Integers only, so that every build sets the same
// pixels. It sets exactly the pixels of the two-direction form (error = dx
// + dy, each direction stepped by its own test), which takes the major step
// on every pass; tests/core/tst_rasteriser.cpp holds the two together.
template <typename Pen>
void walk(std::uint32_t *at, std::ptrdiff_t major, std::ptrdiff_t minor, int length, int across,
          Pen pen) {
    int error = length - across;
    for (int left = length;; --left) {
        pen.put(at);
        if (left == 0) {
            return;
        }
        const int twice = 2 * error;
        error -= across;
        at += major;
        if (twice <= length) {
            error += length;
            at += minor;
            pen.crossed();
        }
    }
}

template <typename Pen>
void walkEither(std::uint32_t *at, std::ptrdiff_t stepX, std::ptrdiff_t stepY, int dx, int dy,
                Pen pen) {
    if (dx >= dy) {
        walk(at, stepX, stepY, dx, dy, pen);
    } else {
        walk(at, stepY, stepX, dy, dx, pen);
    }
}

// A line between two device pixels with a pen wider than one: widened down
// if flat, right if steep.
void drawWideSegment(const PixelImage &image, int x1, int y1, int x2, int y2, std::uint32_t pixel,
                     int pen) {
    const int dx = std::abs(x2 - x1);
    const int dy = std::abs(y2 - y1);
    const bool flat = dx >= dy;
    const std::ptrdiff_t stepX = x1 < x2 ? 1 : -1;
    const std::ptrdiff_t stepY = y1 < y2 ? image.stride : -image.stride;
    std::uint32_t *at = image.pixels + static_cast<std::ptrdiff_t>(y1) * image.stride + x1;
    const std::ptrdiff_t widen = flat ? image.stride : 1;
    const int start = flat ? y1 : x1;
    const int end = flat ? y2 : x2;
    const int size = flat ? image.height : image.width;
    if (pen == 2 && std::max(start, end) + pen <= size) {
        walkEither(at, stepX, stepY, dx, dy, FixedPen<2>{pixel, widen});
    } else {
        const int roomChange = end > start ? -1 : 1;
        walkEither(at, stepX, stepY, dx, dy,
                   CuttingPen{pixel, widen, pen, size - start, roomChange});
    }
}

void drawSegment(const PixelImage &image, int x1, int y1, int x2, int y2, std::uint32_t pixel,
                 int pen) {
    if (pen != 1) {
        drawWideSegment(image, x1, y1, x2, y2, pixel, pen);
        return;
    }
    std::uint32_t *at = image.pixels + static_cast<std::ptrdiff_t>(y1) * image.stride + x1;
    walkEither(at, x1 < x2 ? 1 : -1, y1 < y2 ? image.stride : -image.stride, std::abs(x2 - x1),
               std::abs(y2 - y1), FixedPen<1>{pixel, 0});
}

// devicePixel for a size of one pixel or more, whose last pixel is `last`:
// the same truncation of the same product, without a branch.
int pixelAt(double scaled, double last) {
    scaled = scaled > 0 ? scaled : 0;
    return static_cast<int>(scaled < last ? scaled : last);
}

// An image's size and last pixel, for devicePixel of either coordinate.
struct Scaling {
    double width;
    double height;
    double lastX;
    double lastY;
    int x(double u) const { return pixelAt(u * width, lastX); }
    int y(double v) const { return pixelAt(v * height, lastY); }
};

UnitPoint lower(UnitPoint a, UnitPoint b) {
    return {std::min(a.u, b.u), std::min(a.v, b.v)};
}

UnitPoint higher(UnitPoint a, UnitPoint b) {
    return {std::max(a.u, b.u), std::max(a.v, b.v)};
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
    return size < 1 ? 0 : pixelAt(unit * size, size - 1);
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
        m_backgroundRow.assign(static_cast<std::size_t>(image.width),
                               pixelOf(colours::lightYellow, image.order));
    }
    // A row of background copied into each row: copying is some four times
    // quicker than storing the one word over and over, for the C library's
    // copy writes whole cache lines without reading them first.
    if (cleared.empty()) {
        return cleared;
    }
    const std::size_t bytes =
        static_cast<std::size_t>(cleared.right - cleared.left) * sizeof(std::uint32_t);
    for (int y = cleared.top; y < cleared.bottom; ++y) {
        std::uint32_t *row = image.pixels + static_cast<std::ptrdiff_t>(y) * image.stride;
        std::memcpy(row + cleared.left, m_backgroundRow.data(), bytes);
    }
    return cleared;
}

// The image and the pen are kept in locals: a pixel written through a
// pointer to unsigned words might otherwise be one of the painter's own int
// members, and each would be read again after it. Lines come in runs of one
// colour, whose pixel is worked out once a run, and most start where the one
// before ended, whose pixel is known. The box of the lines is taken over
// their unit coordinates and turned into pixels once: a device pixel never
// decreases as its coordinate grows, so the pixel of the least coordinate is
// the least pixel.
void Rasteriser::draw(std::span<const DisplayList::PlotLine> lines) {
    if (lines.empty()) {
        return;
    }
    const PixelImage image = m_image;
    const int pen = m_pen;
    const Scaling scaling{static_cast<double>(image.width), static_cast<double>(image.height),
                          image.width - 1.0, image.height - 1.0};
    UnitPoint least = lines.front().line.from;
    UnitPoint most = least;
    UnitPoint end{-1, -1}; // no line's: unit coordinates lie in 0..1
    int endX = 0;
    int endY = 0;
    Colour colour = lines.front().colour;
    std::uint32_t pixel = pixelOf(colour, image.order);
    for (const DisplayList::PlotLine &line : lines) {
        const UnitLine &l = line.line;
        if (line.colour != colour) {
            colour = line.colour;
            pixel = pixelOf(colour, image.order);
        }
        if (!(l.from == end)) {
            endX = scaling.x(l.from.u);
            endY = scaling.y(l.from.v);
            least = lower(least, l.from);
            most = higher(most, l.from);
        }
        const int x = scaling.x(l.to.u);
        const int y = scaling.y(l.to.v);
        drawSegment(image, endX, endY, x, y, pixel, pen);
        least = lower(least, l.to);
        most = higher(most, l.to);
        end = l.to;
        endX = x;
        endY = y;
    }
    m_left = std::min(m_left, scaling.x(least.u));
    m_top = std::min(m_top, scaling.y(least.v));
    m_right = std::max(m_right, scaling.x(most.u));
    m_bottom = std::max(m_bottom, scaling.y(most.v));
}

PixelRect Rasteriser::finish(PixelRect cleared) {
    m_drawnBox = m_right < 0 ? PixelRect{}
                             : PixelRect{m_left, m_top, std::min(m_image.width, m_right + m_pen),
                                         std::min(m_image.height, m_bottom + m_pen)};
    return unite(cleared, m_drawnBox);
}

} // namespace wavywall
