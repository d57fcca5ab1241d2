// Fuzzes whole recalculations: two arbitrary texts (UTF-8, split at the first
// 0xFF byte, which UTF-8 never uses) go into the Mach number and wave height
// boxes, and each of the three actions (the button, the Mach bar, the height
// bar) recalculates from them onto a recording canvas and a plot box. Every
// outcome must be one the program promises: a complete picture of finite
// lines, or one of its messages over cleared plots.
#include "model/flowmodel.h"
#include "model/flowplot.h"
#include "model/messenger.h"
#include "model/pressureplot.h"
#include "tests/support/fakes.h"
#include "tests/support/numberoracle.h"
#include "tests/support/recordingcanvas.h"
#include "tests/support/teecanvas.h"
#include "ui/picturebox.h"

#include <QApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

using namespace wavywall;

namespace {

using Boxes = HeldInputs;
using Log = MessageList;

struct Screen {
    std::unique_ptr<QApplication> app;
    std::unique_ptr<PictureBox> flowBox;
    std::unique_ptr<PictureBox> pressureBox;
};

Screen &screen() {
    static Screen s;
    return s;
}

[[noreturn]] void fail(const char *what, const Boxes &texts) {
    std::fprintf(stderr, "%s\n  Moo text: \"%s\"\n  HbL text: \"%s\"\n", what,
                 qPrintable(QString::fromStdU16String(texts.moo).left(200)),
                 qPrintable(QString::fromStdU16String(texts.hbl).left(200)));
    std::abort();
}

void require(bool condition, const char *what, const Boxes &texts) {
    if (!condition) {
        fail(what, texts);
    }
}

bool finite(const RecordedLine &l) {
    return std::isfinite(l.x1) && std::isfinite(l.y1) && std::isfinite(l.x2) && std::isfinite(l.y2);
}

bool insideBox(UnitPoint p) {
    return p.u >= 0 && p.u <= 1 && p.v >= 0 && p.v <= 1;
}

struct Run {
    Boxes texts;
    RecordingCanvas flow;
    RecordingCanvas pressure;
    Log log;
};

bool shownOnly(const Log &log, std::u16string_view message) {
    return log.shown.size() == 1 && log.shown.front() == message;
}

void checkRefused(const Run &run, std::u16string_view message) {
    require(shownOnly(run.log, message), "wrong message for refused input", run.texts);
    require(run.flow.lines().empty() && run.pressure.lines().empty(),
            "refused input left lines on a plot", run.texts);
    require(screen().flowBox->displayList().empty() && screen().pressureBox->displayList().empty(),
            "refused input left lines in a plot box", run.texts);
}

// The plots narrow their points to single precision with saturation, so an
// overflow in double would still draw finite lines; the points themselves
// must be finite. Only the wall's and the streamlines' columns are filled.
bool tablesFinite(const FlowState &state) {
    const StreamlineTables curves = streamlineTables(state);
    for (int i = 0; i <= state.N; ++i) {
        for (int j = 0; j <= streamlineCount; ++j) {
            if (!std::isfinite(curves.Xs[i][j]) || !std::isfinite(curves.Ys[i][j])) {
                return false;
            }
        }
    }
    if (!isSubsonic(state) && state.Beta == 0) {
        return true;
    }
    const PressureTables pressure = pressureTables(state);
    const auto finite = [](double v) { return std::isfinite(v); };
    return std::all_of(pressure.Xw.begin(), pressure.Xw.end(), finite) &&
           std::all_of(pressure.Cp.begin(), pressure.Cp.end(), finite);
}

void checkDrawn(const Run &run, double Moo, double H, const FlowState &state) {
    const Boxes &t = run.texts;
    const bool subsonic = std::abs(Moo) < 1;
    require(subsonic ? state.BetaPrime == std::sqrt(1 - std::pow(Moo, 2))
                     : state.Beta == std::sqrt(std::pow(Moo, 2) - 1) && state.BetaPrime == 0,
            "stored flow state differs from the inputs", t);
    require(state.H == H, "stored wave height differs from the input", t);
    require(run.flow.lines().size() == (subsonic ? 902u : 911u),
            "flow picture has the wrong number of lines", t);
    require(tablesFinite(state), "a computed point is not finite", t);
    if (!subsonic && state.Beta == 0) {
        require(run.pressure.lines().size() == 2, "Mach one drew a pressure curve", t);
        require(shownOnly(run.log, messages::machOne), "Mach one without its message", t);
    } else {
        require(run.pressure.lines().size() == 102, "pressure plot is not 102 lines", t);
        require(run.log.shown.empty(), "a drawn picture came with a message", t);
    }
    for (const RecordingCanvas *canvas : {&run.flow, &run.pressure}) {
        for (const RecordedLine &l : canvas->lines()) {
            require(finite(l), "a drawn coordinate is not finite", t);
        }
    }
    for (const PictureBox *box : {screen().flowBox.get(), screen().pressureBox.get()}) {
        for (const PictureBox::PlotLine &l : box->displayList()) {
            require(insideBox(l.line.from) && insideBox(l.line.to),
                    "a kept line leaves the plot box", t);
        }
    }
}

// What the outcome must be, from the inputs as the oracle reads them.
void checkOutcome(const Run &run, std::optional<double> Moo, std::optional<double> H,
                  const FlowModel &model) {
    if (!Moo || !H) {
        checkRefused(run, messages::tooLarge);
        return;
    }
    if (*Moo == 0) {
        checkRefused(run, messages::machZero);
        return;
    }
    if (!run.log.shown.empty() && run.log.shown.front() == messages::tooLarge) {
        // Only inputs whose plotted sizes approach the end of the double range
        // may be refused as too large.
        require(std::abs(*Moo) >= 1e150 || std::abs(*H) >= 1e150,
                "a drawable input was refused as too large", run.texts);
        checkRefused(run, messages::tooLarge);
        return;
    }
    checkDrawn(run, *Moo, *H, model.state());
}

enum class Action { Button, MachBar, HeightBar };

void recalculate(Action action, const std::u16string &moo, const std::u16string &hbl) {
    Run run;
    run.texts.moo = moo;
    run.texts.hbl = hbl;
    // One run checks both what was asked and what the plot box kept.
    testing::TeeCanvas flow(run.flow, *screen().flowBox);
    testing::TeeCanvas pressure(run.pressure, *screen().pressureBox);
    FlowModel model(run.texts, flow, pressure, run.log);
    model.Form_Load();
    std::optional<double> Moo = fuzz::oracleNumber(moo);
    std::optional<double> HbL = fuzz::oracleNumber(hbl);
    switch (action) {
    case Action::Button:
        model.Command1_Click();
        break;
    case Action::MachBar:
        model.HScroll_Moo_Change(150);
        Moo = 1.5;
        require(run.texts.moo == u"1.5" && run.texts.hbl == hbl,
                "the Mach bar wrote the wrong text", run.texts);
        break;
    case Action::HeightBar:
        model.HScroll_HbL_Change(10);
        HbL = 0.1;
        require(run.texts.hbl == u"0.1" && run.texts.moo == moo,
                "the height bar wrote the wrong text", run.texts);
        break;
    }
    checkOutcome(run, Moo, HbL, model);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt keeps its arguments for the whole run and would take out the ones it
    // knows; the fuzzer's own stay untouched.
    static int qtArgc = *argc > 0 ? 1 : 0;
    static char *qtArgv[] = {*argc > 0 ? (*argv)[0] : nullptr, nullptr};
    Screen &s = screen();
    s.app = std::make_unique<QApplication>(qtArgc, qtArgv);
    s.flowBox = std::make_unique<PictureBox>();
    s.pressureBox = std::make_unique<PictureBox>();
    // The fuzzer ends through exit(). Handlers registered now run before the
    // destructors of Qt's own statics, which the application still needs.
    std::atexit([] {
        Screen &s = screen();
        s.pressureBox.reset();
        s.flowBox.reset();
        s.app.reset();
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const char *bytes = reinterpret_cast<const char *>(data);
    std::size_t split = 0;
    while (split < size && data[split] != 0xFF) {
        ++split;
    }
    const std::u16string moo =
        QString::fromUtf8(bytes, static_cast<qsizetype>(split)).toStdU16String();
    const std::u16string hbl =
        split < size
            ? QString::fromUtf8(bytes + split + 1, static_cast<qsizetype>(size - split - 1))
                  .toStdU16String()
            : std::u16string();
    for (const Action action : {Action::Button, Action::MachBar, Action::HeightBar}) {
        recalculate(action, moo, hbl);
    }
    return 0;
}
