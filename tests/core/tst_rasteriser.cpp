// The core's painter against pictures drawn by hand: Bresenham's pixels, the
// pen at each device pixel ratio, the edges, the byte orders and the
// rectangle a repaint reports.
#include "canvas/rasteriser.h"
#include "tests/core/check.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace wavywall;

namespace {
constexpr int width = 8, height = 4, stride = 9; // a pixel of padding a row, kept 0

struct Stroke {
    float x1, y1, x2, y2; // in device pixels of the 8 x 4 image
    Colour colour;
};

struct Image {
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(stride * height, 0);
    PixelImage view() { return {pixels.data(), width, height, stride}; }

    // A letter a pixel: . background, r b g k red, blue, green, grey; | the padding.
    std::string picture() const {
        const std::pair<Colour, char> letters[] = {{colours::lightYellow, '.'},
                                                   {colours::red, 'r'},
                                                   {colours::blue, 'b'},
                                                   {colours::green, 'g'},
                                                   {colours::grey, 'k'}};
        std::string text;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            char letter = i % stride == width && pixels[i] == 0 ? '|' : '?';
            for (const auto &[colour, l] : letters) {
                letter = i % stride != width && pixels[i] == rgbaPixel(colour) ? l : letter;
            }
            text += letter;
        }
        return text;
    }
};

DisplayList listOf(std::initializer_list<Stroke> strokes) {
    DisplayList list;
    list.Scale(0, 0, width, height);
    for (const Stroke &s : strokes) {
        list.Line(s.x1, s.y1, s.x2, s.y2, s.colour);
    }
    return list;
}

struct Row {
    const char *name;
    double ratio;
    std::initializer_list<Stroke> strokes;
    const char *picture;
};

void paintsByHand() {
    const Row rows[] = {
        {"flat at ratio 1",
         1,
         {{0.5f, 0.5f, 7.5f, 2.5f, colours::red}},
         "rr......|..rrrr..|......rr|........|"},
        {"flat at ratio 2: widened down",
         2,
         {{0.5f, 0.5f, 7.5f, 2.5f, colours::red}},
         "rr......|rrrrrr..|..rrrrrr|......rr|"},
        {"steep at ratio 1.5: widened right",
         1.5,
         {{1.5f, 0.5f, 2.5f, 3.5f, colours::blue}},
         ".bb.....|.bb.....|..bb....|..bb....|"},
        {"the far edges at ratio 3",
         3,
         {{6.5f, 3.5f, 8, 3.5f, colours::green}, {7.5f, 0, 7.5f, 1.5f, colours::grey}},
         ".......k|.......k|........|......gg|"},
        {"later lines cover earlier ones",
         1,
         {{0, 1.5f, 8, 1.5f, colours::green}, {3.5f, 0, 3.5f, 4, colours::red}},
         "...r....|gggrgggg|...r....|...r....|"},
    };
    for (const Row &row : rows) {
        Image image;
        const DisplayList list = listOf(row.strokes);
        const PixelRect changed = Rasteriser().paint(image.view(), row.ratio, {&list});
        std::string shown = row.name;
        shown.append(" shows ").append(image.picture());
        CHECK_ROW(image.picture() == row.picture, shown);
        CHECK_ROW((changed == PixelRect{0, 0, width, height}), row.name);
    }
}

void pensAndPixelsFollowTheRules() {
    CHECK(penWidth(0.5) == 1 && penWidth(1) == 1 && penWidth(1.25) == 1);
    CHECK(penWidth(1.5) == 2 && penWidth(2) == 2 && penWidth(2.5) == 3 && penWidth(3) == 3);
    CHECK(devicePixel(0, 400) == 0 && devicePixel(1, 400) == 399);
    CHECK(devicePixel(0.0025, 400) == 1 && devicePixel(0.00249, 400) == 0);
    const std::uint32_t pixels[] = {rgbaPixel(colours::lightYellow),
                                    pixelOf(RGB(1, 2, 3), ByteOrder::bgra)};
    unsigned char bytes[8];
    std::memcpy(bytes, pixels, sizeof bytes);
    CHECK(bytes[0] == 255 && bytes[1] == 255 && bytes[2] == 192 && bytes[3] == 255);
    CHECK(bytes[4] == 3 && bytes[5] == 2 && bytes[6] == 1 && bytes[7] == 255);
}

