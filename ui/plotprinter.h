// Both plots on one printed page, as vectors: the window's caption and the
// inputs above the flow picture and the pressure plot, each scaled to the
// page's width (or less, so that both fit its height), never cut across
// pages.
#pragma once

#include <QString>

#include <string>

class QPagedPaintDevice;

namespace wavywall {

void printPlots(QPagedPaintDevice &page, const QString &heading, const std::string &flowSvg,
                const std::string &pressureSvg);

} // namespace wavywall
