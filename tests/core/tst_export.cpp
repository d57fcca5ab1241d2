// The writers of the plots' pictures and numbers, read back as a spreadsheet
// or an SVG viewer would, under a locale that writes a comma: the CSV against
// the formulas of linearized supersonic flow, the SVG against the display
// list it was written from.
#include "canvas/displaylist.h"
#include "canvas/svgwriter.h"
#include "model/csvwriter.h"
#include "model/flowplot.h"
#include "model/plotpicture.h"
#include "model/shortestnumber.h"
#include "model/trigonometry.h"
#include "tests/core/check.h"
#include "tests/support/fakes.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#ifdef WAVYWALL_FMT_ORACLE
#include <fmt/format.h>
#endif

using namespace wavywall;
using Rows = std::vector<std::vector<std::string>>;

namespace {

const double Pi = std::atan(1.0) * 4;
const double Beta144 = std::sqrt(1.44 * 1.44 - 1);

// Written under a locale whose numbers have a comma, as a desktop toolkit
// sets it from the environment, and read back under the C locale.
template <typename Write> std::string underCommaLocale(Write write) {
    for (const char *name : {"de_DE.UTF-8", "tr_TR.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, name)) {
            break;
        }
    }
    std::string text = write();
    std::setlocale(LC_ALL, "C");
    return text;
}

// Splits CRLF-ended rows on commas; a row not ended by CRLF fails.
Rows readCsv(const std::string &text) {
    Rows rows;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        CHECK(end != std::string::npos);
        rows.emplace_back(1);
        for (std::size_t at = start; at < end; ++at) {
            if (text[at] == ',') {
                rows.back().emplace_back();
            } else {
                rows.back().back().push_back(text[at]);
            }
        }
        start = end + 2;
    }
    return rows;
}

double number(const std::string &field) {
    return std::strtod(field.c_str(), nullptr);
}

// The program's own sine, correctly rounded (tests/core/tst_trigonometry.cpp),
// so that the formula gives the same bits as the table in both builds.
void pressureCsvIsTheFormula() {
    const Rows rows =
        readCsv(underCommaLocale([] { return pressureCsv(testing::loadedState(Beta144, 0.06)); }));
    CHECK(rows.size() == 102 && rows[0] == (std::vector<std::string>{"i", "x", "Cp"}));
    for (int i = 0; i <= 100 && rows.size() == 102; ++i) {
        const std::vector<std::string> &row = rows[static_cast<std::size_t>(i) + 1];
        const double x = i / 100.0 * 2;
        CHECK(row.size() == 3 && number(row[0]) == i && number(row[1]) == x);
        CHECK(number(row[2]) == -4 * Pi / Beta144 * 0.06 * correctlyRoundedSin(2 * Pi * x));
    }
    CHECK(rows.size() == 102 && rows[1][2] == "0" && rows[4][1] == "0.06");
    CHECK(pressureCsv(testing::loadedState(0, 0.06)) == "i,x,Cp\r\n");
    CHECK(pressureCsv(testing::loadedState(1, 0.1), Separator::tab).substr(0, 8) == "i\tx\tCp\r\n");
}

// Streamline j lies 1.5 j / 8 above the wall, shifted Beta times that
// downstream; Mach line k starts on the wall at x = k / 4 and keeps
// x - Beta y up to y = 2.
void flowCsvIsTheFlow() {
    const Rows rows =
        readCsv(underCommaLocale([] { return flowCsv(testing::loadedState(Beta144, 0.06)); }));
    CHECK(rows.size() == 102 && rows[0].size() == 23 && rows[0][18] == "Ys8");
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string> &r = rows[i];
        const double x = (i - 1) / 100.0 * 2;
        CHECK(r.size() == 23 && number(r[1]) == x);
        CHECK(std::abs(number(r[2]) - 0.06 * std::cos(2 * Pi * x)) < 1e-15);
        for (int j = 1; j <= 8 && r.size() >= 19; ++j) {
            const double rise = number(r[2 * j + 2]) - number(r[2]);
            CHECK(std::abs(rise - 1.5 * j / 8) < 1e-14);
            CHECK(std::abs(number(r[2 * j + 1]) - (x + Beta144 * rise)) < 1e-14);
        }
        if (i <= 9) {
            const double x0 = (i - 1) * 0.25;
            CHECK(number(r[19]) == x0 && number(r[22]) == 2);
            CHECK(std::abs(number(r[20]) - 0.06 * std::cos(2 * Pi * x0)) < 1e-15);
            CHECK(std::abs(number(r[21]) - (x0 - Beta144 * number(r[20]) + 2 * Beta144)) < 1e-14);
        } else {
            CHECK(r[19].empty() && r[22].empty());
        }
    }
}