// Bresenham's line in its two-direction form (error dx + dy, each direction
// stepped by its own test), widened as the painter widens: what the painter
// must set for every line between two pixel centres of a small image, near
// its far edges too, at pens 1 to 3.
void matchesTwoDirectionBresenham() {
    constexpr int w = 9, h = 7, s = 10;
    const auto reference = [](std::vector<std::uint32_t> &p, int x, int y, int x2, int y2,
                              int pen) {
        const int dx = std::abs(x2 - x), dy = -std::abs(y2 - y), sx = x < x2 ? 1 : -1;
        const int sy = y < y2 ? 1 : -1;
        for (int error = dx + dy;;) {
            const bool flat = dx >= -dy;
            for (int k = 0; k < pen && (flat ? y + k < h : x + k < w); ++k) {
                p[(y + (flat ? k : 0)) * s + x + (flat ? 0 : k)] = 1;
            }
            if (x == x2 && y == y2) {
                break;
            }
            const int twice = 2 * error;
            error += twice >= dy ? dy : 0, x += twice >= dy ? sx : 0;
            error += twice <= dx ? dx : 0, y += twice <= dx ? sy : 0;
        }
    };
    int differing = 0;
    for (int pen = 1; pen <= 3; ++pen) {
        for (int a = 0; a < w * h * w * h; ++a) {
            const int x1 = a % w, y1 = a / w % h, x2 = a / (w * h) % w, y2 = a / (w * w * h);
            DisplayList list;
            list.Scale(0, 0, w, h);
            list.Line(x1 + 0.5f, y1 + 0.5f, x2 + 0.5f, y2 + 0.5f, colours::red);
            std::vector<std::uint32_t> painted(s * h), expected(s * h);
            Rasteriser().paint({painted.data(), w, h, s}, pen, {&list});
            reference(expected, x1, y1, x2, y2, pen);
            for (std::size_t i = 0; i < painted.size(); ++i) {
                differing += (painted[i] == rgbaPixel(colours::red)) != (expected[i] == 1);
            }
        }
    }
    CHECK(differing == 0);
}

// A repaint over its own image clears the old lines' box and reports it with
// the new lines' box; a new ratio paints anew.
void repaintsOnlyWhatChanged() {
    Image image;
    Rasteriser painter;
    const DisplayList first = listOf({{0.5f, 0.5f, 1.5f, 0.5f, colours::red}});
    const DisplayList second = listOf({{1.5f, 3.5f, 2.5f, 3.5f, colours::blue}});
    const DisplayList none = listOf({});
    painter.paint(image.view(), 1, {&first});
    CHECK((painter.paint(image.view(), 1, {&none, &second}) == PixelRect{0, 0, 3, 4}));
    CHECK(image.picture() == "........|........|........|.bb.....|");
    CHECK((painter.paint(image.view(), 1, {&none}) == PixelRect{1, 3, 3, 4}));
    CHECK(image.picture() == "........|........|........|........|");
    CHECK(painter.paint(image.view(), 1, {&none}).empty());
    CHECK((painter.paint(image.view(), 2, {&none}) == PixelRect{0, 0, width, height}));
}

const check::Case cases[] = {
    {"paints the pictures drawn by hand", paintsByHand},
    {"pens, pixels and bytes follow the rules", pensAndPixelsFollowTheRules},
    {"repaints only what changed", repaintsOnlyWhatChanged},
    {"sets the pixels of two-direction Bresenham", matchesTwoDirectionBresenham},
};

} // namespace

int main() {
    return check::runAll(cases);
}
