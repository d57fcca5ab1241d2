#include "ui/textboxinputs.h"

#include <QLineEdit>

namespace wavywall {

TextBoxInputs::TextBoxInputs(QLineEdit &mooBox, QLineEdit &hblBox)
    : m_mooBox(mooBox)
    , m_hblBox(hblBox) {}

std::u16string TextBoxInputs::text(Input box) const {
    return boxFor(box).text().toStdU16String();
}

void TextBoxInputs::setText(Input box, std::u16string_view text) {
    boxFor(box).setText(QStringView(text.data(), static_cast<qsizetype>(text.size())).toString());
}

QLineEdit &TextBoxInputs::boxFor(Input box) const {
    return box == Input::Moo ? m_mooBox : m_hblBox;
}

} // namespace wavywall
