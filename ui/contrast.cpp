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

QColor blendUntilContrast(const QColor &background, const QColor &from, const QColor &towards,
                          double minimum) {
    constexpr int steps = 32;
    const QColor a = from.toRgb();
    const QColor b = towards.toRgb();
    for (int step = 0; step < steps; ++step) {
        const double t = static_cast<double>(step) / steps;
        const QColor blend =
            QColor::fromRgbF(static_cast<float>(a.redF() + t * (b.redF() - a.redF())),
                             static_cast<float>(a.greenF() + t * (b.greenF() - a.greenF())),
                             static_cast<float>(a.blueF() + t * (b.blueF() - a.blueF())));
        if (contrastRatio(background, blend) >= minimum) {
            return blend;
        }
    }
    return b;
}

} // namespace wavywall
