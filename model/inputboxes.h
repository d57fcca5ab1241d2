// The two text boxes through which the recalculation reads its inputs and
// into which a scroll bar writes its value. Texts cross this boundary as
// UTF-16, the form the window's text boxes hold them in.
#pragma once

#include <string>
#include <string_view>

namespace wavywall {

enum class Input { Moo, HbL };

class InputBoxes {
public:
    virtual ~InputBoxes() = default;
    virtual std::u16string text(Input box) const = 0;
    virtual void setText(Input box, std::u16string_view text) = 0;

protected:
    InputBoxes() = default;
    InputBoxes(const InputBoxes &) = default;
    InputBoxes &operator=(const InputBoxes &) = default;
};

} // namespace wavywall
