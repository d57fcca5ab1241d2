// One recalculation as the calculate button runs it, from reading the two
// text boxes to both plot boxes painted into images of the size they have on
// screen, at device pixel ratio 1 and 2.
#include "bench/fakes.h"
#include "canvas/picturebox.h"
#include "model/flowmodel.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace wavywall;
using namespace wavywall::bench;

// The boxes' outer sizes in pixels at 96 dots per inch: 5000 x 2500 and
// 5055 x 2175 twips.
constexpr QSize flowBoxSize(333, 167);
constexpr QSize pressureBoxSize(337, 145);

// A plot box and the image it paints into, kept from one round to the next
// as a window keeps its backing store.
struct PaintedBox {
    PictureBox box;
    QImage image;

    PaintedBox(QSize size, int dpr)
        : image(size * dpr, QImage::Format_RGB32) {
        box.resize(size);
        image.setDevicePixelRatio(dpr);
    }

    void paint() {
        QPainter painter(&image);
        box.render(&painter);
    }
};

void BM_RecalculateAndPaint(benchmark::State &state) {
    const FlowInput &input = flowInputs[static_cast<std::size_t>(state.range(0))];
    const int dpr = static_cast<int>(state.range(1));
    TextBoxes boxes;
    boxes.moo = QString::fromUtf16(input.moo);
    boxes.hbl = QString::fromUtf16(input.hbl);
    PaintedBox flow(flowBoxSize, dpr);
    PaintedBox pressure(pressureBoxSize, dpr);
    SilentMessenger messenger;
    FlowModel model(boxes, flow.box, pressure.box, messenger);
    model.Form_Load();
    for (auto _ : state) {
        model.Command1_Click();
        flow.paint();
        pressure.paint();
        benchmark::DoNotOptimize(pressure.image.constBits());
    }
    state.SetLabel(
        QStringLiteral("%1,dpr=%2").arg(QLatin1StringView(input.name)).arg(dpr).toStdString());
}
BENCHMARK(BM_RecalculateAndPaint)
    ->ArgsProduct({benchmark::CreateDenseRange(0, static_cast<int>(flowInputs.size()) - 1, 1),
                   {1, 2}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
