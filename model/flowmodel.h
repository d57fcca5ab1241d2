// The main window's flow model: owns the flow state, and turns each of the
// three user actions (the calculate button, either scroll bar) into one
// recalculation that redraws the flow picture and then the pressure plot.
//
// A Mach number below one draws the subsonic wall instead. Inputs that make
// no picture never reach the plots: a Mach number read as 0, or a number or
// result beyond the range of a double, clears both plots and says so; Beta
// and H keep their previous values.
#pragma once

#include "canvas/canvas.h"
#include "model/flowstate.h"
#include "model/inputboxes.h"
#include "model/layers.h"
#include "model/messenger.h"
#include "model/textnumber.h"
#include "model/validity.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace wavywall {

/// What a recalculation worked with: the inputs it read and, when it drew
/// nothing, the message it gave instead. Screen readers are told from it what
/// the plots show.
struct Recalculation {
    /// The inputs as read; empty when a text lay beyond the range of a double.
    std::optional<double> Moo;
    std::optional<double> HbL;
    /// The message of a refused recalculation, which cleared both plots;
    /// empty when it drew them (Mach one draws the flow picture and the
    /// pressure plot's axes).
    std::u16string_view refusal;
    /// Where linear theory holds for these inputs; empty when refused.
    std::optional<Validity> validity;
    /// The notes for texts read only in part (partialReadingNote), one a
    /// box; empty where the whole text was read or a bar gave the value.
    std::u16string mooNote;
    std::u16string hblNote;
};

class FlowModel {
public:
    FlowModel(InputBoxes &inputs, Canvas &flowCanvas, Canvas &pressureCanvas, Messenger &messenger);

    /// Sets the constants of the flow state; draws nothing.
    void Form_Load();

    /// Recalculates from the texts of both boxes.
    void Command1_Click();
    /// Recalculates with Moo from the bar position, writing it into its box.
    void HScroll_Moo_Change(std::int16_t position);
    /// Recalculates with HbL from the bar position, writing it into its box.
    void HScroll_HbL_Change(std::int16_t position);

    const FlowState &state() const { return m_state; }
    /// True once a recalculation has stored Beta and H.
    bool hasFlow() const { return m_hasFlow; }
    /// The last recalculation, once there has been one.
    const std::optional<Recalculation> &lastRecalculation() const { return m_last; }
    /// True once a recalculation has drawn the plots and the last one did not
    /// refuse: then there are results to save, copy or print.
    bool hasResults() const { return m_last && m_last->refusal.empty(); }

    /// Draws the second-order Cp into the given layer of the pressure plot
    /// from now on, at once from the last drawn flow; with nullptr, no
    /// longer. The caller clears the layer it stops passing.
    void setSecondOrderLayer(Canvas *layer);

    /// Draws the exact simple wave into the given layers of the flow picture
    /// and the pressure plot from now on, at once from the last drawn flow;
    /// with nullptr for both, no longer. The caller clears the layers it
    /// stops passing.
    void setExactLayers(Canvas *flowLayer, Canvas *pressureLayer);

    /// The layers drawn from now on, in painting order: what every output
    /// of the plots carries besides them.
    Layers layersShown() const;

private:
    NumberReading read(Input box) const;
    NumberReading fromPosition(Input box, std::int16_t position);
    void recalculate(const NumberReading &Moo, const NumberReading &HbL);
    void refuse(std::u16string_view message);
    void store(double Beta, double BetaPrime, double H);
    void redraw();
    void drawSecondOrder();
    void drawExact();

    InputBoxes &m_inputs;
    Canvas &m_flowCanvas;
    Canvas &m_pressureCanvas;
    Messenger &m_messenger;
    Canvas *m_secondOrderLayer = nullptr;
    Canvas *m_exactFlowLayer = nullptr;
    Canvas *m_exactPressureLayer = nullptr;
    FlowState m_state;
    bool m_hasFlow = false;
    std::optional<Recalculation> m_last;
};

} // namespace wavywall
