// The core's 0x00BBGGRR colours as Qt knows them, for the widgets that paint
// the plots and the About window's coloured lines.
#pragma once

#include "canvas/colour.h"

#include <QColor>

namespace wavywall {

inline QColor toQColor(Colour colour) {
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

} // namespace wavywall
