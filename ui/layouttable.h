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

/// The rectangle in device-independent pixels at a logical resolution of
/// dotsPerInch. Edges are rounded, not sizes, so neighbours stay flush.
QRect toPixels(TwipRect twips, double dotsPerInch);

/// Places a control at its table rectangle, offset by its container's inner
/// origin, and names it for tests and screen readers.
void place(QWidget &control, std::u16string_view name, TwipRect twips, double dotsPerInch,
           QPoint origin = {});

} // namespace wavywall
