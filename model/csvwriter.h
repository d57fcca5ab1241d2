// The plots' numbers as tables for a spreadsheet: the point tables each plot
// computes, not coordinates read back from its pixels. CSV as RFC 4180 has
// it (a header row, CRLF line ends, UTF-8), with '.' decimals under any
// locale and every value in the shortest text that reads back as the same
// double (model/shortestnumber.h). The layers shown add their columns, with
// an empty cell where a layer has no value. The same writer gives tab-separated text for the
// clipboard, which pastes into a spreadsheet's cells.
#pragma once

#include "model/flowstate.h"
#include "model/layers.h"

#include <string>

namespace wavywall {

/// Field separators: ',' for files, '\t' for the clipboard.
enum class Separator : char { comma = ',', tab = '\t' };

/// The pressure plot's table, "i,x,Cp" and a column for each layer that has
/// one ("Cp2" for the second order, "Cp_exact" for the simple wave), rows
/// i = 0..N. At Mach one, where the
/// plot draws no curve, the header row only.
std::string pressureCsv(const FlowState &flow, Separator separator = Separator::comma,
                        const Layers &layers = {});

/// The flow picture's tables in flow coordinates (y upward): i, then Xs and
/// Ys of the wall (curve 0) and of each streamline (1..8), rows i = 0..N; the
/// rows 0..8 also hold Mach line i, from (x0, y0) on the wall to (x1, y1),
/// and leave those four fields empty below and wherever the flow is subsonic
/// and has no Mach lines. The simple wave adds its characteristics in rows
/// 0..8 (xc0, yc0, xc1, yc1) and its shock point in row 0 (x_s, y_s).
std::string flowCsv(const FlowState &flow, Separator separator = Separator::comma,
                    const Layers &layers = {});

} // namespace wavywall
