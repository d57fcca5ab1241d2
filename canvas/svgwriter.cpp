#include "canvas/svgwriter.h"

#include "canvas/classicnumbers.h"

#include <algorithm>
#include <cmath>

namespace wavywall {

namespace {

// The title label's background and text in the light theme the manual's
// pictures show; a file keeps no desktop theme.
constexpr Colour labelBackground = RGB(240, 240, 240);
constexpr Colour labelText = RGB(0, 0, 0);

// A thousandth of a pixel is finer than any screen or printer resolves;
// trailing zeros go, and a negative zero is written as 0. The drawing area's
// coordinates are written in whole thousandths with integer arithmetic,
// which is the same on every platform and several times quicker than
// printf for the picture's 3 600 numbers; anything else takes printf.
void appendPixels(std::string &out, double value) {
    constexpr double largest = 1e12;
    if (!(std::abs(value) < largest)) {
        out += ClassicNumbers::format("%.3f", value);
        return;
    }
    long long thousandths = std::llround(value * 1000);
    if (thousandths < 0) {
        out.push_back('-');
        thousandths = -thousandths;
    }
    out += std::to_string(thousandths / 1000);
    int fraction = static_cast<int>(thousandths % 1000);
    if (fraction != 0) {
        out.push_back('.');
        for (int unit = 100; fraction != 0; unit /= 10) {
            out.push_back(static_cast<char>('0' + fraction / unit));
            fraction %= unit;
        }
    }
}

std::string pixels(double value) {
    std::string text;
    appendPixels(text, value);
    return text;
}

std::string hexColour(Colour colour) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (const int component : {redOf(colour), greenOf(colour), blueOf(colour)}) {
        text.push_back(digits[component >> 4]);
        text.push_back(digits[component & 0xF]);
    }
    return text;
}

// Text content and attribute values alike: markup characters as entities,
// control characters XML 1.0 does not allow as U+FFFD.
std::string escaped(std::u16string_view text) {
    std::string out;
    for (const char c : toUtf8(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
                out += "\xEF\xBF\xBD";
            } else {
                out.push_back(c);
            }
        }
    }
    return out;
}

void appendCodePoint(std::string &out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// One path per run of lines of one colour, each line its own move and draw,
// keeps the drawing order and the document small.
void appendLines(std::string &svg, const std::vector<DisplayList::PlotLine> &lines,
                 const PictureFrame &frame) {
    const double w = frame.width;
    const double h = frame.height;
    for (auto run = lines.begin(); run != lines.end();) {
        svg += "<path stroke=\"" + hexColour(run->colour) + "\" d=\"";
        auto line = run;
        for (; line != lines.end() && line->colour == run->colour; ++line) {
            const UnitLine &l = line->line;
            svg.push_back('M');
            appendPixels(svg, l.from.u * w);
            svg.push_back(' ');
            appendPixels(svg, l.from.v * h);
            svg.push_back('L');
            appendPixels(svg, l.to.u * w);
            svg.push_back(' ');
            appendPixels(svg, l.to.v * h);
        }
        svg += "\"/>\n";
        run = line;
    }
}

// The label's width was drawn for a narrower face than most systems have.
// Verdana's and DejaVu Sans's letters average under 0.62 of the size, so
// this size lets the title show whole in either, in quarter pixels, as each
// window fits its label; textLength fits it exactly where the viewer knows
// the attribute.
double titleSize(const PictureFrame &frame) {
    constexpr double averageAdvance = 0.62;
    const double fitting = frame.titleWidth / (averageAdvance * double(frame.title.size()));
    return std::min(frame.fontSize, std::floor(fitting * 4) / 4);
}

void appendTitle(std::string &svg, const PictureFrame &frame) {
    if (frame.title.empty()) {
        return;
    }
    const double size = titleSize(frame);
    svg += "<rect x=\"" + pixels(frame.titleLeft) + "\" y=\"" + pixels(frame.titleTop) +
           "\" width=\"" + pixels(frame.titleWidth) + "\" height=\"" + pixels(frame.titleHeight) +
           "\" fill=\"" + hexColour(labelBackground) + "\"/>\n";
    svg += "<text x=\"" + pixels(frame.titleLeft) + "\" y=\"" + pixels(frame.titleTop + size) +
           "\" textLength=\"" + pixels(frame.titleWidth) +
           "\" lengthAdjust=\"spacingAndGlyphs\" fill=\"" + hexColour(labelText) +
           "\" font-family=\"Verdana, 'DejaVu Sans', sans-serif\" font-size=\"" + pixels(size) +
           "\">" + escaped(frame.title) + "</text>\n";
}

} // namespace

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            appendCodePoint(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            appendCodePoint(out, 0xFFFD);
        } else {
            appendCodePoint(out, c);
        }
    }
    return out;
}

std::string plotSvg(const std::vector<DisplayList::PlotLine> &lines, const PictureFrame &frame) {
    const std::string w = std::to_string(frame.width);
    const std::string h = std::to_string(frame.height);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                      w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    svg.reserve(lines.size() * 32 + 1024);
    svg += "<title>" + escaped(frame.title) + "</title>\n";
    svg += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"" +
           hexColour(colours::lightYellow) + "\"/>\n";
    svg += "<g fill=\"none\" stroke-width=\"1\" stroke-linecap=\"butt\">\n";
    appendLines(svg, lines, frame);
    svg += "</g>\n";
    appendTitle(svg, frame);
    svg += "</svg>\n";
    return svg;
}

} // namespace wavywall
