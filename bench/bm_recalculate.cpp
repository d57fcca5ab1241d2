// One recalculation as the calculate button runs it in the main window, from
// reading the two text boxes to both plot boxes painted into images, at
// device pixel ratio 1 and 2. The images stand for the window's backing
// store: they are kept from one round to the next, as the screen keeps them.
#include "bench/flowinputs.h"
#include "bench/spread.h"
#include "tests/support/fakes.h"
#include "tests/support/windowrig.h"
#include "ui/form1.h"
#include "ui/picturebox.h"

#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

using namespace wavywall;
using namespace wavywall::bench;

template <typename T> T &child(const Form1 &form, const QString &name) {
    T *found = form.findChild<T *>(name);
    if (!found) {
        qFatal("no control %s", qPrintable(name));
    }
    return *found;
}

// A plot box of the window and the image it paints into.
struct PaintedBox {
    PictureBox &box;
    QImage image;

    PaintedBox(PictureBox &box, int dpr)
        : box(box)
        , image(box.size() * dpr, QImage::Format_RGB32) {
        image.setDevicePixelRatio(dpr);
    }

    /// Paints the whole box, frame and all, as a window's first frame does.
    void paintWhole() { box.render(&image); }

    /// Paints what a recalculation leaves to repaint: the drawing area but
    /// for the title over it.
    void paintPlot() {
        const QRegion plot = box.plotRegion();
        box.render(&image, plot.boundingRect().topLeft(), plot);
    }
};

struct Window {
    testing::MessageCallback silent;
    Form1 form{&silent};
    QPushButton &button = child<QPushButton>(form, u"Command1"_s);
    PaintedBox flow;
    PaintedBox pressure;

    Window(const FlowInput &input, int dpr)
        : flow(child<PictureBox>(form, u"Picture_Akım"_s), dpr)
        , pressure(child<PictureBox>(form, u"Picture_basınç"_s), dpr) {
        child<QLineEdit>(form, u"Text_Moo"_s).setText(QString::fromUtf16(input.moo));
        child<QLineEdit>(form, u"Text_HbL"_s).setText(QString::fromUtf16(input.hbl));
        // The first paint loads fonts and fills caches, as the window's
        // first frame does, and the event loop then runs what that frame
        // left for later; a recalculation finds it all ready.
        flow.paintWhole();
        pressure.paintWhole();
        QCoreApplication::processEvents();
    }

    // Kept out of line so that a profile shows one round as one call.
    [[gnu::noinline]] void recalculateAndPaint() {
        button.click();
        flow.paintPlot();
        pressure.paintPlot();
    }
};

void BM_RecalculateAndPaint(benchmark::State &state) {
    const FlowInput &input = flowInputs[static_cast<std::size_t>(state.range(0))];
    const int dpr = static_cast<int>(state.range(1));
    Window window(input, dpr);
    for (auto _ : state) {
        window.recalculateAndPaint();
        benchmark::DoNotOptimize(window.pressure.image.constBits());
    }
    state.SetLabel(input.name + std::string(",dpr=") + std::to_string(dpr));
}
BENCHMARK(BM_RecalculateAndPaint)
    ->Apply(wavywall::bench::withSpread)
    ->ArgsProduct({benchmark::CreateDenseRange(0, static_cast<int>(flowInputs.size()) - 1, 1),
                   {1, 2}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
