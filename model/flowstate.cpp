#include "model/flowstate.h"

#include <cassert>
#include <stdexcept>
#include <string>

namespace wavywall {

void requireDrawable(const FlowState &flow, const char *plot) {
    if (isDrawable(flow)) {
        return;
    }
    assert(!"a plot was handed a flow state it cannot draw");
    throw std::invalid_argument(
        std::string(plot) + ": the flow state is not loaded, or N = " + std::to_string(flow.N) +
        " exceeds the " + std::to_string(maxIntervals) + " intervals of the point tables");
}

} // namespace wavywall
