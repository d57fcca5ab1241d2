// Where linear theory holds, in words: the verdict in one sentence, which
// ends each plot description, and the lines of the validity window, which
// show the numbers behind it. Turkish, like the main window; numbers to four
// significant digits, angles in degrees.
#pragma once

#include "model/flowmodel.h"
#include "model/validity.h"

#include <string>
#include <vector>

namespace wavywall {

/// The verdict with the number that decides it, in one sentence.
std::u16string verdictSentence(const Validity &validity);

/// The validity window's lines for the model's last recalculation: the
/// inputs, beta (or beta'), the steepest wall angle and, above Mach one, the
/// Prandtl-Meyer angle, r and c_d, below it the smallest Cp and Cp*; then the
/// verdict. A recalculation that ended in a message says so instead.
std::vector<std::u16string> validityLines(const FlowModel &model);

} // namespace wavywall
