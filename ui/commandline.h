// The program's command line: the two inputs, which the window reads as if
// typed before HESAPLA, and what to write for them without a window.
// `wavywall --moo 1.44 --hbl 0.06 --save-pressure p.csv --save-flow f.svg`
// writes both files and ends; `--validity` prints the validity window's
// lines. Neither needs a display. Every reason the command line gives is
// Turkish, like the window (data/wavywall.1.in glosses them).
#pragma once

#include "model/layers.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace wavywall {

struct CommandLine {
    enum class Action { showWindow, runWithoutWindow, print, fail };
    Action action = Action::showWindow;
    /// The help, the version or what was wrong, for print and fail.
    QString text;
    std::optional<QString> moo;
    std::optional<QString> hbl;
    QString saveFlow;
    QString savePressure;
    /// The layers the files carry besides the linear plots (--second-order).
    Layers layers;
    /// The PNG's pixels per pixel of the window at 96 dots an inch.
    double scale = 1;
    /// Print the validity window's lines to standard output.
    bool validity = false;

    /// True when a PNG is to be written, which needs the toolkit's fonts.
    bool writesPng() const;
};

/// Exit statuses besides success: the inputs gave a message (1); an option,
/// a display or a file could not be used (2).
inline constexpr int exitMessage = 1;
inline constexpr int exitUnusable = 2;

/// Reads the arguments, the program's name first. Every output is checked
/// here, before anything is calculated or written.
CommandLine readCommandLine(const QStringList &arguments);

} // namespace wavywall
