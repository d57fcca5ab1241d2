#include "ui/plotdescriber.h"

#include "model/plotdescription.h"

#include <QWidget>

namespace wavywall {

namespace {

void describe(QWidget &box, const std::u16string &text) {
    box.setAccessibleDescription(QString::fromStdU16String(text));
    QAccessibleEvent event(&box, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace

PlotDescriber::PlotDescriber(const FlowModel &model, QWidget &flowBox, QWidget &pressureBox)
    : m_model(model)
    , m_flowBox(flowBox)
    , m_pressureBox(pressureBox)
    , m_listening(QAccessible::isActive()) {
    QAccessible::installActivationObserver(this);
}

PlotDescriber::~PlotDescriber() {
    QAccessible::removeActivationObserver(this);
}

void PlotDescriber::update() {
    if (!m_listening) {
        return;
    }
    const PlotDescriptions descriptions = describePlots(m_model);
    describe(m_flowBox, descriptions.flow);
    describe(m_pressureBox, descriptions.pressure);
}

// The platform's accessibility bridge reports here when a reader starts or
// stops listening.
void PlotDescriber::accessibilityActiveChanged(bool active) {
    m_listening = active;
    update();
}

} // namespace wavywall
