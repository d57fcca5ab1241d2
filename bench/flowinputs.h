// The inputs the benchmarks time: pairs of texts in the two boxes, each with
// a name for the report.
#pragma once

#include <array>

namespace wavywall::bench {

/// One pair of texts in the two boxes, and a name for the report.
struct FlowInput {
    const char *name;
    const char16_t *moo;
    const char16_t *hbl;
};

/// The window's initial texts, a fast flow over the tallest wave the bar
/// allows, and Mach one, where the pressure plot gives way to its message.
inline constexpr std::array<FlowInput, 3> flowInputs{{
    {"default", u"1.01", u"0.01"},
    {"Moo=2,HbL=0.2", u"2", u"0.2"},
    {"Moo=1", u"1", u"0.01"},
}};

} // namespace wavywall::bench
