// The two input texts held in memory, for a flow model without a window: the
// command line that writes files, the web page's core (which the page fills
// from its own boxes) and the tests. They start as the window's boxes do.
#pragma once

#include "model/inputboxes.h"
#include "windowdescription.h"

#include <string>
#include <string_view>

namespace wavywall {

class HeldInputs final : public InputBoxes {
public:
    std::u16string moo{windows::Form1::Text_Moo::text};
    std::u16string hbl{windows::Form1::Text_HbL::text};

    std::u16string text(Input box) const override { return box == Input::Moo ? moo : hbl; }
    void setText(Input box, std::u16string_view text) override { at(box) = text; }
    std::u16string &at(Input box) { return box == Input::Moo ? moo : hbl; }
};

} // namespace wavywall
