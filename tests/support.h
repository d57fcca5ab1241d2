// Stand-ins for the window around the flow model: text boxes held as plain
// strings and a message box that only records what it was asked to show.
#pragma once

#include "canvas/recordingcanvas.h"
#include "model/flowmodel.h"
#include "model/inputboxes.h"
#include "model/messenger.h"

#include <QString>
#include <QStringList>

#include <cmath>

namespace wavywall::testing {

class TextBoxes final : public InputBoxes {
public:
    QString moo = QStringLiteral("1.01");
    QString hbl = QStringLiteral("0.01");

    QString text(Input box) const override { return box == Input::Moo ? moo : hbl; }
    void setText(Input box, const QString &text) override {
        (box == Input::Moo ? moo : hbl) = text;
    }
};

class MessageLog final : public Messenger {
public:
    QStringList shown;
    void MsgBox(const QString &text) override { shown.append(text); }
};

/// A flow model wired to recording canvases, loaded as the window loads it.
struct ModelRig {
    TextBoxes boxes;
    RecordingCanvas flowCanvas;
    RecordingCanvas pressureCanvas;
    MessageLog messages;
    FlowModel model{boxes, flowCanvas, pressureCanvas, messages};

    ModelRig() { model.Form_Load(); }
};

/// A flow state as the load handler leaves it, with the given Beta and H.
inline FlowState loadedState(double Beta, double H) {
    FlowState s;
    s.Pi = std::atan(1.0) * 4;
    s.TwoPi = 2 * s.Pi;
    s.N = 100;
    s.L = 1;
    s.Beta = Beta;
    s.H = H;
    return s;
}

/// Relative agreement to about twelve significant digits.
inline bool agrees12(double actual, double expected) {
    return std::abs(actual - expected) <= 5e-12 * std::max(std::abs(expected), 1e-300);
}

} // namespace wavywall::testing
