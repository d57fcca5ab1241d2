// The windows are laid out from the one description of them
// (ui/windows.json, read here as the generated windowdescription.h): tables
// of rectangles in twips (1/1440 inch), the unit the layout was designed in,
// and the windows' texts. One function turns a table row into
// device-independent pixels for the screen at hand.
#pragma once

#include "windowdescription.h"

#include <QRect>
#include <QString>

#include <string_view>

class QWidget;

namespace wavywall {

using windows::TwipRect;

inline constexpr double twipsPerInch = 1440;

/// A text of the description as Qt holds it.
inline QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

/// Qt's own default font size, which a desktop without settings of its own
/// gets (the generic Unix theme's 9 pt); the layout's boxes are drawn for
/// text of that size.
inline constexpr double defaultPointSize = 9;

/// How much larger the desktop's font is than the default size, 1 when it
/// is not larger. Like dialog units, the whole layout grows by this ratio,
/// so that a large desktop font makes the windows larger rather than their
/// texts smaller, and every proportion stays.
double desktopFontScale();

/// The logical resolution a window's layout is laid out at: the screen's,
/// times the desktop's font scale.
double layoutDotsPerInch(const QWidget &window);

/// The rectangle in device-independent pixels at a logical resolution of
/// dotsPerInch. Edges are rounded, not sizes, so neighbours stay flush.
QRect toPixels(TwipRect twips, double dotsPerInch);

/// Places a control at its table rectangle, offset by its container's inner
/// origin, and names it for tests and screen readers.
void place(QWidget &control, std::u16string_view name, TwipRect twips, double dotsPerInch,
           QPoint origin = {});

} // namespace wavywall
