// What each plot of the main window offers to leave it, as Qt holds it: the
// name its files are offered under and its numbers as tables; its picture
// and title are the core's (model/plotpicture.h). For the window, its menus
// and the command line.
#pragma once

#include "model/csvwriter.h"
#include "model/exportname.h"
#include "model/flowmodel.h"
#include "model/plotpicture.h"

#include <QString>

#include <string>

namespace wavywall {

/// The name a saved file of the plot is offered under, without extension:
/// wavywall-akim-Moo1.5-HbL0.05.
QString suggestedFileName(Plot plot, const FlowModel &model);

/// The name a printed page of both plots is offered under, without
/// extension: wavywall-Moo1.5-HbL0.05.
QString printName(const FlowModel &model);

/// The plot's point tables, with the columns of the layers the model shows.
std::string plotTable(Plot plot, const FlowModel &model, Separator separator);

} // namespace wavywall