FlowState subsonic(double Moo, double HbL) {
    FlowState flow = testing::loadedState(0, HbL);
    flow.BetaPrime = std::sqrt(1 - Moo * Moo);
    return flow;
}

// Below Mach one the pressure table has its curve whatever Beta was left
// (none, in a fresh process), and the flow table no Mach lines, as the
// picture draws none; the second order's column is there and empty.
void subsonicTablesAreThePicture() {
    const Rows pressure =
        readCsv(pressureCsv(subsonic(0.63, 0.07), Separator::comma, {Layer::secondOrder}));
    CHECK(pressure.size() == 102 && pressure[0].back() == "Cp2");
    const double BetaPrime = std::sqrt(1 - 0.63 * 0.63);
    for (std::size_t i = 1; i < pressure.size(); ++i) {
        const double x = (i - 1) / 100.0 * 2;
        const double Cp = -4 * Pi * 0.07 * std::cos(2 * Pi * x) / BetaPrime;
        CHECK(pressure[i].size() == 4 && std::abs(number(pressure[i][2]) - Cp) < 1e-15);
        CHECK(pressure[i][3].empty());
    }
    const Rows flow = readCsv(flowCsv(subsonic(0.63, 0.07)));
    for (std::size_t i = 1; i < flow.size(); ++i) {
        CHECK(flow[i].size() == 23 && flow[i][19].empty() && flow[i][22].empty());
    }
}

#ifdef WAVYWALL_FMT_ORACLE
// How many significant digits a number's text has: "0.060" and "6e-2" one.
std::size_t significantDigits(const std::string &text) {
    std::string digits;
    for (const char c : text.substr(0, text.find_first_of("eE"))) {
        if (c >= '0' && c <= '9' && (c != '0' || !digits.empty())) {
            digits.push_back(c);
        }
    }
    return digits.find_last_not_of('0') + 1;
}
#endif

// The public hard cases of shortest printing: the ends of the range and of
// the subnormals, powers of two (whose lower neighbour is nearer than the
// upper), 1e23 (no double is 1e23) and the sums that show binary rounding.
struct Shortest {
    double value;
    const char *text;
};
const Shortest shortestCases[] = {
    {0.06, "0.06"},
    {-0.0, "0"},
    {0.1 + 0.2, "0.30000000000000004"},
    {1.0 / 3, "0.3333333333333333"},
    {2.0 / 3, "0.6666666666666666"},
    {5e-324, "5e-324"},
    {2.2250738585072014e-308, "2.2250738585072014e-308"},
    {2.225073858507201e-308, "2.225073858507201e-308"},
    {1.7976931348623157e308, "1.7976931348623157e+308"},
    {9007199254740992.0, "9007199254740992"},
    {9007199254740994.0, "9007199254740994"},
    {1e23, "1e+23"},
    {8.41e21, "8.41e+21"},
    {5e-5, "5e-05"},
    {-1.5, "-1.5"},
    {123456789012345680.0, "1.2345678901234568e+17"},
    {0x1p-1074 * 3, "1.5e-323"},
    {0x1p-44, "5.684341886080802e-14"},
};

