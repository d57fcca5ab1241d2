// Prints what the core draws for every scroll-bar position pair and for a
// table of typed texts, built natively and as WebAssembly; the test compares
// the two outputs (tests/web/samenumbers.py). Each case is one line: the
// texts and messages, then digests of the floats handed to each canvas, of
// the display list and of the pixels the core's painter makes of it for
// both front ends, at device pixel ratios 1 and 2, taken over their exact
// bits. With
// --case N the case's operations are printed in full, bit by bit, to show
// where two builds part. With --doubles it prints instead the doubles behind
// the pictures (Beta, the elementary functions the plots take, the point
// tables), which must agree to the last bit as well. With
// --exports it prints, for a sample of position pairs, the SVG pictures and
// the CSV tables of both plots; with --export N, one pair's CSV in full.
#include "canvas/displaylist.h"
#include "canvas/rasteriser.h"
#include "canvas/svgwriter.h"
#include "model/csvwriter.h"
#include "model/flowmodel.h"
#include "model/flowplot.h"
#include "model/pressureplot.h"
#include "model/textnumber.h"
#include "model/trigonometry.h"
#include "tests/support/fakes.h"
#include "tests/support/recordingcanvas.h"
#include "tests/support/teecanvas.h"

#include <array>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace wavywall {
namespace {

std::uint32_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::uint64_t bitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// FNV-1a over 64-bit words: the same digest wherever it runs.
struct Digest {
    std::uint64_t value = 14695981039346656037ull;
    void add(std::uint64_t word) {
        for (int byte = 0; byte < 8; ++byte) {
            value = (value ^ ((word >> (8 * byte)) & 0xFF)) * 1099511628211ull;
        }
    }
    // A whole pixel a step: the pictures hold some 400 000 pixels a case.
    void addPixel(std::uint32_t pixel) { value = (value ^ pixel) * 1099511628211ull; }
};

// Records the floats handed over and builds the page's display list at once.
struct BothCanvases {
    RecordingCanvas recording;
    DisplayList display;
    testing::TeeCanvas both{recording, display};
};

std::string hexUnits(std::u16string_view text) {
    std::string out = "\"";
    char unit[8];
    for (char16_t c : text) {
        std::snprintf(unit, sizeof unit, "%04x", static_cast<unsigned>(c));
        out += unit;
    }
    return out + "\"";
}

// Operations and lines of one canvas, either digested or written out.
void report(const char *name, const BothCanvases &canvas, bool full) {
    const RecordingCanvas &r = canvas.recording;
    Digest recorded;
    Digest painted;
    recorded.add(static_cast<std::uint64_t>(r.clearCount()));
    for (const RecordedScale &s : r.scales()) {
        for (double v : {s.x1, s.y1, s.x2, s.y2}) {
            recorded.add(bitsOf(v));
        }
    }
    for (const RecordedLine &l : r.lines()) {
        if (full) {
            std::printf("  %s line %08" PRIx32 " %08" PRIx32 " %08" PRIx32 " %08" PRIx32
                        " %06" PRIx32 "\n",
                        name, bitsOf(l.x1), bitsOf(l.y1), bitsOf(l.x2), bitsOf(l.y2), l.colour);
        }
        for (float v : {l.x1, l.y1, l.x2, l.y2}) {
            recorded.add(bitsOf(v));
        }
        recorded.add(l.colour);
    }
    for (const DisplayList::PlotLine &p : canvas.display.lines()) {
        if (full) {
            std::printf("  %s unit %016" PRIx64 " %016" PRIx64 " %016" PRIx64 " %016" PRIx64
                        " %06" PRIx32 "\n",
                        name, bitsOf(p.line.from.u), bitsOf(p.line.from.v), bitsOf(p.line.to.u),
                        bitsOf(p.line.to.v), p.colour);
        }
        for (double v : {p.line.from.u, p.line.from.v, p.line.to.u, p.line.to.v}) {
            painted.add(bitsOf(v));
        }
        painted.add(p.colour);
    }
    std::printf(" %s %zu/%016" PRIx64 " %zu/%016" PRIx64, name, r.lines().size(), recorded.value,
                canvas.display.lines().size(), painted.value);
}

struct Rig {
    HeldInputs boxes;
    BothCanvases flow;
    BothCanvases pressure;
    BothCanvases secondOrder;
    BothCanvases exactFlow;
    BothCanvases exactPressure;
    MessageList messages;
    FlowModel model{boxes, flow.both, pressure.both, messages};
    Rig() {
        model.Form_Load();
        model.setSecondOrderLayer(&secondOrder.both);
        model.setExactLayers(&exactFlow.both, &exactPressure.both);
    }
};

// The plots' pictures as the core paints them at the page's designed size of
// their drawing areas, at ratios 1 and 2: one painter and buffer each, kept
// from case to case as a plot box keeps them from one recalculation to the
// next, so that the repaints over an old picture are compared too.
struct Pictures {
    struct Picture {
        int width;
        int height;
        double ratio;
        std::vector<std::uint32_t> pixels;
        Rasteriser painter;
    };
    std::array<Picture, 4> pictures{Picture{329, 163, 1, {}, {}}, Picture{333, 141, 1, {}, {}},
                                    Picture{658, 326, 2, {}, {}}, Picture{666, 282, 2, {}, {}}};

