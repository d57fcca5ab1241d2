#include "model/flowmodel.h"

#include "model/flowplot.h"
#include "model/pressureplot.h"
#include "model/secondorder.h"
#include "model/simplewave.h"
#include "model/textnumber.h"
#include "windowdescription.h"

#include <charconv>
#include <cmath>
#include <iterator>

namespace wavywall {

namespace {

// Both plots must stay finite; each plot knows its own largest terms.
bool plotsStayFinite(double Beta, double H, double Pi) {
    return flowPictureStaysFinite(Beta, H) && pressureCurveStaysFinite(Beta, H, Pi);
}

// The decimal text of a bar position, as the reading rule would see it typed.
std::u16string decimalText(std::int16_t position) {
    char digits[8];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), position);
    return {std::begin(digits), end};
}

} // namespace

FlowModel::FlowModel(InputBoxes &inputs, Canvas &flowCanvas, Canvas &pressureCanvas,
                     Messenger &messenger)
    : m_inputs(inputs)
    , m_flowCanvas(flowCanvas)
    , m_pressureCanvas(pressureCanvas)
    , m_messenger(messenger) {}

// Pi as four times the arctangent of one, the classic way to get the double
// nearest to pi without writing its digits (docs/design.md).
void FlowModel::Form_Load() {
    m_state.Pi = std::atan(1.0) * 4;
    m_state.TwoPi = 2 * m_state.Pi;
    m_state.L = 1;
    m_state.N = 100;
}

// The height ratio is read before the Mach number: the order of the reads
// is part of the recalculation (docs/design.md).
void FlowModel::Command1_Click() {
    const NumberReading HbL = read(Input::HbL);
    const NumberReading Moo = read(Input::Moo);
    recalculate(Moo, HbL);
}

void FlowModel::HScroll_Moo_Change(std::int16_t position) {
    const NumberReading Moo = fromPosition(Input::Moo, position);
    const NumberReading HbL = read(Input::HbL);
    recalculate(Moo, HbL);
}

void FlowModel::HScroll_HbL_Change(std::int16_t position) {
    const NumberReading HbL = fromPosition(Input::HbL, position);
    const NumberReading Moo = read(Input::Moo);
    recalculate(Moo, HbL);
}

NumberReading FlowModel::read(Input box) const {
    return readNumber(m_inputs.text(box));
}

// The bar's position goes through its decimal text and back, which gives the
// same whole number, then becomes the input in hundredths (docs/design.md).
NumberReading FlowModel::fromPosition(Input box, std::int16_t position) {
    const double value = *textToNumber(decimalText(position)) / windows::positionsPerUnit;
    m_inputs.setText(box, numberToText(value));
    return {value};
}

void FlowModel::recalculate(const NumberReading &MooRead, const NumberReading &HbLRead) {
    const std::optional<double> Moo = MooRead.value;
    const std::optional<double> HbL = HbLRead.value;
    m_last =
        Recalculation{Moo, HbL, {}, {}, partialReadingNote(MooRead), partialReadingNote(HbLRead)};
    if (!Moo || !HbL) {
        refuse(messages::tooLarge);
        return;
    }
    if (*Moo == 0) {
        refuse(messages::machZero);
        return;
    }
    // Beta is real only for supersonic flow; below Mach one the disturbance
    // decays with sqrt(1 - Moo^2) instead.
    const bool subsonic = std::abs(*Moo) < 1;
    const double Beta = subsonic ? m_state.Beta : std::sqrt(std::pow(*Moo, 2) - 1);
    const double BetaPrime = subsonic ? std::sqrt(1 - std::pow(*Moo, 2)) : 0;
    const double H = *HbL * m_state.L;
    if (!plotsStayFinite(subsonic ? BetaPrime : Beta, H, m_state.Pi)) {
        refuse(messages::tooLarge);
        return;
    }
    store(Beta, BetaPrime, H);
    m_last->validity = assessValidity(*Moo, *HbL);
    redraw();
}

void FlowModel::store(double Beta, double BetaPrime, double H) {
    m_state.Beta = Beta;
    m_state.BetaPrime = BetaPrime;
    m_state.H = H;
    m_hasFlow = true;
}

void FlowModel::refuse(std::u16string_view message) {
    m_last->refusal = message;
    m_flowCanvas.Cls();
    m_pressureCanvas.Cls();
    if (m_secondOrderLayer) {
        m_secondOrderLayer->Cls();
    }
    if (m_exactFlowLayer) {
        m_exactFlowLayer->Cls();
        m_exactPressureLayer->Cls();
    }
    m_messenger.MsgBox(message);
}

// The layers are drawn before the pressure plot, whose message at
// Mach one must stay the last thing of the recalculation.
void FlowModel::redraw() {
    akım_çiz(m_state, m_flowCanvas);
    drawSecondOrder();
    drawExact();
    basınç_çiz(m_state, m_pressureCanvas, m_messenger);
}

void FlowModel::setSecondOrderLayer(Canvas *layer) {
    m_secondOrderLayer = layer;
    if (layer && hasResults()) {
        drawSecondOrder();
    }
}

// Both layers or none: the simple wave is one layer over both plots.
void FlowModel::setExactLayers(Canvas *flowLayer, Canvas *pressureLayer) {
    const bool on = flowLayer && pressureLayer;
    m_exactFlowLayer = on ? flowLayer : nullptr;
    m_exactPressureLayer = on ? pressureLayer : nullptr;
    if (on && hasResults()) {
        drawExact();
    }
}

Layers FlowModel::layersShown() const {
    Layers layers;
    if (m_secondOrderLayer) {
        layers.push_back(Layer::secondOrder);
    }
    if (m_exactFlowLayer) {
        layers.push_back(Layer::exact);
    }
    return layers;
}

void FlowModel::drawSecondOrder() {
    if (m_secondOrderLayer) {
        ikinci_mertebe_çiz(m_state, *m_secondOrderLayer);
    }
}

void FlowModel::drawExact() {
    if (m_exactFlowLayer) {
        basit_dalga_çiz(m_state, *m_exactFlowLayer, *m_exactPressureLayer);
    }
}

} // namespace wavywall
