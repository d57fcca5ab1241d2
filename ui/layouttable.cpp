#include "ui/layouttable.h"

#include <QWidget>

#include <cmath>

namespace wavywall {

namespace {
int toPixel(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / twipsPerInch));
}
} // namespace

QRect toPixels(TwipRect twips, double dotsPerInch) {
    const int left = toPixel(twips.left, dotsPerInch);
    const int top = toPixel(twips.top, dotsPerInch);
    const int right = toPixel(twips.left + twips.width, dotsPerInch);
    const int bottom = toPixel(twips.top + twips.height, dotsPerInch);
    return {left, top, right - left, bottom - top};
}

void place(QWidget &control, std::u16string_view name, TwipRect twips, double dotsPerInch,
           QPoint origin) {
    control.setObjectName(toQString(name));
    control.setGeometry(toPixels(twips, dotsPerInch).translated(origin));
}

} // namespace wavywall
