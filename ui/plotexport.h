// What each plot of the main window offers to leave it: its picture as the
// core writes it (the drawing area at 96 pixels an inch, the size a web
// page gives it too, with the title label where the window has it) and its
// numbers as tables. Both plots are named here once, for the window, its
// menus and the command line.
#pragma once

#include "canvas/displaylist.h"
#include "model/csvwriter.h"
#include "model/exportname.h"
#include "model/flowmodel.h"

#include <QString>

#include <string>
#include <vector>

namespace wavywall {

/// The plot's title, shown in its box and named by screen readers.
QString plotTitle(Plot plot);

/// The name a saved file of the plot is offered under, without extension:
/// wavywall-akim-Moo1.5-HbL0.05.
QString suggestedFileName(Plot plot, const FlowModel &model);

/// The name a printed page of both plots is offered under, without
/// extension: wavywall-Moo1.5-HbL0.05.
QString printName(const FlowModel &model);

/// True once a recalculation has drawn the plots (and not refused).
bool hasResults(const FlowModel &model);

/// The plot's SVG picture from its display list.
std::string plotPicture(Plot plot, const std::vector<DisplayList::PlotLine> &lines);

/// The plot's point tables, with the columns of the layers the model shows.
std::string plotTable(Plot plot, const FlowModel &model, Separator separator);

} // namespace wavywall
