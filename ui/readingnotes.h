// The notes beside the main window's text boxes, under their frame: where a
// recalculation read a box's text only in part ("0,05" reads as 0), the note
// says so with the number read, in the core's words, and the box's
// accessible description carries it to a screen reader. A box read whole has
// no note.
#pragma once

#include "model/flowmodel.h"

#include <optional>

class QLabel;
class QLineEdit;
class QWidget;

namespace wavywall {

class ReadingNotes {
public:
    /// Places the two notes in the window's client area.
    ReadingNotes(QWidget &client, double dotsPerInch, QLineEdit &mooBox, QLineEdit &hblBox);

    /// Shows the notes of the last recalculation, none before any.
    void show(const std::optional<Recalculation> &last);

private:
    QLabel *m_mooNote;
    QLabel *m_hblNote;
    QLineEdit &m_mooBox;
    QLineEdit &m_hblBox;
};

} // namespace wavywall
