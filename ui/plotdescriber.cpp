#include "ui/plotdescriber.h"

#include "model/plotdescription.h"

#include <QWidget>

namespace wavywall {

namespace {

// Qt tells the reader itself when the words change; new words that happen
// to equal the old ones still describe a new result, and are announced here.
void describe(QWidget &box, const std::u16string &text) {
    const QString words = QString::fromStdU16String(text);
    if (box.accessibleDescription() != words) {
        box.setAccessibleDescription(words);
        return;
    }
    QAccessibleEvent event(&box, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace

PlotDescriber::PlotDescriber(QWidget &flowBox, QWidget &pressureBox, Messenger &next)
    : m_flowBox(flowBox)
    , m_pressureBox(pressureBox)
    , m_next(next)
    , m_listening(QAccessible::isActive()) {
    QAccessible::installActivationObserver(this);
}

PlotDescriber::~PlotDescriber() {
    QAccessible::removeActivationObserver(this);
}

void PlotDescriber::follow(const FlowModel &model) {
    m_model = &model;
}

void PlotDescriber::update() {
    if (!m_listening || !m_model) {
        return;
    }
    const PlotDescriptions descriptions = describePlots(*m_model);
    describe(m_flowBox, descriptions.flow);
    describe(m_pressureBox, descriptions.pressure);
}

// A message is the last thing a recalculation does, so the plots are already
// drawn when it arrives.
void PlotDescriber::MsgBox(std::u16string_view text) {
    describePending();
    m_next.MsgBox(text);
}

void PlotDescriber::describePending() {
    if (m_pending) {
        m_pending = false;
        update();
    }
}

// The platform's accessibility bridge reports here when a reader starts or
// stops listening.
void PlotDescriber::accessibilityActiveChanged(bool active) {
    m_listening = active;
    update();
}

} // namespace wavywall