    void report(const Rig &rig) {
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            Picture &p = pictures[i];
            p.pixels.resize(static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height));
            const PixelImage image{p.pixels.data(), p.width, p.height, p.width};
            if (i % 2 == 0) {
                p.painter.paint(image, p.ratio, {&rig.flow.display, &rig.exactFlow.display});
            } else {
                p.painter.paint(
                    image, p.ratio,
                    {&rig.pressure.display, &rig.secondOrder.display, &rig.exactPressure.display});
            }
            Digest d;
            for (const std::uint32_t pixel : p.pixels) {
                d.addPixel(pixel);
            }
            std::printf(" pixels@%g %016" PRIx64, p.ratio, d.value);
        }
    }
};

using Action = std::function<void(Rig &)>;

void runCase(int number, const Action &action, int only) {
    static Pictures pictures;
    if (only >= 0 && number != only) {
        return;
    }
    Rig rig;
    action(rig);
    const bool full = only >= 0;
    std::printf("%d texts %s %s messages", number, hexUnits(rig.boxes.moo).c_str(),
                hexUnits(rig.boxes.hbl).c_str());
    for (const std::u16string &m : rig.messages.shown) {
        std::printf(" %s", hexUnits(m).c_str());
    }
    report("flow", rig.flow, false);
    report("pressure", rig.pressure, false);
    report("second-order", rig.secondOrder, false);
    report("exact-flow", rig.exactFlow, false);
    report("exact-pressure", rig.exactPressure, false);
    pictures.report(rig);
    std::printf("\n");
    if (full) {
        report("flow", rig.flow, true);
        report("pressure", rig.pressure, true);
        report("second-order", rig.secondOrder, true);
        report("exact-flow", rig.exactFlow, true);
        report("exact-pressure", rig.exactPressure, true);
        std::printf("\n");
    }
}

// Texts a user may type or paste, the hostile ones included.
std::vector<std::u16string> typedTexts() {
    std::vector<std::u16string> texts = {u"",
                                         u"abc",
                                         u"1,5",
                                         u"1E999",
                                         u"-1E999",
                                         u"-1.01",
                                         u"&HFF",
                                         u"&O17",
                                         u"&H",
                                         u"1",
                                         u"-1",
                                         u"1.5",
                                         u" 2",
                                         u"1.5x",
                                         u"2e1",
                                         u"0.5",
                                         u"0.8",
                                         u"-0.3",
                                         u"0.9999",
                                         u"0,8",
                                         u"0",
                                         u"-0",
                                         u"1e308",
                                         u"1.7976931348623157e308",
                                         u"1e-400",
                                         u"\t1.2\n",
                                         u"1 . 0 5",
                                         u"1.01\r\n",
                                         u"+.5e1",
                                         u"-",
                                         u".",
                                         u"e5",
                                         u"inf",
                                         u"nan",
                                         u"0x1p3",
                                         u"&HFFFFFFFFFFFFFFFFFFFF",
                                         u"１.５",
                                         u"\u22121.2",
                                         u"\u00A01.5",
                                         u"\uFF0D\uFF12e\u2212\uFF11",
                                         u"1\u202F000\u200B",
                                         u"٣",
                                         u"😀1.5",
                                         u"1.5😀",
                                         u"1.00000000000000000001",
                                         u"0.01",
                                         u"0.2",
                                         u"-0.2",
                                         u"100",
                                         u"3e150"};
    texts.push_back(u"1." + std::u16string(5000, u'0') + u"1");
    texts.push_back(std::u16string(400, u'9'));
    texts.push_back(u"1" + std::u16string(10000, u' ') + u"5");
    texts.push_back(u"0." + std::u16string(400, u'0') + u"1");
    return texts;
}

int allCases(int only) {
    int number = 0;
    for (int h = 1; h <= 20; ++h) {
        for (int m = 101; m <= 200; ++m) {
            runCase(
                number++,
                [h, m](Rig &r) {
                    r.model.HScroll_HbL_Change(static_cast<std::int16_t>(h));
                    r.model.HScroll_Moo_Change(static_cast<std::int16_t>(m));
                },
                only);
        }
    }
    for (const std::u16string &text : typedTexts()) {
        runCase(
            number++,
            [&text](Rig &r) {
                r.boxes.moo = text;
                r.model.Command1_Click();
            },
            only);
        runCase(
            number++,
            [&text](Rig &r) {
                r.boxes.hbl = text;
                r.model.Command1_Click();
            },
            only);
        runCase(
            number++,
            [&text](Rig &r) {
                r.boxes.hbl = text;
                r.model.HScroll_Moo_Change(150);
            },
            only);
        runCase(
            number++,
            [&text](Rig &r) {
                r.boxes.moo = text;
                r.model.HScroll_HbL_Change(10);
            },
            only);
    }
    return 0;
}

