// Every text the layout fixes shows whole. The layout gives each control a
// fixed rectangle, drawn for Qt's default font and grown with a larger
// desktop font (ui/layouttable.h); in a wider face, or at a resolution the
// platform does not scale for, a text could still be cut off by a pixel or
// two or, in a text box, scrolled so that its first digits vanish. Such a control gets the largest
// smaller size of its own face at which its one line of text fits, and keeps its font where it
// fits.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace wavywall {

/// The room for one line of text inside each kind of control, in
/// device-independent pixels: the label's contents; the text box's line
/// inside its frame and margins, less the cursor's pixel at the end; the
/// button's face inside its bevel.
QSizeF textRoom(const QLabel &label);
QSizeF textRoom(const QLineEdit &box);
QSizeF textRoom(const QPushButton &button);

/// The font itself where the text fits the room; otherwise the largest
/// smaller size of the same face, in quarter points and not below 6.5 pt, at
/// which its advance and its line height fit.
QFont fittingFont(const QFont &font, const QString &text, QSizeF room);

/// Keeps a text box's text whole as it changes: each new text gets the
/// largest size up to the box's present font at which it fits ("1.0001"
/// typed into a box laid out for "1.01" no longer scrolls to ".0001").
void keepTextWhole(QLineEdit &box);

/// Shrinks the control's font where its present text would not show whole.
void fitText(QLabel &label);
void fitText(QLineEdit &box);
void fitText(QPushButton &button);

} // namespace wavywall
