// The recalculation behind the button and the two scroll bars: what it reads,
// what it writes back, what it stores, and what it refuses.
#include "model/flowplot.h"
#include "model/pressureplot.h"
#include "tests/core/check.h"
#include "tests/support/fakes.h"

#include <cmath>
#include <stdexcept>

#if !defined(NDEBUG) && !defined(__EMSCRIPTEN__)
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace wavywall;
using wavywall::testing::agrees12;
using wavywall::testing::loadedState;
using wavywall::testing::ModelRig;

namespace {

const std::u16string machOne{messages::machOne};
const std::u16string readAsZero{messages::machZero};
const std::u16string tooLarge{messages::tooLarge};

// The messages as the user reads them, each with its leading blank: the one
// place the tests write them out; all others take them from the core's table.
void messagesReadAsTheyAlwaysHave() {
    CHECK(machOne == u" Moo=1 için teori geçersiz");
    CHECK(readAsZero == u" Mach sayısı 0 olarak okundu");
    CHECK(tooLarge == u" Girilen değer çok büyük");
}

bool shownOnly(const ModelRig &rig, const std::u16string &message) {
    return rig.messages.shown == std::vector<std::u16string>{message};
}

void loadSetsConstantsOnly() {
    ModelRig rig;
    CHECK(rig.model.state().Pi == 3.141592653589793);
    CHECK(rig.model.state().TwoPi == 6.283185307179586);
    CHECK(rig.model.state().N == 100);
    CHECK(rig.model.state().L == 1);
    CHECK(!rig.model.hasFlow());
    CHECK(rig.flowCanvas.operations().empty() && rig.pressureCanvas.operations().empty());
}

struct Typed {
    std::u16string moo;
    std::u16string hbl;
    double Beta;
    double H;
};

const Typed typed[] = {
    {u"1.01", u"0.01", 0.141774468788, 0.01}, {u"1.5x", u"0.1", 1.11803398875, 0.1},
    {u" 2", u"0.2", 1.73205080757, 0.2},      {u"-1.01", u"0.01", 0.141774468788, 0.01},
    {u"1.5", u"", 1.11803398875, 0.0},        {u"2", u"-0.05", 1.73205080757, -0.05},
};

void buttonReadsBothBoxes() {
    for (const Typed &t : typed) {
        ModelRig rig;
        rig.boxes.moo = t.moo;
        rig.boxes.hbl = t.hbl;
        rig.model.Command1_Click();
        const std::string row = check::utf8(t.moo + u" " + t.hbl);
        CHECK_ROW(agrees12(rig.model.state().Beta, t.Beta), row);
        CHECK_ROW(rig.model.state().H == t.H, row);
        CHECK_ROW(rig.boxes.moo == t.moo && rig.boxes.hbl == t.hbl, row);
        CHECK_ROW(rig.messages.shown.empty(), row);
    }
}

struct BarStep {
    std::int16_t position;
    std::u16string_view text;
    double Beta;
};

const BarStep machBar[] = {
    {102, u"1.02", std::sqrt(std::pow(1.02, 2) - 1)},
    {150, u"1.5", 1.11803398875},
    {200, u"2", 1.73205080757},
};

void machBarWritesItsValue() {
    for (const BarStep &step : machBar) {
        ModelRig rig;
        rig.boxes.hbl = u"0.1";
        rig.model.HScroll_Moo_Change(step.position);
        CHECK_ROW(rig.boxes.moo == step.text, check::utf8(step.text));
        CHECK_ROW(agrees12(rig.model.state().Beta, step.Beta), check::utf8(step.text));
        CHECK_ROW(rig.model.state().H == 0.1, check::utf8(step.text));
    }
}

void heightBarReadsTypedMach() {
    ModelRig rig;
    rig.boxes.moo = u"1.5";
    rig.model.HScroll_HbL_Change(20);
    CHECK(rig.boxes.hbl == u"0.2" && rig.model.state().H == 0.2);
    CHECK(agrees12(rig.model.state().Beta, 1.11803398875));
    rig.model.HScroll_HbL_Change(1);
    CHECK(rig.boxes.hbl == u"0.01" && rig.model.state().H == 0.01);
}

void eachRecalculationRedrawsBothPlotsOnce() {
    ModelRig rig;
    rig.model.Command1_Click();
    rig.model.HScroll_Moo_Change(120);
    rig.model.HScroll_HbL_Change(5);
    CHECK(rig.flowCanvas.clearCount() == 3 && rig.pressureCanvas.clearCount() == 3);
    CHECK(rig.flowCanvas.lines().size() == 911 && rig.pressureCanvas.lines().size() == 102);
}

void machOneDrawsFlowThenRefusesPressure() {
    for (const std::u16string moo : {u"1", u"1,01", u"-1"}) {
        ModelRig rig;
        rig.boxes.moo = moo;
        rig.model.Command1_Click();
        CHECK_ROW(rig.model.state().Beta == 0.0, check::utf8(moo));
        CHECK_ROW(rig.flowCanvas.lines().size() == 911, check::utf8(moo));
        CHECK_ROW(rig.pressureCanvas.lines().size() == 2, check::utf8(moo));
        CHECK_ROW(shownOnly(rig, machOne), check::utf8(moo));
    }
}

struct Refused {
    std::u16string moo;
    std::u16string hbl;
    const std::u16string &message;
};

const Refused refused[] = {
    {u"", u"0.01", readAsZero},
    {u"abc", u"0.01", readAsZero},
    {u"0,8", u"0.01", readAsZero},
    {u"1E999", u"0.01", tooLarge},
    {u"-1E999", u"0.01", tooLarge},
    {u"2", u"1E999", tooLarge},
    {u"2", std::u16string(400, u'9'), tooLarge},
    {u"1e200", u"0.01", tooLarge},
    {u"1.0000000000000002", u"1e308", tooLarge},
    {u"1e150", u"1e200", tooLarge},
};

void refusedInputsClearAndKeepState() {
    for (const Refused &r : refused) {
        ModelRig rig;
        rig.model.Command1_Click();
        const FlowState before = rig.model.state();
        rig.boxes.moo = r.moo;
        rig.boxes.hbl = r.hbl;
        rig.model.Command1_Click();
        const std::string row = check::utf8(r.moo + u" " + r.hbl);
        CHECK_ROW(shownOnly(rig, r.message), row);
        CHECK_ROW(rig.model.state().Beta == before.Beta && rig.model.state().H == before.H, row);
        CHECK_ROW(rig.flowCanvas.clearCount() == 2 && rig.pressureCanvas.clearCount() == 2, row);
        CHECK_ROW(rig.flowCanvas.lines().empty() && rig.pressureCanvas.lines().empty(), row);
    }
}

bool allFinite(const RecordingCanvas &canvas) {
    for (const RecordedLine &l : canvas.lines()) {
        if (!std::isfinite(l.x1) || !std::isfinite(l.y1) || !std::isfinite(l.x2) ||
            !std::isfinite(l.y2)) {
            return false;
        }
    }
    return true;
}

void hugeButFiniteInputsAreDrawn() {
    const std::u16string inputs[][2] = {
        {u"1e30", u"0.01"}, {u"2", u"1e30"}, {u"1e100", u"1e100"}, {u"1.0000000000000002", u"0.2"}};
    for (const auto &[moo, hbl] : inputs) {
        ModelRig rig;
        rig.boxes.moo = moo;
        rig.boxes.hbl = hbl;
        rig.model.Command1_Click();
        const std::string row = check::utf8(moo + u" " + hbl);
        CHECK_ROW(rig.messages.shown.empty(), row);
        CHECK_ROW(rig.flowCanvas.lines().size() == 911, row);
        CHECK_ROW(rig.pressureCanvas.lines().size() == 102, row);
        CHECK_ROW(allFinite(rig.flowCanvas) && allFinite(rig.pressureCanvas), row);
    }
}

bool refusesToDraw(const FlowState &flow) {
    RecordingCanvas canvas;
    MessageList messages;
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

const check::Case cases[] = {
    {"the messages read as they always have", messagesReadAsTheyAlwaysHave},
    {"the load sets the constants only", loadSetsConstantsOnly},
    {"the button reads both boxes", buttonReadsBothBoxes},
    {"the Mach-number bar writes its value", machBarWritesItsValue},
    {"the height bar reads the typed Mach number", heightBarReadsTypedMach},
    {"each recalculation redraws both plots once", eachRecalculationRedrawsBothPlotsOnce},
    {"Mach one draws the flow, then refuses the pressure", machOneDrawsFlowThenRefusesPressure},
    {"refused inputs clear the plots and keep the state", refusedInputsClearAndKeepState},
    {"huge but finite inputs are drawn", hugeButFiniteInputsAreDrawn},
#if defined(NDEBUG) || !defined(__EMSCRIPTEN__)
    {"unloaded or oversized states are refused", unloadedOrOversizedStatesAreRefused},
#endif
};

} // namespace

int main() {
    return check::runAll(cases);
}