void printDouble(const char *what, double argument, double value) {
    std::printf("%s %016" PRIx64 " %016" PRIx64 " %.17g\n", what, bitsOf(argument), bitsOf(value),
                argument);
}

// The elementary functions as the recalculation and the plots take them,
// then every computed table for each position pair.
int doubles() {
    const FlowState base = testing::loadedState(0, 0);
    for (int m = 101; m <= 200; ++m) {
        const double Moo = m / 100.0;
        printDouble("pow", Moo, std::pow(Moo, 2));
        printDouble("sqrt", std::pow(Moo, 2) - 1, std::sqrt(std::pow(Moo, 2) - 1));
    }
    for (double x0 = 0; x0 <= 2; x0 += 0.25) {
        printDouble("cos", base.TwoPi * x0, correctlyRoundedCos(base.TwoPi * x0));
    }
    for (int i = 0; i <= base.N; ++i) {
        const double x = static_cast<double>(i) / base.N * 2 * base.L;
        printDouble("cos", 2 * base.Pi / base.L * x, correctlyRoundedCos(2 * base.Pi / base.L * x));
        printDouble("sin", 2 * base.Pi / base.L * x, correctlyRoundedSin(2 * base.Pi / base.L * x));
    }
    for (int h = 1; h <= 20; ++h) {
        for (int m = 101; m <= 200; ++m) {
            const double Moo = m / 100.0;
            const FlowState flow = testing::loadedState(std::sqrt(std::pow(Moo, 2) - 1), h / 100.0);
            const StreamlineTables s = streamlineTables(flow);
            const PressureTables p = pressureTables(flow);
            Digest d;
            for (std::size_t i = 0; i < p.Xw.size(); ++i) {
                d.add(bitsOf(p.Xw[i]));
                d.add(bitsOf(p.Cp[i]));
                for (int j = 0; j <= streamlineCount; ++j) {
                    d.add(bitsOf(s.Xs[i][j]));
                    d.add(bitsOf(s.Ys[i][j]));
                }
            }
            std::printf("tables %d %d %016" PRIx64 "\n", m, h, d.value);
        }
    }
    return 0;
}

std::uint64_t digestOf(const std::string &bytes) {
    Digest d;
    for (const char c : bytes) {
        d.add(static_cast<unsigned char>(c));
    }
    return d.value;
}

// Every seventh Mach number against every third height ratio, Mach one, and
// subsonic Mach numbers typed in, which the bar does not reach.
std::vector<std::pair<int, int>> samplePairs() {
    std::vector<int> machs;
    for (int m = 10; m < 100; m += 15) {
        machs.push_back(m);
    }
    for (int m = 101; m <= 200; m += 7) {
        machs.push_back(m);
    }
    std::vector<std::pair<int, int>> pairs{{100, 5}};
    for (const int m : machs) {
        for (int h = 1; h <= 20; h += 3) {
            pairs.emplace_back(m, h);
        }
    }
    return pairs;
}

int exports(int only) {
    const PictureFrame flowFrame{329, 163, u"Akım çizgileri", 129, 152, 65, 11, 11};
    const PictureFrame pressureFrame{333, 141, u"Duvar üzerinde basınç", 0, 128, 217, 13, 11};
    int number = 0;
    for (const auto &[m, h] : samplePairs()) {
        if (only >= 0 && number != only) {
            ++number;
            continue;
        }
        Rig rig;
        rig.boxes.moo = m <= 100 ? numberToText(m / 100.0) : u"1.5";
        rig.model.HScroll_HbL_Change(static_cast<std::int16_t>(h));
        if (m > 100) {
            rig.model.HScroll_Moo_Change(static_cast<std::int16_t>(m));
        }
        const FlowState &state = rig.model.state();
        if (only >= 0) {
            std::printf("%s%s", flowCsv(state).c_str(), pressureCsv(state).c_str());
            return 0;
        }
        std::printf("%d %d %d svg %016" PRIx64 " %016" PRIx64 " csv %016" PRIx64 " %016" PRIx64
                    "\n",
                    number++, m, h, digestOf(plotSvg(rig.flow.display.lines(), flowFrame)),
                    digestOf(plotSvg(rig.pressure.display.lines(), pressureFrame)),
                    digestOf(flowCsv(state)), digestOf(pressureCsv(state)));
    }
    return 0;
}

} // namespace
} // namespace wavywall

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "--exports") == 0) {
        return wavywall::exports(-1);
    }
    if (argc > 2 && std::strcmp(argv[1], "--export") == 0) {
        return wavywall::exports(std::atoi(argv[2]));
    }
    if (argc > 1 && std::strcmp(argv[1], "--doubles") == 0) {
        return wavywall::doubles();
    }
    if (argc > 2 && std::strcmp(argv[1], "--case") == 0) {
        return wavywall::allCases(std::atoi(argv[2]));
    }
    return wavywall::allCases(-1);
}
