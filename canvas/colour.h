// Colours of the plots, in the 24-bit 0x00BBGGRR encoding: red lives in the
// low byte, blue in the third. Keeping the encoding explicit lets the plot
// code state its colours as the numbers it was written with.
#pragma once

#include "windowdescription.h"

#include <cstdint>
#include <string_view>

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

/// The value of a hexadecimal digit (0-9, A-F, a-f).
constexpr int hexDigit(char16_t c) {
    return c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10;
}

/// A colour written "#RRGGBB", as the description of the windows writes its
/// colours.
constexpr Colour hexColour(std::u16string_view text) {
    const auto component = [text](std::size_t at) {
        return 16 * hexDigit(text[at]) + hexDigit(text[at + 1]);
    };
    return RGB(component(1), component(3), component(5));
}

namespace colours {
inline constexpr Colour grey = RGB(200, 200, 200);
inline constexpr Colour red = RGB(255, 0, 0);
inline constexpr Colour green = RGB(0, 255, 0);
inline constexpr Colour blue = RGB(0, 0, 255);
/// The second-order Cp: a colour no other line uses, dark enough to read on
/// the plots' light yellow. The window's legend for it shows the same colour,
/// so both read it from the description of the windows.
inline constexpr Colour purple = hexColour(windows::Form1::Label_İkinciMertebe::colour);
/// The exact simple wave (its Cp, characteristics and shock point): a dark
/// teal, apart from the four plot colours and the second order's purple.
inline constexpr Colour teal = hexColour(windows::Form1::Label_BasitDalgaÇözümü::colour);
/// Background of both plot boxes (and of the About window): the light
/// yellow of the description of the windows (ui/windows.json), which the
/// page's style sheet and manifest are written from too.
inline constexpr Colour lightYellow = hexColour(windows::lightYellow);
static_assert(windows::lightYellow.size() == 7 && windows::lightYellow[0] == u'#');
} // namespace colours

} // namespace wavywall
