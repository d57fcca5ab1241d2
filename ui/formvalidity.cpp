#include "ui/formvalidity.h"

#include "ui/accessibility.h"
#include "ui/layouttable.h"
#include "ui/smallwindow.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace wavywall {

namespace {
// The verdict is the longest line; the window is wide enough for most of it
// in the desktop's font and wraps the rest.
using validity = windows::Form_Validity;
} // namespace

Form_Validity::Form_Validity()
    : QWidget(nullptr, smallWindowFlags) {
    installAccessibility();
    setObjectName(toQString(validity::name));
    setWindowTitle(toQString(validity::caption));
    setAccessibleName(toQString(validity::caption));
    m_text = new QLabel(this);
    m_text->setObjectName(u"Form_Validity_text"_s);
    m_text->setAccessibleName(toQString(validity::accessibleName));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Reachable and readable from the keyboard: focus, then select and copy.
    m_text->setFocusPolicy(Qt::StrongFocus);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * validity::widthInCharacters);
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_text);
    column->setSizeConstraint(QLayout::SetMinimumSize);
    closeByKeyboard(*this);
}

void Form_Validity::showLines(const std::vector<std::u16string> &lines) {
    QStringList text;
    for (const std::u16string &line : lines) {
        text.append(QString::fromStdU16String(line));
    }
    m_text->setText(text.join(u'\n'));
    m_text->setAccessibleDescription(m_text->text());
    adjustSize();
}

} // namespace wavywall
