// Keeps the two plot boxes' descriptions in step with the flow model while a
// screen reader listens. Putting a plot into words costs more than computing
// the plot (the extreme Cp, its places, the sign changes, each number written
// out), so with no reader active nothing is described; when one becomes
// active, the plots are described as they stand.
#pragma once

#include <QAccessible>

class QWidget;

namespace wavywall {

class FlowModel;

class PlotDescriber final : public QAccessible::ActivationObserver {
public:
    PlotDescriber(const FlowModel &model, QWidget &flowBox, QWidget &pressureBox);
    ~PlotDescriber() override;
    PlotDescriber(const PlotDescriber &) = delete;
    PlotDescriber &operator=(const PlotDescriber &) = delete;

    /// After each recalculation: gives the boxes the words for what the
    /// model's last recalculation drew (before any, that they are empty) and
    /// tells the reader so, even when the words are the same.
    void update();

    void accessibilityActiveChanged(bool active) override;

private:
    const FlowModel &m_model;
    QWidget &m_flowBox;
    QWidget &m_pressureBox;
    bool m_listening;
};

} // namespace wavywall
