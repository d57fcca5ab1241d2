// Keeps the two plot boxes' descriptions in step with the flow model while a
// screen reader listens. Putting a plot into words costs more than computing
// the plot (the extreme Cp, its places, the sign changes, each number written
// out), so with no reader active nothing is described; when one becomes
// active, the plots are described as they stand.
//
// The model's messages pass through the describer on their way to the
// message box: a recalculation that brings up a message is described before
// the box opens, so that the reader hears the new result while the box is
// up, not the previous one; and each recalculation is described once.
#pragma once

#include "model/messenger.h"

#include <QAccessible>

#include <string>

class QWidget;

namespace wavywall {

class FlowModel;

class PlotDescriber final : public QAccessible::ActivationObserver, public Messenger {
public:
    /// Messages go on to the next messenger once the plots are described.
    PlotDescriber(QWidget &flowBox, QWidget &pressureBox, Messenger &next);
    ~PlotDescriber() override;
    PlotDescriber(const PlotDescriber &) = delete;
    PlotDescriber &operator=(const PlotDescriber &) = delete;

    /// The model whose recalculations are put into words; given once, before
    /// the first description.
    void follow(const FlowModel &model);

    /// Runs one recalculation of the model and describes what it drew: before
    /// its message box opens, if it brings one up, otherwise when it ends.
    template <typename Recalculation> void recalculate(Recalculation &&recalculation) {
        m_pending = true;
        recalculation();
        describePending();
    }

    /// Gives the boxes the words for what the model's last recalculation drew
    /// (before any, that they are empty) and tells the reader so, with one
    /// description-changed event per plot, even when the words are the same.
    void update();

    void MsgBox(std::u16string_view text) override;
    void accessibilityActiveChanged(bool active) override;

private:
    void describePending();

    QWidget &m_flowBox;
    QWidget &m_pressureBox;
    Messenger &m_next;
    const FlowModel *m_model = nullptr;
    bool m_listening;
    bool m_pending = false;
};

} // namespace wavywall
