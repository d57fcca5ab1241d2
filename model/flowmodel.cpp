#include "model/flowmodel.h"

#include "model/flowplot.h"
#include "model/pressureplot.h"
#include "model/textnumber.h"

#include <cmath>
#include <limits>

namespace wavywall {

namespace {

// The largest sizes the plots form: Beta times the wave height (the Mach
// lines' start offsets and the streamlines' shifts), twice Beta (the Mach
// lines' run up to y = 2) and the pressure factor 4 pi H / Beta. A margin of
// eight keeps every sum of them finite too. An infinite Beta (a Mach number
// whose square overflows) fails the first test.
bool plotsStayFinite(double Beta, double H, double Pi) {
    constexpr double margin = 8;
    const double largest = std::numeric_limits<double>::max() / margin;
    const double absH = std::abs(H);
    if (Beta * absH > largest || Beta > largest || absH > largest) {
        return false;
    }
    return Beta == 0 || std::isfinite(4 * Pi / Beta * absH * margin);
}

} // namespace

FlowModel::FlowModel(InputBoxes &inputs, Canvas &flowCanvas, Canvas &pressureCanvas,
                     Messenger &messenger)
    : m_inputs(inputs)
    , m_flowCanvas(flowCanvas)
    , m_pressureCanvas(pressureCanvas)
    , m_messenger(messenger) {}

void FlowModel::Form_Load() {
    m_state.Pi = std::atan(1.0) * 4;
    m_state.TwoPi = 2 * m_state.Pi;
    m_state.L = 1;
    m_state.N = 100;
}

void FlowModel::Command1_Click() {
    const std::optional<double> HbL = read(Input::HbL);
    const std::optional<double> Moo = read(Input::Moo);
    recalculate(Moo, HbL);
}

void FlowModel::HScroll_Moo_Change(std::int16_t position) {
    const double Moo = fromPosition(Input::Moo, position);
    const std::optional<double> HbL = read(Input::HbL);
    recalculate(Moo, HbL);
}

void FlowModel::HScroll_HbL_Change(std::int16_t position) {
    const double HbL = fromPosition(Input::HbL, position);
    const std::optional<double> Moo = read(Input::Moo);
    recalculate(Moo, HbL);
}

std::optional<double> FlowModel::read(Input box) const {
    return textToNumber(m_inputs.text(box));
}

// The bar's position goes through its decimal text and back, which gives the
// same whole number, then becomes the input in hundredths.
double FlowModel::fromPosition(Input box, std::int16_t position) {
    const double value = *textToNumber(QString::number(position)) / 100;
    m_inputs.setText(box, numberToText(value));
    return value;
}

void FlowModel::recalculate(std::optional<double> Moo, std::optional<double> HbL) {
    if (!Moo || !HbL) {
        refuse(messages::tooLarge);
        return;
    }
    // Beta is real only for supersonic flow.
    if (std::abs(*Moo) < 1) {
        refuse(messages::subsonic);
        return;
    }
    const double Beta = std::sqrt(std::pow(*Moo, 2) - 1);
    const double H = *HbL * m_state.L;
    if (!plotsStayFinite(Beta, H, m_state.Pi)) {
        refuse(messages::tooLarge);
        return;
    }
    m_state.Beta = Beta;
    m_state.H = H;
    m_hasFlow = true;
    redraw();
}

void FlowModel::refuse(const QString &message) {
    m_flowCanvas.Cls();
    m_pressureCanvas.Cls();
    m_messenger.MsgBox(message);
}

void FlowModel::redraw() {
    akım_çiz(m_state, m_flowCanvas);
    basınç_çiz(m_state, m_pressureCanvas, m_messenger);
}

} // namespace wavywall
