// The window layouts are tables of rectangles in twips (1/1440 inch), the
// unit the layout was designed in. One function turns a table row into
// device-independent pixels for the screen at hand.
#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace wavywall {

/// Left, top, width and height of a control's outer rectangle, in twips,
/// within its container's inner area.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr double twipsPerInch = 1440;

/// The rectangle in device-independent pixels at a logical resolution of
/// dotsPerInch. Edges are rounded, not sizes, so neighbours stay flush.
QRect toPixels(TwipRect twips, double dotsPerInch);

/// Places a control at its table rectangle, offset by its container's inner
/// origin, and names it for tests and screen readers.
void place(QWidget &control, const QString &name, TwipRect twips, double dotsPerInch,
           QPoint origin = {});

} // namespace wavywall
