#include "ui/contrast.h"

#include <algorithm>
#include <cmath>

namespace wavywall {

namespace {

// A component of the sRGB colour space, from its gamma-encoded value to
// linear light.
double linearLight(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor &colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linearLight(rgb.redF()) + 0.7152 * linearLight(rgb.greenF()) +
           0.0722 * linearLight(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &background, const QColor &preferred, double minimum) {
    if (contrastRatio(background, preferred) >= minimum) {
        return preferred;
    }
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(background, black) >= contrastRatio(background, white) ? black : white;
}

} // namespace wavywall
