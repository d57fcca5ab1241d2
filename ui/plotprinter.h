// Both plots on one printed page, as vectors: the window's caption and the
// inputs above the flow picture and the pressure plot, each scaled to the
// page's width (or less, so that both fit its height), never cut across
// pages.
#pragma once

#include <QString>

#include <string>

class QPagedPaintDevice;
class QPrinter;

namespace wavywall {

/// Readies the printer for the page of both plots: the document's title,
/// which a PDF keeps, and the file a PDF goes to, offered by the print
/// dialog: the saves' name (without extension) in the user's documents
/// folder. Where the system has printers the dialog keeps offering the
/// default one, and its own PDF folder.
void preparePrinter(QPrinter &printer, const QString &fileName, const QString &title);

void printPlots(QPagedPaintDevice &page, const QString &heading, const std::string &flowSvg,
                const std::string &pressureSvg);

} // namespace wavywall
