// What the command line does without a window: recalculates from its inputs
// as HESAPLA does, with the layers it asks for, and writes the files and the
// validity lines. A message the window would show, a text read only in part
// and a file that cannot be written go to standard error, in Turkish.
#pragma once

#include "ui/commandline.h"

namespace wavywall {

/// Returns the exit status: 0, exitMessage when the window would have shown
/// a message (nothing is then written), exitUnusable when a file could not
/// be written (none is then written). A PNG needs a QGuiApplication for the
/// title's font; the rest needs no application object.
int runWithoutWindow(const CommandLine &commandLine);

} // namespace wavywall