// Each text reads back as its double, and no shorter one does: against the
// literals above, then against the length of {fmt}'s shortest form
// (Dragonbox), an implementation of its own, over every power of two and
// 200 000 doubles of random bits.
void numbersAreShortest() {
    for (const Shortest &row : shortestCases) {
        CHECK_ROW(underCommaLocale([&] { return shortestNumber(row.value); }) == row.text,
                  row.text);
    }
#ifdef WAVYWALL_FMT_ORACLE
    std::vector<double> values;
    for (int k = -1074; k <= 1023; ++k) {
        values.push_back(std::ldexp(1.0, k));
    }
    std::mt19937_64 bits(27);
    while (values.size() < 200'000) {
        const std::uint64_t b = bits();
        double value = 0;
        std::memcpy(&value, &b, sizeof value);
        if (std::isfinite(value)) {
            values.push_back(value);
        }
    }
    int differing = 0;
    for (const double value : values) {
        const std::string ours = shortestNumber(value);
        if (std::strtod(ours.c_str(), nullptr) != value ||
            significantDigits(ours) != significantDigits(fmt::format("{}", value))) {
            CHECK_ROW(++differing > 5, ours + " against " + fmt::format("{}", value));
        }
    }
    CHECK(differing == 0);
#endif
}

// Every line of the display list comes back from the path data at its size
// in pixels, to the thousandth; the title's markup stays text.
void svgHoldsTheDisplayList() {
    DisplayList list;
    akım_çiz(testing::loadedState(Beta144, 0.06), list);
    const PictureFrame frame{400, 200, u"a<b & \"c\" ü", 10, 5, 100, 17, 12};
    const std::string svg = underCommaLocale([&] { return plotSvg(list.lines(), frame); });
    CHECK(svg.find("<title>a&lt;b &amp; &quot;c&quot; \xC3\xBC</title>") != std::string::npos);
    CHECK(svg.find("fill=\"#FFFFC0\"") != std::string::npos);
    std::size_t at = 0;
    std::vector<std::string> colours;
    for (const DisplayList::PlotLine &line : list.lines()) {
        at = svg.find('M', at);
        char *end = nullptr;
        const double u1 = std::strtod(svg.c_str() + at + 1, &end);
        const double v1 = std::strtod(end, &end);
        const double u2 = std::strtod(end + 1, &end);
        const double v2 = std::strtod(end, &end);
        CHECK(std::abs(u1 - line.line.from.u * 400) <= 5e-4 && *end != ',');
        CHECK(std::abs(v1 - line.line.from.v * 200) <= 5e-4);
        CHECK(std::abs(u2 - line.line.to.u * 400) <= 5e-4);
        CHECK(std::abs(v2 - line.line.to.v * 200) <= 5e-4);
        ++at;
    }
    for (const char *colour : {"#C8C8C8", "#00FF00", "#FF0000", "#0000FF"}) {
        CHECK(svg.find(std::string("<path stroke=\"") + colour) != std::string::npos);
    }
}

// The frame both front ends take, at 96 pixels an inch (15 twips a pixel):
// each plot box's drawing area within its 2-pixel border, and its title's
// rectangle cut at the area's edges, as the boxes show them.
void framesAreTheBoxesAtNinetySixDots() {
    struct Row {
        Plot plot;
        PictureFrame frame;
    };
    const Row rows[] = {
        {Plot::flow, {329, 163, u"Akım çizgileri", 264, 152, 65, 11, 11}},
        {Plot::pressure,
         {333, 141, u"Duvar üzerinde basınç katsayılarının dağılımı", 120, 128, 213, 13, 11}},
    };
    for (const Row &row : rows) {
        const PictureFrame f = pictureFrame(row.plot);
        const PictureFrame &e = row.frame;
        CHECK_ROW(f.width == e.width && f.height == e.height && f.title == e.title,
                  check::utf8(e.title));
        CHECK_ROW(f.titleLeft == e.titleLeft && f.titleTop == e.titleTop &&
                      f.titleWidth == e.titleWidth && f.titleHeight == e.titleHeight &&
                      f.fontSize == e.fontSize,
                  check::utf8(e.title));
    }
}

const check::Case cases[] = {
    {"the pressure table is the formula", pressureCsvIsTheFormula},
    {"the flow table is the flow", flowCsvIsTheFlow},
    {"the picture holds the display list", svgHoldsTheDisplayList},
    {"the frames are the boxes at 96 dots an inch", framesAreTheBoxesAtNinetySixDots},
    {"subsonic tables are the picture", subsonicTablesAreThePicture},
    {"numbers are written shortest", numbersAreShortest},
};

} // namespace

int main() {
    return check::runAll(cases);
}
