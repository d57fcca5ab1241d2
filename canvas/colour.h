// Colours of the plots, in the 24-bit 0x00BBGGRR encoding: red lives in the
// low byte, blue in the third. Keeping the encoding explicit lets the plot
// code state its colours as the numbers it was written with.
#pragma once

#include <cstdint>

namespace wavywall {

using Colour = std::uint32_t;

/// Composes a colour from its red, green and blue components (each 0..255).
constexpr Colour RGB(int r, int g, int b) {
    return static_cast<Colour>(r) + 256u * static_cast<Colour>(g) + 65536u * static_cast<Colour>(b);
}

constexpr int redOf(Colour c) {
    return static_cast<int>(c & 0xFFu);
}
constexpr int greenOf(Colour c) {
    return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int blueOf(Colour c) {
    return static_cast<int>((c >> 16) & 0xFFu);
}

namespace colours {
inline constexpr Colour grey = RGB(200, 200, 200);
inline constexpr Colour red = RGB(255, 0, 0);
inline constexpr Colour green = RGB(0, 255, 0);
inline constexpr Colour blue = RGB(0, 0, 255);
/// The second-order Cp: a colour no other line uses, dark enough to read on
/// the plots' light yellow.
inline constexpr Colour purple = RGB(128, 0, 128);
/// Background of both plot boxes (and of the About window): light yellow.
inline constexpr Colour lightYellow = RGB(255, 255, 192);
} // namespace colours

} // namespace wavywall
