// The notes beside the main window's text boxes, under their frame: where a
// recalculation read a box's text only in part ("0,05" reads as 0), the note
// says so with the number read, in the core's words, and the box's
// accessible description carries it to a screen reader. A box read whole has
// no note. The model's messages pass through on their way to the message
// box, so that the note stands while the box is up: "1,5" reads as 1, and
// the note tells why the message speaks of Mach one.
#pragma once

#include "model/flowmodel.h"
#include "model/messenger.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace wavywall {

class ReadingNotes final : public Messenger {
public:
    /// Places the two notes in the window's client area; messages go on to
    /// the next messenger once the notes are shown.
    ReadingNotes(QWidget &client, double dotsPerInch, QLineEdit &mooBox, QLineEdit &hblBox,
                 Messenger &next);

    /// The model whose recalculations the notes follow; given once.
    void follow(const FlowModel &model) { m_model = &model; }

    /// Shows the notes of the model's last recalculation, none before any.
    void update();

    void MsgBox(std::u16string_view text) override;

private:
    QLabel *m_mooNote;
    QLabel *m_hblNote;
    QLineEdit &m_mooBox;
    QLineEdit &m_hblBox;
    Messenger &m_next;
    const FlowModel *m_model = nullptr;
};

} // namespace wavywall
