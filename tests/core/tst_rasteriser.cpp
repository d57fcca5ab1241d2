// The core's painter against pictures drawn by hand: Bresenham's pixels, the
// pen at each device pixel ratio, the edges of the image, the byte order and
// the rectangle a repaint reports.
#include "canvas/rasteriser.h"
#include "tests/core/check.h"

#include <cstring>
#include <string>
#include <vector>

using namespace wavywall;

namespace {
constexpr int width = 8;
constexpr int height = 4;
constexpr int stride = 9; // one pixel of padding a row, which must stay 0

struct Stroke {
    float x1, y1, x2, y2; // in device pixels of the 8 x 4 image
    Colour colour;
};

struct Image {
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(stride * height, 0);
    PixelImage view() { return {pixels.data(), width, height, stride}; }

    // One letter a pixel: . background, r b g k red, blue, green, grey, ? else.
    std::string picture() const {
        std::string text;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < stride; ++x) {
                const std::uint32_t p = pixels[y * stride + x];
                text += x == width                             ? (p == 0 ? '|' : '?')
                        : p == rgbaPixel(colours::lightYellow) ? '.'
                        : p == rgbaPixel(colours::red)         ? 'r'
                        : p == rgbaPixel(colours::blue)        ? 'b'
                        : p == rgbaPixel(colours::green)       ? 'g'
                        : p == rgbaPixel(colours::grey)        ? 'k'
                                                               : '?';
            }
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
        {"flat at ratio 1.25: one pixel",
         1.25,
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
        Rasteriser painter;
        const PixelRect changed = painter.paint(image.view(), row.ratio, {&list});
        std::string shown = row.name;
        shown.append(" shows ").append(image.picture());
        CHECK_ROW(image.picture() == row.picture, shown);
        CHECK_ROW((changed == PixelRect{0, 0, width, height}), row.name);
    }
}

void pensFollowTheRatio() {
    CHECK(penWidth(0.5) == 1 && penWidth(1) == 1 && penWidth(1.25) == 1);
    CHECK(penWidth(1.5) == 2 && penWidth(2) == 2 && penWidth(2.5) == 3 && penWidth(3) == 3);
    CHECK(devicePixel(0, 400) == 0 && devicePixel(1, 400) == 399);
    CHECK(devicePixel(0.0025, 400) == 1 && devicePixel(0.00249, 400) == 0);
}

void bytesAreRedGreenBlueAlpha() {
    std::uint32_t pixel = rgbaPixel(colours::lightYellow);
    unsigned char bytes[4];
    std::memcpy(bytes, &pixel, 4);
    CHECK(bytes[0] == 255 && bytes[1] == 255 && bytes[2] == 192 && bytes[3] == 255);
    pixel = pixelOf(colours::purple, ByteOrder::bgra);
    std::memcpy(bytes, &pixel, 4);
    CHECK(bytes[0] == 128 && bytes[1] == 0 && bytes[2] == 128 && bytes[3] == 255);
    pixel = pixelOf(RGB(1, 2, 3), ByteOrder::bgra);
    std::memcpy(bytes, &pixel, 4);
    CHECK(bytes[0] == 3 && bytes[1] == 2 && bytes[2] == 1 && bytes[3] == 255);
}

// A repaint over its own image clears the old lines' pixels and reports the
// boxes of the old and the new lines; a new ratio paints anew.
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
    {"pens follow the ratio", pensFollowTheRatio},
    {"bytes are red, green, blue, alpha or blue first", bytesAreRedGreenBlueAlpha},
    {"repaints only what changed", repaintsOnlyWhatChanged},
};

} // namespace

int main() {
    return check::runAll(cases);
}
