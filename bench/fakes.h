// The window around the flow model, reduced to what a benchmark needs: two
// text boxes held as strings and a message box that shows nothing, so that
// millions of Mach-one recalculations leave no trace behind.
#pragma once

#include "model/inputboxes.h"
#include "model/messenger.h"

#include <QString>

#include <array>

namespace wavywall::bench {

class TextBoxes final : public InputBoxes {
public:
    QString moo;
    QString hbl;

    QString text(Input box) const override { return box == Input::Moo ? moo : hbl; }
    void setText(Input box, const QString &text) override {
        (box == Input::Moo ? moo : hbl) = text;
    }
};

class SilentMessenger final : public Messenger {
public:
    int shown = 0;
    void MsgBox(const QString &) override { ++shown; }
};

/// One pair of texts in the two boxes, and a name for the report.
struct FlowInput {
    const char *name;
    const char16_t *moo;
    const char16_t *hbl;
};

/// The window's initial texts, a fast flow over the tallest wave the bar
/// allows, and Mach one, where the pressure plot gives way to its message.
inline constexpr std::array<FlowInput, 3> flowInputs{{
    {"default", u"1.01", u"0.01"},
    {"Moo=2,HbL=0.2", u"2", u"0.2"},
    {"Moo=1", u"1", u"0.01"},
}};

} // namespace wavywall::bench
