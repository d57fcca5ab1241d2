// The main window's two text boxes as the flow model's inputs: the adapter
// that turns their QString texts into the UTF-16 texts the model reads.
#pragma once

#include "model/inputboxes.h"

class QLineEdit;

namespace wavywall {

class TextBoxInputs final : public InputBoxes {
public:
    TextBoxInputs(QLineEdit &mooBox, QLineEdit &hblBox);

    std::u16string text(Input box) const override;
    void setText(Input box, std::u16string_view text) override;

private:
    QLineEdit &boxFor(Input box) const;

    QLineEdit &m_mooBox;
    QLineEdit &m_hblBox;
};

} // namespace wavywall
