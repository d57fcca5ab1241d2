// The core on its own, wherever it builds (natively without Qt, and as
// WebAssembly under node): correctly rounded reading and '.'-writing under a
// comma locale, the display list that every front end paints, the refusal of
// flow states the point tables cannot hold, and each plot's finiteness guard.
#include "canvas/displaylist.h"
#include "model/flowplot.h"
#include "model/pressureplot.h"
#include "model/textnumber.h"
#include "tests/core/check.h"
#include "tests/support/fakes.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#if !defined(NDEBUG) && !defined(__EMSCRIPTEN__)
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace wavywall;
using wavywall::testing::loadedState;

namespace {

struct Reading {
    std::u16string_view text;
    double expected;
};

// Values whose bits a C library with a rounding fault gets wrong: halfway
// cases, the edge of the subnormals, long mantissas, and whole numbers wider
// than a double's 53 bits.
const Reading readings[] = {
    {u"1.01", 1.01},
    {u"0.1", 0.1},
    {u"2.2250738585072011e-308", 2.2250738585072011e-308},
    {u"9007199254740993", 9007199254740992.0},
    {u"9007199254740995", 9007199254740996.0},
    {u"1.7976931348623157e308", DBL_MAX},
    {u"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
    {u"0.30000000000000001666", 0.30000000000000004},
    {u"&HFFFFFFFFFFFFFFFFFF", 4722366482869645213696.0},
    {u"&H20000000000001", 9007199254740992.0},
    {u"&H20000000000003", 9007199254740996.0},
    {u"&O777", 511.0},
    {u"123456789012345e-22", 123456789012345e-22},
    {u"999999999999999e22", 999999999999999e22},
    {u"1e23", 1e23},
    {u"0.000000000000000000000012345", 1.2345e-23},
    {u"8.98846567431158e307", 8.98846567431158e307},
    {u" 1.5abc", 1.5},
    {u"1,5", 1.0},
};

void readingRoundsCorrectly() {
    for (const Reading &r : readings) {
        const std::optional<double> value = textToNumber(r.text);
        CHECK(value && std::memcmp(&*value, &r.expected, sizeof(double)) == 0);
    }
    CHECK(!textToNumber(u"1.8e308"));
    CHECK(!textToNumber(u"&H" + std::u16string(300, u'F')));
}

// Text pasted from a PDF or a web page: look-alikes read as what they look
// like, Unicode spaces and invisible marks as blanks; every other character
// keeps its meaning.
const Reading pasted[] = {
    {u"\u22121.2", -1.2},                  // minus sign
    {u"\uFF11\uFF0E\uFF15", 1.5},          // full-width digits and point
    {u"\uFF0D\uFF10\uFF0E\uFF15", -0.5},   // full-width minus
    {u"\uFF0B\uFF12e\u22122", 0.02},       // full-width plus, minus in the exponent
    {u"\u00A01.5", 1.5},                   // no-break space
    {u"1\u202F000\u2009.\u200A5", 1000.5}, // narrow, thin and hair spaces
    {u"\u3000\u200B\uFEFF2\u2060", 2.0},   // ideographic space, zero-width marks
    {u"\u200E\u22121\u200F", -1.0},        // direction marks
    {u"1,5", 1.0},                         // a comma still ends the number
    {u"1\uFF0C5", 1.0},                    // and so does a full-width comma
    {u"\u20131", 0.0},                     // an en dash is no minus
    {u"\u0661", 0.0},                      // nor an Arabic-Indic digit a digit
};

void pastedLookAlikesReadAsTheyLook() {
    for (const Reading &r : pasted) {
        CHECK(textToNumber(r.text) == r.expected);
    }
}

// A process whose locale writes a comma (as a desktop toolkit sets it from
// the environment) still reads and writes the point.
void commaLocaleKeepsThePoint() {
    const char *comma = nullptr;
    for (const char *name : {"de_DE.UTF-8", "tr_TR.UTF-8", "fr_FR.UTF-8"}) {
        if ((comma = std::setlocale(LC_ALL, name)) != nullptr) {
            break;
        }
    }
    const bool writesComma = comma && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    CHECK(numberToText(1.5) == u"1.5");
    CHECK(numberToText(1.0 / 3) == u"0.333333333333333");
    CHECK(numberToText(0.00001) == u"1E-05");
    CHECK(textToNumber(u"1.5") == 1.5);
    CHECK(textToNumber(u"1,5") == 1.0);
    std::setlocale(LC_ALL, "C");
    if (!writesComma) {
        std::printf("  note: no comma locale on this system; checked under the C locale\n");
    }
}

UnitLine unit(double u1, double v1, double u2, double v2) {
    return {{u1, v1}, {u2, v2}};
}

bool same(const UnitLine &a, const UnitLine &b) {
    return a.from == b.from && a.to == b.to;
}

// The flow picture's scale: the user point (0, 0) lies at (0.05, 0.9) of the
// drawing area. A line reaching above the top edge is cut there; one wholly
// left of the area leaves nothing; Cls forgets every line.
void displayListKeepsVisiblePieces() {
    DisplayList list;
    list.Cls();
    list.Scale(-0.2, -1.8, 3.8, 0.2);
    list.Line(0, -2, 0, 0.1f, colours::grey);
    list.Line(-1, 0, -0.5f, 0, colours::red);
    list.Line(0, 0, 2, 0, colours::blue);
    CHECK(list.lines().size() == 2);
    if (list.lines().size() == 2) {
        const double v = (static_cast<double>(0.1f) + 1.8) / 2;
        CHECK(same(list.lines()[0].line, unit(0.05, 0, 0.05, v)));
        CHECK(list.lines()[0].colour == colours::grey);
        CHECK(same(list.lines()[1].line, unit(0.05, 0.9, 0.55, 0.9)));
        CHECK(list.lines()[1].colour == colours::blue);
    }
    list.Cls();
    CHECK(list.lines().empty());
}

bool refusesToDraw(const FlowState &flow) {
    RecordingCanvas canvas;
    testing::MessageLog messages;
    int refusals = 0;
    try {
        akım_çiz(flow, canvas);
    } catch (const std::invalid_argument &) {
        ++refusals;
    }
    try {
        basınç_çiz(flow, canvas, messages);
    } catch (const std::invalid_argument &) {
        ++refusals;
    }
    return refusals == 2 && canvas.operations().empty() && messages.shown.empty();
}

#if defined(NDEBUG)
// More intervals than the point tables hold, or a state the load handler has
// not set (N = 0 would divide by zero and draw lines of NaN), stop the plots
// before they draw anything.
void unloadedOrOversizedStatesAreRefused() {
    FlowState tooMany = loadedState(1, 0.1);
    tooMany.N = maxIntervals + 1;
    CHECK(refusesToDraw(tooMany));
    CHECK(refusesToDraw(FlowState{}));
    testing::ModelRig rig;
    FlowModel unloaded(rig.boxes, rig.flowCanvas, rig.pressureCanvas, rig.messages);
    bool refused = false;
    try {
        unloaded.Command1_Click();
    } catch (const std::invalid_argument &) {
        refused = true;
    }
    CHECK(refused && rig.flowCanvas.lines().empty() && rig.pressureCanvas.lines().empty());
}
#elif !defined(__EMSCRIPTEN__)
// In a debug build the same states stop the program at an assertion.
void unloadedOrOversizedStatesAreRefused() {
    FlowState tooMany = loadedState(1, 0.1);
    tooMany.N = maxIntervals + 1;
    for (const FlowState &flow : {tooMany, FlowState{}}) {
        const pid_t child = fork();
        if (child == 0) {
            // The assertion's report is expected; keep it out of the log.
            std::freopen("/dev/null", "w", stderr);
            refusesToDraw(flow);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        CHECK(WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT);
    }
}
#endif

// Each guard passes the inputs its plot draws finitely and stops the ones
// whose coordinates would overflow: the flow picture shifts points by Beta
// times H, the pressure curve scales by 4 pi H / Beta.
void guardsStandBesideTheirPlots() {
    const double Pi = std::atan(1.0) * 4;
    const double huge = DBL_MAX / 4;
    CHECK(flowPictureStaysFinite(std::sqrt(3.0), 0.2));
    CHECK(flowPictureStaysFinite(0, 1e300));
    CHECK(!flowPictureStaysFinite(1e160, 1e160));
    CHECK(!flowPictureStaysFinite(huge, 0));
    CHECK(!flowPictureStaysFinite(std::numeric_limits<double>::infinity(), 0));
    CHECK(pressureCurveStaysFinite(0.141774468788, 0.01, Pi));
    CHECK(pressureCurveStaysFinite(0, 1e300, Pi));
    CHECK(!pressureCurveStaysFinite(1e-300, 1e10, Pi));
    CHECK(!pressureCurveStaysFinite(1, huge, Pi));
}

const check::Case cases[] = {
    {"reading rounds correctly", readingRoundsCorrectly},
    {"pasted look-alikes read as they look", pastedLookAlikesReadAsTheyLook},
    {"a comma locale keeps the point", commaLocaleKeepsThePoint},
    {"the display list keeps the visible pieces", displayListKeepsVisiblePieces},
#if defined(NDEBUG) || !defined(__EMSCRIPTEN__)
    {"unloaded or oversized states are refused", unloadedOrOversizedStatesAreRefused},
#endif
    {"each guard stands beside its plot", guardsStandBesideTheirPlots},
};

} // namespace

int main() {
    return check::runAll(cases);
}
