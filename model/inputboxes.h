// The two text boxes through which the recalculation reads its inputs and
// into which a scroll bar writes its value.
#pragma once

#include <QString>

namespace wavywall {

enum class Input { Moo, HbL };

class InputBoxes {
public:
    virtual ~InputBoxes() = default;
    virtual QString text(Input box) const = 0;
    virtual void setText(Input box, const QString &text) = 0;

protected:
    InputBoxes() = default;
    InputBoxes(const InputBoxes &) = default;
    InputBoxes &operator=(const InputBoxes &) = default;
};

} // namespace wavywall
