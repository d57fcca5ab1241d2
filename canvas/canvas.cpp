#include "canvas/canvas.h"

#include <cmath>
#include <limits>

namespace wavywall {

float toSingle(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::isnan(value)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    if (std::abs(value) > largest) {
        return static_cast<float>(std::copysign(largest, value));
    }
    return static_cast<float>(value);
}

} // namespace wavywall
