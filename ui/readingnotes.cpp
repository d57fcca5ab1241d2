#include "ui/readingnotes.h"

#include "ui/layouttable.h"

#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace wavywall {

namespace {

using notes = windows::ReadingNotes;

QLabel *makeNote(QWidget &client, std::u16string_view name, TwipRect twips, double dotsPerInch) {
    auto *label = new QLabel(&client);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(*label, name, twips, dotsPerInch);
    label->hide();
    return label;
}

// The note starts with the box's name, as a screen reader names the box.
void showNote(QLabel &label, QLineEdit &box, const std::u16string &note) {
    const QString text = QString::fromStdU16String(note);
    box.setAccessibleDescription(text);
    label.setText(text.isEmpty() ? QString() : box.accessibleName() + u": "_s + text);
    label.setAccessibleName(label.text());
    label.setVisible(!text.isEmpty());
}

} // namespace

ReadingNotes::ReadingNotes(QWidget &client, double dotsPerInch, QLineEdit &mooBox,
                           QLineEdit &hblBox, Messenger &next)
    : m_mooNote(
          makeNote(client, notes::Label_MooNote::name, notes::Label_MooNote::twips, dotsPerInch))
    , m_hblNote(
          makeNote(client, notes::Label_HbLNote::name, notes::Label_HbLNote::twips, dotsPerInch))
    , m_mooBox(mooBox)
    , m_hblBox(hblBox)
    , m_next(next) {}

void ReadingNotes::update() {
    const Recalculation *last =
        m_model && m_model->lastRecalculation() ? &*m_model->lastRecalculation() : nullptr;
    showNote(*m_mooNote, m_mooBox, last ? last->mooNote : std::u16string());
    showNote(*m_hblNote, m_hblBox, last ? last->hblNote : std::u16string());
}

// A message is the last thing a recalculation does: its readings are known.
void ReadingNotes::MsgBox(std::u16string_view text) {
    update();
    m_next.MsgBox(text);
}

} // namespace wavywall
